// The level as a whole: completion, the cell under the mouse, line checks, tutorial
// switches, music, and what it does with sizes and indexes it cannot use.
#include <string>
#include <vector>

#include "board_fixture.h"

using namespace boardtest;

namespace {

class LevelPlay : public BoardTest {
protected:
    void hideMouse() {
        mouse.x = -500;
        mouse.y = -500;
    }
    void mouseOn(int r, int c) {
        mouse.x = kOriginX + c * kPitch;
        mouse.y = kOriginY + r * kPitch;
    }
};

TEST_F(LevelPlay, CompletesOnlyAfterTheLastTreasureLands) {
    build({"#.", ".#"}, true);
    releaseLine({&cell(0, 0)}, true);
    releaseLine({&cell(1, 1)}, true);

    frames(70);  // both pictures fully shown, both treasures still flying
    EXPECT_EQ(cell(0, 0).state, "ODKRYTY");
    EXPECT_EQ(cell(1, 1).state, "ODKRYTY");
    ASSERT_EQ(effects.flights.size(), 2u);
    EXPECT_EQ(level->levelCompleted, 0);

    land(cell(0, 0));
    frame();
    EXPECT_EQ(level->levelCompleted, 0);

    land(cell(1, 1));
    frame();
    EXPECT_EQ(level->levelCompleted, 1);
    for (auto& line : level->numbersHList)
        for (auto& n : line->lista) EXPECT_EQ(n->dMajorA, 0) << "numbers hide on completion";
}

TEST_F(LevelPlay, WholeLevelPlayedByLines) {
    build({"#.#", "###", "..."}, true);
    auto row = [this](int r) {
        return std::vector<TTile*>{&cell(r, 0), &cell(r, 1), &cell(r, 2)};
    };
    EXPECT_EQ(releaseLine(row(1), true), (std::vector<int>{50, 50, 50}));
    frames(2);
    // One wrong cell inside a line still costs its 50 ms; its stone comes when it plays out.
    EXPECT_EQ(releaseLine(row(0), true), (std::vector<int>{50, 50, 50}));
    EXPECT_EQ(play.lastMove(), 0) << "the line's last move was right";
    EXPECT_TRUE(play.stones.empty());
    EXPECT_EQ(releaseLine(row(2), false), (std::vector<int>{50, 50, 50}));
    runFor(500);
    EXPECT_EQ(releaseLine({&cell(0, 0), &cell(1, 0), &cell(2, 0)}, true),
              (std::vector<int>{0, 0, 0}))
        << "resolved cells refuse and cost no time";

    runFor(3000);
    EXPECT_EQ(play.stones.size(), 1u);
    EXPECT_EQ(play.stones[0].tile, &cell(0, 1));
    EXPECT_EQ(play.scores.size(), 8u) << "every right move pays once";
    ASSERT_EQ(effects.flights.size(), 5u);
    EXPECT_EQ(level->levelCompleted, 0);

    for (size_t i = 0; i < effects.flights.size(); ++i) {
        EXPECT_EQ(level->levelCompleted, 0);
        land(*effects.flights[i].tile);
        frame();
    }
    EXPECT_EQ(level->levelCompleted, 1);
    EXPECT_EQ(level->checkCompleted(), 1);
}

TEST_F(LevelPlay, CompletesWhileTheLastPictureIsStillUncovering) {
    build({"#."});
    cell(0, 0).odkryj(100);
    frame();  // still waiting for its time
    EXPECT_EQ(cell(0, 0).state, "ODKRYJ-1");
    EXPECT_EQ(level->levelCompleted, 1);
}

TEST_F(LevelPlay, WhatHoldsCompletionBack) {
    struct Case {
        const char* name;
        std::vector<std::string> picture;
        const char* moves;  // per cell in row-major order: 'u' uncover, 'b' break, '-' none
        int completed;
    };
    const Case cases[] = {
        {"all empty, no move", {"..", ".."}, "----", 1},
        {"covered picture cell", {"#.", ".."}, "----", 0},
        {"picture broken by mistake", {"#.", ".."}, "b---", 1},
        {"covered empty cells never count", {"#.", ".#"}, "u--u", 1},
        {"empty cell uncovered by mistake", {".#"}, "uu", 1},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        fresh();
        build(k.picture);
        for (size_t i = 0; i < level->tile.size(); ++i) {
            if (k.moves[i] == 'u') level->tile[i]->odkryj(0);
            if (k.moves[i] == 'b') level->tile[i]->rozbij(0);
        }
        frames(80);
        EXPECT_EQ(level->levelCompleted, k.completed);
    }
}

TEST_F(LevelPlay, CellUnderTheMouseIsTheFirstHitAndNoneOffTheBoard) {
    build({"##", "##"});
    mouseOn(1, 0);
    EXPECT_EQ(level->updateOver(), &cell(1, 0));
    // On the shared edge of two cells the earlier one in row-major order wins.
    mouse.x = kOriginX + kPitch / 2;
    mouse.y = kOriginY;
    EXPECT_EQ(level->updateOver(), &cell(0, 0));
    hideMouse();
    EXPECT_EQ(level->updateOver(), nullptr);
    EXPECT_EQ(level->updateOverEditor(), nullptr);
}

TEST_F(LevelPlay, ArmedPowerUpSparklesOverItsArea) {
    struct Case {
        const char* name;
        int tool, r, c;
        int cells;  // of the area; three sparkles each
    };
    const Case cases[] = {
        {"uncover tool", 0, 1, 1, 0},   {"break tool", 1, 1, 1, 0},
        {"eye: column", 4, 0, 2, 3},    {"skull: row", 6, 2, 0, 4},
        {"map: corner", 5, 0, 0, 4},    {"map: top edge", 5, 0, 1, 6},
        {"map: inner", 5, 1, 1, 9},     {"map: far corner", 5, 2, 3, 4},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        fresh();
        build({"#.#.", ".#.#", "#..#"});
        play.tool = k.tool;
        play.over = &cell(k.r, k.c);  // last frame's cell
        mouseOn(k.r, k.c);
        EXPECT_EQ(level->updateOver(), &cell(k.r, k.c));
        EXPECT_EQ(effects.sparkles, 3 * k.cells);

        // Each cell paces its own bursts: nothing more within 50 ms, again after.
        now += 50;
        level->updateOver();
        EXPECT_EQ(effects.sparkles, 3 * k.cells);
        now += 1;
        level->updateOver();
        EXPECT_EQ(effects.sparkles, 6 * k.cells);
    }
}

TEST_F(LevelPlay, SparklesWaitForACellUnderTheMouseInTheFrameBefore) {
    build({"##", "##"});
    play.tool = 4;
    play.over = nullptr;  // the mouse has just come onto the board
    mouseOn(0, 0);
    EXPECT_EQ(level->updateOver(), &cell(0, 0));
    EXPECT_EQ(effects.sparkles, 0);
}

TEST_F(LevelPlay, CaptionTestAndTutorialLineTestsTreatCoveredEmptyCellsDifferently) {
    build({"#.", "#."});
    cell(0, 0).setOdkrytyData(1, 0);
    cell(1, 0).setOdkrytyData(1, 0);
    EXPECT_EQ(level->checkCompleted(), 1);
    EXPECT_EQ(level->rowClear(0), 0);
    EXPECT_EQ(level->colClear(0), 1);
    EXPECT_EQ(level->colClear(1), 0);

    cell(0, 1).setOdkrytyData(0, 1);
    EXPECT_EQ(level->rowClear(0), 1);
    EXPECT_EQ(level->rowClear(1), 0);

    // Lines outside the grid are never clear.
    for (int bad : {-1, 2, 1000}) {
        EXPECT_EQ(level->rowClear(bad), 0) << bad;
        EXPECT_EQ(level->colClear(bad), 0) << bad;
    }
}

TEST_F(LevelPlay, TutorialSwitchesAndRelease) {
    build({"#.", ".#"});
    level->turnOffAll();
    EXPECT_EQ(cell(0, 0).odkryj(0), 0);
    EXPECT_EQ(cell(0, 1).rozbij(0), 0);
    EXPECT_TRUE(play.breakTips.empty() && play.uncoverTips.empty());
    level->turnOnAll();
    for (auto& t : level->tile) EXPECT_EQ(t->turnoff, 0);

    level->turnOffAll();
    cell(1, 1).setZadanie("uncover", "light-down");
    cell(1, 1).lightMeUp();
    level->freeFromTutorial();
    for (auto& t : level->tile) {
        EXPECT_EQ(t->turnoff, 0);
        EXPECT_EQ(t->zadanie, "");
        EXPECT_EQ(t->poZadaniu, "");
        EXPECT_EQ(t->dLightUpA, 0);
    }
}

TEST_F(LevelPlay, TutorialTaskEndsWhenItsMoveHasOpenedTheCell) {
    cover->hideFrames = 1;
    build({"#."});
    level->tutorialLevel = 1;
    TTile& t = cell(0, 0);
    t.setZadanie("uncover", "light-down");
    t.lightMeUp();
    frames(20);
    EXPECT_FLOAT_EQ(t.lightUPa, 1.0f);

    t.odkryj(0);
    frame();  // cover of one frame: opened in this update
    EXPECT_EQ(t.zadanie, "");
    EXPECT_EQ(t.dLightUpA, 0);
    EXPECT_EQ(t.poZadaniu, "LIGHT-DOWN");
}

TEST_F(LevelPlay, MusicIsTheLevelsOwnOrTheStages) {
    build({"#"});
    level->playMusic();
    EXPECT_EQ(services.levelMusic, 1);
    EXPECT_TRUE(services.music.empty());
    level->musicId = "stage2_theme";
    level->playMusic();
    EXPECT_EQ(services.levelMusic, 1);
    EXPECT_EQ(services.music, (std::vector<std::string>{"stage2_theme"}));
}

TEST_F(LevelPlay, DeveloperSlowMotionOnlyWithTheSwitch) {
    build({"#"});
    InjectKey(KEY_LSHIFT, true);
    frame();
    EXPECT_FLOAT_EQ(TTile::testSpeed, 1.0f);
    services.cheatsOn = 1;
    frame();
    EXPECT_FLOAT_EQ(TTile::testSpeed, 0.05f);
    InjectKey(KEY_LSHIFT, false);
    frame();
    EXPECT_FLOAT_EQ(TTile::testSpeed, 1.0f);
}

TEST_F(LevelPlay, GridSizesAndIndexesFromBadDataStayInside) {
    TLevel lvl;
    lvl.rows = -3;
    lvl.cols = 4;
    lvl.createTilesTab();
    EXPECT_EQ(lvl.rows, 0);
    EXPECT_TRUE(lvl.tile.empty());
    lvl.createNumbers();
    EXPECT_TRUE(lvl.numbersHList.empty());
    lvl.updateTiles();
    EXPECT_EQ(lvl.levelCompleted, 1);
    EXPECT_EQ(lvl.getGridXCenter(), 0);

    lvl.rows = 1 << 30;
    lvl.cols = 2;
    lvl.createTilesTab();
    EXPECT_EQ(lvl.rows, TLevel::maxSide);
    EXPECT_EQ(lvl.tile.size(), size_t(TLevel::maxSide) * 2);

    build({"#.", ".#"});
    EXPECT_EQ(level->at(2, 0), nullptr);
    EXPECT_EQ(level->at(0, -1), nullptr);
    EXPECT_EQ(level->at(1, 1)->r, 1);
    EXPECT_TRUE(level->createNumbersHLine(5).empty());
    EXPECT_TRUE(level->createNumbersVLine(-1).empty());
    level->generateMapa(-7, 99);  // nothing to sparkle, nothing to crash
    EXPECT_EQ(effects.sparkles, 0);
}

TEST_F(LevelPlay, CellsOutlivingTheirLevelForgetIt) {
    build({"#"});
    std::shared_ptr<TTile> kept = level->tileAt(0, 0);
    level.reset();
    play.lvl = nullptr;
    EXPECT_EQ(kept->_level, nullptr);
    kept->odkryj(0);
    now += 16;
    kept->update();
    EXPECT_EQ(kept->state, "ODKRYJ-1");
}

TEST_F(LevelPlay, GridCentreFollowsBlocksOfFive) {
    build({"##########"});
    // 10 columns of 50 px: X = 500 - 25 + 10 = 485, half of it right of the first centre.
    EXPECT_EQ(level->getGridXCenter(), kOriginX + 242);
}

}  // namespace
