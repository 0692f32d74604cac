// Moves on the play screen: lines from drags, the button and tool matrix, cancelling, the
// 50 ms rhythm of a released line, the tool buttons and cursors, and the display values.
#include "app/app_globals.h"
#include "effects/captions.h"
#include "test_play_support.h"

namespace {

using playtest::PlayTest;

class PlayMovesTest : public PlayTest {
protected:
    // A level in play, past its fly-in.
    void play(const std::vector<std::string>& picture) {
        build(picture);
        start();
        ASSERT_TRUE(runUntilState("NORMAL"));
    }
    std::vector<std::pair<int, int>> held() const {
        std::vector<std::pair<int, int>> out;
        for (TTile* t : mainGame.tilesyHolded) out.push_back({t->r, t->c});
        return out;
    }
};

TEST_F(PlayMovesTest, LineFollowsTheDominantAxisInAscendingOrder) {
    build({"#####", "#####", "#####", "#####", "#####"});
    struct Case {
        int r0, c0, r1, c1;
        std::vector<std::pair<int, int>> line;
    };
    const Case cases[] = {
        {2, 4, 2, 1, {{2, 1}, {2, 2}, {2, 3}, {2, 4}}},  // a row dragged right to left
        {0, 1, 3, 2, {{0, 1}, {1, 1}, {2, 1}, {3, 1}}},  // mostly down: a column
        {1, 1, 3, 3, {{1, 1}, {2, 1}, {3, 1}}},          // exact diagonal: a column
        {2, 2, 2, 2, {{2, 2}}},                          // one tile
        {4, 0, 3, 4, {{4, 0}, {4, 1}, {4, 2}, {4, 3}, {4, 4}}},  // the pointer's tile is projected
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(testing::Message() << k.r0 << "," << k.c0 << " -> " << k.r1 << "," << k.c1);
        mainGame.startTile_ = nullptr;
        mainGame.holdOn(&cell(k.r0, k.c0));
        mainGame.holdOn(&cell(k.r1, k.c1));
        EXPECT_EQ(held(), k.line);
        EXPECT_EQ(mainGame.firstHoldedTile, &cell(k.r0, k.c0));
    }
}

TEST_F(PlayMovesTest, ReleasedLineActsFromItsLowEndFiftyMillisecondsApart) {
    play({"#####", "....."});
    cell(0, 2).odkryj(0);  // already resolved: it leaves no gap
    runFrames(60);
    const int32_t before = now;
    moveTo(cell(0, 4));
    press(1);
    frame();
    moveTo(cell(0, 0));
    frame();
    release(1);
    frame();
    const int32_t released = now;
    (void)before;
    EXPECT_EQ(cell(0, 0).revTime, released);
    EXPECT_EQ(cell(0, 1).revTime, released + 50);
    EXPECT_EQ(cell(0, 3).revTime, released + 100);
    EXPECT_EQ(cell(0, 4).revTime, released + 150);
    EXPECT_TRUE(mainGame.tilesyHolded.empty());
    EXPECT_EQ(mainGame.startTile_, nullptr);
}

TEST_F(PlayMovesTest, ButtonAndToolDecideUncoverOrBreak) {
    struct Case {
        int tool, button;
        bool uncovers;
    };
    const Case cases[] = {{0, 1, true}, {0, 2, false}, {1, 1, false}, {1, 2, true}};
    for (const auto& k : cases) {
        SCOPED_TRACE(testing::Message() << "tool " << k.tool << " button " << k.button);
        play({"#."});
        mainGame.setHand(k.tool);
        click(cell(0, 0), k.button);
        // Uncovering a picture cell is right ("ODKRYJ-1"); breaking it is wrong ("ROZBIJ-1").
        const std::string& s = cell(0, 0).state;
        if (k.uncovers) EXPECT_TRUE(s == "ODKRYJ-1" || s == "ODKRYJ-2" || s == "ODKRYTY") << s;
        else EXPECT_TRUE(s == "ROZBIJ-1" || s == "ROZBITY") << s;
        EXPECT_EQ(mainGame.lastMove(), k.uncovers ? 0 : 1);
        release(1);
        release(2);
    }
}

TEST_F(PlayMovesTest, SecondButtonCancelsTheLine) {
    play({"###"});
    moveTo(cell(0, 0));
    press(1);
    frame();
    moveTo(cell(0, 2));
    frame();
    ASSERT_EQ(mainGame.tilesyHolded.size(), 3u);
    press(2);
    frame();
    EXPECT_TRUE(mainGame.tilesyHolded.empty());
    EXPECT_EQ(mainGame.holding, "");
    release(1);
    release(2);
    runFrames(3);
    for (int c = 0; c < 3; ++c) EXPECT_EQ(cell(0, c).state, "") << c;
}

TEST_F(PlayMovesTest, ReleaseOffTheBoardActsOnTheLastShape) {
    play({"###"});
    moveTo(cell(0, 0));
    press(1);
    frame();
    moveTo(cell(0, 1));
    frame();
    moveTo(5, 5);  // off the board
    frame();
    release(1);
    frame();
    EXPECT_NE(cell(0, 0).state, "");
    EXPECT_NE(cell(0, 1).state, "");
    EXPECT_EQ(cell(0, 2).state, "");
}

TEST_F(PlayMovesTest, ToolButtonsPickTheToolAndDisarmPowerUps) {
    play({"#"});
    mainGame.setHand(5);  // an armed map
    moveTo(950, 270);
    press(1);
    frame();
    release(1);
    frame();
    EXPECT_EQ(mainGame.hand_, 1);
    EXPECT_EQ(mainGame.hakOver, 1);
    EXPECT_EQ(mainGame.lastHand, 5);
    moveTo(840, 275);
    press(1);
    frame();
    release(1);
    frame();
    EXPECT_EQ(mainGame.hand_, 0);
    EXPECT_EQ(mainGame.handOver, 1);
}

TEST_F(PlayMovesTest, ArmedPowerUpDrawsNoLine) {
    play({"###"});
    mainGame.setHand(4);
    moveTo(cell(0, 0));
    press(1);
    frame();
    EXPECT_TRUE(mainGame.tilesyHolded.empty());
    release(1);
    frame();
    EXPECT_EQ(cell(0, 0).state, "");
}

TEST_F(PlayMovesTest, ScoreTruncatesWithTheMultiplierAndStopsOnceWon) {
    build({"#."});
    mainGame.mnoznik = 2.5f;
    mainGame.setState("NORMAL");
    mainGame.addScore(25, 10, 10);
    EXPECT_EQ(level->score, 62);
    ASSERT_EQ(captionsList.size(), 1u);
    auto number = std::dynamic_pointer_cast<TTextCaption>(captionsList.front());
    ASSERT_TRUE(number);
    EXPECT_EQ(number->v, 62);
    mainGame.setState("WIN-1");
    mainGame.addScore(25, 10, 10);
    EXPECT_EQ(level->score, 124);
    mainGame.setState("WIN");
    mainGame.addScore(25, 10, 10);
    EXPECT_EQ(level->score, 124);
}

TEST_F(PlayMovesTest, DisplayStrings) {
    build({"#."});
    struct Score {
        int score;
        const char* text;
    };
    for (const Score k : {Score{0, "00000000"}, Score{25, "00000025"}, Score{123456789, "123456789"}}) {
        level->score = k.score;
        EXPECT_EQ(mainGame.getScoreString(), k.text);
    }
    struct Time {
        int seconds;
        const char* text;
    };
    for (const Time k : {Time{0, "00:00"}, Time{59, "00:59"}, Time{187, "03:07"}, Time{600, "10:00"},
                         Time{7500, "125:00"}}) {
        EXPECT_EQ(mainGame.getTimeString(k.seconds), k.text);
    }
    struct Mult {
        float m;
        const char* text;
    };
    for (const Mult k : {Mult{1.0f, "1.0"}, Mult{2.5f, "2.5"}, Mult{12.0f, "12.0"}}) {
        mainGame.mnoznik = k.m;
        EXPECT_EQ(mainGame.getMnoznikString(), k.text);
    }
}

TEST_F(PlayMovesTest, EnlargedBoxAroundACentredTile) {
    TDim d;
    d.x = 100;
    d.y = 50;
    d.w = 36;
    d.h = 31;
    auto b = mainGame.biggerDim(d);
    EXPECT_EQ(b->x, 77);
    EXPECT_EQ(b->y, 29);
    EXPECT_EQ(b->w, 46);
    EXPECT_EQ(b->h, 41);
}

TEST_F(PlayMovesTest, LevelClockCountsAtMostOneSecondPerStep) {
    build({"#."});
    mainGame.gameTime = 0;
    level->czas = 0;
    struct Step {
        int32_t advance;
        int czas;
    };
    // The first step counts at once (the time is never reset between levels); a long gap,
    // as after an overlay, still counts one second only.
    for (const Step k : {Step{0, 1}, Step{500, 1}, Step{501, 2}, Step{10000, 3}, Step{999, 3}, Step{2, 4}}) {
        now += k.advance;
        mainGame._updateTime();
        EXPECT_EQ(level->czas, k.czas) << "at " << now;
    }
}

TEST_F(PlayMovesTest, DeveloperKeysOnlyWithTheSwitch) {
    for (int on : {0, 1}) {
        SCOPED_TRACE(on);
        build({"#."});
        mainGame.setState("NORMAL");
        cheats = on;
        profile->czas = {5, 5, 5, 5, 5, 5};
        for (int key : {int('M'), int('W'), int('1'), 116, int('5')}) InjectKey(key, true);
        mainGame._controlKeyBoard();
        for (int key : {int('M'), int('W'), int('1'), 116, int('5')}) InjectKey(key, false);
        EXPECT_EQ(mainGame.mnoznik, on ? 2.0f : 1.0f);
        EXPECT_EQ(mainGame.state, on ? "WIN-1" : "NORMAL");
        EXPECT_EQ(profile->czas[0], on ? 0 : 5);
        EXPECT_EQ(profile->czas[4], on ? 0 : 5);  // F5, not the key 5, charges the skull
        FlushKeys();
    }
    cheats = 0;
}

}  // namespace
