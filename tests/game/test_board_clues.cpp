// Clue numbers and clue lines: what the picture gives, when a number dims, when a line is
// finished and whether it asks for a caption, the zoom and the highlight.
#include <filesystem>
#include <string>
#include <vector>

#include "board_fixture.h"
#include "gui/globals.h"

using namespace boardtest;

namespace {

class Clues : public BoardTest {
protected:
    // "txt:first-last:before:after" with the line positions of the run's first and last
    // cells and of its end neighbours (-1 for none).
    static std::string describe(const TNumber& n, bool row) {
        auto pos = [row](const std::shared_ptr<TTile>& t) { return t ? (row ? t->c : t->r) : -1; };
        std::string s = n.txt + ":";
        s += n.tilesy.empty() ? "?" : std::to_string(pos(n.tilesy.front()));
        s += "-";
        s += n.tilesy.empty() ? "?" : std::to_string(pos(n.tilesy.back()));
        s += ":" + std::to_string(pos(n.tile1)) + ":" + std::to_string(pos(n.tile2));
        return s;
    }
    static std::vector<std::string> describeAll(const TNumberList& list, bool row) {
        std::vector<std::string> out;
        for (const auto& n : list) out.push_back(describe(*n, row));
        return out;
    }
    static std::vector<std::string> transpose(const std::string& line) {
        std::vector<std::string> rows;
        for (char ch : line) rows.push_back(std::string(1, ch));
        return rows;
    }
};

struct LineCase {
    const char* line;
    std::vector<std::string> numbers;  // in list order: the last run first
};

TEST_F(Clues, RunsOfALineLastRunFirstWithTheirEndNeighbours) {
    const LineCase cases[] = {
        {"##.#", {"1:3-3:2:-1", "2:0-1:-1:2"}},
        {"####", {"4:0-3:-1:-1"}},
        {"....", {"0:0-3:-1:-1"}},
        {"#", {"1:0-0:-1:-1"}},
        {".", {"0:0-0:-1:-1"}},
        {"#.#.#", {"1:4-4:3:-1", "1:2-2:1:3", "1:0-0:-1:1"}},
        {".##..###.", {"3:5-7:4:8", "2:1-2:0:3"}},
        {"..########...#", {"1:13-13:12:-1", "8:2-9:1:10"}},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.line);
        // As a row...
        fresh();
        build({k.line});
        ASSERT_EQ(level->numbersHList.size(), 1u);
        const TNumberList& rowList = level->numbersHList[0]->lista;
        EXPECT_EQ(describeAll(rowList, true), k.numbers);
        for (const auto& n : rowList) {
            EXPECT_EQ(n->dir, "HORIZONTAL");
            EXPECT_EQ(n->v, 0);
            if (n->txt != "0") {
                EXPECT_EQ(n->txt, std::to_string(n->tilesy.size()));
            }
        }
        // ...and the same picture as a column, top to bottom.
        fresh();
        build(transpose(k.line));
        ASSERT_EQ(level->numbersVList.size(), 1u);
        EXPECT_EQ(describeAll(level->numbersVList[0]->lista, false), k.numbers);
        EXPECT_EQ(level->numbersVList[0]->lista.front()->dir, "VERTICAL");
    }
}

TEST_F(Clues, EveryRowAndColumnGetsItsLineWithItsIndex) {
    build({"#..", "##.", "..."});
    ASSERT_EQ(level->numbersHList.size(), 3u);
    ASSERT_EQ(level->numbersVList.size(), 3u);
    EXPECT_EQ(level->numbersHList[1]->lista[0]->txt, "2");
    EXPECT_EQ(level->numbersHList[1]->lista[0]->v, 1);
    EXPECT_EQ(level->numbersHList[2]->lista[0]->txt, "0");
    EXPECT_EQ(describeAll(level->numbersVList[0]->lista, false),
              (std::vector<std::string>{"2:0-1:-1:2"}));
    EXPECT_EQ(level->numbersVList[2]->lista[0]->txt, "0");
    EXPECT_EQ(level->numbersVList[2]->lista[0]->v, 2);
}

struct DimCase {
    const char* name;
    const char* line;
    const char* cleared;           // 'x' opened or broken, ' ' covered
    std::vector<int> resolved;     // per number, in list order
};

