// The win screen over a won level: the picture copy's flight, the treasure stream and the
// counting score, the award panels in rule order, the gallery on the first award, the stage
// 1 level 4 story path, the ending, and what the run books into the profile. Headless, with
// a clock the test moves; the award panel, gallery, story and tutorial are recording hooks.
#include "support/reset_state.h"
#include "support/scratch_tree.h"
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "app/frame.h"
#include "app/profile/profile.h"
#include "app/profile/profile_manager.h"
#include "app/sound.h"
#include "effects/effects.h"
#include "effects/flying_tresure.h"
#include "effects/kamien.h"
#include "game/awards/awards.h"
#include "game/board/level.h"
#include "game/board/links.h"
#include "game/board/tile.h"
#include "game/board/tiledata.h"
#include "game/flow/level_manager.h"
#include "gui/core/gui.h"
#include "gui/frame/deltatime.h"
#include "gui/frame/mouse.h"
#include "gui/text/type_style.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/system.h"
#include "screens/play/main_game.h"
#include "screens/win/win_screen.h"

namespace {

TImage whiteImage(int w, int h) {
    Pixmap pm;
    pm.width = w;
    pm.height = h;
    pm.pixels.assign(size_t(w) * size_t(h), 0xFFFFFFFFu);
    return CreateImageFromPixmap(pm);
}

// Thresholds of the awards the tests hand out: brainiac (ids 3, 2, 1: clean levels) and
// points killer (ids 6, 5, 4: total score).
struct AwardDef {
    int id;
    int value;
};
constexpr AwardDef kAwards[] = {{1, 1}, {2, 5}, {3, 10}, {4, 1000}, {5, 5000}, {6, 10000}};

class WinScreenTest : public ScratchTreeTest {
protected:
    std::shared_ptr<TProfile> profile;
    std::shared_ptr<TLevel> level;
    std::shared_ptr<TTileData> emptyData, pictureData;
    std::shared_ptr<TTresureData> coin;
    // What the hooks saw, in order: "award:<id>", "gallery", "story", "tutorial".
    std::vector<std::string> events;
    bool tip = false;
    int frames = 0;

    void SetUp() override {
        resetPlatformAndToolkit();
        ResetLayoutState();
        resetEffects();
        resetMainGame();
        resetWinScreen();
        resetAwards();
        levelManager.clear();
        openScratch("zerkon_win_");
        ASSERT_TRUE(Graphics(1024, 768, 0, 60));
        SetAspectResolution(1024, 768, 3);
        deltaUpdate();
        delta = 1;

        profile = std::make_shared<TProfile>();
        profile->numerStageu = 2;
        profile->numerLevelu = 3;
        profile->flowType = "HARD";
        profileManager.profile = profile;
        setPlayLink(&mainGame);
        playHooks().saveGameData = [] {};
        playHooks().backgroundUrl = [](int) { return std::string(); };

        for (const auto& d : kAwards) {
            auto a = std::make_shared<TAwardRecord>();
            a->id = d.id;
            a->value = d.value;
            awardsList.push_back(a);
        }
        auto& h = winHooks();
        h.giveAward = [this](const std::shared_ptr<TAwardRecord>& a, TEkran& bg) {
            EXPECT_EQ(&bg, static_cast<TEkran*>(&winScreen));
            events.push_back("award:" + std::to_string(a->id));
            profile->awardy.push_back(a);
        };
        h.awardGallery = [this](TEkran& bg) {
            EXPECT_EQ(&bg, static_cast<TEkran*>(&winScreen));
            events.push_back("gallery");
        };
        h.storyMaps = [this](TEkran&) { events.push_back("story"); };
        h.tutorialUpdate = [this](TEkran&) { events.push_back("tutorial"); };
        h.tutorialTipActive = [this] { return tip; };
        // A tip closes on a click.
        h.tutorialUpdate2 = [this](TEkran&) {
            if (tip && mouse.leftPressed) tip = false;
        };

        TImageFont fixed = CreateFixedFont(10, 20);
        winScreen.font = winScreen.font2 = winScreen.nameFont = fixed;
        winScreen.txtLevelScore = "Level score: ";
        winScreen.txtShowStats = "Show stats";
        winScreen.txtHideStats = "Hide stats";
        winScreen.Gui = createGui();
        winScreen.Gui->LoadText(R"(BUTTON awards { TYP = SIMPLE_BUTTON POSITION = "600 660" SIZE = "60 40" })");

        emptyData = std::make_shared<TTileData>();
        emptyData->id = 0;
        emptyData->frames = 1;
        pictureData = std::make_shared<TTileData>();
        pictureData->id = 1;
        pictureData->frames = 1;
        for (int s = 0; s < kTileSizeClasses; ++s) {
            emptyData->gfx[size_t(s)] = whiteImage(50, 50);
            pictureData->gfx[size_t(s)] = whiteImage(50, 50);
        }
        coin = std::make_shared<TTresureData>();
        coin->id = 1;
        for (auto& i : coin->normalImg) i = whiteImage(20, 20);
    }

