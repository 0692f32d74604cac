// The level editor's grid tools: a blank level, and rows and columns added and removed at
// each edge with the remaining cells kept as the same objects at their new places.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "game/board/grid_edit.h"
#include "test_board_draw_support.h"

using namespace boardtest;

namespace {

class GridEdit : public DrawBoard {
protected:
    // Every cell's object by its place before an edit.
    std::map<std::pair<int, int>, TTile*> places() {
        std::map<std::pair<int, int>, TTile*> out;
        for (int r = 0; r < level->rows; ++r)
            for (int c = 0; c < level->cols; ++c) out[{r, c}] = level->at(r, c);
        return out;
    }
    static std::vector<std::string> pattern(int rows, int cols) {
        std::vector<std::string> p(size_t(rows), std::string(size_t(cols), '.'));
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c)
                if ((r + 2 * c) % 3 == 0) p[size_t(r)][size_t(c)] = '#';
        return p;
    }
};

struct EditCase {
    const char* name;
    int (TLevel::*op)();
    int dRows, dCols;  // change of the counts
    int fromR, fromC;  // the new place (r, c) holds the old cell of (r + fromR, c + fromC)
};

const EditCase kEdits[] = {
    {"addRowUp", &TLevel::addRowUp, 1, 0, -1, 0},
    {"addRowDown", &TLevel::addRowDown, 1, 0, 0, 0},
    {"addColLeft", &TLevel::addColLeft, 0, 1, 0, -1},
    {"addColRight", &TLevel::addColRight, 0, 1, 0, 0},
    {"removeRowUp", &TLevel::removeRowUp, -1, 0, 1, 0},
    {"removeRowDown", &TLevel::removeRowDown, -1, 0, 0, 0},
    {"removeColLeft", &TLevel::removeColLeft, 0, -1, 0, 1},
    {"removeColRight", &TLevel::removeColRight, 0, -1, 0, 0},
};

TEST_F(GridEdit, EveryEditKeepsCellsAndTheirContentsAtTheirNewPlaces) {
    for (const EditCase& k : kEdits) {
        SCOPED_TRACE(k.name);
        SetUp();
        TLevel& l = buildSized(pattern(8, 9), 1, true);
        auto odd = std::make_shared<TTileHideGFX>();
        odd->id = 7;
        cell(3, 4).setTileHideData(odd);
        cell(3, 4).setOdkrytyData(1, 0);
        const auto before = places();
        std::map<TTile*, std::shared_ptr<TTresureData>> treasures;
        for (auto& [at, t] : before) treasures[t] = t->tresure;

        EXPECT_EQ((l.*k.op)(), 0);
        ASSERT_EQ(l.rows, 8 + k.dRows);
        ASSERT_EQ(l.cols, 9 + k.dCols);
        ASSERT_EQ(l.tile.size(), size_t(l.rows * l.cols));
        int fresh = 0;
        for (int r = 0; r < l.rows; ++r)
            for (int c = 0; c < l.cols; ++c) {
                TTile* t = l.at(r, c);
                ASSERT_TRUE(t);
                // Row and column always follow the place.
                EXPECT_EQ(t->r, r);
                EXPECT_EQ(t->c, c);
                EXPECT_EQ(t->_level, &l);
                auto old = before.find({r + k.fromR, c + k.fromC});
                if (old != before.end()) {
                    EXPECT_EQ(t, old->second);
                    EXPECT_EQ(t->tresure, treasures[t]);
                    continue;
                }
                ++fresh;
                EXPECT_EQ(t->td, emptyData);
                EXPECT_EQ(t->tdHide, cover);  // the old top-left cell's cover
                EXPECT_EQ(t->odkryty, 1);
                EXPECT_FALSE(t->tresure);
                EXPECT_FLOAT_EQ(t->animTime, float(emptyData->frames - 1));
            }
        EXPECT_EQ(fresh, k.dRows > 0 ? 9 : k.dCols > 0 ? 8 : 0);
        // The moved odd cell keeps its own cover and state.
        const int r = 3 - k.fromR, c = 4 - k.fromC;
        if (TTile* moved = l.at(r, c)) {
            EXPECT_EQ(moved->tdHide, odd);
            EXPECT_EQ(moved->state, "ODKRYTY");
        }
        // New clues and a new layout for the new grid.
        EXPECT_EQ(l.numbersHList.size(), size_t(l.rows));
        EXPECT_EQ(l.numbersVList.size(), size_t(l.cols));
        EXPECT_NEAR(390 - l.lx, l.stx + l.width - l.moveW - 390, 1.0f);
        EXPECT_TRUE(l.at(l.rows - 1, l.cols - 1)->dim);
    }
}

TEST_F(GridEdit, DroppedCellsNoLongerBelongToTheLevel) {
    TLevel& l = buildSized(pattern(6, 6), 0);
    auto dropped = l.tileAt(0, 0);
    l.removeRowUp();
    EXPECT_EQ(dropped->_level, nullptr);
    EXPECT_EQ(l.at(0, 0)->_level, &l);
}

