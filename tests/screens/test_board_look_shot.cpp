// Pictures of big boards with real OpenGL, for a person to look at: a 15 x 15 and a 25 x 25
// board with two-digit clues, a long drag's score, the win, the sword, the medallion and the
// treasures landing, and sea creatures on their crates. Not part of the unit run (it needs
// the built asset tree and GL):
//   SDL_VIDEODRIVER=offscreen ZERKON_PLAY_ASSETS=<tree>/ ZERKON_BOARD_SHOTS=<folder>
//   screens_tests --gtest_also_run_disabled_tests --gtest_filter='*BoardLookShot*'
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "effects/effects.h"
#include "game/board/level.h"
#include "game/board/tile.h"
#include "platform/input.h"
#include "platform/system.h"
#include "screens/play/main_game.h"
#include "support/gl_shot.h"

namespace {

class BoardLookShot : public ::testing::Test {
protected:
    std::string dir;
    int32_t now = 100000;

    void SetUp() override {
        const char* tree = std::getenv("ZERKON_PLAY_ASSETS");
        const char* out = std::getenv("ZERKON_BOARD_SHOTS");
        if (!tree || !out) GTEST_SKIP() << "set ZERKON_PLAY_ASSETS and ZERKON_BOARD_SHOTS";
        if (!glshot::open(tree)) GTEST_SKIP() << "no GL context";
        dir = std::string(out) + "/";
        SetClockSource([this] { return now; });
        SeedRnd(5);
    }
    void TearDown() override {
        if (IsSkipped()) return;
        CloseGraphics();
        SetClockSource(nullptr);
    }
    void step(int n) { glshot::playFrames(now, n, true); }
    void shot(const std::string& name) { ASSERT_TRUE(glshot::save(dir + name + ".png")); }
    std::shared_ptr<TLevel> start(const std::string& file) {
        auto level = glshot::playLevel(file, 10, 4);
        if (!level) return nullptr;
        auto& p = *profileManager.profile;
        for (size_t i = 0; i < 6; ++i) p.czas[i] = now - mainGame.maxCzasPowerUpow[i];
        step(260);
        return level;
    }
    // The longest run of picture cells in a row: its row and its first and last columns.
    static void longestRun(TLevel& l, int& row, int& c1, int& c2) {
        int best = 0;
        for (int r = 0; r < l.rows; ++r)
            for (int c = 0; c < l.cols;) {
                if (!l.at(r, c)->isPicture()) {
                    ++c;
                    continue;
                }
                int e = c;
                while (e + 1 < l.cols && l.at(r, e + 1)->isPicture()) ++e;
                if (e - c + 1 > best) best = e - c + 1, row = r, c1 = c, c2 = e;
                c = e + 1;
            }
    }
    // Every picture cell uncovered at once: the board is complete.
    void solve(TLevel& l) {
        for (auto& t : l.tile)
            if (t->isPicture() && !t->odkryty) t->reveal();
    }
};

TEST_F(BoardLookShot, DISABLED_BigBoards) {
    for (const char* file : {"data/levels/casual/029.lvl", "data/levels/hard/025.lvl"}) {
        auto level = start(file);
        ASSERT_TRUE(level);
        const std::string n = std::to_string(level->rows);
        // The pointer on a cell of a row whose clue has two digits.
        int row = 0, c1 = 0, c2 = 0;
        longestRun(*level, row, c1, c2);
        InjectMouseMove(level->at(row, 0)->x(), level->at(row, 0)->y());
        step(30);
        shot("board-" + n);
        TTile* a = level->at(row, c1);
        TTile* b = level->at(row, c2);
        glshot::playDrag(now, a->x(), a->y(), b->x(), b->y());
        step(21);
        shot("drag-" + n + "-a");
        step(40);
        shot("drag-" + n + "-b");
        InjectMouseMove(900, 100);
        mainGame.useBonus(2);
        step(50);
        shot("sword-" + n);
        mainGame.useBonus(3);
        step(70);
        shot("medallion-" + n);
        step(100);
        shot("landing-" + n);
        solve(*level);
        step(60);
        shot("reveal-" + n);
        // The board is complete once the last treasure has landed.
        for (int i = 0; i < 400 && mainGame.state == "NORMAL"; ++i) step(1);
        step(8);
        shot("win-" + n + "-a");
        step(50);
        shot("win-" + n + "-b");
    }
}

TEST_F(BoardLookShot, DISABLED_SeaCreatures) {
    for (const char* file : {"data/levels/casual/010.lvl", "data/levels/casual/029.lvl", "data/levels/hard/025.lvl"}) {
        auto level = start(file);
        ASSERT_TRUE(level);
        const int R = level->rows, C = level->cols;
        int id = 1;
        for (int k = 0; k < 5; ++k, ++id) {
            const int r = (1 + k * 2) % R, c = (2 + k * 3) % C;
            auto l = createLiving(getLivingDataById(id), level->tileAt(r, c));
            level->livings.push_back(l);
        }
        step(40);
        shot("creatures-" + std::to_string(R));
    }
}

}  // namespace
