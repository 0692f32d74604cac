// The tutorial over a small tip file of its own: the loader, the script runner, the erase
// test, the row possibilities, the pending tips kept in the profile, and the switches.
#include "support/reset_state.h"
#include "support/scratch_tree.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>

#include "app/app_globals.h"
#include "app/frame.h"
#include "app/profile/profile.h"
#include "app/profile/profile_file.h"
#include "app/profile/profile_manager.h"
#include "app/profile/profile_world.h"
#include "game/board/level.h"
#include "game/board/tile.h"
#include "gui/core/gui.h"
#include "gui/data/qcmfile.h"
#include "gui/frame/deltatime.h"
#include "gui/frame/mouse.h"
#include "platform/input.h"
#include "screens/hidden_object/hidden_object.h"
#include "screens/play/main_game.h"
#include "screens/puzzle_express/puzzle_express.h"
#include "screens/tutorial/arrow.h"
#include "screens/tutorial/posibility.h"
#include "screens/tutorial/tutorial.h"
#include "screens/tutorial/tutorial_tip.h"
#include "screens/win/win_screen.h"

namespace {

// The screen the tips run over.
class Over : public TEkran {
public:
    explicit Over(const std::string& name) { id = name; }
};

class Profile : public TProfile {
public:
    int save() override { return 0; }
};

const char* kTips = R"(tutorial {
	i = 5
	txtFile = "txt/#LANG#/tips.txt"
	tut1 {
		id = "first"
		title = 1
		txt = 2
		screen = "main-game"
		level = 1
		rememberMe = 1
		font = "medium"
		pos = "position 120 80"
		conds = 1
		condition1 = "FADE 0"
		actions = 6
		action1 = "SHOW-ME"
		action2 = "ARROW 500 300 90"
		action3 = "LIGHT-UP 1 2"
		action4 = "WAIT 2000"
		action5 = "HIDE-ME"
		action6 = "wait 500"
		eraseConds = 1
		eraseCondition1 = "MOUSE LEFT"
	}
	tut2 {
		id = "ANYWHERE"
		title = 3
		txt = 4
		screen = "MAIN-GAME"
		level = 0
		back = "SMALL"
		actions = 1
		action1 = "SHOW-ME"
		eraseConds = 1
		eraseCondition1 = "ROW-CLEAR 2"
	}
	tut3 {
		id = "SECOND"
		screen = "MAIN-GAME"
		level = 1
		back = "BIG"
		font = "HUGE"
		conds = 1
		condition1 = "TIP-EXECUTED FIRST"
		actions = 4
		action1 = "TURN-ON-WITH-LIGHT ALL"
		action2 = "SET-ZADANIE 9 9 UNCOVER LIGHT-DOWN"
		action3 = "TURN-ON-WITH-LIGHT 2 3"
		action4 = "SHOW-ROW-POSIBILITY 7 3_ROW 100 x 111"
	}
	tut4 {
		id = "WON"
		screen = "WIN-SCREEN"
		level = 0
		conds = 1
		condition1 = "LEVEL 1"
	}
	tut5 {
		id = "NOWHERE"
		level = 0
	}
}
)";

