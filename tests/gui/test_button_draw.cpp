// What each button kind draws, read from the recorded draw calls.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fixtures/widget_env.h"
#include "gui/widgets/button.h"

namespace {

using widgettest::WidgetEnv;
using widgettest::kCharW;
using widgettest::kLineH;

class ButtonDraw : public WidgetEnv {
protected:
    void SetUp() override {
        WidgetEnv::SetUp();
        writeImage("gfx/b.png", 40, 20);
        writeImage("gfx/steps.png", 160, 20);
        writeImage("gfx/anim.png", 50, 10);
    }
    std::vector<DrawCall> drawn(TButton& b) {
        ClearRecordedDraws();
        b.draw(0, 0);
        return RecordedDraws();
    }
    void over(TButton& b, bool pressed = false) {
        pointer(int(b.dim->x), int(b.dim->y), pressed, pressed);
        b.update(0, 0);
    }
    void away(TButton& b) {
        pointer(2000, 2000);
        b.update(0, 0);
    }
};

TEST_F(ButtonDraw, Bonus6IsNeverDrawnButStillClicks) {
    auto gui = layout(
        "BUTTON BoNuS6 { GFX = gfx/b.png POSITION = \"100 100\" }\n"
        "BUTTON bonus5 { GFX = gfx/b.png POSITION = \"300 100\" }\n");
    pointer(100, 100, 1, 1);
    gui->update();
    EXPECT_EQ(gui->clickedItem("bonus6"), 1);
    ClearRecordedDraws();
    gui->draw();
    const auto images = draws(DrawCall::Image);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].x, 300);
}

TEST_F(ButtonDraw, Spec4AndSpec7ShowNothing) {
    auto four = specTextButton4("a", "gfx/b.png", "Hi", fixed, 100, 100, createRGB(1, 2, 3),
                                createRGB(0, 0, 0), 1, 1);
    auto seven = specTextButton6("b", "gfx/b.png", "gfx/b.png", "Hi", fixed, 100, 100,
                                 createRGB(1, 2, 3), createRGB(0, 0, 0), 1, 1);
    for (auto& b : {four, seven}) {
        EXPECT_TRUE(drawn(*b).empty());
        over(*b);
        EXPECT_TRUE(drawn(*b).empty());
    }
}

TEST_F(ButtonDraw, FourStepFrames) {
    auto b = fStepButton("s", "gfx/steps.png", 100, 100, 0, 1, 1);
    struct Case {
        bool over, pressed;
        int active, frame;
    };
    const Case cases[] = {{false, false, 1, 0}, {true, false, 1, 1}, {true, true, 1, 2},
                          {true, false, 0, 3}, {false, false, 0, 3}};
    for (const auto& c : cases) {
        b->_a = c.active;
        if (c.over)
            over(*b, c.pressed);
        else
            away(*b);
        const auto d = drawn(*b);
        ASSERT_EQ(d.size(), 1u);
        EXPECT_EQ(d[0].frame, c.frame) << c.over << c.pressed << c.active;
        EXPECT_EQ(d[0].x, 100);
        EXPECT_EQ(d[0].handleX, 20);  // 40-pixel cells
    }
}

TEST_F(ButtonDraw, ZerkonFillRisesFromTheBottom) {
    auto b = fStepZerkonButton("z", "gfx/steps.png", 100, 100, 0, 1, 1);
    b->stan = 0.5f;
    b->_alpha = 0.8f;
    auto d = drawn(*b);
    ASSERT_EQ(d.size(), 2u);
    EXPECT_EQ(d[0].kind, DrawCall::Image);
    EXPECT_NEAR(d[0].alpha, 0.16f, 1e-5);
    EXPECT_EQ(d[1].kind, DrawCall::SubImage);
    EXPECT_NEAR(d[1].alpha, 0.8f, 1e-5);
    EXPECT_FLOAT_EQ(d[1].y, 110);  // 100 + 20 x (1 - 0.5)
    EXPECT_FLOAT_EQ(d[1].w, 40);
    EXPECT_FLOAT_EQ(d[1].h, 10);
    EXPECT_FLOAT_EQ(d[1].sx, 0);
    EXPECT_FLOAT_EQ(d[1].sy, 10);
    EXPECT_FLOAT_EQ(d[1].sh, 10);
    EXPECT_FLOAT_EQ(d[1].handleX, 20);
    EXPECT_FLOAT_EQ(d[1].handleY, 10);

    b->stan = 1;
    d = drawn(*b);
    EXPECT_FLOAT_EQ(d[1].h, 20);
    EXPECT_FLOAT_EQ(d[1].sy, 0);
}

