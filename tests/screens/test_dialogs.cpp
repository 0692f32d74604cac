// The story dialogues: reading "data/dialogs.dat" (line values, portraits, bad records), the
// layout of a dialogue's block, the lines' timed reveal, and the dialogue box over a game
// screen: a click reveals, the next closes, and the profile's moment picks the dialogue.
#include "menus_fixture.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "gui/data/qcmfile.h"
#include "gui/data/txtfile.h"
#include "screens/dialogs/dialog_box.h"

namespace menutest {
namespace {

// A game screen beneath the box: counts its draws.
class GameScreen : public TEkran {
public:
    int draws = 0;
    int draw() override {
        ++draws;
        return 0;
    }
};

class DialogsTest : public MenusTest {
protected:
    void SetUp() override {
        MenusTest::SetUp();
        SetEndHandler([](int code) { throw code; });
        resetDialogBox();
        writePng("gfx/story/a.png", 150, 150);
        writePng("gfx/story/b.png", 150, 150);
        writePng("gfx/gui/story/panel.png", 640, 330);
        writePng("gfx/gui/story/kolko.png", 180, 180);
        write("txt/en/dialogBox.txt", "Click to continue\n");
        write("txt/en/dialogs.txt", "First line.\nSecond line.\nThird line.\n");
    }
    void TearDown() override {
        SetEndHandler(nullptr);
        resetDialogBox();
        MenusTest::TearDown();
    }
    // One dialogue group: id, moment, stage, level, portraits and line values.
    static std::string dialogue(int k, int id, const std::string& when, int stage, int level,
                                std::vector<std::string> imgs, std::vector<std::string> lines) {
        std::string g = "\ttext" + std::to_string(k) + " {\n\t\tid = " + std::to_string(id) +
                        "\n\t\tatBeginOrEnd = \"" + when + "\"\n\t\tstageN = " + std::to_string(stage) +
                        "\n\t\tlevelN = " + std::to_string(level) + "\n\t\timgI = " + std::to_string(imgs.size()) + "\n";
        for (size_t j = 0; j < imgs.size(); ++j) g += "\t\timg" + std::to_string(j + 1) + " = \"" + imgs[j] + "\"\n";
        g += "\t\ti = " + std::to_string(lines.size()) + "\n";
        for (size_t m = 0; m < lines.size(); ++m) g += "\t\ttxt" + std::to_string(m + 1) + " = \"" + lines[m] + "\"\n";
        return g + "\t}\n";
    }
    void writeDialogs(int count, const std::string& groups) {
        write("data/dialogs.dat", "dialogs {\n\ti = " + std::to_string(count) + "\n" + groups + "}\n");
    }
    // The box set up over the scratch tree, with a font of fixed metrics (10 px a character,
    // 20 px a line, so a row is 21 px with the spacing).
    void setUpBox() {
        dialogBox.setup();
        TDialogText::font = CreateFixedFont(10, 20);
    }
    // What the console got since the capture began.
    void capture() { ::testing::internal::CaptureStdout(); }
    void endCapture() { printed = ::testing::internal::GetCapturedStdout(); }
    bool printedWith(const std::string& part) const { return printed.find(part) != std::string::npos; }
    std::string printed;
    GameScreen game;
};

TEST_F(DialogsTest, LineValuesReadSixFieldsWithEveryFaultReadAsZero) {
    struct Case {
        const char* value;
        TDialogLineFields want;
        bool reported;
    } cases[] = {
        {"2 500 1 10 20 30", {2, 500, 1, 10, 20, 30}, false},
        // Two blanks make an empty field: everything after moves one place on (and the
        // delay, now in the speaker's place, is kept in the two slots).
        {"2  500 1 10 20 30", {2, 0, 1, 1, 10, 20}, true},
        {"2 soon 0 x 20 30", {2, 0, 0, 0, 20, 30}, false},
        // Too few fields: the missing ones are 0, not read past the end.
        {"3 100", {3, 100, 0, 0, 0, 0}, true},
        {"", {0, 0, 0, 0, 0, 0}, true},
        // A speaker outside the two slots is kept in them.
        {"1 0 7 1 2 3", {1, 0, 1, 1, 2, 3}, true},
        {"1 0 -2 1 2 3", {1, 0, 0, 1, 2, 3}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        capture();
        const auto f = parseDialogLine(c.value, "text1::txt1");
        endCapture();
        EXPECT_EQ(f.txt, c.want.txt);
        EXPECT_EQ(f.time, c.want.time);
        EXPECT_EQ(f.who, c.want.who);
        EXPECT_EQ(f.r, c.want.r);
        EXPECT_EQ(f.g, c.want.g);
        EXPECT_EQ(f.b, c.want.b);
        EXPECT_EQ(!printed.empty(), c.reported);
    }
}

TEST_F(DialogsTest, TheFileIsReadInOrderWithItsPortraitsAndBadRecordsReported) {
    writeDialogs(5, dialogue(1, 4, "BEGIN", 1, 3, {"gfx/story/a.png", "gfx/story/b.png"},
                             {"1 500 0 247 222 113", "2 1500 1 255 255 255", "9 0 0 1 1 1"}) +
                        // Three portraits for two slots; the second names no picture.
                        dialogue(2, 5, "END", 2, 1, {"gfx/story/a.png", "gfx/story/none.png", "gfx/story/b.png"},
                                 {"3 0 1 1 2 3"}));
    capture();
    setUpBox();
    endCapture();
    ASSERT_EQ(dialogBox.dialogTexts.size(), 2u);
    const auto& d = *dialogBox.dialogTexts[0];
    EXPECT_EQ(d.id, 4);
    EXPECT_EQ(d.atBeginOrEnd, "BEGIN");
    EXPECT_EQ(d.stageN, 1);
    EXPECT_EQ(d.levelN, 3);
    ASSERT_EQ(d.lines.size(), 3u);
    EXPECT_EQ(d.lines[0]->txt, "First line.");
    EXPECT_EQ(d.lines[1]->time, 1500);
    EXPECT_EQ(d.lines[1]->who, 1);
    EXPECT_EQ(d.lines[0]->rgb.g, 222);
    EXPECT_EQ(d.lines[2]->txt, "(BEYOND TEXT ARRAY LENGTH!)");
    EXPECT_TRUE(d.image[0]);
    EXPECT_TRUE(d.image[1]);
    const auto& e = *dialogBox.dialogTexts[1];
    EXPECT_TRUE(e.image[0]);
    EXPECT_FALSE(e.image[1]);
    EXPECT_TRUE(printedWith("3 portraits"));
    EXPECT_TRUE(printedWith("none.png"));
    EXPECT_EQ(dialogBox.getDialogText(5).get(), &e);
    EXPECT_FALSE(dialogBox.getDialogText(6));
    EXPECT_EQ(dialogBox.x, 262);
    EXPECT_EQ(dialogBox.w, 500);
    EXPECT_EQ(dialogBox.txtClickToContinue, "Click to continue");
}

TEST_F(DialogsTest, ACountAboveTheGroupsReadsOnlyThoseAndAMissingFileNone) {
    writeDialogs(40, dialogue(1, 1, "BEGIN", 1, 1, {}, {"1 0 0 1 1 1"}));
    setUpBox();
    EXPECT_EQ(dialogBox.dialogTexts.size(), 1u);
    resetDialogBox();
    std::filesystem::remove(dir / "data/dialogs.dat");
    setUpBox();
    EXPECT_TRUE(dialogBox.dialogTexts.empty());
}

TEST_F(DialogsTest, TheBlockWrapsEachLineInTheColumnAndSitsCentredOnRow384) {
    openDisplay();
    // Ten words of 90 px: four to a 480 px row, so three rows; then one row; then an empty
    // line, which still takes a row.
    std::string longLine;
    for (int i = 0; i < 10; ++i) longLine += std::string(i ? " " : "") + "abcdefghi";
    write("txt/en/dialogs.txt", longLine + "\nshort\n\n");
    writeDialogs(1, dialogue(1, 1, "BEGIN", 1, 1, {"gfx/story/a.png"}, {"1 0 0 1 1 1", "2 0 0 1 1 1", "3 0 0 1 1 1"}));
    setUpBox();
    auto& d = *dialogBox.dialogTexts[0];
    EXPECT_EQ(d.countHeight(), 3 * 21 + 10 + 21 + 10 + 21);
    EXPECT_EQ(d.w, 480);
    d.reset();
    EXPECT_EQ(d.x, 292);
    EXPECT_FLOAT_EQ(d.y, 384 - 62.5f);
    for (auto& l : d.lines) l->a = 1;
    dialogBox.alpha = 1;
    ClearRecordedDraws();
    d.draw();
    std::vector<std::pair<std::string, DrawCall>> rows;
    for (const auto& c : RecordedDraws())
        if (c.kind == DrawCall::Text) rows.push_back({c.what, c});
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0].first, "abcdefghi abcdefghi abcdefghi abcdefghi");
    EXPECT_FLOAT_EQ(rows[0].second.y, 321);
    EXPECT_FLOAT_EQ(rows[0].second.x, 292 + 240 - 195);
    EXPECT_FLOAT_EQ(rows[2].second.y, 321 + 42);
    EXPECT_EQ(rows[3].first, "short");
    EXPECT_FLOAT_EQ(rows[3].second.y, 394);
    EXPECT_FLOAT_EQ(rows[3].second.x, 292 + 240 - 25);
    EXPECT_FLOAT_EQ(rows[4].second.y, 425);
    // No line has spoken yet: no portrait.
    EXPECT_FALSE(std::any_of(RecordedDraws().begin(), RecordedDraws().end(),
                             [](const DrawCall& c) { return c.what.find("a.png") != std::string::npos; }));
}

TEST_F(DialogsTest, LinesShowAtTheirDelaysAndTheActiveLineIsTheLastInFileOrderWhoseTimeCame) {
    // The second line's time comes after the third's: once both have come, the third (last
    // in file order) stays the active one.
    writeDialogs(1, dialogue(1, 1, "BEGIN", 1, 1, {"gfx/story/a.png", "gfx/story/b.png"},
                             {"1 0 0 1 1 1", "2 1000 1 1 1 1", "3 500 0 1 1 1"}));
    setUpBox();
    auto& d = *dialogBox.dialogTexts[0];
    d.countHeight();
    d.reset();
    struct Step {
        int at;          // ms after opening
        int active;      // index of the active line, -1 none
        float dA[3];
    } steps[] = {{0, -1, {0, 0, 0}}, {1, 0, {1, 0, 0}}, {500, 0, {1, 0, 0}},
                 {501, 2, {1, 0, 1}}, {1001, 2, {1, 1, 1}}, {3000, 2, {1, 1, 1}}};
    const int32_t opened = now;
    for (const Step& s : steps) {
        SCOPED_TRACE(s.at);
        now = opened + s.at;
        d.update();
        const int active = d.actLine ? int(std::find(d.lines.begin(), d.lines.end(), d.actLine) - d.lines.begin()) : -1;
        EXPECT_EQ(active, s.active);
        for (int i = 0; i < 3; ++i) EXPECT_EQ(d.lines[size_t(i)]->dA, s.dA[i]);
    }
    // A revealed line fades in at 0.02 a frame: 50 frames from nothing.
    TDialogLine l;
    l.dA = 1;
    for (int i = 0; i < 25; ++i) l.update();
    EXPECT_NEAR(l.a, 0.5f, 1e-4);
}

TEST_F(DialogsTest, AClickRevealsEveryLineAndTheNextClosesTheBox) {
    openDisplay();
    writeDialogs(2, dialogue(1, 1, "BEGIN", 1, 1, {"gfx/story/a.png"}, {"1 0 0 1 1 1", "2 60000 0 1 1 1"}) +
                        dialogue(2, 2, "END", 1, 1, {}, {}));
    setUpBox();
    // Frame 30 reveals the waiting line, frame 60 closes, frame 70 (closing) changes nothing.
    HarnessStart(join({clickAt(30, 500, 400), clickAt(60, 500, 400), clickAt(70, 500, 400)}), 400);
    EXPECT_EQ(dialogBox.mainLoop(&game, 1), 0);
    const int frames = HarnessFrameNumber();
    // The bars take 50 frames to slide out after the closing click.
    EXPECT_GE(frames, 105);
    EXPECT_LE(frames, 115);
    EXPECT_EQ(game.draws, frames);
    EXPECT_EQ(dialogBox.state, "EXIT");
    EXPECT_EQ(dialogBox.dialogTexts[0]->lines[1]->dA, 1);

    // A dialogue without lines closes on the first click.
    HarnessStart(clickAt(10, 500, 400), 400);
    dialogBox.mainLoop(&game, 2);
    EXPECT_LE(HarnessFrameNumber(), 65);
}

TEST_F(DialogsTest, KeysDoNothingAndAnUnknownIdReturnsAtOnce) {
    openDisplay();
    writeDialogs(1, dialogue(1, 1, "BEGIN", 1, 1, {}, {"1 0 0 1 1 1"}));
    setUpBox();
    HarnessStart({}, 100);
    capture();
    EXPECT_EQ(dialogBox.mainLoop(&game, 9), 0);
    endCapture();
    EXPECT_EQ(HarnessFrameNumber(), 0);
    EXPECT_EQ(game.draws, 0);
    EXPECT_TRUE(printedWith("no dialogue has the id 9"));
    // Escape, Enter and Space leave the box open until the script runs out.
    HarnessStart({cmd(20, "key", {"ESCAPE"}), cmd(21, "key", {"ENTER"}), cmd(22, "key", {"SPACE"})}, 90);
    EXPECT_THROW(dialogBox.mainLoop(&game, 1), int);
    EXPECT_EQ(dialogBox.state, "START");
}

TEST_F(DialogsTest, TheProfilesMomentPicksTheFirstMatchingDialogueEveryTime) {
    openDisplay();
    writeDialogs(4, dialogue(1, 7, "BEGIN", 1, 3, {}, {"1 0 0 1 1 1"}) + dialogue(2, 8, "BEGIN", 1, 3, {}, {}) +
                        dialogue(3, 9, "END", 1, 3, {}, {}) + dialogue(4, 10, "BEGIN", 2, 3, {}, {}));
    setUpBox();
    installDialogBox();
    auto p = makeProfile();
    p->numerStageu = 1;
    p->numerLevelu = 3;
    EXPECT_EQ(p->checkDialog("BEGIN"), 7);
    EXPECT_EQ(p->checkDialog("END"), 9);
    EXPECT_EQ(p->checkDialog("begin"), 0);
    // Shown each time the level starts: nothing records it.
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        HarnessStart(join({clickAt(10, 500, 400), clickAt(20, 500, 400)}), 400);
        game.checkDialogs("BEGIN");
        EXPECT_GT(HarnessFrameNumber(), 20);
        EXPECT_EQ(dialogBox.dialog->id, 7);
    }
    // No dialogue for this moment: nothing runs.
    HarnessStart({}, 100);
    p->numerLevelu = 2;
    game.checkDialogs("BEGIN");
    EXPECT_EQ(HarnessFrameNumber(), 0);
}

