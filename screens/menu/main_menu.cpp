#include "screens/menu/main_menu.h"

#include <algorithm>
#include <cmath>

#include "app/frame.h"
#include "app/app_globals.h"
#include "app/options.h"
#include "app/profile/profile_manager.h"
#include "app/sound.h"
#include "gui/core/gui.h"
#include "gui/data/txtfile.h"
#include "gui/frame/letterbox.h"
#include "gui/frame/deltatime.h"
#include "gui/frame/fontcache.h"
#include "gui/frame/mouse.h"
#include "gui/globals.h"
#include "platform/input.h"
#include "platform/system.h"
#include "screens/awards/award_screen.h"
#include "screens/menu/menu_overlays.h"
#include "screens/panels/enter_name.h"
#include "gui/text/type_style.h"

TMainMenu mainMenu;

namespace {

constexpr float kPi = 3.14159265358979f;
float sinDeg(float d) { return std::sin(d * kPi / 180.0f); }

void resetDrawState() {
    SetColor(255, 255, 255);
    SetAlpha(1);
    SetBlend(ALPHABLEND);
    SetScale(1, 1);
    SetRotation(0);
}

}  // namespace

TMenuHooks& menuHooks() {
    static TMenuHooks h;
    return h;
}

void resetMainMenu() {
    mainMenu.~TMainMenu();
    new (&mainMenu) TMainMenu();
    menuHooks() = TMenuHooks{};
}

TMainMenu::Cover::Cover(TMainMenu& menu, std::function<float()> shown) : menu_(menu) {
    menu_.covers.push_back(std::move(shown));
}

TMainMenu::Cover::~Cover() { menu_.covers.pop_back(); }

float TMainMenu::buttonsShown() const {
    float over = 0;
    for (const auto& shown : covers)
        if (shown) over = std::max(over, std::clamp(shown(), 0.0f, 1.0f));
    return 1.0f - over;
}

float TMainMenu::slideX(float per) { return 735.0f + (1.0f - sinDeg(90.0f * per)) * 550.0f; }

// ---- setup ---------------------------------------------------------------------------------

int TMainMenu::setup() {
    auto txt = loadTxtFile(bDir + "txt/" + lang + "/mainMenu.txt");
    txtHello = readTxtData(txt, 3);
    txtHello1 = readTxtData(txt, 1);
    txtHello2 = readTxtData(txt, 2);
    txtAreYouSure1 = readTxtData(txt, 10);
    txtAreYouSure2 = readTxtData(txt, 11);
    font = myLoadImageFont(bDir + "gfx/fonts/berry.ttf", 24);
    Gui = loadGui(bDir + "gfx/gui/mainMenu/mainMenu.gui");
    logo = LoadImage(bDir + "gfx/gui/mainMenu/" + lang + "/logo.png");
    back = LoadImage(bDir + "gfx/gui/mainMenu/back.jpg");
    cloud[0] = LoadImage(bDir + "gfx/gui/mainMenu/cloud-1.png");
    cloud[1] = LoadImage(bDir + "gfx/gui/mainMenu/cloud-2.png");
    beamsList.clear();
    for (const char* name : {"beam-1.png", "beam-2.png", "beam-3.png"})
        beamsList.push_back(TBeam::createBeam(std::string("gfx/gui/mainMenu/") + name, 0, 0));
    sparkDim[0] = createSimpleDim(864, 702);
    sparkDim[1] = createSimpleDim(856, 722);
    sparkDim[2] = createSimpleDim(876, 631);
    fSpeed = 0.02f;
    loaded = true;
    return 0;
}

// ---- per frame -----------------------------------------------------------------------------

int TMainMenu::update() {
    _updateSystem(0);
    _updateGUI();
    _updateFade();
    _updateParticles(&sparks);
    _updateEfekty();
    _updateSky();
    _updateLight();
    _updateJump();
    return 0;
}

int TMainMenu::_updateGUI() {
    if (Millisecs() > logoStart) dGuiPer[0] = 1;
    for (int k = 0; k < kSlides; ++k) easeToward(guiPer[size_t(k)], dGuiPer[size_t(k)], 0.04f, delta);
    // Each button sets off once the one before it is half way in.
    for (int k = 1; k < kSlides; ++k)
        if (guiPer[size_t(k - 1)] >= 0.5f) dGuiPer[size_t(k)] = 1;
    if (!Gui) return 0;
    // Only the first four widgets slide; any further widget keeps its place from the layout.
    int k = 0;
    for (auto& w : Gui->_listaObiektow) {
        if (!w) continue;
        if (k >= kSlides) break;
        w->dim->x = slideX(guiPer[size_t(k)]);
        w->countDims();
        ++k;
    }
    Gui->update();
    return 0;
}