    void TearDown() override {
        setPlayLink(nullptr);
        profileManager.profile.reset();
        resetWinScreen();
        resetMainGame();
        resetEffects();
        resetAwards();
        levelManager.clear();
        ResetInputState();
        if (GraphicsOpen()) CloseGraphics();
        closeScratch();
    }

    // A won level from ASCII rows ('#' picture, '.' empty), with `treasures` on the pile.
    TLevel& build(const std::vector<std::string>& picture, int score, int treasures = 0) {
        level = std::make_shared<TLevel>();
        level->rows = int(picture.size());
        level->cols = int(picture[0].size());
        level->createTilesTab();
        for (int r = 0; r < level->rows; ++r)
            for (int c = 0; c < level->cols; ++c) {
                TTile* t = level->at(r, c);
                t->setTileData(picture[size_t(r)][size_t(c)] == '#' ? pictureData : emptyData);
                if (t->td->id != 0) t->odkryty = 1;
            }
        level->createNumbers();
        mainGame.setLevel(level);
        level->score = score;
        mainGame.setState("WIN");
        for (int i = 0; i < treasures; ++i) {
            const float pos[8] = {float(850 + i), 470, 0, 0, float(850 + i), 470, 0, 0};
            level->flyingTresures.push_back(makeLyingTresure(coin, pos));
        }
        return *level;
    }

