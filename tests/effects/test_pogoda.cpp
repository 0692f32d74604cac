// Weather and light stripes: what each factory makes, bubble groups and their timer, the
// removal rules, the leaf's fade phases, and the stripes' flicker and drawing.
#include <set>

#include "effects/pogoda.h"
#include "effects/stripe.h"
#include "effects_fixture.h"

namespace fxtest {
namespace {

class PogodaTest : public EffectsTest {
protected:
    void SetUp() override {
        EffectsTest::SetUp();
        for (auto& i : TPogoda::img) {
            i = makeImage(10, 10);
            MidHandleImage(i);
        }
    }
    void frame(int ms = 16) {
        advance(ms);
        _updatePogoda();
    }
    size_t live() const { return fx::live(listaPogody); }
};

TEST_F(PogodaTest, EachFactoryMakesItsKindWithItsStartValues) {
    auto rain = createRain(100, 50);
    EXPECT_EQ(rain->typ, pogoda::RAIN);
    EXPECT_EQ(rain->n, 0);
    EXPECT_GE(rain->ax, -0.5f);
    EXPECT_LE(rain->ax, -0.04f);
    EXPECT_GE(rain->ay, 5);
    EXPECT_LE(rain->ay, 6);
    EXPECT_EQ(rain->lifeTime, 0);

    auto snow = createSnowFlake(300);
    EXPECT_EQ(snow->typ, pogoda::SNOW);
    EXPECT_EQ(snow->n, 1);
    EXPECT_FLOAT_EQ(snow->y, 0);
    EXPECT_EQ((snow->lifeTime - now) % 1000, 0);
    EXPECT_GE(snow->lifeTime - now, 1000);
    EXPECT_LE(snow->lifeTime - now, 39000);

    for (int i = 0; i < 20; ++i) {
        auto leaf = createLeaves(10, 20);
        EXPECT_EQ(leaf->typ, pogoda::LEAF);
        EXPECT_GE(leaf->n, 2);
        EXPECT_LE(leaf->n, 4);
        EXPECT_FLOAT_EQ(leaf->alpha, 0);
        EXPECT_FLOAT_EQ(leaf->dAlpha, 1);
        EXPECT_FLOAT_EQ(leaf->scale, 0.5f);
        EXPECT_GE(std::abs(leaf->rSpeed), 1);
        EXPECT_LE(std::abs(leaf->rSpeed), 2);
        auto grain = createSand(-1);
        EXPECT_TRUE(grain->n == 6 || grain->n == 7);
        EXPECT_FLOAT_EQ(grain->alpha, 0.2f);
        EXPECT_FLOAT_EQ(grain->ay, 0.4f);
    }
    EXPECT_EQ(live(), 42u);
}

TEST_F(PogodaTest, ABubbleGroupStartsOneAfterAnotherFromOnePoint) {
    createBuble1(200.7f, 500.2f, 5);
    ASSERT_EQ(live(), 5u);
    const auto first = listaPogody.front();
    const int gap = first->startTime - now;
    EXPECT_GE(gap, 80);
    EXPECT_LE(gap, 200);
    int i = 1;
    for (const auto& b : listaPogody) {
        EXPECT_EQ(b->typ, pogoda::BUBBLE);
        EXPECT_EQ(b->n, 8);
        EXPECT_EQ(b->startTime, now + gap * i++);
        EXPECT_FLOAT_EQ(b->x, 200);
        EXPECT_FLOAT_EQ(b->y, 500);
        EXPECT_FLOAT_EQ(b->ay, first->ay) << "the whole group rises at one speed";
        EXPECT_FLOAT_EQ(b->scale, first->scale);
        EXPECT_FLOAT_EQ(b->alpha, 0.5f);
    }
    EXPECT_LE(first->ay, -0.7f);
    EXPECT_GE(first->ay, -1.0f);
}

TEST_F(PogodaTest, ABubbleIsDrawnFromItsStartAndMovesOnlyOnceTheClockIsPast) {
    createBuble1(100, 400, 1);
    auto b = listaPogody.front();
    b->startTime = now + 100;
    advance(99);
    _drawPogoda();
    EXPECT_TRUE(RecordedDraws().empty());
    advance(1);
    _updatePogoda();
    EXPECT_FLOAT_EQ(b->y, 400) << "not moved at its start time";
    _drawPogoda();
    ASSERT_EQ(RecordedDraws().size(), 1u);
    EXPECT_FLOAT_EQ(RecordedDraws()[0].alpha, 0.5f);
    frame(1);
    EXPECT_LT(b->y, 400);
}

TEST_F(PogodaTest, ABubbleLeavesAboveTheTopOfTheScreen) {
    createBuble1(100, -5, 1);
    auto b = listaPogody.front();
    b->startTime = 0;
    b->ay = -1;
    for (int i = 0; i < 5; ++i) frame();
    EXPECT_EQ(live(), 1u);
    frame();  // y -10 is not yet past
    frame();
    EXPECT_EQ(live(), 0u);
}

TEST_F(PogodaTest, SandIsRemovedAtTheFarSideOfItsWind) {
    struct Case {
        int dir;
        float startX, edge, past;
    };
    // dir 0 blows like 1: a grain that never moves sideways would never leave.
    for (const Case c : {Case{-1, 850, 0, -0.5f}, Case{1, -50, 800, 800.5f}, Case{0, -50, 800, 800.5f}}) {
        fx::clear(listaPogody);
        auto g = createSand(c.dir);
        EXPECT_FLOAT_EQ(g->x, c.startX) << c.dir;
        EXPECT_NE(g->ax, 0) << c.dir;
        g->x = c.edge;
        frame();
        EXPECT_EQ(live(), 1u) << c.dir;
        g->x = c.past;
        frame();
        EXPECT_EQ(live(), 0u) << c.dir;
    }
}

TEST_F(PogodaTest, ALeafFadesInHoldsUntilItsLifeTimeAndFadesOut) {
    auto leaf = createLeaves(100, 100);
    leaf->lifeTime = now + 4005;
    for (int i = 0; i < 100; ++i) frame(10);
    EXPECT_FLOAT_EQ(leaf->alpha, 1);
    EXPECT_FLOAT_EQ(leaf->dAlpha, 0);
    for (int i = 0; i < 300; ++i) frame(10);
    EXPECT_FLOAT_EQ(leaf->alpha, 1) << "held until its life time";
    frame(10);  // the clock passes lifeTime
    EXPECT_LT(leaf->alpha, 1);
    for (int i = 0; i < 98; ++i) frame(10);
    EXPECT_EQ(live(), 1u);
    frame(10);
    EXPECT_EQ(live(), 0u) << "removed when its alpha reaches 0";
}

TEST_F(PogodaTest, RainFadesOutInAHundredFramesAndSnowOnlyAfterItsLife) {
    createRain(100, 0);
    auto snow = createSnowFlake(100);
    snow->lifeTime = now + 2000;
    for (int i = 0; i < 99; ++i) frame();
    EXPECT_EQ(live(), 2u);
    frame();
    EXPECT_EQ(live(), 1u);
    EXPECT_FLOAT_EQ(snow->alpha, 1);
    advance(2000);
    for (int i = 0; i < 100; ++i) frame();
    EXPECT_EQ(live(), 0u);
}

TEST_F(PogodaTest, BubbleGroupsComeAtTheLevelsIntervalOnASharedTimer) {
    TPogoda::bankiTime = 0;
    _updateBanki(0);
    EXPECT_EQ(live(), 0u) << "no interval, no bubbles";
    _updateBanki(5000);
    const size_t first = live();
    EXPECT_GE(first, 2u);
    EXPECT_LE(first, 8u);
    EXPECT_EQ(TPogoda::bankiTime, now + 5000);
    advance(5000);
    _updateBanki(5000);
    EXPECT_EQ(live(), first) << "due only once the clock is past";
    advance(1);
    _updateBanki(5000);
    EXPECT_GT(live(), first);
    // The timer stays with the type: a new screen or level waits for the same due time.
    clearLevelEffects();
    EXPECT_EQ(live(), 0u);
    EXPECT_EQ(TPogoda::bankiTime, now + 5000);
    _updateBanki(5000);
    EXPECT_EQ(live(), 0u);
}

TEST_F(PogodaTest, EndingAScreenDropsEverySpriteEvenBubblesNotYetStarted) {
    createBuble(8);
    createRain(1, 1);
    _updatePogoda();
    clearLevelEffects();
    EXPECT_EQ(live(), 0u);
    advance(5000);
    _updatePogoda();
    _drawPogoda();
    for (const auto& d : RecordedDraws()) EXPECT_NE(d.kind, DrawCall::Image);
}

TEST_F(PogodaTest, SpritesWithoutAPictureAreSkippedAndTheStateIsLeftNeutral) {
    TPogoda::img[8] = nullptr;
    createBuble1(100, 100, 2);
    createRain(50, 50);
    advance(1000);
    SetColor(10, 20, 30);
    _drawPogoda();
    ASSERT_EQ(RecordedDraws().size(), 1u) << "only the drop has a picture";
    EXPECT_EQ(RecordedDraws()[0].r, 10) << "the weather does not set the colour";
    float sx = 0, sy = 0;
    GetScale(sx, sy);
    EXPECT_FLOAT_EQ(sx, 1);
    EXPECT_FLOAT_EQ(GetAlpha(), 1);
    EXPECT_FLOAT_EQ(GetRotation(), 0);
    EXPECT_EQ(GetBlend(), ALPHABLEND);
}

// ---- stripes -------------------------------------------------------------------------------

class StripeTest : public EffectsTest {};

// A stripe whose next target is fixed, to steer the flicker.
struct SteeredStripe : TStripe {
    float next = 0;
    void randomNext() override {
        da = next;
        speed = 0.125f;  // steps exact in binary
    }
};

TEST_F(StripeTest, StartsAtARandomAlphaTowardARandomTarget) {
    std::set<int> seen;
    for (int i = 0; i < 50; ++i) {
        auto s = createStripe(1, 10, 20, 30);
        EXPECT_GE(s->a, 0);
        EXPECT_LE(s->a, 0.3f);
        EXPECT_GE(s->da, 0);
        EXPECT_LE(s->da, 0.3f);
        EXPECT_GE(s->speed, 0.002f);
        EXPECT_LE(s->speed, 0.004f);
        seen.insert(int(s->a * 10));
    }
    EXPECT_GE(seen.size(), 3u);
}

TEST_F(StripeTest, PassingATargetGoingUpTurnsBackInTheSameFrame) {
    SteeredStripe s;
    s.a = 0.5f;
    s.da = 0.5625f;
    s.speed = 0.125f;
    s.next = 0.25f;
    s.update();
    EXPECT_FLOAT_EQ(s.da, 0.25f);
    EXPECT_FLOAT_EQ(s.a, 0.5f) << "up by one step, then down by one";
    s.next = 0.0625f;
    s.update();
    EXPECT_FLOAT_EQ(s.a, 0.375f);
    EXPECT_FLOAT_EQ(s.da, 0.25f);
    s.update();
    EXPECT_FLOAT_EQ(s.da, 0.0625f) << "landing exactly on the target draws a new one, or it would stop";
    s.next = 1.0f;
    s.update();
    s.update();
    EXPECT_FLOAT_EQ(s.da, 1.0f) << "passing the lower target going down draws a new one";
    EXPECT_FLOAT_EQ(s.a, 0.0f) << "overshoots by at most one step, never clamped";
}

TEST_F(StripeTest, TheLevelFlickersAndDrawsItsStripesAdditiveAboutTheirHandles) {
    TStripe::img[0] = makeImage(200, 300);
    TStripe::img[1] = makeImage(100, 300);
    SetImageHandle(TStripe::img[0], 100, 10);
    SetImageHandle(TStripe::img[1], 50, 10);
    TLevel level;
    level.stripesList.push_back(createStripe(0, 300, 0, 15));
    level.stripesList.push_back(createStripe(1, 500, 0, -10));
    const float a0 = level.stripesList.front()->a;
    level.updateBack();
    EXPECT_NE(level.stripesList.front()->a, a0);
    level.drawStripes();
    ASSERT_EQ(RecordedDraws().size(), 2u);
    const DrawCall& d0 = RecordedDraws()[0];
    EXPECT_EQ(d0.blend, LIGHTBLEND);
    EXPECT_FLOAT_EQ(d0.rotation, 15);
    EXPECT_FLOAT_EQ(d0.handleX, 100);
    EXPECT_FLOAT_EQ(d0.handleY, 10);
    EXPECT_FLOAT_EQ(d0.alpha, level.stripesList.front()->a);
    EXPECT_FLOAT_EQ(RecordedDraws()[1].handleX, 50);
    EXPECT_FLOAT_EQ(RecordedDraws()[1].rotation, -10);
    EXPECT_EQ(GetBlend(), ALPHABLEND) << "the level restores the alpha blend";
}

}  // namespace
}  // namespace fxtest
