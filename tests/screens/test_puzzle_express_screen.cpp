// The block puzzle screen over the shipped levels: the gestures and their 250 ms and 100 ms
// timers, the turning inputs, a level solved by dragging and turning through the screen to
// the chest opening, the skip after 90 s, the menu, a level resumed from the profile, and
// the found-item notice.
#include <gtest/gtest.h>

#include <cmath>

#include <filesystem>
#include <unistd.h>

#include "app/app_globals.h"
#include "app/ekran.h"
#include "app/profile/profile.h"
#include "app/profile/profile_manager.h"
#include "app/profile/profile_world.h"
#include "gui/data/qcmfile.h"
#include "gui/frame/deltatime.h"
#include "gui/frame/letterbox.h"
#include "gui/frame/mouse.h"
#include "gui/globals.h"
#include "minigames/puzzle_express/pe_level_file.h"
#include "minigames/puzzle_express/pe_plan.h"
#include "platform/input.h"
#include "platform/system.h"
#include "screens/hidden_object/hidden_object.h"
#include "gui/data/txtfile.h"
#include "screens/play/play_log.h"
#include "screens/puzzle_express/pe_found.h"
#include "screens/puzzle_express/puzzle_express.h"
#include "support/reset_state.h"

namespace {

class PEScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetPlatformAndToolkit();
        resetHiddenObject();
        resetPuzzleExpress();
        tree = std::string(ZERKON_BINARY_DIR) + "/assets/";
        if (!std::filesystem::exists(tree + "data/levels/puzzleExpress/pe-01.lvl")) GTEST_SKIP() << "no built tree";
        user = std::filesystem::temp_directory_path() / ("pe_screen_" + std::to_string(getpid()));
        std::filesystem::create_directories(user);
        bDir = tree;
        lang = "en";
        myDocsFolder = user.string();
        SetClockSource([this] { return now; });
        SetNotifyHandler([this](const std::string& m) { notices.push_back(m); });
        ASSERT_TRUE(Graphics(1024, 768, 0, 60));
        SetAspectResolution(1024, 768, 3);
        mousePoint = LoadImage(tree + "gfx/point.png");
        ASSERT_TRUE(mousePoint);
        MidHandleImage(mousePoint);
        peHooks().menu = [this](TEkran&) { return menuAnswer; };
        peHooks().log = [this](int r) { logs.push_back(r); };
        peHooks().notice = [this](const std::shared_ptr<TPEObj>& o) { shown.push_back(o); };
        SetDialogService([this](const std::string& which) {
            dialogs.push_back(which);
            return 0;
        }, nullptr);
        profile = std::make_shared<TProfile>();
        profile->numerStageu = 3;
        profile->numerLevelu = 4;
        profileManager.profile = profile;
        hiddenObject.setup();
        puzzleExpress.setup();
    }
    void TearDown() override {
        profileManager.profile.reset();
        SetDialogService(nullptr, nullptr);
        resetPuzzleExpress();
        resetHiddenObject();
        peTilesList.clear();
        blocksList.clear();
        peEmptyTile = nullptr;
        mousePoint = nullptr;
        SetClockSource(nullptr);
        SetNotifyHandler(nullptr);
        std::error_code ignored;
        std::filesystem::remove_all(user, ignored);
    }
    std::shared_ptr<TPELevel> start(const std::string& name) {
        auto level = loadPuzzleExpressLevel(tree + "data/levels/puzzleExpress/" + name + ".lvl");
        puzzleExpress.setLevel(level);
        puzzleExpress.prepare();
        return level;
    }
    bool frame() {
        now += 17;
        return puzzleExpress.frame();
    }
    void frames(int n) {
        for (int i = 0; i < n; ++i) frame();
    }
    void untilPlaying() {
        for (int i = 0; i < 300 && puzzleExpress.state != "NORMAL"; ++i) frame();
        ASSERT_EQ(puzzleExpress.state, "NORMAL");
    }
    int runToEnd(int cap = 3000) {
        for (int i = 0; i < cap; ++i)
            if (!frame()) return i + 1;
        return -1;
    }
    // The centre of one of the block's cells on the screen.
    static std::pair<float, float> cellOf(const TBlock& b) {
        for (int r = 0; r < b.bd->rows; ++r)
            for (int c = 0; c < b.bd->cols; ++c)
                if (b.bd->solid(r, c)) {
                    auto d = b.getDim(r, c);
                    return {float(d->x), float(d->y)};
                }
        return {0, 0};
    }
    void press(int button = 1) {
        InjectMouseButton(button, true);
        frame();
    }
    void release(int button = 1) {
        InjectMouseButton(button, false);
        frame();
    }
    // Press and release on a block: picked and carried.
    // By value: the pick moves the block within the level's list.
    void carry(std::shared_ptr<TBlock> b) {
        auto [x, y] = cellOf(*b);

        InjectMouseMove(x, y);
        frame();
        press();
        release();
        ASSERT_EQ(puzzleExpress.clickedBlock, b);
    }
    void settle(const std::shared_ptr<TBlock>& b) {
        for (int i = 0; i < 60 && b->dir != b->dDir; ++i) frame();
    }

    std::string tree;
    std::filesystem::path user;
    int32_t now = 10000;
    std::vector<std::string> notices;
    std::vector<int> logs;
    std::vector<std::shared_ptr<TPEObj>> shown;
    std::vector<std::string> dialogs;
    std::string menuAnswer;
    std::shared_ptr<TProfile> profile;
};

