#include "effects/kamien.h"

#include "app/profile/profile_manager.h"
#include "effects/curve.h"
#include "effects/particles.h"
#include "game/board/ease.h"
#include "game/board/links.h"
#include "gui/frame/deltatime.h"
#include "gui/globals.h"
#include "platform/system.h"

std::array<TImage, kTileSizeClasses> TKamien::gfx;
std::array<TImage, kTileSizeClasses> TKamien::img;
TKamienList listaKamieni;

namespace {

constexpr int kSplinters = 50;
constexpr int kDustPause = 25;
const int kSides[kTileSizeClasses] = {50, 36, 30, 24, 20};

}  // namespace

std::shared_ptr<TKamien> createKamien(int n, float x, float y, float dx, float dy, int size) {
    auto k = std::make_shared<TKamien>();
    k->x = k->x1 = x;
    k->y = k->y1 = y;
    k->dx = dx;
    k->dy = dy;
    k->n = n;
    k->size = clampSizeClass(size);
    k->per = 0;
    k->speed = float(Rnd(0.5, 1.0));
    k->state = "START";
    listaKamieni.push_back(k);
    return k;
}

void TKamien::update() {
    if (state == "START")
        _updateStart();
    else if (state == "HIDE")
        _updateHide();
    else if (state == "FLY")
        _updateFly();
    else if (state == "FLY-DOWN")
        _updateFlyDown();
    else if (state == "FLY-TO-WOREK")
        _updateFlyToWorek();
}

void TKamien::_updateStart() {
    easeToward(per, 1, 0.05f * delta);
    s = 1 + 0.3f * fx::sinDeg(90 * per);
    a = 1;
    if (per == 1) {
        state = "HIDE";
        per = 0;
    }
}

void TKamien::_updateHide() {
    easeToward(per, 1, 0.05f * delta);
    s = 1.3f - 0.3f * fx::sinDeg(90 * per);
    if (per < 1) return;
    per = 0;
    x1 = x;
    y1 = y;
    mx = x + (dx - x) / 2;
    my = y - float(Rand(100, 150));
    if (gotoworek) {
        state = "FLY-TO-WOREK";
        playLink().bonusPosition(5, x2, y2);
    } else {
        state = "FLY";
        x2 = dx;
        y2 = dy;
    }
}

void TKamien::_fly() {
    easeToward(per, 1, 0.02f * speed * delta);
    rot = 1440 * per;
    x = fx::bezier(x1, mx, x2, per);
    y = fx::bezier(y1, my, y2, per);
    generate();
}

void TKamien::_updateFly() {
    _fly();
    if (per == 1) odbij();
}

void TKamien::odbij() {
    playLink().uszkodzSkrzynie();
    x1 = x2;
    y1 = y2;
    x2 = float(Rand(400, 800));
    y2 = 800;
    mx = x1 + (x2 - x1) / 2;
    my = y1 - float(Rand(50, 150));
    per = 0;
    state = "FLY-DOWN";
    for (int i = 0; i < kSplinters; ++i) createDrzazga(x, y);
}

void TKamien::_updateFlyDown() {
    _fly();
    if (per == 1) destroy();
}

void TKamien::_updateFlyToWorek() {
    y2 = playLink().getWorekY();
    _fly();
    if (per < 1) return;
    destroy();
    if (profileManager.profile) profileManager.profile->kamienieWWorku += 1;
    playLink().checkWorek();
    servicesLink().playMySound("bonus_bag");
}

void TKamien::generate() {
    const int32_t now = Millisecs();
    if (now <= kurzTime) return;
    kurzTime = now + kDustPause;
    const int sz = clampSizeClass(size);
    const float spread = float(ImageWidth(gfx[size_t(sz)]) / 4);
    for (int i = 0; i < 7 - sz; ++i) createKurz(x, y, spread);
}

void TKamien::draw() {
    SetColor(255, 255, 255);
    SetBlend(ALPHABLEND);
    SetAlpha(a);
    SetRotation(rot);
    SetScale(s, s);
    DrawImage(gfx[size_t(clampSizeClass(size))], x, y);
}

void TKamien::destroy() { fx::remove(listaKamieni, this); }

void _updateKamienie() {
    fx::walk(listaKamieni, [](TKamien& k) { k.update(); });
}

void _drawKamienie() {
    fx::each(listaKamieni, [](TKamien& k) { k.draw(); });
    SetBlend(ALPHABLEND);
    SetRotation(0);
    SetScale(1, 1);
    SetAlpha(1);
}

int setupKamienie() {
    for (int i = 0; i < kTileSizeClasses; ++i) {
        const std::string side = std::to_string(kSides[i]);
        // A missing file leaves a null image, which draws nothing.
        TImage rock = LoadImage(bDir + "gfx/efekty/rock-" + side + ".png");
        if (rock) MidHandleImage(rock);
        TKamien::gfx[size_t(i)] = rock;
        TImage strip = LoadAnimImage(bDir + "gfx/tresures/rock-size-" + side + ".png", kSides[i],
                                     kSides[i], 0, TKamien::frames);
        if (strip) MidHandleImage(strip);
        TKamien::img[size_t(i)] = strip;
    }
    return 0;
}

int stonesFlyingToWorek() {
    int n = 0;
    fx::each(listaKamieni, [&n](const TKamien& k) { n += k.gotoworek ? 1 : 0; });
    return n;
}

void resetKamienie() {
    listaKamieni.clear();
    TKamien::gfx = {};
    TKamien::img = {};
}
