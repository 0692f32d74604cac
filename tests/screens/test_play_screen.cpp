// The play screen played through its own loop with scripted mouse input: a level won by
// clicks and drags, levels lost against the chest's budget, the bag, the overlays' results.
#include <functional>

#include "app/profile/profile_world.h"
#include "app/router.h"
#include "effects/captions.h"
#include "effects/kamien.h"
#include "effects/odpad.h"
#include "screens/play/play_overlay.h"
#include "test_play_support.h"

namespace {

using playtest::PlayTest;

// A profile that counts the step back the map choice of the in-game menu asks for.
class CountingProfile : public TProfile {
public:
    int backs = 0;
    int levelBack() override {
        ++backs;
        return 0;
    }
};

class PlayScreenTest : public PlayTest {};

TEST_F(PlayScreenTest, SmallLevelWonByDragsAndClicksWithMultiplier) {
    build({"###", "#.."});
    profile->numerLevelu = 4;
    start();
    mainGame.mnoznik = 2.5f;  // every right tile pays 62 (25 x 2.5, truncated)
    ASSERT_TRUE(runUntilState("NORMAL"));
    EXPECT_EQ(mainGame.gridA < 1.0f, true);

    // Top row dragged right to left with the hand: three picture cells uncovered.
    drag(cell(0, 2), cell(0, 0), 1);
    // The two empty cells broken with the right button (the hand's other tool).
    drag(cell(1, 1), cell(1, 2), 2);
    // The last picture cell clicked.
    click(cell(1, 0), 1);
    ASSERT_TRUE(runUntilState("WIN-1", 300));
    EXPECT_EQ(level->score, 6 * 62);
    EXPECT_EQ(mainGame.recordedScore, 6 * 62);
    EXPECT_GT(mainGame.recordedTime, 0);
    EXPECT_EQ(profile->mistakes, 0);
    auto rec = profile->getProfLevelData2(4, profile->numerStageu);
    ASSERT_TRUE(rec);
    EXPECT_EQ(rec->passed, 1);
    EXPECT_EQ(rec->score, 6 * 62);
    EXPECT_EQ(rec->mnoznik, 2);

    const int frames = runToEnd();
    ASSERT_GT(frames, 0);
    EXPECT_EQ(mainGame.wynik, "GET-NEXT-LEVEL");
    EXPECT_EQ(winShown, 1);
    EXPECT_EQ(loseShown, 0);
    EXPECT_EQ(logs, std::vector<int>({1}));
    EXPECT_EQ(stateTrace, std::vector<std::string>({"BEGIN", "BEGIN-FLY", "NORMAL", "WIN-1", "WIN"}));
    // The clock kept counting after completion; the record kept the moment of the win.
    EXPECT_GE(level->czas, mainGame.recordedTime);
    EXPECT_EQ(services.count("begin"), 1);
}

TEST_F(PlayScreenTest, WrongMovesAgainstTheChestLoseTheLevel) {
    build({"#...", "####"}, 2);
    start();
    ASSERT_TRUE(runUntilState("NORMAL"));
    // Three empty cells uncovered one by one: two hits are allowed, the third loses.
    for (int c = 1; c <= 3; ++c) {
        click(cell(0, c), 1);
        runFrames(150);
        if (c < 3) {
            EXPECT_EQ(mainGame.state, "NORMAL") << "after wrong move " << c;
            EXPECT_EQ(profile->mistakes, c);
        }
    }
    EXPECT_EQ(int(mainGame.getChestFrame()), 6);
    ASSERT_EQ(mainGame.state.rfind("LOSE", 0), 0u);
    EXPECT_EQ(profile->mistakes, 2);
    EXPECT_EQ(services.count("chest_hit_"), 3);
    EXPECT_EQ(services.count("chest_blow"), 1);
    EXPECT_EQ(logs, std::vector<int>({0}));
    // The lose screen waits for the chest's pieces, then its choice leads to the map.
    loseAnswers = {"MAPA"};
    bool cleared = false;
    playHooks().mapClearNewStage = [&] { cleared = true; };
    ASSERT_GT(runToEnd(), 0);
    EXPECT_EQ(loseShown, 1);
    EXPECT_EQ(mainGame.wynik, "MAPA");
    EXPECT_TRUE(cleared);
    EXPECT_EQ(logs, std::vector<int>({0, -1}));
    EXPECT_EQ(winShown, 0);
}

TEST_F(PlayScreenTest, BagCatchesThreeStonesThenFallsAway) {
    build({"#....", "#####"}, 3);
    profile->numerStageu = 10;  // the bag is unlocked from here on
    start();
    ASSERT_TRUE(runUntilState("NORMAL"));
    // Four wrong moves in one line: the stones in flight count, so the fourth goes to the chest.
    drag(cell(0, 1), cell(0, 4), 1);
    runFrames(400);
    EXPECT_EQ(profile->kamienieWWorku, 3);
    EXPECT_EQ(profile->mistakes, 1);
    EXPECT_EQ(mainGame.state, "NORMAL");
    auto bag = mainGame.bonusButton(6);
    ASSERT_TRUE(bag);
    EXPECT_EQ(bag->_a, 0);
    EXPECT_EQ(mainGame.kamieniWWorkuNieDosc(), 0);
    // Every later stone goes to the chest.
    mainGame.wyslijKamien(cell(1, 0));
    int toBag = 0;
    for (auto& k : listaKamieni) toBag += k->gotoworek;
    EXPECT_EQ(toBag, 0);
}

TEST_F(PlayScreenTest, LoseScreenResultsDecideThePlace) {
    struct Case {
        std::string answer, wynik, state;
        float dFade;
        std::vector<int> logs;
        bool mapCleared;
    };
    const Case cases[] = {
        {"RESTART", "RESTART-LEVEL", "LOSE-END", 1, {}, false},
        {"MAIN-MENU", "MAIN-MENU", "LOSE", 1, {-1}, false},
        {"MAPA", "MAPA", "LOSE", 1, {-1}, true},
        {"SOMETHING", "", "LOSE", 0, {}, false},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.answer);
        build({"#."});
        logs.clear();
        bool cleared = false;
        playHooks().mapClearNewStage = [&] { cleared = true; };
        loseAnswers = {k.answer};
        mainGame.wynik.clear();
        mainGame.dFade = 0;
        mainGame.setState("LOSE");
        mainGame._update_state_LOSE();
        EXPECT_EQ(mainGame.wynik, k.wynik);
        EXPECT_EQ(mainGame.state, k.state);
        EXPECT_EQ(mainGame.dFade, k.dFade);
        EXPECT_EQ(logs, k.logs);
        EXPECT_EQ(cleared, k.mapCleared);
    }
}

