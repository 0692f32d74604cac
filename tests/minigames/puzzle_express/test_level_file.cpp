// The level file: reading, the round trip, bad input, and the shipped levels solvable.
#include "pe_fixture.h"
#include "pe_plan.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>

TEST_F(PETest, LevelRoundTripKeepsCellsLinksBlocksTimeAndObject) {
    write("l.lvl", peLevelText(2, 3, "\tfield {\n\t\trow0 = 1, 1, 1\n\t\trow1 = 1, 1, 0\n\t}\n",
                               "\ttile {\n\t\trow0 = 0, 1, 1\n\t}\n"
                               "\tblocks {\n\t\ti = 2\n\t\tbl1 = 1, 10.5, 20, 90, 1\n"
                               "\t\tbl2 = 2, 300, 600, 37.5, 2\n\t}\n"));
    auto a = loadPuzzleExpressLevel(path("l.lvl"));
    EXPECT_EQ(a->rows, 2);
    EXPECT_EQ(a->cols, 3);
    EXPECT_EQ(a->time, 42);
    EXPECT_EQ(a->PEObj->opis, "A compass.");
    EXPECT_EQ(a->PEObj->nameN, 2);
    EXPECT_NE(a->PEObj->img, nullptr);
    ASSERT_EQ(a->blocks.size(), 2u);
    EXPECT_EQ(a->at(0, 1)->wskaznik, a->blocks[0]);
    EXPECT_EQ(a->blocks[0]->onPlace, 1);
    EXPECT_EQ(a->blocks[1]->onPlace, 0);
    EXPECT_FLOAT_EQ(a->blocks[1]->dDir, 37.5f);
    EXPECT_EQ(a->at(1, 2)->spot, 0);
    EXPECT_TRUE(a->playable());

    a->blocks[1]->dir = 61;  // saved mid-turn: the current angle is written
    ASSERT_TRUE(a->saveTo(path("user/level.lvl")));
    auto b = loadPuzzleExpressLevel(path("user/level.lvl"));
    EXPECT_EQ(b->time, a->time);
    EXPECT_EQ(b->PEObj->url, a->PEObj->url);
    EXPECT_FLOAT_EQ(b->PEObj->scale, 1.5f);
    EXPECT_FLOAT_EQ(b->PEObj->rot, 15);
    EXPECT_FLOAT_EQ(b->PEObj->x, 502);
    EXPECT_EQ(b->PEObj->opisN, 1);
    ASSERT_EQ(b->blocks.size(), 2u);
    for (size_t k = 0; k < 2; ++k) {
        EXPECT_EQ(b->blocks[k]->id, a->blocks[k]->id);
        EXPECT_EQ(b->blocks[k]->bd, a->blocks[k]->bd);
        EXPECT_FLOAT_EQ(b->blocks[k]->x, a->blocks[k]->x);
        EXPECT_FLOAT_EQ(b->blocks[k]->y, a->blocks[k]->y);
        EXPECT_FLOAT_EQ(b->blocks[k]->dir, a->blocks[k]->dir);
        EXPECT_FLOAT_EQ(b->blocks[k]->dDir, a->blocks[k]->dir);
    }
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(b->at(r, c)->spot, a->at(r, c)->spot);
            EXPECT_EQ(b->at(r, c)->wskaznik != nullptr, a->at(r, c)->wskaznik != nullptr);
        }
}

TEST_F(PETest, BrokenLevelIsBoundedAndReportedNeverTrusted) {
    struct Case {
        const char* what;
        std::string text;
        int rows, cols;
        size_t blocks;
        const char* reported;
    };
    const Case cases[] = {
        {"missing file", "", 0, 0, 0, "not found"},
        {"huge and negative dims", "PELevel {\n\tdims = 900000, -4\n}\n", kPEMaxBoardSide, 0, 0, "PELevel::dims"},
        {"unknown shape dropped", "PELevel {\n\tdims = 1, 2\n\tobject {\n\t\timg = \"gfx/pe/compass.png\"\n\t}\n"
                                  "\tfield {\n\t\trow0 = 1\n\t}\n"
                                  "\tblocks {\n\t\ti = 2\n\t\tbl1 = 42, 0, 0, 0, 1\n\t\tbl2 = 1, 0, 0, 0, 2\n\t}\n}\n",
         1, 2, 1, "no block shape 42"},
        {"huge block count", "PELevel {\n\tblocks {\n\t\ti = 1e9\n\t}\n}\n", 0, 0, 0, "PELevel::blocks::i"},
        {"missing object picture", "PELevel {\n\tobject {\n\t\timg = \"gfx/none.png\"\n\t}\n}\n", 0, 0, 0,
         "gfx/none.png"},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(t.what);
        if (!t.text.empty()) write("bad.lvl", t.text);
        std::vector<std::string> problems;
        auto l = loadPuzzleExpressLevel(path(t.text.empty() ? "none.lvl" : "bad.lvl"), &problems);
        ASSERT_NE(l, nullptr);
        EXPECT_EQ(l->rows, t.rows);
        EXPECT_EQ(l->cols, t.cols);
        EXPECT_EQ(l->tile.size(), size_t(t.rows));
        EXPECT_EQ(l->blocks.size(), t.blocks);
        std::string all;
        for (auto& p : problems) all += p + "\n";
        EXPECT_NE(all.find(t.reported), std::string::npos) << all;
        if (t.rows == 1) {
            EXPECT_EQ(l->at(0, 1)->spot, 0);  // a short row reads as outside the field
            EXPECT_EQ(l->at(0, 0)->wskaznik, nullptr);
        }
        EXPECT_FALSE(l->playable() && t.rows == 0);
    }
}

