// The stage screen: which levels may be played or count as won, the grid and its hit
// boxes, the play button, and the controls over a run.
#include "menus_fixture.h"

namespace menutest {
namespace {

class StageScreenTest : public MenusTest {
protected:
    void SetUp() override {
        MenusTest::SetUp();
        SetEndHandler([](int code) { throw code; });
        write("txt/en/stageScreen.txt", "Level\n");
        for (const char* icon : {"level_zerkon.png", "level_express.png", "level_ho.png", "level_inLay.png"})
            writePng(std::string("gfx/gui/stageScreen/") + icon, 71, 57);
        write("gfx/gui/stageScreen/en/stageScreen.gui",
              button("back", "gfx/b/back.png", 392, 536) + button("play", "gfx/b/play.png", 632, 536));
        stage.id = 2;
        stage.title = "Coral Reef";
        p = makeProfile();
    }
    void TearDown() override {
        SetEndHandler(nullptr);
        MenusTest::TearDown();
    }
    // Stage 2 with the given level numbers, all nonograms, in progression order.
    void levels(std::vector<int> numbers) {
        p->entries.clear();
        int nr = 10;
        for (int n : numbers) p->entries.push_back(entry(nr++, n, "MAIN-GAME", 2));
        p->entries.push_back(entry(nr++, 1, "MAIN-GAME", 3));  // another stage
    }
    bool playVisible() {
        auto play = stageScreen.Gui->getItem("play");
        return play && play->_v == 1 && play->_a == 1;
    }
    TMapStage stage;
    std::shared_ptr<FakeProfile> p;
};

TEST_F(StageScreenTest, PlayableAndWonRules) {
    struct Case {
        const char* what;
        std::vector<std::pair<int, int>> records;  // (level, passed) on stage 2
        std::vector<int> playable;                 // per cell of levels 1..4
        std::vector<int> won;
        int firstUnwon;  // level number
    } cases[] = {
        {"no records: only level 1", {}, {1, 0, 0, 0}, {0, 0, 0, 0}, 1},
        {"level 1 won opens level 2", {{1, 1}}, {1, 1, 0, 0}, {1, 0, 0, 0}, 2},
        {"started, not won: it stays, the next stays shut", {{1, 1}, {2, 0}}, {1, 1, 0, 0}, {1, 0, 0, 0}, 2},
        {"a record of its own opens a level", {{3, 0}}, {1, 0, 1, 0}, {0, 0, 0, 0}, 1},
        {"all won: play starts the first", {{1, 1}, {2, 1}, {3, 1}, {4, 1}}, {1, 1, 1, 1}, {1, 1, 1, 1}, 1},
    };
    levels({1, 2, 3, 4});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        p->levele.clear();
        for (auto [level, passed] : c.records) addRecord(*p, level, 2, passed);
        addRecord(*p, 2, 3, 1);  // a record of another stage never counts here
        stageScreen.prepare(stage);
        const auto& list = stageScreen.listaLeveli;
        ASSERT_EQ(list.size(), 4u);
        for (size_t k = 0; k < list.size(); ++k) {
            const TLevelData* prev = k == 0 ? nullptr : list[k - 1].get();
            EXPECT_EQ(stageScreen.levelPlayableDraw(*list[k], prev), c.playable[k]) << k;
            EXPECT_EQ(stageScreen.levelPlayable(*list[k]), c.won[k]) << k;
        }
        ASSERT_TRUE(stageScreen.getFirstUnplayedLevel());
        EXPECT_EQ(stageScreen.getFirstUnplayedLevel()->numer, c.firstUnwon);
    }
}

TEST_F(StageScreenTest, PlayButtonShowsOnlyWhenTheFirstEntryIsPlayable) {
    struct Case {
        const char* what;
        std::vector<int> numbers;
        std::vector<std::pair<int, int>> records;
        bool visible;
    } cases[] = {
        {"starts with level 1", {1, 2}, {}, true},
        {"starts with level 2, no record", {2, 3}, {}, false},
        {"starts with level 2 that has a record", {2, 3}, {{2, 0}}, true},
        {"empty stage", {}, {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        levels(c.numbers);
        p->levele.clear();
        for (auto [level, passed] : c.records) addRecord(*p, level, 2, passed);
        stageScreen.prepare(stage);
        EXPECT_EQ(playVisible(), c.visible);
    }
    // Nothing to start on an empty stage: play changes nothing.
    stageScreen.goPlayNext();
    EXPECT_EQ(stageScreen.wynik, "");
    EXPECT_FLOAT_EQ(stageScreen.dFade, 0);
}

// The panel's middle tells about the level under the pointer (a locked one says why), else
// about the one the play button starts; a won level keeps its score and time.
TEST_F(StageScreenTest, TheMiddleTellsAboutThePointedLevelElseTheNextToPlay) {
    write("txt/en/stageScreen.txt",
          "Level\nOne\nTwo\n\n\n\n\n\n\n\n\nPicture puzzle\nBlock puzzle\nHidden objects\nInlay puzzle\n"
          "Won\nNot yet won\nLocked\nScore\nTime\n");
    resetStageScreen();
    levels({1, 2, 3});
    addRecord(*p, 1, 2, 1);
    p->levele.back()->score = 325;
    p->levele.back()->time = 75;
    stageScreen.prepare(stage);
    stageScreen.alpha = stageScreen.dAlpha = 1;
    auto texts = [] {
        ClearRecordedDraws();
        stageScreen._drawDetails();
        std::vector<std::string> out;
        for (const DrawCall& d : RecordedDraws())
            if (d.kind == DrawCall::Text) out.push_back(d.what);
        return out;
    };
    struct Case {
        const char* what;
        int cell;  // under the pointer, -1 for none
        std::vector<std::string> lines;
    } cases[] = {
        {"nothing pointed: the level play starts", -1, {"Level 2", "Picture puzzle", "Not yet won"}},
        {"a won level", 0, {"Level 1", "Picture puzzle", "Won", "Score 325    Time 01:15"}},
        {"a locked level says why", 2, {"Level 3", "Picture puzzle", "Locked"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        mouse.x = c.cell < 0 ? 5.0f : stageScreen.cellX(c.cell);
        mouse.y = c.cell < 0 ? 5.0f : stageScreen.cellY(c.cell);
        stageScreen._updateOver();
        EXPECT_EQ(texts(), c.lines);
    }
}

TEST_F(StageScreenTest, EntriesWithoutAnIconAreLeftOutOfTheGrid) {
    p->entries = {entry(1, 1, "MAIN-GAME", 2), entry(2, 2, "SOMETHING-ELSE", 2), entry(3, 3, "HIDDEN-OBJECT", 2),
                  entry(4, 4, "LAY-PUZZLE", 2), entry(5, 5, "PUZZLE-EXPRESS", 2)};
    stageScreen.prepare(stage);
    ASSERT_EQ(stageScreen.listaLeveli.size(), 4u);
    EXPECT_EQ(stageScreen.listaLeveli[1]->numer, 3);
    for (const auto& l : stageScreen.listaLeveli) EXPECT_TRUE(stageScreen.getProperImg(l->gameType)) << l->gameType;
    EXPECT_FALSE(stageScreen.getProperImg("main-game"));  // the type is compared exactly
}

TEST_F(StageScreenTest, ABoardsSizeReadsWidthByHeightAsOnTheBoard) {
    // The level file gives rows, then columns: a board 15 wide and 10 high, and its square
    // neighbour.
    write("data/levels/wide.lvl", "level {\n\tdata {\n\t\tdims = 10, 15\n\t}\n}\n");
    write("data/levels/square.lvl", "level {\n\tdata {\n\t\tdims = 5, 5\n\t}\n}\n");
    p->entries = {entry(1, 1, "MAIN-GAME", 2), entry(2, 2, "MAIN-GAME", 2), entry(3, 3, "LAY-PUZZLE", 2)};
    p->entries[0]->url = "data/levels/wide.lvl";
    p->entries[1]->url = "data/levels/square.lvl";
    p->entries[2]->url = "data/levels/wide.lvl";
    stageScreen.prepare(stage);
    ASSERT_EQ(stageScreen.listaLeveli.size(), 3u);
    EXPECT_EQ(stageScreen.sizeLine[stageScreen.listaLeveli[0].get()], "15x10");
    EXPECT_EQ(stageScreen.sizeLine[stageScreen.listaLeveli[1].get()], "5x5");
    EXPECT_EQ(stageScreen.sizeLine.count(stageScreen.listaLeveli[2].get()), 0u);  // not a nonogram
}

TEST_F(StageScreenTest, GridCellsRunSixToARow) {
    struct Case {
        int k;
        float x, y;
    } cases[] = {{0, 160, 165}, {1, 300, 165}, {5, 860, 165}, {6, 160, 255}, {13, 300, 345}};
    for (const Case& c : cases) {
        EXPECT_FLOAT_EQ(stageScreen.cellX(c.k), c.x) << c.k;
        EXPECT_FLOAT_EQ(stageScreen.cellY(c.k), c.y) << c.k;
    }
}

TEST_F(StageScreenTest, HitBoxUsesIntegerHalvesAndInclusiveEdges) {
    stageScreen.setup();
    TImage icon = stageScreen.levelTypeImg[0];
    ASSERT_TRUE(icon);
    // 71 x 57 around (160, 165): left 125, top 137, right 196, bottom 194, all inside.
    struct Case {
        int x, y;
        bool in;
    } cases[] = {{125, 137, true}, {196, 194, true}, {124, 165, false}, {197, 165, false},
                 {160, 136, false}, {160, 195, false}, {160, 165, true}};
    for (const Case& c : cases) {
        mouse.x = c.x;
        mouse.y = c.y;
        EXPECT_EQ(TStageScreen::inIcon(icon, 160, 165), c.in) << c.x << "," << c.y;
    }
}

TEST_F(StageScreenTest, HoverTakesOnlyPlayableLevelsAndTheLaterOfTwoOverlappingBoxes) {
    levels({1, 2, 3});
    addRecord(*p, 1, 2, 1);
    stageScreen.prepare(stage);
    stageScreen.alpha = 1;
    stageScreen.stepX = 20;  // boxes overlap
    const auto& list = stageScreen.listaLeveli;
    mouse.x = 175;
    mouse.y = 165;
    stageScreen._updateOver();
    EXPECT_EQ(stageScreen.overLevel, list[1]);  // level 3 is shut, level 2 is the later open box
    EXPECT_FLOAT_EQ(stageScreen.overA(*list[1]), 0.05f);
    EXPECT_FLOAT_EQ(stageScreen.overA(*list[0]), 0.05f);  // under the mouse too, and open
    EXPECT_FLOAT_EQ(stageScreen.overA(*list[2]), 0);

    stageScreen.alpha = 0;
    stageScreen._updateOver();
    EXPECT_FALSE(stageScreen.overLevel);
}

TEST_F(StageScreenTest, FirstFrameStaysClearAndTheButtonsWaitForAFullPanel) {
    levels({1, 2});
    stageScreen.prepare(stage);
    stageScreen.update();
    EXPECT_FLOAT_EQ(stageScreen.alpha, 0);
    EXPECT_FLOAT_EQ(stageScreen.dAlpha, 1);

    // Back clicked at frame 8 (panel half shown) is ignored; at frame 30 it counts.
    openDisplay();
    std::vector<ScriptCommand> script = clickAt(8, 392, 536);
    for (auto& c : clickAt(30, 392, 536)) script.push_back(c);
    HarnessStart(script, 400);
    EXPECT_EQ(stageScreen.mainLoop(stage), "");
    EXPECT_GE(HarnessFrameNumber(), 49);
    EXPECT_EQ(stageScreen.state, "HIDE");
}

TEST_F(StageScreenTest, AChosenLevelStaysChosen) {
    levels({1, 2});
    addRecord(*p, 1, 2, 1);
    openDisplay();
    // Level 2 clicked, then back and Esc while the screen goes black: the choice holds.
    std::vector<ScriptCommand> script = clickAt(30, 300, 165);
    for (auto& c : clickAt(34, 392, 536)) script.push_back(c);
    script.push_back(cmd(36, "key", {"ESCAPE"}));
    HarnessStart(script, 400);
    EXPECT_EQ(stageScreen.mainLoop(stage), "PLAY");
    ASSERT_TRUE(stageScreen.wybrany);
    EXPECT_EQ(stageScreen.wybrany->numer, 2);
    EXPECT_FLOAT_EQ(stageScreen.fade, 1);
}

TEST_F(StageScreenTest, PlayTakesTheFirstLevelNotWonAndPointsTheProfileAtIt) {
    levels({1, 2, 3});
    addRecord(*p, 1, 2, 1);
    openDisplay();
    HarnessStart(clickAt(30, 632, 536), 400);
    EXPECT_EQ(stageScreen.mainLoop(stage), "PLAY");
    ASSERT_TRUE(stageScreen.wybrany);
    EXPECT_EQ(stageScreen.wybrany->numer, 2);
    EXPECT_EQ(p->numerLevelu, 2);
    EXPECT_EQ(p->numerStageu, 2);
}

TEST_F(StageScreenTest, EscGoesBackToTheMap) {
    levels({1});
    openDisplay();
    HarnessStart({cmd(30, "key", {"ESCAPE"})}, 400);
    EXPECT_EQ(stageScreen.mainLoop(stage), "");
    EXPECT_FALSE(stageScreen.chosen);
}

}  // namespace
}  // namespace menutest
