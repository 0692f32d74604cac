// TEXT blocks and the text widget: position and width, references to language texts,
// colours, shadow and alignment, measuring.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "fixtures/widget_env.h"
#include "gui/widgets/text.h"

namespace {

using widgettest::WidgetEnv;
using widgettest::kCharW;
using widgettest::kLineH;

class TextWidget : public WidgetEnv {
protected:
    void SetUp() override {
        WidgetEnv::SetUp();
        writeFile("txt/en/pauseGame.txt", "one\ntwo\nthree words here\n");
    }
    std::shared_ptr<TText> one(const std::string& body) {
        auto gui = layout("FONT f { URL = fonts/main.ttf }\nTEXT t { FONT = f " + body + " }\n");
        return gui->getItemAs<TText>("t");
    }
    std::vector<DrawCall> drawn(TText& t) {
        ClearRecordedDraws();
        t.draw(0, 0);
        return draws(DrawCall::Text);
    }
};

struct TextCase {
    const char* name;
    std::string body;
    std::function<void(const TText&)> check;
};

TEST_F(TextWidget, KeysOfTheDeclaration) {
    const TextCase cases[] = {
        {"two numbers: no wrapping width", "POSITION = \"100 200\"",
         [](const TText& t) {
             EXPECT_EQ(t.dim->x, 100);
             EXPECT_EQ(t.dim->y, 200);
             EXPECT_EQ(t.dim->w, 10000000);
         }},
        {"three numbers: wrap width", "POSITION = \"100 200 300\"",
         [](const TText& t) { EXPECT_EQ(t.dim->w, 300); }},
        {"four numbers: no width", "POSITION = \"100 200 300 400\"",
         [](const TText& t) { EXPECT_EQ(t.dim->w, 10000000); }},
        {"doubled blank", "POSITION = \"10  20\"",
         [](const TText& t) {
             EXPECT_EQ(t.dim->x, 10);
             EXPECT_EQ(t.dim->y, 0);
             EXPECT_EQ(t.dim->w, 20);
         }},
        {"reference resolved at load", "TXT = [txt/#LANG#/pauseGame.txt|3]",
         [](const TText& t) { EXPECT_EQ(t._txt, "three words here"); }},
        {"line past the end", "TXT = [txt/#LANG#/pauseGame.txt|9]",
         [](const TText& t) { EXPECT_EQ(t._txt, "(BEYOND TEXT ARRAY LENGTH!)"); }},
        {"a lone bracket stays", "TXT = [", [](const TText& t) { EXPECT_EQ(t._txt, "["); }},
        {"empty reference", "TXT = []",
         [](const TText& t) { EXPECT_EQ(t._txt, "(BEYOND TEXT ARRAY LENGTH!)"); }},
        {"ALIGN in lower case", "ALIGN = center",
         [](const TText& t) { EXPECT_EQ(t._align, QGM_ALIGN_CENTER); }},
        {"unknown ALIGN is left", "ALIGN = middle",
         [](const TText& t) { EXPECT_EQ(t._align, QGM_ALIGN_LEFT); }},
        {"RIGHT is 0", "ALIGN = RIGHT", [](const TText& t) { EXPECT_EQ(t._align, 0); }},
        {"VISIBLE true", "VISIBLE = true", [](const TText& t) { EXPECT_EQ(t._v, 1); }},
        {"VISIBLE 1 is off", "VISIBLE = 1", [](const TText& t) { EXPECT_EQ(t._v, 0); }},
        {"RGB", "RGB = \"1 2 3\"",
         [](const TText& t) {
             ASSERT_NE(t.rgb, nullptr);
             EXPECT_EQ(t.rgb->b, 3);
         }},
        {"RGB -1: no colour", "RGB = \"-1 2 3\"", [](const TText& t) { EXPECT_EQ(t.rgb, nullptr); }},
        {"SHADOW turns it on", "SHADOW = \"4 5 6\"",
         [](const TText& t) {
             EXPECT_EQ(t._shadow, 1);
             EXPECT_EQ(t.shRGB->g, 5);
         }},
        {"defaults", "",
         [](const TText& t) {
             EXPECT_EQ(t._shadow, 0);
             EXPECT_EQ(t.rgb->r + t.rgb->g + t.rgb->b, 765);
             EXPECT_EQ(t._class, QGM_text);
             EXPECT_NE(t._font, nullptr);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        messages.clear();
        auto t = one(c.body);
        ASSERT_NE(t, nullptr);
        c.check(*t);
        EXPECT_TRUE(messages.empty());
    }
}

TEST_F(TextWidget, UnknownFontIsReportedAndTheTextStillMade) {
    auto gui = layout("TEXT t { FONT = nope TXT = hi }");
    auto t = gui->getItemAs<TText>("t");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->_font, nullptr);
    EXPECT_EQ(messages, std::vector<std::string>{" >> BLAD! << : Nie znaleziono czcionki : nope"});
}

TEST_F(TextWidget, WrapsInsideItsWidthAndRecordsTheHeight) {
    auto t = one("POSITION = \"100 50 90\" TXT = \"aaa bbb ccc\"");  // 70 wide at most: two lines
    const auto d = drawn(*t);
    ASSERT_EQ(d.size(), 2u);
    EXPECT_EQ(d[0].what, "aaa bbb");
    EXPECT_EQ(d[0].x, 100);
    EXPECT_EQ(d[0].y, 50);
    EXPECT_EQ(d[1].y, 50 + kLineH);
    EXPECT_EQ(t->dim->h, 2 * kLineH);
    EXPECT_EQ(t->countH(), 2 * kLineH);
}

TEST_F(TextWidget, CentredTextWithShadow) {
    auto t = one("POSITION = \"100 50 200\" TXT = abcd ALIGN = CENTER SHADOW = \"0 0 0\" RGB = \"9 8 7\"");
    const auto d = drawn(*t);
    ASSERT_EQ(d.size(), 2u);
    const float cx = 100 + (200 - 4 * kCharW) / 2;
    EXPECT_EQ(d[0].x, cx + 1);  // shadow at (x + 1, y + 1)
    EXPECT_EQ(d[0].y, 51);
    EXPECT_EQ(d[0].r, 0);
    EXPECT_EQ(d[1].x, cx);  // the text one pixel lower than other alignments
    EXPECT_EQ(d[1].y, 51);
    EXPECT_EQ(d[1].r, 9);
}

TEST_F(TextWidget, LeftTextWithShadowAndOffset) {
    auto t = one("POSITION = \"100 50\" TXT = ab SHADOW = \"1 1 1\"");
    ClearRecordedDraws();
    t->draw(5.9f, 2);
    const auto d = draws(DrawCall::Text);
    ASSERT_EQ(d.size(), 2u);
    EXPECT_EQ(d[0].x, 106);
    EXPECT_EQ(d[0].y, 53);
    EXPECT_EQ(d[1].x, 105);
    EXPECT_EQ(d[1].y, 52);
}

TEST_F(TextWidget, ZeroAlphaDrawsNothingAndKeepsTheHeight) {
    auto t = one("POSITION = \"100 50\" TXT = ab SHADOW = \"1 1 1\"");
    t->dim->h = 77;
    t->_alpha = 0;
    EXPECT_TRUE(drawn(*t).empty());
    EXPECT_EQ(t->dim->h, 77);
}

TEST_F(TextWidget, WithoutAColourItDrawsWhite) {
    auto t = one("POSITION = \"100 50\" TXT = ab RGB = \"-1 0 0\" SHADOW = \"1 2 3\"");
    SetColor(10, 10, 10);
    const auto d = drawn(*t);
    ASSERT_EQ(d.size(), 2u);
    EXPECT_EQ(d[0].g, 2);
    EXPECT_EQ(d[1].r + d[1].g + d[1].b, 765);
}

TEST_F(TextWidget, FactoryAndSetAlign) {
    auto t = createText("n", "x", 10.9f, 20.2f, 300, nullptr, " justify ", 1, 0);
    EXPECT_EQ(t->dim->x, 10);
    EXPECT_EQ(t->dim->y, 20);
    EXPECT_EQ(t->_align, QGM_ALIGN_JUSTIFY);
    EXPECT_EQ(t->_a, 0);
    t->setAlign("right");
    EXPECT_EQ(t->_align, QGM_ALIGN_RIGHT);
    t->setAlign(" left");  // not trimmed: unchanged
    EXPECT_EQ(t->_align, QGM_ALIGN_RIGHT);
    t->_align = 7;
    EXPECT_EQ(t->countH(), 0);
    EXPECT_TRUE(drawn(*t).empty());
}

TEST_F(TextWidget, ScreensReplaceTheTextAndMeasureIt) {
    auto t = one("POSITION = \"0 0 50\" TXT = short");
    t->_txt = "one two three";
    EXPECT_EQ(t->countH(), 3 * kLineH);
}

}  // namespace