TEST_F(PEScreenTest, IntroRaisesTheChestSlidesTheRailAndAsksForTheBeginDialogueOnce) {
    auto level = start("pe-01");
    EXPECT_EQ(puzzleExpress.state, "BEGIN");
    int n = 0;
    while (puzzleExpress.state == "BEGIN" && n < 200) {
        frame();
        ++n;
    }
    EXPECT_EQ(n, 50);  // 0.02 a frame
    EXPECT_FLOAT_EQ(level->y, 140);
    EXPECT_FLOAT_EQ(level->x, 250);
    EXPECT_TRUE(dialogs.empty());
    untilPlaying();
    EXPECT_FLOAT_EQ(puzzleExpress.listwaX, 950 - float(ImageWidth(puzzleExpress.listwa)));  // slid in whole
    EXPECT_EQ(dialogs, std::vector<std::string>{"BEGIN"});
    EXPECT_FLOAT_EQ(level->dAlpha, 1);
    // Nothing could be picked during the intro; the rail's blocks answer now.
    EXPECT_FALSE(puzzleExpress.clickedBlock);
    EXPECT_TRUE(notices.empty()) << notices.front();
}

TEST_F(PEScreenTest, PressPicksAtOnceAndAHoldPast250msDragsUntilTheRelease) {
    auto level = start("pe-01");
    untilPlaying();
    auto b = level->blocks[0];
    auto [x, y] = cellOf(*b);
    InjectMouseMove(x, y);
    frame();
    ASSERT_EQ(puzzleExpress.overBlock, b);
    press();
    ASSERT_EQ(puzzleExpress.clickedBlock, b);
    EXPECT_EQ(level->blocks.back(), b);  // on top of the others
    EXPECT_EQ(puzzleExpress.statPicked(), 2);  // the pick is counted by both unlinking steps
    // 14 frames of 17 ms: 238 ms, not yet a drag.
    for (int i = 0; i < 13; ++i) frame();
    EXPECT_EQ(puzzleExpress.holded, 0);
    frame();
    frame();
    EXPECT_EQ(puzzleExpress.holded, 1);
    InjectMouseMove(850, 300);  // beside the chest
    frame();
    EXPECT_FLOAT_EQ(cellOf(*b).first, 850);  // follows with the grab offset
    release();
    EXPECT_FALSE(puzzleExpress.clickedBlock);
    EXPECT_EQ(puzzleExpress.statOdlozone, 1);
    EXPECT_EQ(puzzleExpress.statWlozone, 0);
    EXPECT_EQ(b->onPlace, 0);
}

