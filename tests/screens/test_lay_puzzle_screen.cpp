// The inlay game's screen over the shipped tree: a level won with the mouse (a piece carried
// by a click, one turned with the right button, one smashed on the anvil), a level lost to a
// full shelf, a pause that moves the next piece, the skip bar, the menu, the lose screen's
// message and a level resumed from the profile.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <unistd.h>

#include "app/app_globals.h"
#include "app/profile/profile.h"
#include "app/profile/profile_manager.h"
#include "app/profile/profile_world.h"
#include "effects/list.h"
#include "effects/particles.h"
#include "gui/frame/deltatime.h"
#include "gui/frame/letterbox.h"
#include "gui/frame/mouse.h"
#include "gui/globals.h"
#include "minigames/lay_puzzle/lp_level_file.h"
#include "platform/input.h"
#include "platform/system.h"
#include "screens/hidden_object/hidden_object.h"
#include "screens/lay_puzzle/lay_puzzle.h"
#include "screens/lose/lose_screen.h"
#include "screens/play/play_log.h"
#include "support/reset_state.h"

namespace {

class LPScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetPlatformAndToolkit();
        resetLayPuzzle();
        resetHiddenObject();
        tree = std::string(ZERKON_BINARY_DIR) + "/assets/";
        if (!std::filesystem::exists(tree + "data/levels/layPuzzle/lp-01.lvl")) GTEST_SKIP() << "no built tree";
        user = std::filesystem::temp_directory_path() / ("lp_screen_" + std::to_string(getpid()));
        std::filesystem::create_directories(user);
        bDir = tree;
        lang = "en";
        myDocsFolder = user.string();
        cheats = 0;
        SetClockSource([this] { return now; });
        SetNotifyHandler([this](const std::string& m) { notices.push_back(m); });
        ASSERT_TRUE(Graphics(1024, 768, 0, 60));
        SetAspectResolution(1024, 768, 3);
        mousePoint = LoadImage(tree + "gfx/point.png");
        MidHandleImage(mousePoint);
        lpHooks().menu = [this](TEkran&) { return menuAnswer; };
        lpHooks().lose = [this](TEkran& s) {
            loseShownOver = &s;
            return loseAnswer;
        };
        lpHooks().log = [this](int r) { logs.push_back(r); };
        profile = std::make_shared<TProfile>();
        profile->numerStageu = 3;
        profile->numerLevelu = 4;
        profileManager.profile = profile;
        hiddenObject.setup();
        layPuzzle.setup();
    }
    void TearDown() override {
        profileManager.profile.reset();
        resetLayPuzzle();
        resetHiddenObject();
        layBlocksList.clear();
        fx::clear(particlesList);
        mousePoint = nullptr;
        cheats = 0;
        SetClockSource(nullptr);
        SetNotifyHandler(nullptr);
        std::error_code ignored;
        std::filesystem::remove_all(user, ignored);
    }
    std::shared_ptr<TLayLevel> start(const std::string& name) {
        auto level = loadLayPuzzleLevel(tree + "data/levels/layPuzzle/" + name + ".lvl");
        layPuzzle.setLevel(level);
        layPuzzle.prepare();
        return level;
    }
    bool frame() {
        now += 17;
        return layPuzzle.frame();
    }
    void press(int button, bool down) {
        InjectMouseButton(button, down);
        frame();
    }
    void untilPlaying() {
        for (int i = 0; i < 200 && layPuzzle.state != "NORMAL"; ++i) frame();
        ASSERT_EQ(layPuzzle.state, "NORMAL");
    }
    // Frames until a piece rests on the shelf; every piece that spawns meanwhile becomes a
    // single triangle, so it fits any free cell.
    std::shared_ptr<TLayBlock> resting(TLayLevel& l) {
        for (int i = 0; i < 2000; ++i) {
            for (auto& b : l.blocks) b->bd = getLayBlockById(1);
            for (auto& b : l.blocks)
                if (b->state == lpstate::FREE3) return b;
            frame();
        }
        return nullptr;
    }
    // A click on the piece: it rides on the mouse.
    void carry(const std::shared_ptr<TLayBlock>& b) {
        InjectMouseMove(b->x, b->y);
        press(1, true);
        press(1, false);
        ASSERT_EQ(layPuzzle.click(), b);
    }
    void dropAt(float x, float y) {
        InjectMouseMove(x, y);
        frame();
        press(1, true);
        press(1, false);
    }
    int runToEnd(int cap = 3000) {
        for (int i = 0; i < cap; ++i)
            if (!frame()) return i + 1;
        return -1;
    }

    std::string tree;
    std::filesystem::path user;
    int32_t now = 10000;
    std::vector<std::string> notices;
    std::vector<int> logs;
    std::string menuAnswer, loseAnswer = "RESTART";
    TEkran* loseShownOver = nullptr;
    std::shared_ptr<TProfile> profile;
};

