// The button factories: strip cutting, handles, boxes, colours, and missing images.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "fixtures/widget_env.h"
#include "gui/widgets/button.h"

namespace {

using widgettest::WidgetEnv;
using widgettest::kCharW;
using widgettest::kLineH;

class ButtonFactories : public WidgetEnv {};

TEST_F(ButtonFactories, StripsAreCutIntoEqualCells) {
    struct Case {
        const char* name;
        int w, h, dir;
        int cellW, cellH;
    };
    const Case cases[] = {
        {"100 wide in 4", 100, 30, 0, 25, 30},
        {"102 wide in 4 drops the last columns", 102, 30, 0, 25, 30},
        {"stacked", 30, 100, 1, 30, 25},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeImage("gfx/s.png", c.w, c.h);
        auto b = fStepButton("s", "gfx/s.png", 200, 100, c.dir, 1, 1);
        EXPECT_EQ(ImageWidth(b->_image), c.cellW);
        EXPECT_EQ(ImageHeight(b->_image), c.cellH);
        EXPECT_EQ(ImageFrames(b->_image), 4);
        EXPECT_EQ(b->dim->w, c.cellW);
        EXPECT_EQ(b->_buttonAlpha, 0);
    }
}

TEST_F(ButtonFactories, OddCellIsHandledAtTheIntegerHalf) {
    writeImage("gfx/s.png", 204, 20);
    auto b = fStepZerkonButton("s", "gfx/s.png", 100, 50, 0, 1, 1);
    float hx = 0, hy = 0;
    GetImageHandle(b->_image, hx, hy);
    EXPECT_EQ(hx, 25);
    EXPECT_EQ(hy, 10);
    EXPECT_EQ(b->dim->x1, 75);
    EXPECT_EQ(b->dim->x2, 125);  // one pixel narrower than the cell
    EXPECT_EQ(b->_typ, BT_FSTEP_ZERKON);
}

TEST_F(ButtonFactories, OddSingleImageIsHandledAtTheExactHalf) {
    writeImage("gfx/i.png", 51, 20);
    auto b = button("i", "gfx/i.png", 100, 50, 1, 1);
    float hx = 0, hy = 0;
    GetImageHandle(b->_image, hx, hy);
    EXPECT_FLOAT_EQ(hx, 25.5f);
    EXPECT_FLOAT_EQ(b->dim->x1, 74.5f);
    EXPECT_FLOAT_EQ(b->dim->x2, 125.5f);
    EXPECT_FLOAT_EQ(b->dim->w, 51);
}

TEST_F(ButtonFactories, ImageHandedInKeepsItsHandle) {
    writeImage("gfx/i.png", 30, 10);
    TImage img = LoadImage(bDir + "gfx/i.png");
    auto b = button("i", img, 100, 50, 1, 1);
    EXPECT_EQ(b->dim->x1, 100);
    EXPECT_EQ(b->dim->y1, 50);
    EXPECT_EQ(b->dim->x2, 130);
    EXPECT_EQ(b->dim->y2, 60);
}

TEST_F(ButtonFactories, CaptionColours) {
    auto text = textButton("t", "Hi", fixed, 0, 0, nullptr, nullptr, 1, 1);
    ASSERT_NE(text->rgb, nullptr);
    EXPECT_EQ(text->rgb->r + text->rgb->g + text->rgb->b, 765);
    auto glow = specTextButton2("s", "", "Hi", fixed, 0, 0, nullptr, nullptr, 1, 1);
    EXPECT_EQ(glow->rgb, nullptr);
    auto shared = createRGB(1, 2, 3);
    auto light = textLightButton("l", "Hi", fixed, 0, 0, shared, shared, 1, 1);
    EXPECT_EQ(light->rgb, shared);  // referenced, not copied
    EXPECT_EQ(light->outLine, shared);
}

TEST_F(ButtonFactories, WaveButtonScalesAndBox) {
    auto b = specTextButton1("w", "abc", fixed, 100, 50, nullptr, nullptr, 1, 1);
    for (float s : b->_textScale) EXPECT_EQ(s, 1);
    EXPECT_EQ(b->_textHeight, kLineH);
    const float w = 3 * (kCharW + 3);
    EXPECT_FLOAT_EQ(b->dim->x1, 100 - w / 2);
    EXPECT_FLOAT_EQ(b->dim->x2, 100 + w / 2);
    EXPECT_FLOAT_EQ(b->dim->y1, 50 - kLineH);
    EXPECT_FLOAT_EQ(b->dim->y2, 50);
}

TEST_F(ButtonFactories, MissingImagesMakeAButtonOfNoSize) {
    using Make = std::function<std::shared_ptr<TButton>()>;
    const std::pair<const char*, Make> makers[] = {
        {"button", [] { return button("m", "gfx/missing.png", 100, 50, 1, 1); }},
        {"button1", [] { return button1("m", "gfx/missing.png", 100, 50, 1, 1); }},
        {"animButton", [] { return animButton("m", "gfx/missing.png", 100, 50, "NORMAL 1 2", 0, 1, 1); }},
        {"blendButton", [] { return blendButton("m", "gfx/missing.png", 100, 50, 0, 1, 1); }},
        {"fStepButton", [] { return fStepButton("m", "gfx/missing.png", 100, 50, 0, 1, 1); }},
        {"fStepZerkonButton", [] { return fStepZerkonButton("m", "gfx/missing.png", 100, 50, 0, 1, 1); }},
        {"fStepBlendButton", [] { return fStepBlendButton("m", "gfx/missing.png", 100, 50, 0, 1, 1); }},
        {"specTextButton3", [this] {
             return specTextButton3("m", "gfx/missing.png", "Go", fixed, 100, 50, createRGB(1, 1, 1),
                                    nullptr, 1, 1);
         }},
        {"specTextButton6", [this] {
             return specTextButton6("m", "gfx/missing.png", "gfx/missing2.png", "Go", fixed, 100,
                                    50, createRGB(1, 1, 1), nullptr, 1, 1);
         }},
    };
    for (const auto& [name, make] : makers) {
        SCOPED_TRACE(name);
        auto b = make();
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->_image, nullptr);
        EXPECT_EQ(b->dim->x1, 100);
        EXPECT_EQ(b->dim->x2, 100);
        EXPECT_EQ(b->dim->y1, 50);
        EXPECT_EQ(b->dim->y2, 50);
        pointer(100, 50, 1, 1);
        b->update(0, 0);
        ClearRecordedDraws();
        b->draw(0, 0);
        EXPECT_TRUE(draws(DrawCall::Image).empty());
        EXPECT_TRUE(draws(DrawCall::SubImage).empty());
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(ButtonFactories, SchemeWithoutFramesIsReportedNotDividedBy) {
    writeImage("gfx/a.png", 40, 10);
    auto empty = animButton("a", "gfx/a.png", 100, 50, "", 0, 1, 1);
    EXPECT_TRUE(messaged("Nieprawidlowy schemat :"));
    EXPECT_EQ(empty->_image, nullptr);
    EXPECT_EQ(empty->frames, 0);

    messages.clear();
    auto noFrames = animButton("b", "gfx/a.png", 100, 50, "NORMAL", 0, 1, 1);
    EXPECT_EQ(noFrames->_image, nullptr);
    EXPECT_TRUE(messaged("Nieprawidlowy schemat :NORMAL"));
    ClearRecordedDraws();
    noFrames->update(0, 0);
    noFrames->draw(0, 0);
    EXPECT_TRUE(RecordedDraws().empty());
}

TEST_F(ButtonFactories, AnimStripHasAsManyCellsAsTheHighestFrame) {
    writeImage("gfx/a.png", 100, 10);
    auto b = animButton("a", "gfx/a.png", 100, 50, "NORMAL 1 2 OVER 5", 0, 1, 1);
    EXPECT_EQ(ImageFrames(b->_image), 5);
    EXPECT_EQ(ImageWidth(b->_image), 20);
    EXPECT_EQ(b->dim->x1, 90);
}

}  // namespace
