// Flying treasures: the pile, the landing, the summary flight on a win, the fall on a loss
// and the pile kept with a level in progress.
#include <cmath>

#include "effects_fixture.h"
#include "game/level/levelfile.h"
#include "gui/data/qcmfile.h"

namespace fxtest {
namespace {

class TresureTest : public EffectsTest {
protected:
    std::unique_ptr<TLevel> level;
    std::shared_ptr<TTresureData> coin, ruby;

    void SetUp() override {
        EffectsTest::SetUp();
        coin = std::make_shared<TTresureData>();
        coin->id = 1;
        coin->frames = 4;
        ruby = std::make_shared<TTresureData>();
        ruby->id = 2;
        for (int s = 0; s < kTileSizeClasses; ++s) {
            coin->normalImg[size_t(s)] = makeImage(20 + s, 20);
            ruby->normalImg[size_t(s)] = makeImage(30 + s, 30);
        }
        tresuresList = {coin, ruby};
        level = std::make_unique<TLevel>();
        level->rows = 2;
        level->cols = 3;
        level->createTilesTab();
        play.lvl = level.get();
    }
    void TearDown() override {
        play.lvl = nullptr;
        level.reset();
        EffectsTest::TearDown();
    }
    auto& pile() { return level->flyingTresures; }
    // What a picture cell does when its cover opens on a treasure.
    std::shared_ptr<TFlyingTresure> release(int r, int c, const std::shared_ptr<TTresureData>& kind) {
        auto cell = level->tileAt(r, c);
        cell->_myTresure = effectsLink().createFlyingTresure(kind, 2, kind ? kind->frames - 1 : 0,
                                                             100.0f + 50 * c, 100.0f + 50 * r, cell);
        return cell->_myTresure;
    }
    void frame() {
        advance(16);
        _updateFlyingTresures();
    }
};

TEST_F(TresureTest, PilePlaceGrowsUpAndNarrowsAsThePileFills) {
    struct Case {
        int already;
        int xlo, ylo;
    } cases[] = {{0, 830, 470}, {9, 830, 470}, {10, 831, 469}, {25, 832, 468}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.already);
        pile().clear();
        for (int i = 0; i < c.already; ++i) pile().push_back(std::make_shared<TFlyingTresure>());
        int xmin = 9999, xmax = 0, ymin = 9999, ymax = 0;
        for (int i = 0; i < 3000; ++i) {
            auto d = findGoodDimForTresure();
            xmin = std::min(xmin, int(d->x)), xmax = std::max(xmax, int(d->x));
            ymin = std::min(ymin, int(d->y)), ymax = std::max(ymax, int(d->y));
        }
        EXPECT_EQ(xmin, c.xlo);
        EXPECT_EQ(xmax, 940);
        EXPECT_EQ(ymin, c.ylo);
        EXPECT_EQ(ymax, 470);
    }
}

TEST_F(TresureTest, ArcsToThePileAndLandsTheFrameAfterArrivingWithACoinAndFreesItsCell) {
    auto t = release(1, 2, coin);
    ASSERT_TRUE(t);
    ASSERT_EQ(pile().size(), 1u);
    EXPECT_EQ(t->size, 2);
    EXPECT_EQ(t->f, 3);
    EXPECT_FLOAT_EQ(t->my, 0) << "the arc reaches the top of the screen";
    EXPECT_FLOAT_EQ(t->mx, t->x1 + (t->x2 - t->x1) / 2);
    int frames = 0;
    while (t->per < 1 && frames < 200) {
        frame();
        ++frames;
        EXPECT_EQ(t->myEnd, 0);
    }
    EXPECT_NEAR(frames, 50, 1);
    EXPECT_TRUE(level->at(1, 2)->_myTresure) << "still flying: the level cannot complete";
    EXPECT_TRUE(services.sounds.empty());
    frame();
    EXPECT_EQ(t->myEnd, 1);
    EXPECT_FLOAT_EQ(t->x, t->x2);
    EXPECT_FLOAT_EQ(t->y, t->y2);
    EXPECT_FALSE(level->at(1, 2)->_myTresure);
    ASSERT_EQ(services.sounds.size(), 1u);
    EXPECT_TRUE(services.sounds[0] == "coin_1" || services.sounds[0] == "coin_2");
    const float x = t->x;
    for (int i = 0; i < 10; ++i) frame();
    EXPECT_FLOAT_EQ(t->x, x) << "a landed treasure lies still";
    EXPECT_EQ(services.sounds.size(), 1u);
    EXPECT_EQ(pile().size(), 1u);
}

TEST_F(TresureTest, LeavesSparklesBehindAtMostEvery25Ms) {
    release(0, 0, coin);
    frame();
    EXPECT_EQ(particlesList.size(), 1u);
    advance(10);
    _updateFlyingTresures();
    EXPECT_EQ(particlesList.size(), 1u);
    advance(16);
    _updateFlyingTresures();
    EXPECT_EQ(particlesList.size(), 2u);
}

TEST_F(TresureTest, ATreasureWithoutAKindOrWithoutALevelIsNotMade) {
    EXPECT_FALSE(release(0, 0, nullptr));
    EXPECT_TRUE(pile().empty());
    EXPECT_FALSE(level->at(0, 0)->_myTresure) << "the cell counts it as landed";
    play.lvl = nullptr;
    EXPECT_FALSE(createFlyingTresure(coin, 0, 0, 1, 1, nullptr));
    _updateFlyingTresures();
    _drawFlyingTresures();
    EXPECT_EQ(nieMaSkarbow(), 1);
}

TEST_F(TresureTest, SummaryDelaysSpreadTheWholePileNewestFirst) {
    struct Case {
        int n;
        double step;
    } cases[] = {{0, 0}, {1, 1000}, {4, 250}, {5, 300}, {15, 2000.0 / 15}, {25, 120}, {30, 100}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.n);
        pile().clear();
        std::vector<TFlyingTresure*> made;
        for (int i = 0; i < c.n; ++i) {
            auto t = createFlyingTresure(coin, 0, 0, 10, 10, nullptr);
            made.push_back(t.get());
        }
        sendAllTresuresToSummary();
        ASSERT_EQ(pile().size(), size_t(c.n));
        int i = 0;
        for (const auto& t : pile()) {
            EXPECT_EQ(t.get(), made[size_t(c.n - 1 - i)]) << "newest first";
            EXPECT_EQ(t->summary, 1);
            EXPECT_EQ(t->timeSummary - now, int(i * c.step + 1e-6)) << i;
            EXPECT_FLOAT_EQ(t->x, t->x1) << "it jumps to its pile place";
            EXPECT_FLOAT_EQ(t->x2, 408);
            EXPECT_FLOAT_EQ(t->y2, 631);
            ++i;
        }
        _updateFlyingTresures();
        EXPECT_EQ(TFlyingTresure::flyingToSummaryCount, c.n);
    }
}

