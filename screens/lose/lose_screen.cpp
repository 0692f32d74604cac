#include "screens/lose/lose_screen.h"

#include <cmath>
#include <new>

#include "app/frame.h"
#include "app/sound.h"
#include "effects/kamien.h"
#include "effects/odpad.h"
#include "gui/core/gui.h"
#include "gui/data/txtfile.h"
#include "gui/frame/fontcache.h"
#include "gui/frame/mouse.h"
#include "gui/globals.h"
#include "gui/text/draw.h"
#include "gui/text/split.h"
#include "gui/text/type_style.h"
#include "gui/widgets/button.h"
#include "platform/input.h"
#include "screens/play/main_game.h"

TLoseScreen loseScreen;

namespace {

constexpr float kDegToRad = 3.14159265358979f / 180.0f;
constexpr float kCentreX = 512;
constexpr float kCentreY = 384;
// How far above its place the panel (and every button) starts.
constexpr float kDrop = 400;
constexpr float kFirstRow = 310;
constexpr float kRowStep = 70;
// The message column: 60 px in from either side of the panel, starting 180 px above its centre.
constexpr int kTextInset = 60;
constexpr float kTextAbove = 180;
// Without a panel picture the message still gets a column of this panel's width.
constexpr int kNominalPanelWidth = 520;

struct Answer {
    const char* name;     // widget in the layout
    int captionLine;      // caption of the stand-in button in loseScreen.txt
    const char* caption;  // when the text file lacks that line
};
constexpr Answer kAnswers[3] = {
    {"restart", 1, "Try again"},
    {"mapa", 2, "Sea map"},
    {"mainMenu", 3, "Main menu"},
};

constexpr const char* kMissingLine = "(BEYOND TEXT ARRAY LENGTH!)";

}  // namespace

int TLoseScreen::setup() {
    auto txt = loadTxtFile(bDir + "txt/#LANG#/loseScreen.txt");
    txtInfo1 = readTxtData(txt, 4);
    txtInfo2 = readTxtData(txt, 5);
    Gui = loadGui(bDir + "gfx/gui/loseScreen/loseScreen.gui");
    panel = LoadImage(bDir + "gfx/gui/loseScreen/panel.png");
    if (panel) MidHandleImage(panel);
    font = myLoadImageFont(bDir + "gfx/fonts/berry.ttf", 32);

    // The three answers are the only way out of the panel: each must be a live button.
    for (int i = 0; i < 3; ++i) {
        const Answer& ans = kAnswers[i];
        auto existing = Gui->getItemAs<TButton>(ans.name);
        if (existing) {
            if (!existing->_v || !existing->_a) {
                errorMsg("loseScreen.gui: button " + std::string(ans.name) +
                         " is hidden or inactive; it is switched on");
                existing->setState(1, 1);
            }
            continue;
        }
        errorMsg("loseScreen.gui: no button " + std::string(ans.name) + "; a plain one stands in");
        std::string caption = readTxtData(txt, ans.captionLine);
        if (caption.empty() || caption == kMissingLine) caption = ans.caption;
        auto b = textButton(ans.name, caption, myLoadImageFont(bDir + "gfx/fonts/berry.ttf", 28),
                            int(kCentreX), int(kFirstRow + kRowStep * float(i)),
                            createRGB(247, 222, 113), createRGB(43, 26, 12), 1, 1);
        if (b) Gui->addItem(b);
    }
    loaded = true;
    return 0;
}

int TLoseScreen::prepare(TEkran* screen) {
    if (!loaded) setup();
    ekran = screen;
    alpha = 0;
    dAlpha = 1;
    fade = 0;
    dFade = 0.5f;
    wynik.clear();
    txtInfo = txtInfo1;
    if (screen && screen == layPuzzle) txtInfo = txtInfo2;
    globalSnd.playMySound("lose");
    return 0;
}

float TLoseScreen::panelY() const {
    return kCentreY - kDrop * (1.0f - std::sin(90.0f * alpha * kDegToRad));
}

int TLoseScreen::update() {
    _updateSystem(0);
    _updateAlpha();
    _updateFade();
    // The play screen stands still behind the panel; its stones and debris fly on.
    _updateKamienie();
    _updateOdpady();
    _updateGUI();
    return 0;
}

int TLoseScreen::_updateGUI() {
    if (!Gui) return 0;
    const float v = 1.0f - std::sin(90.0f * alpha * kDegToRad);
    int i = 0;
    for (auto& obj : Gui->_listaObiektow) {
        auto* b = dynamic_cast<TButton*>(obj.get());
        if (!b) continue;
        b->dim->y = kFirstRow + kRowStep * float(i) - kDrop * v;
        b->countDims();
        ++i;
    }
    Gui->update();
    return 0;
}

int TLoseScreen::_drawBack() {
    if (ekran) ekran->draw();
    return 0;
}

int TLoseScreen::_drawPanel() {
    const float y = panelY();
    SetColor(255, 255, 255);
    SetBlend(ALPHABLEND);
    SetRotation(0);
    SetScale(1, 1);
    SetAlpha(alpha);
    if (panel) DrawImage(panel, kCentreX, y);

    const int pw = panel ? ImageWidth(panel) : kNominalPanelWidth;
    const float width = float(pw - 2 * kTextInset);
    const int left = int(kCentreX) - (pw / 2 - kTextInset);
    const int top = int(y - kTextAbove);
    // A title on wood: gold over a soft ink shadow.
    const TRGB& ink = typestyle::kInk;
    const TRGB& gold = typestyle::kGold;
    SetColor(ink.r, ink.g, ink.b);
    SetAlpha(0.5f * alpha);
    drawSpecText(txtInfo, left + 3, top + 3, width, "CENTER", 0, font, 1);
    SetColor(gold.r, gold.g, gold.b);
    SetAlpha(alpha);
    drawSpecText(txtInfo, left, top, width, "CENTER", 0, font, 1);
    SetColor(255, 255, 255);
    return 0;
}

int TLoseScreen::draw() {
    _drawBack();
    _drawFade();
    _drawPanel();
    _drawGui();
    _drawMouse();
    return 0;
}

int TLoseScreen::_controlGUI() {
    if (!Gui) return 0;
    if (Gui->clickedItem("restart")) goRestart();
    if (Gui->clickedItem("mapa")) goMap();
    if (Gui->clickedItem("mainMenu")) goMainMenu();
    return 0;
}

namespace {
void answer(TLoseScreen& s, const char* what) {
    s.wynik = what;
    s.dAlpha = 0;
    s.dFade = 0;
    // Stones still under way must not land on whatever comes next.
    fx::clear(listaKamieni);
}
}  // namespace

int TLoseScreen::goRestart() {
    answer(*this, "RESTART");
    return 0;
}

int TLoseScreen::goMap() {
    answer(*this, "MAPA");
    return 0;
}

int TLoseScreen::goMainMenu() {
    answer(*this, "MAIN-MENU");
    return 0;
}

bool TLoseScreen::frame() {
    Cls();
    update();
    draw();
    myFlip(1, this);
    _controlGUI();
    return !done();
}

std::string TLoseScreen::mainLoop(TEkran* screen) {
    prepare(screen);
    while (frame()) {
    }
    mouse.clear();
    FlushMouse();
    FlushKeys();
    return wynik;
}

void installLoseScreen() {
    playHooks().loseScreen = [](TMainGame& game) { return loseScreen.mainLoop(&game); };
}

void resetLoseScreen() {
    loseScreen.~TLoseScreen();
    new (&loseScreen) TLoseScreen();
}
