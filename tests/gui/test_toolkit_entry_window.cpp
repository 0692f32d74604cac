// Text entries and windows, driven through the toolkit fixture layout and small layouts:
// typing, Backspace, Enter, the caret; window factors, frame pieces and their places.
#include <gtest/gtest.h>

#include "toolkit_env.h"
#include "gui/widgets/textentry.h"
#include "gui/widgets/window.h"
#include "gui/frame/display.h"

namespace {

using widgettest::ToolkitEnv;

class TextEntryTest : public ToolkitEnv {
protected:
    void type(TGui& gui, const std::u32string& keys) {
        for (char32_t c : keys) InjectChar(int(c));
        for (size_t i = 0; i < keys.size(); ++i) gui.update();
    }
};

TEST_F(TextEntryTest, FixtureFieldTypesBackspacesAndEnters) {
    auto gui = toolkit();
    EXPECT_TRUE(messages.empty()) << messages.front();
    auto name = gui->getItemAs<TTextEntry>("name");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->_class, QGM_textEntry);
    EXPECT_EQ(name->dim->x, 100);
    EXPECT_EQ(name->dim->y, 170);
    EXPECT_EQ(name->dim->w, 300);
    EXPECT_EQ(name->dim->h, widgettest::kLineH);
    EXPECT_EQ(name->_maxZnakow, 12);
    ASSERT_NE(name->rgb, nullptr);
    EXPECT_EQ(name->rgb->r, 74);

    // One character per update; characters waiting in the queue are taken in later updates.
    for (char c : std::string("Sea Wolf")) InjectChar(c);
    gui->update();
    EXPECT_EQ(name->getTxt(), "S");
    for (int i = 0; i < 7; ++i) gui->update();
    EXPECT_EQ(name->getTxt(), "Sea Wolf");

    type(*gui, U"\b\b\u00e9");
    EXPECT_EQ(name->getTxt(), "Sea Wo\xc3\xa9");
    type(*gui, U"\b\b\b\b\b\b\b\b");
    EXPECT_EQ(name->getTxt(), "");  // Backspace on an empty field does nothing

    // Up to the maximum; past it characters are dropped until Backspace makes room.
    type(*gui, U"abcdefghijklmn");
    EXPECT_EQ(name->getTxt(), "abcdefghijkl");
    type(*gui, U"\bz");
    EXPECT_EQ(name->getTxt(), "abcdefghijkz");

    // Enter adds nothing and makes the field the clicked widget for that one update.
    InjectChar(13);
    gui->update();
    EXPECT_EQ(gui->_clicked, "name");
    EXPECT_TRUE(gui->clickedItem("NAME"));
    EXPECT_EQ(clicks, 1);
    gui->update();
    EXPECT_EQ(gui->_clicked, "");
    EXPECT_EQ(name->getTxt(), "abcdefghijkz");

    // setTxt keeps a longer text whole; typing adds nothing until it is below the maximum.
    name->setTxt("a much longer name than twelve");
    type(*gui, U"x");
    EXPECT_EQ(name->getTxt(), "a much longer name than twelve");
}

TEST_F(TextEntryTest, BlockValues) {
    struct Case {
        const char* block;
        float x, y, w;
        int max;
        bool colour;
    };
    const Case cases[] = {
        {"POSITION = \"10 20\"", 10, 20, 300, 25, true},
        {"POSITION = \"10 20 150\"", 10, 20, 150, 25, true},
        {"POSITION = \"10 20 150 5\"", 10, 20, 300, 25, true},
        {"POSITION = \"10  20\"", 10, 0, 20, 25, true},  // a doubled blank is an empty piece
        {"WIDTH = 0 RGB = \"-1 0 0\"", 0, 0, 300, 0, false},
        {"RGB = \"-1 0 0\" RGB = \"1 2 3\"", 0, 0, 300, 25, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.block);
        auto gui = layout(std::string("TEXTENTRY t { ") + c.block + " }");
        auto t = gui->getItemAs<TTextEntry>("t");
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(t->dim->x, c.x);
        EXPECT_EQ(t->dim->y, c.y);
        EXPECT_EQ(t->dim->w, c.w);
        EXPECT_EQ(t->_maxZnakow, c.max);
        EXPECT_EQ(t->rgb != nullptr, c.colour);
        EXPECT_EQ(t->_interwal, 300);
    }
    EXPECT_TRUE(messages.empty());

    // A font declared further down is not known yet: a message, and the default font.
    auto gui = layout("TEXTENTRY t { FONT = later } FONT later { URL = fonts/main.ttf }");
    EXPECT_TRUE(messaged("Nie znaleziono czcionki : later"));
    EXPECT_EQ(gui->getItemAs<TTextEntry>("t")->_font, nullptr);
}