class TutorialTest : public ScratchTreeTest {
protected:
    void SetUp() override {
        resetPlatformAndToolkit();
        resetAppGlobals();
        openScratch("zerkon_tutorial_");
        ASSERT_TRUE(Graphics(1024, 768, 0, 60));
        delta = 1;
        write("data/tutorial.dat", kTips);
        write("txt/en/tips.txt", "Hello\nThe clues\nAnywhere\nRow two\n");
        write("gfx/gui/tutorial/en/tutorial.gui",
              "BUTTON ok\n{\n\tTYP = FSTEP_BUTTON\n\tGFX = gfx/ok.png\n\tPOSITION = \"400 400\"\n}\n");
        writePng("gfx/ok.png", 400, 40);
        for (const char* b : {"back.png", "back-medium.png", "back-large.png", "back-normal.png"})
            writePng(std::string("gfx/gui/tutorial/") + b, 300, 280);
        writePng("gfx/gui/tutorial/arrow.png", 40, 40);
        writePng("gfx/gui/tutorial/arrow2.png", 40, 40);
        level = std::make_shared<TLevel>();
        level->rows = 5;
        level->cols = 5;
        level->createTilesTab();
        setTutorialBoard([this] { return level.get(); });
        installTutorial();
        setTutorialBoard([this] { return level.get(); });
        profile = std::make_shared<Profile>();
        profileManager.profile = profile;
        tutorial.setup();
        profile->startNewGame();
        profile->numerLevelu = 1;
    }
    void TearDown() override {
        resetTutorial();
        resetPlayHooks();
        winHooks() = TWinHooks{};
        hoHooks() = THOHooks{};
        peHooks() = TPEHooks{};
        profileManager.profile = nullptr;
        ResetInputState();
        if (GraphicsOpen()) CloseGraphics();
        closeScratch();
    }
    // One frame of the screen: the press (if any) is seen by the mouse, then the tutorial.
    void frame(TEkran& screen, bool levelTips = true, int pressLeft = 0) {
        now += 17;
        mouse.leftPressed = pressLeft;
        levelTips ? _updateTutorial(screen) : _updateTutorial2(screen);
    }
    std::vector<std::string> pendingIds() const {
        std::vector<std::string> ids;
        for (const auto& t : profile->lekcjeTutoriala) ids.push_back(t->id);
        return ids;
    }
    std::shared_ptr<TTutorialTip> tip(const std::string& tipId) { return tutorial.getTipById(tipId); }
    std::string activeId() const { return tutorial.actTip ? tutorial.actTip->id : "(none)"; }

    std::shared_ptr<TLevel> level;
    std::shared_ptr<Profile> profile;
    Over game{"MAIN-GAME"};
};

TEST_F(TutorialTest, LoaderSortsTipsAndReadsEveryKey) {
    // A new game hands the loaded tips to the player and loads a fresh set for the engine.
    EXPECT_NE(profile->lekcjeTutoriala.front(), tip("FIRST"));
    ASSERT_EQ(TTutorial::tipsList.size(), 2u);
    ASSERT_EQ(TTutorial::specialTipsList.size(), 3u);
    EXPECT_EQ(pendingIds(), (std::vector<std::string>{"FIRST", "SECOND", "ANYWHERE", "WON", "NOWHERE"}));
    auto first = tip("first");
    ASSERT_TRUE(first);
    EXPECT_EQ(first->screen, "MAIN-GAME");
    EXPECT_EQ(first->title, "Hello");
    EXPECT_EQ(first->txt, "The clues");
    EXPECT_EQ(first->rememberMe, 1);
    EXPECT_EQ(first->dim->x, 120);
    EXPECT_EQ(first->dim->y, 80);
    EXPECT_EQ(first->font, tutorial.font[1]);
    EXPECT_EQ(first->back, tutorial.back[3]);
    EXPECT_EQ(first->allActions.size(), 6u);
    auto second = tip("SECOND");
    EXPECT_EQ(second->font, tutorial.font[0]);
    EXPECT_EQ(second->back, tutorial.back[2]);
    EXPECT_EQ(second->title, "(BEYOND TEXT ARRAY LENGTH!)");
    EXPECT_EQ(tip("ANYWHERE")->dim->x, 400);
    EXPECT_EQ(tip("ANYWHERE")->dim->y, 300);
    EXPECT_EQ(tip("ANYWHERE")->back, tutorial.back[0]);
    EXPECT_FALSE(tip("nothing"));
    // A fresh copy by id is another object with the same data.
    auto copy = tutorial._loadExactTip2("second");
    ASSERT_TRUE(copy);
    EXPECT_NE(copy, second);
    EXPECT_EQ(copy->allActions.size(), 4u);
}