TEST_F(TresureTest, SummaryFlightWaitsFadesAtTheEndAndIsCountedInItsLastFrame) {
    auto first = createFlyingTresure(coin, 0, 0, 10, 10, nullptr);
    auto second = createFlyingTresure(ruby, 0, 0, 10, 10, nullptr);
    sendAllTresuresToSummary();  // second leaves at once, first 500 ms later
    const float restX = first->x;
    int frames = 0;
    while (second->per < 1 && frames < 200) {
        frame();
        ++frames;
        if (now < first->timeSummary) {
            EXPECT_FLOAT_EQ(first->x, restX);
            EXPECT_FLOAT_EQ(first->a, 1);
            EXPECT_FLOAT_EQ(first->s, 1);
        }
        if (second->per > 0.9f && second->per < 1) {
            EXPECT_LT(second->a, 1);
        }
    }
    EXPECT_EQ(pile().size(), 1u) << "gone in the frame it arrived";
    EXPECT_EQ(TFlyingTresure::flyingToSummaryCount, 2) << "and still counted in it";
    EXPECT_NEAR(second->a, 0, 1e-5);
    EXPECT_EQ(services.coins, 2);
}

TEST_F(TresureTest, ALostLevelsPileFallsOffTheScreenAndEmpties) {
    release(0, 0, coin);
    release(0, 1, ruby);
    for (int i = 0; i < 60; ++i) frame();
    auto flying = release(1, 1, coin);
    frame();
    sendTresuresDown();
    int frames = 0;
    while (!pile().empty() && frames < 2000) {
        frame();
        ++frames;
    }
    EXPECT_TRUE(pile().empty());
    EXPECT_GT(frames, 60);
    EXPECT_EQ(flying->myEnd, 0) << "one still flying falls from where it is";
    EXPECT_TRUE(level->at(1, 1)->_myTresure);
}

