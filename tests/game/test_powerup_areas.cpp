// The armed eye (a column), skull (a row) and map (3 x 3 block, clipped) under the mouse:
// which cells light up, when nothing does, and how the sparkles are paced.
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "test_board_draw_support.h"

using namespace boardtest;

namespace {

using Cells = std::vector<std::pair<int, int>>;

class PowerUpAreas : public DrawBoard {
protected:
    // Covered cells throughout; the cell at (1, 1) of the picture is empty.
    TLevel& board() {
        return buildSized({"#####", "#.###", "#####", "#####", "#####", "#####"}, 0);
    }
    Cells lit() {
        Cells out;
        for (const DrawCall& d : RecordedDraws())
            for (int r = 0; r < level->rows; ++r)
                for (int c = 0; c < level->cols; ++c)
                    if (level->at(r, c)->x() == d.x && level->at(r, c)->y() == d.y)
                        out.push_back({r, c});
        return out;
    }
    size_t distinct() {
        const Cells all = lit();
        return std::set<std::pair<int, int>>(all.begin(), all.end()).size();
    }
    static Cells block(int r0, int c0, int rows, int cols) {
        Cells out;
        for (int r = r0 - 1; r <= r0 + 1; ++r)
            for (int c = c0 - 1; c <= c0 + 1; ++c)
                if (r >= 0 && c >= 0 && r < rows && c < cols) out.push_back({r, c});
        return out;
    }
};

TEST_F(PowerUpAreas, MapBlockIsClippedAtTheEdgesNeverWrapped) {
    TLevel& l = board();
    struct {
        int r, c;
        size_t count;
    } cases[] = {{0, 0, 4}, {5, 4, 4}, {0, 2, 6}, {3, 0, 6}, {5, 2, 6}, {2, 2, 9}, {4, 3, 9}};
    for (auto k : cases) {
        SCOPED_TRACE(std::to_string(k.r) + "," + std::to_string(k.c));
        ClearRecordedDraws();
        effects.sparkles = deffects.sparkles = 0;
        dplay.over = l.at(k.r, k.c);
        l.drawOverMapa(l.at(k.r, k.c));
        EXPECT_EQ(lit(), block(k.r, k.c, 6, 5));
        EXPECT_EQ(lit().size(), k.count);
        now += 100;
        l.generateMapa(k.r, k.c);
        EXPECT_EQ(deffects.sparkles, int(3 * k.count));
    }
}

TEST_F(PowerUpAreas, EyeIsTheColumnAndSkullTheRowFromTheirFirstCell) {
    TLevel& l = board();
    for (auto [r, c] : Cells{{0, 0}, {5, 4}, {3, 2}}) {
        ClearRecordedDraws();
        l.drawOverOko(l.at(r, c));
        Cells column;
        for (int rr = 0; rr < 6; ++rr) column.push_back({rr, c});
        EXPECT_EQ(lit(), column);

        ClearRecordedDraws();
        l.drawOverCzacha(l.at(r, c));
        Cells row;
        for (int cc = 0; cc < 5; ++cc) row.push_back({r, cc});
        EXPECT_EQ(lit(), row);
    }
}

TEST_F(PowerUpAreas, EyeOverACoveredEmptyCellSparklesButDrawsNothing) {
    TLevel& l = board();
    TTile* empty = l.at(1, 1);
    dplay.over = empty;
    l.drawOverOko(empty);
    l.drawOverCzacha(empty);
    EXPECT_TRUE(RecordedDraws().empty());
    l.generateOko(1);
    EXPECT_EQ(deffects.sparkles, 3 * 6);

    // The map still shows the block of a covered empty cell.
    l.drawOverMapa(empty);
    EXPECT_EQ(lit(), block(1, 1, 6, 5));
}

TEST_F(PowerUpAreas, ResolvedCellShowsNoAreaUntilItsTreasureLands) {
    TLevel& l = board();
    TTile& t = cell(2, 3);
    t.setOdkrytyData(1, 0);
    t._myTresure = opaqueToken<TFlyingTresure>();
    // The whole row; the opened cell itself draws its picture and a light copy of it.
    l.drawOverCzacha(&t);
    EXPECT_EQ(lit().size(), 6u);
    EXPECT_EQ(distinct(), 5u);
    ClearRecordedDraws();
    l.drawOverMapa(&t);
    EXPECT_EQ(distinct(), 9u);

    land(t);
    ClearRecordedDraws();
    l.drawOverOko(&t);
    l.drawOverCzacha(&t);
    l.drawOverMapa(&t);
    EXPECT_TRUE(RecordedDraws().empty());
}

TEST_F(PowerUpAreas, NothingWithoutACellUnderTheMouse) {
    TLevel& l = board();
    l.drawOverOko(nullptr);
    l.drawOverCzacha(nullptr);
    l.drawOverMapa(nullptr);
    EXPECT_TRUE(RecordedDraws().empty());
    dplay.over = nullptr;
    l.generateOko(0);
    l.generateCzaszka(0);
    l.generateMapa(0, 0);
    EXPECT_EQ(deffects.sparkles, 0);

    // A cell that is not on this grid (row and column outside it) lights nothing.
    TTile stray;
    stray.r = 9;
    stray.c = -2;
    l.drawOverOko(&stray);
    l.drawOverCzacha(&stray);
    l.drawOverMapa(&stray);
    EXPECT_TRUE(RecordedDraws().empty());
}

TEST_F(PowerUpAreas, SparklesBurstEveryFourthFrameWithTheMouseStill) {
    TLevel& l = board();
    dplay.over = l.at(2, 2);
    std::vector<int> bursts;
    for (int f = 0; f < 12; ++f) {
        now += 16;
        const int before = deffects.sparkles;
        l.generateMapa(2, 2);
        bursts.push_back((deffects.sparkles - before) / 3);
    }
    EXPECT_EQ(bursts, (std::vector<int>{9, 0, 0, 0, 9, 0, 0, 0, 9, 0, 0, 0}));
}

}  // namespace
