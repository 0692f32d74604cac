// A board cell: which moves it takes, how each plays out over time, and what it pays.
#include <string>
#include <vector>

#include "board_fixture.h"

using namespace boardtest;

namespace {

class TileMoves : public BoardTest {};

struct AcceptCase {
    const char* name;
    bool picture;
    bool uncover;
    const char* state;
    int lastMove;
    int punktuj;
    int odkryty;
    int broken;
    bool creatureUsed;  // else destroyed
};

TEST_F(TileMoves, AcceptedMoveEntersItsStateAndJudgesTheMove) {
    const AcceptCase cases[] = {
        {"right uncover", true, true, "ODKRYJ-1", 0, 1, 0, 0, true},
        {"wrong uncover", false, true, "ROZBIJ-3", 1, 0, 1, 1, false},
        {"right break", false, false, "ODKRYJ-3", 0, 1, 0, 0, true},
        {"wrong break", true, false, "ROZBIJ-1", 1, 0, 0, 0, false},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        fresh();
        build({k.picture ? "#" : "."});
        TTile& t = cell(0, 0);
        auto living = opaqueToken<TLiving>();
        t._living = living;
        level->livings.push_back(living);
        play.setLastMove(1 - k.lastMove);

        const int got = k.uncover ? t.odkryj(30) : t.rozbij(30);

        EXPECT_EQ(got, 50);
        EXPECT_EQ(t.state, k.state);
        EXPECT_EQ(play.lastMove(), k.lastMove);
        EXPECT_EQ(t.punktuj, k.punktuj);
        EXPECT_EQ(t.odkryty, k.odkryty);
        EXPECT_EQ(t.broken, k.broken);
        EXPECT_EQ(t.revTime, now + 30);
        EXPECT_EQ(t.scoreTime, now + 30);
        EXPECT_EQ(t._living, nullptr);
        if (k.creatureUsed) {
            ASSERT_EQ(effects.used.size(), 1u);
            EXPECT_EQ(effects.used[0], living.get());
            EXPECT_EQ(play.livingsUsed, 1);
            EXPECT_EQ(level->livings.size(), 1u);  // a found creature stays listed
            EXPECT_EQ(level->rozbitoZwierzatko, 0);
        } else {
            ASSERT_EQ(effects.dropped.size(), 1u);
            const DropCall& d = effects.dropped[0];
            EXPECT_EQ(d.living, living.get());
            EXPECT_FLOAT_EQ(d.x1, t.x());
            EXPECT_FLOAT_EQ(d.y1, t.y());
            EXPECT_GE(d.x2, t.x() - 100);
            EXPECT_LE(d.x2, t.x() + 100);
            EXPECT_GE(d.y2, 810);
            EXPECT_LE(d.y2, 900);
            EXPECT_FLOAT_EQ(d.mx, t.x());
            EXPECT_FLOAT_EQ(d.my, d.y2);
            EXPECT_TRUE(level->livings.empty());
            EXPECT_EQ(level->rozbitoZwierzatko, 1);
            EXPECT_EQ(play.livingsUsed, 0);
        }
    }
}

struct RefuseCase {
    const char* name;
    bool picture;
    bool uncover;
    int brokenFlag;
    int odkrytyFlag;
    const char* task;
    int turnoff;
    int breakTips;
    int uncoverTips;
};

TEST_F(TileMoves, RefusedMoveChangesNothingAndOnlyATaskShowsATip) {
    const RefuseCase cases[] = {
        {"already broken", true, true, 1, 0, "", 0, 0, 0},
        {"already opened", false, false, 0, 1, "", 0, 0, 0},
        {"task wants a break", true, true, 0, 0, "BROKE", 0, 1, 0},
        {"task wants an uncover", false, false, 0, 0, "UNCOVER", 0, 0, 1},
        {"switched off", true, true, 0, 0, "", 1, 0, 0},
        {"task is asked before switch", false, false, 0, 0, "UNCOVER", 1, 0, 1},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        fresh();
        build({k.picture ? "#" : "."});
        TTile& t = cell(0, 0);
        t.broken = k.brokenFlag;
        t.odkryty = k.odkrytyFlag;
        t.zadanie = k.task;
        t.turnoff = k.turnoff;
        play.setLastMove(0);

        const int got = k.uncover ? t.odkryj(0) : t.rozbij(0);

        EXPECT_EQ(got, 0);
        EXPECT_EQ(t.state, "");
        EXPECT_EQ(t.punktuj, 0);
        EXPECT_EQ(play.lastMove(), 0);
        EXPECT_EQ(int(play.breakTips.size()), k.breakTips);
        EXPECT_EQ(int(play.uncoverTips.size()), k.uncoverTips);
    }
}

TEST_F(TileMoves, PendingRightBreakTakesNoSecondMove) {
    build({"."});
    TTile& t = cell(0, 0);
    ASSERT_EQ(t.rozbij(100), 50);
    EXPECT_EQ(t.odkryj(0), 0);
    EXPECT_EQ(t.rozbij(0), 0);
    t.uncoverSafe();
    EXPECT_EQ(t.revTime, now + 100);
    EXPECT_EQ(play.lastMove(), 0);
    runFor(300);
    EXPECT_EQ(t.state, "ODKRYTY");
    EXPECT_EQ(t.broken, 0);
    EXPECT_TRUE(play.stones.empty());
    EXPECT_EQ(play.scores.size(), 1u);
}

TEST_F(TileMoves, ATaskAllowsItsOwnMove) {
    build({"#."});
    cell(0, 0).setZadanie("uncover", "light-down");
    cell(0, 1).setZadanie("broke", "");
    EXPECT_EQ(cell(0, 0).odkryj(0), 50);
    EXPECT_EQ(cell(0, 1).rozbij(0), 50);
    EXPECT_TRUE(play.breakTips.empty() && play.uncoverTips.empty());
}

TEST_F(TileMoves, ReleasedLinePlaysOutFiftyMillisecondsApartSkippingRefusedCells) {
    build({"#####"});
    cell(0, 1).setOdkrytyData(1, 0);
    const int start = now;

    const auto results =
        releaseLine({&cell(0, 0), &cell(0, 1), &cell(0, 2), &cell(0, 3), &cell(0, 4)}, true);

    EXPECT_EQ(results, (std::vector<int>{50, 0, 50, 50, 50}));
    const int cols[] = {0, 2, 3, 4};
    const int delays[] = {0, 50, 100, 150};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(cell(0, cols[i]).revTime, start + delays[i]);

    runFor(400);
    ASSERT_EQ(services.count("tile_right"), 4);
    ASSERT_EQ(play.scores.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        // Each sound comes on the first frame at or after its cell's time, in line order.
        const int due = start + delays[i];
        EXPECT_GE(services.sounds[size_t(i)].at, due);
        EXPECT_LE(services.sounds[size_t(i)].at, due + 16);
        EXPECT_GT(play.scores[size_t(i)].at, due);
        EXPECT_FLOAT_EQ(play.scores[size_t(i)].x, cell(0, cols[i]).x());
    }
}

TEST_F(TileMoves, RightUncoverPaysOnceAfterItsDelayAndTakesCoverThenFadeIn) {
    build({"#"});
    TTile& t = cell(0, 0);
    const int move = now;
    ASSERT_EQ(t.odkryj(100), 50);
    EXPECT_EQ(t.odkryj(0), 0) << "pending move is not taken twice";

    frames(6);  // up to 1096, before the move's own time: nothing yet
    EXPECT_TRUE(play.scores.empty());
    EXPECT_EQ(t.animTime, 0);

    // Cover of 10 frames: 18 steps of half a frame, one update on the last frame, one in
    // ODKRYJ-2, then 40 updates of fade-in.
    frames(59);
    EXPECT_EQ(t.state, "ODKRYJ-TILES");
    frame();
    EXPECT_EQ(t.state, "ODKRYTY");
    EXPECT_FLOAT_EQ(t.odkrA, 1.0f);
    EXPECT_EQ(t.odkryty, 1);

    frames(30);
    ASSERT_EQ(play.scores.size(), 1u);
    EXPECT_EQ(play.scores[0].points, 25);
    EXPECT_GT(play.scores[0].at, move + 100);
    EXPECT_LE(play.scores[0].at, move + 100 + 16);
    EXPECT_EQ(services.count("tile_right"), 1);
    EXPECT_EQ(t.odkryj(0), 0) << "resolved cell refuses";
    EXPECT_EQ(t.rozbij(0), 0);
}

TEST_F(TileMoves, WrongBreakSendsItsStoneOnTheFirstUpdateOfItsTime) {
    build({"#"});
    TTile& t = cell(0, 0);
    const int move = now;
    ASSERT_EQ(t.rozbij(50), 50);
    EXPECT_EQ(t.broken, 0) << "flags wait for the move to play out";

    frames(3);  // 1016, 1032, 1048
    EXPECT_TRUE(play.stones.empty());
    frame();
    ASSERT_EQ(play.stones.size(), 1u);
    EXPECT_EQ(play.stones[0].tile, &t);
    EXPECT_GE(play.stones[0].at, move + 50);
    EXPECT_EQ(services.count("break_wrong"), 1);
    EXPECT_EQ(effects.plates, 1);

    frames(60);
    EXPECT_EQ(play.stones.size(), 1u);
    EXPECT_EQ(services.count("break_wrong"), 1);
    EXPECT_EQ(t.state, "ROZBITY");
    EXPECT_EQ(t.broken, 1);
    EXPECT_EQ(t.odkryty, 0);
    EXPECT_TRUE(t.isDone());
    EXPECT_TRUE(t.isCleared());
    EXPECT_FALSE(t.isUncovered());
    EXPECT_TRUE(play.scores.empty());
}

TEST_F(TileMoves, WrongUncoverIsClearedAtOnceButSendsItsStoneAfterTheCover) {
    build({"."});
    TTile& t = cell(0, 0);
    ASSERT_EQ(t.odkryj(0), 50);
    EXPECT_TRUE(t.isCleared());
    EXPECT_EQ(t.odkryty, 1);
    EXPECT_EQ(t.broken, 1);

    frames(18);
    EXPECT_TRUE(play.stones.empty());
    EXPECT_EQ(services.count("tile_wrong"), 1);
    frame();
    ASSERT_EQ(play.stones.size(), 1u);
    EXPECT_EQ(t.state, "ROZBITY");
    EXPECT_EQ(effects.plates, 1);
    frames(10);
    EXPECT_EQ(play.stones.size(), 1u);
    EXPECT_EQ(services.count("tile_wrong"), 1);
}

TEST_F(TileMoves, RightBreakResolvesInTwoUpdatesWithSplinters) {
    build({"."});
    TTile& t = cell(0, 0);
    ASSERT_EQ(t.rozbij(0), 50);
    frame();
    EXPECT_EQ(t.state, "ODKRYJ-2");
    EXPECT_EQ(t.odkryty, 1);
    frame();
    EXPECT_EQ(t.state, "ODKRYTY");
    EXPECT_EQ(effects.splinters, 4);
    EXPECT_EQ(services.count("break_right"), 1);
    EXPECT_EQ(play.scores.size(), 1u);
}

TEST_F(TileMoves, OneFrameCoverOpensOnTheFirstUpdateOfItsTime) {
    cover->hideFrames = 1;
    build({"#"});
    TTile& t = cell(0, 0);
    t.odkryj(20);
    frame();  // before its time
    EXPECT_EQ(t.state, "ODKRYJ-1");
    frame();
    EXPECT_EQ(t.state, "ODKRYJ-2");
    EXPECT_EQ(t.odkryty, 1);
}

TEST_F(TileMoves, OpenedPictureReleasesItsTreasureOnce) {
    cover->hideFrames = 1;
    build({"#"}, true);
    TTile& t = cell(0, 0);
    t.odkryj(0);
    frames(2);
    ASSERT_EQ(effects.flights.size(), 1u);
    const FlightCall& f = effects.flights[0];
    EXPECT_EQ(f.tresure, treasure.get());
    EXPECT_EQ(f.frame, treasure->frames - 1);
    EXPECT_EQ(f.size, 0);
    EXPECT_FLOAT_EQ(f.x, t.x());
    EXPECT_FLOAT_EQ(f.y, t.y());
    EXPECT_EQ(f.tile, &t);
    EXPECT_EQ(t.tresure, nullptr);
    EXPECT_NE(t._myTresure, nullptr);
    EXPECT_FALSE(t.isDone());
    frames(60);
    EXPECT_EQ(effects.flights.size(), 1u);
    land(t);
    EXPECT_TRUE(t.isDone());
}

struct RevealCase {
    const char* name;
    bool picture;
    int restoreOpened, restoreBroken;  // -1: no restore
    const char* moveBefore;            // "wrong-break" played out first, or ""
    bool acts;
};

TEST_F(TileMoves, RevealOpensAsARightMoveButNeverPaysACellTwice) {
    const RevealCase cases[] = {
        {"covered empty cell", false, -1, -1, "", true},
        {"covered picture cell", true, -1, -1, "", true},
        {"already opened", true, 1, 0, "", false},
        {"picture broken by mistake", true, -1, -1, "wrong-break", false},
        {"restored broken", true, 0, 1, "", false},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        fresh();
        build({k.picture ? "#" : "."});
        TTile& t = cell(0, 0);
        if (k.restoreOpened >= 0) t.setOdkrytyData(k.restoreOpened, k.restoreBroken);
        if (std::string(k.moveBefore) == "wrong-break") {
            t.rozbij(0);
            frames(3);
            ASSERT_EQ(t.state, "ROZBITY");
        }
        const std::string before = t.state;
        const size_t stonesBefore = play.stones.size();

        t.reveal();
        frames(80);

        if (k.acts) {
            EXPECT_EQ(t.state, "ODKRYTY");
            EXPECT_EQ(play.scores.size(), 1u);
            EXPECT_EQ(play.scores[0].points, 25);
        } else {
            EXPECT_EQ(t.state, before);
            EXPECT_TRUE(play.scores.empty());
        }
        EXPECT_EQ(play.stones.size(), stonesBefore);
    }
}

TEST_F(TileMoves, RevealIgnoresTutorialAndLeavesLastMove) {
    build({"."});
    TTile& t = cell(0, 0);
    t.turnoff = 1;
    t.setZadanie("UNCOVER", "");
    play.setLastMove(1);
    t.reveal();
    EXPECT_EQ(t.state, "ODKRYJ-1");
    EXPECT_EQ(play.lastMove(), 1);
    EXPECT_TRUE(play.uncoverTips.empty());
    frame();
    EXPECT_EQ(play.scores.size(), 1u) << "no move before: pays at once";
}

struct SaveCase {
    const char* code;
    int opened, broken;
    const char* state;
    bool cleared;
};

TEST_F(TileMoves, SaveCodesRestoreTheirStateAndNeverScoreAgain) {
    const SaveCase cases[] = {
        {"0 0", 0, 0, "", false},
        {"1 0", 1, 0, "ODKRYTY", true},
        {"0 1", 0, 1, "ROZBITY", true},
        {"1 1", 1, 1, "ROZBITY", true},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.code);
        fresh();
        build({"#"});
        TTile& t = cell(0, 0);
        t.setOdkrytyData(k.opened, k.broken);
        EXPECT_EQ(t.state, k.state);
        EXPECT_EQ(bool(t.isCleared()), k.cleared);
        EXPECT_EQ(t.getSaveStateData(), k.code);
        EXPECT_FLOAT_EQ(t.odkrA, 1.0f);
        t.punktuj = 1;  // as if a move had asked for a score
        frames(3);
        EXPECT_EQ(play.scores.size(), k.cleared ? 0u : 1u);
    }
}

