#include "app/options_screen/options_screen.h"

#include <algorithm>
#include <string>

#include "app/app_globals.h"
#include "app/frame.h"
#include "app/options.h"
#include "app/sound.h"
#include "gui/core/gui.h"
#include "gui/core/guiobject.h"
#include "gui/frame/deltatime.h"
#include "gui/frame/display.h"
#include "gui/frame/mouse.h"
#include "gui/globals.h"
#include "platform/graphics.h"
#include "platform/input.h"

namespace {

using namespace optionsGeometry;

std::vector<const TEkran*> gGameScreens;
const TEkran* gPlayScreen = nullptr;
std::function<void()> gCredits;
std::function<void(TEkran&)> gRules;

// Slider rows: fill strip and frame tops, knob centre, drag and beyond-end bands.
struct SliderRow {
    float fillY, frameY, knobY;
    int dragY1, dragY2;
    int bandY1, bandY2;
};
constexpr SliderRow kMusic{215, 210, 224, 211, 241, 212, 240};
constexpr SliderRow kSound{295, 290, 305, 290, 320, 292, 320};

// Shown = visible and active; a layout without the widget is left alone.
void show(TGui* gui, const char* name, bool on) {
    if (!gui) return;
    if (auto w = gui->getItem(name)) w->setState(on ? 1 : 0, on ? 1 : 0);
}

// A switch shows its "on" or its "off" button; any other value leaves both as they were.
void showSwitch(TGui* gui, int32_t value, const char* onName, const char* offName) {
    if (value != 0 && value != 1) return;
    show(gui, onName, value == 1);
    show(gui, offName, value == 0);
}

bool clicked(TGui* gui, const char* name) { return gui && gui->clickedItem(name) != 0; }

int32_t toggled(int32_t v) { return v == 0 ? 1 : 0; }

bool inBand(int y, int y1, int y2) { return y >= y1 && y <= y2; }

// Left of (A) or right of (B) the track within the band, while that slider is dragged.
int beyondEnd(int32_t holded, const SliderRow& row, bool left) {
    if (holded == 0 || !inBand(mouse.y, row.bandY1, row.bandY2)) return 0;
    return left ? (mouse.x < kTrackX1 ? 1 : 0) : (mouse.x > kTrackX2 ? 1 : 0);
}

// One slider's frame step: a held button on the track (or pinned beyond its ends) sets
// the volume from the pointer's x.
void dragSlider(const SliderRow& row, int inA, int inB, float& vol, int32_t& holded,
                int (TGlobalSnd::*apply)(float)) {
    const bool onTrack = mouse.x >= kTrackX1 && mouse.x <= kTrackX2 &&
                         inBand(mouse.y, row.dragY1, row.dragY2);
    if (!(onTrack || inA || inB) || mouse.leftHolded == 0) return;
    int x = mouse.x;
    if (inA) x = kTrackX1;
    if (inB) x = kTrackX2;
    vol = float(x - kTrackX1) / kTrackLength;
    (globalSnd.*apply)(vol);
    holded = 1;
}

}  // namespace

void SetOptionsGameScreens(std::vector<const TEkran*> gameScreens, const TEkran* playScreen) {
    gGameScreens = std::move(gameScreens);
    gPlayScreen = playScreen;
}

void AddOptionsGameScreen(const TEkran* screen) {
    if (screen && !optionsCallerIsGameScreen(screen)) gGameScreens.push_back(screen);
}

bool optionsCallerIsGameScreen(const TEkran* caller) {
    return caller && std::find(gGameScreens.begin(), gGameScreens.end(), caller) != gGameScreens.end();
}

bool optionsCallerIsPlayScreen(const TEkran* caller) { return caller && caller == gPlayScreen; }

void SetOptionsCreditsRunner(std::function<void()> runner) { gCredits = std::move(runner); }
void SetOptionsRulesRunner(std::function<void(TEkran&)> runner) { gRules = std::move(runner); }

void resetOptionsScreen() {
    gGameScreens.clear();
    gPlayScreen = nullptr;
    gCredits = nullptr;
    gRules = nullptr;
    options.Gui.reset();
    options.kosc.reset();
    options.pasek.reset();
    options.bar.reset();
    options.ekran = nullptr;
    options.wynik.clear();
    options.holdedMusic = 0;
    options.holdedSound = 0;
    options.zarAlpha = 0;
    options.dZarAlpha = 0;
    options.STANDARD_DATA();
}

// ---- TOptions: the screen side -----------------------------------------------------------

int TOptions::setup() {
    Gui = loadGui(bDir + "gfx/gui/options/options.gui");
    kosc = LoadImage(bDir + "gfx/gui/options/suwak.png");
    MidHandleImage(kosc);
    bar = LoadImage(bDir + "gfx/gui/options/bar.png");
    pasek = LoadImage(bDir + "gfx/gui/options/pasek.png");
    return 0;
}

int TOptions::prepare(TEkran* caller) {
    ekran = caller;
    alpha = 0;
    dAlpha = 1;
    fade = 0;
    dFade = 0.5f;
    wynik.clear();
    holdedMusic = 0;
    holdedSound = 0;
    const bool game = optionsCallerIsGameScreen(caller);
    TGui* gui = Gui.get();
    show(gui, "rules", optionsCallerIsPlayScreen(caller));
    show(gui, "restart", game);
    show(gui, "mainMenu", game);
    show(gui, "backToMap", game);
    show(gui, "credits", !game);
    return 0;
}

