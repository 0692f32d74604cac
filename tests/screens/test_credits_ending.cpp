// The credits (rows and their markers, the roll and its restart, who is drawn behind and
// what the two callers get back) and the end-of-levels screen (its reset of the player,
// flushed input, no player at all), driven by scripted input under the frame clock.
#include "app/options.h"
#include "app/options_screen/options_screen.h"
#include "app/router.h"
#include "screens/story/story_install.h"
#include "story_fixture.h"

namespace storytest {
namespace {

class CreditsTest : public StoryTest {
protected:
    void SetUp() override {
        StoryTest::SetUp();
        openDisplay();
        writePng("gfx/gui/credits/credits.jpg", 1024, 768);
    }
    // Rows of the credits for `text`, after a set-up.
    std::vector<TCreditData> rowsOf(const std::string& text) {
        write("txt/en/credits.txt", text);
        credits.setup();
        return credits.lista;
    }
    // Runs the credits with a click at `frame`; the result.
    std::string runWithClickAt(int frame) {
        ResetHarness();
        HarnessStart(clickAt(frame, 512, 384), 2000);
        settleDelta();
        return credits.mainLoop();
    }
};

TEST_F(CreditsTest, MarkersPickTheFontAndCutBothEnds) {
    // UTF-8 text files carry a byte-order mark.
    auto rows = rowsOf("\xEF\xBB\xBFPlain\n\n#Title#\n$Big$\n#$Both$#\n#x\n#\n$\n   \nNam\xC3\xA9\n#Caf\xC3\xA9\n");
    const struct {
        const char* txt;
        TImageFont font;
    } expected[] = {
        {"Plain", credits.font1}, {"Title", credits.font2}, {"Big", credits.font3}, {"Both", credits.font3},
        {"", credits.font2},      {"", credits.font2},      {"", credits.font3},    {"   ", credits.font1},
        {"Nam\xC3\xA9", credits.font1}, {"Caf", credits.font2},
    };
    ASSERT_EQ(rows.size(), std::size(expected)) << "the empty line gives no row";
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].txt, expected[i].txt) << "row " << i;
        EXPECT_EQ(rows[i].font, expected[i].font) << "row " << i;
    }
}

TEST_F(CreditsTest, TheRollRisesAFontHeightApartAndStartsAgainBelow) {
    rowsOf("One\n#Two#\n");
    credits.wynik = "NONE";
    credits.prepare();
    credits.y = 100;
    ClearRecordedDraws();
    credits._drawCredits();
    SetImageFont(credits.font1);
    const float second = 100 + float(TextHeight("One")) + 2;
    ASSERT_EQ(textDraws("Two").size(), 2u);  // shadow and text
    EXPECT_FLOAT_EQ(textDraws("Two")[1].y, second);
    EXPECT_FLOAT_EQ(textDraws("Two")[0].y, second + 3) << "the shadow 3 px down";
    EXPECT_EQ(textDraws("Two")[1].r, 247);
    SetImageFont(credits.font2);
    const float total = float(TextHeight("One")) + 2 + float(TextHeight("Two")) + 2;
    credits.y = -total;  // the last row's bottom sits on the top edge: not yet
    credits._drawCredits();
    EXPECT_FLOAT_EQ(credits.y, -total);
    credits.y = -total - 0.5f;
    credits._drawCredits();
    EXPECT_FLOAT_EQ(credits.y, 800);
}

TEST_F(CreditsTest, AfterTheOutroTheyReturnToTheMainMenuShownBehind) {
    rowsOf("Zerkon\n");
    credits.wynik = "NONE";
    EXPECT_EQ(runWithClickAt(40), "MAIN-MENU");
    EXPECT_FLOAT_EQ(credits.alpha, 0);
    // Faded in over 20 frames, out over 20 after the click.
    EXPECT_GE(HarnessFrameNumber(), 58);
    EXPECT_LE(HarnessFrameNumber(), 63);
}