TEST_F(ButtonDraw, AnimFrameNumbersCountFromOne) {
    auto b = animButton("a", "gfx/anim.png", 100, 100, "NORMAL(100) 3 4 5", 0, 1, 1);
    std::vector<int> shown;
    for (int i = 0; i < 3; ++i) {
        shown.push_back(drawn(*b).at(0).frame);
        clock += 100;
        away(*b);
    }
    EXPECT_EQ(shown, (std::vector<int>{2, 3, 4}));
}

TEST_F(ButtonDraw, AnimFrameZeroOrAnimationWithoutFramesDrawsNothing) {
    auto b = animButton("a", "gfx/anim.png", 100, 100, "NORMAL 0 2", 0, 1, 1);
    EXPECT_TRUE(drawn(*b).empty());
    auto c = animButton("c", "gfx/anim.png", 100, 100, "NORMAL OVER 2", 0, 1, 1);
    EXPECT_TRUE(drawn(*c).empty());
}

TEST_F(ButtonDraw, TextButtonGrowsAboutItsCentre) {
    auto b = textButton("t", "Play", fixed, 100, 50, createRGB(200, 100, 0), createRGB(1, 2, 3), 1, 1);
    for (int i = 0; i < 10; ++i) over(*b);
    ASSERT_NEAR(b->_buttonScale, 1.1f, 1e-5);
    const auto d = drawn(*b);
    ASSERT_EQ(d.size(), 5u);
    const float tx = float(int(100 - 2 * kCharW * 1.1f)), ty = float(int(50 - kLineH / 2 * 1.1f));
    const float offsets[4][2] = {{-1, -1}, {1, -1}, {-1, 1}, {1, 1}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(d[size_t(i)].x, tx + offsets[i][0]);
        EXPECT_EQ(d[size_t(i)].y, ty + offsets[i][1]);
        EXPECT_EQ(d[size_t(i)].g, 2);
    }
    EXPECT_EQ(d[4].x, tx);
    EXPECT_EQ(d[4].y, ty);
    EXPECT_EQ(d[4].r, 200);
    EXPECT_NEAR(d[4].scaleX, 1.1f, 1e-5);
}

TEST_F(ButtonDraw, TextButtonShadowWhenGivenByCode) {
    auto b = textButton("t", "Hi", fixed, 100, 50, nullptr, nullptr, 1, 1, 0.5f, 3, 4);
    const auto d = drawn(*b);
    ASSERT_EQ(d.size(), 2u);
    EXPECT_EQ(d[0].r + d[0].g + d[0].b, 0);
    EXPECT_NEAR(d[0].alpha, 0.5f, 1e-5);
    EXPECT_EQ(d[0].x, d[1].x + 3);
    EXPECT_EQ(d[0].y, d[1].y + 4);
}

