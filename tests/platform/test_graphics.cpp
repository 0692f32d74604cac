// The drawing state machine and the recording backend.
#include <cmath>

#include "platform/system.h"
#include "test_graphics_fixture.h"

TEST_F(GraphicsTest, ImageDrawRecordsTheWholeState) {
    TImage img = CreateImageFromPixmap(solid(51, 20, 0xFF336699u));
    ASSERT_TRUE(img);
    MidHandleImage(img);
    SetOrigin(100, 50);
    SetViewport(10, 20, 300, 400);
    SetColor(10, 20, 30);
    SetAlpha(0.25f);
    SetScale(2, -1);
    SetRotation(30);
    SetBlend(LIGHTBLEND);
    ClearRecordedDraws();
    DrawImage(img, 5, 6);
    ASSERT_EQ(RecordedDraws().size(), 1u);
    const DrawCall& d = RecordedDraws()[0];
    EXPECT_EQ(d.kind, DrawCall::Image);
    EXPECT_EQ(d.frame, 0);
    EXPECT_FLOAT_EQ(d.x, 105);
    EXPECT_FLOAT_EQ(d.y, 56);
    EXPECT_FLOAT_EQ(d.w, 51);
    EXPECT_FLOAT_EQ(d.h, 20);
    EXPECT_FLOAT_EQ(d.handleX, 25.5f);
    EXPECT_FLOAT_EQ(d.handleY, 10);
    EXPECT_FLOAT_EQ(d.scaleX, 2);
    EXPECT_FLOAT_EQ(d.scaleY, -1);
    EXPECT_FLOAT_EQ(d.rotation, 30);
    EXPECT_FLOAT_EQ(d.alpha, 0.25f);
    EXPECT_EQ(d.r, 10);
    EXPECT_EQ(d.g, 20);
    EXPECT_EQ(d.b, 30);
    EXPECT_EQ(d.blend, LIGHTBLEND);
    EXPECT_EQ(d.vpX, 10);
    EXPECT_EQ(d.vpY, 20);
    EXPECT_EQ(d.vpW, 300);
    EXPECT_EQ(d.vpH, 400);
}

TEST_F(GraphicsTest, StateStaysUntilSetAgain) {
    SetColor(1, 2, 3);
    SetAlpha(0.5f);
    SetBlend(LIGHTBLEND);
    DrawRect(0, 0, 10, 10);
    DrawRect(0, 0, 10, -20);  // a negative height is drawn upwards, not refused
    ASSERT_EQ(RecordedDraws().size(), 2u);
    for (const DrawCall& d : RecordedDraws()) {
        EXPECT_EQ(d.kind, DrawCall::Rect);
        EXPECT_EQ(d.r, 1);
        EXPECT_FLOAT_EQ(d.alpha, 0.5f);
        EXPECT_EQ(d.blend, LIGHTBLEND);
    }
    EXPECT_FLOAT_EQ(RecordedDraws()[1].h, -20);
}

TEST_F(GraphicsTest, ColoursAndAlphaAreClamped) {
    struct Case {
        int in[3];
        int out[3];
    } cases[] = {
        {{-1, -1, -1}, {0, 0, 0}},
        {{300, 255, 256}, {255, 255, 255}},
        {{0, 128, 255}, {0, 128, 255}},
        {{-500, 1000, 7}, {0, 255, 7}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in[0]);
        int r, g, b;
        SetColor(c.in[0], c.in[1], c.in[2]);
        GetColor(r, g, b);
        EXPECT_EQ(r, c.out[0]);
        EXPECT_EQ(g, c.out[1]);
        EXPECT_EQ(b, c.out[2]);
        SetClsColor(c.in[0], c.in[1], c.in[2]);
        GetClsColor(r, g, b);
        EXPECT_EQ(r, c.out[0]);
        EXPECT_EQ(g, c.out[1]);
        EXPECT_EQ(b, c.out[2]);
    }
    SetAlpha(1.7f);
    EXPECT_FLOAT_EQ(GetAlpha(), 1);
    SetAlpha(-0.3f);
    EXPECT_FLOAT_EQ(GetAlpha(), 0);
    SetAlpha(NAN);
    EXPECT_FLOAT_EQ(GetAlpha(), 0);
    SetBlend(99);  // unknown modes leave the blend as it was
    EXPECT_EQ(GetBlend(), ALPHABLEND);
}