int TMainMenu::_updateEfekty() {
    if (Millisecs() > sparkTime) {
        sparkTime = Millisecs() + 1000;
        const auto& d = sparkDim[size_t(Rand(0, 2))];
        if (d) createSparkParticle(d->x, d->y, &sparks);
    }
    return 0;
}

int TMainMenu::_updateSky() {
    easeToward(skyA, dSkyA, 0.005f, delta);
    if (skyA == dSkyA) dSkyA = dSkyA == 0 ? 1.0f : 0.0f;
    return 0;
}

void TMainMenu::managerRect(int& x, int& y, int& w, int& h) const {
    SetImageFont(font);
    w = TextWidth(txtManager);
    h = TextHeight(txtManager);
    x = int(manX - float(w / 2));
    y = int(manY - float(h / 2));
}

int TMainMenu::_updateLight() {
    int x = 0, y = 0, w = 0, h = 0;
    managerRect(x, y, w, h);
    dLight = mouse.inRect(x, y, w, h) ? 1.0f : 0.0f;
    easeToward(light, dLight, 0.02f, delta);
    return 0;
}

int TMainMenu::_updateJump() {
    if (Millisecs() < logoStart) return 0;
    if (jumpPer < dJumpPer) {
        jumpPer += jSpeed * delta;
        if (jumpPer >= dJumpPer) {
            jumpPer = dJumpPer;
            dJumpPer = dJumpPer == 0 ? 1.0f : 0.0f;
        }
    } else if (jumpPer > dJumpPer) {
        jumpPer -= jSpeed * delta;
        if (jumpPer <= dJumpPer) {
            // Landed: the next bounce is lower and quicker.
            jumpPer = dJumpPer;
            dJumpPer = dJumpPer == 0 ? 1.0f : 0.0f;
            cutJump();
        }
    }
    jumpH = jump * sinDeg(90.0f * jumpPer);
    return 0;
}

int TMainMenu::cutJump() {
    jump = jump / 2.5f;
    jSpeed = std::min(jSpeed * 1.5f, 1.0f);
    if (jump < 1) jump = 0;
    return 0;
}

int TMainMenu::_prepareLogoJump() {
    jSpeed = 0.04f;
    jump = 1000;
    jumpPer = 1;
    dJumpPer = 0;
    cutJump();
    logoStart = Millisecs() + 500;
    guiPer.fill(0);
    dGuiPer.fill(0);
    return 0;
}

int TMainMenu::_prepareManagerButton() {
    if (profileManager.profile) txtManager = txtHello1 + profileManager.profile->name + txtHello2;
    else txtManager = txtHello;
    return 0;
}

// ---- drawing -------------------------------------------------------------------------------

int TMainMenu::_drawSky() {
    resetDrawState();
    if (cloud[0]) DrawImage(cloud[0], 120, 0);
    SetAlpha(skyA);
    if (cloud[1]) DrawImage(cloud[1], 120, 0);
    return 0;
}

int TMainMenu::_drawBack2() {
    resetDrawState();
    if (back) DrawImage(back, 0, 0);
    return 0;
}

int TMainMenu::_drawBeams() {
    for (auto& b : beamsList) {
        if (!b) continue;
        b->update();
        b->draw();
    }
    return 0;
}

int TMainMenu::_drawLogo() {
    if (Millisecs() < logoStart) return 0;
    resetDrawState();
    if (logo) DrawImage(logo, float(1035 - ImageWidth(logo)), -25.0f - jumpH);
    return 0;
}

int TMainMenu::_drawManager() {
    int cx = 0, cy = 0, w = 0, h = 0;
    managerRect(cx, cy, w, h);
    SetScale(1, 1);
    SetRotation(0);
    const TRGB& ink = typestyle::kInk;
    const TRGB& lit = typestyle::kHighlight;
    const TRGB& gold = typestyle::kGold;
    SetColor(ink.r, ink.g, ink.b);
    SetAlpha(0.5f);
    SetBlend(ALPHABLEND);
    DrawText(txtManager, float(cx + 1), float(cy + 1));
    SetColor(lit.r, lit.g, lit.b);
    SetAlpha(light * 0.3f);
    SetBlend(LIGHTBLEND);
    DrawText(txtManager, float(cx + 1), float(cy - 1));
    DrawText(txtManager, float(cx - 1), float(cy - 1));
    DrawText(txtManager, float(cx + 1), float(cy + 1));
    DrawText(txtManager, float(cx - 1), float(cy + 1));
    SetColor(gold.r, gold.g, gold.b);
    SetAlpha(1);
    SetBlend(ALPHABLEND);
    DrawText(txtManager, float(cx), float(cy));
    SetAlpha(light);
    DrawText(txtManager, float(cx), float(cy));
    return 0;
}

