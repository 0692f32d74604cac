// Where the board stands: cell centres in blocks of five, row and column clues, the
// measured board with its clue area, centring on (390, 384), the fit test and the size
// step, and the board's drawing layers (background, cross, developer overlay).
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "platform/input.h"
#include "test_board_draw_support.h"

using namespace boardtest;

namespace {

class BoardLayout : public DrawBoard {
protected:
    // A picture of the given size with several runs per line; the pattern differs by size.
    static std::vector<std::string> pattern(int rows, int cols) {
        std::vector<std::string> p(size_t(rows), std::string(size_t(cols), '.'));
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c)
                if ((r * 7 + c * 3 + (r * c) % 4) % 9 < 5) p[size_t(r)][size_t(c)] = '#';
        return p;
    }
    static size_t mostNumbers(const TNumberLineList& lines) {
        size_t k = 0;
        for (auto& l : lines) k = std::max(k, l->lista.size());
        return k;
    }
    // Every image of size class 0 replaced: a W x H cell and a "0" w0 pixels wide.
    void class0Images(int W, int H, int w0) {
        emptyData->gfx[0] = named("cellE", W, H);
        pictureData->gfx[0] = named("cellP", W, H);
        for (int d = 0; d < 10; ++d) TNumber::num[0][size_t(d)] = named("digitX", w0, 30);
    }
};

struct SizeCase {
    int rows, cols, sizeClass;
};

TEST_F(BoardLayout, EveryClassPlacesCellsCluesAndCentresTheBoard) {
    const SizeCase cases[] = {
        {5, 5, 0},   {10, 10, 0}, {12, 7, 0},  {15, 15, 1}, {15, 15, 2},
        {20, 20, 3}, {25, 25, 4}, {20, 15, 3}, {15, 15, 0}, {25, 25, 3},
    };
    for (const SizeCase& k : cases) {
        SCOPED_TRACE(std::to_string(k.rows) + "x" + std::to_string(k.cols) + " class " +
                     std::to_string(k.sizeClass));
        SetUp();
        TLevel& l = buildSized(pattern(k.rows, k.cols), k.sizeClass);
        const int W = kCellPx[k.sizeClass];
        const float w0 = float(kDigitW[k.sizeClass]);
        const float f = k.sizeClass == 4 ? 1.2f : 1.5f;

        // Cells: a 5-pixel gap before every block of five, the first block included.
        for (int r = 0; r < k.rows; ++r)
            for (int c = 0; c < k.cols; ++c) {
                TTile& t = cell(r, c);
                ASSERT_EQ(t.x(), float(int(l.stx + float(c * W + 5 * (c / 5 + 1)))));
                ASSERT_EQ(t.y(), float(int(l.sty + float(r * W + 5 * (r / 5 + 1)))));
            }
        // Row clues leftward from the grid on their row's height; column clues upward.
        for (auto& line : l.numbersHList)
            for (size_t k2 = 0; k2 < line->lista.size(); ++k2) {
                auto& n = line->lista[k2];
                ASSERT_EQ(n->dim->x, float(int(l.stx - (w0 + 10) * float(k2 + 1))));
                ASSERT_EQ(n->dim->y, cell(n->v, 0).y());
            }
        for (auto& line : l.numbersVList)
            for (size_t k2 = 0; k2 < line->lista.size(); ++k2) {
                auto& n = line->lista[k2];
                ASSERT_EQ(n->dim->y, float(int(l.sty - w0 * f * float(k2 + 1))));
                ASSERT_EQ(n->dim->x, cell(0, n->v).x());
            }

        // Measures: the grid one pixel per line wider than its cells, plus the clue area.
        const float K = float(mostNumbers(l.numbersHList));
        const float L = float(mostNumbers(l.numbersVList));
        EXPECT_NEAR(l.moveW, (w0 + 10) * K, 1.0f);
        EXPECT_NEAR(l.moveH, w0 * f * L, 1.0f);
        EXPECT_FLOAT_EQ(l.width, float(W * k.cols + k.cols) + l.moveW);
        EXPECT_FLOAT_EQ(l.height, float(W * k.rows + k.rows) + l.moveH);
        EXPECT_FLOAT_EQ(l.lx, l.stx - l.moveW);
        EXPECT_FLOAT_EQ(l.ly, l.sty - l.moveH);

        // Centred on (390, 384) from the outermost clue to the grid's measured far edge.
        const float right = l.stx + l.width - l.moveW;
        const float bottom = l.sty + l.height - l.moveH;
        EXPECT_NEAR(390 - l.lx, right - 390, 1.0f);
        EXPECT_NEAR(384 - l.ly, bottom - 384, 1.0f);
        EXPECT_NEAR(l.pointX, 390 + l.moveW, 1.0f);

        // Fits when the grid and K row clues, L column clues stay within 690 x 630; then
        // it stays clear of the panel right of x = 735 and of the screen's top.
        const bool fits = float(W * k.cols + k.cols) + (w0 + 10) * K <= 690.5f &&
                          float(W * k.rows + k.rows) + w0 * f * L <= 630.5f;
        if (fits) {
            EXPECT_GE(l.lx, 45 - 1);
            EXPECT_LE(right, 735 + 1);
            EXPECT_GE(l.ly, 69 - 1);
        }
        EXPECT_EQ(l.countDimWithSize(), fits ? 0 : 1);
    }
}