    bool frame() {
        now += 17;
        ++frames;
        return winScreen.frame();
    }
    // Frames until `done` holds (at most cap); true when it did.
    template <class F>
    bool runUntil(F done, int cap = 600) {
        for (int i = 0; i < cap; ++i) {
            if (done()) return true;
            if (!frame()) return done();
        }
        return done();
    }
    // A left click in the next frame at (x, y).
    bool clickAt(float x, float y) {
        InjectMouseMove(x, y);
        InjectMouseButton(1, true);
        const bool on = frame();
        InjectMouseButton(1, false);
        return on;
    }
    // Frames until the loop ends; -1 past the cap.
    int runToEnd(int cap = 600) {
        for (int i = 0; i < cap; ++i)
            if (!frame()) return i + 1;
        return -1;
    }
    bool fullyShown() const { return winScreen.alpha == 1 && winScreen.scoreA == 1; }
    // Prepares a run, waits for the award check, clicks the panel and runs to the end.
    std::string fullRun() {
        winScreen.prepare();
        EXPECT_TRUE(runUntil([this] { return fullyShown() && winScreen.awardsChecked == 1; }));
        frame();
        clickAt(200, 300);
        EXPECT_GT(runToEnd(), 0);
        return winScreen.wynik;
    }
};

// ---- the sequence --------------------------------------------------------------------------

TEST_F(WinScreenTest, CopyFliesToTheMiddleThenTreasuresCountTheScoreUp) {
    build({"#..#", ".##.", "#..#"}, 400, 4);
    winScreen.prepare();
    ASSERT_EQ(winScreen.state, "BEGIN");
    ASSERT_TRUE(winScreen.tab);
    const float startX = winScreen.tab->xo, startY = winScreen.tab->yo;
    // Before the treasures are sent the line shows the whole level score.
    frame();
    EXPECT_EQ(winScreen.state, "FLY");
    EXPECT_EQ(winScreen.x1, startX);
    EXPECT_EQ(winScreen.y1, startY);
    EXPECT_EQ(winScreen.printScore, 400);
    ASSERT_TRUE(runUntil([] { return winScreen.state == "NEXT"; }, 40));
    EXPECT_NEAR(frames, 21, 1);
    EXPECT_FLOAT_EQ(winScreen.tab->xo, 403);
    EXPECT_FLOAT_EQ(winScreen.tab->yo, 311);
    // Sent: every treasure is on its way, so the line drops to nothing and climbs back.
    EXPECT_EQ(TFlyingTresure::flyingToSummaryCount, 4);
    EXPECT_EQ(winScreen.printScore, 0);
    float last = 0;
    ASSERT_TRUE(runUntil([&] {
        EXPECT_GE(winScreen.printScore, last);
        last = winScreen.printScore;
        return winScreen.printScore == 400;
    }));
    EXPECT_TRUE(level->flyingTresures.empty());
    // The panel grows for about 100 frames, then the score part fades in.
    ASSERT_TRUE(runUntil([this] { return fullyShown(); }));
    EXPECT_NEAR(frames, 121, 4);
    // The award check follows in the next update.
    EXPECT_EQ(winScreen.awardsChecked, 0);
    frame();
    EXPECT_EQ(winScreen.awardsChecked, 1);
    // The non-picture cells of the copy have faded away; the picture stays.
    EXPECT_EQ(winScreen.tab->at(0, 1)->a, 0);
    EXPECT_EQ(winScreen.tab->at(0, 0)->a, 1);
}

TEST_F(WinScreenTest, EndingClickFadesOutAndReturnsEmpty) {
    build({"##", "##"}, 100);
    winScreen.prepare();
    // A click before the score part is in does not end the screen.
    frame();
    EXPECT_TRUE(clickAt(200, 300));
    EXPECT_EQ(winScreen.dGSpecAlpha, 1);
    ASSERT_TRUE(runUntil([this] { return fullyShown(); }));
    frame();
    listaKamieni.push_back(std::make_shared<TKamien>());
    EXPECT_TRUE(clickAt(200, 300));
    EXPECT_EQ(winScreen.dGSpecAlpha, 0);
    const int left = runToEnd();
    // 20 frames for the button, 20 for the panel, 20 for the fade to black (give or take
    // the clock's uneven frames).
    EXPECT_NEAR(left, 60, 4);
    EXPECT_EQ(winScreen.fade, 1);
    EXPECT_EQ(winScreen.endAlpha, 0);
    EXPECT_TRUE(listaKamieni.empty());
    EXPECT_EQ(winScreen.wynik, "");
}

TEST_F(WinScreenTest, MainLoopReturnsThroughThePlayScreensHook) {
    build({"#"}, 10);
    installWinScreen();
    // The player clicks every frame: only the click after the panel is in counts.
    winHooks().tutorialUpdate2 = [](TEkran&) { InjectMouseButton(1, true); };
    InjectMouseMove(200, 300);
    const std::string r = playHooks().winScreen(mainGame);
    EXPECT_EQ(r, "");
    EXPECT_EQ(winScreen.fade, 1);
}

// ---- the profile's books -------------------------------------------------------------------

TEST_F(WinScreenTest, RunBooksScoreStatisticsAndPowerUpUses) {
    build({"#.", ".#"}, 750, 2);
    level->livingsCount = 3;
    level->czas = 125;
    mainGame.mnoznik = 3.7f;
    mainGame.useLivingsN = 2;
    profile->score = 1200;
    profile->lastScore = 5;
    profile->allLivings = 4;
    profile->noMistakesOnLevel = 2;
    // Stones in the bag are shown as mistakes yet the level still counts as clean.
    profile->mistakes = 0;
    profile->kamienieWWorku = 2;
    profile->useOfSkull = 1;
    profile->tempUseOfSkull = 2;
    profile->tempUseOfSword = 1;
    profile->tempUseOfMedalion = 3;
    profile->tempUseOfEye = 4;
    profile->tempUseOfMap = 5;
    winScreen.prepare();
    EXPECT_EQ(profile->score, 1950);
    EXPECT_EQ(profile->lastScore, 1200);
    EXPECT_EQ(winScreen.totalScore, 1950);
    EXPECT_EQ(profile->allLivings, 7);
    EXPECT_EQ(profile->noMistakesOnLevel, 3);
    EXPECT_EQ(winScreen.mistakes, 2);
    EXPECT_EQ(winScreen.maxCombo, 3);
    EXPECT_EQ(winScreen.levelTime, 125);
    EXPECT_EQ(winScreen.bonusy, 2);
    EXPECT_EQ(winScreen.levelScore, 750);
    EXPECT_EQ(winScreen.maxTresures, 2);
    EXPECT_EQ(profile->useOfSkull, 3);
    EXPECT_EQ(profile->useOfSword, 1);
    EXPECT_EQ(profile->useOfMedalion, 3);
    EXPECT_EQ(profile->useOfEye, 4);
    EXPECT_EQ(profile->useOfMap, 5);
}

TEST_F(WinScreenTest, ChestHitMeansNoCleanLevelAndLastScoreFollowsThisProfile) {
    build({"#"}, 100);
    profile->mistakes = 1;
    profile->score = 300;
    winScreen.prepare();
    EXPECT_EQ(profile->noMistakesOnLevel, 0);
    EXPECT_EQ(profile->score, 400);
    // Another player wins next: their last score is their own total, not the one shown.
    auto other = std::make_shared<TProfile>();
    other->score = 50;
    profileManager.profile = other;
    winScreen.prepare();
    EXPECT_EQ(other->lastScore, 50);
    EXPECT_EQ(other->score, 150);
    EXPECT_EQ(winScreen.totalScore, 150);
}

// ---- awards --------------------------------------------------------------------------------

TEST_F(WinScreenTest, AwardPanelsInRuleOrderThenTheGalleryOnce) {
    build({"#"}, 12000);
    profile->mistakes = 0;  // a clean level: brainiac bronze; the score: points killer gold
    fullRun();
    const std::vector<std::string> first = {"award:1", "award:6", "gallery", "tutorial"};
    EXPECT_EQ(events, first);
    EXPECT_EQ(profile->bylAwardsScreen, 1);
    // The next win earns silver brainiac tiers later on; this one earns points killer gold
    // again (held: nothing) and no gallery.
    events.clear();
    build({"#"}, 10);
    profile->noMistakesOnLevel = 4;
    fullRun();
    const std::vector<std::string> second = {"award:2"};
    EXPECT_EQ(events, second);
}

// Without a gallery to show, the first award is not marked as seen: the next award that
// finds a gallery still opens it.
TEST_F(WinScreenTest, TheGalleryCountsAsSeenOnlyOnceShown) {
    build({"#"}, 100);
    profile->mistakes = 0;
    winHooks().awardGallery = nullptr;
    fullRun();
    ASSERT_EQ(profile->awardy.size(), 1u);
    EXPECT_EQ(profile->bylAwardsScreen, 0);
    winHooks().awardGallery = [this](TEkran&) { events.push_back("gallery"); };
    events.clear();
    build({"#"}, 10);
    profile->noMistakesOnLevel = 4;
    fullRun();
    const std::vector<std::string> second = {"award:2", "gallery", "tutorial"};
    EXPECT_EQ(events, second);
    EXPECT_EQ(profile->bylAwardsScreen, 1);
}

TEST_F(WinScreenTest, AwardRulesRunOncePerRun) {
    build({"#"}, 100);
    profile->mistakes = 0;
    int checks = 0;
    winHooks().giveAward = [&](const std::shared_ptr<TAwardRecord>& a, TEkran&) {
        ++checks;
        profile->awardy.push_back(a);
    };
    winScreen.prepare();
    ASSERT_TRUE(runUntil([this] { return fullyShown(); }));
    // The stats view and back again: the product of the opacities reaches 1 a second time.
    clickAt(400, 580);
    runUntil([] { return winScreen.showA == 0; }, 60);
    clickAt(400, 580);
    runUntil([] { return winScreen.showA == 1; }, 60);
    EXPECT_EQ(checks, 1);
}

TEST_F(WinScreenTest, TutorialLevelGrantsNothing) {
    build({"#"}, 20000).tutorialLevel = 1;
    profile->mistakes = 0;
    fullRun();
    EXPECT_TRUE(events.empty());
    EXPECT_TRUE(profile->awardy.empty());
    EXPECT_EQ(profile->bylAwardsScreen, 0);
}

TEST_F(WinScreenTest, WithoutAPanelHookTheAwardStillGoesToTheProfile) {
    build({"#"}, 100);
    profile->mistakes = 0;
    winHooks().giveAward = nullptr;
    fullRun();
    ASSERT_EQ(profile->awardy.size(), 1u);
    EXPECT_EQ(profile->awardy[0]->id, 1);
}

// ---- clicks --------------------------------------------------------------------------------

TEST_F(WinScreenTest, StatsButtonTogglesOnlyOnTheGrownPanelAndNeverEnds) {
    build({"#"}, 100);
    winScreen.prepare();
    frame();
    // While the panel grows the button is dead, and the click does not end anything.
    clickAt(400, 580);
    EXPECT_EQ(winScreen.dShowA, 1);
    ASSERT_TRUE(runUntil([this] { return fullyShown(); }));
    // Edges of the button's box are inside it.
    const struct {
        float x, y;
        bool inside;
    } spots[] = {{330, 560, true}, {500, 600, true}, {329, 580, false}, {415, 601, false}};
    for (const auto& s : spots) {
        InjectMouseMove(s.x, s.y);
        frame();
        EXPECT_EQ(winScreen.showOver, s.inside ? 1 : 0) << s.x << "," << s.y;
    }
    clickAt(400, 580);
    EXPECT_EQ(winScreen.dShowA, 0);
    EXPECT_EQ(winScreen.dGSpecAlpha, 1);
    runUntil([] { return winScreen.showA == 0; }, 60);
    // The ending click works in the table view too.
    clickAt(200, 300);
    EXPECT_EQ(winScreen.dGSpecAlpha, 0);
    EXPECT_GT(runToEnd(), 0);
}

TEST_F(WinScreenTest, AwardsButtonOpensTheGalleryWithoutEndingOrStory) {
    build({"#"}, 100);
    profile->numerStageu = 1;
    profile->numerLevelu = 4;
    profile->mistakes = 1;
    winScreen.prepare();
    ASSERT_TRUE(runUntil([this] { return fullyShown(); }));
    events.clear();
    clickAt(600, 660);
    EXPECT_EQ(events, std::vector<std::string>{"gallery"});
    EXPECT_EQ(winScreen.dGSpecAlpha, 1);
    EXPECT_EQ(winScreen.wynik, "");
}

TEST_F(WinScreenTest, TipBlocksTheEndingAndItsClosingClickIsSpent) {
    build({"#"}, 100);
    profile->mistakes = 1;
    winScreen.prepare();
    ASSERT_TRUE(runUntil([this] { return fullyShown(); }));
    frame();
    tip = true;
    clickAt(200, 300);  // closes the tip only
    EXPECT_FALSE(tip);
    EXPECT_EQ(winScreen.dGSpecAlpha, 1);
    clickAt(200, 300);
    EXPECT_EQ(winScreen.dGSpecAlpha, 0);
}

// ---- the story after stage 1, level 4 ------------------------------------------------------

TEST_F(WinScreenTest, StoryClickDuringTheFlightGrantsAwardsFirstAndEndsWithExitFull) {
    build({"#"}, 100, 3);
    profile->numerStageu = 1;
    profile->numerLevelu = 4;
    profile->mistakes = 0;
    winScreen.prepare();
    for (int i = 0; i < 5; ++i) frame();
    ASSERT_EQ(winScreen.state, "FLY");
    // The stats button is dead during the flight, so a click on it starts the story too.
    EXPECT_FALSE(clickAt(400, 580));
    const std::vector<std::string> seen = {"award:1", "gallery", "tutorial", "story"};
    EXPECT_EQ(events, seen);
    EXPECT_EQ(winScreen.wynik, "EXIT_FULL");
    EXPECT_EQ(winScreen.awardsChecked, 1);

    // Every later run answers "EXIT_FULL" as well.
    events.clear();
    build({"#"}, 100);
    profile->numerLevelu = 5;
    EXPECT_EQ(fullRun(), "EXIT_FULL");
    EXPECT_EQ(std::count(events.begin(), events.end(), "story"), 0);
}

TEST_F(WinScreenTest, StoryNotOnTheStatsButtonOnceThePanelIsIn) {
    build({"#"}, 100);
    profile->numerStageu = 1;
    profile->numerLevelu = 4;
    profile->mistakes = 1;
    winScreen.prepare();
    ASSERT_TRUE(runUntil([this] { return fullyShown(); }));
    EXPECT_TRUE(clickAt(400, 580));
    EXPECT_TRUE(events.empty());
    EXPECT_FALSE(clickAt(100, 100));
    EXPECT_EQ(events, std::vector<std::string>{"story"});
}

// ---- bad assets ----------------------------------------------------------------------------

TEST_F(WinScreenTest, MissingAssetsAreReportedAndTheScreenStillEnds) {
    winScreen.setup();  // an empty tree: no texts, fonts, panel or layout
    bool reported = false;
    for (const auto& n : notices) reported |= n.find("awards") != std::string::npos;
    EXPECT_TRUE(reported);
    EXPECT_EQ(winScreen.id, "WIN-SCREEN");
    build({"#"}, 100);
    EXPECT_EQ(fullRun(), "");
}

TEST_F(WinScreenTest, LevelNameFromTheLevelManager) {
    auto entry = std::make_shared<TFlowEntry>();
    entry->nr = 1;
    entry->numer = 3;
    entry->stageN = 2;
    entry->gameType = "MAIN-GAME";
    entry->actualLevelNumber = 1;
    levelManager.hardLevels.push_back(entry);
    levelManager.hardNames = {"Skull Cove"};
    build({"#"}, 100);
    winScreen.prepare();
    EXPECT_EQ(winScreen.txtName, "Skull Cove");
    // Without an entry the plaque names the stage and level instead of standing empty.
    levelManager.clear();
    winScreen.prepare();
    EXPECT_EQ(winScreen.txtName, winScreen.txtStage + std::to_string(winScreen.prof().numerStageu) + " - " +
                                     winScreen.txtLevel + std::to_string(winScreen.prof().numerLevelu));
}

// ---- drawing -------------------------------------------------------------------------------

TEST_F(WinScreenTest, ScoreLineAndStatsButtonLayers) {
    build({"#"}, 250);
    winScreen.prepare();
    winScreen.alpha = winScreen.scoreA = winScreen.endAlpha = winScreen.gSpecAlpha = 1;
    winScreen.showA = 1;
    winScreen.overA = 0.5f;
    winScreen.printScore = 125.9f;
    ClearRecordedDraws();
    winScreen._drawInfo();
    std::vector<DrawCall> score, show, hide;
    for (const auto& d : RecordedDraws()) {
        if (d.kind != DrawCall::Text) continue;
        if (d.what == "Level score: 125") score.push_back(d);
        if (d.what == "Show stats") show.push_back(d);
        if (d.what == "Hide stats") hide.push_back(d);
    }
    // Shadow, four outline copies, the text; then the red glow in two blends.
    ASSERT_EQ(score.size(), 6u);
    EXPECT_EQ(score[0].x, winScreen.totalX + 3);
    EXPECT_FLOAT_EQ(score[0].alpha, 0.5f);
    // Shadow and outline in the ink colour of the type roles.
    EXPECT_EQ(score[0].r, typestyle::kInk.r);
    const float ring[4][2] = {{-1, -1}, {1, -1}, {-1, 1}, {1, 1}};
    for (int i = 0; i < 4; ++i) {
        const DrawCall& d = score[size_t(i) + 1];
        EXPECT_EQ(d.x, winScreen.totalX + ring[i][0]) << i;
        EXPECT_EQ(d.y, 530 + ring[i][1]) << i;
        EXPECT_EQ(d.r + d.g + d.b, typestyle::kInk.r + typestyle::kInk.g + typestyle::kInk.b) << i;
        EXPECT_FLOAT_EQ(d.alpha, 1) << i;
    }
    EXPECT_EQ(score[5].x, winScreen.totalX);
    EXPECT_EQ(score[5].y, 530);
    EXPECT_EQ(score[5].r, typestyle::kGold.r);
    EXPECT_EQ(score[5].b, typestyle::kGold.b);
    // The line is centred as it reads in the end (fixed font: 10 px a character).
    EXPECT_EQ(winScreen.totalX, float(400 - int(std::string("Level score: 250").size()) * 10 / 2));
    ASSERT_EQ(show.size(), 8u);
    EXPECT_EQ(show[5].b, typestyle::kHighlight.b);  // the highlight role
    EXPECT_FLOAT_EQ(show[6].alpha, 0.2f);
    EXPECT_EQ(show[6].r, typestyle::kHighlight.r);
    EXPECT_EQ(show[6].g, typestyle::kHighlight.g);
    EXPECT_EQ(show[6].blend, ALPHABLEND);
    EXPECT_FLOAT_EQ(show[7].alpha, 0.5f);
    EXPECT_EQ(show[7].blend, LIGHTBLEND);
    // In the summary view the other caption is drawn fully transparent.
    for (const auto& d : hide) EXPECT_EQ(d.alpha, 0);
}

// "Show stats" once took the name off its plaque and left the plaque empty above the table.
TEST_F(WinScreenTest, LevelNameStaysOnItsPlaqueInBothViews) {
    build({"#"}, 250);
    winScreen.prepare();
    winScreen.txtName = "Sailor's Heart";
    winScreen.txtStage = "Stage ";
    winScreen.txtLevel = "Level ";
    winScreen.alpha = winScreen.scoreA = winScreen.endAlpha = winScreen.gSpecAlpha = 1;
    // The name plaque across the top of the panel picture, in screen units.
    const float left = 190, top = 94, right = 610, bottom = 146;
    auto onPlaque = [&](const DrawCall& d) {
        return d.x >= left && d.y >= top && d.x + d.w * d.scaleX <= right && d.y + d.h * d.scaleY <= bottom;
    };
    auto overlapsPlaque = [&](const DrawCall& d) {
        return d.x < right && d.x + d.w > left && d.y < bottom && d.y + d.h > top;
    };
    const struct {
        const char* view;
        float showA;
    } views[] = {{"summary", 1}, {"half-way", 0.5f}, {"statistics", 0}};
    float nameX = -1, nameY = -1;
    for (const auto& v : views) {
        SCOPED_TRACE(v.view);
        winScreen.showA = winScreen.dShowA = v.showA;
        ClearRecordedDraws();
        winScreen.draw();
        const DrawCall* name = nullptr;
        for (const auto& d : RecordedDraws()) {
            if (d.kind != DrawCall::Text) continue;
            if (d.what == winScreen.txtName) {
                if (d.r == typestyle::kGold.r && d.b == typestyle::kGold.b) name = &d;
            } else if (d.alpha > 0) {
                // Nothing else is written over the plaque, the table's heading included.
                EXPECT_FALSE(overlapsPlaque(d)) << d.what;
            }
        }
        ASSERT_NE(name, nullptr);
        EXPECT_FLOAT_EQ(name->alpha, 1);
        EXPECT_TRUE(onPlaque(*name)) << name->x << "," << name->y << " " << name->w << "x" << name->h;
        if (nameX >= 0) {
            EXPECT_EQ(name->x, nameX);
            EXPECT_EQ(name->y, nameY);
        }
        nameX = name->x;
        nameY = name->y;
    }
}

// ---- the picture copy ----------------------------------------------------------------------

TEST_F(WinScreenTest, CopyScaleSettlesAtTheFitFactor) {
    const struct {
        float w, h, scale;
    } cases[] = {{280, 280, 1}, {100, 40, 1}, {400, 300, 0.7f}, {200, 560, 0.5f}};
    for (const auto& c : cases) {
        winScreen.tab = std::make_shared<TCopyTab>();
        winScreen.tab->width = c.w;
        winScreen.tab->height = c.h;
        EXPECT_FLOAT_EQ(winScreen.setProperScaleForTab(), c.scale) << c.w << "x" << c.h;
    }
    // 1 to 0.7 at 0.01 a frame takes 30 frames and stops exactly.
    TCopyTab tab;
    tab.dgs = 0.7f;
    delta = 1;
    int n = 0;
    while (tab.gs != tab.dgs && n < 100) {
        tab.update();
        ++n;
    }
    EXPECT_NEAR(n, 30, 1);
    EXPECT_EQ(tab.gs, 0.7f);
}

TEST_F(WinScreenTest, CellAnglesSweepStraightWithin0To360) {
    const struct {
        float from, to, sweep;
    } cases[] = {{170, -170, 20}, {350, 10, -340}, {-90, 90, -180}};
    delta = 1;
    for (const auto& c : cases) {
        TTileCopy t;
        t.kat = t.stRot = c.from;
        t.dRot = c.to;
        t.checkRot();
        EXPECT_GE(t.stRot, 0);
        EXPECT_LE(t.dRot, 360);
        EXPECT_FLOAT_EQ(t.dRot - t.stRot, c.sweep);
        for (int i = 0; i < 60; ++i) t.update();
        EXPECT_EQ(t.per, 1);
        EXPECT_FLOAT_EQ(t.kat, t.dRot);
    }
}

TEST_F(WinScreenTest, CopyClosesUpEdgeToEdgeAboutItsCentre) {
    build({"#.#", "..#"}, 100);
    winScreen._prepareTilesCopy();
    TCopyTab& tab = *winScreen.tab;
    ASSERT_EQ(tab.rows, 2);
    ASSERT_EQ(tab.cols, 3);
    const TTile* first = level->at(0, 0);
    const TTile* last = level->at(1, 2);
    EXPECT_EQ(tab.width, float(int(last->x()) - int(first->x())));
    EXPECT_EQ(tab.xo, float(int(first->x())) + tab.width / 2);
    delta = 1;
    for (int i = 0; i < 60; ++i) tab.update();
    tab.update();  // positions follow the angles of the frame before
    // 50 px images: places 50 apart, centred on the copy's centre.
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c) {
            EXPECT_NEAR(tab.at(r, c)->dim->x, tab.xo + float(c - 1) * 50, 0.01) << r << "," << c;
            EXPECT_NEAR(tab.at(r, c)->dim->y, tab.yo + (float(r) - 0.5f) * 50, 0.01) << r << "," << c;
        }
    EXPECT_EQ(tab.at(0, 0)->a, 1);
    EXPECT_EQ(tab.at(0, 1)->a, 0);
}

