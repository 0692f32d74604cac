// The one mouse: presses, holds, position in picture coordinates, cursors.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "gui/core/dim.h"
#include "gui/frame/letterbox.h"
#include "gui/frame/mouse.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/system.h"

namespace {

TImage makeImage(int w, int h) {
    Pixmap pm;
    pm.width = w;
    pm.height = h;
    pm.pixels.assign(size_t(w) * size_t(h), 0xFFFFFFFFu);
    return CreateImageFromPixmap(pm);
}

class MouseTest : public ::testing::Test {
protected:
    void SetUp() override {
        InitPlatform(true);
        ResetGraphicsState();
        ResetInputState();
        ResetAspectState();
        ResetMouseState();
        SetClockSource([this] { return now; });
        openDisplay(1024, 768);
    }
    void TearDown() override {
        SetClockSource(nullptr);
        ResetMouseState();
    }
    void openDisplay(int w, int h) {
        ASSERT_TRUE(Graphics(w, h, 0, 60));
        SetAspectResolution(1024, 768, 3);
    }
    // The pointer at a position of the picture.
    static void moveTo(float px, float py) { InjectMouseMove(px + aspectOffsetX, py + aspectOffsetY); }
    static std::vector<DrawCall> imageDraws() {
        std::vector<DrawCall> out;
        for (const DrawCall& c : RecordedDraws())
            if (c.kind == DrawCall::Image) out.push_back(c);
        return out;
    }

    int32_t now = 1000;
    int fullScreen = 0;
    int customCursor = 0;
};

TEST_F(MouseTest, ClickWithinOneFrameCountsOnce) {
    for (int button : {1, 2}) {
        SCOPED_TRACE(button);
        InjectMouseButton(button, true);
        InjectMouseButton(button, false);
        mouse.update();
        const int pressed = button == 1 ? mouse.leftPressed : mouse.rightPressed;
        const int held = button == 1 ? mouse.leftHolded : mouse.rightHolded;
        EXPECT_EQ(pressed, 1);
        EXPECT_EQ(held, 1);  // held for the frame of the click
        mouse.update();
        EXPECT_EQ(button == 1 ? mouse.leftPressed : mouse.rightPressed, 0);
        EXPECT_EQ(button == 1 ? mouse.leftHolded : mouse.rightHolded, 0);
    }
}

TEST_F(MouseTest, HeldButtonIsPressedOnceAndHeldUntilReleased) {
    InjectMouseButton(1, true);
    mouse.update();
    EXPECT_EQ(mouse.leftPressed, 1);
    EXPECT_EQ(mouse.leftHolded, 1);
    mouse.update();
    EXPECT_EQ(mouse.leftPressed, 0);
    EXPECT_EQ(mouse.leftHolded, 1);
    InjectMouseButton(1, false);
    mouse.update();
    EXPECT_EQ(mouse.leftHolded, 0);
}

TEST_F(MouseTest, ClearForgetsAPendingClick) {
    InjectMouseButton(1, true);
    mouse.update();
    mouse.clear();
    EXPECT_EQ(mouse.leftPressed, 0);
    EXPECT_EQ(mouse.leftHolded, 0);
    InjectMouseButton(1, true);
    InjectMouseButton(1, false);
    mouse.clear();
    mouse.update();
    EXPECT_EQ(mouse.leftPressed, 0);
}

TEST_F(MouseTest, MovementAndWheelAreCurrentMinusPreviousNegated) {
    moveTo(100, 200);
    mouse.update();
    moveTo(105, 190);
    InjectMouseWheel(2);
    mouse.update();
    EXPECT_EQ(mouse.x, 105);
    EXPECT_EQ(mouse.y, 190);
    EXPECT_EQ(mouse.px, 100);
    EXPECT_EQ(mouse.vx, -5);
    EXPECT_EQ(mouse.vy, 10);
    EXPECT_EQ(mouse.z, 2);
    EXPECT_EQ(mouse.vz, -2);
}

struct ClampCase {
    float px, py;  // pointer in picture coordinates
    int x, y;      // expected in full screen
};

TEST_F(MouseTest, FullScreenKeepsThePointerOnThePicture) {
    openDisplay(1920, 1080);
    SetMouseOptionSource(&fullScreen, &customCursor);
    const ClampCase cases[] = {
        {1100, 300, 1023, 300}, {-50, 300, 0, 300}, {500, -20, 500, 0},
        {500, 800, 500, 767},   {1200, 900, 1023, 767}, {512, 384, 512, 384},
    };
    for (const ClampCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.px << "," << c.py);
        // In a window the position is not clamped.
        fullScreen = 0;
        moveTo(c.px, c.py);
        mouse.update();
        EXPECT_NEAR(mouse.x, int(c.px), 1);
        EXPECT_NEAR(mouse.y, int(c.py), 1);

        fullScreen = 1;
        moveTo(c.px, c.py);
        mouse.update();
        EXPECT_EQ(mouse.x, c.x);
        EXPECT_EQ(mouse.y, c.y);
        // The pointer itself was warped back.
        EXPECT_NEAR(AspectMouseX(), c.x, 1.0);
        EXPECT_NEAR(AspectMouseY(), c.y, 1.0);
    }
}

