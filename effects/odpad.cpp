#include "effects/odpad.h"

#include "effects/curve.h"
#include "game/board/ease.h"
#include "gui/frame/deltatime.h"

TOdpadList listaOdpadow;

namespace {
// Below this the piece is out of the 768-pixel screen for good.
constexpr float kBelowScreen = 830;
}  // namespace

std::shared_ptr<TOdpad> createOdpad(const TImage& img, float x1, float y1, float x2, float y2,
                                    float mx, float my, float frame) {
    auto o = std::make_shared<TOdpad>();
    o->img = img;
    o->x = o->x1 = x1;
    o->y = o->y1 = y1;
    o->x2 = x2, o->y2 = y2;
    o->mx = mx, o->my = my;
    o->frame = frame;
    listaOdpadow.push_back(o);
    return o;
}

std::shared_ptr<TOdpad> createOdpad2(const TImage& img, float x1, float y1, float x2, float y2,
                                     float mx, float my) {
    auto o = createOdpad(img, x1, y1, x2, y2, mx, my, 0);
    o->obr = 25;
    o->speed = 0.6f;
    return o;
}

void TOdpad::update() {
    easeToward(per, 1, 0.02f * speed * delta);
    s = 1;
    a = 1;
    rot = obr * per;
    x = fx::bezier(x1, mx, x2, per);
    y = fx::bezier(y1, my, y2, per);
    if (y > kBelowScreen) per = 1;
    if (per == 1) destroy();
}

void TOdpad::draw() {
    SetColor(255, 255, 255);
    SetAlpha(a);
    SetScale(s, s);
    SetBlend(ALPHABLEND);
    SetRotation(rot);
    const int f = int(frame);
    // A frame the strip lacks shows nothing rather than a wrong cell.
    if (f < 0 || f >= ImageFrames(img)) return;
    DrawImage(img, x, y, f);
}

void TOdpad::destroy() { fx::remove(listaOdpadow, this); }

void _updateOdpady() {
    fx::walk(listaOdpadow, [](TOdpad& o) { o.update(); });
}

void _drawOdpady() {
    fx::each(listaOdpadow, [](TOdpad& o) { o.draw(); });
    SetRotation(0);
}

void resetOdpady() { listaOdpadow.clear(); }