TEST_F(PEScreenTest, QuickReleaseCarriesAndTheNextPressDropsAfter100ms) {
    auto level = start("pe-01");
    untilPlaying();
    auto b = level->blocks[1];
    carry(b);
    InjectMouseMove(600, 120);
    frames(20);  // carried, however long
    ASSERT_EQ(puzzleExpress.clickedBlock, b);
    press();
    release();
    EXPECT_EQ(puzzleExpress.mouseClick, 1);
    frames(4);  // 85 ms after the press: not yet
    EXPECT_EQ(puzzleExpress.clickedBlock, b);
    frame();  // 102 ms: dropped
    EXPECT_FALSE(puzzleExpress.clickedBlock);
    EXPECT_EQ(puzzleExpress.mouseClick, 0);
    EXPECT_EQ(puzzleExpress.statOdlozone, 1);
    // A press on nothing while nothing is held picks nothing.
    InjectMouseMove(900, 120);
    frame();
    press();
    release();
    EXPECT_FALSE(puzzleExpress.clickedBlock);
}

TEST_F(PEScreenTest, SecondPressWithin100msTurnsTheCarriedBlockInsteadOfDropping) {
    auto level = start("pe-01");
    untilPlaying();
    auto b = level->blocks[0];
    const float dir = b->dDir;
    carry(b);
    press();
    release();
    press();  // 34 ms after the first
    release();
    EXPECT_EQ(puzzleExpress.clickedBlock, b);
    EXPECT_FLOAT_EQ(b->dDir, dir + 90);
    EXPECT_EQ(puzzleExpress.mouseClick, 0);
    frames(30);
    EXPECT_EQ(puzzleExpress.clickedBlock, b);  // still carried
    EXPECT_EQ(puzzleExpress.statOdlozone, 0);
}

TEST_F(PEScreenTest, TurnInputsActOnlyOnASettledHeldBlock) {
    struct Case {
        const char* name;
        std::function<void()> input;
        float turn;
    };
    const Case cases[] = {
        {"right button", [] { InjectMouseButton(2, true); }, 90},
        {"Space", [] { InjectKey(KEY_SPACE, true); }, 90},
        {"wheel towards", [] { InjectMouseWheel(-1); }, 90},
        {"wheel away", [] { InjectMouseWheel(1); }, -90},
        {"Left", [] { InjectKey(KEY_LEFT, true); }, -90},
        {"Right", [] { InjectKey(KEY_RIGHT, true); }, 90},
    };
    auto level = start("pe-02");
    untilPlaying();
    auto b = level->blocks[0];
    auto lift = [] {
        InjectMouseButton(2, false);
        InjectKey(KEY_SPACE, false);
        InjectKey(KEY_LEFT, false);
        InjectKey(KEY_RIGHT, false);
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // Nothing held: nothing turns.
        std::vector<float> before;
        for (auto& x : level->blocks) before.push_back(x->dDir);
        c.input();
        frame();
        lift();
        frame();
        for (size_t i = 0; i < level->blocks.size(); ++i) EXPECT_FLOAT_EQ(level->blocks[i]->dDir, before[i]);
        carry(b);
        const float d = b->dDir;
        c.input();
        frame();
        lift();
        EXPECT_FLOAT_EQ(b->dDir, d + c.turn);
        c.input();  // again while it still turns: ignored
        frame();
        lift();
        EXPECT_FLOAT_EQ(b->dDir, d + c.turn);
        settle(b);
        // Put it down away from the board.
        press();
        release();
        frames(8);
        ASSERT_FALSE(puzzleExpress.clickedBlock);
    }
}