TEST_F(TresureTest, AllTresuresCollectedLandsEveryFlyingOneAtOnce) {
    release(0, 0, coin);
    release(0, 1, ruby);
    release(1, 0, coin);
    frame();
    EXPECT_EQ(nieMaSkarbow(), 0);
    allTresuresCollected();
    EXPECT_EQ(nieMaSkarbow(), 1);
    EXPECT_EQ(int(services.sounds.size()), 3);
    for (int c = 0; c < 2; ++c) EXPECT_FALSE(level->at(0, c)->_myTresure);
    for (const auto& t : pile()) {
        EXPECT_FLOAT_EQ(t->x, t->x2);
        EXPECT_FLOAT_EQ(t->per, 1.02f) << "the last step is kept";
    }
}

TEST_F(TresureTest, DrawsTheStillImageOfItsSizeTurnedByItsProgress) {
    auto t = release(0, 0, ruby);
    for (int i = 0; i < 10; ++i) frame();
    SetBlend(LIGHTBLEND);
    _drawFlyingTresures();
    ASSERT_EQ(RecordedDraws().size(), 1u);
    const auto& d = RecordedDraws()[0];
    EXPECT_EQ(d.blend, ALPHABLEND);
    EXPECT_NEAR(d.rotation, t->per * 360, 1e-3);
    EXPECT_FLOAT_EQ(d.w, 32) << "ruby image of size class 2";
}

TEST_F(TresureTest, TheLandedPileSurvivesALevelInProgressRoundTrip) {
    release(0, 0, coin);
    release(0, 2, ruby);
    release(1, 1, coin);
    for (int i = 0; i < 60; ++i) frame();
    std::vector<std::array<float, 9>> before;
    for (const auto& t : pile())
        before.push_back({float(t->tresure->id), t->x, t->y, t->x1, t->y1, t->x2, t->y2, t->mx, t->my});

    auto file = createQCMFile();
    _saveLevelCollectedTresures(*file, *level);
    auto text = parseQCMText(file->toText());
    TLevel back;
    back.rows = 2;
    back.cols = 3;
    back.createTilesTab();
    TLevelProblems problems;
    _loadLevelCollectedTresure(*text, back, problems);
    EXPECT_TRUE(problems.empty());
    ASSERT_EQ(back.flyingTresures.size(), before.size());
    size_t i = 0;
    for (const auto& t : back.flyingTresures) {
        EXPECT_EQ(t->tresure->id, int(before[i][0]));
        const float got[8] = {t->x, t->y, t->x1, t->y1, t->x2, t->y2, t->mx, t->my};
        for (int k = 0; k < 8; ++k) EXPECT_NEAR(got[k], before[i][size_t(k + 1)], 1e-3) << i << ":" << k;
        EXPECT_EQ(t->myEnd, 1);
        EXPECT_FALSE(t->tile.lock());
        EXPECT_FLOAT_EQ(t->a, 1);
        EXPECT_FLOAT_EQ(t->per, 0);
        ++i;
    }
    // Restored treasures lie still on the pile.
    play.lvl = &back;
    const float x = back.flyingTresures.front()->x;
    frame();
    EXPECT_FLOAT_EQ(back.flyingTresures.front()->x, x);
    EXPECT_EQ(nieMaSkarbow(), 1);
    play.lvl = level.get();

    // A saved kind the treasure data no longer has is not restored.
    TCollectedTresure unknown;
    EXPECT_FALSE(levelFileLink().makeCollectedTresure(nullptr, unknown));
}

}  // namespace
}  // namespace fxtest
