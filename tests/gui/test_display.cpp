// Small display helpers: the image loader that warns, rectangle outlines, colour records.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "gui/core/dim.h"
#include "gui/frame/display.h"
#include "platform/graphics.h"
#include "platform/system.h"

namespace {

class DisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        InitPlatform(true);
        ResetGraphicsState();
        ResetDisplayState();
        SetNotifyHandler([this](const std::string& m) { notices.push_back(m); });
    }
    void TearDown() override { SetNotifyHandler(nullptr); }

    std::vector<std::string> notices;
};

TEST_F(DisplayTest, MissingImageIsReportedOnceAndGivesNull) {
    const std::string path = "/nonexistent/gfx/bar.png";
    const TImage img = loadImage2(path);
    EXPECT_FALSE(img);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0], "Couldn't load image file: " + path + " - program will probably crash!");
    // A caller that measures or draws it goes on safely.
    EXPECT_EQ(ImageWidth(img), 0);
    DrawImage(img, 1, 1);
}

TEST_F(DisplayTest, ExistingImageLoadsSilently) {
    Pixmap pm;
    pm.width = 3;
    pm.height = 2;
    pm.pixels.assign(6, 0xFF00FF00u);
    const std::string path = (std::filesystem::path(::testing::TempDir()) / "display-ok.png").string();
    ASSERT_TRUE(SavePixmapPNG(pm, path));
    const TImage img = loadImage2(path, FILTEREDIMAGE);
    ASSERT_TRUE(img);
    EXPECT_EQ(ImageWidth(img), 3);
    EXPECT_TRUE(notices.empty());
    std::filesystem::remove(path);
}

TEST_F(DisplayTest, RectangleOutlineGoesRoundTheCorners) {
    struct Case {
        int x, y, w, h;
    };
    for (const Case& c : {Case{10, 20, 30, 40}, Case{5, 7, 0, 0}}) {
        SCOPED_TRACE(::testing::Message() << c.w << "x" << c.h);
        ClearRecordedDraws();
        drawDims(createDim(c.x, c.y, c.w, c.h));
        std::vector<DrawCall> lines;
        for (const DrawCall& d : RecordedDraws())
            if (d.kind == DrawCall::Line) lines.push_back(d);
        ASSERT_EQ(lines.size(), 4u);
        const float X = float(c.x), Y = float(c.y), R = float(c.x + c.w), B = float(c.y + c.h);
        const float expected[4][4] = {{X, Y, R, Y}, {R, Y, R, B}, {R, B, X, B}, {X, B, X, Y}};
        for (int i = 0; i < 4; ++i) {
            // Lines record their start and their end relative to it.
            const DrawCall& l = lines[size_t(i)];
            EXPECT_EQ(l.x, expected[i][0]);
            EXPECT_EQ(l.y, expected[i][1]);
            EXPECT_EQ(l.x + l.w, expected[i][2]);
            EXPECT_EQ(l.y + l.h, expected[i][3]);
        }
    }
    ClearRecordedDraws();
    drawDims(std::shared_ptr<TDim>());
    EXPECT_TRUE(RecordedDraws().empty());
}

TEST_F(DisplayTest, ColourRecordBecomesTheDrawingColour) {
    SetColorRGB(createRGB(12, 34, 56));
    int r, g, b;
    GetColor(r, g, b);
    EXPECT_EQ(r, 12);
    EXPECT_EQ(g, 34);
    EXPECT_EQ(b, 56);
}

TEST_F(DisplayTest, InitGraphRecordsTheScreenSize) {
    EXPECT_EQ(QMScreenWidth, 0);
    initGraph(800, 600);
    EXPECT_EQ(QMScreenWidth, 800);
    EXPECT_EQ(QMScreenHeight, 600);
    EXPECT_EQ(GraphicsWidth(), 800);
}

}  // namespace
