// Fitting the 1024 x 768 picture onto displays of other sizes, and the mouse mapped back.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "gui/frame/letterbox.h"
#include "platform/graphics.h"
#include "platform/input.h"

namespace {

class AspectTest : public ::testing::Test {
protected:
    void SetUp() override {
        InitPlatform(true);
        ResetGraphicsState();
        ResetInputState();
        ResetAspectState();
    }
    void open(int w, int h) { ASSERT_TRUE(Graphics(w, h, 0, 60)); }

    static std::vector<DrawCall> clears() {
        std::vector<DrawCall> out;
        for (const DrawCall& c : RecordedDraws())
            if (c.kind == DrawCall::Clear) out.push_back(c);
        return out;
    }
};

struct FitCase {
    int gw, gh;
    int mode;
    float vw, vh;
    float ox, oy;
    int vpX, vpY, vpW, vpH;
};

const FitCase kFitCases[] = {
    {1024, 768, 3, 1024.0f, 768.0f, 0, 0, 0, 0, 1024, 768},
    {1920, 1080, 3, 1365.333f, 768.0f, 170, 0, 170, 0, 1024, 768},
    {1440, 900, 3, 1228.8f, 768.0f, 102, 0, 102, 0, 1024, 768},
    {1280, 1024, 3, 1024.0f, 819.2f, 0, 25, 0, 25, 1024, 768},
    {819, 614, 3, 1024.417f, 768.0f, 0, 0, 0, 0, 1024, 768},
    {640, 480, 3, 1024.0f, 768.0f, 0, 0, 0, 0, 1024, 768},
    // Whole-number scale.
    {1920, 1080, 7, 1920.0f, 1080.0f, 448, 156, 448, 156, 1024, 768},
    {2560, 1600, 7, 1280.0f, 800.0f, 128, 16, 128, 16, 1024, 768},
    // Fit without letterbox: the whole virtual space stays drawable.
    {1920, 1080, 2, 1365.333f, 768.0f, 170, 0, 0, 0, 1366, 768},
    // Stretch: the requested size over the whole display.
    {1920, 1080, 0, 1024.0f, 768.0f, 0, 0, 0, 0, 1024, 768},
};

TEST_F(AspectTest, FitsThePictureOntoEachDisplay) {
    for (const FitCase& c : kFitCases) {
        SCOPED_TRACE(::testing::Message() << c.gw << "x" << c.gh << " mode " << c.mode);
        ResetAspectState();
        open(c.gw, c.gh);
        SetAspectResolution(1024, 768, c.mode);
        EXPECT_NEAR(VirtualResolutionWidth(), c.vw, 0.01);
        EXPECT_NEAR(VirtualResolutionHeight(), c.vh, 0.01);
        EXPECT_EQ(aspectOffsetX, c.ox);
        EXPECT_EQ(aspectOffsetY, c.oy);
        EXPECT_EQ(AspectResolutionWidth(), 1024);
        EXPECT_EQ(AspectResolutionHeight(), 768);
        int x, y, w, h;
        GetViewport(x, y, w, h);
        EXPECT_EQ(x, c.vpX);
        EXPECT_EQ(y, c.vpY);
        EXPECT_EQ(w, c.vpW);
        EXPECT_EQ(h, c.vpH);
        float orX, orY;
        GetOrigin(orX, orY);
        EXPECT_EQ(orX, c.ox);
        EXPECT_EQ(orY, c.oy);
    }
}

TEST_F(AspectTest, MouseMapsBackToPictureCoordinates) {
    for (const FitCase& c : kFitCases) {
        if (c.mode != 3) continue;
        SCOPED_TRACE(::testing::Message() << c.gw << "x" << c.gh);
        ResetAspectState();
        open(c.gw, c.gh);
        SetAspectResolution(1024, 768, 3);
        // The pointer at the picture's top-left corner reads 0, 0.
        InjectMouseMove(c.ox, c.oy);
        EXPECT_NEAR(AspectMouseX(), 0, 0.01);
        EXPECT_NEAR(AspectMouseY(), 0, 0.01);
        // Warping in picture coordinates lands where asked, up to pixel rounding.
        MoveAspectMouse(512, 384);
        EXPECT_NEAR(AspectMouseX(), 512, 1.0);
        EXPECT_NEAR(AspectMouseY(), 384, 1.0);
        MoveAspectMouse(0, 100);
        EXPECT_NEAR(AspectMouseX(), 0, 1.0);
    }
}

TEST_F(AspectTest, MouseOverTheBarsLiesOutsideThePicture) {
    open(1920, 1080);
    SetAspectResolution(1024, 768, 3);
    InjectMouseMove(10, 300);  // on the left bar
    EXPECT_LT(AspectMouseX(), 0);
    InjectMouseMove(1300, 300);  // on the right bar
    EXPECT_GE(AspectMouseX(), 1024);
}

TEST_F(AspectTest, ClsPaintsTheBarsThenClearsThePicture) {
    open(1920, 1080);
    SetClsColor(1, 2, 3);
    SetAspectResolution(1024, 768, 3);
    SetAspectColor(90, 30, 30);
    ClearRecordedDraws();
    AspectCls();
    const auto cl = clears();
    ASSERT_EQ(cl.size(), 2u);
    EXPECT_EQ(cl[0].r, 90);
    EXPECT_EQ(cl[0].g, 30);
    EXPECT_EQ(cl[0].b, 30);
    // The bars' clear covers the whole display, whose virtual size is 1365.3 x 768 here.
    EXPECT_EQ(cl[0].vpX, 0);
    EXPECT_EQ(cl[0].vpY, 0);
    EXPECT_EQ(cl[0].vpW, 1366);
    EXPECT_EQ(cl[0].vpH, 768);
    EXPECT_EQ(cl[1].r, 1);
    EXPECT_EQ(cl[1].g, 2);
    EXPECT_EQ(cl[1].b, 3);
    EXPECT_EQ(cl[1].vpX, 170);
    EXPECT_EQ(cl[1].vpW, 1024);
    EXPECT_EQ(cl[1].vpH, 768);
    // The clear colour is left as it was.
    int r, g, b;
    GetClsColor(r, g, b);
    EXPECT_EQ(r, 1);
    EXPECT_EQ(g, 2);
    EXPECT_EQ(b, 3);
}

TEST_F(AspectTest, ClsPaintsTheWholeBarsOnADisplaySmallerThanThePicture) {
    open(1280, 720);  // 0.9375 pixels a unit: 1365.3 x 768 units
    SetAspectResolution(1024, 768, 3);
    ClearRecordedDraws();
    AspectCls();
    const auto cl = clears();
    ASSERT_EQ(cl.size(), 2u);
    EXPECT_GE(float(cl[0].vpW), VirtualResolutionWidth());
    EXPECT_GE(float(cl[0].vpH), VirtualResolutionHeight());
    EXPECT_GT(VirtualResolutionWidth(), 1280.0f);
}

TEST_F(AspectTest, BorderColourWaitsForTheNextClear) {
    open(1920, 1080);
    SetAspectResolution(1024, 768, 3);
    ClearRecordedDraws();
    SetAspectColor(90, 30, 30);
    EXPECT_TRUE(clears().empty());
}

TEST_F(AspectTest, ClsWithoutLetterboxIsOneClear) {
    open(1920, 1080);
    SetAspectResolution(1024, 768, 2);
    ClearRecordedDraws();
    AspectCls();
    EXPECT_EQ(clears().size(), 1u);
}

TEST_F(AspectTest, ZeroSizesKeepThePreviousFit) {
    open(1920, 1080);
    SetAspectResolution(1024, 768, 3);
    SetAspectResolution(0, 768, 3);
    SetAspectResolution(1024, 0, 3);
    EXPECT_EQ(aspectOffsetX, 170);
    EXPECT_EQ(aspectWidth, 1024);
    // A minimised window reports no size.
    CloseGraphics();
    SetAspectResolution(1024, 768, 3);
    EXPECT_EQ(aspectOffsetX, 170);
    EXPECT_EQ(aspectHeight, 768);
    EXPECT_TRUE(std::isfinite(aspectOffsetY));
}

TEST_F(AspectTest, ModeOneKeepsTheModeInForce) {
    open(1920, 1080);
    SetAspectResolution(1024, 768, 3);
    SetAspectResolution(1024, 768, 1);
    EXPECT_EQ(aspectMode, 3);
    EXPECT_EQ(aspectOffsetX, 170);
}

TEST_F(AspectTest, OriginAndViewportInPictureTerms) {
    open(1920, 1080);
    SetAspectResolution(1024, 768, 3);
    SetAspectOrigin(10, 20);
    float ox, oy;
    GetOrigin(ox, oy);
    EXPECT_EQ(ox, 180);
    EXPECT_EQ(oy, 20);
    GetAspectOrigin(ox, oy);
    EXPECT_EQ(ox, 10);
    EXPECT_EQ(oy, 20);

    // Taken in the whole virtual space and clamped to the picture.
    SetAspectViewport(100, -10, 2000, 100);
    int x, y, w, h;
    GetViewport(x, y, w, h);
    EXPECT_EQ(x, 170);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(w, 1024);
    EXPECT_EQ(h, 90);
    GetAspectViewport(x, y, w, h);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(w, 1024);
}

}  // namespace
