// The name entry: what may be typed, the duplicate notice, rename and cancel, and that
// the keys typed into it are its own (none left over for the screen beneath).
#include "panels_fixture.h"

#include "screens/highscores/highscores.h"

namespace paneltest {
namespace {

const std::pair<int, int> kOk{430, 460}, kCancel{594, 460};

TEST_F(PanelsTest, NameEntryTakesLettersAndDigitsUpToTwentyInUpperCase) {
    addPlayer("Anna", true);
    struct Case {
        const char* what;
        std::string start;
        std::vector<ScriptCommand> script;
        std::string result;
    } cases[] = {
        {"letters and digits, shown upper case", "", {type(25, "Jack7"), key(40, "ENTER")}, "JACK7"},
        {"space, punctuation and other letters ignored", "",
         {type(25, "a b-c!\xC3\xA9_d.9"), key(50, "ENTER")}, "ABCD9"},
        {"no more than twenty typed", "", {type(25, "abcdefghijklmnopqrstuvwxyz"), key(60, "ENTER")},
         "ABCDEFGHIJKLMNOPQRST"},
        {"a longer prefilled name is kept, Backspace still shortens it", "abcdefghijklmnopqrstuvw",
         {type(25, "X"), key(30, "BACKSPACE"), key(40, "ENTER")}, "ABCDEFGHIJKLMNOPQRSTUV"},
        {"Backspace on an empty entry, then Enter on it, do nothing", "",
         {key(25, "BACKSPACE"), key(30, "ENTER"), type(35, "z"), key(40, "ENTER")}, "Z"},
        {"the ok button", "Bo", clickAt(30, kOk.first, kOk.second), "BO"},
        {"cancel by Escape", "Bo", {type(25, "b"), key(30, "ESCAPE")}, ""},
        {"cancel by its button", "Bo", clickAt(30, kCancel.first, kCancel.second), ""},
        {"keys typed while fading in wait for the open panel", "", {type(2, "Ye"), key(3, "ENTER")}, "YE"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ResetHarness();
        ResetInputState();
        HarnessStart(c.script, 300);
        EXPECT_EQ(enterName.mainLoop(&beneath, "Your name?", 0, c.start), c.result);
        EXPECT_FLOAT_EQ(enterName.alpha, 0);
    }
}

// A real key gives both a press of the key and its character; the entry reads the
// characters, and the presses must not outlive it.
TEST_F(PanelsTest, NameEntryLeavesNoKeyPressBehind) {
    addPlayer("Anna", true);
    struct Case {
        const char* what;
        std::vector<ScriptCommand> script;
        std::string result;
    } cases[] = {
        {"confirmed by Enter", {key(25, "H"), type(25, "h"), key(26, "SPACE"), key(30, "ENTER")}, "H"},
        {"cancelled by Escape", {key(25, "H"), type(25, "h"), key(30, "ESCAPE")}, ""},
        {"keys pressed while it fades out", {type(25, "h"), key(30, "ENTER"), key(35, "H"), type(35, "h")}, "H"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ResetHarness();
        ResetInputState();
        HarnessStart(c.script, 300);
        EXPECT_EQ(enterName.mainLoop(&beneath, "Your name?", 1, ""), c.result);
        for (int k : {int(KEY_ENTER), int(KEY_ESCAPE), int('H'), int(KEY_SPACE)}) EXPECT_EQ(KeyHit(k), 0) << k;
        EXPECT_EQ(GetChar(), 0);
    }
}

// A question answered by a key leaves that key's character queued; the entry opened next
// (a rename or a new player on the profile screen) once took it as its own Escape or Enter.
TEST_F(PanelsTest, NameEntryTakesOnlyWhatIsTypedIntoIt) {
    addPlayer("Anna", true);
    struct Case {
        const char* what;
        const char* answer;
        int32_t said;
    } cases[] = {
        {"a question answered no by Escape", "ESCAPE", 0},
        {"a question answered yes by Enter", "ENTER", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ResetHarness();
        ResetInputState();
        HarnessStart({key(3, c.answer)}, 100);
        EXPECT_EQ(yesOrNo("Sure?", &beneath), c.said);
        ResetHarness();
        HarnessStart({type(30, "x"), key(40, "ENTER")}, 300);
        EXPECT_EQ(enterName.mainLoop(&beneath, "Your name?", 0, "Bo"), "BOX");
    }
}

// The developer's key on the title screen right after the very first name: the Enter that
// confirmed the name once closed the high-score table in its first frame.
TEST_F(PanelsTest, AfterTheFirstNameTheDeveloperKeyOpensTheHighScores) {
    write("txt/en/mainMenu.txt", "Ahoy, \n!\nWelcome aboard\n");
    write("txt/en/highscores.txt", "Local captains\nAll captains\n");
    writePng("gfx/gui/highscores/back.jpg", 1024, 768);
    std::filesystem::create_directories(dir / "user" / "Data");
    resetHighscores();
    highscores.setup();
    installPanels();
    cheats = 1;
    int opened = -1, closed = -1;
    menuHooks().highscores = [&](TEkran& caller) {
        opened = HarnessFrameNumber();
        highscores.mainLoop(&caller);
        closed = HarnessFrameNumber();
        mainMenu.wynik = "END";
        mainMenu.dFade = 1;
    };
    // The menu fades in for 50 frames, then the entry for 20; the name is given at 80 and
    // the entry has faded out by 110. H at 130; Escape at 170 closes the table.
    HarnessStart({type(75, "Ann"), key(80, "ENTER"), key(130, "H"), key(170, "ESCAPE")}, 600);
    EXPECT_EQ(mainMenu.mainLoop(), "END");
    ASSERT_TRUE(profileManager.profile);
    EXPECT_EQ(profileManager.profile->name, "ANN");
    EXPECT_EQ(opened, 130);
    EXPECT_GE(closed, 170);  // open until Escape, not closed by the name's Enter
    resetHighscores();
}

TEST_F(PanelsTest, NameEntryIgnoresInputWhileFadingAndTakesOneCharacterAFrame) {
    addPlayer("Anna", true);
    HarnessStart({type(2, "ab")}, 60);
    // No Enter: the frame limit ends the run.
    EXPECT_THROW(enterName.mainLoop(&beneath, "Your name?", 1, ""), int);
    // The screen beneath is drawn every frame; the panel opens after 20 frames of fading.
    const auto& seen = beneath.seen;
    ASSERT_GE(seen.size(), 25u);
    size_t firstA = 0;
    while (firstA < seen.size() && seen[firstA].empty()) ++firstA;
    EXPECT_GE(firstA, 19u);
    EXPECT_LE(firstA, 22u);
    ASSERT_LT(firstA + 1, seen.size());
    // The screen beneath is drawn before the entry shows its text upper-cased.
    EXPECT_EQ(seen[firstA], "a");
    EXPECT_EQ(seen[firstA + 1], "Ab");
}

TEST_F(PanelsTest, NameEntryButtonsFollowTheTextAndTheCurrentProfile) {
    HarnessStart({type(25, "q")}, 40);
    EXPECT_THROW(enterName.mainLoop(&beneath, "Your name?", 1, ""), int);
    // With text: ok is usable; without a current profile, cancel never is.
    EXPECT_EQ(enterName.okButton()->_a, 1);
    EXPECT_EQ(enterName.cancelButton()->_v, 1);
    EXPECT_EQ(enterName.cancelButton()->_a, 0);

    ResetHarness();
    ResetInputState();
    addPlayer("Anna", true);
    HarnessStart({}, 30);
    EXPECT_THROW(enterName.mainLoop(&beneath, "Your name?", 1, ""), int);
    EXPECT_EQ(enterName.okButton()->_a, 0);
    EXPECT_EQ(enterName.cancelButton()->_a, 1);
}

TEST_F(PanelsTest, NameEntryWithoutItsButtonsIsReportedAndStillWorksByKeys) {
    write("gfx/gui/enterName/en/enterName.gui", "");
    addPlayer("Anna", true);
    HarnessStart({type(25, "Kit"), key(30, "ENTER")}, 300);
    EXPECT_EQ(enterName.mainLoop(&beneath, "Your name?", 1, ""), "KIT");
    ASSERT_EQ(notices.size(), 2u);
    EXPECT_NE(notices[0].find("ok"), std::string::npos);
    EXPECT_NE(notices[1].find("cancel"), std::string::npos);

    ResetHarness();
    ResetInputState();
    HarnessStart({key(25, "ESCAPE")}, 300);
    EXPECT_EQ(enterName.mainLoop(&beneath, "Your name?", 1, "Kit"), "");
}

TEST_F(PanelsTest, WithoutAProfileTheOnlyWayOutIsAName) {
    HarnessStart(join({{key(25, "ESCAPE")}, clickAt(30, kCancel.first, kCancel.second),
                       {type(40, "Ann"), key(50, "ENTER")}}),
                 300);
    EXPECT_EQ(enterName.mainLoop(&beneath, "Your name?", 1, ""), "ANN");
}

TEST_F(PanelsTest, ATakenNameBringsUpTheNoticeAndTheEntryStaysOpen) {
    addPlayer("Anna", true);
    addPlayer("Bob");
    // Typed at 22, Enter at 30; when the notice comes up, Enter at 40 closes it, then one
    // more character and Enter again.
    const std::vector<ScriptCommand> retry{type(22, ""), key(30, "ENTER"), key(40, "ENTER"), type(45, "2"),
                                           key(50, "ENTER")};
    struct Case {
        const char* what;
        int nowy;
        std::string start;
        std::string typed;
        std::string result;
        bool notice;
    } cases[] = {
        {"new profile, existing name in another case", 1, "", "aNNa", "ANNA2", true},
        {"new profile, free name", 1, "", "Cid", "CID", false},
        {"rename to another player's name", 0, "", "bob", "BOB2", true},
        {"rename to a free name", 0, "BOX", "", "BOX", false},
        {"rename, unchanged name comes back upper case", 0, "Anna", "", "ANNA", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ResetHarness();
        ResetInputState();
        resetPopUp();
        std::vector<ScriptCommand> script = retry;
        if (c.typed.empty())
            script = {key(30, "ENTER")};
        else
            script[0] = type(22, c.typed);
        HarnessStart(script, 300);
        EXPECT_EQ(enterName.mainLoop(&beneath, "Your name?", c.nowy, c.start), c.result);
        EXPECT_EQ(popUp.txt, c.notice ? "Taken!" : "");
    }
}

TEST_F(PanelsTest, TheProfileScreenUsesTheRealPanels) {
    addPlayer("Anna", true);
    addPlayer("Bob");
    installPanels();
    // Rename through the profile screen: first to Bob's name (refused with the notice,
    // the entry stays open), then to a free one.
    HarnessStart({type(22, "bob"), key(30, "ENTER"), key(40, "ENTER"), key(45, "BACKSPACE"),
                  key(46, "BACKSPACE"), key(47, "BACKSPACE"), type(48, "Rex"), key(60, "ENTER")},
                 300);
    auto* screen = static_cast<TEkran*>(&beneath);
    const std::string name = profileDialogs().enterName(*screen, "Rename", 0, "");
    EXPECT_EQ(name, "REX");
    EXPECT_EQ(popUp.txt, "Taken!");

    ResetHarness();
    HarnessStart({key(5, "ENTER")}, 100);
    EXPECT_EQ(profileDialogs().yesOrNo("Delete?", *screen), 1);
    EXPECT_EQ(popUp.txt, "Delete?");
    ResetHarness();
    HarnessStart({key(5, "ESCAPE")}, 100);
    profileDialogs().info("Noted", *screen);
    EXPECT_EQ(popUp.txt, "Noted");
    EXPECT_EQ(popUp.noButton()->_v, 0);
}

}  // namespace
}  // namespace paneltest