TEST_F(Clues, NumberDimsOnlyWhenItsRunAndBothNeighboursAreCleared) {
    const DimCase cases[] = {
        {"run done, neighbour covered", ".##.", " xx ", {0}},
        {"run done, one neighbour", ".##.", "xxx ", {0}},
        {"run and both neighbours", ".##.", "xxxx", {1}},
        {"run at the edge needs one", "##..", "xxx ", {1}},
        {"full line needs only itself", "####", "xxxx", {1}},
        {"zero line, one cell left", "....", "xxx ", {0}},
        {"zero line all broken", "....", "xxxx", {1}},
        {"shared neighbour still covered", "#.#", "x x", {0, 0}},
        {"shared neighbour broken", "#.#", "xxx", {1, 1}},
        {"neighbour cleared, run not", ".#.", "x x", {0}},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        fresh();
        build({k.line});
        for (int c = 0; c < level->cols; ++c) {
            if (k.cleared[c] != 'x') continue;
            TTile& t = cell(0, c);
            t.setOdkrytyData(t.isPicture() ? 1 : 0, t.isPicture() ? 0 : 1);
        }
        const TNumberList& list = level->numbersHList[0]->lista;
        ASSERT_EQ(list.size(), k.resolved.size());
        for (size_t i = 0; i < list.size(); ++i) {
            list[i]->updateTilesy();
            EXPECT_EQ(list[i]->dAlpha, k.resolved[i] ? 0.3f : 1.0f) << "number " << i;
        }
    }
}

TEST_F(Clues, ResolvedNumberFadesToThirdAndOnlyThenCountsAsCleared) {
    build({"##"});
    TNumber& n = *level->numbersHList[0]->lista[0];
    cell(0, 0).setOdkrytyData(1, 0);
    cell(0, 1).setOdkrytyData(1, 0);
    n.updateTilesy();
    for (int i = 0; i < 34; ++i) n.update();
    EXPECT_GT(n.alpha, 0.3f);
    EXPECT_EQ(n.cleared(), 0);
    n.update();
    EXPECT_EQ(n.alpha, 0.3f);
    EXPECT_EQ(n.cleared(), 1);

    // Hidden and shown again, it comes back at 0.3, never at full strength.
    level->hideNumbers();
    n.update();
    EXPECT_EQ(n.dAlpha, 0.3f);
    level->showNumbers();
    for (int i = 0; i < 60; ++i) {
        n.update();
        EXPECT_LE(n.alpha, 0.3f + 0.02f + 1e-6f);
    }
    EXPECT_EQ(n.alpha, 0.3f);
}

TEST_F(Clues, FinishedLineAsksForOneCaptionOnlyAfterARightMove) {
    // Row "1" needs the empty cell beside it; column 0 is a "0" over that cell. The
    // treasure stays in flight, so the level is not won meanwhile.
    build({".#"}, true);
    TNumberLine& row = *level->numbersHList[0];
    TNumberLine& col0 = *level->numbersVList[0];
    TNumberLine& col1 = *level->numbersVList[1];

    releaseLine({&cell(0, 1)}, true);  // right
    runFor(2000);
    EXPECT_EQ(col1.wszystkie, 1);
    EXPECT_EQ(row.wszystkie, 0);
    EXPECT_EQ(col0.wszystkie, 0);
    ASSERT_EQ(effects.captions.size(), 1u);
    EXPECT_EQ(effects.captions[0], level->getGridXCenter());

    releaseLine({&cell(0, 0)}, true);  // wrong: uncovering an empty cell
    ASSERT_EQ(play.lastMove(), 1);
    runFor(2000);
    EXPECT_EQ(row.wszystkie, 1);
    EXPECT_EQ(col0.wszystkie, 1);
    EXPECT_EQ(effects.captions.size(), 1u) << "finished by a mistake: no caption";

    play.setLastMove(0);  // a later right move elsewhere does not bring it back
    runFor(500);
    EXPECT_EQ(effects.captions.size(), 1u);
}

TEST_F(Clues, CaptionComesTheFrameTheLastNumberSettles) {
    build({"#", "#"});  // the second picture cell stays covered: the level goes on
    releaseLine({&cell(0, 0)}, true);
    int framesToFinish = 0;
    while (level->numbersHList[0]->wszystkie == 0 && framesToFinish < 200) {
        frame();
        ++framesToFinish;
        if (level->numbersHList[0]->wszystkie == 0) {
            EXPECT_TRUE(effects.captions.empty());
        }
    }
    // The cell counts as cleared from the move: one frame to notice, 35 to fade.
    EXPECT_EQ(framesToFinish, 36);
    EXPECT_EQ(effects.captions.size(), 1u);
    frames(100);
    EXPECT_EQ(effects.captions.size(), 1u);
    EXPECT_EQ(level->numbersVList[0]->wszystkie, 0);
}

TEST_F(Clues, LineFinishedWhenBuiltIsSilentAndFadesOut) {
    level = std::make_unique<TLevel>();
    level->rows = 1;
    level->cols = 3;
    level->createTilesTab();
    const char* picture = "#.#";
    for (int c = 0; c < 3; ++c) {
        TTile& t = cell(0, c);
        t.setTileData(picture[c] == '#' ? pictureData : emptyData);
        t.setTileHideData(cover);
        t.dim = createSimpleDim(kOriginX + c * kPitch, kOriginY);
        t.setOdkrytyData(picture[c] == '#' ? 1 : 0, picture[c] == '#' ? 0 : 1);  // resumed
    }
    level->createNumbers();
    play.lvl = level.get();

    TNumberLine& row = *level->numbersHList[0];
    EXPECT_EQ(row.wszystkie, 1);
    for (auto& n : row.lista) EXPECT_EQ(n->alpha, 0.3f);

    for (int i = 0; i < 17; ++i) level->updateNumbers();
    for (auto& n : row.lista) EXPECT_LE(n->alpha, 0.0f) << "gone after about 15 frames";
    for (int i = 0; i < 60; ++i) level->updateNumbers();
    for (auto& n : row.lista) EXPECT_EQ(n->alpha, -1.0f);
    EXPECT_TRUE(effects.captions.empty());
    EXPECT_EQ(row.wszystkie, 1);
}