TEST_F(ButtonDraw, GlowKindsAddALightCopy) {
    auto three = specTextButton3("g", "gfx/b.png", "Go", fixed, 100, 100, createRGB(9, 9, 9),
                                 nullptr, 1, 1);
    for (int i = 0; i < 20; ++i) over(*three);
    auto d = drawn(*three);
    ASSERT_EQ(d.size(), 3u);  // image, light copy, caption
    EXPECT_EQ(d[1].blend, LIGHTBLEND);
    EXPECT_NEAR(d[1].alpha, 0.3f, 1e-5);
    EXPECT_EQ(d[2].kind, DrawCall::Text);
    EXPECT_EQ(d[2].x, 100 - 2 * kCharW / 2);  // centred on the point
    EXPECT_EQ(GetBlend(), ALPHABLEND);
    for (int i = 0; i < 20; ++i) away(*three);
    d = drawn(*three);
    EXPECT_NEAR(d[1].alpha, 0.0f, 1e-5);

    // Spec5 draws only the light copy, and no caption without a colour or outline.
    auto five = specTextButton5("l", "gfx/b.png", "Go", fixed, 100, 100, nullptr, nullptr, 1, 1);
    d = drawn(*five);
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(d[0].blend, LIGHTBLEND);
}

TEST_F(ButtonDraw, Spec2CaptionHonoursTheOffset) {
    auto b = specTextButton2("g", "gfx/b.png", "Go", fixed, 100, 100, createRGB(9, 9, 9), nullptr,
                             1, 1, 5, -3);
    const auto d = drawn(*b);
    ASSERT_EQ(d.size(), 3u);
    EXPECT_EQ(d[2].x, 100 - 10 + 5);
    EXPECT_EQ(d[2].y, 100 - 10 - 3);
    EXPECT_EQ(d[0].r + d[0].g + d[0].b, 765);  // the image is untinted
}

TEST_F(ButtonDraw, Spec6YellowOverlayGrowsWithHover) {
    auto gui = layout(
        "FONT f { URL = fonts/main.ttf }\n"
        "BUTTON y { TYP = TEXT_SPEC_BUTTON6 TXT = Yo FONT = f SHADOW = 1 OUTLINE = NONE "
        "POSITION = \"100 100\" }");
    auto b = gui->getItemAs<TButton>("y");
    for (int i = 0; i < 40; ++i) over(*b);
    const auto d = drawn(*b);
    ASSERT_EQ(d.size(), 3u);  // shadow, caption, overlay
    EXPECT_EQ(d[0].r + d[0].g + d[0].b, 0);
    EXPECT_EQ(d[0].x, d[1].x + 1);
    EXPECT_EQ(d[0].y, d[1].y + 1);
    EXPECT_EQ(d[2].r, 255);
    EXPECT_EQ(d[2].g, 255);
    EXPECT_EQ(d[2].b, 0);
    EXPECT_NEAR(d[2].alpha, 1.0f, 1e-5);
}

TEST_F(ButtonDraw, LightButtonAddsItsTargetGlow) {
    auto b = textLightButton("l", "Go", fixed, 100, 100, createRGB(10, 20, 30), nullptr, 1, 1);
    over(*b);
    const auto d = drawn(*b);
    ASSERT_EQ(d.size(), 2u);
    EXPECT_EQ(d[1].blend, LIGHTBLEND);
    EXPECT_NEAR(d[1].alpha, 0.4f, 1e-5);  // the target, not the eased value
    EXPECT_EQ(GetBlend(), LIGHTBLEND);
}

TEST_F(ButtonDraw, LetterByLetterCaption) {
    auto b = specTextButton1("w", "ab", fixed, 100, 100, createRGB(1, 1, 1), nullptr, 1, 1);
    b->_textScale[1] = 2;
    const auto d = drawn(*b);
    ASSERT_EQ(d.size(), 2u);
    const float tx = float(int(100 - kCharW));  // W div 2 of "ab"
    EXPECT_EQ(d[0].what, "a");
    EXPECT_FLOAT_EQ(d[0].x, tx - kCharW / 2.0f);
    EXPECT_FLOAT_EQ(d[0].y, float(int(100 - kLineH / 2)) - kLineH / 2.0f);
    EXPECT_EQ(d[1].what, "b");
    EXPECT_FLOAT_EQ(d[1].x, tx + kCharW + 3 - kCharW * 2 / 2.0f);
    EXPECT_FLOAT_EQ(d[1].scaleX, 2);
}