TEST_F(PEScreenTest, LevelSolvedByDragAndTurnOpensTheChestOnItsObject) {
    for (const char* name : {"pe-02", "pe-03"}) {
        SCOPED_TRACE(name);
        logs.clear();
        shown.clear();
        dialogs.clear();
        profile->levele.clear();
        auto level = start(name);
        untilPlaying();
        std::vector<std::vector<int>> cover(size_t(level->rows), std::vector<int>(size_t(level->cols), 0));
        std::vector<bool> used(level->blocks.size(), false);
        std::vector<peplan::Placement> plan;
        ASSERT_TRUE(peplan::search(*level, cover, used, plan));
        const auto blocks = level->blocks;  // picks reorder the level's list
        int turns = 0;
        for (const auto& p : plan) {
            auto b = blocks[p.block];
            auto [x, y] = cellOf(*b);
            InjectMouseMove(x, y);
            frame();
            InjectMouseButton(1, true);
            frame();
            ASSERT_EQ(puzzleExpress.clickedBlock, b) << "block " << p.block + 1;
            // Turn with the right button while dragging.
            const int steps = ((int(p.dir - b->dDir) / 90) % 4 + 4) % 4;
            for (int i = 0; i < steps; ++i) {
                InjectMouseButton(2, true);
                frame();
                InjectMouseButton(2, false);
                settle(b);
                ++turns;
            }
            float px = 0, py = 0;
            b->bd->cellAt(p.r, p.c, 0, 0, p.dir, px, py);
            const TPETile* t = level->at(p.br, p.bc);
            InjectMouseMove(t->x - px + b->adX + 3, t->y - py + b->ady - 2);  // a little off
            frames(16);
            EXPECT_EQ(puzzleExpress.holded, 1);
            InjectMouseButton(1, false);
            frame();
            ASSERT_EQ(b->onPlace, 1) << "block " << p.block + 1;
        }
        EXPECT_GT(turns, 0);
        EXPECT_EQ(puzzleExpress.statWlozone, int(plan.size()));
        EXPECT_EQ(puzzleExpress.state, "WIN-1");
        EXPECT_EQ(logs, std::vector<int>{1});
        ASSERT_EQ(profile->levele.size(), 1u);
        EXPECT_EQ(profile->levele[0]->numerLevelu, 4);
        EXPECT_EQ(profile->levele[0]->passed, 1);
        // The field fades (100 frames), the lid flies, the object grows, then the fade.
        for (int i = 0; i < 400 && puzzleExpress.state != "WIN-3"; ++i) frame();
        EXPECT_EQ(puzzleExpress.state, "WIN-3");
        EXPECT_FLOAT_EQ(level->alpha, 0);
        EXPECT_TRUE(shown.empty());
        EXPECT_GT(runToEnd(), 0);
        EXPECT_EQ(puzzleExpress.wynik, "GET-NEXT-LEVEL");
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0], level->PEObj);
        EXPECT_FALSE(level->PEObj->opis.empty());
        EXPECT_EQ(dialogs, (std::vector<std::string>{"BEGIN", "END"}));
        EXPECT_EQ(logs, std::vector<int>{1});  // once, though the fade took more frames
        TPlayLog rec;
        givePuzzleExpressLog(rec);
        EXPECT_EQ(rec.wlozenia, int(plan.size()));
        EXPECT_EQ(rec.podniesienia, 2 * int(plan.size()));
        EXPECT_EQ(rec.skipPuzzle, 0);
        EXPECT_GT(rec.time, 0);
    }
}

TEST_F(PEScreenTest, SkipLightsAfter90sInPlayAndWinsTheLevelInFull) {
    auto level = start("pe-03");
    const int32_t began = now;
    untilPlaying();
    InjectMouseMove(980, 20);
    press();
    release();
    EXPECT_EQ(puzzleExpress.state, "NORMAL");  // not charged
    now = began + 89970;
    frame();
    EXPECT_FLOAT_EQ(puzzleExpress.dSkipA, 0);
    frame();
    EXPECT_FLOAT_EQ(puzzleExpress.dSkipA, 1);
    // While a block is held, the press belongs to the block (dropped where the cursor goes).
    carry(level->blocks[0]);
    InjectMouseMove(980, 20);
    press();
    release();
    InjectMouseMove(600, 300);
    frames(8);
    EXPECT_EQ(puzzleExpress.state, "NORMAL");
    EXPECT_FALSE(puzzleExpress.clickedBlock);
    InjectMouseMove(980, 20);
    frame();
    press();
    EXPECT_EQ(puzzleExpress.state, "WIN-1");
    release();
    EXPECT_GT(runToEnd(), 0);
    EXPECT_EQ(puzzleExpress.wynik, "GET-NEXT-LEVEL");
    EXPECT_EQ(puzzleExpress.skipedPuzzle, 0);
    ASSERT_EQ(profile->levele.size(), 1u);
    EXPECT_EQ(profile->levele[0]->passed, 1);
    EXPECT_EQ(shown.size(), 1u);
    EXPECT_EQ(logs, std::vector<int>{1});
}

TEST_F(PEScreenTest, SkipStaysDarkOutsidePlay) {
    start("pe-01");
    now += 100000;
    InjectMouseMove(980, 20);
    frame();
    EXPECT_NE(puzzleExpress.state, "NORMAL");  // one long frame may end the rise
    EXPECT_FLOAT_EQ(puzzleExpress.dSkipA, 0);
    press();
    EXPECT_NE(puzzleExpress.state, "WIN-1");
}

