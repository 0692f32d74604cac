// The shipped levels and shapes: a simple player who reacts twice a second wins each level
// before the shelf overflows, with several random streams of shapes; resting pieces stand
// apart on the shelf; every inlay fills the lid of its slab. The player puts a resting block
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
#include "platform/collision.h"
#include "platform/graphics.h"
#include "platform/system.h"
#include "support/reset_state.h"

namespace {

// lp-01 to lp-03 sail the casual voyage, lp-04 to lp-06 the hard one.
const char* const kShippedLevels[] = {"data/levels/layPuzzle/lp-01.lvl", "data/levels/layPuzzle/lp-02.lvl",
                                      "data/levels/layPuzzle/lp-03.lvl", "data/levels/layPuzzle/lp-04.lvl",
                                      "data/levels/layPuzzle/lp-05.lvl", "data/levels/layPuzzle/lp-06.lvl"};

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
    for (const char* file : kShippedLevels)
        for (int seed : {1, 7, 42, 1234}) {
            const Outcome o = play(file, seed);
            EXPECT_TRUE(o.won) << file << " seed " << seed << ": placed " << o.placed << ", smashed " << o.smashed;
        }
}

namespace {

// Writes (or, with write false, tests) the shape's triangle pictures as the game draws them.
bool pictures(const TLayBlockData& bd, float x, float y, bool write) {
    bool hit = false;
    SetScale(1, 1);
    for (int r = 0; r < bd.rows; ++r)
        for (int c = 0; c < bd.cols; ++c) {
            if (!bd.solid(r, c)) continue;
            float cx = 0, cy = 0;
            bd.centreOf(r, c, x, y, 0, cx, cy);
            SetRotation(bd.kier[size_t(r)][size_t(c)]);
            hit |= !CollideImage(bd.img, cx, cy, 0, write ? 0u : 1u, write ? 1u : 0u, 1).empty();
        }
    SetRotation(0);
    return hit;
}

}  // namespace

// Pieces rest 60 px apart on the shelf, however they came: no piece may reach into the spot of
// the next, and every one stands on the shelf's plank (its lowest pixel within a few pixels
// above y 716, where the plank's top is drawn).
TEST_F(LPShipped, RestingPiecesStandApartOnTheShelf) {
    for (auto& a : layBlocksList)
        for (auto& b : layBlocksList) {
            ResetCollisions();
            pictures(*a, 80, 700, true);
            EXPECT_FALSE(pictures(*b, 140, 700, false)) << "shape " << a->id << " touches shape " << b->id;
        }
    for (auto& a : layBlocksList) {
        int lowest = 0;
        for (int y = 690; y < 740; ++y) {
            ResetCollisions();
            pictures(*a, 80, 700, true);
            // A one-pixel-high probe across the piece's spot.
            Pixmap pm;
            pm.width = 60;
            pm.height = 1;
            pm.pixels.assign(60, 0xFFFFFFFFu);
            TImage probe = CreateImageFromPixmap(pm);
            if (!CollideImage(probe, 50, float(y), 0, 1u, 0u, 2).empty()) lowest = y;
        }
        EXPECT_GE(lowest, 708) << "shape " << a->id << " floats above the shelf";
        EXPECT_LE(lowest, 716) << "shape " << a->id << " sinks into the shelf";
    }
}

// The inlay fills the lid that carries it: at least half of the lid's width and height, and
// wholly on the lid once the slab is in place (lid at (284, 144), the slab's corner plus
// (34, 44)).
TEST_F(LPShipped, EveryInlayFillsItsLid) {
    const TImage lid = LoadImage(bDir + "gfx/miniGames/layPuzzle/stone-cover.png");
    ASSERT_TRUE(lid);
    const float lidL = 284, lidT = 144, lidR = lidL + float(ImageWidth(lid)), lidB = lidT + float(ImageHeight(lid));
    const float w = float(layCellW()), h = float(layCellH());
    for (const char* file : kShippedLevels) {
        SCOPED_TRACE(file);
        auto l = loadLayPuzzleLevel(bDir + file);
        // A shelf left alone holds fourteen pieces: the fifteenth must come after the skip
        // bar has charged (90 s), with a second to spare for its fall.
        EXPECT_GT(15 * l->nextBlock, 91000);
        l->setPosition(1);
        float l0 = 1e9f, t0 = 1e9f, r0 = -1e9f, b0 = -1e9f;
        for (auto& row : l->tile)
            for (auto& t : row) {
                if (t->stan == 0) continue;
                l0 = std::min(l0, t->x - w / 2);
                r0 = std::max(r0, t->x + w / 2);
                t0 = std::min(t0, t->y - h / 2);
                b0 = std::max(b0, t->y + h / 2);
            }
        EXPECT_GE(r0 - l0, 0.5f * (lidR - lidL));
        EXPECT_GE(b0 - t0, 0.5f * (lidB - lidT));
        EXPECT_TRUE(l0 >= lidL + 8 && r0 <= lidR - 8 && t0 >= lidT + 8 && b0 <= lidB - 8)
            << l0 << ", " << t0 << " - " << r0 << ", " << b0;
    }
}
