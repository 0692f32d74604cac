#include "minigames/hidden_object/ho_object.h"

#include <cmath>

#include "effects/particles.h"
#include "gui/frame/deltatime.h"
#include "gui/frame/mouse.h"
#include "minigames/hidden_object/ho_level.h"
#include "platform/system.h"

TImage THObject::pickImg;

namespace {

constexpr float kDeg = 3.14159265358979f / 180.0f;

THOSceneView gView;

void neutral(float alpha) {
    SetColor(255, 255, 255);
    SetBlend(ALPHABLEND);
    SetAlpha(alpha);
    SetScale(1, 1);
    SetRotation(0);
}

std::shared_ptr<TDim>& layer(THObject& o) {
    static std::shared_ptr<TDim> none;
    switch (o.rodzaj) {
        case 0: return o.ukrytyDim;
        case 1: return o.doZebraniaDim;
        case 2: return o.zebranyDim;
        default: return none;
    }
}

}  // namespace

THOSceneView& hoView() { return gView; }
void resetHOView() { gView = THOSceneView{}; }

bool hoPictureHit(const TImage& img, const TDim& at, int mx, int my) {
    const int w = ImageWidth(img), h = ImageHeight(img);
    const int left = int(at.x - float(w / 2));
    const int top = int(at.y - float(h / 2));
    return left <= mx && mx <= left + w && top <= my && my <= top + h;
}

int THObject::interpretujState() {
    std::string s = state;
    for (auto& c : s) c = char(std::toupper(static_cast<unsigned char>(c)));
    if (s == "DONE") da = 0;
    return 0;
}

int THObject::drawUkryty() {
    if (!state.empty()) return 0;
    SetColor(255, 255, 255);
    SetAlpha(ua);
    SetBlend(ALPHABLEND);
    SetScale(us, us);
    SetRotation(0);
    if (hoView().drawUkryte && imgUkryty) DrawImage(imgUkryty, ukrytyDim->x, ukrytyDim->y);
    return 0;
}

int THObject::drawZebrany() {
    if (state.compare(0, 4, "PICK") != 0) return 0;
    SetColor(255, 255, 255);
    SetAlpha(zA);
    SetBlend(ALPHABLEND);
    SetScale(zS, zS);
    SetRotation(zRot);
    if (hoView().drawZebrany && imgUkryty) DrawImage(imgUkryty, zebranyDim->x, zebranyDim->y);
    return 0;
}

int THObject::drawDoZebrania() {
    neutral(1);
    if (!hoView().drawDoZebrania) return 0;
    if (imgDoZebrania) DrawImage(imgDoZebrania, doZebraniaDim->x, doZebraniaDim->y);
    SetAlpha(da);
    if (imgSepia) DrawImage(imgSepia, doZebraniaDim->x, doZebraniaDim->y);
    return 0;
}

int THObject::drawPick() {
    const auto& g = hoView().group;
    if (g && g->isObject(id)) return 0;
    neutral(1 - da);
    if (pickImg) DrawImage(pickImg, doZebraniaDim->x + punktX, doZebraniaDim->y + punktY);
    return 0;
}

int THObject::move(float dx, float dy) {
    auto& d = layer(*this);
    if (!d) return 0;
    d->x += dx;
    d->y += dy;
    return 0;
}

int THObject::toMouse() {
    auto& d = layer(*this);
    if (!d) return 0;
    d = createSimpleDim(mouse.x, mouse.y);
    return 0;
}

int THObject::_updatePick() {
    per += 0.025f * delta;
    if (per > 1) per = 1;
    zS = 1 + 0.3f * std::sin(180.0f * per * kDeg);
    zA = 1;
    zRot = 0;
    generateParticles();
    if (per == 1) {
        state = "PICK-2";
        per = 0;
    }
    return 0;
}

int THObject::_updatePick2() {
    per += 0.01f * delta;
    if (per > 1) per = 1;
    const TDim& a = *ZebranykopiaDim;
    const TDim& b = *doZebraniaDim;
    // Objects low in the scene rise first, so they never cross the panel on the way.
    const float mx = b.x;
    const float my = a.y <= 300 ? a.y : a.y - 200;
    const float t = std::sin(90.0f * per * kDeg);
    zebranyDim->x = a.x + 2 * t * (mx - a.x) + t * t * (a.x - 2 * mx + b.x);
    zebranyDim->y = a.y + 2 * t * (my - a.y) + t * t * (a.y - 2 * my + b.y);
    const float e = t <= 0.7f ? 0.0f : (t - 0.7f) / 0.3f;
    zA = 1 - e;
    da = 1 - e;
    ds = 1 - e;
    zRot = 720 * t;
    if (per == 1) state = "DONE";
    return 0;
}

int THObject::_updatepick3() {
    per += 0.02f * delta;
    if (per > 1) per = 1;
    const float s = std::sin(90.0f * per * kDeg);
    zA = da = ds = 0.3f * (1 - s);
    if (per == 1) state = "DONE";
    return 0;
}

int THObject::update() {
    if (state == "PICK") {
        _updatePick();
        myX = ukrytyDim->x, myY = ukrytyDim->y;
    } else if (state == "PICK-2") {
        _updatePick2();
        myX = zebranyDim->x, myY = zebranyDim->y;
    } else if (state == "PICK-3") {
        _updatepick3();
        myX = zebranyDim->x, myY = zebranyDim->y;
    } else if (state != "DONE") {
        us = 1;
        ua = 1;
        myX = ukrytyDim->x, myY = ukrytyDim->y;
    }
    return over();
}

int THObject::pick() {
    state = "PICK";
    per = 0;
    zS = 1;
    zA = 1;
    hoView().kolejnosc += std::to_string(id) + " ";
    partColor = Rand(0, 1);
    return 0;
}

int THObject::over() {
    if (!state.empty()) return 0;
    return hoPictureHit(imgUkryty, *ukrytyDim, mouse.x, mouse.y) ? 1 : 0;
}

int THObject::edOver() {
    const auto& v = hoView();
    if (v.drawUkryte && hoPictureHit(imgUkryty, *ukrytyDim, mouse.x, mouse.y)) {
        rodzaj = 0;
        return 1;
    }
    if (v.drawDoZebrania && hoPictureHit(imgDoZebrania, *doZebraniaDim, mouse.x, mouse.y)) {
        rodzaj = 1;
        return 1;
    }
    if (v.drawZebrany && hoPictureHit(imgZebrany, *zebranyDim, mouse.x, mouse.y)) {
        rodzaj = 2;
        return 1;
    }
    return 0;
}

int THObject::generateParticles() {
    const int now = Millisecs();
    if (now <= partTime) return 0;
    partTime = now + 50;
    const int w = ImageWidth(imgUkryty), h = ImageHeight(imgUkryty);
    const int rx = Rand(-(w / 2), w / 2);
    const int ry = Rand(-(h / 2), h / 2);
    if (partColor == 0) createHOPickParticle0(myX + float(rx), myY + float(ry));
    else if (partColor == 1) createHOPickParticle1(myX + float(rx), myY + float(ry));
    return 0;
}