TEST_F(TutorialTest, ScriptRunsActionsInOneFrameUpToAWait) {
    frame(game);  // starts the first tip; its first update comes with the next call
    ASSERT_EQ(activeId(), "FIRST");
    EXPECT_EQ(tutorial.actTip->dA, 0);
    frame(game);
    auto t = tutorial.actTip;
    EXPECT_EQ(t->dA, 1);
    ASSERT_EQ(t->arrows.size(), 1u);
    EXPECT_EQ(t->arrows[0]->x, 500);
    EXPECT_EQ(t->arrows[0]->rot, 90);
    EXPECT_EQ(level->at(1, 2)->dLightUpA, 1);
    ASSERT_TRUE(t->actAction);
    EXPECT_EQ((*t->actAction)[0], "WAIT");
    // The WAIT holds the script until 2000 ms have passed, then HIDE-ME runs in that frame.
    const int32_t waitEnd = t->time;
    while (now + 17 <= waitEnd) frame(game);
    EXPECT_EQ(t->dA, 1);
    frame(game);
    EXPECT_EQ(t->dA, 0);
    EXPECT_EQ((*t->actAction)[0], "wait");
}

TEST_F(TutorialTest, MousePressIsConsumedAndOnlyAnUpperCaseWaitHoldsTheTip) {
    frame(game);
    frame(game);
    auto t = tutorial.actTip;
    // A press while the WAIT is current: consumed, nothing erased.
    frame(game, true, 1);
    EXPECT_EQ(mouse.leftPressed, 0);
    EXPECT_EQ(t->erase, 0);
    EXPECT_EQ(pendingIds().front(), "FIRST");
    // Past the WAIT the script stands on "wait 500", which the erase test does not see.
    now = t->time + 1;
    frame(game);
    ASSERT_EQ((*t->actAction)[0], "wait");
    frame(game, true, 0);
    EXPECT_EQ(t->erase, 0);  // no press: the erase word does not hold
    frame(game, true, 1);
    EXPECT_EQ(mouse.leftPressed, 0);
    EXPECT_EQ(t->erase, 1);
    EXPECT_EQ(pendingIds().front(), "SECOND");
    // It fades out and lets go; then the next tip, whose condition now holds, starts.
    for (int i = 0; i < 40 && tutorial.actTip; ++i) frame(game);
    EXPECT_FALSE(tutorial.actTip);
    frame(game);
    EXPECT_EQ(activeId(), "SECOND");
}

TEST_F(TutorialTest, BoardActionsOffTheGridAreSkippedAndTheScriptGoesOn) {
    profile->lekcjeTutoriala = {tip("SECOND")};
    level->turnOffAll();
    frame(game);
    frame(game);
    auto t = tutorial.actTip;
    ASSERT_EQ(activeId(), "SECOND");
    // ALL switches every cell on and lights none; (2, 3) is lit; row 7 has no display.
    EXPECT_EQ(level->at(0, 0)->turnoff, 0);
    EXPECT_EQ(level->at(0, 0)->dLightUpA, 0);
    EXPECT_EQ(level->at(2, 3)->dLightUpA, 1);
    EXPECT_FALSE(t->actPosibility);
    EXPECT_FALSE(t->actAction && !t->actAction->empty());
    // No erase words: erased once the script stands on no WAIT.
    EXPECT_EQ(t->erase, 1);
}

TEST_F(TutorialTest, EraseWaitsForItsBoardCondition) {
    profile->lekcjeTutoriala = {tip("ANYWHERE")};
    frame(game);
    auto t = tutorial.actTip;
    ASSERT_EQ(activeId(), "ANYWHERE");
    for (int c = 0; c < 4; ++c) level->at(2, c)->broken = 1;
    for (int i = 0; i < 5; ++i) frame(game);
    EXPECT_EQ(t->erase, 0);
    level->at(2, 4)->broken = 1;
    frame(game);
    EXPECT_EQ(t->erase, 1);
    EXPECT_TRUE(profile->lekcjeTutoriala.empty());
}

