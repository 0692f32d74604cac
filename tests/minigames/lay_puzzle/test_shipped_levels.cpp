// The shipped levels: a simple player who reacts twice a second wins each of them before the
// shelf overflows, with several random streams of shapes. The player puts a resting block
// into the first free cell (reading order) that it can cover in some turn, else smashes it
// when the hammer is up, else leaves it on the shelf.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/app_globals.h"
#include "effects/list.h"
#include "effects/particles.h"
#include "gui/frame/deltatime.h"
#include "gui/frame/mouse.h"
#include "gui/globals.h"
#include "minigames/lay_puzzle/lp_level_file.h"
#include "platform/system.h"
#include "support/reset_state.h"

namespace {

struct Outcome {
    bool won = false;
    int seconds = 0;
    int placed = 0, smashed = 0;
};

class LPShipped : public ::testing::Test {
protected:
    void SetUp() override {
        resetPlatformAndToolkit();
        bDir = std::string(ZERKON_BINARY_DIR) + "/assets/";
        if (!std::filesystem::exists(bDir + "data/layPuzzle-blocks.dat")) GTEST_SKIP() << "no built asset tree";
        SetClockSource([this] { return int32_t(ms); });
        delta = 1;
        layEmptyTile = LoadImage(bDir + "gfx/miniGames/layPuzzle/empty-tri.png");
        ASSERT_NE(layEmptyTile, nullptr);
        SetImageHandle(layEmptyTile, 16, 17);
        loadLayBlocksData();
        ASSERT_GE(layBlocksList.size(), 2u);
    }
    void TearDown() override {
        resetLPPlay();
        fx::clear(particlesList);
        layBlocksList.clear();
        layEmptyTile = nullptr;
        SetClockSource(nullptr);
    }

    // Tries every turn of the block and every triangle of it on the cell; true once placed.
    static bool placeOn(TLayLevel& l, const std::shared_ptr<TLayBlock>& b, const TLayTile& cell) {
        const auto& bd = *b->bd;
        for (int dir = 0; dir < 360; dir += 60)
            for (int r = 0; r < bd.rows; ++r)
                for (int c = 0; c < bd.cols; ++c) {
                    if (!bd.solid(r, c) || !l.zgodneKaty(bd.getSpecRot(r, c, float(dir)), cell.rot)) continue;
                    float cx = 0, cy = 0;
                    bd.centreOf(r, c, 0, 0, float(dir), cx, cy);
                    b->x = cell.x - cx;
                    b->y = cell.y - cy;
                    b->dir = b->dDir = float(dir);
                    if (b->put()) return true;
                }
        return false;
    }

    Outcome play(const std::string& file, int seed) {
        auto l = loadLayPuzzleLevel(bDir + file);
        EXPECT_TRUE(l->playable());
        resetLPPlay();
        auto& v = lpPlay();
        v.level = l;
        v.hammer.mp = v.hammer.dmp = 1;
        l->setPosition(1);
        SeedRnd(seed);
        l->blockTime = int(ms) + l->nextBlock;
        Outcome out;
        for (int frame = 0; frame < 60 * 60 * 20; ++frame) {
            ms += 1000.0 / 60.0;
            l->_updateNextBlock();
            for (auto& b : std::vector(l->blocks)) b->update();
            v.hammer.update(1);
            if (frame % 30 == 0) act(*l, out);
            if (l->_updateLose()) break;
            if (l->_updateWin()) {
                out.won = true;
                out.seconds = frame / 60;
                break;
            }
        }
        return out;
    }

    void act(TLayLevel& l, Outcome& out) {
        auto& v = lpPlay();
        for (auto& b : std::vector(l.blocks)) {
            if (b->state != lpstate::FREE3) continue;
            const float x = b->x, y = b->y, dir = b->dir;
            v.click = b;
            b->pick(0, 0);
            bool done = false;
            for (auto& row : l.tile) {
                for (auto& t : row)
                    if (t->stan != 0 && !t->wskaznik && placeOn(l, b, *t)) {
                        done = true;
                        ++out.placed;
                        break;
                    }
                if (done) break;
            }
            if (!done && v.hammer.kowadloOk()) {
                b->x = v.hammer.smashX();
                b->y = v.hammer.smashY();
                done = b->put() == 1;
                if (done) ++out.smashed;
            }
            if (!done) {
                // Back where it lay: it falls in place and takes its spot again.
                b->x = x;
                b->y = y;
                b->dir = b->dDir = dir;
                b->state = lpstate::FREE;
            }
            v.click.reset();
            v.punkty.clear();
            if (done) return;  // one move per reaction
        }
    }

    double ms = 100000;
};

}  // namespace

TEST_F(LPShipped, EveryLevelIsWonBeforeTheShelfOverflows) {
    const char* levels[] = {"data/levels/layPuzzle/lp-01.lvl", "data/levels/layPuzzle/lp-02.lvl",
                            "data/levels/layPuzzle/lp-03.lvl"};
    for (const char* file : levels)
        for (int seed : {1, 7, 42, 1234}) {
            const Outcome o = play(file, seed);
            EXPECT_TRUE(o.won) << file << " seed " << seed << ": placed " << o.placed << ", smashed " << o.smashed;
        }
}
