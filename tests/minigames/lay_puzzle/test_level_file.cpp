// The level file: the round trip, its spellings and what a broken file reads as.
#include "lp_fixture.h"

#include <fstream>
#include <iterator>

namespace {

std::string levelText(const std::string& extra) {
    return "lplLevel {\n\ttime = 42\n\tdims = 2, 3\n\tstartPos = 470, 330\n\tnextBlock = 5000\n" + extra +
           "\tobject {\n\t\timg = \"gfx/lp/idol.png\"\n\t\tscale = 1.5\n\t\topis = 3\n\t\tname = 4\n"
           "\t\tposition = 330, 200\n\t\trotation = 10\n\t}\n"
           "\tfield {\n\t\trow0 = 1, 1, 1\n\t\trow1 = 0, 1, 1\n\t}\n"
           "\ttilesField {\n\t\trow0 = 0, 2, 0\n\t\trow1 = 0, 0, 1\n\t}\n";
}

}  // namespace

TEST_F(LPTest, LevelRoundTripKeepsBoardBlocksObjectAndCounters) {
    write("a.lvl", levelText("\tcounter = 7\n") +
                       "\tblocks {\n\t\ti = 2\n"
                       "\t\tblock1 {\n\t\t\tbdId = 2\n\t\t\tdim = 140.5, 700\n\t\t\tdir = 120\n"
                       "\t\t\tstate = \"FREE-3\"\n\t\t\tid = 5\n\t\t}\n"
                       "\t\tblock2 {\n\t\t\tbdId = 1\n\t\t\tdim = 80, 300\n\t\t\tdir = 300\n"
                       "\t\t\tstate = \"FREE\"\n\t\t\tid = 7\n\t\t}\n\t}\n}\n");
    auto a = loadLayPuzzleLevel(path("a.lvl"));
    EXPECT_TRUE(notices.empty());
    EXPECT_EQ(a->time, 42);
    EXPECT_EQ(a->rows, 2);
    EXPECT_EQ(a->cols, 3);
    EXPECT_FLOAT_EQ(a->stx, 470);
    EXPECT_EQ(a->nextBlock, 5000);
    EXPECT_EQ(a->counter, 7);
    EXPECT_NE(a->PEObj->img, nullptr);
    EXPECT_EQ(a->cellsToFill(), 5);
    EXPECT_EQ(a->at(0, 1)->wskaznik, getLayBlockById(2));
    EXPECT_EQ(a->at(1, 0)->stan, 0);
    ASSERT_EQ(a->blocks.size(), 2u);
    // A block resting on the shelf comes back loose, to fall to a fresh spot.
    EXPECT_EQ(a->blocks[0]->state, "FREE");
    EXPECT_FLOAT_EQ(a->blocks[0]->dx, 0);
    EXPECT_FLOAT_EQ(a->blocks[0]->dDir, 120);
    EXPECT_TRUE(a->playable());

    a->time = 50;
    a->blocks[1]->dir = 61;  // saved mid-turn: the current angle is written
    ASSERT_TRUE(a->saveTo(path("user/level.lvl")));
    auto b = loadLayPuzzleLevel(path("user/level.lvl"));
    EXPECT_EQ(b->time, 50);
    EXPECT_EQ(b->counter, 7);
    EXPECT_FLOAT_EQ(b->sty, 330);
    EXPECT_EQ(b->PEObj->url, "gfx/lp/idol.png");
    EXPECT_FLOAT_EQ(b->PEObj->scale, 1.5f);
    EXPECT_FLOAT_EQ(b->PEObj->x, 330);
    EXPECT_FLOAT_EQ(b->PEObj->rot, 10);
    EXPECT_EQ(b->PEObj->opisN, 3);
    EXPECT_EQ(b->PEObj->nameN, 4);
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(b->at(r, c)->stan, a->at(r, c)->stan);
            EXPECT_EQ(b->at(r, c)->wskaznik, a->at(r, c)->wskaznik);
        }
    ASSERT_EQ(b->blocks.size(), 2u);
    for (size_t k = 0; k < 2; ++k) {
        EXPECT_EQ(b->blocks[k]->bd, a->blocks[k]->bd);
        EXPECT_EQ(b->blocks[k]->id, a->blocks[k]->id);
        EXPECT_FLOAT_EQ(b->blocks[k]->x, a->blocks[k]->x);
        EXPECT_FLOAT_EQ(b->blocks[k]->y, a->blocks[k]->y);
        EXPECT_FLOAT_EQ(b->blocks[k]->dir, a->blocks[k]->dir);
        EXPECT_FLOAT_EQ(b->blocks[k]->dDir, a->blocks[k]->dir);
    }
    const std::string text = [&] {
        std::ifstream in(path("user/level.lvl"));
        return std::string(std::istreambuf_iterator<char>(in), {});
    }();
    EXPECT_EQ(text.rfind("lplLevel {", 0), 0u);
    EXPECT_NE(text.find("state = \"FREE\""), std::string::npos);
}

