// Pictures of the lose panel over a lost level and of captions over the board, drawn with
// real OpenGL for a person to look at. Not part of the unit run (it needs the built asset
// tree and a GL context):
//   SDL_VIDEODRIVER=offscreen ZERKON_LOSE_ASSETS=<tree>/ ZERKON_LOSE_SHOT=lose.png
//   ZERKON_CAPTION_SHOT=captions.png screens_tests --gtest_also_run_disabled_tests
//   --gtest_filter='*LoseShot*'
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/frame.h"
#include "effects/effects.h"
#include "game/board/level.h"
#include "game/board/tile.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/system.h"
#include "screens/lose/lose_screen.h"
#include "screens/play/main_game.h"
#include "support/gl_shot.h"

namespace {

TEST(LoseShot, DISABLED_PanelOverALostLevelAndCaptionsOnTheBoard) {
    const char* tree = std::getenv("ZERKON_LOSE_ASSETS");
    const char* loseOut = std::getenv("ZERKON_LOSE_SHOT");
    const char* captionOut = std::getenv("ZERKON_CAPTION_SHOT");
    if (!tree || !loseOut || !captionOut)
        GTEST_SKIP() << "set ZERKON_LOSE_ASSETS, ZERKON_LOSE_SHOT and ZERKON_CAPTION_SHOT";
    if (!glshot::open(tree)) GTEST_SKIP() << "no GL context";
    int32_t now = 1000;
    SetClockSource([&] { return now; });
    auto level = glshot::playLevel("data/levels/casual/010.lvl", 3, 2);
    ASSERT_TRUE(level);
    resetLoseScreen();
    loseScreen.setup();
    auto step = [&](int n) { glshot::playFrames(now, n); };
    step(200);

    // Captions: a row uncovered (its numbers rise), a praise word, the multiplier at work.
    mainGame.mnoznik = 3.0f;
    for (int c = 0; c < level->cols; ++c)
        if (TTile* t = level->at(level->rows / 2, c); t && t->td && t->td->id != 0) t->uncoverSafe();
    step(6);
    createSpecCaption(0, float(level->getGridXCenter()), 120);
    step(28);
    Cls();
    mainGame.update();
    mainGame.draw();
    ASSERT_TRUE(glshot::save(captionOut));

    // The loss: the chest breaks, its pieces fall, then the panel drops in and settles.
    mainGame.LOSE();
    for (int i = 0; i < 300 && (fx::live(listaOdpadow) != 0 || fx::live(level->flyingTresures) != 0); ++i)
        step(1);
    loseScreen.prepare(&mainGame);
    for (int i = 0; i < 40; ++i) {
        now += 17;
        Cls();
        loseScreen.update();
        loseScreen.draw();
        Flip();
    }
    InjectMouseMove(560, 380);
    now += 17;
    Cls();
    loseScreen.update();
    loseScreen.draw();
    ASSERT_TRUE(glshot::save(loseOut));
    CloseGraphics();
}

}  // namespace