TEST_F(BoardLayout, TenByTenOfFiftyPixels) {
    TLevel& l = buildSized(pattern(10, 10), 0);
    const int want[] = {5, 55, 105, 155, 205, 260, 310, 360, 410, 460};
    for (int c = 0; c < 10; ++c) EXPECT_EQ(cell(3, c).x(), float(int(l.stx + float(want[c]))));
    EXPECT_FLOAT_EQ(l.width - l.moveW, 510);
    EXPECT_FLOAT_EQ(l.height - l.moveH, 510);
}

TEST_F(BoardLayout, TwelveColumnsMeasureByCountNotByGaps) {
    TLevel& l = buildSized({"#.#.#.#.#.#."}, 0);
    EXPECT_FLOAT_EQ(l.width - l.moveW, 612);
    EXPECT_EQ(cell(0, 0).x(), float(int(l.stx + 5)));
    EXPECT_EQ(cell(0, 11).x(), float(int(l.stx + 565)));
}

TEST_F(BoardLayout, RowCluesStandLastRunNearestTheGrid) {
    TLevel& l = buildSized({"###.#.##..", "..........", "##########", "#.........", ".........#"}, 0);
    const float step = float(kDigitW[0] + 10);
    auto& row0 = l.numbersHList[0]->lista;
    ASSERT_EQ(row0.size(), 3u);
    const char* texts[] = {"2", "1", "3"};
    for (size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(row0[k]->txt, texts[k]);
        EXPECT_EQ(row0[k]->dim->x, float(int(l.stx - step * float(k + 1))));
    }
    auto& empty = l.numbersHList[1]->lista;
    ASSERT_EQ(empty.size(), 1u);
    EXPECT_EQ(empty[0]->txt, "0");
    EXPECT_EQ(empty[0]->dim->x, float(int(l.stx - step)));
}

TEST_F(BoardLayout, SmallestClassStacksColumnCluesTighter) {
    const std::vector<std::string> pic = {"#####", ".....", "#####", ".....", "#####"};
    for (int s : {3, 4}) {
        SetUp();
        TLevel& l = buildSized(pic, s);
        auto& col = l.numbersVList[0]->lista;
        ASSERT_EQ(col.size(), 3u);
        const float h0 = float(kDigitW[s]);
        const float f = s == 4 ? 1.2f : 1.5f;
        EXPECT_EQ(col[1]->dim->y, float(int(l.sty - h0 * f * 2))) << "class " << s;
        EXPECT_EQ(col[2]->dim->y, float(int(l.sty - h0 * f * 3))) << "class " << s;
    }
}

struct FitCase {
    const char* what;
    int W, H, w0;
    float width, height;
    int result;
};