TEST_F(CreditsTest, FromTheOptionsScreenTheyReturnNothingAndKeysEndThem) {
    rowsOf("Zerkon\n");
    for (const char* key : {"ENTER", "SPACE", "ESCAPE"}) {
        SCOPED_TRACE(key);
        credits.wynik = "";
        ResetHarness();
        HarnessStart({cmd(10, "key", {key})}, 2000);
        settleDelta();
        EXPECT_EQ(credits.mainLoop(), "");
        EXPECT_LT(HarnessFrameNumber(), 40) << "a key during the fade-in turns it back at once";
    }
}

TEST_F(CreditsTest, TheRouterAndTheOptionsButtonRunThem) {
    rowsOf("Zerkon\n");
    control::reset();
    installStoryScreens();
    credits.wynik = "NONE";
    ResetHarness();
    HarnessStart(clickAt(30, 512, 384), 2000);
    settleDelta();
    control::where = "CREDITS";
    control::runPass();
    EXPECT_EQ(control::where, "MAIN-MENU");
    // A start that did not come from the outro still finds its way back.
    credits.wynik = "";
    ResetHarness();
    HarnessStart(clickAt(30, 512, 384), 2000);
    control::where = "CREDITS";
    control::runPass();
    EXPECT_EQ(control::where, "MAIN-MENU");
    // The options screen's button runs them over itself with an empty result.
    credits.wynik = "NONE";
    ResetHarness();
    HarnessStart(clickAt(30, 512, 384), 2000);
    options.goCREDITS();
    EXPECT_EQ(credits.wynik, "");
    control::reset();
    resetOptionsScreen();
}

class EndingTest : public StoryTest {
protected:
    void SetUp() override {
        StoryTest::SetUp();
        openDisplay();
    }
};

TEST_F(EndingTest, AClickFadesToBlackAndThePlayerStartsAgain) {
    auto p = makeProfile();
    p->flowSequence = 45;
    p->numerStageu = 10;
    p->numerLevelu = 3;
    p->score = 900;
    addRecord(*p, 3, 10, 1);
    // A click and Escape made before the screen opened do not count.
    InjectMouseButton(1, true);
    InjectKey(KEY_ESCAPE, true);
    ResetHarness();
    HarnessStart(clickAt(60, 300, 300), 2000);
    settleDelta();
    control::reset();
    installStoryScreens();
    control::where = "END-OF-LEVELS";
    control::runPass();
    EXPECT_EQ(control::where, "MAIN-MENU");
    EXPECT_GE(HarnessFrameNumber(), 79) << "20 frames of fade after the click at 60";
    EXPECT_EQ(p->flowSequence, 0);
    EXPECT_EQ(p->numerStageu, 1);
    EXPECT_EQ(p->numerLevelu, 1);
    EXPECT_EQ(p->score, 0);
    EXPECT_TRUE(p->levele.empty());
    control::reset();
}

TEST_F(EndingTest, TheLineIsDrawnAndAClickInTheFadeInTurnsItBack) {
    makeProfile();
    ResetHarness();
    HarnessStart(clickAt(5, 300, 300), 2000);
    settleDelta();
    endingScreen.prepare();
    int frames = 0;
    bool lineSeen = false;
    while (endingScreen.frame()) {
        ++frames;
        for (const auto& d : RecordedDraws())
            if (d.kind == DrawCall::Text && d.what == "End of Levels! Start new game!" && d.x == 50 && d.y == 200)
                lineSeen = true;
        ClearRecordedDraws();
    }
    EXPECT_TRUE(lineSeen);
    EXPECT_LT(frames, 20) << "back to black from where the fade-in stood";
}

TEST_F(EndingTest, WithoutAPlayerItGoesToTheMenuWithANotice) {
    profileManager.profile = nullptr;
    ResetHarness();
    HarnessStart({}, 50);
    EXPECT_EQ(endingScreen.mainloop(), "MAIN-MENU");
    EXPECT_EQ(HarnessFrameNumber(), 0) << "no frame drawn";
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].find("no current player"), std::string::npos);
}

}  // namespace
}  // namespace storytest