TEST_F(PlayScreenTest, InGameMenuResultsDecideThePlace) {
    struct Case {
        std::string answer, wynik;
        float dFade;
        std::vector<int> logs;
        int backs;
    };
    const Case cases[] = {
        {"", "", 0, {}, 0},
        {"RESTART", "RESTART-LEVEL", 1, {}, 0},
        {"MAPA", "MAPA", 1, {-2}, 1},
        {"MAIN-MENU", "MAIN-MENU", 1, {-1}, 0},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.answer);
        auto counting = std::make_shared<CountingProfile>();
        profile = counting;
        profileManager.profile = counting;
        build({"#."});
        logs.clear();
        menuAnswers = {k.answer};
        mainGame.dFade = 0;
        mainGame.goMenu();
        EXPECT_EQ(mainGame.wynik, k.wynik);
        EXPECT_EQ(mainGame.dFade, k.dFade);
        EXPECT_EQ(logs, k.logs);
        EXPECT_EQ(counting->backs, k.backs);
    }
}

TEST_F(PlayScreenTest, MenuChoiceDuringWinSequenceIsHonoured) {
    build({"#"});
    start();
    ASSERT_TRUE(runUntilState("NORMAL"));
    click(cell(0, 0));
    ASSERT_TRUE(runUntilState("WIN-1", 300));
    menuAnswers = {"MAIN-MENU"};
    mainGame.goMenu();
    ASSERT_GT(runToEnd(), 0);
    EXPECT_EQ(mainGame.wynik, "MAIN-MENU");
    EXPECT_EQ(winShown, 0);
}