TEST_F(TextEntryTest, WidthZeroTypesNothingButEnterStillClicks) {
    auto gui = layout("TEXTENTRY t { WIDTH = 0 }");
    auto t = gui->getItemAs<TTextEntry>("t");
    type(*gui, U"ab");
    EXPECT_EQ(t->getTxt(), "");
    InjectChar(13);
    gui->update();
    EXPECT_EQ(gui->_clicked, "t");
}

TEST_F(TextEntryTest, TwoFieldsShareTheQueueInFileOrder) {
    auto gui = layout("TEXTENTRY a { } TEXTENTRY b { VISIBLE = false ACTIVE = false }");
    type(*gui, U"xy");
    // Each update the first field takes a character and the second the next one; a hidden,
    // inactive field still types.
    EXPECT_EQ(gui->getItemAs<TTextEntry>("a")->getTxt(), "x");
    EXPECT_EQ(gui->getItemAs<TTextEntry>("b")->getTxt(), "y");
}

TEST_F(TextEntryTest, CaretBlinksAndIsDrawnAfterTheText) {
    auto gui = layout("FONT f { URL = fonts/main.ttf } TEXTENTRY t { POSITION = \"100 50 200\" FONT = f }");
    auto t = gui->getItemAs<TTextEntry>("t");
    ASSERT_EQ(t->_czas, clock + 300);
    EXPECT_EQ(t->_trigger, 1);
    clock += 300;
    gui->update();
    EXPECT_EQ(t->_trigger, 1);  // not later than the flip time yet
    t->setInterwal(500);
    clock += 1;
    gui->update();
    EXPECT_EQ(t->_trigger, 0);
    EXPECT_EQ(t->_czas, clock + 500);
    clock += 501;
    gui->update();
    EXPECT_EQ(t->_trigger, 1);

    t->setTxt("abc");
    ClearRecordedDraws();
    gui->draw();
    auto rects = draws(DrawCall::Rect);
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0].x, 100 + 30 + 2);
    EXPECT_EQ(rects[0].y, 50);
    EXPECT_EQ(rects[0].w, widgettest::kCharW);
    EXPECT_EQ(rects[0].h, widgettest::kLineH);

    // A text exactly as wide as the field is drawn shortened, the caret after what shows.
    t->setTxt(std::string(20, 'w'));
    ClearRecordedDraws();
    gui->draw();
    auto texts = draws(DrawCall::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_NE(texts[0].what, std::string(20, 'w'));
    EXPECT_EQ(texts[0].what.substr(0, 2), "..");
    EXPECT_EQ(draws(DrawCall::Rect)[0].x, 100 + 10 * float(texts[0].what.size()) + 2);

    // No caret while inactive; typing still goes on.
    t->_a = 0;
    t->setTxt("");
    type(*gui, U"q");
    EXPECT_EQ(t->getTxt(), "q");
    ClearRecordedDraws();
    gui->draw();
    EXPECT_TRUE(draws(DrawCall::Rect).empty());
}

// ---- windows --------------------------------------------------------------------------------

class WindowTest : public ToolkitEnv {};