std::string TOptions::mainLoop(TEkran* caller) {
    prepare(caller);
    for (;;) {
        Cls();
        update();
        draw();
        myFlip(1, this);
        if (alpha == 1) _handleButtons();
        if (dAlpha == 0 && alpha == 0) break;
    }
    OverlayClosed();
    saveOptions();
    mouse.clear();
    FlushMouse();
    return wynik;
}

int TOptions::_handleButtons() {
    TGui* gui = Gui.get();
    // Esc first: when it was hit the OK button is not asked.
    if (KeyHit(KEY_ESCAPE) != 0 || clicked(gui, "ok")) {
        dAlpha = 0;
        dFade = 0;
    }
    if (clicked(gui, "on") || clicked(gui, "off")) switchScreen();
    if (clicked(gui, "onW") || clicked(gui, "offW")) {
        wideScreen = toggled(wideScreen);
        if (fullScreen != 0) openScreen();
    }
    if (clicked(gui, "onC") || clicked(gui, "offC")) {
        customCursor = toggled(customCursor);
        setupMouse();
    }
    if (clicked(gui, "plus1")) {
        musicVol += 0.05f;
        checkSoundStuff();
    }
    if (clicked(gui, "plus2")) {
        soundVol += 0.05f;
        checkSoundStuff();
    }
    if (clicked(gui, "minus1")) {
        musicVol -= 0.05f;
        checkSoundStuff();
    }
    if (clicked(gui, "minus2")) {
        soundVol -= 0.05f;
        checkSoundStuff();
    }
    if (clicked(gui, "credits")) goCREDITS();
    if (clicked(gui, "restart")) goRESTART();
    if (clicked(gui, "MAINMENU")) goMAINMENU();
    if (clicked(gui, "backToMap")) goBackToMap();
    if (clicked(gui, "rules")) goRULES();
    return 0;
}

int TOptions::update() {
    _updateSystem(0);
    _updateGUIOperations();
    _updateAlpha();
    _updateFade();
    _updateGui();
    _updateZarowka();
    return 0;
}

int TOptions::_updateGUIOperations() {
    TGui* gui = Gui.get();
    showSwitch(gui, fullScreen, "on", "off");
    showSwitch(gui, wideScreen, "onW", "offW");
    showSwitch(gui, customCursor, "onC", "offC");
    dragSlider(kMusic, mouseInMusicA(), mouseInMusicB(), musicVol, holdedMusic,
               &TGlobalSnd::setMusicVol);
    dragSlider(kSound, mouseInSoundA(), mouseInSoundB(), soundVol, holdedSound,
               &TGlobalSnd::setSoundVol);
    if (mouse.leftHolded == 0) {
        holdedMusic = 0;
        holdedSound = 0;
    }
    return 0;
}

int TOptions::_updateZarowka() {
    easeToward(zarAlpha, dZarAlpha, 0.05f, delta);
    return 0;
}

int TOptions::mouseInMusicA() { return beyondEnd(holdedMusic, kMusic, true); }
int TOptions::mouseInMusicB() { return beyondEnd(holdedMusic, kMusic, false); }
int TOptions::mouseInSoundA() { return beyondEnd(holdedSound, kSound, true); }
int TOptions::mouseInSoundB() { return beyondEnd(holdedSound, kSound, false); }

int TOptions::goRESTART() {
    wynik = "RESTART";
    dAlpha = 0;
    dFade = 0;
    return 0;
}

int TOptions::goMAINMENU() {
    wynik = "MAIN-MENU";
    dAlpha = 0;
    dFade = 0;
    return 0;
}

int TOptions::goBackToMap() {
    wynik = "MAPA";
    dAlpha = 0;
    dFade = 0;
    return 0;
}

int TOptions::goCREDITS() {
    if (gCredits) gCredits();
    return 0;
}

int TOptions::goRULES() {
    if (gRules) gRules(*this);
    return 0;
}

int TOptions::draw() {
    _drawBack();
    _drawFade();
    SetAlpha(1);
    SetColor(255, 255, 255);
    _drawGui();
    _drawHelp();
    _drawBars();
    _drawMouse();
    return 0;
}

int TOptions::_drawBack() {
    if (ekran) ekran->draw();
    SetColor(255, 255, 255);
    SetAlpha(1);
    SetBlend(ALPHABLEND);
    SetScale(1, 1);
    SetRotation(0);
    return 0;
}

int TOptions::_drawHelp() { return 0; }

int TOptions::_drawBars() {
    SetScale(1, 1);
    SetAlpha(alpha);
    SetColor(255, 255, 255);
    SetRotation(0);
    _drawPasek(float(kTrackX1), kMusic.fillY, musicVol);
    _drawPasek(float(kTrackX1), kSound.fillY, soundVol);
    DrawImage(bar, 380, kMusic.frameY);
    DrawImage(bar, 380, kSound.frameY);
    // The knob stays on the track even when a settings file holds a volume beyond 0..1.
    auto knobX = [](float vol) { return float(kTrackX1) + kTrackLength * std::clamp(vol, 0.0f, 1.0f); };
    DrawImage(kosc, knobX(musicVol), kMusic.knobY);
    DrawImage(kosc, knobX(soundVol), kSound.knobY);
    return 0;
}

int TOptions::_drawPasek(float x, float y, float fraction) {
    if (!pasek) return 0;
    // Never read past the strip's right edge (a hand-edited volume may exceed 1).
    const float f = std::clamp(fraction, 0.0f, 1.0f);
    const float w = float(ImageWidth(pasek)) * f;
    const float h = float(ImageHeight(pasek));
    if (w <= 0) return 0;
    DrawSubImageRect(pasek, x, y, w, h, 0, 0, w, h);
    return 0;
}
