// BUTTON blocks and the button's animation scheme and box.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "fixtures/widget_env.h"
#include "gui/widgets/button.h"

namespace {

using widgettest::WidgetEnv;
using widgettest::kCharW;
using widgettest::kLineH;

class ButtonBlock : public WidgetEnv {
protected:
    void SetUp() override {
        WidgetEnv::SetUp();
        writeImage("gfx/b.png", 40, 20);
        writeImage("gfx/en/flag.png", 30, 10);
        writeImage("gfx/#LANG#/extra.png", 8, 8);
        writeImage("gfx/strip.png", 100, 40);
        writeFile("txt/en/labels.txt", "first\nsecond line\n");
    }
    std::shared_ptr<TButton> one(const std::string& body) {
        auto gui = layout("FONT f { URL = fonts/main.ttf }\nBUTTON b { " + body + " }\n");
        return gui->getItemAs<TButton>("b");
    }
};

struct KeyCase {
    const char* name;
    std::string body;
    std::function<void(const TButton&)> check;
};

TEST_F(ButtonBlock, KeysOfTheDeclaration) {
    const KeyCase cases[] = {
        {"defaults: simple button at 0 0", "GFX = gfx/b.png",
         [](const TButton& b) {
             EXPECT_EQ(b._typ, BT_SIMPLE);
             EXPECT_EQ(b._class, QGM_button);
             EXPECT_EQ(b.dim->x, 0);
             EXPECT_EQ(b._v, 1);
             EXPECT_EQ(b._a, 1);
         }},
        {"caption white with a white outline by default", "TYP = TEXT_BUTTON TXT = Hi",
         [](const TButton& b) {
             ASSERT_NE(b.rgb, nullptr);
             ASSERT_NE(b.outLine, nullptr);
             EXPECT_EQ(b.rgb->r + b.rgb->g + b.rgb->b, 765);
             EXPECT_EQ(b.outLine->r + b.outLine->g + b.outLine->b, 765);
         }},
        {"OUTLINE NONE removes it", "TYP = TEXT_BUTTON TXT = Hi OUTLINE = NONE",
         [](const TButton& b) { EXPECT_EQ(b.outLine, nullptr); }},
        {"OUTLINE colour", "TYP = TEXT_BUTTON TXT = Hi OUTLINE = \"1 2 3\"",
         [](const TButton& b) {
             ASSERT_NE(b.outLine, nullptr);
             EXPECT_EQ(b.outLine->g, 2);
         }},
        {"RGB -1 means no caption colour",
         "TYP = TEXT_SPEC_BUTTON2 GFX = gfx/b.png TXT = Hi RGB = \"-1 0 0\"",
         [](const TButton& b) { EXPECT_EQ(b.rgb, nullptr); }},
        {"a caption-only button without colour is white", "TYP = TEXT_BUTTON TXT = Hi RGB = \"-1 0 0\"",
         [](const TButton& b) {
             ASSERT_NE(b.rgb, nullptr);
             EXPECT_EQ(b.rgb->r, 255);
         }},
        {"RGB red", "TYP = TEXT_BUTTON TXT = Hi RGB = \"255 0 0\"",
         [](const TButton& b) {
             ASSERT_NE(b.rgb, nullptr);
             EXPECT_EQ(b.rgb->r, 255);
             EXPECT_EQ(b.rgb->g, 0);
         }},
        {"VISIBLE true", "GFX = gfx/b.png VISIBLE = true ACTIVE = True",
         [](const TButton& b) {
             EXPECT_EQ(b._v, 1);
             EXPECT_EQ(b._a, 1);
         }},
        {"VISIBLE 1 is off", "GFX = gfx/b.png VISIBLE = 1 ACTIVE = yes",
         [](const TButton& b) {
             EXPECT_EQ(b._v, 0);
             EXPECT_EQ(b._a, 0);
         }},
        {"DIR h is stacked", "TYP = ANIM_BUTTON GFX = gfx/strip.png SCHEMAT = \"NORMAL 1 2\" DIR = h",
         [](const TButton& b) { EXPECT_EQ(b._dir, 1); }},
        {"DIR H is side by side", "TYP = ANIM_BUTTON GFX = gfx/strip.png SCHEMAT = \"NORMAL 1 2\" DIR = H",
         [](const TButton& b) { EXPECT_EQ(b._dir, 0); }},
        {"no DIR is side by side", "TYP = ANIM_BUTTON GFX = gfx/strip.png SCHEMAT = \"NORMAL 1 2\"",
         [](const TButton& b) {
             EXPECT_EQ(b._dir, 0);
             EXPECT_EQ(ImageWidth(b._image), 50);
         }},
        {"POSITION with a doubled blank", "GFX = gfx/b.png POSITION = \"10  20\"",
         [](const TButton& b) {
             EXPECT_EQ(b.dim->x, 10);
             EXPECT_EQ(b.dim->y, 0);
             EXPECT_EQ(b._pomRememberX, 10);
         }},
        {"GFX #LANG# replaced", "GFX = gfx/#LANG#/flag.png",
         [](const TButton& b) { EXPECT_EQ(ImageWidth(b._image), 30); }},
        {"ADDGFX keeps #LANG#",
         "TYP = TEXT_SPEC_BUTTON7 GFX = gfx/b.png ADDGFX = gfx/#LANG#/extra.png TXT = x FONT = f",
         [](const TButton& b) {
             EXPECT_EQ(b._typ, BT_TEXT_SPEC7);
             EXPECT_EQ(ImageWidth(b._addImg), 8);
         }},
        {"TEXT_SPEC_BUTTON6 is a text button with code 12",
         "TYP = TEXT_SPEC_BUTTON6 TXT = Hi FONT = f SHADOW = 1",
         [](const TButton& b) {
             EXPECT_EQ(b._typ, BT_TEXT_SPEC6);
             EXPECT_EQ(b.shadowed, 1);
             EXPECT_EQ(b._shadowA, 0);
         }},
        {"TEXT_SPEC_BUTTON5 takes OVERAD, ADDDIM",
         "TYP = TEXT_SPEC_BUTTON5 GFX = gfx/b.png TXT = x FONT = f OVERAD = \"3 4\" ADDDIM = \"5 6\"",
         [](const TButton& b) {
             EXPECT_EQ(b._adOverX, 3);
             EXPECT_EQ(b._adOverY, 4);
             EXPECT_EQ(b.dimAdX, 5);
             EXPECT_EQ(b.dimAdY, 6);
         }},
        {"caption from a language text", "TYP = TEXT_BUTTON TXT = [txt/#LANG#/labels.txt|2] FONT = f",
         [](const TButton& b) { EXPECT_EQ(b._txt, "second line"); }},
        {"a lone bracket stays", "TYP = TEXT_BUTTON TXT = [ FONT = f",
         [](const TButton& b) { EXPECT_EQ(b._txt, "["); }},
        {"later entry wins", "GFX = gfx/none.png GFX = gfx/b.png",
         [](const TButton& b) { EXPECT_EQ(ImageWidth(b._image), 40); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        messages.clear();
        auto b = one(c.body);
        ASSERT_NE(b, nullptr);
        c.check(*b);
        EXPECT_TRUE(messages.empty()) << messages.front();
    }
}

TEST_F(ButtonBlock, TypeWordIsExact) {
    auto gui = layout("BUTTON b { TYP = text_button TXT = Hi }\n");
    EXPECT_TRUE(gui->_listaObiektow.empty());
    EXPECT_EQ(messages,
              std::vector<std::string>{" >> BLAD! << : Unknown button type : 'text_button' !"});
}

TEST_F(ButtonBlock, EveryTypeWordMakesItsCode) {
    const std::pair<const char*, int> types[] = {
        {"SIMPLE_BUTTON", 0},       {"ANIM_BUTTON", 1},         {"BLEND_BUTTON", 2},
        {"FSTEP_BUTTON", 3},        {"TEXT_BUTTON", 4},         {"TEXT_SPEC_BUTTON1", 5},
        {"FSTEP_BLEND_BUTTON", 6},  {"FSTEP_BUTTON_ZERKON", 7}, {"TEXT_SPEC_BUTTON2", 8},
        {"TEXT_SPEC_BUTTON3", 9},   {"TEXT_SPEC_BUTTON4", 10},  {"TEXT_SPEC_BUTTON5", 11},
        {"TEXT_SPEC_BUTTON6", 12},  {"TEXT_SPEC_BUTTON7", 13},  {"TEXT_LIGHT_BUTTON", 14},
    };
    for (const auto& [word, code] : types) {
        auto b = one(std::string("TYP = ") + word +
                     " GFX = gfx/strip.png SCHEMAT = \"NORMAL 1\" TXT = Go FONT = f");
        ASSERT_NE(b, nullptr) << word;
        EXPECT_EQ(b->_typ, code) << word;
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(ButtonBlock, BoxOfCaptionIsCentredAndOfImageFollowsItsHandle) {
    auto text = one("TYP = TEXT_BUTTON TXT = Play FONT = f POSITION = \"100 50\"");
    EXPECT_FLOAT_EQ(text->dim->x1, 100 - 2 * kCharW);
    EXPECT_FLOAT_EQ(text->dim->x2, 100 + 2 * kCharW);
    EXPECT_FLOAT_EQ(text->dim->y1, 50 - kLineH / 2);
    EXPECT_FLOAT_EQ(text->dim->y2, 50 + kLineH / 2);

    auto image = one("GFX = gfx/b.png POSITION = \"100 50\"");
    EXPECT_FLOAT_EQ(image->dim->x1, 80);
    EXPECT_FLOAT_EQ(image->dim->y1, 40);
    EXPECT_FLOAT_EQ(image->dim->x2, 120);
    EXPECT_FLOAT_EQ(image->dim->y2, 60);

    // Moved by a screen, then recomputed.
    image->move(10, 0);
    image->dim->x1 = 0;
    image->countDims();
    EXPECT_FLOAT_EQ(image->dim->x1, 90);

    // A caption-only kind without an image keeps its box.
    auto yellow = one("TYP = TEXT_SPEC_BUTTON6 TXT = Hi FONT = f POSITION = \"100 50\"");
    const TDim before = *yellow->dim;
    yellow->countDims();
    EXPECT_FLOAT_EQ(yellow->dim->x1, before.x1);
    EXPECT_FLOAT_EQ(yellow->dim->y2, before.y2);
}

// ---- the animation scheme ----------------------------------------------------------------

class ButtonScheme : public WidgetEnv {};

struct Anim {
    std::string name;
    std::vector<int> frames;
    int delay;
};

std::vector<Anim> table(const TButton& b) {
    std::vector<Anim> out;
    for (int i = 0; i < TAnimData::kMaxAnims; ++i) {
        if (b._animData.animName[size_t(i)].empty()) continue;
        Anim a{b._animData.animName[size_t(i)], {}, b._animData.frameDelta[size_t(i)]};
        for (int p = 0; p < b._animData.frameCount(i); ++p) a.frames.push_back(b._animData.frameAt(i, p));
        out.push_back(a);
    }
    return out;
}

struct SchemeCase {
    const char* name;
    std::string scheme;
    std::vector<Anim> anims;
    int frames;
    std::vector<std::string> messages;
};

TEST_F(ButtonScheme, ReadsNamesDelaysAndFrames) {
    const SchemeCase cases[] = {
        {"two animations", "NORMAL 1 2 3 OVER(50) 4 5",
         {{"NORMAL", {1, 2, 3}, 500}, {"OVER", {4, 5}, 50}}, 5, {}},
        {"example", "NORMAL(120) 1 2 3 2 OVER 4 5 ACTIVE(60) 6 7 8",
         {{"NORMAL", {1, 2, 3, 2}, 120}, {"OVER", {4, 5}, 500}, {"ACTIVE", {6, 7, 8}, 60}}, 8, {}},
        {"bracketed name with a blank", "[NORMAL (80)] 1", {{"NORMAL", {1}, 80}}, 1, {}},
        {"the same name appends", "normal 1 2 NORMAL(70) 3", {{"NORMAL", {1, 2, 3}, 70}}, 3, {}},
        {"two delays keep the whole token", "NORMAL(1)(2) 4", {{"NORMAL(1)(2)", {4}, 500}}, 4,
         {"Blad! Nie okreslono znacznika animacji [NORMAL] w schemacie:NORMAL(1)(2) 4",
          "Podanej nazwy animacji nie ma na liscie animacji obiektu! Nazwa :NORMAL"}},
        {"frames before a name are left out", "7 NORMAL 1", {{"NORMAL", {1}, 500}}, 1, {}},
        {"blanks between tokens", "  NORMAL   1    2 ", {{"NORMAL", {1, 2}, 500}}, 2, {}},
        {"no NORMAL", "OVER 1 2", {{"OVER", {1, 2}, 500}}, 2,
         {"Blad! Nie okreslono znacznika animacji [NORMAL] w schemacie:OVER 1 2",
          "Podanej nazwy animacji nie ma na liscie animacji obiektu! Nazwa :NORMAL"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        messages.clear();
        TButton b;
        b.interpretujSchemat(c.scheme, 1);
        const auto got = table(b);
        ASSERT_EQ(got.size(), c.anims.size());
        for (size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].name, c.anims[i].name);
            EXPECT_EQ(got[i].frames, c.anims[i].frames);
            EXPECT_EQ(got[i].delay, c.anims[i].delay);
        }
        EXPECT_EQ(b.frames, c.frames);
        EXPECT_EQ(b._dir, 1);
        std::vector<std::string> expected;
        for (const auto& m : c.messages) expected.push_back(" >> BLAD! << : " + m);
        EXPECT_EQ(messages, expected);
    }
}

TEST_F(ButtonScheme, UnsetIndicesStayAtZero) {
    TButton b;
    b.interpretujSchemat("OVER 3 NORMAL 1 2", 0);
    EXPECT_EQ(b._animOver, 0);
    EXPECT_EQ(b._animNormal, 1);
    EXPECT_EQ(b._animActive, 0);
    EXPECT_EQ(b._animUnActive, 0);
    EXPECT_EQ(b._overFlag, 1);
    EXPECT_EQ(b._activeFlag, 0);
    EXPECT_EQ(b.aktAnim, 1);  // NORMAL started
}

TEST_F(ButtonScheme, TablesAreBounded) {
    std::string eleven = "NORMAL 1";
    for (int i = 0; i < 10; ++i) eleven += " A" + std::to_string(i) + " 2";
    TButton b;
    b.interpretujSchemat(eleven, 0);
    EXPECT_EQ(b._animData.anims, 10);
    EXPECT_TRUE(messaged("Nie mozna dodac wiecej niz 10 animacji!"));
    // The eleventh name's frames land in slot 0.
    EXPECT_EQ(b._animData.frameCount(0), 2);

    messages.clear();
    std::string many = "NORMAL";
    for (int i = 1; i <= 150; ++i) many += " " + std::to_string(i);
    TButton c;
    c.interpretujSchemat(many, 0);
    EXPECT_EQ(c._animData.frameCount(0), 100);
    EXPECT_EQ(c.frames, 100);
    EXPECT_EQ(messages.size(), 1u);
}

}  // namespace
