#include "screens/panels/popup.h"

#include <new>

#include "app/frame.h"
#include "gui/core/gui.h"
#include "gui/frame/fontcache.h"
#include "gui/frame/modal.h"
#include "gui/frame/mouse.h"
#include "gui/globals.h"
#include "gui/text/draw.h"
#include "gui/text/split.h"
#include "gui/widgets/text.h"
#include "platform/input.h"

TPopUp popUp;

namespace {

constexpr float kPanelX = 265;
constexpr float kPanelY = 215;

}  // namespace

void resetPopUp() {
    popUp.~TPopUp();
    new (&popUp) TPopUp();
}

int yesOrNo(const std::string& text, TEkran* screen) { return popUp.mainLoop(text, screen, 1); }

int showInfo(const std::string& text, TEkran* screen) { return popUp.mainLoop(text, screen, 0); }

std::shared_ptr<TText> TPopUp::t1() const { return gui ? gui->getItemAs<TText>("t1") : nullptr; }
std::shared_ptr<TGuiObject> TPopUp::yesButton() const { return gui ? gui->getItem("yes") : nullptr; }
std::shared_ptr<TGuiObject> TPopUp::noButton() const { return gui ? gui->getItem("no") : nullptr; }

int TPopUp::setup() {
    gui = loadGui(bDir + "gfx/gui/popUp/popUp.gui");
    _font = myLoadImageFont(bDir + "gfx/fonts/berry.ttf", 24);
    panel = LoadImage(bDir + "gfx/gui/popUp/panel.png");
    loaded = true;
    // Without them the box still answers to Enter and Escape and shows its text itself.
    if (!t1()) errorMsg("popUp.gui: no text widget t1");
    if (!yesButton()) errorMsg("popUp.gui: no button yes");
    if (!noButton()) errorMsg("popUp.gui: no button no");
    if (auto yes = yesButton()) {
        yesX = yes->dim->x;
        yesY = yes->dim->y;
    }
    return 0;
}

int TPopUp::oblicz() {
    auto t = t1();
    if (!t) return 0;
    SetImageFont(_font);
    SetScale(1, 1);
    t->countH();
    return 0;
}

int TPopUp::prepare(const std::string& text, TEkran* screen, int32_t withNo) {
    if (!loaded) setup();
    txt = text;
    ekran = screen;
    auto yes = yesButton();
    auto no = noButton();
    if (no) no->setState(withNo, withNo);
    if (yes) {
        const bool alone = withNo == 0 && no;
        yes->dim->x = alone ? no->dim->x : yesX;
        yes->dim->y = alone ? no->dim->y : yesY;
        yes->countDims();
    }
    if (auto t = t1()) t->_txt = txt;
    oblicz();
    // The click or key that opened the box must not answer it.
    FlushMouse();
    FlushKeys();
    mouse.clear();
    return 0;
}

int TPopUp::update() {
    _updateSystem(0);
    if (gui) gui->update();
    return 0;
}

int TPopUp::draw() {
    if (ekran) ekran->draw();
    drawModalDim();
    SetBlend(ALPHABLEND);
    SetScale(1, 1);
    SetColor(255, 255, 255);
    SetAlpha(1);
    SetRotation(0);
    if (panel) DrawImage(panel, kPanelX, kPanelY);
    if (gui) gui->draw();
    if (!t1()) {
        // A layout without its text widget: the message still has to be read.
        SetColor(74, 42, 20);
        SetAlpha(1);
        drawSpecText(txt, int(kPanelX) + 40, int(kPanelY) + 50, 420, "CENTER", 0, _font, 2);
    }
    return 0;
}

int TPopUp::mainLoop(const std::string& text, TEkran* screen, int32_t withNo) {
    prepare(text, screen, withNo);
    for (;;) {
        Cls();
        update();
        draw();
        mouse.draw();
        myFlip(1, this);
        // Yes is tested first: Enter and Escape in one frame answer yes.
        if ((gui && gui->clickedItem("yes")) || KeyHit(KEY_ENTER)) return 1;
        if ((gui && gui->clickedItem("NO")) || KeyHit(KEY_ESCAPE)) return 0;
    }
}
