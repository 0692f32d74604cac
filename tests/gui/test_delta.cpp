#include <gtest/gtest.h>

#include <algorithm>

#include "gui/frame/deltatime.h"
#include "platform/graphics.h"
#include "platform/system.h"

namespace {

class DeltaTimer : public ::testing::Test {
protected:
    int32_t now = 0;
    void SetUp() override {
        // Starting the platform installs its own clock: do it first so the fake one stays.
        InitPlatform(true);
        resetDeltaTime();
        SetClockSource([this] { return now; });
    }
    void TearDown() override { SetClockSource(nullptr); }
};

TEST_F(DeltaTimer, FrameTable) {
    const struct {
        const char* name;
        float fps;
        int32_t first, second;
        int32_t elapsed;
        float delta;
    } cases[] = {
        {"same_millisecond", 60, 1000, 1000, 1, 0.06f},
        {"clock_backwards", 60, 1000, 980, 20, 1.2f},
        {"stall_1000ms", 60, 5000, 6000, 1000, 60.0f},
        {"frame_16ms", 60, 100, 116, 16, 0.96f},
        {"frame_17ms", 60, 100, 117, 17, 1.02f},
        {"frame_33ms", 60, 100, 133, 33, 1.98f},
        {"target_30fps", 30, 100, 133, 33, 0.99f},
        {"clock_wraps", 60, INT32_MAX - 5, INT32_MIN + 10, 16, 0.96f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        resetDeltaTime();
        deltaTime.SetFPS(c.fps);
        now = c.first;
        deltaUpdate();
        now = c.second;
        deltaUpdate();
        EXPECT_EQ(deltaTime.ElapsedTime, c.elapsed);
        EXPECT_NEAR(delta, c.delta, 1e-5);
        EXPECT_EQ(deltaTime.CurrDelta(), delta);
    }
}

TEST_F(DeltaTimer, FirstUpdateMeasuresFromZero) {
    EXPECT_EQ(delta, 0.0f);
    now = 500;
    deltaUpdate();
    EXPECT_NEAR(delta, 30.0f, 1e-4);
    // A screen's preparation absorbs it with repeated calls.
    for (int i = 0; i < 25; ++i) deltaUpdate();
    EXPECT_NEAR(delta, 0.06f, 1e-6);
}

TEST_F(DeltaTimer, FpsAtSteadySixtyCountsFiftyNineOrSixty) {
    now = 1;
    for (int frame = 1; frame <= 600; ++frame) {
        now = 1 + frame * 1000 / 60;
        deltaUpdate();
        if (frame > 120) {
            EXPECT_TRUE(deltaTime.FPS() == 59 || deltaTime.FPS() == 60) << frame;
        }
    }
}

TEST_F(DeltaTimer, RateOfZeroFallsBackToSixty) {
    for (float bad : {0.0f, -5.0f}) {
        deltaTime.SetFPS(bad);
        EXPECT_EQ(deltaTime.dFps, 60.0f);
    }
    TDeltaTime bare;
    now = 10;
    bare.Update();
    EXPECT_NEAR(bare.CurrDelta(), 0.6f, 1e-6);
}

TEST_F(DeltaTimer, TimersAreListedUntilDestroyed) {
    auto& list = TDeltaTime::DeltaTList();
    EXPECT_NE(std::find(list.begin(), list.end(), &deltaTime), list.end());
    const size_t before = list.size();
    {
        TDeltaTime a(30.0f);
        TDeltaTime b;
        EXPECT_EQ(list.size(), before + 2);
        a.Destroy();
        EXPECT_EQ(list.size(), before + 1);
    }
    EXPECT_EQ(list.size(), before);
}

TEST_F(DeltaTimer, AppTimerFollowsTheClock) {
    now = 123456;
    EXPECT_EQ(appTimer(), 123456.0);
    now = -5;
    EXPECT_EQ(appTimer(), -5.0);
}

}  // namespace