TEST_F(ButtonDraw, BlendingLeftBehindReachesTheNextButton) {
    auto gui = layout(
        "BUTTON glow { TYP = BLEND_BUTTON GFX = gfx/b.png POSITION = \"100 100\" }\n"
        "BUTTON plain { GFX = gfx/b.png POSITION = \"300 100\" }\n");
    ClearRecordedDraws();
    gui->draw();
    const auto d = draws(DrawCall::Image);
    ASSERT_EQ(d.size(), 3u);
    EXPECT_EQ(d[0].blend, ALPHABLEND);
    EXPECT_EQ(d[1].blend, LIGHTBLEND);
    EXPECT_EQ(d[2].blend, LIGHTBLEND);  // left as the blend button set it, on purpose
}

TEST_F(ButtonDraw, ImageCaptionKindsDrawImageGlowThenCaption) {
    auto two = specTextButton2("a", "gfx/b.png", "Hi", fixed, 100, 100, createRGB(1, 2, 3),
                               createRGB(0, 0, 0), 1, 1, 0, 0);
    auto three = specTextButton3("b", "gfx/b.png", "Hi", fixed, 100, 100, createRGB(1, 2, 3),
                                 createRGB(0, 0, 0), 1, 1, 0, 0);
    auto five = specTextButton5("c", "gfx/b.png", "Hi", fixed, 100, 100, createRGB(1, 2, 3),
                                createRGB(0, 0, 0), 1, 1, 0, 0);
    for (auto& b : {two, three, five}) {
        b->_buttonAlpha = 0.25f;
        b->_buttonScale = 1.5f;
    }
    // The caption follows the images: four outline copies, then the fill colour.
    auto expectCaption = [](const std::vector<DrawCall>& d, size_t from) {
        ASSERT_EQ(d.size(), from + 5);
        for (size_t i = from; i < d.size(); ++i) {
            EXPECT_EQ(d[i].kind, DrawCall::Text);
            EXPECT_EQ(d[i].blend, ALPHABLEND);
            EXPECT_FLOAT_EQ(d[i].alpha, 1.0f);
        }
        EXPECT_EQ(d.back().r, 1);
        EXPECT_EQ(d.back().g, 2);
        EXPECT_EQ(d.back().b, 3);
    };

    // Glow by the hover alpha over the image.
    auto d = drawn(*two);
    ASSERT_GE(d.size(), 2u);
    EXPECT_EQ(d[0].kind, DrawCall::Image);
    EXPECT_EQ(d[0].blend, ALPHABLEND);
    EXPECT_FLOAT_EQ(d[0].alpha, 1.0f);
    EXPECT_EQ(d[1].kind, DrawCall::Image);
    EXPECT_EQ(d[1].blend, LIGHTBLEND);
    EXPECT_FLOAT_EQ(d[1].alpha, 0.25f);
    expectCaption(d, 2);

    // Glow by how far the hover scale has grown over the image.
    d = drawn(*three);
    ASSERT_GE(d.size(), 2u);
    EXPECT_EQ(d[0].kind, DrawCall::Image);
    EXPECT_FLOAT_EQ(d[0].alpha, 1.0f);
    EXPECT_EQ(d[1].kind, DrawCall::Image);
    EXPECT_EQ(d[1].blend, LIGHTBLEND);
    EXPECT_FLOAT_EQ(d[1].alpha, 0.5f);
    expectCaption(d, 2);

    // The same glow with no image under it.
    d = drawn(*five);
    ASSERT_GE(d.size(), 1u);
    EXPECT_EQ(d[0].kind, DrawCall::Image);
    EXPECT_EQ(d[0].blend, LIGHTBLEND);
    EXPECT_FLOAT_EQ(d[0].alpha, 0.5f);
    expectCaption(d, 1);
}

}  // namespace
