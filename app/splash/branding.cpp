#include "app/splash/branding.h"

#include <string>

#include "app/app_globals.h"
#include "gui/frame/deltatime.h"
#include "gui/globals.h"
#include "platform/files.h"
#include "platform/input.h"
#include "platform/system.h"

TBranding branding;

namespace {
// Ten pictures at 1.5 s and two 20-frame fades each stay far below this; it only guards
// against a clock that does not move.
constexpr int kMaxFrames = 60 * 60;
}  // namespace

void resetBranding() {
    branding.imgList.clear();
    branding.aktImg.reset();
    branding.time = 0;
    branding.STANDARD_DATA();
}

int TBranding::setup() {
    imgList.clear();
    for (int n = 1; n <= kMaxPictures; ++n) {
        const std::string path =
            bDir + "gfx/branding/" + lang + "/partnerscreen-" + std::to_string(n) + ".jpg";
        if (files::fileType(path) != files::FILETYPE_FILE) continue;
        // A file that cannot be decoded is skipped, so it neither ends the sequence early
        // nor hides the pictures after it.
        if (TImage img = LoadImage(path)) imgList.push_back(std::move(img));
    }
    return 0;
}

int TBranding::prepare() {
    fade = 1;
    dFade = 0;
    _prepareDelta();
    getNextImg();
    FlushMouse();
    return aktImg ? 0 : 1;
}

int TBranding::mainLoop() {
    if (prepare() == 1) return 0;
    for (int frame = 0; frame < kMaxFrames; ++frame) {
        Cls();
        update();
        draw();
        Flip();
        // A click cuts the current picture short, also during its fade-in.
        if (MouseHit(1) != 0 && Millisecs() > time - kStandMs) dFade = 1;
        if (fade == 1 && dFade == 1 && !aktImg) break;
    }
    FlushMouse();
    return 0;
}

int TBranding::update() {
    deltaUpdate();
    _updateTime();
    _updateFade();
    return 0;
}

int TBranding::draw() {
    SetColor(255, 255, 255);
    SetBlend(ALPHABLEND);
    SetScale(1, 1);
    SetRotation(0);
    SetAlpha(1);
    if (aktImg) DrawImage(aktImg, 0, 0);
    _drawFade();
    return 0;
}

int TBranding::getNextImg() {
    if (imgList.empty()) {
        aktImg.reset();
        return 0;
    }
    aktImg = imgList.front();
    imgList.pop_front();
    dFade = 0;
    time = Millisecs() + kStandMs;
    return 0;
}

int TBranding::_updateTime() {
    if (Millisecs() > time) dFade = 1;
    if (fade == 1 && dFade == 1) getNextImg();
    return 0;
}