TEST_F(PEScreenTest, MenuAnswersLeaveTheLevelEvenDuringTheWin) {
    struct Case {
        const char* answer;
        const char* place;
        std::vector<int> logs;
        bool duringWin;
    } cases[] = {{"MAIN-MENU", "MAIN-MENU", {-1}, false},
                 {"RESTART", "RESTART-LEVEL", {}, false},
                 {"MAPA", "MAPA", {-2}, false},
                 {"MAPA", "MAPA", {1, -2}, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        logs.clear();
        start("pe-01");
        untilPlaying();
        menuAnswer = "";
        puzzleExpress.goMenu();  // closed with Esc: play goes on
        EXPECT_EQ(puzzleExpress.dFade, 0);
        if (c.duringWin) puzzleExpress.WIN();
        menuAnswer = c.answer;
        puzzleExpress.goMenu();
        EXPECT_GT(runToEnd(), 0);
        EXPECT_EQ(puzzleExpress.wynik, c.place);
        EXPECT_EQ(logs, c.logs);
    }
}

TEST_F(PEScreenTest, NoBlockOfThePreviousLevelIsHeldIntoTheNext) {
    auto first = start("pe-01");
    untilPlaying();
    carry(first->blocks[0]);
    menuAnswer = "MAIN-MENU";
    puzzleExpress.goMenu();
    std::weak_ptr<TPELevel> gone = first;
    std::weak_ptr<TBlock> held = first->blocks.back();
    first.reset();
    auto next = start("pe-02");
    EXPECT_FALSE(puzzleExpress.clickedBlock);
    EXPECT_FALSE(puzzleExpress.overBlock);
    EXPECT_EQ(puzzleExpress.mouseClick, 0);
    EXPECT_EQ(puzzleExpress.statPicked(), 0);
    EXPECT_TRUE(gone.expired());
    EXPECT_TRUE(held.expired());
    untilPlaying();
    carry(next->blocks[0]);  // the first press here picks, not drops
}

TEST_F(PEScreenTest, LevelInProgressResumesFromTheProfile) {
    installPuzzleExpress();
    peHooks().menu = [this](TEkran&) { return menuAnswer; };
    peHooks().notice = nullptr;
    TLevelData entry;
    entry.numer = 4;
    entry.stageN = 3;
    entry.gameType = "PUZZLE-EXPRESS";
    entry.url = tree + "data/levels/puzzleExpress/pe-02.lvl";
    profile->gameType = "PUZZLE-EXPRESS";
    profile->name = "Anne";
    profile->id = profileIdOf("Anne");
    ASSERT_EQ(profile->setProperLevel(entry), 0);
    auto level = std::dynamic_pointer_cast<TPELevel>(profile->actLevel);
    ASSERT_TRUE(level);
    ASSERT_EQ(puzzleExpress.level, level);  // shared, never copied
    puzzleExpress.prepare();
    untilPlaying();
    // One block into the chest by the plan.
    std::vector<std::vector<int>> cover(size_t(level->rows), std::vector<int>(size_t(level->cols), 0));
    std::vector<bool> used(level->blocks.size(), false);
    std::vector<peplan::Placement> plan;
    ASSERT_TRUE(peplan::search(*level, cover, used, plan));
    const auto& p = plan[0];
    auto b = level->blocks[p.block];
    b->dir = b->dDir = p.dir;
    carry(b);
    float px = 0, py = 0;
    b->bd->cellAt(p.r, p.c, 0, 0, p.dir, px, py);
    InjectMouseMove(level->at(p.br, p.bc)->x - px + b->adX, level->at(p.br, p.bc)->y - py + b->ady);
    frame();
    press();
    release();
    frames(8);
    ASSERT_EQ(b->onPlace, 1);
    menuAnswer = "MAIN-MENU";
    puzzleExpress.goMenu();
    runToEnd();
    ASSERT_EQ(profile->save(), 0);

    resetPuzzleExpress();
    installPuzzleExpress();
    puzzleExpress.setup();
    auto back = profileWorld().loadLevel("PUZZLE-EXPRESS", profile->folder() + "/level.lvl", 0);
    auto resumed = std::dynamic_pointer_cast<TPELevel>(back);
    ASSERT_TRUE(resumed);
    auto again = std::make_shared<TProfile>();
    again->id = profile->id;
    again->gameType = "PUZZLE-EXPRESS";
    again->actLevel = resumed;
    EXPECT_EQ(again->ContinueGame(), "PUZZLE-EXPRESS");
    ASSERT_EQ(puzzleExpress.level, resumed);
    EXPECT_EQ(resumed->fieldCells(), level->fieldCells());
    int covered = 0;
    for (auto& row : resumed->tile)
        for (auto& t : row) covered += t->wskaznik ? 1 : 0;
    int cells = 0;
    for (int r = 0; r < b->bd->rows; ++r)
        for (int c = 0; c < b->bd->cols; ++c) cells += b->bd->solid(r, c) ? 1 : 0;
    EXPECT_EQ(covered, cells);
    EXPECT_EQ(resumed->time, level->time);
}

// The notice is laid over the open chest: the object it describes, grown out of the chest,
// stays clear of the parchment at every step of its growth, and the text names it.
TEST_F(PEScreenTest, NoticeNamesItsObjectAndNeverCoversIt) {
    ASSERT_EQ(TPapirus::setup(), 0);
    PEFoundScreen.setup();
    const auto names = loadTxtFile(tree + "txt/#LANG#/puzzleTexts.txt");
    for (const char* name : {"pe-01", "pe-02", "pe-03", "pe-04"}) {
        SCOPED_TRACE(name);
        auto level = start(name);
        const auto& o = *level->PEObj;
        ASSERT_TRUE(o.img);
        const std::string itemName = readTxtData(names, o.nameN);
        ASSERT_FALSE(itemName.empty());
        EXPECT_NE(o.opis.find(itemName), std::string::npos) << o.opis;

        auto& n = PEFoundScreen;
        n.behind = &puzzleExpress;
        n.prepare(level->PEObj);
        for (int i = 0; i < 400 && n.pap.per < 1; ++i) {
            now += 17;
            n.frame();
        }
        ASSERT_FLOAT_EQ(n.pap.per, 1);
        const auto& p = n.pap;
        const float right = p.x + float(ImageWidth(TPapirus::lewoGora)) +
                            float(p.width + 1) * float(ImageWidth(TPapirus::srodekGora)) +
                            float(ImageWidth(TPapirus::prawoGora));
        const float bottom = p.bottomRollY() + float(ImageHeight(TPapirus::lewoDol));
        for (int k = 0; k <= 20; ++k) {
            const float s = std::sin(float(k) / 20 * 1.5707964f);
            const float scale = o.scale + 0.4f * s, a = (o.rot + 15 * s) * 3.14159265f / 180;
            const float hw = 0.5f * scale * float(ImageWidth(o.img)), hh = 0.5f * scale * float(ImageHeight(o.img));
            const float ex = hw * std::abs(std::cos(a)) + hh * std::abs(std::sin(a));
            const float ey = hw * std::abs(std::sin(a)) + hh * std::abs(std::cos(a));
            const bool overlaps = o.x - ex < right && o.x + ex > p.x && o.y - ey < bottom && o.y + ey > p.y;
            EXPECT_FALSE(overlaps) << "growth " << s << ": object box " << o.x - ex << ", " << o.y - ey << " - "
                                   << o.x + ex << ", " << o.y + ey << "; parchment " << p.x << ", " << p.y
                                   << " - " << right << ", " << bottom;
            // Nor does it slip under the top panel.
            EXPECT_GE(o.y - ey, 48) << "growth " << s;
        }
        n.pap.per = n.pap.dPer = 0;
    }
    TPapirus::reset();
}

TEST_F(PEScreenTest, NoticeShowsTheDescriptionAndRollsUpOnlyAfterTheTextFaded) {
    EXPECT_EQ(PEFoundScreen.mainLoop(nullptr), "");
    PEFoundScreen.setup();
    auto level = start("pe-01");
    frames(3);
    auto& n = PEFoundScreen;
    n.behind = &puzzleExpress;
    n.prepare(level->PEObj);
    int i = 0;
    for (; i < 400 && n.ta == 0; ++i) {
        now += 17;
        n.frame();
    }
    ASSERT_GT(n.ta, 0);
    EXPECT_FLOAT_EQ(n.pap.per, 1);  // the text comes once the parchment is open
    // A press while the text still fades in: it fades out first, then the roll-up.
    InjectMouseButton(1, true);
    now += 17;
    n.frame();
    InjectMouseButton(1, false);
    EXPECT_EQ(n.state, "HIDE");
    EXPECT_EQ(n.pap.state, "START");
    bool rolledAfterText = true;
    bool ended = false;
    for (i = 0; i < 600; ++i) {
        now += 17;
        const bool on = n.frame();
        if (n.pap.state == "HIDE" && n.ta > 0) rolledAfterText = false;
        if (!on) {
            ended = true;
            break;
        }
    }
    EXPECT_TRUE(ended);
    EXPECT_TRUE(rolledAfterText);
    EXPECT_EQ(n.wynik, "");
}

}  // namespace

