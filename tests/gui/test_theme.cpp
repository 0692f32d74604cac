// Themes: pieces, anchors and colours from a theme file; lookups by name.
#include <gtest/gtest.h>

#include <string>

#include "fixtures/widget_env.h"
#include "gui/data/qcmfile.h"
#include "gui/widgets/theme.h"

namespace {

using widgettest::WidgetEnv;

const char* const kThemeFile =
    "temat {\n"
    "\tokno {\n"
    "\t\tleftUp = \"theme/lu.png\"\n"
    "\t\tUp = \"theme/u.png\"\n"
    "\t\trightUp = \"theme/ru.png\"\n"
    "\t\tright = \"theme/r.png\"\n"
    "\t\trightdown = \"theme/rd.png\"\n"
    "\t\tdown = \"theme/d.png\"\n"
    "\t\tleftdown = \"theme/ld.png\"\n"
    "\t\tleft = \"theme/l.png\"\n"
    "\t\tsrodek = \"theme/m.png\"\n"
    "\t}\n"
    "\tbelka {\n"
    "\t\tlewo = \"theme/bl.png\"\n"
    "\t\tsrodek = \"theme/bm.png\"\n"
    "\t\tprawo = \"theme/br.png\"\n"
    "\t\ttextRGB = 255, 128, 0\n"
    "\t\toutLineRGB = 127.9, 1, 2\n"
    "\t\tbackRGB = 10, 20, 30\n"
    "\t\tLU = \"theme/lu.png\"\n"
    "\t\tMiddle = \"theme/m.png\"\n"
    "\t}\n"
    "\tsuwak {\n"
    "\t\tprzyciskGora = \"theme/up.png\"\n"
    "\t\tprzyciskDol = \"theme/missing.png\"\n"
    "\t\tpasekGora = \"theme/t.png\"\n"
    "\t\tpasekDol = \"theme/t.png\"\n"
    "\t}\n"
    "}\n";

class Themes : public WidgetEnv {
protected:
    void SetUp() override {
        WidgetEnv::SetUp();
        writeFile("theme/temat.txt", kThemeFile);
        // Each piece a size of its own so that anchors can be told apart.
        const std::pair<const char*, std::pair<int, int>> pieces[] = {
            {"lu", {10, 11}}, {"u", {12, 13}}, {"ru", {14, 15}}, {"r", {16, 17}},
            {"rd", {18, 19}}, {"d", {20, 21}}, {"ld", {22, 23}}, {"l", {24, 25}},
            {"m", {26, 27}},  {"bl", {5, 30}}, {"bm", {6, 31}},  {"br", {7, 30}},
            {"up", {50, 20}}, {"t", {9, 7}},
        };
        for (const auto& [n, size] : pieces)
            writeImage(std::string("theme/") + n + ".png", size.first, size.second);
    }
    static std::pair<float, float> handle(const TImage& img) {
        float x = -1, y = -1;
        GetImageHandle(img, x, y);
        return {x, y};
    }
};

TEST_F(Themes, WindowPiecesAndTheirAnchors) {
    auto t = loadGuiTheme("temat1", bDir + "theme/temat.txt", nullptr);
    using P = std::pair<float, float>;
    const P anchors[9] = {{0, 0},  {0, 0},  {14, 0}, {16, 0}, {18, 19},
                          {0, 21}, {0, 23}, {0, 0},  {0, 0}};
    for (size_t i = 0; i < 9; ++i) {
        ASSERT_NE(t->oknoImg[i], nullptr) << i;
        EXPECT_EQ(ImageWidth(t->oknoImg[i]), int(10 + 2 * i)) << i;
        EXPECT_EQ(handle(t->oknoImg[i]), anchors[i]) << i;
    }
}

TEST_F(Themes, BarPiecesColoursAndHeight) {
    auto t = loadGuiTheme("temat1", bDir + "theme/temat.txt", nullptr);
    EXPECT_EQ(t->id, "TEMAT1");
    EXPECT_EQ(ImageWidth(t->bar[0]), 5);
    EXPECT_EQ(t->barHeight, 31);
    EXPECT_EQ(handle(t->bar[2]), (std::pair<float, float>{0, 0}));
    EXPECT_EQ(t->textRGB->r, 255);
    EXPECT_EQ(t->textRGB->g, 128);
    EXPECT_EQ(t->textRGB->b, 0);
    EXPECT_EQ(t->outLineRGB->r, 127);  // truncated
    EXPECT_EQ(t->backRGB->b, 30);
    EXPECT_NE(t->rect[0], nullptr);
    EXPECT_EQ(t->rect[1], nullptr);  // no entry: empty slot
    EXPECT_NE(t->rect[8], nullptr);
    // The slider is not part of loading.
    EXPECT_EQ(t->_suwakImg[0], nullptr);
    EXPECT_EQ(t->suwak[0], nullptr);
}

TEST_F(Themes, SliderPiecesOnRequest) {
    auto t = loadGuiTheme("temat1", bDir + "theme/temat.txt", nullptr);
    auto file = loadQCMFile(bDir + "theme/temat.txt");
    t->loadSuwakGFX(*file);
    ASSERT_NE(t->_suwakImg[0], nullptr);
    EXPECT_EQ(ImageWidth(t->_suwakImg[0]), 12);  // 50 / 4
    EXPECT_EQ(ImageHeight(t->_suwakImg[0]), 20);
    EXPECT_EQ(ImageFrames(t->_suwakImg[0]), 4);
    EXPECT_EQ(handle(t->_suwakImg[0]), (std::pair<float, float>{6, 10}));
    EXPECT_EQ(t->_suwakImg[1], nullptr);  // missing strip: slot stays empty
    EXPECT_EQ(t->suwakUrl[1], "theme/missing.png");
    EXPECT_EQ(handle(t->suwak[0]), (std::pair<float, float>{4, 0}));  // top centre, 9 / 2
    EXPECT_EQ(handle(t->suwak[2]), (std::pair<float, float>{4, 7}));  // bottom centre
    EXPECT_EQ(t->suwak[1], nullptr);
}

TEST_F(Themes, MissingFileGivesAnEmptyCurrentTheme) {
    auto t = loadGuiTheme("gone", bDir + "theme/nothing.txt", nullptr);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(TTheme::_theme, t);
    EXPECT_EQ(t->oknoImg[0], nullptr);
    EXPECT_EQ(t->barHeight, 0);
    EXPECT_EQ(t->textRGB->r + t->textRGB->g + t->textRGB->b, 0);
    EXPECT_EQ(getTheme("GONE", nullptr), t);
}

TEST_F(Themes, LookupOrder) {
    auto first = loadGuiTheme("skin", bDir + "theme/temat.txt", nullptr);
    auto second = loadGuiTheme("Skin", bDir + "theme/temat.txt", nullptr);
    EXPECT_EQ(TTheme::_theme, second);
    EXPECT_EQ(getTheme("SKIN", nullptr), first);  // the earliest wins

    auto gui = createGui();
    EXPECT_EQ(getTheme("skin", gui.get()), first);  // through the global list
    auto own = loadGuiTheme("skin", bDir + "theme/temat.txt", gui.get());
    EXPECT_EQ(getTheme("skin", gui.get()), own);  // the layout's own first
    EXPECT_EQ(getTheme("other", gui.get()), nullptr);
    EXPECT_EQ(QGM_ThemesList.size(), 3u);
    EXPECT_EQ(gui->_themes.size(), 1u);
}

TEST_F(Themes, ThemeBlock) {
    auto gui = layout(
        "THEME one { url = " + bDir + "theme/temat.txt URL = " + bDir + "theme/nothing.txt }\n"
        "THEME none { FILE = x }\n");
    ASSERT_EQ(gui->_themes.size(), 1u);
    EXPECT_EQ(gui->_themes[0]->id, "ONE");
    EXPECT_EQ(gui->_themes[0]->barHeight, 31);  // the first URL only
    EXPECT_TRUE(gui->_listaObiektow.empty());
    EXPECT_EQ(messages, std::vector<std::string>{" >> BLAD! << : No path for theme file!"});

    // Reading the layout again appends; lookups keep the first.
    auto first = getTheme("one", gui.get());
    gui->reload();
    EXPECT_EQ(gui->_themes.size(), 2u);
    EXPECT_EQ(getTheme("one", gui.get()), first);
    EXPECT_EQ(TTheme::_theme, gui->_themes[1]);
}

}  // namespace