TEST_F(PlayScreenTest, StoneLandingAfterTheWinCountsNothing) {
    build({"#."}, 1);
    profile->mistakes = 1;  // at the limit: one more hit would lose
    for (const char* s : {"WIN-1", "WIN", "LOSE"}) {
        SCOPED_TRACE(s);
        services.sounds.clear();
        mainGame.setState(s);
        mainGame.uszkodzSkrzynie();
        EXPECT_EQ(mainGame.state, s);
        EXPECT_EQ(profile->mistakes, 1);
        EXPECT_TRUE(services.sounds.empty());
    }
}

TEST_F(PlayScreenTest, ChestTakesItsBudgetAndLosesOnTheNextHit) {
    struct Case {
        int maxMistakes;
        int hitsSurvived;
    };
    for (const Case k : {Case{3, 3}, Case{1, 1}, Case{0, 0}}) {
        SCOPED_TRACE(k.maxMistakes);
        build({"#."}, k.maxMistakes);
        mainGame.setState("NORMAL");
        for (int i = 0; i < k.hitsSurvived; ++i) mainGame.uszkodzSkrzynie();
        EXPECT_EQ(mainGame.state, "NORMAL");
        EXPECT_EQ(int(mainGame.getChestFrame()), k.maxMistakes ? 6 : 0);
        mainGame.uszkodzSkrzynie();
        EXPECT_EQ(mainGame.state, "LOSE");
        EXPECT_EQ(profile->mistakes, k.maxMistakes);
        fx::clear(listaOdpadow);
    }
}

TEST_F(PlayScreenTest, CompleteBoardWinsOnFirstNormalFrame) {
    build({"."});
    start();
    ASSERT_TRUE(runUntilState("NORMAL"));
    frame();
    EXPECT_EQ(mainGame.state, "WIN-1");
}

TEST_F(PlayScreenTest, TilesRiseOneAfterAnotherFromHalfASecond) {
    build({"#.#.", "..##", "#..#"});
    const int32_t t0 = Millisecs();
    start();
    ASSERT_EQ(flyingTiles.size(), 12u);
    for (const auto& f : flyingTiles) {
        auto t = f->tile.lock();
        ASSERT_TRUE(t);
        EXPECT_EQ(f->time - t0, 500 + 5 * (t->r * 4 + t->c));
        EXPECT_EQ(f->y1, t->y() + 800);
        EXPECT_EQ(t->_flyingTile, f.get());  // hidden until its copy lands
    }
}

TEST_F(PlayScreenTest, LevelEndLeavesNothingInFlight) {
    build({"#.."}, 5);
    start();
    ASSERT_TRUE(runUntilState("NORMAL"));
    drag(cell(0, 1), cell(0, 2), 1);
    for (int i = 0; i < 120 && listaKamieni.empty(); ++i) frame();
    ASSERT_FALSE(listaKamieni.empty());
    mainGame.finish();
    EXPECT_TRUE(listaKamieni.empty());
    EXPECT_EQ(fx::live(captionsList), 0u);
    EXPECT_EQ(saves, 1);
}

TEST_F(PlayScreenTest, ChoiceBoxReturnsTheClickedChoice) {
    const std::vector<TPlayChoice> choices = {{"Try again", "RESTART"}, {"Sea map", "MAPA"}, {"Main menu", "MAIN-MENU"}};
    for (int i = 0; i < 3; ++i) {
        float x = 0, y = 0, w = 0, h = 0;
        playChoiceBox(i, 3, x, y, w, h);
        moveTo(x + w / 2, y + h / 2);
        press(1);
        mouse.update();
        EXPECT_EQ(playChoiceStep("Lost", choices), choices[size_t(i)].result);
        release(1);
        mouse.update();
        EXPECT_EQ(playChoiceStep("Lost", choices), "");
    }
}