namespace {

TEST_F(PEScreenTest, SwitchedOnThePlayLogKeepsTheMoves) {
    installPuzzleExpress();  // the log's filler and the real log call
    peHooks().notice = nullptr;
    const auto old = std::filesystem::current_path();
    std::filesystem::current_path(user);
    playLogOn = 1;
    profile->name = "ANNA";
    profile->gameType = "PUZZLE-EXPRESS";
    auto level = start("pe-01");
    untilPlaying();
    carry(level->blocks[0]);
    InjectMouseMove(880, 300);
    press();
    release();
    frames(8);
    ASSERT_FALSE(puzzleExpress.clickedBlock);
    puzzleExpress.WIN();
    saveLog();
    auto f = loadQCMFile((user / "log.txt").string());
    std::filesystem::current_path(old);
    resetPlayLog();
    EXPECT_EQ(f->getString("playLog::log1::gameType", 0), "PUZZLE-EXPRESS");
    EXPECT_EQ(f->getFloat("playLog::log1::ilosc_podniesionych_klockow", 0), 2);
    EXPECT_EQ(f->getFloat("playLog::log1::ilosc_odlozonych_klockow", 0), 1);
    EXPECT_EQ(f->getFloat("playLog::log1::ilosc_wlozonych_klockow", 0), 0);
    EXPECT_EQ(f->getFloat("playLog::log1::uzyto_skip", 0), 0);
    EXPECT_GT(f->getFloat("playLog::log1::czas", 0), 0);
}

}  // namespace