TEST_F(WindowTest, FactorsFromTheThemeAndTheBox) {
    auto gui = layout("THEME skin { URL = theme/temat.txt }\n"
                      "WINDOW w { POSITION = \"100 50 400 300\" }\n"
                      "WINDOW narrow { POSITION = \"0 0 20 300\" THEME = SKIN }");
    auto w = gui->getItemAs<TWindow>("w");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->_class, QGM_window);
    EXPECT_EQ(w->dim->x, 100);
    EXPECT_EQ(w->dim->y, 50);
    EXPECT_EQ(w->dim->x2, 500);
    EXPECT_EQ(w->dim->y2, 350);
    EXPECT_FLOAT_EQ(w->skala[0], (400.0f - 32) / 8);  // 46
    EXPECT_FLOAT_EQ(w->skala[1], (300.0f - 24) / 4);  // 69
    EXPECT_FLOAT_EQ(w->skala[2], (400.0f - 32) / 8);
    EXPECT_FLOAT_EQ(w->skala[3], (300.0f - 24) / 8);
    EXPECT_EQ(w->incX, 16);
    EXPECT_EQ(w->decY, 16);
    // Narrower than its two top corners: negative factors across.
    EXPECT_LT(gui->getItemAs<TWindow>("narrow")->skala[0], 0);
    EXPECT_TRUE(messages.empty());
}

TEST_F(WindowTest, DrawsNinePiecesAtTheirAnchors) {
    auto gui = toolkit();
    auto w = gui->getItemAs<TWindow>("panel");
    ASSERT_NE(w, nullptr);
    w->rgb = createRGB(200, 100, 50);
    w->_alpha = 0.5f;
    ClearRecordedDraws();
    w->draw(0, 0);
    auto imgs = draws(DrawCall::Image);
    ASSERT_EQ(imgs.size(), 9u);
    // Corners, then edges, then the middle; the right and bottom pieces are anchored at
    // their right / bottom sides.
    const float X = 60, Y = 80, W = 440, H = 300;
    const std::pair<float, float> at[] = {{X, Y},           {X + W, Y},      {X + W, Y + H},
                                          {X, Y + H},       {X + 16, Y},     {X + W, Y + 16},
                                          {X + 16, Y + H},  {X, Y + 16},     {X + 16, Y + 16}};
    for (size_t i = 0; i < 9; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(imgs[i].x, at[i].first);
        EXPECT_EQ(imgs[i].y, at[i].second);
        EXPECT_EQ(imgs[i].r, 200);
        EXPECT_FLOAT_EQ(imgs[i].alpha, 0.5f);
    }
    EXPECT_EQ(imgs[1].handleX, 16);  // top-right corner: anchored at its right side
    EXPECT_EQ(imgs[2].handleY, 16);  // bottom-right: at its bottom too
    EXPECT_EQ(imgs[0].handleX, 0);
    EXPECT_FLOAT_EQ(imgs[4].scaleX, (440.0f - 32) / 8);
    EXPECT_FLOAT_EQ(imgs[5].scaleY, (300.0f - 24) / 4);
    // The frame closes: the stretched top edge ends where the top-right corner begins.
    EXPECT_FLOAT_EQ(imgs[4].x + 8 * imgs[4].scaleX, X + W - 16);

    // A hidden window stays in the layout but is not drawn.
    auto hidden = gui->getItem("hidden");
    ASSERT_NE(hidden, nullptr);
    EXPECT_EQ(hidden->_v, 0);
}

TEST_F(WindowTest, WithoutAnyThemeDrawsNothing) {
    auto gui = layout("WINDOW w { POSITION = \"1 2 30 40\" THEME = none }");
    EXPECT_TRUE(messaged("No theme for window object!"));
    auto w = gui->getItemAs<TWindow>("w");
    ASSERT_NE(w, nullptr);
    ClearRecordedDraws();
    gui->draw();
    EXPECT_TRUE(RecordedDraws().empty());
}

TEST_F(WindowTest, ChildrenFollowTheWindow) {
    auto gui = layout("THEME skin { URL = theme/temat.txt } WINDOW w { POSITION = \"100 50 400 300\" }"
                      " TEXTENTRY t { POSITION = \"10 20\" }");
    auto w = gui->getItemAs<TWindow>("w");
    auto t = gui->getItemAs<TTextEntry>("t");
    w->dodajObiekt(t);
    t->setTxt("on board");
    ClearRecordedDraws();
    w->draw(0, 0);
    auto texts = draws(DrawCall::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].x, 110);
    EXPECT_EQ(texts[0].y, 70);
}

TEST_F(WindowTest, CentredWindow) {
    auto w = createQGMWindow("c", 0, 0, 401, 300, nullptr, 1, 0, 1, 1);
    EXPECT_EQ(w->dim->x, (QMScreenWidth - 401) / 2);
}

}  // namespace