// ---- The shipped levels: each is proven solvable by placing its blocks through the fit
// test, found by an exact-cover search over the turned shapes.


TEST_F(PETest, ShippedLevelsAreSolvedThroughTheFitTest) {
    bDir = std::string(ZERKON_BINARY_DIR) + "/assets/";
    if (!std::filesystem::exists(bDir + "data/puzzleExpress-blocks.dat")) GTEST_SKIP() << "no built asset tree";
    // The shipped cell, lid and rail pictures: the sizes the screen lays the level out with.
    peEmptyTile = LoadImage(bDir + "gfx/miniGames/puzzleExpress/tile.png");
    ASSERT_TRUE(peEmptyTile);
    SetImageHandle(peEmptyTile, float(ImageWidth(peEmptyTile) / 2), float(ImageHeight(peEmptyTile) / 2));
    const TImage lid = LoadImage(bDir + "gfx/miniGames/puzzleExpress/chest-Cover.png");
    const TImage rail = LoadImage(bDir + "gfx/miniGames/puzzleExpress/papier.png");
    ASSERT_TRUE(lid && rail);
    const float cw = float(peCellW()), ch = float(peCellH());
    // The rail once slid in: its right end at x 950, its top at y 570; blocks wait on its
    // parchment, inside the rolled ends.
    const float railL = 950 - float(ImageWidth(rail)) + 36, railR = 950 - 36;
    const float railT = 570, railB = 570 + float(ImageHeight(rail));
    setupPETiles();
    setupPEBlocks();
    ASSERT_GE(blocksList.size(), 5u);
    const std::string folder = bDir + "data/levels/puzzleExpress/";
    std::vector<std::string> names;
    for (auto& e : std::filesystem::directory_iterator(folder)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    ASSERT_GE(names.size(), 3u);
    std::pair<int, size_t> last{0, 0};
    for (auto& name : names) {
        SCOPED_TRACE(name);
        std::vector<std::string> problems;
        auto level = loadPuzzleExpressLevel(folder + name, &problems);
        EXPECT_TRUE(problems.empty()) << problems.front();
        ASSERT_TRUE(level->playable());
        EXPECT_FALSE(level->complete());
        // Difficulty rises along a voyage (pe-01 to pe-04 casual, pe-05 on hard): a larger
        // field than the level before, or as large a field cut into more blocks.
        if (name == "pe-05.lvl") last = {0, 0};
        const std::pair<int, size_t> now{level->fieldCells(), level->blocks.size()};
        EXPECT_GT(now, last);
        last = now;
        level->setPosition(250, 140);
        // The field fills its frame: at least half the lid's width and height.
        EXPECT_GE(float(level->cols) * cw, 0.5f * float(ImageWidth(lid)));
        EXPECT_GE(float(level->rows) * ch, 0.5f * float(ImageHeight(lid)));
        EXPECT_LE(float(level->cols) * cw, float(ImageWidth(lid)) - 40);
        EXPECT_LE(float(level->rows) * ch, float(ImageHeight(lid)) - 40);
        // Every block waits wholly on the rail, a finger's width clear of every other block.
        struct Box {
            float l, t, r, b;
        };
        std::vector<std::vector<Box>> cells;
        for (auto& b : level->blocks) {
            cells.emplace_back();
            for (int r = 0; r < b->bd->rows; ++r)
                for (int c = 0; c < b->bd->cols; ++c) {
                    if (!b->bd->solid(r, c)) continue;
                    float px = 0, py = 0;
                    b->bd->cellAt(r, c, b->x, b->y, b->dir, px, py);
                    const Box box{px - cw / 2, py - ch / 2, px + cw / 2, py + ch / 2};
                    EXPECT_TRUE(box.l >= railL && box.r <= railR && box.t >= railT && box.b <= railB)
                        << "block " << b->id << " leaves the rail at " << px << ", " << py;
                    cells.back().push_back(box);
                }
        }
        constexpr float kGap = 12;
        for (size_t i = 0; i < cells.size(); ++i)
            for (size_t j = i + 1; j < cells.size(); ++j)
                for (const Box& p : cells[i])
                    for (const Box& q : cells[j])
                        EXPECT_FALSE(p.l < q.r + kGap && q.l < p.r + kGap && p.t < q.b + kGap && q.t < p.b + kGap)
                            << "blocks " << i + 1 << " and " << j + 1 << " touch";

        std::vector<std::vector<int>> cover(size_t(level->rows), std::vector<int>(size_t(level->cols), 0));
        std::vector<bool> used(level->blocks.size(), false);
        std::vector<peplan::Placement> plan;
        ASSERT_TRUE(peplan::search(*level, cover, used, plan));
        for (auto& p : plan) {
            auto& b = level->blocks[p.block];
            b->dir = b->dDir = p.dir;
            float px = 0, py = 0;
            b->bd->cellAt(p.r, p.c, 0, 0, p.dir, px, py);
            b->x = level->at(p.br, p.bc)->x - px + 3;  // a slightly sloppy drop
            b->y = level->at(p.br, p.bc)->y - py - 4;
            ASSERT_EQ(level->checkPut(b), 1) << "block " << p.block + 1;
        }
        EXPECT_TRUE(level->complete());
    }
}
