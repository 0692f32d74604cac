#include "effects/stripe.h"

#include "effects/picture.h"
#include "gui/frame/deltatime.h"
#include "gui/globals.h"
#include "platform/system.h"

std::array<TImage, 5> TStripe::img;

std::shared_ptr<TStripe> createStripe(int n, float x, float y, float r) {
    auto s = std::make_shared<TStripe>();
    s->n = n;
    s->x = x;
    s->y = y;
    s->r = r;
    s->random();
    return s;
}

void TStripe::randomNext() {
    da = float(Rnd(0, 0.3));
    speed = float(Rnd(0.002, 0.004));
}

void TStripe::random() {
    a = float(Rnd(0, 0.3));
    randomNext();
}

// Not clamped to the target: the alpha overshoots by at most one step and turns back at a
// fresh target. Landing exactly on it counts as passing it; the flicker would stop there.
void TStripe::update() {
    if (a < da) {
        a += speed * delta;
        if (a >= da) randomNext();
    }
    if (a > da) {
        a -= speed * delta;
        if (a <= da) randomNext();
    }
}

void TStripe::draw() {
    const TImage pic = fx::pictureAt(img, n);
    if (!pic) return;
    SetColor(255, 255, 255);
    SetBlend(LIGHTBLEND);
    SetAlpha(a);
    SetRotation(r);
    SetScale(1, 1);
    DrawImage(pic, x, y);
}

int setupStripes() {
    TStripe::img[0] = LoadImage(bDir + "gfx/efekty/stripe0.png");
    if (TStripe::img[0]) SetImageHandle(TStripe::img[0], 100, 10);
    TStripe::img[1] = LoadImage(bDir + "gfx/efekty/stripe1.png");
    if (TStripe::img[1]) SetImageHandle(TStripe::img[1], 50, 10);
    return 0;
}

void resetStripes() { TStripe::img.fill(nullptr); }
