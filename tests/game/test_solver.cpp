// The line solver, and the shipped level library: every level of the built asset tree loads
// into a valid level that fits the play screen and is solved by line logic alone.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "game/board/level.h"
#include "game/board/links.h"
#include "game/board/number.h"
#include "game/board/tiledata.h"
#include "game/level/levelfile.h"
#include "game/level/sets.h"
#include "game/level/solver.h"
#include "gui/globals.h"
#include "platform/graphics.h"
#include "platform/system.h"
#include "shipped_levels_fixture.h"

namespace {

using namespace nonogram;
using shipped::ShippedLevels;

std::vector<int8_t> line(const std::string& s) {
    std::vector<int8_t> out;
    for (char ch : s) out.push_back(ch == '#' ? kFilled : ch == '.' ? kEmpty : kUnknown);
    return out;
}

std::string text(const std::vector<int8_t>& l) {
    std::string out;
    for (int8_t v : l) out += v == kFilled ? '#' : v == kEmpty ? '.' : '?';
    return out;
}

Picture picture(const std::vector<std::string>& rows) {
    Picture p;
    p.rows = int(rows.size());
    p.cols = int(rows[0].size());
    for (const auto& r : rows)
        for (char ch : r) p.cells.push_back(ch == '#' ? kFilled : kEmpty);
    return p;
}

TEST(LineSolver, NarrowsLinesByEveryPlacement) {
    struct Case {
        Clue clue;
        const char* in;
        const char* out;  // nullptr: contradiction
    } cases[] = {
        {{}, "?????", "....."},
        {{5}, "?????", "#####"},
        {{3}, "?????", "??#??"},          // overlap of the leftmost and rightmost placement
        {{2, 2}, "?????", "##.##"},
        {{1, 1, 1}, "?????", "#.#.#"},
        {{4}, "?????", "?###?"},
        {{1}, "??#??", "..#.."},          // a known cell pins the run
        {{2}, "#????", "##..."},
        {{1, 2}, "????.", "#.##."},
        {{3, 1}, "?????.?", "??#??.?"},
        {{1}, "?.?.#", "....#"},
        {{2}, "#.???", nullptr},          // the run cannot fit after the known cell
        {{6}, "?????", nullptr},          // longer than the line
        {{}, "?#???", nullptr},           // no runs but a filled cell
        {{1, 1}, "###??", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in);
        auto l = line(c.in);
        const bool ok = solveLine(c.clue, l);
        if (!c.out) {
            EXPECT_FALSE(ok);
            continue;
        }
        ASSERT_TRUE(ok);
        EXPECT_EQ(text(l), c.out);
    }
}

TEST(LineSolver, CluesOfAPicture) {
    auto p = picture({"##.#", "....", "####"});
    EXPECT_EQ(rowClues(p), (std::vector<Clue>{{2, 1}, {}, {4}}));
    EXPECT_EQ(colClues(p), (std::vector<Clue>{{1, 1}, {1, 1}, {1}, {1, 1}}));
}

TEST(LineSolver, SolvesWithoutGuessingOrStopsUndecided) {
    // An anchor: rows and columns together decide every cell.
    auto anchor = picture({"..#..", ".###.", "..#..", "#.#.#", ".###."});
    Result res;
    EXPECT_TRUE(lineSolvable(anchor, &res));
    EXPECT_TRUE(res.complete);
    EXPECT_EQ(res.grid.cells, anchor.cells);
    // Two crossing diagonals have two solutions: line logic must leave them undecided.
    auto diag = picture({"#.", ".#"});
    EXPECT_FALSE(lineSolvable(diag, &res));
    EXPECT_FALSE(res.complete);
    EXPECT_FALSE(res.contradiction);
    EXPECT_EQ(toText(res.grid), "??\n??\n");
    // Clues that no picture satisfies.
    auto bad = solve({{2}, {}}, {{1}, {1}, {1}});
    EXPECT_TRUE(bad.contradiction);
}

// ---- the shipped levels ---------------------------------------------------------------------

// Width of the digit "0" of a size class, as the board's clue layout steps by it: taken from
// the tree's digit image when there is one, else the width the digits are drawn at.
int digitZeroWidth(const std::string& tree, int size) {
    const int fallback[] = {26, 19, 16, 13, 11};
    Pixmap pm;
    const std::string path =
        tree + "/gfx/numbers/0-" + std::to_string(tileSizePixels(size)) + ".png";
    if (std::filesystem::exists(path) && LoadPixmap(path, pm)) return pm.width;
    return fallback[size];
}

TEST_F(ShippedLevels, SetsLoadCleanly) {
    EXPECT_TRUE(notices.empty()) << notices.front();
    ASSERT_TRUE(getTileDataById(0));
    ASSERT_TRUE(getTileDataById(1));
    ASSERT_TRUE(GetTileDataHideById(1));
    // Treasures numbered 1..n without gaps, at least the four the seahorse draws from.
    ASSERT_GE(tresuresList.size(), 4u);
    for (size_t i = 0; i < tresuresList.size(); ++i) EXPECT_EQ(tresuresList[i]->id, int(i + 1));
    for (const auto& cover : tilesHideList) {
        // The stone strip (8 frames) and every treasure play over the cover's last frames, so
        // a closed cover (frame 0) must show neither.
        EXPECT_GE(cover->hideFrames, 8.0f);
        for (const auto& t : tresuresList) EXPECT_GE(cover->hideFrames, float(t->frames));
    }
    for (const auto& t : tilesList)
        for (int s = 0; s < 5; ++s) {
            // Every record, the empty cell too, is exactly one cell of its class.
            EXPECT_EQ(ImageWidth(t->gfx[size_t(s)]), tileSizePixels(s)) << "tile " << t->id;
            EXPECT_EQ(ImageHeight(t->gfx[size_t(s)]), tileSizePixels(s)) << "tile " << t->id;
        }
    for (int s = 0; s < 5; ++s) EXPECT_TRUE(TTile::overImg[size_t(s)]);
}

TEST_F(ShippedLevels, EveryLevelLoadsFitsAndIsSolvedByLineLogic) {
    const auto files = levelFiles();
    int casual = 0, hard = 0;
    bool side[26] = {};
    for (const auto& file : files) {
        SCOPED_TRACE(file.string());
        std::vector<std::string> problems;
        auto lvl = loadLevel(file.string(), 1, &problems);
        ASSERT_TRUE(lvl);
        EXPECT_TRUE(problems.empty()) << problems.front();
        // The first casual level is the one the tutorial teaches on.
        const bool tutorial = file.parent_path().filename() == "casual" && file.filename() == "001.lvl";
        EXPECT_EQ(lvl->tutorialLevel, tutorial ? 1 : 0);
        ASSERT_GE(lvl->rows, 5);
        ASSERT_LE(lvl->rows, 25);
        ASSERT_GE(lvl->cols, 5);
        ASSERT_LE(lvl->cols, 25);
        side[std::max(lvl->rows, lvl->cols)] = true;
        for (const auto& t : lvl->tile) {
            ASSERT_TRUE(t->td);
            ASSERT_TRUE(t->tdHide);
            EXPECT_EQ(bool(t->tresure), bool(t->isPicture()));
        }
        // Board with its clue area inside the 690 x 630 the play screen gives it.
        size_t most = 1, mostV = 1;
        for (const auto& l : lvl->numbersHList) most = std::max(most, l->lista.size());
        for (const auto& l : lvl->numbersVList) mostV = std::max(mostV, l->lista.size());
        const int cell = tileSizePixels(lvl->size);
        const int w0 = digitZeroWidth(tree, lvl->size);
        const float step = lvl->size == 4 ? 1.2f : 1.5f;
        EXPECT_LE(cell * lvl->cols + lvl->cols + (w0 + 10) * int(most), 690);
        EXPECT_LE(cell * lvl->rows + lvl->rows + int(float(w0) * step * float(mostV)), 630);
        if (digits) {
            EXPECT_EQ(lvl->countDimWithSize(), 0) << lvl->width << " x " << lvl->height;
        }
        // Exactly one solution, reached without a guess.
        const Picture pic = pictureOf(*lvl);
        Result res;
        EXPECT_TRUE(lineSolvable(pic, &res)) << "line logic reaches\n" << toText(res.grid)
                                             << "picture\n" << toText(pic);
        const std::string set = file.parent_path().filename().string();
        casual += set == "casual";
        hard += set == "hard";
    }
    EXPECT_GE(casual, 30);
    EXPECT_GE(hard, 30);
    for (int n : {5, 10, 15, 20, 25}) EXPECT_TRUE(side[n]) << "no " << n << " x " << n << " level";
}


// The clues of every shipped level as the board draws them with the tree's digit pictures:
// no clue's ink touches its neighbour's, so two-digit column clues of a 25 x 25 board read
// apart.
TEST_F(ShippedLevels, ClueDigitsReadApart) {
    if (!digits) GTEST_SKIP() << "no digit pictures in the tree";
    struct Ink {
        float x1, y1, x2, y2;
    };
    // Each digit picture's pixels at least half opaque, in picture pixels.
    std::map<std::string, Ink> inkOf;
    for (int s = 0; s < kTileSizeClasses; ++s)
        for (int d = 0; d < 10; ++d) {
            const TImage& img = TNumber::num[size_t(s)][size_t(d)];
            const Pixmap* pm = ImagePixmap(img);
            ASSERT_TRUE(pm);
            Ink k{1e9f, 1e9f, -1e9f, -1e9f};
            for (int y = 0; y < pm->height; ++y)
                for (int x = 0; x < pm->width; ++x)
                    if ((pm->at(x, y) >> 24) >= 128)
                        k = {std::min(k.x1, float(x)), std::min(k.y1, float(y)), std::max(k.x2, float(x + 1)),
                             std::max(k.y2, float(y + 1))};
            inkOf[bDir + "gfx/numbers/" + std::to_string(d) + "-" + std::to_string(tileSizePixels(s)) + ".png"] = k;
        }
    for (const auto& file : levelFiles()) {
        SCOPED_TRACE(file.string());
        auto lvl = loadLevel(file.string(), 1);
        ASSERT_TRUE(lvl);
        lvl->setProperPosition();
        std::vector<std::pair<std::string, Ink>> clues;
        for (auto* lines : {&lvl->numbersHList, &lvl->numbersVList})
            for (const auto& line : *lines)
                for (const auto& n : line->lista) {
                    ClearRecordedDraws();
                    n->draw(0);
                    Ink box{1e9f, 1e9f, -1e9f, -1e9f};
                    for (const DrawCall& d : RecordedDraws()) {
                        if (d.kind != DrawCall::Image) continue;
                        const auto it = inkOf.find(d.what);
                        ASSERT_NE(it, inkOf.end()) << d.what;
                        const Ink& k = it->second;
                        const float left = d.x - d.handleX * d.scaleX, top = d.y - d.handleY * d.scaleY;
                        box = {std::min(box.x1, left + k.x1 * d.scaleX), std::min(box.y1, top + k.y1 * d.scaleY),
                               std::max(box.x2, left + k.x2 * d.scaleX), std::max(box.y2, top + k.y2 * d.scaleY)};
                    }
                    clues.push_back({n->txt, box});
                }
        for (size_t i = 0; i < clues.size(); ++i)
            for (size_t j = i + 1; j < clues.size(); ++j) {
                const Ink& a = clues[i].second;
                const Ink& b = clues[j].second;
                const bool apart = a.x2 + 1 <= b.x1 || b.x2 + 1 <= a.x1 || a.y2 + 1 <= b.y1 || b.y2 + 1 <= a.y1;
                EXPECT_TRUE(apart) << "the clues " << clues[i].first << " at (" << a.x1 << ", " << a.y1 << ") and "
                                   << clues[j].first << " at (" << b.x1 << ", " << b.y1 << ") touch; the first ends at (" << a.x2 << ", " << a.y2 << ")";
            }
    }
}

}  // namespace