TEST_F(LPTest, HandMadeLevelWithoutCounterOrBlocksStartsItsIdsAtTwo) {
    write("b.lvl", levelText("") + "}\n");
    auto l = loadLayPuzzleLevel(path("b.lvl"));
    EXPECT_EQ(l->counter, 1);
    EXPECT_TRUE(l->blocks.empty());
    lpPlay().level = l;
    l->createNewBlock();
    ASSERT_EQ(l->blocks.size(), 1u);
    EXPECT_EQ(l->blocks[0]->id, 2);
}

TEST_F(LPTest, BrokenLevelFilesReadAsSafeLevelsWithOneReport) {
    // Unknown shapes: a block is dropped, a cell reads empty; sizes and counts are bounded.
    write("c.lvl", "lplLevel {\n\tdims = 100000, -4\n\tnextBlock = -50\n\tobject {\n\t\timg = \"gfx/gone.png\"\n\t}\n"
                   "\tblocks {\n\t\ti = 2\n\t\tblock1 {\n\t\t\tbdId = 99\n\t\t}\n"
                   "\t\tblock2 {\n\t\t\tbdId = 1\n\t\t\tstate = \"DESTROY\"\n\t\t}\n\t}\n}\n");
    std::vector<std::string> problems;
    auto l = loadLayPuzzleLevel(path("c.lvl"), &problems);
    EXPECT_EQ(l->rows, kLayMaxBoardSide);
    EXPECT_EQ(l->cols, 0);
    EXPECT_EQ(l->nextBlock, kLayDefaultNextBlock);
    EXPECT_EQ(l->PEObj->img, nullptr);
    ASSERT_EQ(l->blocks.size(), 1u);
    EXPECT_EQ(l->blocks[0]->bd, getLayBlockById(1));
    EXPECT_EQ(l->blocks[0]->state, "FREE");
    EXPECT_EQ(problems.size(), 5u);  // both sizes, the pace, the picture, the shape
    EXPECT_EQ(notices.size(), 1u);
    EXPECT_FALSE(l->playable());

    std::string text = levelText("") + "}\n";
    text.replace(text.find("row0 = 0, 2, 0"), 14, "row0 = 0, 77, 0");
    write("d.lvl", text);
    notices.clear();
    auto d = loadLayPuzzleLevel(path("d.lvl"));
    EXPECT_EQ(d->at(0, 1)->wskaznik, nullptr);
    EXPECT_EQ(d->at(1, 2)->wskaznik, getLayBlockById(1));
    EXPECT_EQ(notices.size(), 1u);
    auto missing = loadLayPuzzleLevel(path("none.lvl"));
    EXPECT_EQ(missing->rows, 0);
    EXPECT_EQ(missing->counter, 1);
    EXPECT_FALSE(missing->playable());
}
