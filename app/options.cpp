#include "app/options.h"

#include "app/app_globals.h"
#include "app/sound.h"
#include "gui/data/qcmfile.h"
#include "gui/frame/letterbox.h"
#include "gui/frame/mouse.h"
#include "platform/files.h"
#include "platform/system.h"

TOptions options;

namespace {
std::function<bool(int, int, int, int)> gOpener;

bool openMode(int w, int h, int depth) {
    if (gOpener) return gOpener(w, h, depth, 60);
    return Graphics(w, h, depth, 60);
}

// The window sizes by desktop height, largest first; a refused size tries the next one.
bool openWindowFor(int32_t dh) {
    static const int sizes[3][2] = {{1024, 768}, {819, 614}, {640, 480}};
    int first = dh > 768 ? 0 : (dh > 600 ? 1 : 2);
    for (int i = first; i < 3; ++i)
        if (openMode(sizes[i][0], sizes[i][1], 0)) return true;
    return false;
}
}  // namespace

TOptions::TOptions() = default;

std::string settingsPath() { return myDocsFolder + "/Data/settings.dat"; }

int TOptions::loadOptions() {
    if (files::fileType(settingsPath()) == files::FILETYPE_NONE) saveOptions();
    auto file = loadQCMFile(settingsPath());
    fullScreen = int32_t(file->getFloat("settings::fullScreen", 0));
    wideScreen = int32_t(file->getFloat("settings::wideScreen", 0));
    customCursor = int32_t(file->getFloat("settings::customCursor", 0));
    soundVol = file->getFloat("settings::soundVolume", 0);
    musicVol = file->getFloat("settings::musicVolume", 0);
    if (musicVol < 0.05f) musicVol = 0;
    if (soundVol < 0.05f) soundVol = 0;
    globalSnd.setMusicVol(musicVol);
    globalSnd.setSoundVol(soundVol);
    return 0;
}

int TOptions::saveOptions() {
    auto file = createQCMFile();
    file->setFloat("settings::fullScreen", float(fullScreen), 0);
    file->setFloat("settings::wideScreen", float(wideScreen), 0);
    file->setFloat("settings::customCursor", float(customCursor), 0);
    file->setFloat("settings::musicVolume", musicVol, 0);
    file->setFloat("settings::soundVolume", soundVol, 0);
    file->save(settingsPath());  // a failure is reported by the file; the game goes on
    return 0;
}

int TOptions::openScreen() { return openScreenASPECT(1024, 768, fullScreen, wideScreen); }

int TOptions::switchScreen() {
    fullScreen = fullScreen != 0 ? 0 : 1;
    return openScreen();
}

int TOptions::setupMouse() {
    if (customCursor != 0) {
        mouse._v = 1;
        HideMouse();
    } else {
        mouse._v = 0;
        ShowMouse();
    }
    return 0;
}

int TOptions::checkSoundStuff() {
    auto clamp01 = [](float& v) {
        if (v < 0) v = 0;
        if (v > 1) v = 1;
    };
    clamp01(musicVol);
    clamp01(soundVol);
    globalSnd.setMusicVol(musicVol);
    globalSnd.setSoundVol(soundVol);
    return 0;
}

int openScreenASPECT(int32_t width, int32_t height, int32_t full, int32_t wide) {
    const int32_t dw = _desktopWidth(), dh = _desktopHeight();
    bool opened = false;
    if (full != 0) {
        if (wide != 0) {
            opened = openMode(dw, dh, 32) || openMode(dw, dh, 32);
        } else {
            opened = openMode(width, height, 32) || openMode(800, 600, 32);
        }
        // Both full-screen modes refused: a window is better than no display at all.
        if (!opened) opened = openWindowFor(dh);
    } else {
        opened = openWindowFor(dh);
    }
    if (!opened) {
        Notify("The display could not be opened (no full-screen mode and no window). The game ends.",
               true);
        endProcessWithCode(1);
    }
    SetAspectResolution(float(full != 0 ? width : 1024), float(full != 0 ? height : 768), 3);
    return 0;
}

int32_t _desktopWidth() { return _START_DESKTOP_WIDTH; }
int32_t _desktopHeight() { return _START_DESKTOP_HEIGHT; }

void SetDisplayOpener(std::function<bool(int, int, int, int)> opener) { gOpener = std::move(opener); }

void resetOptions() {
    options.fullScreen = 1;
    options.wideScreen = 1;
    options.customCursor = 1;
    options.soundVol = 0.5f;
    options.musicVol = 0.5f;
    options.cursor = 0;
    options.debugMode = 1;
    options.ekran = nullptr;
    options.wynik.clear();
    gOpener = nullptr;
    SetMouseOptionSource(&options.fullScreen, &options.customCursor);
}