TEST_F(BoardLayout, FitTestIsStrictAtSixNinetyBySixThirty) {
    // 5 x 5, three runs in every row, one in every column: width 5W + 5 + 3 (w0 + 10),
    // height 5H + 5 + 1.5 w0.
    const FitCase cases[] = {
        {"exactly the limits", 119, 119, 20, 690, 630, 0},
        {"one pixel too wide", 118, 118, 22, 691, 628, 1},
        {"one pixel too high", 100, 118, 24, 607, 631, 1},
        {"just under", 100, 117, 24, 607, 626, 0},
    };
    for (const FitCase& k : cases) {
        SCOPED_TRACE(k.what);
        SetUp();
        class0Images(k.W, k.H, k.w0);
        TLevel& l = build({"#.#.#", "#.#.#", "#.#.#", "#.#.#", "#.#.#"});
        EXPECT_EQ(l.countDimWithSize(), k.result);
        EXPECT_FLOAT_EQ(l.width, k.width);
        EXPECT_FLOAT_EQ(l.height, k.height);
    }
}

TEST_F(BoardLayout, SizeStepMovesOneClassTowardTheLargestThatFits) {
    TLevel& small = buildSized(pattern(5, 5), 0);
    small.countSize();
    EXPECT_EQ(small.size, 0);

    SetUp();
    TLevel& huge = buildSized(pattern(40, 40), 4);
    huge.countSize();
    EXPECT_EQ(huge.size, 4);

    SetUp();
    TLevel& mid = buildSized(pattern(5, 5), 3);
    mid.countSize();
    EXPECT_EQ(mid.size, 2);
    EXPECT_EQ(mid.numbersHList[0]->lista[0]->size, 2);  // clues rebuilt for the new class

    SetUp();
    TLevel& tight = buildSized(pattern(15, 15), 0);
    tight.countSize();
    EXPECT_EQ(tight.size, 1);
    EXPECT_NEAR(390 - tight.lx, tight.stx + tight.width - tight.moveW - 390, 1.0f);
}

TEST_F(BoardLayout, OutOfRangeSizeClassAndEmptyGridAreSafe) {
    TLevel& l = buildSized(pattern(5, 5), 9);
    EXPECT_FLOAT_EQ(l.width - l.moveW, 20 * 5 + 5);  // measured as the smallest class
    SetUp();
    TLevel& neg = buildSized(pattern(5, 5), -3);
    EXPECT_FLOAT_EQ(neg.width - neg.moveW, 50 * 5 + 5);

    TLevel empty;
    EXPECT_EQ(empty.setProperPosition(), 0);
    EXPECT_EQ(empty.width, 0);
    EXPECT_EQ(empty.countSize(), 0);

    // A top-left cell without an image is measured by its class.
    SetUp();
    emptyData->gfx[1] = nullptr;
    TLevel& noImage = buildSized({".#", "##"}, 1);
    EXPECT_FLOAT_EQ(noImage.width - noImage.moveW, 36 * 2 + 2);
}

TEST_F(BoardLayout, BubblesOnlyOnThreeBackgrounds) {
    struct {
        const char* name;
        int banki;
    } cases[] = {{"background-11", 5000}, {"BACKGROUND-2", 5000}, {"Background-15", 5000},
                 {"background-1", 0},     {"background-12", 0},   {"", 0}};
    for (auto& k : cases) {
        TLevel l;
        l.getBackEffectsByBackground(k.name);
        EXPECT_EQ(l.banki, k.banki) << k.name;
    }
    TLevel kept;
    kept.banki = 1234;
    kept.getBackEffectsByBackground("background-3");
    EXPECT_EQ(kept.banki, 1234);
}

TEST_F(BoardLayout, CreatureCellIsTheFirstInRowOrder) {
    buildSized(pattern(5, 5), 0);
    auto a = opaqueToken<TLiving>(), b = opaqueToken<TLiving>(), c = opaqueToken<TLiving>();
    deffects.kinds = {{a.get(), 2}, {b.get(), 2}, {c.get(), 3}};
    cell(3, 1)._living = a;
    cell(1, 4)._living = b;
    cell(0, 2)._living = c;
    auto d = level->getLivingDim(2);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->x, cell(1, 4).x());
    EXPECT_EQ(d->y, cell(1, 4).y());
    EXPECT_FALSE(level->getLivingDim(5));
}