TEST_F(PlayScreenTest, StandInOverlaysAnswerTheClickedChoice) {
    build({"#."});
    resetPlayHooks();
    playHooks().saveGameData = [] {};
    struct Case {
        int which;  // 0 lose screen, 1 in-game menu
        int box, boxes;
        std::string answer;
    };
    const Case cases[] = {{0, 0, 3, "RESTART"}, {0, 1, 3, "MAPA"}, {0, 2, 3, "MAIN-MENU"},
                          {1, 0, 4, ""},        {1, 1, 4, "RESTART"}, {1, 3, 4, "MAIN-MENU"}};
    // The overlay flushes the click that opened it; the clock, read every frame of its
    // loop, stands in for the player: it clicks (press, then release) again and again.
    int reads = 0;
    std::function<void()> act;
    SetClockSource([&] {
        if (++reads % 4 == 0 && act) act();
        return now += 4;
    });
    for (const auto& k : cases) {
        SCOPED_TRACE(testing::Message() << k.which << " box " << k.box);
        float x = 0, y = 0, w = 0, h = 0;
        playChoiceBox(k.box, k.boxes, x, y, w, h);
        moveTo(x + w / 2, y + h / 2);
        bool down = false;
        act = [&] {
            if (down) release(1);
            else press(1);
            down = !down;
        };
        const std::string got = k.which == 0 ? playHooks().loseScreen(mainGame) : playHooks().menu(mainGame);
        release(1);
        EXPECT_EQ(got, k.answer);
    }
    // Esc leaves the menu with play going on.
    act = [] { InjectKey(27, true); };
    EXPECT_EQ(playHooks().menu(mainGame), "");
    InjectKey(27, false);
    act = nullptr;
    SetClockSource([this] { return now; });
}

TEST_F(PlayScreenTest, ProfileHandsLevelsAndCountersThroughTheWorld) {
    installPlayScreen();
    installPlayWorld();
    setServicesLink(&services);
    build({"#."});
    auto next = std::make_shared<TLevel>();
    next->rows = next->cols = 1;
    next->createTilesTab();
    next->at(0, 0)->setTileData(pictureData);
    next->at(0, 0)->setTileHideData(cover);
    next->createNumbers();
    mainGame.maxCzasPowerUpow = {100, 200, 300, 400, 500, 600};

    // A resumed level keeps the uses and multiplier the profile handed over.
    TPlayCounters kept;
    kept.useHintsN = 2;
    kept.useOkoN = 1;
    kept.mnoznik = 3.0f;
    profileWorld().playSetCounters(kept);
    profileWorld().playSetLevel(playLevelInProgress(next));
    EXPECT_EQ(mainGame.level(), next.get());
    EXPECT_EQ(mainGame.state, "BEGIN");
    TPlayCounters now;
    ASSERT_TRUE(profileWorld().playGetCounters(now));
    EXPECT_EQ(now, kept);

    // A level start clears the multiplier, the score and the bag.
    next->score = 40;
    mainGame.worekAdY = 0.5f;
    profileWorld().playStartLevel();
    EXPECT_EQ(mainGame.mnoznik, 1.0f);
    EXPECT_EQ(next->score, 0);
    EXPECT_EQ(mainGame.worekAdY, 0.0f);
    EXPECT_EQ(profileWorld().powerUpRechargeMs(3), 300);
    EXPECT_EQ(profileWorld().powerUpRechargeMs(7), 0);
    EXPECT_TRUE(control::isBound("MAIN-GAME"));

    setProfileWorld(nullptr);
    control::reset();
}

// A game place reached without a level (its file could not be read) says so and goes back
// to the menu instead of playing an empty board, which would count as won.
TEST_F(PlayScreenTest, WithoutALevelThePlaceReportsAndLeadsToTheMenu) {
    installPlayScreen();
    std::vector<std::string> notices;
    SetNotifyHandler([&](const std::string& text) { notices.push_back(text); });
    control::where = "MAIN-GAME";
    control::runPass();
    EXPECT_EQ(control::where, "MAIN-MENU");
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].find("could not be read"), std::string::npos) << notices[0];
    SetNotifyHandler(nullptr);
    control::reset();
}

}  // namespace