TEST_F(TutorialTest, RowPossibilitiesStepThroughTheirPatterns) {
    struct Case {
        std::vector<std::string> patterns;
        int interwal;
        int framesToFinish;  // frames of 17 ms
    };
    for (const Case& c : {Case{{"11100", "01110", "00111"}, 1000, 177}, Case{{"10101"}, 100, 6}, Case{{}, 0, 1}}) {
        TPosibility p;
        p.rowOrCol = "ROW";
        p.n = 2;
        p.pos = c.patterns;
        p.interwal = c.interwal;
        p.reset();
        int frames = 0;
        do {
            now += 17;
            ++frames;
            p.draw();  // also for a pattern longer than the row or no pattern at all
        } while (!p.update() && frames < 1000);
        EXPECT_EQ(frames, c.framesToFinish) << c.patterns.size();
    }
    EXPECT_TRUE(marksCell('1'));
    EXPECT_TRUE(marksCell('9'));
    EXPECT_FALSE(marksCell('0'));
    EXPECT_FALSE(marksCell('x'));
    // Drawn on a row past the grid and with patterns longer than the row: nothing breaks.
    TPosibility far;
    far.rowOrCol = "ROW";
    far.n = 40;
    far.pos = {"1111111111"};
    EXPECT_EQ(far.draw(), 0);
}

TEST_F(TutorialTest, ADisplayThatEndsTheScriptRepeatsUntilTheTipGoes) {
    auto t = std::make_shared<TTutorialTip>();
    t->id = "ROWS";
    t->compileActions({"SHOW-ROW-POSIBILITY 1 PLAIN 100 - 11000 01100", "SHOW-ME"});
    t->compileActions({"SHOW-ROW-POSIBILITY 2 2_and_1_row 100 - 101"});
    t->reset();
    t->_updateActions(game);
    ASSERT_TRUE(t->actPosibility);
    auto firstDisplay = t->actPosibility;
    EXPECT_EQ(firstDisplay->n, 1);
    EXPECT_EQ(firstDisplay->arrowTyp, "PLAIN");
    int frames = 0;
    while (t->actPosibility == firstDisplay && frames++ < 100) {
        now += 17;
        t->_updatePosibility(game);
    }
    // The next display starts in the frame the first ends, SHOW-ME on the way.
    ASSERT_TRUE(t->actPosibility);
    EXPECT_EQ(t->actPosibility->n, 2);
    EXPECT_EQ(t->actPosibility->arrowTyp, "2_AND_1_ROW");
    EXPECT_EQ(t->dA, 1);
    auto last = t->actPosibility;
    while (t->actPosibility == last && frames++ < 200) {
        now += 17;
        t->_updatePosibility(game);
    }
    ASSERT_TRUE(t->actPosibility);
    EXPECT_EQ(t->actPosibility->n, 2);
}

TEST_F(TutorialTest, ShownTipsStayShownAfterARestartOfTheGame) {
    // The first tip shown and taken away by a click.
    frame(game);
    frame(game);
    now = tutorial.actTip->time + 1;
    frame(game);
    frame(game);
    frame(game, true, 1);
    ASSERT_EQ(pendingIds().front(), "SECOND");
    auto file = createQCMFile();
    profile->_saveProfileTutorial(*file);

    // A new start: fresh tip objects, the pending list read back from the file.
    resetTutorial();
    installTutorial();
    setTutorialBoard([this] { return level.get(); });
    tutorial.setup();
    auto again = std::make_shared<Profile>();
    again->numerLevelu = 1;
    profileManager.profile = again;
    profile = again;
    _loadProfileTutorial(*again, *file);
    EXPECT_EQ(pendingIds(), (std::vector<std::string>{"SECOND", "ANYWHERE", "WON", "NOWHERE"}));
    // The next tip over the board is the second, never the first again.
    frame(game);
    EXPECT_EQ(activeId(), "SECOND");
}

