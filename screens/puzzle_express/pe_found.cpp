#include "screens/puzzle_express/pe_found.h"

#include "app/frame.h"
#include "gui/frame/deltatime.h"
#include "gui/frame/fontcache.h"
#include "gui/frame/mouse.h"
#include "gui/globals.h"
#include "gui/text/draw.h"
#include "gui/text/type_style.h"
#include "platform/input.h"
#include "screens/puzzle_express/puzzle_express.h"

TPEFoundScreen PEFoundScreen;

namespace {

// The description is written 440 wide from x 240: the parchment runs from x 200 to 720,
// as many middle pieces as that takes (at least one, as for a short word).
int scrollWidth() {
    const int cell = TPapirus::srodekGora ? ImageWidth(TPapirus::srodekGora) : 0;
    if (cell <= 0) return 1;
    const int ends = (TPapirus::lewoGora ? ImageWidth(TPapirus::lewoGora) : 0) +
                     (TPapirus::prawoGora ? ImageWidth(TPapirus::prawoGora) : 0);
    const int pieces = (520 - ends + cell - 1) / cell;
    return pieces > 2 ? pieces - 1 : 1;
}

}  // namespace

int TPEFoundScreen::setup() {
    font = myLoadImageFont(bDir + typestyle::kFace, 24);
    return 0;
}

int TPEFoundScreen::prepare(const std::shared_ptr<TPEObj>& object) {
    peObj = object;
    dFade = 0.5f;
    fade = 0;
    alpha = 0;
    dAlpha = 1;
    dta = ta = 0;
    wynik.clear();
    state = "SHOW";
    pap.start(200, 200, scrollWidth(), 4);
    return 0;
}

std::string TPEFoundScreen::mainLoop(const std::shared_ptr<TPEObj>& object, TEkran* screenBehind) {
    FlushMouse();
    mouse.clear();
    if (!object) return "";
    behind = screenBehind ? screenBehind : &puzzleExpress;
    prepare(object);
    while (frame()) {
    }
    behind = nullptr;
    return wynik;
}

bool TPEFoundScreen::frame() {
    Cls();
    update();
    draw();
    myFlip(1, this);
    if (mouse.leftPressed) {
        mouse.leftPressed = 0;
        hide();
    }
    return !(alpha == 0 && dAlpha == 0);
}

int TPEFoundScreen::hide() {
    state = "HIDE";
    return 0;
}

int TPEFoundScreen::update() {
    _updateSystem(0);
    _updateState();
    _updateAlpha();
    _updateFade();
    _updateTextAlpha();
    _updatePapirus();
    return 0;
}

int TPEFoundScreen::_updateState() {
    if (state == "SHOW") {
        if (pap.per == 1) dta = 1;
    } else if (state == "HIDE") {
        dta = 0;
        if (ta == 0) pap.hide();
    }
    return 0;
}

int TPEFoundScreen::_updateTextAlpha() {
    easeToward(ta, dta, 0.05f, delta);
    return 0;
}

int TPEFoundScreen::_updatePapirus() {
    pap.update();
    if (pap.dPer == 0 && pap.state == "HIDE") {
        dFade = 0;
        dAlpha = 0;
    }
    return 0;
}

int TPEFoundScreen::draw() {
    _drawBack();
    _drawFade();
    _drawPanel();
    _drawMouse();
    return 0;
}

int TPEFoundScreen::_drawBack() {
    if (behind) behind->draw();
    return 0;
}

int TPEFoundScreen::_drawPanel() {
    SetColor(255, 255, 255);
    SetAlpha(alpha);
    SetBlend(ALPHABLEND);
    SetScale(1, 1);
    SetRotation(0);
    pap.draw();
    if (!peObj) return 0;
    SetImageFont(font);
    SetColor(typestyle::kInkText.r, typestyle::kInkText.g, typestyle::kInkText.b);
    SetAlpha(ta);
    drawSpecText(peObj->opis, 240, 290, 440, "CENTER", -1, nullptr, 1);
    SetColor(255, 255, 255);
    SetAlpha(1);
    return 0;
}