// The shipped dialogues in the story font: each block, centred on row 384, must end above the
// gold rule at y 490 that the panel draws over the prompt (a last row reaching y 482 at most)
// and start inside the panel's board, which begins at y 272.
TEST_F(DialogsTest, EveryShippedDialogueFitsBetweenThePanelsTopAndItsRule) {
    const char* env = std::getenv("ZERKON_ASSET_TREE");
    const std::string tree = std::string(env ? env : std::string(ZERKON_BINARY_DIR) + "/assets") + "/";
    if (!std::filesystem::exists(tree + "data/dialogs.dat") || !std::filesystem::exists(tree + "gfx/fonts/storyFont.ttf"))
        GTEST_SKIP() << "no built asset tree at " << tree;
    openDisplay();
    dialogBox.x = 262;
    dialogBox.w = 500;
    auto file = loadQCMFile(tree + "data/dialogs.dat");
    auto texts = loadTxtFile(tree + "txt/#LANG#/dialogs.txt");
    const TDialogTextList shipped = readDialogs(*file, texts.get(), tree, &dialogBox);
    ASSERT_FALSE(shipped.empty());
    TDialogText::font = LoadImageFont(tree + "gfx/fonts/storyFont.ttf", 24);
    ASSERT_TRUE(TDialogText::font);
    for (const auto& d : shipped) {
        SCOPED_TRACE("dialogue " + std::to_string(d->id));
        const int h = d->countHeight();
        EXPECT_LE(384 + h / 2.0, 482);
        EXPECT_GE(384 - h / 2.0, 272);
    }
}

}  // namespace
}  // namespace menutest