namespace {

size_t firstDraw(const std::string& part) {
    const auto& d = RecordedDraws();
    for (size_t i = 0; i < d.size(); ++i)
        if (d[i].what.find(part) != std::string::npos) return i;
    return d.size();
}

TEST_F(PEScreenTest, OpeningChestDrawsTheObjectUnderTheFlyingLidWithTheFieldGone) {
    auto level = start("pe-01");
    untilPlaying();
    // Closed: the lid lies on the chest, in the title's gold like the chest itself.
    ClearRecordedDraws();
    puzzleExpress.draw();
    const size_t closed = firstDraw("chest-Cover.png");
    ASSERT_LT(closed, RecordedDraws().size());
    EXPECT_FLOAT_EQ(RecordedDraws()[closed].x, level->x);
    EXPECT_EQ(RecordedDraws()[closed].b, 113);
    EXPECT_EQ(firstDraw("compass.png"), RecordedDraws().size());
    puzzleExpress.WIN();
    for (int i = 0; i < 300 && puzzleExpress.state != "WIN-2"; ++i) frame();
    frames(60);
    ClearRecordedDraws();
    puzzleExpress.draw();
    const auto& d = RecordedDraws();
    const size_t object = firstDraw("compass.png"), lid = firstDraw("chest-Cover.png");
    ASSERT_LT(object, d.size());
    ASSERT_LT(lid, d.size());
    EXPECT_LT(object, lid);
    EXPECT_GT(d[lid].x, level->x);
    EXPECT_GT(d[lid].rotation, 0);
    EXPECT_LT(firstDraw("papier.png"), d.size());  // the rail stays
    for (const auto& c : d)
        if (c.what.find("tile") != std::string::npos) {
            EXPECT_FLOAT_EQ(c.alpha, 0) << c.what;
        }
}

}  // namespace
