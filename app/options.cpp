#include "app/options.h"

#include "app/app_globals.h"
#include "app/folders.h"
#include "app/settings_file.h"
#include "app/sound.h"
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
    const std::string path = settingsPath();
    if (files::fileType(path) == files::FILETYPE_NONE) saveOptions();
    TSettingsValues v;  // a first start's values, unless the file gives others
    bool rewrite = false;
    if (files::fileType(path) != files::FILETYPE_NONE) {
        std::string problem;
        auto text = readUserFile(path, problem);
        if (!text) {
            Notify("The settings file \"" + path + "\" " + problem + ". The default settings are used.");
        } else if (std::vector<std::string> mended; !readSettingsText(std::move(*text), v, &mended)) {
            const std::string copy = keepCorruptCopy(path);
            Notify("The settings file \"" + path + "\" is damaged, so the default settings are used." +
                   (copy.empty() ? std::string() : " A copy of it is kept as \"" + copy + "\"."));
        } else if (!mended.empty()) {
            std::string list;
            for (const auto& m : mended) list += (list.empty() ? "" : ", ") + m;
            Notify("The settings file \"" + path + "\" holds values out of range: " + list + ".");
            rewrite = true;  // in range from now on: told once
        }
    }
    fullScreen = v.fullScreen;
    wideScreen = v.wideScreen;
    customCursor = v.customCursor;
    soundVol = v.soundVol;
    musicVol = v.musicVol;
    if (rewrite) saveOptions();
    globalSnd.setMusicVol(musicVol);
    globalSnd.setSoundVol(soundVol);
    return 0;
}

int TOptions::saveOptions() {
    const TSettingsValues v{fullScreen, wideScreen, customCursor, musicVol, soundVol};
    const std::string path = settingsPath();
    noteSaveResult(files::saveText(settingsText(v), path), path);
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
