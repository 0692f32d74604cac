#pragma once
// What the picture tests share (the disabled *Shot* tests that draw a screen with real
// OpenGL over the built asset tree and save a PNG for a person to look at): leaving the
// headless backend for a 1024 x 768 GL display, putting a level on the play screen, and
// saving what the display shows.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/frame.h"
#include "app/profile/profile.h"
#include "app/profile/profile_manager.h"
#include "game/board/level.h"
#include "game/level/levelfile.h"
#include "gui/frame/letterbox.h"
#include "gui/frame/mouse.h"
#include "gui/globals.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/system.h"
#include "screens/play/main_game.h"

namespace glshot {

// Opens a real GL display of the virtual picture over the asset tree at `tree` (a folder
// name ending in '/') in English, with the tree's mouse pointers loaded. Missing pieces of
// the tree are printed, not shown in boxes nobody can close. False when no GL context can
// be had here: the caller skips.
inline bool open(const char* tree) {
    setenv("ZERKON_HEADLESS", "0", 1);
    SetNotifyHandler([](const std::string& text) { std::fprintf(stderr, "notice: %s\n", text.c_str()); });
    InitPlatform(false);
    if (!Graphics(1024, 768, 0, 60)) return false;
    SetAspectResolution(1024, 768, 3);
    bDir = tree;
    lang = "en";
    loadMouseCursors();
    return true;
}

// The story and intro pictures: a GL display over the tree named by ZERKON_STORY_ASSETS and
// the shot folder named by ZERKON_STORY_SHOTS (into `dir`, with a trailing '/'). Empty when
// both are there and GL opened, else the reason the caller skips.
inline std::string openStoryShots(std::string& dir) {
    const char* tree = std::getenv("ZERKON_STORY_ASSETS");
    const char* out = std::getenv("ZERKON_STORY_SHOTS");
    if (!tree || !out) return "set ZERKON_STORY_ASSETS and ZERKON_STORY_SHOTS";
    if (!open(tree)) return "no GL context";
    dir = std::string(out) + "/";
    return "";
}

// The play screen set up as the program does and started on the level file `file` (a path
// in the tree) for a new profile at stage `stage`, level `levelNr`; the game is never saved.
// Null when the level cannot be read.
inline std::shared_ptr<TLevel> playLevel(const std::string& file, int stage, int levelNr) {
    resetMainGame();
    setupPlayScreen();
    installPlayScreen();
    auto profile = std::make_shared<TProfile>();
    profile->numerStageu = stage;
    profile->numerLevelu = levelNr;
    profileManager.profile = profile;
    auto level = loadLevel(bDir + file, 1);
    if (!level) return nullptr;
    mainGame.setLevel(level);
    mainGame.restartWorek();
    playHooks().saveGameData = [] {};
    mainGame.prepare();
    return level;
}

// n frames of the play screen, the fake clock `now` advancing 17 ms each; with `controls`
// the screen's buttons take the mouse too. The offscreen window never has the focus: the
// frames flip without the pause overlay.
inline void playFrames(int32_t& now, int n, bool controls = false) {
    for (int i = 0; i < n; ++i) {
        now += 17;
        Cls();
        mainGame.update();
        mainGame.draw();
        Flip();
        if (controls) mainGame._controlGUI();
    }
}

// A drag of the left button from (x1, y1) to (x2, y2) over the play screen, two frames a
// step; the button is let go at the end, the frame after it is not run.
inline void playDrag(int32_t& now, float x1, float y1, float x2, float y2) {
    InjectMouseMove(x1, y1);
    InjectMouseButton(1, true);
    playFrames(now, 2, true);
    InjectMouseMove(x2, y2);
    playFrames(now, 2, true);
    InjectMouseButton(1, false);
}

// Writes what the display shows to a PNG at `path`.
inline bool save(const std::string& path) {
    Pixmap shot;
    return GrabScreen(shot) && SavePixmapPNG(shot, path);
}

}  // namespace glshot