TEST_F(TileMoves, OddSaveFlagsCountAsSet) {
    build({"#"});
    cell(0, 0).setOdkrytyData(7, 0);
    EXPECT_EQ(cell(0, 0).getSaveStateData(), "1 0");
    EXPECT_EQ(cell(0, 0).state, "ODKRYTY");
}

TEST_F(TileMoves, ScreenQuarterOfTheCellCentre) {
    struct Q {
        float x, y;
        int quarter;
    };
    const Q cases[] = {{512, 384, 3}, {511.9f, 383.9f, 0}, {600, 100, 1}, {100, 500, 2}};
    build({"#"});
    for (const auto& q : cases) {
        cell(0, 0).dim->x = q.x;
        cell(0, 0).dim->y = q.y;
        EXPECT_EQ(cell(0, 0).checkCwiartka(), q.quarter) << q.x << "," << q.y;
    }
}

TEST_F(TileMoves, WinScreenCopyTakesTheLastFrameOfEachStrip) {
    pictureData->frames = 3;
    cover->hideFrames = 6;
    cover->hideImg[0] = makeImage(kPitch, kPitch);
    build({"#.."});
    cell(0, 2).setOdkrytyData(0, 1);
    cell(0, 2).odkryty = 1;
    EXPECT_EQ(cell(0, 0).getImg(), pictureData->gfx[0]);
    EXPECT_EQ(cell(0, 0).getFrame(), 2);
    EXPECT_EQ(cell(0, 1).getImg(), cover->hideImg[0]);
    EXPECT_EQ(cell(0, 1).getFrame(), 5);
    EXPECT_EQ(cell(0, 2).getImg(), nullptr);

    pictureData->frames = 0;  // bad data: never a frame before the first
    cover->hideFrames = 0;
    EXPECT_EQ(cell(0, 0).getFrame(), 0);
    EXPECT_EQ(cell(0, 1).getFrame(), 0);
}

TEST_F(TileMoves, CellWithoutRecordsOrLevelStaysSafe) {
    auto t = std::make_shared<TTile>();
    EXPECT_EQ(t->isPicture(), 0);
    EXPECT_EQ(t->rozbij(0), 50);
    for (int i = 0; i < 5; ++i) {
        now += 16;
        t->update();
    }
    EXPECT_EQ(t->state, "ODKRYTY");
    EXPECT_EQ(t->updateOver(), 0);
    EXPECT_EQ(t->getImg(), nullptr);
}

}  // namespace
