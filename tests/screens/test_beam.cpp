// The main menu's light beams: a triangle wave between 0 and 1 that turns in the very frame
// it reaches an end, never drawn below 0.3, added onto the picture.
#include <gtest/gtest.h>

#include "gui/frame/deltatime.h"
#include "platform/graphics.h"
#include "platform/system.h"
#include "screens/menu/beam.h"
#include "support/reset_state.h"

namespace {

class BeamTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetPlatformAndToolkit();
        delta = 1;
    }
};

TEST_F(BeamTest, StartsAtAnEndHeadingForTheOtherWithItsOwnSpeed) {
    for (int seed = 1; seed <= 20; ++seed) {
        SeedRnd(seed);
        auto b = TBeam::createBeam("gfx/none.png", 3, 4);
        EXPECT_TRUE(b->a == 0 || b->a == 1);
        EXPECT_NE(b->a, b->da);  // the first update always moves it
        EXPECT_GE(b->speed, 0.01f);
        EXPECT_LT(b->speed, 0.02f);
        const float before = b->a;
        b->update();
        EXPECT_NE(b->a, before);
    }
}

TEST_F(BeamTest, TurnsInTheFrameItReachesAnEnd) {
    TBeam b;
    b.a = 0;
    b.da = 1;
    b.speed = 0.02f;
    int frames = 0;
    while (b.da == 1 && frames < 1000) {
        b.update();
        ++frames;
    }
    EXPECT_NEAR(frames, 50, 1);  // half a swing in 1 / speed frames
    EXPECT_EQ(b.a, 1);
    EXPECT_EQ(b.da, 0);
    // A long frame carries it past the end: clamped and turned at once.
    delta = 500;
    b.update();
    EXPECT_EQ(b.a, 0);
    EXPECT_EQ(b.da, 1);
}

TEST_F(BeamTest, DrawsAddedAtNoLessThanAThird) {
    ASSERT_TRUE(Graphics(1024, 768, 0, 60));
    Pixmap pm;
    pm.width = pm.height = 4;
    pm.pixels.assign(16, 0xFFFFFFFFu);
    TBeam b;
    b.img = CreateImageFromPixmap(pm);
    b.x = 10;
    b.y = 20;
    for (float a : {0.0f, 0.5f, 1.0f}) {
        b.a = a;
        ClearRecordedDraws();
        b.draw();
        ASSERT_EQ(RecordedDraws().size(), 1u);
        const auto& d = RecordedDraws()[0];
        EXPECT_FLOAT_EQ(d.alpha, 0.3f + 0.7f * a);
        EXPECT_EQ(d.blend, LIGHTBLEND);
        EXPECT_EQ(d.x, 10);
        EXPECT_EQ(d.y, 20);
    }
}

}  // namespace
