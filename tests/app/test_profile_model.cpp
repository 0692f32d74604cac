// One player's record: ids, power-up timers, awards, stages, tips, dialogues, resets.
#include "test_profile_support.h"

namespace {

using ProfileModelTest = ProfileTest;

TEST_F(ProfileModelTest, IdIsTheCodeOfEveryUnitFollowedByAHyphen) {
    struct Case {
        const char* name;
        const char* id;
    } cases[] = {{"Ab", "65-98-"}, {"AB", "65-66-"}, {"", ""}, {"z9", "122-57-"},
                 {"\xc3\xa9", "233-"}, {"\xf0\x9f\x98\x80", "55357-56832-"}};
    for (const auto& c : cases) {
        auto p = createNewProfile(c.name);
        EXPECT_EQ(p->id, c.id) << c.name;
        EXPECT_EQ(p->name, c.name);
    }
}

TEST_F(ProfileModelTest, OnlyDigitsAndHyphensAreIds) {
    for (const char* ok : {"65-98-", "1-", "0-0-"}) EXPECT_TRUE(isValidProfileId(ok)) << ok;
    for (const char* bad : {"", "-", "65-98", "65--98-", "../x-", "65-/..-", "a-", "65-98-/", " 65-"})
        EXPECT_FALSE(isValidProfileId(bad)) << bad;
}

TEST_F(ProfileModelTest, NewProfileStartValues) {
    auto p = createNewProfile("Ann");
    EXPECT_EQ(p->numerLevelu, 1);
    EXPECT_EQ(p->numerStageu, 1);
    EXPECT_EQ(p->flowSequence, 0);
    EXPECT_EQ(p->tutorialOn, 1);
    EXPECT_EQ(p->maxLevel, 0);
    EXPECT_FALSE(p->actLevel);
    EXPECT_EQ(p->getMaxStage(), 0);
    EXPECT_EQ(p->getMaxLevel(1), 0);
    for (int32_t s = 0; s < 12; ++s) EXPECT_EQ(p->isStageAvailable(s), 0);
}

TEST_F(ProfileModelTest, PauseKeepsTheFirstTimeAndResumeShiftsAllTimers) {
    auto p = createNewProfile("Ann");
    p->czas = {1000, 2000, 3000, 4000, 5000, 6000};
    p->ResumePowerUps();  // running: nothing
    EXPECT_EQ(p->czas[0], 1000);
    now = 10000;
    p->pausePowerUps();
    now = 12000;
    p->pausePowerUps();  // the first pause time stays
    EXPECT_EQ(p->powerUpsPomTime, 10000);
    now = 15000;
    p->ResumePowerUps();
    EXPECT_EQ(p->paused, 0);
    EXPECT_EQ(p->czas, (std::array<int32_t, 6>{6000, 7000, 8000, 9000, 10000, 11000}));
    now = 20000;
    p->pausePowerUps();
    now = 21000;
    p->pausePowerUps2();  // always takes the time
    EXPECT_EQ(p->powerUpsPomTime, 21000);
}

TEST_F(ProfileModelTest, PowerUpResetUseAndRestart) {
    auto p = createNewProfile("Ann");
    world.rechargeMs = 40000;
    now = 90000;
    p->usePowerUp(2);
    p->restartPowerUpN(6);
    p->resetPowerUp(0);  // outside 1..6: nothing
    p->resetPowerUp(7);
    EXPECT_EQ(p->czas, (std::array<int32_t, 6>{0, 90000, 0, 0, 0, 50000}));
}

TEST_F(ProfileModelTest, UnlockFollowsTheStageBothWays) {
    struct Case {
        int32_t stage;
        std::array<int32_t, 6> unlocked;  // sword, medallion, eye, map, skull, bag
    } cases[] = {{1, {0, 0, 0, 0, 0, 0}}, {3, {0, 1, 0, 0, 0, 0}}, {4, {0, 1, 0, 1, 0, 0}},
                 {5, {1, 1, 0, 1, 0, 0}}, {6, {1, 1, 0, 1, 0, 1}}, {9, {1, 1, 0, 1, 1, 1}},
                 {10, {1, 1, 1, 1, 1, 1}}, {2, {0, 0, 0, 0, 0, 0}}};
    auto p = createNewProfile("Ann");
    for (const auto& c : cases) {
        p->numerStageu = c.stage;
        p->checkPowerUpUnlocked();
        EXPECT_EQ(p->unlocked, c.unlocked) << "stage " << c.stage;
    }
}

TEST_F(ProfileModelTest, AwardQueries) {
    auto p = createNewProfile("Ann");
    auto a1 = world.addAward(1, 5, 1);
    auto a2 = world.addAward(2, 5, 2);
    auto a3 = world.addAward(3, 5, 2);
    auto a4 = world.addAward(4, 6, 0);
    p->awardy = {a1, a3, a2, a1, a4};
    EXPECT_EQ(p->countAward(1), 2);
    EXPECT_EQ(p->countAward(9), 0);
    EXPECT_EQ(p->getAward(3), a3);
    EXPECT_EQ(p->getAward(9), nullptr);
    EXPECT_EQ(p->getHighestAwardByTyp(5), a3);  // tie of level 2: the first granted
    EXPECT_EQ(p->getHighestAwardByTyp(6), nullptr);  // level 0 does not count
}

TEST_F(ProfileModelTest, StageAndLevelQueries) {
    auto p = createNewProfile("Ann");
    p->levele = {std::make_shared<TProfLevelData>(TProfLevelData{3, 0, 3, 1}),
                 std::make_shared<TProfLevelData>(TProfLevelData{5, 1, 5, 2}),
                 std::make_shared<TProfLevelData>(TProfLevelData{2, 1, 7, 4})};
    EXPECT_EQ(p->getMaxStage(), 4);
    EXPECT_EQ(p->getHighestStage(), 4);
    EXPECT_EQ(p->getMaxLevel(1), 3);
    EXPECT_EQ(p->getHighestLevel(2), 5);
    EXPECT_EQ(p->isStageAvailable(1), 0);  // a record, but not passed
    EXPECT_EQ(p->isStageAvailable(2), 1);
    p->numerStageu = 2;
    EXPECT_EQ(p->getProfLevelData(5), p->levele[1]);
    EXPECT_EQ(p->getProfLevelData(3), nullptr);
    EXPECT_EQ(p->getProfLevelData2(3, 1), p->levele[0]);
}

TEST_F(ProfileModelTest, TipsAndDialogues) {
    auto p = createNewProfile("Ann");
    p->lekcjeTutoriala = {world.addTip("Drag", 1, 0)};
    EXPECT_EQ(p->IDontHaveTip("DRAG"), 0);
    EXPECT_EQ(p->IDontHaveTip("other"), 1);

    world.addTip("REMEMBER-2", 2, 1);
    world.addTip("FORGET-2", 2, 0);
    world.addTip("REMEMBER-3", 3, 1);
    p->numerLevelu = 2;
    p->resetTutorialForLevel();
    p->resetTutorialForLevel();  // a tip already pending is not added twice
    ASSERT_EQ(p->lekcjeTutoriala.size(), 2u);
    EXPECT_EQ(p->lekcjeTutoriala[1], world.tutorialTips()[1]);

    world.dialogList = {{4, "END", 1, 2}, {5, "BEGIN", 1, 2}, {6, "BEGIN", 1, 2}};
    p->numerStageu = 1;
    EXPECT_EQ(p->checkDialog("BEGIN"), 5);
    EXPECT_EQ(p->checkDialog("begin"), 0);  // the word is compared exactly
    p->numerStageu = 2;
    EXPECT_EQ(p->checkDialog("END"), 0);
}

TEST_F(ProfileModelTest, ResetProfileClearsProgressButKeepsTheChoices) {
    auto p = createNewProfile("Ann");
    p->flowType = "HARD";
    p->tutorialOn = 0;
    p->allLivings = 9;
    p->hintsUsed = 4;
    p->score = 100;
    p->flowSequence = 12;
    p->gameType = "MAPA";
    p->useOfEye = 3;
    p->awardy = {world.addAward(1, 1, 1)};
    p->levele = {std::make_shared<TProfLevelData>()};
    p->actLevel = std::make_shared<FakeLevel>();
    p->resetProfile();
    EXPECT_EQ(p->flowType, "HARD");
    EXPECT_EQ(p->tutorialOn, 0);
    EXPECT_EQ(p->allLivings, 9);
    EXPECT_EQ(p->hintsUsed, 4);
    EXPECT_EQ(p->noMistakesOnLevel, 1);
    EXPECT_EQ(p->maxLevel, 1);
    EXPECT_EQ(p->score, 0);
    EXPECT_EQ(p->flowSequence, 0);
    EXPECT_EQ(p->gameType, "");
    EXPECT_EQ(p->useOfEye, 0);
    EXPECT_TRUE(p->awardy.empty());
    EXPECT_TRUE(p->levele.empty());
    EXPECT_FALSE(p->actLevel);
}

}  // namespace