TEST_F(LPScreenTest, LevelIsWonWithTheMouse) {
    auto level = start("lp-01");
    ASSERT_NE(level->PEObj->img, nullptr);
    untilPlaying();
    EXPECT_FLOAT_EQ(layPuzzle.stoneY, 100);
    EXPECT_FLOAT_EQ(level->at(0, 2)->y, level->sty);  // the board in place
    // All but two cells filled: one upright, its turned right-hand neighbour.
    TLayTile* up = nullptr;
    TLayTile* turned = nullptr;
    for (auto& row : level->tile)
        for (auto& t : row)
            if (t->stan != 0 && t->rot == 0 && !up && level->at(t->r, t->c + 1) && level->at(t->r, t->c + 1)->stan) {
                up = t.get();
                turned = level->at(t->r, t->c + 1);
            }
    ASSERT_TRUE(up && turned);
    for (auto& row : level->tile)
        for (auto& t : row)
            if (t.get() != up && t.get() != turned && t->stan != 0) t->wskaznik = getLayBlockById(2);

    // The first piece: carried by a click and let go over the upright cell.
    auto first = resting(*level);
    ASSERT_TRUE(first);
    carry(first);
    EXPECT_EQ(level->blocks.back(), first);  // the held piece is drawn last
    dropAt(up->x + 3, up->y - 2);
    EXPECT_EQ(up->wskaznik, getLayBlockById(1));
    EXPECT_EQ(first->state, "PUT");
    EXPECT_EQ(layPuzzle.statWlozone(), 1);
    EXPECT_FALSE(layPuzzle.click());

    // The second is smashed on the anvil: the hammer comes down, the piece bursts.
    auto second = resting(*level);
    ASSERT_TRUE(second);
    carry(second);
    dropAt(845, 535);
    EXPECT_EQ(second->state, "DESTROY");
    EXPECT_EQ(layPuzzle.statRozbite(), 1);
    for (int i = 0; i < 10; ++i) frame();
    EXPECT_EQ(std::count(level->blocks.begin(), level->blocks.end(), second), 0);
    EXPECT_FALSE(layPuzzle.hammer().kowadloOk());

    // The third is turned once with the right button and fills the turned cell.
    auto third = resting(*level);
    ASSERT_TRUE(third);
    carry(third);
    press(2, true);
    press(2, false);
    for (int i = 0; i < 15; ++i) frame();
    EXPECT_FLOAT_EQ(third->dir, 60);
    dropAt(turned->x, turned->y);
    EXPECT_EQ(turned->wskaznik, getLayBlockById(1));
    EXPECT_EQ(layPuzzle.state, "WIN-1");

    EXPECT_GT(runToEnd(), 0);
    EXPECT_EQ(layPuzzle.wynik, "GET-NEXT-LEVEL");
    EXPECT_GT(layPuzzle.coverX, 1000);  // the lid flew off the found object
    ASSERT_EQ(profile->levele.size(), 1u);
    EXPECT_EQ(profile->levele[0]->numerLevelu, 4);
    EXPECT_EQ(profile->levele[0]->passed, 1);
    EXPECT_EQ(logs, std::vector<int>{1});
    EXPECT_GT(level->time, 0);
    TPlayLog rec;
    giveInLayPuzzleLog(rec);
    EXPECT_EQ(rec.wlozenia, 2);
    EXPECT_EQ(rec.klockiRozbite, 1);
    EXPECT_EQ(rec.wyrzucenia, 0);
    EXPECT_GE(rec.iloscKlockowSpadnietych, 3);
    EXPECT_EQ(rec.time, level->time);
}