TEST_F(MouseTest, InRectAndInDimIncludeBothEdges) {
    struct Case {
        int mx, my;
        int rx, ry, rw, rh;
        int inside;
    };
    const Case cases[] = {
        {10, 10, 10, 10, 0, 0, 1},   {11, 10, 10, 10, 0, 0, 0},   {100, 50, 0, 0, 100, 50, 1},
        {101, 50, 0, 0, 100, 50, 0}, {0, 0, 0, 0, 100, 50, 1},    {-1, 0, 0, 0, 100, 50, 0},
        {50, 51, 0, 0, 100, 50, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.mx << "," << c.my);
        mouse.x = c.mx;
        mouse.y = c.my;
        EXPECT_EQ(mouse.inRect(c.rx, c.ry, c.rw, c.rh), c.inside);
        EXPECT_EQ(mouse.inDim(*createDim(c.rx, c.ry, c.rw, c.rh)), c.inside);
    }
}

TEST_F(MouseTest, SetCursorIgnoresCaseAndTakesTheLastMatch) {
    mouse.loadCursor("HOOK", makeImage(4, 4), 0, 0, 1, 0);
    mouse.loadCursor("HAND", makeImage(4, 4), 0, 0, 1, 0);
    mouse.loadCursor("hook", makeImage(4, 4), 0, 0, 1, 0);
    ASSERT_EQ(mouse.listaKursorow.size(), 3u);
    EXPECT_EQ(mouse.cur, mouse.listaKursorow[2]);  // registering makes it current

    mouse.setCursor("Hand");
    EXPECT_EQ(mouse.cur, mouse.listaKursorow[1]);
    mouse.setCursor("HOOK");
    EXPECT_EQ(mouse.cur, mouse.listaKursorow[2]);
    mouse.setCursor("no such cursor");
    EXPECT_EQ(mouse.cur, mouse.listaKursorow[2]);
}

TEST_F(MouseTest, SystemPointerCarriesOnlyThePowerUpCursors) {
    for (const TCursorFile& f : gameCursorFiles) mouse.loadCursor(f.name, makeImage(40, 40), f.hx, f.hy, 1, 0);
    SetMouseOptionSource(&fullScreen, &customCursor);
    moveTo(300, 200);
    mouse.update();
    for (int custom : {0, 1}) {
        customCursor = custom;
        for (const TCursorFile& f : gameCursorFiles) {
            SCOPED_TRACE(::testing::Message() << f.name << " custom " << custom);
            mouse.setCursor(f.name);
            ClearRecordedDraws();
            mouse.draw();
            const std::string name = f.name;
            const bool tool = name == "HAND" || name == "HOOK";
            const auto draws = imageDraws();
            ASSERT_EQ(draws.size(), (custom || !tool) ? 1u : 0u);
            if (draws.empty()) continue;
            EXPECT_EQ(draws[0].x, 300);
            EXPECT_EQ(draws[0].y, 200);
            EXPECT_EQ(draws[0].handleX, f.hx);
            EXPECT_EQ(draws[0].handleY, f.hy);
            EXPECT_EQ(draws[0].alpha, 1);
            EXPECT_EQ(draws[0].scaleX, 1);
            EXPECT_EQ(draws[0].rotation, 0);
        }
    }
}

