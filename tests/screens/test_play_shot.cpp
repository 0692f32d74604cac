// A picture of the play screen mid-level with real OpenGL, for a person to look at. Not part
// of the unit run (it needs the built asset tree and a GL context):
//   SDL_VIDEODRIVER=offscreen ZERKON_PLAY_ASSETS=<tree>/ ZERKON_PLAY_SHOT=out.png
//   (ZERKON_PLAY_SHOT_MENU=box.png for the choice box too, ZERKON_PLAY_LEVEL=<level file>,
//   ZERKON_PLAY_STEPS=<frames before the moves>)
//   screens_tests --gtest_also_run_disabled_tests --gtest_filter='*PlayShot*'
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/frame.h"
#include "effects/effects.h"
#include "game/board/level.h"
#include "game/board/tile.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/system.h"
#include "screens/play/main_game.h"
#include "screens/play/play_overlay.h"
#include "support/gl_shot.h"

namespace {

TEST(PlayShot, DISABLED_MidLevelPicture) {
    const char* tree = std::getenv("ZERKON_PLAY_ASSETS");
    const char* out = std::getenv("ZERKON_PLAY_SHOT");
    if (!tree || !out) GTEST_SKIP() << "set ZERKON_PLAY_ASSETS and ZERKON_PLAY_SHOT";
    if (!glshot::open(tree)) GTEST_SKIP() << "no GL context";
    int32_t now = 1000;
    SetClockSource([&] { return now; });
    const char* file = std::getenv("ZERKON_PLAY_LEVEL");
    auto level = glshot::playLevel(file ? file : "data/levels/casual/010.lvl", 10, 4);
    ASSERT_TRUE(level);
    auto step = [&](int n) { glshot::playFrames(now, n, true); };
    // A big board takes longer to fly in: ZERKON_PLAY_STEPS frames before the moves.
    const char* steps = std::getenv("ZERKON_PLAY_STEPS");
    step(steps ? std::atoi(steps) : 200);
    // A few moves: a row uncovered, a wrong one, then a line held under the pointer.
    TTile* a = level->at(level->rows / 2, 0);
    TTile* b = level->at(level->rows / 2, level->cols - 1);
    glshot::playDrag(now, a->x(), a->y(), b->x(), b->y());
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
    ASSERT_TRUE(glshot::save(out));
    InjectMouseButton(2, false);
    if (const char* out2 = std::getenv("ZERKON_PLAY_SHOT_MENU")) {
        // The stand-in choice box over the board, as the lose screen shows it.
        Cls();
        mainGame.draw();
        playChoiceStep("The chest is broken!", {{"Try again", "RESTART"}, {"Sea map", "MAPA"}, {"Main menu", "MAIN-MENU"}});
        ASSERT_TRUE(glshot::save(out2));
    }
    CloseGraphics();
}

}  // namespace