TEST_F(GridEdit, LimitsChangeNothingNotEvenTheClues) {
    struct {
        int rows, cols;
        int (TLevel::*op)();
    } cases[] = {{25, 7, &TLevel::addRowUp},       {25, 7, &TLevel::addRowDown},
                 {7, 25, &TLevel::addColLeft},     {7, 25, &TLevel::addColRight},
                 {5, 7, &TLevel::removeRowUp},     {5, 7, &TLevel::removeRowDown},
                 {7, 5, &TLevel::removeColLeft},   {7, 5, &TLevel::removeColRight},
                 {3, 2, &TLevel::removeColRight},  {2, 3, &TLevel::removeRowDown}};
    for (auto& k : cases) {
        SetUp();
        TLevel& l = buildSized(pattern(k.rows, k.cols), 4);
        const auto before = places();
        const auto rowLine = l.numbersHList.front();
        const float stx = l.stx;
        (l.*k.op)();
        EXPECT_EQ(l.rows, k.rows);
        EXPECT_EQ(l.cols, k.cols);
        EXPECT_EQ(places(), before);
        EXPECT_EQ(l.numbersHList.front(), rowLine);
        EXPECT_EQ(l.stx, stx);
    }
}

TEST_F(GridEdit, AddThenRemoveGivesBackTheSameCells) {
    TLevel& l = buildSized(pattern(10, 10), 0);
    const auto before = places();
    l.addColLeft();
    l.removeColLeft();
    EXPECT_EQ(places(), before);
    l.addRowDown();
    l.removeRowDown();
    EXPECT_EQ(places(), before);
    for (auto& [at, t] : before) {
        EXPECT_EQ(t->r, at.first);
        EXPECT_EQ(t->c, at.second);
    }
}

TEST_F(GridEdit, NewEmptyRowGetsTheZeroClueAndTheCrossFindsMovedCells) {
    TLevel& l = buildSized(pattern(10, 10), 0);
    std::vector<std::string> colTexts;
    for (auto& line : l.numbersVList) colTexts.push_back(line->lista.front()->txt);
    l.addRowDown();
    ASSERT_EQ(l.rows, 11);
    auto& last = l.numbersHList.back()->lista;
    ASSERT_EQ(last.size(), 1u);
    EXPECT_EQ(last[0]->txt, "0");
    for (int c = 0; c < 10; ++c) {
        EXPECT_EQ(l.numbersVList[size_t(c)]->lista.front()->txt, colTexts[size_t(c)]);
        EXPECT_EQ(l.at(10, c)->td, emptyData);
    }

    // After a row is added at the top the cross of a moved cell is its new column and row
    // (the new cells stand opened and empty: they have nothing to light).
    l.addRowUp();
    TTile* moved = l.at(5, 3);
    ClearRecordedDraws();
    l.drawOver(moved);
    std::vector<std::pair<float, float>> want;
    auto add = [&](TTile* t) {
        if (!t->odkryty) want.push_back({t->x(), t->y()});
    };
    for (int r = 0; r < l.rows; ++r) add(l.at(r, 3));
    for (int c = 0; c < l.cols; ++c) add(l.at(5, c));
    ASSERT_EQ(want.size(), size_t(l.rows - 2 + l.cols));
    std::vector<std::pair<float, float>> got;
    for (const DrawCall& d : RecordedDraws()) got.push_back({d.x, d.y});
    EXPECT_EQ(got, want);
}

TEST_F(GridEdit, BlankLevel) {
    auto l = createNewLevel(10, 15);
    ASSERT_TRUE(l);
    EXPECT_EQ(l->rows, 10);
    EXPECT_EQ(l->cols, 15);
    EXPECT_EQ(l->maxMistakes, 5);
    EXPECT_TRUE(l->numbersHList.empty());
    EXPECT_TRUE(l->numbersVList.empty());
    ASSERT_EQ(l->tile.size(), 150u);
    for (auto& t : l->tile) {
        EXPECT_EQ(t->td, emptyData);
        EXPECT_EQ(t->tdHide, cover);
        EXPECT_EQ(t->odkryty, 1);
        EXPECT_FLOAT_EQ(t->animTime, 9);
        EXPECT_EQ(t->_level, l.get());
    }
    // Laid out before it has clues: no clue area, the grid alone centred.
    l->setProperPosition();
    EXPECT_EQ(l->moveW, 0);
    EXPECT_EQ(l->moveH, 0);
    EXPECT_NEAR(l->stx + l->width / 2, 390, 0.5f);
    EXPECT_NEAR(l->sty + l->height / 2, 384, 0.5f);

    // Grown in the editor it gets its clues and its place.
    l->addColRight();
    EXPECT_EQ(l->numbersVList.size(), 16u);
    EXPECT_NEAR(390 - l->lx, l->stx + l->width - l->moveW - 390, 1.0f);
}

}  // namespace
