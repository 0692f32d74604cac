#include "effects/fala.h"

#include <string>

#include "effects/picture.h"
#include "gui/frame/deltatime.h"
#include "gui/globals.h"
#include "platform/system.h"

std::array<TImage, TFala::kFrames> TFala::img;
TFalaList listaFal;

namespace {
constexpr float kDrift = 0.3f;
constexpr int32_t kFrameStep = 100;
}  // namespace

int setupFala() {
    for (int i = 0; i < TFala::kFrames; ++i) {
        TImage& im = TFala::img[size_t(i)];
        im = LoadImage(bDir + "gfx/efekty/fale/" + std::to_string(i) + ".png");
        if (im) MidHandleImage(im);
    }
    return 0;
}

std::shared_ptr<TFala> createFala(float x, float y, float sig) {
    auto f = std::make_shared<TFala>();
    f->x = x;
    f->y = y;
    f->sig = sig;
    listaFal.push_back(f);
    return f;
}

// The first step comes at once (time starts at 0): frame 0 shows only before it.
void TFala::update() {
    x += sig * kDrift * delta;
    const int32_t now = Millisecs();
    if (now <= time) return;
    time = now + kFrameStep;
    if (++frame >= kFrames) destroy();
}

void TFala::draw() {
    const TImage pic = fx::pictureAt(img, frame);
    if (!pic) return;
    SetColor(255, 255, 255);
    SetBlend(ALPHABLEND);
    SetScale(sig, 1);
    SetRotation(0);
    SetAlpha(1);
    DrawImage(pic, x, y);
}

void TFala::destroy() { fx::remove(listaFal, this); }

void _updateFale() {
    fx::walk(listaFal, [](TFala& f) { f.update(); });
}

void _drawFale() {
    fx::each(listaFal, [](TFala& f) { f.draw(); });
    SetScale(1, 1);
}

void resetFale() {
    listaFal.clear();
    TFala::img.fill(nullptr);
}
