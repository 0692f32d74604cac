// Pictures of the play screen's power-ups, creatures and tip bubble with real OpenGL, for a
// person to look at. Not part of the unit run (it needs the built asset tree and GL):
//   SDL_VIDEODRIVER=offscreen ZERKON_PLAY_ASSETS=<tree>/ ZERKON_POWERUP_SHOT=<prefix>
//   screens_tests --gtest_also_run_disabled_tests --gtest_filter='*PowerUpShot*'
// writes <prefix>-fx.png (sword, bows, creatures, bubble) and <prefix>-map.png (the map armed).
#include <algorithm>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "app/profile/profile_manager.h"
#include "effects/effects.h"
#include "game/board/level.h"
#include "game/board/tile.h"
#include "gui/frame/mouse.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/system.h"
#include "screens/play/main_game.h"
#include "support/gl_shot.h"

namespace {

TEST(PowerUpShot, DISABLED_PowerUpsCreaturesAndTheTipBubble) {
    const char* tree = std::getenv("ZERKON_PLAY_ASSETS");
    const char* out = std::getenv("ZERKON_POWERUP_SHOT");
    if (!tree || !out) GTEST_SKIP() << "set ZERKON_PLAY_ASSETS and ZERKON_POWERUP_SHOT";
    if (!glshot::open(tree)) GTEST_SKIP() << "no GL context";
    int32_t now = 100000;
    SetClockSource([&] { return now; });
    SeedRnd(3);
    auto level = glshot::playLevel("data/levels/casual/010.lvl", 10, 4);
    ASSERT_TRUE(level);
    auto& p = *profileManager.profile;
    for (size_t i = 0; i < 6; ++i) p.czas[i] = now - mainGame.maxCzasPowerUpow[i];
    p.czas[3] = now - mainGame.maxCzasPowerUpow[3] / 3;  // the map still charging
    glshot::playFrames(now, 200, true);
    // Creatures: a starfish and a crab waiting, a turtle on its way to the panel.
    auto kind = [](int id) { return getLivingDataById(id); };
    ASSERT_TRUE(kind(1) && kind(3) && kind(5));
    auto placeOn = [&](int id, int r, int c) {
        auto l = createLiving(kind(id), level->tileAt(r, c));
        level->livings.push_back(l);
        return l;
    };
    const int R = level->rows, C = level->cols;
    ASSERT_GE(R, 4);
    ASSERT_GE(C, 4);
    placeOn(1, 1, 1);
    placeOn(5, R - 2, C - 3);
    placeOn(3, R / 2, C / 2 + 1);
    glshot::playFrames(now, 30, true);
    level->tileAt(R / 2, C / 2 + 1)->reveal();
    // The medallion's bows and the sword on their way.
    mainGame.useBonus(3);
    glshot::playFrames(now, 20, true);
    mainGame.useBonus(2);
    glshot::playFrames(now, 45, true);
    // A refused move explained.
    TTile* task = level->at(1, C - 2);
    task->zadanie = "UNCOVER";
    task->rozbij(0);
    glshot::playFrames(now, 25, true);
    ASSERT_TRUE(glshot::save(std::string(out) + "-fx.png"));
    // The map armed over a cell: its 3 x 3 block lights up.
    p.czas[3] = now - mainGame.maxCzasPowerUpow[3];
    glshot::playFrames(now, 150, true);
    mainGame.useBonus(5);
    // Over a cell still covered, nearest the middle, so there is a block to show.
    TTile* over = level->at(level->rows / 2, level->cols / 2);
    for (int d = 0; d < R && over && over->odkryty; ++d)
        for (int r = std::max(0, R / 2 - d); r <= std::min(R - 1, R / 2 + d) && over->odkryty; ++r)
            for (int c = std::max(0, C / 2 - d); c <= std::min(C - 1, C / 2 + d); ++c)
                if (!level->at(r, c)->odkryty) {
                    over = level->at(r, c);
                    break;
                }
    InjectMouseMove(over->x(), over->y());
    glshot::playFrames(now, 5, true);
    ASSERT_TRUE(glshot::save(std::string(out) + "-map.png"));
    CloseGraphics();
    SetClockSource(nullptr);
}

}  // namespace
