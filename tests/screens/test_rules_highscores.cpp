// The high-score table and its file, the developer's high-score screen and the rules page,
// on the headless platform with scripted input.
#include "menus_fixture.h"

#include "app/folders.h"
#include "gui/data/qcmfile.h"
#include "platform/files.h"
#include "screens/highscores/highscores.h"
#include "screens/rules/rules_screen.h"
#include "gui/text/type_style.h"

namespace {

using menutest::Behind;
using menutest::MenusTest;

class HelpScreens : public MenusTest {
protected:
    void SetUp() override {
        MenusTest::SetUp();
        resetHighscores();
        resetRulesScreen();
        SetEndHandler([](int code) { throw code; });
        std::filesystem::create_directories(dir / "user" / "Data");
        write("txt/en/highscores.txt", "Local captains\nAll captains\n");
        writePng("gfx/gui/highscores/back.jpg", 1024, 768);
        write("txt/en/Rules.txt", "How to play\nFirst paragraph.\nSecond paragraph.\nRules\nClick to go back\n");
        writePng("gfx/gui/rulesScreen/back.jpg", 1024, 768);
        writePng("gfx/gui/rulesScreen/pomoc1.png", 420, 400);
        writePng("gfx/gui/rulesScreen/pomoc2.png", 420, 380);
    }
    void TearDown() override {
        SetEndHandler(nullptr);
        resetHighscores();
        resetRulesScreen();
        MenusTest::TearDown();
    }
    std::string scoreFile() const { return (dir / "user" / "Data" / "localHighScores.dat").string(); }
    void writeScores(const std::string& text) { write("user/Data/localHighScores.dat", text); }
    static std::string rows(int count, int stored) {
        std::string s = "highScore {\n";
        if (count != 0) s += "\ti = " + std::to_string(count) + "\n";
        for (int i = 1; i <= stored; ++i)
            s += "\thigh" + std::to_string(i) + " {\n\t\tuser = \"P" + std::to_string(i) + "\"\n\t\tscore = " +
                 std::to_string(1000 - i) + "\n\t\tnumerLevelu = " + std::to_string(i) + "\n\t}\n";
        return s + "}\n";
    }
    static std::shared_ptr<TProfile> player(const std::string& name, int score, int level) {
        auto p = std::make_shared<TProfile>();
        p->name = name;
        p->score = score;
        p->numerLevelu = level;
        return p;
    }
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (const auto& r : highscores.localHighScores->list) out.push_back(r->user);
        return out;
    }
    std::vector<DrawCall> texts() const {
        std::vector<DrawCall> out;
        for (const auto& d : RecordedDraws())
            if (d.kind == DrawCall::Text) out.push_back(d);
        return out;
    }
};

// ---- table and file -------------------------------------------------------------------------

TEST_F(HelpScreens, FirstStartWritesAnEmptyTable) {
    highscores.setup();
    EXPECT_EQ(highscores.localHighScores->title, "Local captains");
    EXPECT_TRUE(highscores.localHighScores->list.empty());
    auto f = loadQCMFile(scoreFile());
    EXPECT_EQ(f->getString("highscore::i"), " 0");
    EXPECT_EQ(f->getFloat("highScore::i"), 0);
}

TEST_F(HelpScreens, TableRoundTrip) {
    highscores.setup();
    auto& tab = *highscores.localHighScores;
    tab.addNewEntry(*player("Anna", 300, 4));
    tab.addNewEntry(*player("Zo\u00eb the Bold", 500, 9));
    tab.addNewEntry(*player("Cy", 100, 2));
    ASSERT_EQ(highscores.saveHighScores(), 0);
    resetHighscores();
    highscores.setup();
    const auto& list = highscores.localHighScores->list;
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(names(), (std::vector<std::string>{"Zo\u00eb the Bold", "Anna", "Cy"}));
    EXPECT_EQ(list[0]->score, 500);
    EXPECT_EQ(list[0]->numerLevelu, 9);
    EXPECT_EQ(list[2]->score, 100);
    EXPECT_EQ(list[2]->numerLevelu, 2);
}

TEST_F(HelpScreens, FileCountsAreTrustedOnlyAsFarAsTheFileGoes) {
    struct Case {
        const char* what;
        std::string text;
        size_t rows;
    } cases[] = {
        {"count as stored", rows(3, 3), 3},
        {"no count", rows(0, 3), 0},
        {"negative count", rows(-4, 3), 0},
        {"count past the rows: empty rows", rows(5, 3), 5},
        {"corrupt count, bounded by a full table", rows(1000000000, 3), 15},
        {"more than fifteen rows stay whole", rows(20, 20), 20},
        {"huge count over twenty rows", rows(2000000000, 20), 20},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        resetHighscores();
        writeScores(c.text);
        highscores.setup();
        EXPECT_EQ(highscores.localHighScores->list.size(), c.rows);
    }
    resetHighscores();
    writeScores(rows(5, 3));
    highscores.setup();
    EXPECT_EQ(highscores.localHighScores->list[2]->user, "P3");
    EXPECT_EQ(highscores.localHighScores->list[4]->user, "");
    EXPECT_EQ(highscores.localHighScores->list[4]->score, 0);
}