TEST_F(GraphicsTest, ResetRestoresDefaults) {
    SetColor(1, 2, 3);
    SetAlpha(0.1f);
    SetScale(3, 3);
    SetRotation(90);
    SetBlend(SOLIDBLEND);
    SetOrigin(5, 5);
    SetVirtualResolution(500, 400);
    DrawRect(0, 0, 1, 1);
    ResetGraphicsState();
    int r, g, b, x, y, w, h;
    float sx, sy, ox, oy;
    GetColor(r, g, b);
    GetScale(sx, sy);
    GetOrigin(ox, oy);
    GetViewport(x, y, w, h);
    EXPECT_EQ(r + g + b, 255 * 3);
    EXPECT_FLOAT_EQ(GetAlpha(), 1);
    EXPECT_FLOAT_EQ(sx * sy, 1);
    EXPECT_FLOAT_EQ(GetRotation(), 0);
    EXPECT_EQ(GetBlend(), ALPHABLEND);
    EXPECT_FLOAT_EQ(ox + oy, 0);
    EXPECT_FLOAT_EQ(VirtualResolutionWidth(), 1024);
    EXPECT_EQ(w, 1024);
    EXPECT_EQ(h, 768);
    EXPECT_TRUE(RecordedDraws().empty());
}

TEST_F(GraphicsTest, GraphicsSetsSizeAndWholeViewport) {
    ASSERT_TRUE(Graphics(800, 600));
    EXPECT_TRUE(GraphicsOpen());
    EXPECT_EQ(GraphicsWidth(), 800);
    EXPECT_EQ(GraphicsHeight(), 600);
    EXPECT_FLOAT_EQ(VirtualResolutionWidth(), 800);
    int x, y, w, h;
    GetViewport(x, y, w, h);
    EXPECT_EQ(w, 800);
    EXPECT_EQ(h, 600);
    EXPECT_FALSE(Graphics(0, 600));
    SetHeadlessDesktopSize(1440, 900);
    EXPECT_EQ(DesktopWidth(), 1440);
    EXPECT_EQ(DesktopHeight(), 900);
    SetHeadlessDesktopSize(0, 900);  // ignored
    EXPECT_EQ(DesktopWidth(), 1440);
    SetHeadlessDesktopSize(1920, 1080);
    // Zero or negative virtual sizes would break every mapping: they are ignored.
    SetVirtualResolution(0, 100);
    EXPECT_FLOAT_EQ(VirtualResolutionWidth(), 800);
}

TEST_F(GraphicsTest, ClsRecordsViewportAndClearColour) {
    SetViewport(170, 0, 1024, 768);
    SetClsColor(90, 30, 30);
    SetOrigin(400, 400);  // the viewport is not moved by the origin
    Cls();
    ASSERT_EQ(RecordedDraws().size(), 1u);
    const DrawCall& d = RecordedDraws()[0];
    EXPECT_EQ(d.kind, DrawCall::Clear);
    EXPECT_EQ(d.r, 90);
    EXPECT_EQ(d.g, 30);
    EXPECT_FLOAT_EQ(d.x, 170);
    EXPECT_FLOAT_EQ(d.w, 1024);
}

TEST_F(GraphicsTest, PrimitivesAndSubImageRecordTheirGeometry) {
    TImage img = CreateImageFromPixmap(solid(64, 32, 0xFFFFFFFFu));
    SetOrigin(10, 20);
    DrawSubImageRect(img, 1, 2, 30, 40, 4, 5, 6, 7, 8, 9);
    DrawLine(0, 0, 10, 5);
    DrawOval(3, 4, 50, 60);
    ASSERT_EQ(RecordedDraws().size(), 3u);
    const DrawCall& s = RecordedDraws()[0];
    EXPECT_EQ(s.kind, DrawCall::SubImage);
    EXPECT_FLOAT_EQ(s.x, 11);
    EXPECT_FLOAT_EQ(s.y, 22);
    EXPECT_FLOAT_EQ(s.w, 30);
    EXPECT_FLOAT_EQ(s.h, 40);
    EXPECT_FLOAT_EQ(s.sx, 4);
    EXPECT_FLOAT_EQ(s.sy, 5);
    EXPECT_FLOAT_EQ(s.sw, 6);
    EXPECT_FLOAT_EQ(s.sh, 7);
    EXPECT_FLOAT_EQ(s.handleX, 8);
    EXPECT_FLOAT_EQ(s.handleY, 9);
    const DrawCall& l = RecordedDraws()[1];
    EXPECT_EQ(l.kind, DrawCall::Line);
    EXPECT_FLOAT_EQ(l.x, 10);
    EXPECT_FLOAT_EQ(l.y, 20);
    EXPECT_FLOAT_EQ(l.w, 10);  // end point relative to the start
    EXPECT_FLOAT_EQ(l.h, 5);
    EXPECT_EQ(RecordedDraws()[2].kind, DrawCall::Oval);
}

