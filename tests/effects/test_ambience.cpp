// Clouds, waves, background fish and swaying leaves on the fake clock.
#include <cmath>

#include "app/frame.h"
#include "effects/back_element.h"
#include "effects/chmura.h"
#include "effects/fala.h"
#include "effects/leaf.h"
#include "effects_fixture.h"
#include "gui/frame/letterbox.h"
#include "gui/globals.h"
#include "platform/input.h"

namespace fxtest {
namespace {

// ---- clouds --------------------------------------------------------------------------------

class ChmuraTest : public EffectsTest {
protected:
    void SetUp() override {
        EffectsTest::SetUp();
        TChmura::img[0] = makeImage(220, 100);
        TChmura::img[1] = makeImage(171, 80);
        for (auto& i : TChmura::img) MidHandleImage(i);
    }
    void frame(float wind = 1, int ms = 16) {
        advance(ms);
        TChmura::updateAll(wind);
    }
    size_t count() const { return fx::live(TChmura::listaChmur); }
};

TEST_F(ChmuraTest, TheSkyFillsOneCloudAFrameFromTheWindwardEdge) {
    struct Case {
        float wind;
        float x0, x1;  // start x for picture 0 and 1
    };
    for (const Case c : {Case{1, -110, -85}, Case{-1, 1134, 1109}}) {
        TChmura::listaChmur.clear();
        for (int i = 1; i <= 8; ++i) {
            frame(c.wind);
            EXPECT_EQ(count(), size_t(i));
            const auto& cl = TChmura::listaChmur.back();  // made after this frame's step
            EXPECT_FLOAT_EQ(cl->x, cl->n == 0 ? c.x0 : c.x1) << "just off the edge the wind comes from";
            EXPECT_GE(cl->y, 50);
            EXPECT_LE(cl->y, 200);
            EXPECT_GE(cl->ax * c.wind, 0.2f);
            EXPECT_LE(cl->ax * c.wind, 0.5f);
            EXPECT_FLOAT_EQ(cl->ay, 0);
            EXPECT_FLOAT_EQ(cl->a, 0);
            EXPECT_FLOAT_EQ(cl->da, 1);
        }
        frame(c.wind);
        EXPECT_EQ(count(), 8u);
    }
}

TEST_F(ChmuraTest, TheListNeverPassesEightWhateverTheFrameLength) {
    for (float d : {0.1f, 1.0f, 30.0f, 500.0f}) {
        delta = d;
        for (int i = 0; i < 400; ++i) {
            frame(1, 1000);
            ASSERT_LE(count(), 8u) << "delta " << d;
        }
    }
}

TEST_F(ChmuraTest, ACloudLivesItsTimeThenFadesOutWhereItIsAndMakesRoom) {
    auto c = TChmura::createChmura(1);
    EXPECT_GE(c->time - now, 40000);
    EXPECT_LE(c->time - now, 60000);
    EXPECT_EQ((c->time - now) % 1000, 0);
    for (int i = 0; i < 125; ++i) c->update();
    EXPECT_FLOAT_EQ(c->a, 1) << "faded in over 125 frames";
    now = c->time + 1;
    const float x = c->x;
    for (int i = 0; i < 124; ++i) c->update();
    EXPECT_GT(c->a, 0);
    EXPECT_NEAR(c->x, x + 124 * c->ax, 1e-3) << "it drifts on while it fades";
    c->update();
    EXPECT_EQ(count(), 0u) << "destroyed in the frame its opacity reaches 0";
}

TEST_F(ChmuraTest, ACloudStillFadingInWhenItsTimeIsUpFadesOutFromThere) {
    auto c = TChmura::createChmura(-1);
    for (int i = 0; i < 50; ++i) c->update();
    const float reached = c->a;
    EXPECT_NEAR(reached, 0.4f, 1e-4);
    now = c->time + 1;
    c->update();
    EXPECT_NEAR(c->a, reached - 0.008f, 1e-5);
}

TEST_F(ChmuraTest, APauseOfAnyLengthLeavesEveryRemainingLifetimeUnchanged) {
    for (int i = 0; i < 8; ++i) frame();
    std::vector<int32_t> remaining;
    for (const auto& c : TChmura::listaChmur) remaining.push_back(c->time - now);
    for (int pauseMs : {0, 16, 120000}) {
        TChmura::pause();
        advance(pauseMs);
        TChmura::resume();
        size_t i = 0;
        for (const auto& c : TChmura::listaChmur) EXPECT_EQ(c->time - now, remaining[i++]) << pauseMs;
    }
}

TEST_F(ChmuraTest, CloudsMadeBeforeAWindChangeKeepTheirCourse) {
    for (int i = 0; i < 3; ++i) frame(1);
    for (int i = 0; i < 5; ++i) frame(-1);
    int right = 0, left = 0;
    for (const auto& c : TChmura::listaChmur) (c->ax > 0 ? right : left)++;
    EXPECT_EQ(right, 3);
    EXPECT_EQ(left, 5);
}

TEST_F(ChmuraTest, CloudsReturnedToAfterLongAwayFadeOutAndAreReplacedOneByOne) {
    for (int i = 0; i < 8; ++i) frame();
    for (int i = 0; i < 125; ++i) frame();
    advance(61000);  // the player was elsewhere
    for (int i = 0; i < 124; ++i) {
        frame();
        EXPECT_EQ(count(), 8u);
    }
    frame();
    EXPECT_EQ(count(), 1u) << "all old clouds gone at once, one new cloud this frame";
}

TEST_F(ChmuraTest, DrawnAtSixTenthsOfItsOpacityAndSkippedWithoutAPicture) {
    auto c = TChmura::createChmura(1);
    c->a = 0.5f;
    TChmura::img[1 - c->n] = nullptr;
    auto d = TChmura::createChmura(1);
    d->n = 1 - c->n;
    TChmura::drawAll();
    ASSERT_EQ(RecordedDraws().size(), 1u);
    EXPECT_FLOAT_EQ(RecordedDraws()[0].alpha, 0.3f);
    EXPECT_FLOAT_EQ(RecordedDraws()[0].x, c->x);
}

// The frame's pause with the clouds' own timer hooks: a pause of any length leaves each
// cloud's remaining life as it was.
TEST_F(ChmuraTest, TheFramesPauseKeepsTheCloudsRemainingLifetimes) {
    ASSERT_TRUE(Graphics(1280, 800, 0, 60));
    SetAspectResolution(1024, 768, 3);
    resetFrameState();
    pauseGameFont = CreateFixedFont(10, 20);
    txtPauseGame = "Paused";
    SetCloudTimerHooks(&TChmura::pause, &TChmura::resume);
    auto cloud = TChmura::createChmura(1);
    const int32_t remaining = cloud->time - now;
    const int32_t before = now;
    // Suspended for 50 frames of the overlay: each frame reads the clock once.
    InjectSuspended(true);
    SetClockSource([this, frames = 50]() mutable {
        if (--frames <= 0) InjectSuspended(false);
        return now += 16;
    });
    myFlip(1, nullptr);
    EXPECT_GE(now - before, 700) << "the pause took its time";
    // The fake clock moves on at every reading, so a few readings after the resume count.
    EXPECT_NEAR(cloud->time - now, remaining, 3 * 16);
    SetCloudTimerHooks(nullptr, nullptr);
    resetFrameState();
    CloseGraphics();
}

// ---- waves ---------------------------------------------------------------------------------

class FalaTest : public EffectsTest {
protected:
    void SetUp() override {
        EffectsTest::SetUp();
        for (auto& i : TFala::img) {
            i = makeImage(60, 30);
            MidHandleImage(i);
        }
    }
};

TEST_F(FalaTest, TenFramesAHundredMillisecondsApartThenGone) {
    auto w = createFala(300, 400, 1);
    EXPECT_EQ(w->frame, 0);
    int updates = 0;
    std::vector<int> steps;  // the update in which each frame began
    int last = 0;
    while (fx::live(listaFal) > 0 && updates < 200) {
        advance(17);
        _updateFale();
        ++updates;
        if (w->frame != last) {
            steps.push_back(updates);
            last = w->frame;
        }
    }
    ASSERT_EQ(steps.size(), 10u);
    EXPECT_EQ(steps[0], 1) << "the first update steps at once";
    for (size_t i = 1; i < steps.size(); ++i) EXPECT_EQ(steps[i] - steps[i - 1], 6) << i;  // 100 ms at 17 ms
    EXPECT_NEAR(w->x, 300 + 0.3f * float(updates), 1e-3);
    EXPECT_NEAR(float(updates) * 17, 900, 40) << "about 900 ms";
    EXPECT_NEAR(w->x - 300, 16, 1) << "and about 16 px";
}

TEST_F(FalaTest, ALeftWaveIsMirroredAndDriftsLeft) {
    auto w = createFala(300, 400, -1);
    advance(16);
    _updateFale();
    EXPECT_FLOAT_EQ(w->x, 299.7f);
    _drawFale();
    ASSERT_EQ(RecordedDraws().size(), 1u);
    EXPECT_FLOAT_EQ(RecordedDraws()[0].scaleX, -1);
    EXPECT_FLOAT_EQ(RecordedDraws()[0].scaleY, 1);
    EXPECT_EQ(RecordedDraws()[0].frame, 0) << "each frame is its own picture";
}

TEST_F(FalaTest, AWaveLeftAloneKeepsItsFrameAndStepsAtOnceWhenUpdatedAgain) {
    auto w = createFala(100, 100, 1);
    advance(16);
    _updateFale();
    ASSERT_EQ(w->frame, 1);
    advance(60000);
    EXPECT_EQ(w->frame, 1);
    EXPECT_FLOAT_EQ(w->x, 100.3f);
    _updateFale();
    EXPECT_EQ(w->frame, 2);
}

TEST_F(FalaTest, OneOrTwoWavesAtATimeWithANewOneEvery700ms) {
    int32_t due = 0;
    size_t most = 0, least = 99;
    for (int i = 0; i < 600; ++i) {
        advance(17);
        _updateFale();
        if (now > due) {
            due = now + 700;
            createFala(float(Rand(0, 1000)), 300, 1);
        }
        if (i > 60) {
            most = std::max(most, fx::live(listaFal));
            least = std::min(least, fx::live(listaFal));
        }
    }
    EXPECT_EQ(least, 1u);
    EXPECT_EQ(most, 2u);
}

// ---- background fish -----------------------------------------------------------------------

class FishTest : public EffectsTest {
protected:
    std::shared_ptr<TBackElement> fish(const std::string& typ = "FISH") {
        auto e = std::make_shared<TBackElement>();
        e->typ = typ;
        e->x1 = 100;
        e->y1 = 200;
        e->x2 = 700;
        e->y2 = 260;
        e->img = makeImage(40, 20);
        e->reset();
        return e;
    }
};

TEST_F(FishTest, EachSwimStartsAtOneEndOfItsBox) {
    int fromLeft = 0, fromRight = 0;
    auto f = fish();
    for (int i = 0; i < 200; ++i) {
        f->reset();
        EXPECT_FLOAT_EQ(f->ay, 0);
        EXPECT_GE(f->y, 200);
        EXPECT_LE(f->y, 260);
        EXPECT_FLOAT_EQ(f->y, std::floor(f->y));
        if (f->ax < 0) {
            ++fromRight;
            EXPECT_FLOAT_EQ(f->x, 700);
            EXPECT_FLOAT_EQ(f->ax, -1.5f) << "leftward swims have a fixed speed";
        } else {
            ++fromLeft;
            EXPECT_FLOAT_EQ(f->x, 100);
            EXPECT_GE(f->ax, 1);
            EXPECT_LE(f->ax, 1.5f);
        }
    }
    EXPECT_GT(fromLeft, 50);
    EXPECT_GT(fromRight, 50);
}

TEST_F(FishTest, AFishPastEitherEndStartsAgainAndSwimsOnInside) {
    auto f = fish();
    struct Case {
        float ax, x;
        bool reset;
    };
    for (const Case c : {Case{1.25f, 400, false}, Case{1.25f, 699, true}, Case{1.25f, 698.75f, false},
                         Case{-1.5f, 101, true}, Case{-1.5f, 101.5f, false}}) {
        f->ax = c.ax;
        f->x = c.x;
        f->update();
        if (c.reset)
            EXPECT_TRUE(f->x == 100 || f->x == 700) << c.x << ": reset in the update that took it past";
        else
            EXPECT_FLOAT_EQ(f->x, c.x + c.ax) << c.x;
    }
}

TEST_F(FishTest, TheTypeIsUpperCasedAndAFlatBoxKeepsOneHeight) {
    auto f = fish("fIsh");
    EXPECT_EQ(f->typ, "FISH");
    EXPECT_NE(f->ax, 0);
    f->y1 = f->y2 = 230;
    for (int i = 0; i < 20; ++i) {
        f->reset_fish();
        EXPECT_FLOAT_EQ(f->y, 230);
    }
}

TEST_F(FishTest, AFishFacesItsWayAndAStillElementShowsAtItsBoxCorner) {
    auto f = fish();
    f->ax = -1.5f;
    f->x = 400;
    f->y = 220;
    f->s = 0.5f;
    auto still = fish("WEED");
    EXPECT_FLOAT_EQ(still->ax, 0);
    still->update();
    EXPECT_FLOAT_EQ(still->x, 0);
    TBackElementList list{f, still};
    _updateBackElement(list);
    _drawBackElement(list);
    ASSERT_EQ(RecordedDraws().size(), 2u);
    EXPECT_FLOAT_EQ(RecordedDraws()[0].scaleX, -0.5f);
    EXPECT_FLOAT_EQ(RecordedDraws()[0].scaleY, 0.5f);
    EXPECT_FLOAT_EQ(RecordedDraws()[0].x, 398.5f);
    EXPECT_FLOAT_EQ(RecordedDraws()[1].scaleX, 1);
    EXPECT_FLOAT_EQ(RecordedDraws()[1].x, 100);
    EXPECT_FLOAT_EQ(RecordedDraws()[1].y, 200);
}

TEST_F(FishTest, TheLoaderMakesASwimmerWithItsPictureHandle) {
    const std::string dir = ::testing::TempDir();
    ASSERT_TRUE(SavePixmapPNG(whitePixmap(40, 20), dir + "ryba.png"));
    const std::string saved = bDir;
    bDir = dir;
    auto f = createBackElement("ryba.png", "Fish", 10, 300, 900, 300, 30, 12);
    auto missing = createBackElement("none.png", "FISH", 10, 300, 900, 300, 0, 0);
    bDir = saved;
    EXPECT_EQ(f->typ, "FISH");
    EXPECT_TRUE(f->x == 10 || f->x == 900);
    EXPECT_FLOAT_EQ(f->y, 300);
    ASSERT_NE(f->img, nullptr);
    f->draw();
    ASSERT_EQ(RecordedDraws().size(), 1u);
    EXPECT_FLOAT_EQ(RecordedDraws()[0].handleX, 30);
    EXPECT_FLOAT_EQ(RecordedDraws()[0].handleY, 12);
    missing->update();
    missing->draw();
    EXPECT_EQ(RecordedDraws().size(), 1u) << "a missing picture swims unseen";
}

// ---- swaying leaves ------------------------------------------------------------------------

class LeafTest : public EffectsTest {};

TEST_F(LeafTest, ASlowFirstSwingThenFasterSwingsToAlternateSides) {
    auto l = createLeafObj(0, 500, 600, 10, 8);
    EXPECT_EQ(l->state, 1);
    EXPECT_GE(l->speed, 0.0025f);
    EXPECT_LE(l->speed, 0.005f);
    const float first = l->pKier;
    int frames = 0;
    while (l->state == 1) {
        l->update();
        ++frames;
        EXPECT_NEAR(l->r, 10 + std::sin(l->p * 3.14159265f / 2) * first * 8, 1e-3);
    }
    EXPECT_GE(frames, 200);
    EXPECT_LE(frames, 400);
    EXPECT_NEAR(l->r, 10 + 8 * first, 1e-4) << "full swing to its side";
    while (l->p > 0) l->update();
    EXPECT_FLOAT_EQ(l->r, 10) << "back at rest";
    float side = first;
    for (int swing = 0; swing < 4; ++swing) {
        EXPECT_FLOAT_EQ(l->pKier, -side) << "every later swing goes to the other side";
        side = l->pKier;
        EXPECT_GE(l->speed, 0.01f);
        EXPECT_LE(l->speed, 0.02f);
        int n = 0;
        while (l->state == 1) {
            l->update();
            ++n;
        }
        while (l->p > 0) {
            l->update();
            ++n;
        }
        EXPECT_GE(n, 100);
        EXPECT_LE(n, 201);
    }
}

TEST_F(LeafTest, TheFirstSwingGoesEitherWay) {
    int plus = 0;
    for (int i = 0; i < 100; ++i) plus += createLeafObj(1, 0, 0, 0, 5)->pKier > 0 ? 1 : 0;
    EXPECT_GT(plus, 25);
    EXPECT_LT(plus, 75);
}

TEST_F(LeafTest, NoSwingStaysAtRestAndANewLeafIsDrawnUnturned) {
    TLeaf::img[0] = makeImage(300, 240);
    SetImageHandle(TLeaf::img[0], 148, 231);
    auto l = createLeafObj(0, 640, 500, -20, 0);
    l->s = 0.7f;
    l->draw();
    ASSERT_EQ(RecordedDraws().size(), 1u);
    EXPECT_FLOAT_EQ(RecordedDraws()[0].rotation, 0) << "before its first update";
    EXPECT_FLOAT_EQ(RecordedDraws()[0].scaleX, 0.7f);
    EXPECT_FLOAT_EQ(RecordedDraws()[0].handleX, 148);
    for (int i = 0; i < 1000; ++i) {
        l->update();
        ASSERT_FLOAT_EQ(l->r, -20);
    }
    l->n = 1;  // no picture: nothing drawn
    l->draw();
    EXPECT_EQ(RecordedDraws().size(), 1u);
}

}  // namespace
}  // namespace fxtest