TEST_F(HelpScreens, AdmissionSortsStablyAndKeepsFifteen) {
    highscores.setup();
    auto& tab = *highscores.localHighScores;
    // Empty table: any score enters; then only above the lowest.
    profileManager.profile = player("First", 0, 1);
    highscores.checkHighScores();
    ASSERT_EQ(tab.list.size(), 1u);
    profileManager.profile = player("Same", 0, 1);
    highscores.checkHighScores();
    EXPECT_EQ(tab.list.size(), 1u);
    for (int i = 1; i <= 14; ++i) {
        profileManager.profile = player("S" + std::to_string(i), i * 10, i);
        highscores.checkHighScores();
    }
    ASSERT_EQ(tab.list.size(), 15u);
    EXPECT_EQ(tab.list.front()->user, "S14");
    EXPECT_EQ(tab.list.back()->user, "First");
    // A tie enters below the rows it ties with; the lowest row leaves.
    profileManager.profile = player("Tie", 50, 7);
    highscores.checkHighScores();
    ASSERT_EQ(tab.list.size(), 15u);
    EXPECT_EQ(tab.list[9]->user, "S5");
    EXPECT_EQ(tab.list[10]->user, "Tie");
    EXPECT_EQ(tab.list.back()->user, "S1");
    // Equal to the lowest: stays out, though the score is not the worst ever.
    profileManager.profile = player("Equal", 10, 1);
    highscores.checkHighScores();
    EXPECT_EQ(tab.list.back()->user, "S1");
    EXPECT_EQ(tab.getLowestScoreData()->user, "S1");
    EXPECT_EQ(TScoreTab::sortScores(*tab.list[0], *tab.list[1]), 10);
}

TEST_F(HelpScreens, AFailedWriteIsReportedAndTheOldFileStays) {
    writeScores(rows(2, 2));
    highscores.setup();
    const auto before = files::loadText(scoreFile());
    highscores.localHighScores->addNewEntry(*player("New", 5000, 3));
    files::failNextSaveBeforeRename();
    EXPECT_EQ(highscores.saveHighScores(), -1);
    EXPECT_EQ(files::loadText(scoreFile()), before);
    // The game goes on, and the next save writes the new table.
    EXPECT_EQ(saveGameDatas(), 0);
    gameDataSavers().highScores = [] { highscores.saveHighScores(); };
    saveGameDatas();
    EXPECT_EQ(readScoreRows(*loadQCMFile(scoreFile())).size(), 3u);
}

// ---- high-score screen ----------------------------------------------------------------------