TEST_F(GraphicsTest, NullImageIsSafeEverywhere) {
    TImage none;
    EXPECT_EQ(ImageWidth(none), 0);
    EXPECT_EQ(ImageHeight(none), 0);
    EXPECT_EQ(ImageFrames(none), 0);
    MidHandleImage(none);
    SetImageHandle(none, 3, 4);
    float hx = 1, hy = 1;
    GetImageHandle(none, hx, hy);
    EXPECT_FLOAT_EQ(hx + hy, 0);
    EXPECT_EQ(ImagePixmap(none), nullptr);
    EXPECT_EQ(ReadPixel(none, 0, 0), 0u);
    DrawImage(none, 1, 2);
    DrawSubImageRect(none, 0, 0, 1, 1, 0, 0, 1, 1);
    EXPECT_TRUE(RecordedDraws().empty());
    EXPECT_EQ(LoadImage(file("missing.png")), nullptr);
    EXPECT_EQ(LoadAnimImage(file("missing.png"), 8, 8, 0, 2), nullptr);
    EXPECT_EQ(CreateImageFromPixmap(Pixmap{}), nullptr);
}

TEST_F(GraphicsTest, FramesOutsideTheImageDrawNothing) {
    TImage img = CreateImageFromPixmap(solid(4, 4, 0xFFFFFFFFu));
    DrawImage(img, 0, 0, 1);
    DrawImage(img, 0, 0, -1);
    EXPECT_TRUE(RecordedDraws().empty());
    EXPECT_EQ(ReadPixel(img, 0, 0, 3), 0u);
    EXPECT_EQ(ReadPixel(img, 4, 0), 0u);
    EXPECT_EQ(ReadPixel(img, 0, -1), 0u);
}

TEST_F(GraphicsTest, HandlesAreFloats) {
    TImage img = CreateImageFromPixmap(solid(51, 33, 0xFFFFFFFFu));
    float hx, hy;
    GetImageHandle(img, hx, hy);
    EXPECT_FLOAT_EQ(hx, 0);
    EXPECT_FLOAT_EQ(hy, 0);
    MidHandleImage(img);
    GetImageHandle(img, hx, hy);
    EXPECT_FLOAT_EQ(hx, 25.5f);
    EXPECT_FLOAT_EQ(hy, 16.5f);
    SetImageHandle(img, -42, -48);
    GetImageHandle(img, hx, hy);
    EXPECT_FLOAT_EQ(hx, -42);
    EXPECT_FLOAT_EQ(hy, -48);
}

TEST_F(GraphicsTest, GrabImageHasTheSizeAndClearColour) {
    SetClsColor(12, 34, 56);
    TImage grab = GrabImage(0, 0, 1023, 767);
    ASSERT_TRUE(grab);
    EXPECT_EQ(ImageWidth(grab), 1023);
    EXPECT_EQ(ImageHeight(grab), 767);
    EXPECT_EQ(ReadPixel(grab, 500, 400), 0xFF0C2238u);
    EXPECT_EQ(GrabImage(0, 0, 0, 10), nullptr);
    Pixmap shot;
    EXPECT_FALSE(GrabScreen(shot));  // headless has no picture
}

TEST_F(GraphicsTest, FlipAdvancesTheClockExactly) {
    int32_t start = Millisecs();
    Flip();
    EXPECT_EQ(Millisecs() - start, 16);
    for (int i = 1; i < 60; ++i) Flip();
    EXPECT_EQ(Millisecs() - start, 1000);
    for (int i = 0; i < 120; ++i) Flip();
    EXPECT_EQ(Millisecs() - start, 3000);
}

TEST_F(GraphicsTest, FlipKeepsRecordedDrawsAndTheListStaysBounded) {
    DrawRect(0, 0, 1, 1);
    Flip();
    EXPECT_EQ(RecordedDraws().size(), 1u);
    for (int i = 0; i < 100050; ++i) DrawRect(float(i), 0, 1, 1);
    EXPECT_LE(RecordedDraws().size(), 100000u);
    EXPECT_FLOAT_EQ(RecordedDraws().back().x, 100049);
}