TEST_F(MouseTest, DrawingRestoresPlainState) {
    mouse.loadCursor("HAND", makeImage(8, 8), 2, 2, 1, 0);
    customCursor = 1;
    SetMouseOptionSource(&fullScreen, &customCursor);
    SetColor(10, 20, 30);
    SetAlpha(0.3f);
    SetScale(2, 2);
    SetRotation(45);
    SetBlend(LIGHTBLEND);
    mouse.draw();
    const auto draws = imageDraws();
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].r, 255);
    EXPECT_EQ(draws[0].b, 255);
    EXPECT_EQ(draws[0].blend, ALPHABLEND);
    EXPECT_EQ(draws[0].rotation, 0);
    EXPECT_EQ(draws[0].scaleY, 1);
}

TEST_F(MouseTest, MissingCursorFileIsRegisteredAndDrawsNothing) {
    mouse.loadCursor("GONE", "/nonexistent/cursor.png", 1, 1, 1, 0);
    mouse.loadCursor("GONE-STRIP", "/nonexistent/strip.png", 1, 1, 4, 100);
    ASSERT_EQ(mouse.listaKursorow.size(), 2u);
    EXPECT_EQ(mouse.cur->_id, "GONE-STRIP");
    customCursor = 1;
    SetMouseOptionSource(&fullScreen, &customCursor);
    mouse.update();
    mouse.draw();
    EXPECT_TRUE(imageDraws().empty());
}

TEST_F(MouseTest, AnimatedCursorCyclesOnTheClock) {
    Pixmap strip;
    strip.width = 128;
    strip.height = 32;
    strip.pixels.assign(128 * 32, 0xFF336699u);
    const std::string path = (std::filesystem::path(::testing::TempDir()) / "cursor-strip.png").string();
    ASSERT_TRUE(SavePixmapPNG(strip, path));

    mouse.loadCursor("WAIT", path, 3, 4, 4, 100);
    ASSERT_TRUE(mouse.cur);
    EXPECT_EQ(ImageWidth(mouse.cur->_img), 32);
    EXPECT_EQ(ImageHeight(mouse.cur->_img), 32);
    EXPECT_EQ(mouse.cur->_maxFrames, 3);

    // The first update advances at once; then each frame stays 100 ms.
    std::vector<int> frames;
    for (int step = 0; step < 10; ++step) {
        mouse.update();
        frames.push_back(mouse.cur->_frame);
        now += 50;
    }
    EXPECT_EQ(frames, (std::vector<int>{1, 1, 2, 2, 3, 3, 0, 0, 1, 1}));
    std::filesystem::remove(path);
}

TEST_F(MouseTest, TheToolkitReachesTheOneMouse) {
    EXPECT_EQ(&_mysz(), &mouse);
}

TEST_F(MouseTest, SlowPollTellsClicksFromHolds) {
    // Released within 200 ms: a click, never a hold.
    InjectMouseButton(1, true);
    mouse.updateSpec();
    EXPECT_EQ(mouse.leftPressed, 0);
    EXPECT_EQ(mouse.leftHolded, 0);
    now += 100;
    InjectMouseButton(1, false);
    mouse.updateSpec();
    EXPECT_EQ(mouse.leftPressed, 1);

    // Held past 200 ms: a hold, and no click on release.
    InjectMouseButton(1, true);
    mouse.updateSpec();
    now += 250;
    mouse.updateSpec();
    EXPECT_EQ(mouse.leftHolded, 1);
    EXPECT_EQ(mouse.getHoldedTime(), 250);
    InjectMouseButton(1, false);
    mouse.updateSpec();
    EXPECT_EQ(mouse.leftPressed, 0);
    EXPECT_EQ(mouse.leftHolded, 0);
}

}  // namespace