TEST_F(LPScreenTest, AFullShelfLosesAndTheLoseScreenAnswers) {
    struct Case {
        const char* answer;
        const char* place;
        const char* state;
    } cases[] = {{"restart", "RESTART-LEVEL", "LOSE-END"}, {"MAPA", "MAPA", "NONE"}, {"MAIN-MENU", "MAIN-MENU", "NONE"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        logs.clear();
        loseShownOver = nullptr;
        loseAnswer = c.answer;
        auto level = start("lp-03");
        level->nextBlock = 300;  // a flood nobody answers
        untilPlaying();
        int frames = 0;
        while (layPuzzle.state == "NORMAL" && frames < 20000) {
            frame();
            ++frames;
        }
        ASSERT_EQ(layPuzzle.state, "LOSE-1");
        int resting = 0;
        float last = 0;
        for (auto& b : level->blocks)
            if (b->state == lpstate::FREE3) {
                ++resting;
                last = std::max(last, b->x);
            }
        EXPECT_EQ(resting, 15);  // the fifteenth arrived at 920 and ended it
        EXPECT_FLOAT_EQ(last, 920);
        frame();  // the lose panel runs over the screen
        EXPECT_EQ(loseShownOver, &layPuzzle);
        EXPECT_EQ(layPuzzle.state, c.state);
        EXPECT_GT(runToEnd(), 0);
        EXPECT_LE(runToEnd(), 1);
        EXPECT_EQ(layPuzzle.wynik, c.place);
        EXPECT_EQ(logs, std::vector<int>{0});
        EXPECT_TRUE(profile->levele.empty());
    }
    // The real lose panel names this game's loss.
    loseScreen.setup();
    loseScreen.layPuzzle = &layPuzzle;
    loseScreen.prepare(&layPuzzle);
    EXPECT_EQ(loseScreen.txtInfo, "The inlay fell apart! The shelf was full.");
    loseScreen.prepare(&hiddenObject);
    EXPECT_EQ(loseScreen.txtInfo, "Your chest is smashed!");
}

TEST_F(LPScreenTest, APauseMovesTheNextPieceButNotTheSkipCharge) {
    auto level = start("lp-02");
    const int due = level->blockTime;
    EXPECT_EQ(due, now + level->nextBlock);
    layPuzzle.PauseMyGame();
    now += 4000;
    layPuzzle.ResumeMyGame();
    EXPECT_EQ(level->blockTime, due + 4000);
    // The whole road: the window goes to the background for a while during a frame's flip.
    untilPlaying();
    const int before = level->blockTime;
    const int skipStart = layPuzzle.skipTime;
    int reads = 100;
    InjectSuspended(true);
    SetClockSource([this, &reads] {
        if (--reads <= 0) InjectSuspended(false);
        return now += 50;
    });
    frame();
    SetClockSource([this] { return now; });
    EXPECT_FALSE(AppSuspended());
    EXPECT_GE(level->blockTime - before, 4500);  // about the 5 s the overlay was up
    EXPECT_EQ(layPuzzle.skipTime, skipStart);    // the skip charge runs on
    EXPECT_TRUE(level->blocks.empty());
}

TEST_F(LPScreenTest, SkipBarWinsAfterNinetySecondsWhereItIsDrawn) {
    auto level = start("lp-01");
    untilPlaying();
    InjectMouseMove(950, 25);
    frame();
    EXPECT_EQ(layPuzzle.dSkipA, 0);  // not charged yet
    now += 90000;
    level->blockTime = now + 100000;
    struct Case {
        int x, y;
        bool lit;
    } cases[] = {{840, 25, false}, {887, 25, false}, {888, 6, true}, {1005, 25, true}, {1012, 36, true},
                 {1013, 25, false}, {950, 37, false}};
    for (const auto& c : cases) {
        InjectMouseMove(float(c.x), float(c.y));
        frame();
        EXPECT_EQ(layPuzzle.dSkipA == 1, c.lit) << c.x << "," << c.y;
    }
    InjectMouseMove(1005, 25);
    frame();
    press(1, true);
    EXPECT_EQ(layPuzzle.state, "WIN-1");
    EXPECT_EQ(profile->levele.size(), 1u);
    // Out of play the bar does not answer.
    frame();
    EXPECT_EQ(layPuzzle.dSkipA, 0);
}

TEST_F(LPScreenTest, MenuAnswersLeaveTheLevel) {
    struct Case {
        const char* answer;
        const char* place;
        std::vector<int> logs;
    } cases[] = {{"MAIN-MENU", "MAIN-MENU", {-1}}, {"RESTART", "RESTART-LEVEL", {}}, {"MAPA", "MAPA", {-2}}};
    for (const auto& c : cases) {
        logs.clear();
        start("lp-01");
        untilPlaying();
        menuAnswer = "";
        layPuzzle.goMenu();  // closed with Esc: play goes on
        EXPECT_EQ(layPuzzle.dFade, 0);
        menuAnswer = c.answer;
        layPuzzle.goMenu();
        EXPECT_GT(runToEnd(), 0);
        EXPECT_EQ(layPuzzle.wynik, c.place);
        EXPECT_EQ(logs, c.logs);
    }
}

TEST_F(LPScreenTest, DebugMarksNeedTheDeveloperSwitch) {
    auto level = start("lp-01");
    untilPlaying();
    level->at(0, 2)->wskaznik = getLayBlockById(1);
    auto marks = [] {
        int n = 0;
        for (const auto& d : RecordedDraws()) n += d.what.find("filed-tri") != std::string::npos;
        return n;
    };
    InjectKey('D', true);
    ClearRecordedDraws();
    frame();
    EXPECT_EQ(marks(), 0);
    cheats = 1;
    ClearRecordedDraws();
    frame();
    EXPECT_GT(marks(), 0);
    InjectKey('D', false);
}

TEST_F(LPScreenTest, LevelInProgressResumesFromTheProfile) {
    installLayPuzzle();
    lpHooks().log = [](int) {};
    TLevelData entry;
    entry.numer = 4;
    entry.stageN = 3;
    entry.gameType = "LAY-PUZZLE";
    entry.url = tree + "data/levels/layPuzzle/lp-02.lvl";
    profile->gameType = "LAY-PUZZLE";
    profile->name = "Anne";
    profile->id = profileIdOf("Anne");
    ASSERT_EQ(profile->setProperLevel(entry), 0);
    auto level = std::dynamic_pointer_cast<TLayLevel>(profile->actLevel);
    ASSERT_TRUE(level);
    ASSERT_EQ(layPuzzle.level, level);  // shared, never copied
    layPuzzle.prepare();
    untilPlaying();
    auto b = resting(*level);
    ASSERT_TRUE(b);
    level->at(0, 6)->wskaznik = getLayBlockById(3);
    const int blocks = int(level->blocks.size());
    ASSERT_EQ(profile->save(), 0);

    resetLayPuzzle();
    layPuzzle.setup();
    installLayPuzzle();
    auto again = std::make_shared<TProfile>();
    again->id = profile->id;
    again->name = "Anne";
    again->gameType = "LAY-PUZZLE";
    auto resumed = std::dynamic_pointer_cast<TLayLevel>(
        profileWorld().loadLevel("LAY-PUZZLE", profile->folder() + "/level.lvl", 0));
    ASSERT_TRUE(resumed);
    again->actLevel = resumed;
    EXPECT_EQ(again->ContinueGame(), "LAY-PUZZLE");
    ASSERT_EQ(layPuzzle.level, resumed);
    EXPECT_EQ(resumed->at(0, 6)->wskaznik, getLayBlockById(3));
    EXPECT_EQ(int(resumed->blocks.size()), blocks);
    EXPECT_EQ(resumed->blocks[0]->state, "FREE");  // falls again to a fresh spot
    EXPECT_EQ(resumed->counter, level->counter);
}

}  // namespace

namespace {

TEST_F(LPScreenTest, WithoutShapesTheLevelIsLeftWithOneReport) {
    auto level = start("lp-01");
    layBlocksList.clear();
    notices.clear();
    EXPECT_GT(runToEnd(), 0);
    EXPECT_EQ(layPuzzle.wynik, "MAIN-MENU");
    EXPECT_TRUE(level->blocks.empty());
    EXPECT_EQ(notices.size(), 1u);
    EXPECT_TRUE(profile->levele.empty());
}

}  // namespace