TEST_F(WinScreenTest, OneCellBoardStaysOnItsCell) {
    build({"#"}, 100);
    winScreen._prepareTilesCopy();
    TCopyTab& tab = *winScreen.tab;
    EXPECT_EQ(tab.width, 0);
    EXPECT_EQ(tab.height, 0);
    EXPECT_EQ(tab.xo, float(int(level->at(0, 0)->x())));
    EXPECT_EQ(tab.at(0, 0)->dOdl, 0);
    tab.update();
    EXPECT_FLOAT_EQ(tab.at(0, 0)->dim->x, tab.xo);
}

TEST_F(WinScreenTest, CopyVanishesWithTheStatsViewAndTheEnd) {
    build({"#"}, 100);
    winScreen._prepareTilesCopy();
    const struct {
        float endAlpha, showA, expected;
    } cases[] = {{1, 1, 1}, {1, 0, 0}, {0, 1, 0}, {0.5f, 1, 0.5f}};
    for (const auto& c : cases) {
        winScreen.endAlpha = c.endAlpha;
        winScreen.showA = c.showA;
        ClearRecordedDraws();
        winScreen.tab->draw();
        const auto& log = RecordedDraws();
        ASSERT_EQ(log.size(), 1u);
        EXPECT_FLOAT_EQ(log[0].alpha, c.expected);
    }
}

TEST_F(WinScreenTest, EmptyLevelMakesAnEmptyCopy) {
    mainGame.setLevel(std::make_shared<TLevel>());
    winScreen._prepareTilesCopy();
    ASSERT_TRUE(winScreen.tab);
    EXPECT_TRUE(winScreen.tab->tile.empty());
    winScreen.tab->update();
    winScreen.tab->draw();
}

}  // namespace
