// Awards earned by how a level was played: a level played through the real play screen,
// won, and the real win screen's award check over it. Each rule must see the multiplier,
// the bag and the chest allowance of the level just played.
#include <algorithm>
#include <string>
#include <vector>

#include "game/awards/awards.h"
#include "screens/win/win_screen.h"
#include "test_play_support.h"

namespace {

using playtest::PlayTest;

class PlayAwardsTest : public PlayTest {
protected:
    std::vector<int> granted;

    void SetUp() override {
        PlayTest::SetUp();
        resetWinScreen();
        resetAwards();
        installPlayAwardSource();
        installWinScreen();
        // Combo maniac (multiplier 3), super combo maniac (5), risky bronze.
        for (auto [id, value] : {std::pair{8, 5}, {9, 3}, {12, 1}}) {
            auto a = std::make_shared<TAwardRecord>();
            a->id = id;
            a->value = value;
            awardsList.push_back(a);
        }
        TImageFont fixed = CreateFixedFont(10, 20);
        winScreen.font = winScreen.font2 = winScreen.nameFont = fixed;
        winScreen.Gui = createGui();
        auto& w = winHooks();
        w.giveAward = [this](const std::shared_ptr<TAwardRecord>& a, TEkran&) {
            granted.push_back(a->id);
            profile->awardy.push_back(a);
        };
        w.awardGallery = [](TEkran&) {};
        w.tutorialUpdate = [](TEkran&) {};
        // The player clicks on: the screen ends once its panel is in.
        w.tutorialUpdate2 = [](TEkran&) { InjectMouseButton(1, true); };
    }
    void TearDown() override {
        resetWinScreen();
        resetAwards();
        PlayTest::TearDown();
    }
};

TEST_F(PlayAwardsTest, RulesSeeTheLevelJustPlayed) {
    struct Case {
        const char* what;
        int maxMistakes;
        int stage;             // 10 and above: the bag is unlocked
        float multiplier;      // what the level's creatures would have raised it to
        int wrongMoves;        // empty cells uncovered one by one
        std::vector<int> awards;
    };
    const Case cases[] = {
        {"clean level", 3, 1, 1.0f, 0, {}},
        {"multiplier three", 3, 1, 3.0f, 0, {9}},
        {"multiplier five", 3, 1, 5.0f, 0, {8, 9}},
        // Two stones in the bag with three chest hits and three bag places to spare: safe.
        {"two stones of six", 3, 10, 1.0f, 2, {}},
        // One chest hit allowed: one hit and two stones in the bag leave one to spare.
        {"one to spare", 1, 10, 1.0f, 3, {12}},
        {"one to spare without a bag", 2, 1, 1.0f, 1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        granted.clear();
        profile->awardy.clear();
        profile->numerStageu = c.stage;
        build({"#....", "#####"}, c.maxMistakes);
        profile->checkPowerUpUnlocked();
        start();
        ASSERT_TRUE(runUntilState("NORMAL"));
        mainGame.mnoznik = c.multiplier;
        for (int k = 0; k < c.wrongMoves; ++k) {
            click(cell(0, 1 + k), 1);
            runFrames(120);
        }
        ASSERT_EQ(mainGame.state, "NORMAL");
        click(cell(0, 0), 1);
        drag(cell(1, 0), cell(1, 4), 1);
        ASSERT_GT(runToEnd(3000), 0);
        EXPECT_EQ(mainGame.wynik, "GET-NEXT-LEVEL");
        EXPECT_EQ(granted, c.awards);
    }
}

}  // namespace