TEST_F(TutorialTest, SwitchesDecideWhichTipsMayStart) {
    Over win("WIN-SCREEN");
    // noTutorial: nothing starts anywhere.
    noTutorial = 1;
    frame(game);
    frame(game, false);
    frame(win, false);
    EXPECT_FALSE(tutorial.actTip);
    noTutorial = 0;
    // The player skipped the tutorial: the main step is off, level-0 tips still run.
    profile->tutorialOn = 0;
    frame(game);
    EXPECT_FALSE(tutorial.actTip);
    frame(win, false);
    EXPECT_EQ(activeId(), "WON");
    tutorial.actTip = nullptr;
    // The second step never starts a tip bound to a level.
    profile->tutorialOn = 1;
    profile->lekcjeTutoriala = {tip("FIRST"), tip("ANYWHERE")};
    frame(game, false);
    EXPECT_EQ(activeId(), "ANYWHERE");
    tutorial.actTip = nullptr;
    // A tip of another level does not start on this one; no profile, nothing at all.
    profile->numerLevelu = 2;
    profile->lekcjeTutoriala = {tip("FIRST")};
    frame(game);
    EXPECT_FALSE(tutorial.actTip);
    profileManager.profile = nullptr;
    EXPECT_EQ(_updateTutorial(game), 0);
    EXPECT_EQ(_drawTutorial(game), 0);
}

// Both voyages number their levels alike, so "VOYAGE" says whose board a tip is for: it
// holds in the player's voyage only, case aside, and never for a player of no known voyage
// or a word without a name.
TEST_F(TutorialTest, TheVoyageWordHoldsInItsOwnVoyageOnly) {
    struct Case {
        const char* flowType;
        const char* line;
        bool holds;
    };
    const Case cases[] = {
        {"CASUAL", "VOYAGE CASUAL", true},  {"CASUAL", "VOYAGE HARD", false}, {"HARD", "VOYAGE HARD", true},
        {"HARD", "VOYAGE CASUAL", false},   {"HARD", "voyage Hard", true},    {"casual", "VOYAGE CASUAL", true},
        {"", "VOYAGE CASUAL", false},       {"PIRATE", "VOYAGE CASUAL", false}, {"PIRATE", "VOYAGE PIRATE", true},
        {"", "VOYAGE", false},              {"", "VOYAGE ", false},           {"HARD", "VOYAGE", false},
        {"HARD", "VOYAGE  HARD", false},  // two blanks: the name is the empty word
    };
    auto t = tip("ANYWHERE");
    ASSERT_TRUE(t);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.flowType) + " / " + c.line);
        profile->flowType = c.flowType;
        EXPECT_EQ(t->checkCondition(tutorialWords(c.line), game), c.holds ? 1 : 0);
        // The engine starts a tip of it only in that voyage.
        t->compileConditions({c.line});
        profile->lekcjeTutoriala = {t};
        tutorial.actTip = nullptr;
        frame(game, false);
        EXPECT_EQ(activeId(), c.holds ? "ANYWHERE" : "(none)");
    }
}

TEST_F(TutorialTest, OkFadesTheBoxWithoutErasingAndGuiOffHidesIt) {
    auto t = tip("ANYWHERE");
    profile->lekcjeTutoriala = {t};
    frame(game);
    frame(game);
    auto ok = TTutorialTip::gui->getItem("ok");
    ASSERT_TRUE(ok);
    EXPECT_EQ(ok->_v, 1);
    ok->_clicked = 1;
    TTutorialTip::gui->_clicked = "ok";
    t->_updateErase(game);
    EXPECT_EQ(t->dA, 0);
    EXPECT_EQ(t->erase, 0);
    t->compileActions({"GUI-OFF"});
    tutorial.startTutorial(t);
    frame(game);
    EXPECT_EQ(ok->_v, 0);
    // A layout without "ok" is reported once and the tips run without it.
    write("gfx/gui/tutorial/en/tutorial.gui", "");
    notices.clear();
    tutorial.setup();
    EXPECT_EQ(notices.size(), 1u);
    profile->lekcjeTutoriala = {tip("ANYWHERE")};
    tutorial.actTip = nullptr;
    frame(game);
    frame(game);
    EXPECT_EQ(tutorial.actTip->dA, 1);
    tutorial.actTip->draw(game);
}