TEST_F(HelpScreens, ScreenFadesInAndClosesOnEscEnterOrClick) {
    openDisplay();
    writeScores(rows(3, 3));
    highscores.setup();
    struct Case {
        const char* what;
        std::vector<ScriptCommand> script;
    } cases[] = {
        {"left click", clickAt(5, 600, 600)},
        {"Escape", {cmd(5, "key", {"ESCAPE"})}},
        {"Enter", {cmd(5, "key", {"ENTER"})}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ResetHarness();
        ResetInputState();
        settleDelta();  // the frame clock went back with the harness
        Behind behind;
        HarnessStart(c.script, 400);
        highscores.aktHighscore = nullptr;
        EXPECT_EQ(highscores.mainLoop(&behind), 0);
        EXPECT_EQ(highscores.alpha, 0);
        // Closed during the fade-in: it turned back at once and never reached full opacity.
        EXPECT_LT(HarnessFrameNumber(), 20);
        EXPECT_EQ(behind.draws, HarnessFrameNumber());
        EXPECT_EQ(highscores.aktHighscore, highscores.localHighScores);
    }
}

TEST_F(HelpScreens, ScreenDrawsHeadingAndRows) {
    openDisplay();
    writeScores(rows(3, 3));
    highscores.setup();
    highscores.prepare(nullptr);
    highscores.alpha = 1;
    highscores.aktHighscore->alpha = 1;
    ClearRecordedDraws();
    highscores.draw();
    auto t = texts();
    // Heading, ranks and level numbers in gold, names in the body colour, each over an ink
    // shadow and rim; the heading centred on x 511.
    SetImageFont(highscores.titleFont);
    const float headingX = float(511 - TextWidth("Local captains") / 2);
    std::vector<DrawCall> filled;
    for (const auto& d : t)
        if (!(d.r == typestyle::kInk.r && d.g == typestyle::kInk.g && d.b == typestyle::kInk.b))
            filled.push_back(d);
    ASSERT_EQ(filled.size(), 1u + 3 * 3);
    EXPECT_EQ(filled.size() * 6, t.size());
    EXPECT_EQ(filled[0].what, "Local captains");
    EXPECT_EQ(filled[0].x, headingX);
    EXPECT_EQ(filled[0].y, 10);
    EXPECT_EQ(filled[0].g, typestyle::kGold.g);
    const char* expected[][3] = {{"1", "1", "P1"}, {"2", "2", "P2"}, {"3", "3", "P3"}};
    for (int k = 0; k < 3; ++k) {
        for (int col = 0; col < 3; ++col) {
            const auto& d = filled[size_t(1 + k * 3 + col)];
            EXPECT_EQ(d.what, expected[k][col]);
            EXPECT_EQ(d.x, 50 + 50 * col);
            EXPECT_EQ(d.y, 60 + 30 * k);
            EXPECT_EQ(d.g, col == 2 ? typestyle::kBody.g : typestyle::kGold.g);
        }
    }
    // The back is drawn first, at the corner.
    ASSERT_FALSE(RecordedDraws().empty());
    EXPECT_NE(RecordedDraws()[0].what.find("highscores/back.jpg"), std::string::npos);

    // Reopened: the table fades in from nothing again.
    highscores.prepare(nullptr);
    EXPECT_EQ(highscores.aktHighscore->alpha, 0);
    EXPECT_EQ(highscores.alpha, 0);
}

// ---- rules page -----------------------------------------------------------------------------

TEST_F(HelpScreens, RulesPageLinesPicturesAndCaptions) {
    openDisplay();
    rulesScreen.setup();
    Behind behind;
    rulesScreen.prepare(&behind);
    rulesScreen.alpha = 1;
    ClearRecordedDraws();
    rulesScreen.draw();
    EXPECT_EQ(behind.draws, 1);
    // The text in its fill colour (the title's ink shadow and rim left out).
    std::vector<DrawCall> t;
    for (const auto& d : texts())
        if (!(d.r == typestyle::kInk.r && d.g == typestyle::kInk.g && d.b == typestyle::kInk.b)) t.push_back(d);
    std::vector<std::string> shown;
    for (const auto& d : t) shown.push_back(d.what);
    // Line 4 is not drawn; line 5 is the caption of both columns.
    EXPECT_EQ(shown, (std::vector<std::string>{"How to play", "First paragraph.", "Second paragraph.",
                                               "Click to go back", "Click to go back"}));
    EXPECT_EQ(t[0].r, typestyle::kGold.r);
    EXPECT_EQ(t[1].x, 50);
    EXPECT_EQ(t[1].y, 100);
    EXPECT_EQ(t[2].x, 550);
    EXPECT_EQ(t[2].y, 500);
    EXPECT_EQ(t[1].r, typestyle::kInkText.r);
    SetImageFont(rulesScreen.txtFont1);
    EXPECT_EQ(t[3].x, float(280 - TextWidth("Click to go back") / 2));
    EXPECT_EQ(t[4].x, float(775 - TextWidth("Click to go back") / 2));
    EXPECT_EQ(t[3].y, 690);
    std::vector<std::pair<float, float>> pictures;
    for (const auto& d : RecordedDraws())
        if (d.kind == DrawCall::Image) pictures.push_back({d.x, d.y});
    EXPECT_EQ(pictures, (std::vector<std::pair<float, float>>{{0, 0}, {70, 250}, {560, 100}}));
}

TEST_F(HelpScreens, ShortRulesTextLeavesTheMissingPartsBlank) {
    openDisplay();
    write("txt/en/Rules.txt", "Only a title\nAnd one paragraph\n");
    rulesScreen.setup();
    rulesScreen.prepare(nullptr);
    rulesScreen.alpha = 1;
    ClearRecordedDraws();
    rulesScreen.draw();
    for (const auto& d : texts()) EXPECT_TRUE(d.what == "Only a title" || d.what == "And one paragraph" ||
                                              d.what.empty()) << d.what;
    write("txt/en/Rules.txt", "");
    rulesScreen.setup();
    ClearRecordedDraws();
    rulesScreen.draw();  // nothing to read, nothing past the end
}

TEST_F(HelpScreens, RulesPageClosesOnAClickAndStartsAgainTransparent) {
    openDisplay();
    rulesScreen.setup();
    for (int frame : {4, 40}) {
        SCOPED_TRACE(frame);
        ResetHarness();
        ResetInputState();
        settleDelta();
        Behind behind;
        HarnessStart(clickAt(frame, 500, 400), 400);
        EXPECT_EQ(rulesScreen.mainloop(&behind), 0);
        EXPECT_EQ(rulesScreen.alpha, 0);
        EXPECT_EQ(behind.draws, HarnessFrameNumber());
        // A click during the fade-in reverses it before it is complete.
        if (frame == 4) EXPECT_LT(HarnessFrameNumber(), 20);
        else EXPECT_GT(HarnessFrameNumber(), 40);
    }
}

}  // namespace
