#include "screens/menu/menu_overlays.h"

#include "app/frame.h"
#include "app/profile/profile_manager.h"
#include "gui/core/gui.h"
#include "gui/frame/modal.h"
#include "gui/frame/mouse.h"
#include "gui/globals.h"
#include "platform/input.h"
#include "platform/system.h"
#include "screens/menu/main_menu.h"

TContinueQuest continueQuest;
TPickFlow pickFlow;

void resetMenuOverlays() {
    continueQuest.~TContinueQuest();
    new (&continueQuest) TContinueQuest();
    pickFlow.~TPickFlow();
    new (&pickFlow) TPickFlow();
}

// ---- shared -------------------------------------------------------------------------------

int TTitleOverlay::update() {
    _updateSystem(0);
    _updateAlpha();
    _updateFade();
    _updateGui();
    return 0;
}

int TTitleOverlay::_drawBack() { return mainMenu.draw(); }

void TTitleOverlay::runFrames() {
    TMainMenu::Cover cover(mainMenu, [this] { return shown(); });
    do {
        Cls();
        update();
        draw();
        myFlip(1, this);
        _controlGUI();
    } while (!finished());
}

// ---- continue or new -----------------------------------------------------------------------

int TContinueQuest::setup() {
    img = LoadImage(bDir + "gfx/gui/continueQuest/scroll.png");
    if (img) MidHandleImage(img);
    Gui = loadGui(bDir + "gfx/gui/continueQuest/continue.gui");
    loaded = true;
    return 0;
}

int TContinueQuest::prepare() {
    if (!loaded) setup();
    dFade = 0.5f;
    fade = 0;
    alpha = 0;
    dAlpha = 1;
    wynik.clear();
    return 0;
}

int TContinueQuest::_drawPanel() {
    SetColor(255, 255, 255);
    SetBlend(ALPHABLEND);
    SetRotation(0);
    const float s = 0.7f + 0.3f * alpha;
    SetScale(s, s);
    SetAlpha(alpha);
    if (img) DrawImage(img, 512, 358);
    SetScale(1, 1);
    return 0;
}

int TContinueQuest::draw() {
    _drawBack();
    _drawFade();
    _drawPanel();
    _drawGui();
    _drawMouse();
    return 0;
}

int TContinueQuest::askNew() {
    auto& ask = profileDialogs().yesOrNo;
    if (!ask) return 1;
    // One question at a time: while "start over?" is asked, the scroll, its buttons and its
    // dim step aside (the pop-up brings its own dim), and after "no" they stand as they
    // stood. After "yes" the scroll is already gone, so the overlay ends at once.
    const float shownAlpha = alpha, shownFade = fade;
    auto widgetsAt = [this](float a) {
        if (Gui)
            for (auto& w : Gui->_listaObiektow)
                if (w) w->_alpha = w->_dAlpha = a;
    };
    asking = true;
    alpha = 0;
    fade = 0;
    widgetsAt(0);
    const int yes = ask(mainMenu.txtAreYouSure2, *this);
    asking = false;
    if (yes == 0) {
        alpha = shownAlpha;
        fade = shownFade;
        widgetsAt(alpha);
    }
    return yes;
}

int TContinueQuest::_controlGUI() {
    if (!Gui) return 0;
    // Live until the loop ends: a later click replaces the answer.
    if (Gui->clickedItem("resume")) {
        wynik = "CONTINUE";
        dAlpha = 0;
        dFade = 0;
    }
    if (Gui->clickedItem("new") && askNew() != 0) {
        wynik = "NEW";
        dAlpha = 0;
        dFade = 0;
    }
    if (Gui->clickedItem("exit")) {
        wynik.clear();
        dAlpha = 0;
        dFade = 0;
    }
    return 0;
}

// Ends on the frame the scroll has faded away.
bool TContinueQuest::finished() const { return alpha == 0 && dAlpha == 0; }

std::string TContinueQuest::mainLoop() {
    prepare();
    runFrames();
    return wynik;
}

// ---- casual or hard ------------------------------------------------------------------------

int TPickFlow::setup() {
    Gui = loadGui(bDir + "gfx/gui/pickFlow/pickFlow.gui");
    // The same picture as the pop-up's panel.
    if (!img) img = LoadImage(bDir + "gfx/gui/popUp/panel.png");
    loaded = true;
    return 0;
}

int TPickFlow::prepare() {
    if (!loaded) setup();
    alpha = 0;
    dAlpha = 1;
    fade = 0;
    dFade = 0;
    return 0;
}

int TPickFlow::_drawPanel() {
    drawModalDim(alpha);
    SetColor(255, 255, 255);
    SetAlpha(alpha);
    SetBlend(ALPHABLEND);
    SetScale(1, 1);
    SetRotation(0);
    if (img) DrawImage(img, float(512 - ImageWidth(img) / 2), float(384 - ImageHeight(img) / 2));
    return 0;
}

int TPickFlow::draw() {
    _drawBack();
    _drawPanel();
    _drawGui();
    _drawFade();
    _drawMouse();
    return 0;
}

int TPickFlow::goCASUAL() {
    if (profileManager.profile) profileManager.profile->flowType = "CASUAL";
    dFade = 1;
    return 0;
}

int TPickFlow::goHARD() {
    if (profileManager.profile) profileManager.profile->flowType = "HARD";
    dFade = 1;
    return 0;
}

int TPickFlow::_controlGUI() {
    if (!Gui) return 0;
    if (Gui->clickedItem("casual")) goCASUAL();
    if (Gui->clickedItem("hard")) goHARD();
    return 0;
}

// Ends once the screen has gone dark after a choice.
bool TPickFlow::finished() const { return fade == 1 && dFade == 1; }

std::string TPickFlow::mainLoop() {
    // The choice is written into the current player; without one there is nothing to
    // start (the router may be sent here before any profile exists).
    if (!profileManager.profile) {
        Notify("There is no current player: back to the main menu.");
        return "MAIN-MENU";
    }
    prepare();
    runFrames();
    mainMenu.fade = 1;
    mainMenu.dFade = 1;
    return "START-NEW-GAME";
}