TEST_F(TutorialTest, EveryGameScreenReachesTheTutorialThroughItsHooks) {
    struct Case {
        const char* screen;
        std::function<void(TEkran&)> update;
        std::function<void(TEkran&)> draw;
    };
    const Case cases[] = {
        {"WIN-SCREEN", winHooks().tutorialUpdate2, winHooks().tutorialDraw},
        {"HIDDEN-OBJECT", hoHooks().tutorialUpdate, hoHooks().tutorialDraw},
        {"LAY-PUZZLE", [](TEkran& s) { _updateTutorial(s); }, [](TEkran& s) { _drawTutorial(s); }},
        {"PUZZLE-EXPRESS", peHooks().tutorialUpdate, peHooks().tutorialDraw},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.screen);
        ASSERT_TRUE(c.update && c.draw);
        auto t = std::make_shared<TTutorialTip>();
        t->id = std::string("OVER-") + c.screen;
        t->screen = c.screen;
        t->compileActions({"SHOW-ME"});
        t->compileEraseConditions({"ROW-CLEAR 99"});  // stays up
        profile->lekcjeTutoriala = {t};
        tutorial.actTip = nullptr;
        Over screen(c.screen);
        c.update(screen);
        EXPECT_EQ(activeId(), t->id);
        c.update(screen);
        EXPECT_EQ(t->dA, 1);
        c.draw(screen);
    }
    EXPECT_TRUE(winHooks().tutorialTipActive());
    winHooks().tutorialDropTip();
    EXPECT_FALSE(tutorial.actTip);
}

// A tutorial level of three tips: a welcome, the top row, then every cell.
const char* kChain = R"(tutorial {
	i = 3
	txtFile = "txt/#LANG#/tips.txt"
	tut1 {
		id = "WELCOME"
		screen = "MAIN-GAME"
		level = 1
		rememberMe = 1
		conds = 1
		condition1 = "FADE 0"
		actions = 1
		action1 = "SHOW-ME"
		eraseConds = 1
		eraseCondition1 = "MOUSE LEFT"
	}
	tut2 {
		id = "TOP"
		screen = "MAIN-GAME"
		level = 1
		rememberMe = 1
		conds = 1
		condition1 = "TIP-EXECUTED WELCOME"
		actions = 2
		action1 = "TURN-ON-WITH-LIGHT 0 0"
		action2 = "TURN-ON 0 1"
		eraseConds = 1
		eraseCondition1 = "CLEARED 0 1"
	}
	tut3 {
		id = "REST"
		screen = "MAIN-GAME"
		level = 1
		rememberMe = 1
		conds = 1
		condition1 = "TIP-EXECUTED TOP"
		actions = 1
		action1 = "TURN-ON ALL"
		eraseConds = 1
		eraseCondition1 = "ROW-CLEAR 4"
	}
}
)";

