// Pictures of the inlay game with real OpenGL over the built asset tree, for a person to look
// at: the level at its start, mid-game (pieces on the shelf and in the inlay, one carried
// with the ring lit over the anvil), won (the lid flying off the found object) and lost (the
// lose panel over the full shelf); then every shipped level in place and with its found
// object grown. Not part of the unit run (needs the built tree and GL):
//   SDL_VIDEODRIVER=offscreen ZERKON_LP_ASSETS=<tree>/ ZERKON_LP_SHOTS=<folder>
//     screens_tests --gtest_also_run_disabled_tests --gtest_filter='*LPShots*'
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "app/app_globals.h"
#include "app/profile/profile.h"
#include "app/profile/profile_manager.h"
#include "effects/particles.h"
#include "game/flow/level_manager.h"
#include "gui/frame/deltatime.h"
#include "minigames/lay_puzzle/lp_level_file.h"
#include "platform/input.h"
#include "platform/system.h"
#include "screens/hidden_object/hidden_object.h"
#include "screens/lay_puzzle/lay_puzzle.h"
#include "screens/lose/lose_screen.h"
#include "screens/map/mapa.h"
#include "screens/puzzle_express/puzzle_express.h"
#include "support/gl_shot.h"

namespace {

int32_t gNow = 100000;

void frames(int n) {
    for (int i = 0; i < n; ++i) {
        gNow += 17;
        Cls();
        layPuzzle.update();
        layPuzzle.draw();
        Flip();
    }
}

void click(float x, float y, int button = 1) {
    InjectMouseMove(x, y);
    frames(1);
    InjectMouseButton(button, true);
    frames(1);
    InjectMouseButton(button, false);
    frames(1);
}

std::shared_ptr<TLayLevel> start(const std::string& tree, const std::string& name) {
    auto level = loadLayPuzzleLevel(tree + "data/levels/layPuzzle/" + name + ".lvl");
    layPuzzle.setLevel(level);
    layPuzzle.prepare();
    delta = 1;
    return level;
}

// Pieces land at once: each spawned piece is dropped straight onto the floor.
void fillShelf(TLayLevel& l, int pieces) {
    for (int i = 0; i < pieces; ++i) {
        l.createNewBlock();
        l.blocks.back()->y = 700;
        frames(2);
    }
    frames(200);
}

// Every cell of the inlay that a single triangle can take, by the same route as a player.
void fillCells(TLayLevel& l, int count) {
    int done = 0;
    for (auto& row : l.tile)
        for (auto& t : row) {
            if (done >= count || t->stan == 0 || t->wskaznik) continue;
            auto b = std::make_shared<TLayBlock>();
            b->bd = layBlocksList[size_t(Rand(0, int(layBlocksList.size()) - 1))];
            b->x = t->x;
            b->y = t->y;
            b->dir = b->dDir = float(t->rot);
            b->state = lpstate::FREE3;
            // Shapes of more than one triangle fit where they fit; the rest is single ones.
            l.blocks.push_back(b);
            if (!l.putBlock(b.get())) {
                b->bd = getLayBlockById(1);
                l.putBlock(b.get());
            }
            ++done;
        }
    for (auto& b : std::vector(l.blocks))
        if (b->state == lpstate::FREE3 && b->y != 700) l.removeBlock(b.get());
}

TEST(LPShots, DISABLED_LevelAtStartMidGameWonAndLost) {
    const char* tree = std::getenv("ZERKON_LP_ASSETS");
    const char* out = std::getenv("ZERKON_LP_SHOTS");
    if (!tree || !out) GTEST_SKIP() << "set ZERKON_LP_ASSETS and ZERKON_LP_SHOTS";
    if (!glshot::open(tree)) GTEST_SKIP() << "no GL context";
    SetClockSource([] { return gNow; });
    const std::string dir = std::string(out) + "/";
    std::filesystem::create_directories(dir);
    profileManager.profile = std::make_shared<TProfile>();
    profileManager.profile->numerStageu = 6;
    profileManager.profile->numerLevelu = 4;
    levelManager.setup();
    mapa._setupStages();
    mousePoint = LoadImage(std::string(tree) + "gfx/point.png");
    MidHandleImage(mousePoint);
    setupParticles();
    hiddenObject.setup();
    puzzleExpress.setup();
    layPuzzle.setup();
    lpHooks().log = [](int) {};
    SeedRnd(5);

    // The start: the slab rising, then in place with the first piece falling.
    auto level = start(tree, "lp-02");
    InjectMouseMove(600, 300);
    frames(30);
    ASSERT_TRUE(glshot::save(dir + "lp_start.png"));
    frames(40 + 60 * 7);
    ASSERT_TRUE(glshot::save(dir + "lp_start_2.png"));

    // Mid-game: pieces on the shelf, part of the inlay filled, one carried over the anvil.
    fillShelf(*level, 6);
    fillCells(*level, 14);
    frames(5);
    for (auto& b : level->blocks)
        if (b->state == lpstate::FREE3) {
            click(b->x, b->y);
            break;
        }
    InjectMouseMove(760, 470);
    frames(40);
    ASSERT_TRUE(glshot::save(dir + "lp_mid.png"));
    click(845, 535);  // smashed
    frames(6);
    ASSERT_TRUE(glshot::save(dir + "lp_smash.png"));

    // Won: the rest filled; the board fades, the lid flies off.
    fillCells(*level, 1000);
    frames(1);
    EXPECT_EQ(layPuzzle.state, "WIN-1");
    for (int i = 0; i < 400 && layPuzzle.state != "WIN-2"; ++i) frames(1);
    frames(45);
    ASSERT_TRUE(glshot::save(dir + "lp_won.png"));

    // Lost: the fifteenth piece arrives and the lose panel comes down over the full shelf.
    loseScreen.setup();
    loseScreen.layPuzzle = &layPuzzle;
    bool shown = false;
    lpHooks().lose = [&](TEkran& behind) {
        loseScreen.prepare(&behind);
        for (int i = 0; i < 60; ++i) {
            gNow += 17;
            Cls();
            loseScreen.update();
            loseScreen.draw();
            Flip();
        }
        shown = glshot::save(dir + "lp_lost.png");
        return std::string("RESTART");
    };
    level = start(tree, "lp-03");
    frames(60);
    fillShelf(*level, 15);
    EXPECT_TRUE(shown);
    EXPECT_EQ(layPuzzle.wynik, "RESTART-LEVEL");

    // Every shipped level: the inlay in place, then its object grown out of the niche.
    for (const char* name : {"lp-01", "lp-02", "lp-03", "lp-04", "lp-05", "lp-06"}) {
        level = start(tree, name);
        frames(60);
        ASSERT_TRUE(glshot::save(dir + name + "_inplace.png"));
        fillCells(*level, 1000);
        frames(1);
        for (int i = 0; i < 400 && layPuzzle.state != "WIN-2"; ++i) frames(1);
        frames(99);
        ASSERT_TRUE(glshot::save(dir + name + "_won.png"));
    }
    SetClockSource(nullptr);
}

}  // namespace
