// FONT blocks: the file below the asset folder, the size, failures, lookups by name.
#include <gtest/gtest.h>

#include "fixtures/widget_env.h"
#include "gui/core/qgmfont.h"
#include "gui/widgets/button.h"

namespace {

using widgettest::WidgetEnv;

class LayoutFonts : public WidgetEnv {
protected:
    int loadsOf(const std::string& rel, int size) const {
        int n = 0;
        for (const auto& [path, s] : fontLoads)
            if (path == bDir + rel && s == size) ++n;
        return n;
    }
};

TEST_F(LayoutFonts, SizeDefaultsTo12AndAppliesWhereverItStands) {
    writeFile("fonts/other.ttf", "x");
    auto gui = layout(
        "FONT plain { URL = fonts/main.ttf }\n"
        "FONT big { URL = fonts/other.ttf SIZE = 20 }\n");
    ASSERT_EQ(gui->_fonts.size(), 2u);
    EXPECT_EQ(loadsOf("fonts/main.ttf", 12), 1);  // one load, cached for the real one
    EXPECT_EQ(loadsOf("fonts/other.ttf", 12), 1);  // the test load
    EXPECT_EQ(loadsOf("fonts/other.ttf", 20), 1);
    EXPECT_NE(TQGMFont::getByID("BIG", gui.get())->_font, nullptr);
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(TQGMFont::_fontsList.empty());
}

TEST_F(LayoutFonts, AMissingFileIsToldOnceAndTheWidgetsNamingItAreNotToldAgain) {
    auto gui = layout(
        "FONT gone { URL = fonts/missing.ttf SIZE = 18 }\n"
        "BUTTON b { TYP = TEXT_BUTTON TXT = Hi FONT = gone }\n");
    ASSERT_EQ(gui->_fonts.size(), 1u);  // declared, without a font
    EXPECT_EQ(gui->_fonts[0]->_font, nullptr);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].find(" >> BLAD! << : Nie moge znalezc czcionki : " + bDir +
                               "fonts/missing.ttf   fileType : 0   realpath : "),
              0u);
    EXPECT_NE(messages[0].find("\nThe font file is missing or damaged; the game goes on"), std::string::npos);
    EXPECT_EQ(gui->getItemAs<TButton>("b")->_font, nullptr);
    // More layouts naming the same file, in another case too: nothing more is told.
    layout("FONT again { URL = fonts/MISSING.ttf }\nBUTTON c { TYP = TEXT_BUTTON TXT = Hi FONT = again }\n");
    layout("FONT gone { URL = fonts/missing.ttf SIZE = 30 }\n");
    EXPECT_EQ(messages.size(), 1u);
    // Another missing file is a cause of its own.
    layout("FONT other { URL = fonts/lost.ttf }\n");
    EXPECT_EQ(messages.size(), 2u);
}

TEST_F(LayoutFonts, NoUrlIsReported) {
    auto gui = layout("FONT f { SIZE = 14 }\n");
    EXPECT_TRUE(gui->_fonts.empty());
    EXPECT_EQ(messages, std::vector<std::string>{" >> BLAD! << : Nie podano scierzki do czcionki."});
}

TEST_F(LayoutFonts, LookupIgnoresCaseAndTheFirstDeclaredWins) {
    writeFile("fonts/other.ttf", "x");
    auto gui = layout(
        "FONT Title { URL = fonts/main.ttf }\n"
        "FONT TITLE { URL = fonts/other.ttf }\n");
    ASSERT_EQ(gui->_fonts.size(), 2u);
    EXPECT_EQ(TQGMFont::getByID("title", gui.get()), gui->_fonts[0]);
    EXPECT_EQ(TQGMFont::getByID("TITLE", gui.get()), gui->_fonts[0]);
    EXPECT_EQ(TQGMFont::getByID("none", gui.get()), nullptr);
}

TEST_F(LayoutFonts, FontsAreResolvedInFileOrder) {
    auto gui = layout(
        "BUTTON early { TYP = TEXT_BUTTON TXT = Hi FONT = late }\n"
        "FONT late { URL = fonts/main.ttf }\n"
        "BUTTON after { TYP = TEXT_BUTTON TXT = Hi FONT = late }\n");
    EXPECT_EQ(messages, std::vector<std::string>{" >> BLAD! << : Nie znaleziono czcionki : late"});
    EXPECT_EQ(gui->getItemAs<TButton>("early")->_font, nullptr);
    EXPECT_NE(gui->getItemAs<TButton>("after")->_font, nullptr);
}

TEST_F(LayoutFonts, ReloadAppendsRecordsAndLookupsKeepTheFirst) {
    auto gui = layout("FONT f { URL = fonts/main.ttf }\n");
    auto first = TQGMFont::getByID("f", gui.get());
    gui->reload();
    EXPECT_EQ(gui->_fonts.size(), 2u);
    EXPECT_EQ(TQGMFont::getByID("f", gui.get()), first);
}

}  // namespace