std::string edited(std::string text, const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

class TutorialLevelTest : public TutorialTest {
protected:
    void TearDown() override {
        mainGame.levelPtr = nullptr;
        TutorialTest::TearDown();
    }
    // A new game in the voyage on this tip file, then the first tutorial step of a locked
    // 5 x 5 level 1.
    void startLevel(const std::string* tips, const std::string& voyage = "CASUAL") {
        if (tips) write("data/tutorial.dat", *tips);
        else std::filesystem::remove(dir / "data/tutorial.dat");
        resetTutorial();
        installTutorial();
        tutorial.setup();
        profile = std::make_shared<Profile>();
        profileManager.profile = profile;
        profile->startNewGame();
        profile->flowType = voyage;
        freshBoard();
    }
    void freshBoard() {
        level = std::make_shared<TLevel>();
        level->rows = level->cols = 5;
        level->createTilesTab();
        level->tutorialLevel = 1;
        level->turnOffAll();
        mainGame.levelPtr = level;
        setTutorialBoard([this] { return level.get(); });
        playHooks().tutorialUpdate(mainGame, true);
    }
    bool freed() const {
        for (const auto& t : level->tile)
            if (t->turnoff) return false;
        return true;
    }
};

TEST_F(TutorialLevelTest, ATutorialThatCannotRunFreesItsLevelAndSaysSo) {
    const std::string good = kChain;
    struct Case {
        const char* what;
        std::optional<std::string> tips;  // none: no file
        const char* cause;                // empty: the tutorial runs
    };
    const Case cases[] = {
        {"as shipped", good, ""},
        {"missing", std::nullopt, "hold no tip for it"},
        {"empty", std::string(), "hold no tip for it"},
        {"cut short", good.substr(0, good.size() / 2), "hold no tip for it"},
        {"an end off the board", edited(good, "CLEARED 0 1", "CLEARED 0 9"), "stop at the tip \"TOP\", which never ends"},
        {"an end on a locked cell", edited(good, "CLEARED 0 1", "CLEARED 3 3"), "stop at the tip \"TOP\""},
        {"an end word it does not know", edited(good, "CLEARED 0 1", "CLEAR 0 1"), "stop at the tip \"TOP\""},
        // A last tip that never ends leaves its box up, but every cell free: the level plays.
        {"a last tip that stays", edited(good, "ROW-CLEAR 4", "ROW-CLEAR 9"), ""},
        {"a start that never comes", edited(good, "FADE 0", "FADE 1"), "leave some of its cells locked"},
        {"a start word it does not know", edited(good, "TIP-EXECUTED TOP", "AFTER TOP"), "leave some of its cells locked"},
        {"a screen that is not the board's", edited(good, "\t\tid = \"REST\"\n\t\tscreen = \"MAIN-GAME\"",
                                                    "\t\tid = \"REST\"\n\t\tscreen = \"MAIN GAME\""),
         "leave some of its cells locked"},
        {"a switch of one cell for all", edited(good, "TURN-ON ALL", "TURN-ON EVERY"), "stop at the tip \"REST\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        notices.clear();
        startLevel(c.tips ? &*c.tips : nullptr);
        if (*c.cause == '\0') {
            EXPECT_FALSE(freed());
            EXPECT_EQ(profile->tutorialOn, 1);
            EXPECT_TRUE(notices.empty());
            continue;
        }
        EXPECT_TRUE(freed());
        EXPECT_EQ(profile->tutorialOn, 0);  // as after "Skip tutorial": no tip of it starts
        EXPECT_FALSE(tutorial.actTip);
        ASSERT_EQ(notices.size(), 1u);
        EXPECT_NE(notices[0].find("\"" + bDir + "data/tutorial.dat\" " + c.cause), std::string::npos) << notices[0];
        EXPECT_NE(notices[0].find("played without it"), std::string::npos) << notices[0];
    }
}

TEST_F(TutorialLevelTest, ThePlayerIsToldOnceAndARunningTutorialIsLeftAlone) {
    std::string broken = edited(kChain, "FADE 0", "FADE 1");
    startLevel(&broken);
    EXPECT_TRUE(freed());
    // Another new game on the same tips: freed again, told no more.
    profile->startNewGame();
    freshBoard();
    EXPECT_TRUE(freed());
    EXPECT_EQ(notices.size(), 1u);

    // A tutorial half-way through after a restart: its re-armed tips still carry it.
    const std::string good = kChain;
    startLevel(&good);
    for (int i = 0; i < 3 && !profile->lekcjeTutoriala.empty(); ++i)
        profile->lekcjeTutoriala.erase(profile->lekcjeTutoriala.begin());
    profile->resetTutorialForLevel();
    ASSERT_EQ(profile->lekcjeTutoriala.size(), 3u);
    notices.clear();
    freshBoard();
    EXPECT_FALSE(freed());
    EXPECT_TRUE(notices.empty());
    EXPECT_EQ(tutorialCannotRun(*level, 1, profile->flowType, profile->lekcjeTutoriala), "");
}

// A tutorial level whose first tip belongs to one voyage runs in that voyage, and the level
// is freed at once in the other, where no tip of it would ever start.
TEST_F(TutorialLevelTest, TheCheckSeesTheVoyageWord) {
    const std::string tips = edited(kChain, "conds = 1\n\t\tcondition1 = \"FADE 0\"",
                                    "conds = 2\n\t\tcondition1 = \"FADE 0\"\n\t\tcondition2 = \"VOYAGE casual\"");
    struct Case {
        const char* voyage;
        bool runs;
    };
    for (const Case& c : {Case{"CASUAL", true}, Case{"casual", true}, Case{"HARD", false}, Case{"", false}}) {
        SCOPED_TRACE(c.voyage);
        notices.clear();
        startLevel(&tips, c.voyage);
        EXPECT_EQ(freed(), !c.runs);
        EXPECT_EQ(notices.size(), c.runs ? 0u : 1u);
        level->turnOffAll();
        EXPECT_EQ(tutorialCannotRun(*level, 1, c.voyage, profile->lekcjeTutoriala),
                  c.runs ? "" : "leave some of its cells locked");
    }
}

TEST_F(TutorialLevelTest, TheShippedTutorialCarriesThePlayerThroughTheFirstLevel) {
    const std::string tree = std::string(ZERKON_BINARY_DIR) + "/assets/";
    std::ifstream in(tree + "data/tutorial.dat", std::ios::binary);
    if (!in) GTEST_SKIP() << "no built tree";
    const std::string shipped((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::ifstream texts(tree + "txt/en/tutorial.txt", std::ios::binary);
    write("txt/en/tutorial.txt", std::string((std::istreambuf_iterator<char>(texts)), std::istreambuf_iterator<char>()));
    startLevel(&shipped);
    EXPECT_FALSE(freed());
    EXPECT_TRUE(notices.empty());
    EXPECT_EQ(tutorialCannotRun(*level, 1, profile->flowType, profile->lekcjeTutoriala), "");
}

TEST(TutorialWords, CutAtSingleBlanksAndReadAsIntegers) {
    EXPECT_EQ(tutorialWords("LEVEL  3"), (TWords{"LEVEL", "", "3"}));
    EXPECT_EQ(tutorialWords("ARROW 1 2 "), (TWords{"ARROW", "1", "2"}));
    EXPECT_TRUE(tutorialWords("").empty());
    const TWords w{"X", "-12", "+7", "3px", "", "abc"};
    EXPECT_EQ(wordInt(w, 1), -12);
    EXPECT_EQ(wordInt(w, 2), 7);
    EXPECT_EQ(wordInt(w, 3), 3);
    EXPECT_EQ(wordInt(w, 4), 0);
    EXPECT_EQ(wordInt(w, 5), 0);
    EXPECT_EQ(wordInt(w, 9), 0);
}

TEST(TutorialArrow, BobsAndFadesStoppingOnItsTargets) {
    float saved = delta;
    delta = 3;
    TArrow a;
    for (int i = 0; i < 7; ++i) a.update();
    EXPECT_EQ(a.a, 1);
    EXPECT_EQ(a.p, 1);
    EXPECT_EQ(a.dP, 0);
    a.update();
    EXPECT_FLOAT_EQ(a.p, 0.85f);
    a.dA = 0;
    for (int i = 0; i < 7; ++i) a.update();
    EXPECT_EQ(a.a, 0);
    delta = saved;
}

}  // namespace
