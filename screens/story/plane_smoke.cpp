#include "screens/story/plane_smoke.h"

#include "gui/frame/deltatime.h"
#include "gui/globals.h"
#include "platform/system.h"

fx::List<TPlaneSmoke> TPlaneSmoke::planeSmokes;
std::array<TImage, 2> TPlaneSmoke::img;

namespace {
constexpr float kDrawShare = 0.5f;
}

void TPlaneSmoke::setup() {
    for (int i = 0; i < 2; ++i) {
        img[size_t(i)] = LoadImage(bDir + "gfx/particles/dym-" + std::to_string(i + 1) + ".png");
        if (img[size_t(i)]) MidHandleImage(img[size_t(i)]);
    }
}

std::shared_ptr<TPlaneSmoke> TPlaneSmoke::createNewPlaneSmoke(int x, int y) {
    auto p = std::make_shared<TPlaneSmoke>();
    p->x = float(x);
    p->y = float(y);
    p->s = 1;
    p->a = 1;
    p->r = 0;
    p->n = Rand(0, 1);
    planeSmokes.push_back(p);
    return p;
}

void TPlaneSmoke::update() {
    s += 0.005f * delta;
    if (s > 1.5f) {
        a -= 0.02f * delta;
        if (a < 0) a = 0;
    }
    r += 0.5f * delta;
    if (a == 0) fx::remove(planeSmokes, this);
}

void TPlaneSmoke::draw(float dx) const {
    const TImage& pic = img[size_t(n == 1 ? 1 : 0)];
    if (!pic) return;
    SetBlend(ALPHABLEND);
    SetColor(255, 255, 255);
    SetAlpha(a * kDrawShare);
    SetScale(s, s);
    SetRotation(r);
    DrawImage(pic, x + dx, y);
}

void TPlaneSmoke::updateAll() {
    fx::walk(planeSmokes, [](TPlaneSmoke& p) { p.update(); });
}

void TPlaneSmoke::drawAll(float dx) {
    fx::each(planeSmokes, [dx](TPlaneSmoke& p) { p.draw(dx); });
}

void resetPlaneSmoke() {
    TPlaneSmoke::planeSmokes.clear();
    TPlaneSmoke::img.fill(nullptr);
}