int TMainMenu::draw() {
    _drawSky();
    _drawBack2();
    _drawBeams();
    _drawLogo();
    resetDrawState();
    // The title's own update leaves the widgets' opacity alone: it is the cover's.
    if (Gui)
        for (auto& w : Gui->_listaObiektow)
            if (w) w->_alpha = w->_dAlpha = buttonsShown();
    _drawGui();
    _drawManager();
    resetDrawState();
    _drawParticles(&sparks);
    _drawFade();
    _drawMouse();
    return 0;
}

// ---- the visit -----------------------------------------------------------------------------

int TMainMenu::prepare() {
    if (!loaded) setup();
    fade = 1;
    dFade = 0;
    globalSnd.playMyMusic("title-screen");
    _prepareManagerButton();
    _prepareLogoJump();
    return 0;
}

std::string TMainMenu::mainLoop() {
    prepare();
    do {
        AspectCls();
        update();
        if (fade == 0 && !profileManager.profile) {
            Cover entry(*this, [] { return enterName.alpha; });
            profileManager.check();
        }
        draw();
        myFlip(1, this);
        if (fade == 0) _controlGUI();
        if (KeyHit(KEY_SPACE)) _prepareLogoJump();
    } while (!(fade == 1 && dFade == 1));
    if (wynik == "END") globalSnd.stopAllSounds();
    return wynik;
}

int TMainMenu::_controlGUI() {
    if (Gui) {
        if (Gui->clickedItem("play")) goPlay();
        if (Gui->clickedItem("exit")) goExit();
        if (Gui->clickedItem("awards")) goAwards();
        if (Gui->clickedItem("options")) goSettings();
    }
    if (cheats != 0 && KeyHit('H') && menuHooks().highscores) menuHooks().highscores(*this);
    if (dLight == 1 && mouse.leftPressed) goUsers();
    return 0;
}

std::string TMainMenu::askContinue() { return continueQuest.mainLoop(); }
std::string TMainMenu::askFlow() { return pickFlow.mainLoop(); }

std::string TMainMenu::continueGame() {
    TProfile* p = profileManager.profile.get();
    if (!p) return "MAIN-MENU";
    std::string next = p->ContinueGame();
    // A profile with nothing recorded to resume (no game type) must not end the router:
    // the entry at its position is prepared again, or the progression starts over.
    if (next.empty()) next = p->flowSequence > 0 ? "RESTART-LEVEL" : "GET-NEXT-LEVEL";
    return next;
}

int TMainMenu::goPlay() {
    TProfile* p = profileManager.profile.get();
    if (!p) return 0;  // the name entry comes first
    if (p->canContinue()) {
        const std::string answer = askContinue();
        if (answer == "CONTINUE") {
            wynik = continueGame();
            dFade = 1;
            globalSnd.musicGoDown();
        } else if (answer == "NEW") {
            // Straight on from the question: the buttons stay away while the choice fades in.
            Cover stayAway(*this, [] { return 1.0f; });
            wynik = askFlow();
            dFade = 1;
        }
    } else {
        wynik = askFlow();
        dFade = 1;
    }
    return 0;
}

int TMainMenu::goExit() {
    Cover question(*this, [] { return 1.0f; });  // the pop-up shows at once
    if (profileDialogs().yesOrNo && profileDialogs().yesOrNo(txtAreYouSure1, *this) != 0) {
        wynik = "END";
        dFade = 1;
    }
    return 0;
}

int TMainMenu::goAwards() {
    Cover gallery(*this, [] { return awardScreen.alpha; });
    if (menuHooks().awards) menuHooks().awards(*this);
    return 0;
}

int TMainMenu::goSettings() {
    Cover panel(*this, [] { return options.alpha; });
    options.mainLoop(this);
    return 0;
}

int TMainMenu::goUsers() {
    Cover panel(*this, [] { return profileManager.alpha; });
    profileManager.mainLoop();
    _prepareManagerButton();
    return 0;
}
