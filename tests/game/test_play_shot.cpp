// A picture of the play screen mid-level with real OpenGL, for a person to look at. Not part
// of the unit run (it needs the built asset tree and a GL context):
//   SDL_VIDEODRIVER=offscreen ZERKON_PLAY_ASSETS=<tree>/ ZERKON_PLAY_SHOT=out.png
//   (ZERKON_PLAY_SHOT_MENU=box.png for the choice box too)
//   game_tests --gtest_also_run_disabled_tests --gtest_filter='*PlayShot*'
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "app/frame.h"
#include "app/profile/profile.h"
#include "app/profile/profile_manager.h"
#include "effects/effects.h"
#include "game/board/level.h"
#include "game/board/number.h"
#include "game/board/tile.h"
#include "game/level/levelfile.h"
#include "game/level/sets.h"
#include "game/play/main_game.h"
#include "game/play/play_overlay.h"
#include "gui/frame/aspect.h"
#include "gui/frame/deltatime.h"
#include "gui/frame/mouse.h"
#include "gui/globals.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/system.h"

namespace {

TEST(PlayShot, DISABLED_MidLevelPicture) {
    const char* tree = std::getenv("ZERKON_PLAY_ASSETS");
    const char* out = std::getenv("ZERKON_PLAY_SHOT");
    if (!tree || !out) GTEST_SKIP() << "set ZERKON_PLAY_ASSETS and ZERKON_PLAY_SHOT";
    setenv("ZERKON_HEADLESS", "0", 1);
    // Missing pieces of the tree are printed, not shown in boxes nobody can close.
    SetNotifyHandler([](const std::string& text) { std::fprintf(stderr, "notice: %s\n", text.c_str()); });
    InitPlatform(false);
    if (!Graphics(1024, 768, 0, 60)) GTEST_SKIP() << "no GL context";
    SetAspectResolution(1024, 768, 3);
    bDir = tree;
    lang = "en";
    int32_t now = 1000;
    SetClockSource([&] { return now; });
    loadTiles();
    loadTilesHide();
    loadTilesOver();
    loadTresures();
    setupNumbers();
    setupBoardEffects();
    installEffects();
    loadMouseCursors();
    resetMainGame();
    mainGame.setup();
    installPlayScreen();
    auto profile = std::make_shared<TProfile>();
    profile->numerStageu = 10;
    profile->numerLevelu = 4;
    profileManager.profile = profile;
    const char* file = std::getenv("ZERKON_PLAY_LEVEL");
    auto level = loadLevel(bDir + (file ? file : "data/levels/casual/010.lvl"), 1);
    ASSERT_TRUE(level);
    mainGame.setLevel(level);
    mainGame.restartWorek();
    playHooks().saveGameData = [] {};
    mainGame.prepare();
    auto step = [&](int n) {
        for (int i = 0; i < n; ++i) {
            now += 17;
            // The offscreen window never has the focus: flip without the pause overlay.
            Cls();
            mainGame.update();
            mainGame.draw();
            Flip();
            mainGame._controlGUI();
        }
    };
    step(200);
    // A few moves: a row uncovered, a wrong one, then a line held under the pointer.
    TTile* a = level->at(level->rows / 2, 0);
    TTile* b = level->at(level->rows / 2, level->cols - 1);
    InjectMouseMove(a->x(), a->y());
    InjectMouseButton(1, true);
    step(2);
    InjectMouseMove(b->x(), b->y());
    step(2);
    InjectMouseButton(1, false);
    step(40);
    mainGame.mnoznik = 2.0f;
    level->czas = 187;
    TTile* c = level->at(1, 1);
    TTile* d = level->at(1, 4);
    InjectMouseMove(c->x(), c->y());
    InjectMouseButton(2, true);
    step(2);
    InjectMouseMove(d->x(), d->y());
    step(2);
    Cls();
    mainGame.update();
    mainGame.draw();
    Pixmap shot;
    ASSERT_TRUE(GrabScreen(shot));
    ASSERT_TRUE(SavePixmapPNG(shot, out));
    InjectMouseButton(2, false);
    if (const char* out2 = std::getenv("ZERKON_PLAY_SHOT_MENU")) {
        // The stand-in choice box over the board, as the lose screen shows it.
        Cls();
        mainGame.draw();
        playChoiceStep("The chest is broken!", {{"Try again", "RESTART"}, {"Sea map", "MAPA"}, {"Main menu", "MAIN-MENU"}});
        Pixmap box;
        ASSERT_TRUE(GrabScreen(box));
        ASSERT_TRUE(SavePixmapPNG(box, out2));
    }
    CloseGraphics();
}

}  // namespace