TEST_F(BoardLayout, BackgroundFromItsTopLeftCornerThenStripesRestoreState) {
    TLevel& l = buildSized(pattern(5, 5), 0);
    SetAlpha(0.2f);
    SetScale(2, 2);
    l.drawBack();
    EXPECT_TRUE(RecordedDraws().empty());

    l.background = named("back", 64, 48);  // centred handle: drawn from its corner anyway
    SetRotation(15);
    l.drawBack();
    ASSERT_EQ(names(), std::vector<std::string>{"back"});
    const DrawCall& d = RecordedDraws()[0];
    EXPECT_FLOAT_EQ(d.x, 0);
    EXPECT_FLOAT_EQ(d.handleX, 0);
    EXPECT_FLOAT_EQ(d.handleY, 0);
    EXPECT_FLOAT_EQ(d.alpha, 1);
    EXPECT_FLOAT_EQ(d.scaleX, 1);
    EXPECT_FLOAT_EQ(GetRotation(), 0);
}

// Cell indexes of the recorded draws, by their positions.
std::vector<std::pair<int, int>> drawnCells(TLevel& l) {
    std::vector<std::pair<int, int>> out;
    for (const DrawCall& d : RecordedDraws()) {
        for (int r = 0; r < l.rows; ++r)
            for (int c = 0; c < l.cols; ++c)
                if (l.at(r, c)->x() == d.x && l.at(r, c)->y() == d.y) out.push_back({r, c});
    }
    return out;
}

TEST_F(BoardLayout, CrossIsTheColumnThenTheRowAtTheGridEdges) {
    TLevel& l = buildSized(pattern(5, 7), 0);
    struct {
        int r, c;
    } cases[] = {{0, 0}, {4, 6}, {2, 3}, {0, 6}};
    for (auto k : cases) {
        ClearRecordedDraws();
        l.drawOver(l.at(k.r, k.c));
        std::vector<std::pair<int, int>> want;
        for (int r = 0; r < 5; ++r) want.push_back({r, k.c});
        for (int c = 0; c < 7; ++c) want.push_back({k.r, c});
        EXPECT_EQ(drawnCells(l), want) << k.r << "," << k.c;
        // The panel is drawn right after the cross: it must not inherit the glow.
        float sx = 0, sy = 0;
        GetScale(sx, sy);
        EXPECT_EQ(GetBlend(), ALPHABLEND);
        EXPECT_FLOAT_EQ(GetAlpha(), 1);
        EXPECT_FLOAT_EQ(sx, 1);
    }
    // A cross over uncovered cells, empty ones included.
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 7; ++c) l.at(r, c)->odkryty = 1;
    l.drawOver(l.at(2, 3));
    EXPECT_EQ(GetBlend(), ALPHABLEND);
    EXPECT_FLOAT_EQ(GetAlpha(), 1);
    ClearRecordedDraws();
    l.drawOver(nullptr);
    EXPECT_TRUE(RecordedDraws().empty());
}

TEST_F(BoardLayout, AllCellsDrawRowByRow) {
    TLevel& l = buildSized(pattern(3, 4), 0);
    l.drawTiles();
    std::vector<std::pair<int, int>> want;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c) want.push_back({r, c});
    EXPECT_EQ(drawnCells(l), want);
}

TEST_F(BoardLayout, DeveloperOverlayNeedsTheSwitchAndTheKey) {
    TLevel& l = buildSized({"#.", ".#"}, 0);
    l.drawDebug();
    services.cheatsOn = 1;
    l.drawDebug();
    EXPECT_TRUE(RecordedDraws().empty());
    services.cheatsOn = 0;
    InjectKey(KEY_A + 3, true);  // D
    l.drawDebug();
    EXPECT_TRUE(RecordedDraws().empty());

    services.cheatsOn = 1;
    l.drawDebug();
    InjectKey(KEY_A + 3, false);
    ASSERT_EQ(names(), (std::vector<std::string>{"rect", "rect"}));
    for (const DrawCall& d : RecordedDraws()) {
        EXPECT_EQ(d.r, 255);
        EXPECT_EQ(d.g, 255);
        EXPECT_EQ(d.b, 0);
        EXPECT_FLOAT_EQ(d.alpha, 0.5f);
        EXPECT_FLOAT_EQ(d.w, 54);  // the hover frame of the class
    }
    EXPECT_FLOAT_EQ(RecordedDraws()[1].x, cell(1, 1).x() - 27);
    EXPECT_FLOAT_EQ(RecordedDraws()[1].y, cell(1, 1).y() - 27);
}

}  // namespace
