// Debris, the flying hint and the returning bonus icons.
#include "effects_fixture.h"

namespace fxtest {
namespace {

// ---- debris ------------------------------------------------------------------------------

using OdpadTest = EffectsTest;

TEST_F(OdpadTest, EndsWhereItsPathEndsOrAsSoonAsItDropsBelowTheScreen) {
    struct Case {
        const char* name;
        bool chest;  // createOdpad2
        float y2, my;
        int updates;  // the update that removes it
    } cases[] = {
        {"path above the line: 50 updates", false, 700, 300, 50},
        {"chest piece above the line: 84 updates", true, 700, 300, 84},
        {"path far below: leaves when it passes 830", false, 2000, 300, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        resetOdpady();
        auto img = makeImage(10, 10);
        auto o = c.chest ? createOdpad2(img, 100, 300, 200, c.y2, 150, c.my)
                         : createOdpad(img, 100, 300, 200, c.y2, 150, c.my, 0);
        EXPECT_FLOAT_EQ(o->obr, c.chest ? 25 : 1440);
        EXPECT_FLOAT_EQ(o->speed, c.chest ? 0.6f : 1);
        int n = 0;
        float lastDrawnY = 0;
        while (!listaOdpadow.empty() && n < 500) {
            _updateOdpady();
            ++n;
            ClearRecordedDraws();
            _drawOdpady();
            if (!RecordedDraws().empty()) lastDrawnY = RecordedDraws()[0].y;
        }
        if (c.updates) {
            EXPECT_EQ(n, c.updates);
            EXPECT_FLOAT_EQ(o->per, 1);
        } else {
            EXPECT_GT(o->y, 830);
            EXPECT_LT(n, 50) << "before its path would have ended";
        }
        EXPECT_LE(lastDrawnY, 830) << "never drawn at its last position";
    }
}

TEST_F(OdpadTest, IsInvisibleBeforeItsFirstUpdateAndDrawsTheWholeFrame) {
    auto strip = makeImage(10, 10, 4);
    createOdpad(strip, 100, 100, 200, 200, 150, 100, 2.7f);
    _drawOdpady();
    ASSERT_EQ(RecordedDraws().size(), 1u);
    EXPECT_FLOAT_EQ(RecordedDraws()[0].alpha, 0);
    EXPECT_FLOAT_EQ(RecordedDraws()[0].scaleX, 0);
    ClearRecordedDraws();
    _updateOdpady();
    _drawOdpady();
    ASSERT_EQ(RecordedDraws().size(), 1u);
    EXPECT_EQ(RecordedDraws()[0].frame, 2);
    EXPECT_FLOAT_EQ(RecordedDraws()[0].alpha, 1);
    EXPECT_FLOAT_EQ(RecordedDraws()[0].rotation, 1440 * 0.02f);
    EXPECT_FLOAT_EQ(GetRotation(), 0);
}

TEST_F(OdpadTest, TheLoseWaitEndsOnceTheBrokenChestAndThePileAreGone) {
    // The losing state waits for the debris list and the level's treasure pile.
    TLevel level;
    play.lvl = &level;
    auto coin = std::make_shared<TTresureData>();
    coin->id = 1;
    createFlyingTresure(coin, 0, 0, 500, 300, nullptr);
    for (int i = 0; i < 7; ++i) createOdpad2(makeImage(20, 20), 800, 350, 800 + i * 20.0f, 900, 820, 300);
    sendTresuresDown();
    auto waiting = [&] { return !listaOdpadow.empty() || !level.flyingTresures.empty(); };
    int frames = 0;
    while (waiting() && frames < 1000) {
        advance(16);
        _updateOdpady();
        _updateFlyingTresures();
        ++frames;
    }
    EXPECT_FALSE(waiting());
    EXPECT_LT(frames, 1000);
    play.lvl = nullptr;
}

// ---- flying hint -------------------------------------------------------------------------

class HintTest : public EffectsTest {
protected:
    std::unique_ptr<TLevel> level;
    void SetUp() override {
        EffectsTest::SetUp();
        auto empty = std::make_shared<TTileData>();
        auto picture = std::make_shared<TTileData>();
        picture->id = 1;
        level = std::make_unique<TLevel>();
        level->rows = 1;
        level->cols = 2;
        level->createTilesTab();
        level->at(0, 0)->setTileData(picture);
        level->at(0, 1)->setTileData(empty);
        play.lvl = level.get();
    }
    void TearDown() override {
        play.lvl = nullptr;
        level.reset();
        EffectsTest::TearDown();
    }
    void hintTo(int c, int fromX = 900, int fromY = 100) {
        auto cell = level->tileAt(0, c);
        createFlyingHint(cell, fromX, fromY, *createSimpleDim(int(cell->x()), int(cell->y())));
    }
    void frame() {
        advance(16);
        _updateFlyingHints();
    }
};

TEST_F(HintTest, FirstUpdateSparklesAtOnceThenAtMostEvery20Ms) {
    hintTo(0);
    _updateFlyingHints();
    EXPECT_EQ(particlesList.size(), 6u);
    for (const auto& p : particlesList) {
        EXPECT_NEAR(p->x1, 900, 15) << "close to the start";
    }
    advance(20);
    _updateFlyingHints();
    EXPECT_EQ(particlesList.size(), 6u);
    advance(1);
    _updateFlyingHints();
    EXPECT_EQ(particlesList.size(), 12u);
}

TEST_F(HintTest, ResolvesItsCellTheFrameAfterArrivingAsTheSolutionSays) {
    hintTo(0);
    hintTo(1);
    auto& marker = *flyingHints.front();
    int frames = 0;
    while (marker.per < 1 && frames < 300) {
        frame();
        ++frames;
    }
    EXPECT_EQ(frames, 100);
    EXPECT_FLOAT_EQ(marker.x, level->at(0, 0)->x());
    EXPECT_EQ(level->at(0, 0)->state, "") << "not resolved on the frame it arrives";
    frame();
    EXPECT_EQ(level->at(0, 0)->state, "ODKRYJ-1") << "a picture cell is uncovered";
    EXPECT_EQ(level->at(0, 1)->state, "ODKRYJ-3") << "any other broken, in list order";
    EXPECT_TRUE(flyingHints.empty());
}

TEST_F(HintTest, AStartOnTheCellStillSwervesOutAndACellAlreadyResolvedStaysAsItIs) {
    level->at(0, 1)->setOdkrytyData(0, 1);
    hintTo(1, int(level->at(0, 1)->x()), int(level->at(0, 1)->y()));
    auto& marker = *flyingHints.front();
    marker.mx = 500;
    marker.my = 600;
    for (int i = 0; i < 50; ++i) frame();
    EXPECT_GT(marker.y, 200);
    for (int i = 0; i < 60; ++i) frame();
    EXPECT_TRUE(flyingHints.empty());
    EXPECT_EQ(level->at(0, 1)->state, "ROZBITY");
}

TEST_F(HintTest, ACellWhoseLevelIsGoneIsLeftAlone) {
    hintTo(0);
    auto cell = level->tileAt(0, 0);
    level.reset();  // the level drops its cells; the marker only held this one weakly
    play.lvl = nullptr;
    cell.reset();
    for (int i = 0; i < 120; ++i) frame();
    EXPECT_TRUE(flyingHints.empty());
}

// ---- bonus icons -------------------------------------------------------------------------

class BonusTest : public EffectsTest {
protected:
    void SetUp() override {
        EffectsTest::SetUp();
        for (int i = 0; i < 5; ++i) TFlyingBonus::img[size_t(i)] = makeImage(16, 16);
    }
    void frame() {
        advance(16);
        _updateFlyingBonus();
    }
};

TEST_F(BonusTest, TheButtonComesBackOneUpdateAfterTheIconArrives) {
    auto b = createFlyingBonus(3, 400, 300);
    EXPECT_FLOAT_EQ(b->x2, bonusX(3));
    EXPECT_FLOAT_EQ(b->y2, kBonusY);
    EXPECT_TRUE((b->mx == 400 && b->my == kBonusY) || (b->mx == bonusX(3) && b->my == 300));
    EXPECT_EQ(isBonusFlying(3), 1);
    EXPECT_EQ(isBonusFlying(2), 0);
    int frames = 0;
    while (b->per < 1) {
        frame();
        ++frames;
        EXPECT_TRUE(play.enabled.empty());
    }
    EXPECT_EQ(frames, 40);
    EXPECT_FLOAT_EQ(b->x, bonusX(3));
    EXPECT_FLOAT_EQ(b->y, kBonusY);
    EXPECT_EQ(isBonusFlying(3), 1) << "rests one update on the button";
    frame();
    EXPECT_EQ(play.enabled, std::vector<int>{3});
    EXPECT_EQ(isBonusFlying(3), 0);
    EXPECT_TRUE(flyingBonuses.empty());
}

TEST_F(BonusTest, TwoIconsOfOnePowerUpEachEnableItsButton) {
    createFlyingBonus(4, 100, 100);
    for (int i = 0; i < 10; ++i) frame();
    createFlyingBonus(4, 200, 200);
    for (int i = 0; i < 60; ++i) frame();
    EXPECT_EQ(play.enabled, (std::vector<int>{4, 4}));
}

TEST_F(BonusTest, DrawsItsIconUprightAndTheBagSlotShowsNothing) {
    createFlyingBonus(2, 100, 100);
    createFlyingBonus(5, 100, 100);
    createFlyingBonus(9, 100, 100);
    frame();
    SetRotation(45);
    _drawFlyingBonus();
    ASSERT_EQ(RecordedDraws().size(), 1u);
    EXPECT_FLOAT_EQ(RecordedDraws()[0].rotation, 0);
    EXPECT_FLOAT_EQ(RecordedDraws()[0].alpha, 1);
    for (int i = 0; i < 60; ++i) frame();
    EXPECT_EQ(play.enabled, (std::vector<int>{2, 5})) << "no widget past bonus6 is asked for";
}

}  // namespace
}  // namespace fxtest