TEST_F(Clues, HoveredNumberZoomsOnlyOnBoardsBiggerThanTenByTen) {
    struct Case {
        int rows, cols;
        float zoom;
    };
    const Case cases[] = {{10, 10, 1.0f}, {11, 10, 1.4f}, {10, 11, 1.4f}, {3, 3, 1.0f}};
    for (const auto& k : cases) {
        SCOPED_TRACE(std::to_string(k.rows) + "x" + std::to_string(k.cols));
        fresh();
        build(std::vector<std::string>(size_t(k.rows), std::string(size_t(k.cols), '#')));
        TNumber& n = *level->numbersHList[0]->lista[0];
        n.dim = createSimpleDim(300, 300);
        mouse.x = 300;
        mouse.y = 300;
        for (int i = 0; i < 20; ++i) n.update();
        EXPECT_FLOAT_EQ(n.sc, k.zoom);
        mouse.x = 0;
        mouse.y = 0;
        for (int i = 0; i < 20; ++i) n.update();
        EXPECT_FLOAT_EQ(n.sc, 1.0f);
    }
}

TEST_F(Clues, HoverBoxOfATwoDigitNumberUsesScaledEndDigitsAndTheZeroHeight) {
    build({"############"});
    TNumber& n = *level->numbersHList[0]->lista[0];
    ASSERT_EQ(n.txt, "12");
    n.dim = createSimpleDim(300, 300);
    // Digits 20 x 30: at p = 0.8 the box is 32 wide (284..316) and 30 high (285..315).
    const struct {
        int x, y, inside;
    } probes[] = {{284, 300, 1}, {316, 315, 1}, {283, 300, 0}, {317, 300, 0}, {300, 316, 0}};
    for (const auto& p : probes) {
        mouse.x = p.x;
        mouse.y = p.y;
        EXPECT_EQ(n.over(0.8f), p.inside) << p.x << "," << p.y;
    }
}

TEST_F(Clues, RowAndColumnOfTheCellUnderTheMouseGetTheLightPass) {
    build({"##", "##"});
    level->setGlobalAlpha(1);
    auto lightDraws = [] {
        int n = 0;
        for (const auto& d : RecordedDraws()) n += d.blend == LIGHTBLEND;
        return n;
    };
    ClearRecordedDraws();
    level->drawNumbers();
    EXPECT_EQ(lightDraws(), 0);
    EXPECT_EQ(RecordedDraws().size(), 8u) << "four numbers, shadow and main pass";

    play.over = &cell(1, 0);
    ClearRecordedDraws();
    level->drawNumbers();
    EXPECT_EQ(lightDraws(), 2) << "row 1 and column 0, one digit each";

    const auto& draws = RecordedDraws();
    ASSERT_GE(draws.size(), 2u);
    EXPECT_EQ(draws[0].r, 0);  // shadow first, black at 0.7
    EXPECT_FLOAT_EQ(draws[0].alpha, 0.7f);
    EXPECT_EQ(draws[1].r, 255);
    EXPECT_FLOAT_EQ(draws[1].alpha, 1.0f);
}

TEST_F(Clues, MissingDigitImagesAreReportedOnceAndMeasureNothing) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / "zerkon_board_no_digits";
    std::filesystem::create_directories(dir);
    bDir = dir.string() + "/";
    std::vector<std::string> notes;
    SetNotifyHandler([&notes](const std::string& text) { notes.push_back(text); });

    setupNumbers();

    SetNotifyHandler(nullptr);
    resetGuiGlobals();
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_NE(notes[0].find("No such file: "), std::string::npos);
    EXPECT_NE(notes[0].find("gfx/numbers/0-50.png"), std::string::npos);
    EXPECT_EQ(TNumber::numWidth("12", 0), 0);
    build({"#"});
    level->drawNumbers();  // draws nothing, does not fail
}

TEST_F(Clues, MeasuresOfDigits) {
    TNumber::num[1][1] = makeImage(12, 40);
    TNumber::num[1][7] = makeImage(26, 40);
    EXPECT_EQ(TNumber::numWidth("17", 1), 38);
    EXPECT_EQ(TNumber::numHeight("17", 1), 26) << "the widest digit, a width";
    EXPECT_EQ(TNumber::halfNumWidth("17", 1, 0.5f), 9.5f);
    EXPECT_EQ(TNumber::halfW(1), 10);
    EXPECT_EQ(TNumber::numWidth("1", 9), TNumber::numWidth("1", 4)) << "size folded into 0..4";
}

}  // namespace
