#include "app/frame.h"

#include "app/app_globals.h"
#include "app/ekran.h"
#include "app/options.h"
#include "app/sound.h"
#include "gui/frame/letterbox.h"
#include "gui/data/txtfile.h"
#include "gui/frame/deltatime.h"
#include "gui/frame/fontcache.h"
#include "gui/frame/modal.h"
#include "gui/frame/mouse.h"
#include "gui/globals.h"
#include "gui/text/draw.h"
#include "platform/input.h"

TImageFont pauseGameFont;
std::string txtPauseGame;

void loadPauseGameFont() { pauseGameFont = myLoadImageFont(bDir + "gfx/fonts/font.ttf", 72); }

void loadPauseGameText() { txtPauseGame = readTxtData(loadTxtFile(bDir + "txt/#LANG#/pauseGame.txt"), 1); }

namespace {
std::function<void()> gCloudPause;
std::function<void()> gCloudResume;

bool ctrlHeld() { return KeyDown(KEY_LCONTROL) || KeyDown(KEY_RCONTROL); }
bool altHeld() { return KeyDown(KEY_LALT) || KeyDown(KEY_RALT); }
}  // namespace

void SetCloudTimerHooks(std::function<void()> pause, std::function<void()> resume) {
    gCloudPause = std::move(pause);
    gCloudResume = std::move(resume);
}

int _updateSystem(int32_t flag) {
    deltaUpdate();
    if (flag != 0) mouse.updateSpec();
    else mouse.update();
    globalSnd.update();
    // The hit is read only while its modifier is held, so a plain F or Q stays for the screen.
    if (altHeld() && KeyHit(115)) ende(1);
    if (ctrlHeld() && KeyHit('F')) options.switchScreen();
    if (ctrlHeld() && KeyHit('Q')) ende(1);
    if (AppTerminate()) ende(1);
    return 0;
}

int myFlip(int32_t allowPause, TEkran* screen) {
    if (AppSuspended() && allowPause != 0) pauseGame(screen);
    Flip();
    AspectCls();
    return 0;
}

int pauseGame(TEkran* screen) {
    if (gCloudPause) gCloudPause();
    if (screen) screen->PauseMyGame();
    TImage frozen = GrabImage(0, 0, 1024, 768);
    globalSnd.stopAllSounds();
    SetScale(1, 1);
    SetBlend(ALPHABLEND);
    while (AppSuspended()) {
        Cls();
        SetImageFont(pauseGameFont);
        SetColor(255, 255, 255);
        SetAlpha(1);
        DrawImage(frozen, 0, 0);
        drawModalDim();
        // The title role at the caption's 72 px: gold carved in ink, centred.
        drawCarvedText(txtPauseGame, float(512 - TextWidth(txtPauseGame) / 2),
                       float(384 - TextHeight(txtPauseGame) / 2), 4);
        Flip();
        deltaUpdate();
        SetAspectColor(90, 30, 30);
        AspectCls();
        PollSystem();
        // A window closed while in the background must still end the game, or the
        // overlay would wait for a focus that never comes.
        if (AppTerminate()) ende(1);
    }
    if (gCloudResume) gCloudResume();
    globalSnd.resumeAllSounds();
    if (screen) screen->ResumeMyGame();
    return 0;
}

int loadMouseCursors() {
    for (const TCursorFile& c : gameCursorFiles)
        mouse.loadCursor(c.name, bDir + "gfx/gui/mouse/" + c.file, c.hx, c.hy, 1, 0);
    mouse.setCursor("HAND");
    return 0;
}

std::string getTimeString(int32_t seconds) {
    int32_t minutes = seconds / 60;
    int32_t rest = seconds % 60;
    auto two = [](int32_t v) { return (v < 10 ? "0" : "") + std::to_string(v); };
    return two(minutes) + ":" + two(rest);
}

int _drawGlobalDebugInfo() {
    if (options.debugMode != 0) {
        SetColor(255, 255, 255);
        SetScale(1, 1);
        SetAlpha(1);
        SetRotation(0);
    }
    return 0;
}

void resetFrameState() {
    pauseGameFont = nullptr;
    txtPauseGame.clear();
    gCloudPause = nullptr;
    gCloudResume = nullptr;
}
