// The progressions: reading the flow files, the stage list, backgrounds and level names,
// and the lookups the profile, the stage screen and the win screen make.
#include <algorithm>
#include <set>

#include "gui/data/qcmfile.h"
#include "test_flow_support.h"

using namespace flowtest;

namespace {

class LevelManagerTest : public FlowTest {
protected:
    void writeNames() {
        write("txt/en/casual-level-names.txt", "Anchor\nFish\nSail\n\nKey\n");
        write("txt/en/hard-level-names.txt", "Seahorse\nJellyfish\nCrown\n");
    }
};

TEST_F(LevelManagerTest, ReadsEntriesNumbersGameLevelsAndDropsUntypedOnes) {
    // i = 7 while the file holds eight groups: the eighth is never read.
    write("data/flow_hard.dat", "flow {\n\ti = 7\n" + entry(1, 1, "STORY-START", 1) +
                                    entry(2, 1, "main-game", 1, "data/levels/a.lvl") +
                                    entry(3, 2, "PUZZLE-EXPRESS", 1, "data/pe/1.lvl") + entry(4, 2, "", 1) +
                                    entry(5, 1, "MAPA", 2) + entry(6, 1, "MAIN-GAME", 2, "data/levels/b.lvl") +
                                    entry(7, 3, "MAIN-GAME", 1) + entry(8, 9, "MAIN-GAME", 9) + "}\n");
    writeNames();
    levelManager.setup();

    struct Want {
        int nr;
        std::string type;
        int actual;
    };
    const Want want[] = {{1, "STORY-START", 1}, {2, "MAIN-GAME", 1}, {3, "PUZZLE-EXPRESS", 2},
                         {5, "MAPA", 3},        {6, "MAIN-GAME", 3}, {7, "MAIN-GAME", 4}};
    ASSERT_EQ(levelManager.hardLevels.size(), std::size(want));
    for (size_t i = 0; i < std::size(want); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(levelManager.hardLevels[i]->nr, want[i].nr);
        EXPECT_EQ(levelManager.hardLevels[i]->gameType, want[i].type);
        EXPECT_EQ(levelManager.hardLevels[i]->actualLevelNumber, want[i].actual);
    }
    EXPECT_EQ(levelManager.hardLevels[1]->url, bDir + "data/levels/a.lvl");
    EXPECT_EQ(levelManager.hardLevels[0]->url, bDir);

    // The dropped entry leaves a hole: the progression ends there for a profile.
    auto p = makeProfile("HARD");
    p->flowSequence = 4;
    EXPECT_EQ(levelManager.getProfileLevelData(*p), nullptr);
    p->flowSequence = 5;
    EXPECT_EQ(levelManager.getProfileLevelData(*p), levelManager.hardLevels[3]);

    // Stages from every stored hard entry, each level number once, in first appearance.
    ASSERT_EQ(levelManager.stagesList.size(), 2u);
    EXPECT_EQ(levelManager.stagesList[0]->id, 1);
    EXPECT_EQ(levelManager.stagesList[0]->levels, (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(levelManager.stagesList[1]->levels, (std::vector<std::string>{"1"}));
    EXPECT_EQ(levelManager.getStageData(9), nullptr);
    EXPECT_EQ(levelManager.giveStageData(2, 1), 0);
    EXPECT_EQ(levelManager.stagesList[1]->levels.size(), 1u);
}

TEST_F(LevelManagerTest, CasualStagesAreNotRecordedAndOverrideFileWins) {
    write("data/flow_casual.dat", "flow {\n\ti = 1\n" + entry(1, 1, "MAIN-GAME", 7) + "}\n");
    write("data/flow_hard.dat", "flow {\n\ti = 1\n" + entry(1, 1, "MAIN-GAME", 1) + "}\n");
    write("data/_testing_flow_hard.dat", "flow {\n\ti = 2\n" + entry(1, 4, "MAIN-GAME", 3) +
                                             entry(2, 5, "MAIN-GAME", 3) + "}\n");
    writeNames();
    levelManager.setup();
    ASSERT_EQ(levelManager.hardLevels.size(), 2u);
    EXPECT_EQ(levelManager.hardLevels[0]->numer, 4);
    EXPECT_EQ(levelManager.getStageData(7), nullptr);
    ASSERT_NE(levelManager.getStageData(3), nullptr);
    EXPECT_EQ(levelManager.getStageData(1), nullptr);
}

TEST_F(LevelManagerTest, MissingFilesGiveEmptyProgressionsWithoutFailing) {
    levelManager.setup();
    EXPECT_TRUE(levelManager.casualLevels.empty());
    EXPECT_TRUE(levelManager.hardLevels.empty());
    EXPECT_EQ(levelManager.getBackgroundUrl(1), "");
    auto p = makeProfile("CASUAL");
    p->flowSequence = 1;
    EXPECT_EQ(levelManager.getProfileLevelData(*p), nullptr);
    EXPECT_EQ(levelManager.getNameByLevelData(1), "");
}

TEST_F(LevelManagerTest, LookupsByStageLevelAndFlowType) {
    write("data/flow_casual.dat", "flow {\n\ti = 5\n" + entry(1, 1, "MAPA", 1) + entry(2, 1, "MAIN-GAME", 1) +
                                      entry(3, 2, "LAY-PUZZLE", 1) + entry(4, 1, "STORY-FLOW-2", 2) +
                                      entry(5, 3, "MAIN-GAME", 2) + "}\n");
    write("data/flow_hard.dat", "flow {\n\ti = 3\n" + entry(1, 1, "MAIN-GAME", 1) + entry(2, 2, "CREDITS", 1) +
                                    entry(3, 3, "MAIN-GAME", 4) + "}\n");
    writeNames();
    levelManager.setup();

    struct Case {
        std::string flow;
        int level;
        int stage;
    };
    const Case stages[] = {{"CASUAL", 3, 2}, {"CASUAL", 2, 1}, {"HARD", 3, 4},
                           {"HARD", 7, 0},   {"casual", 3, 0}, {"", 1, 0}};
    for (const auto& c : stages) EXPECT_EQ(levelManager.getStageNumberByLevel(c.flow, c.level), c.stage) << c.flow;

    // Map and story entries are not listed on the stage screen; unknown kinds are.
    auto casual1 = levelManager.getCasualLevelsByStage(1);
    ASSERT_EQ(casual1.size(), 2u);
    EXPECT_EQ(casual1[0]->nr, 2);
    EXPECT_EQ(casual1[1]->gameType, "LAY-PUZZLE");
    EXPECT_EQ(levelManager.getHardLevelsByStage(1).size(), 2u);
    EXPECT_TRUE(levelManager.getCasualLevelsByStage(9).empty());
    // The lists hand out the stored entries.
    EXPECT_EQ(casual1[0], levelManager.casualLevels[1]);

    EXPECT_EQ(levelManager.getCasualLevelData(2, 3), levelManager.casualLevels[4]);
    EXPECT_EQ(levelManager.getHardLevelData(2, 3), nullptr);

    // Exact flow type for the position; upper-cased for the entry in play and its name.
    auto p = makeProfile("casual", 2, 3);
    p->flowSequence = 5;
    EXPECT_EQ(levelManager.getProfileLevelData(*p), nullptr);
    EXPECT_EQ(levelManager.getActualLevelData(), levelManager.casualLevels[4]);
    EXPECT_EQ(levelManager.getNameByLevelData(3), "Sail");
    EXPECT_EQ(levelManager.getNameByLevelData(4), "");  // an empty line counts
    EXPECT_EQ(levelManager.getNameByLevelData(5), "Key");
    EXPECT_EQ(levelManager.getNameByLevelData(0), "");
    EXPECT_EQ(levelManager.getNameByLevelData(6), "");
    p->flowType = "HARD";
    EXPECT_EQ(levelManager.getNameByLevelData(2), "Jellyfish");
    p->flowType = "EASY";
    EXPECT_EQ(levelManager.getActualLevelData(), nullptr);
    EXPECT_EQ(levelManager.getNameByLevelData(1), "");
    profileManager.profile = nullptr;
    EXPECT_EQ(levelManager.getActualLevelData(), nullptr);
}

TEST_F(LevelManagerTest, BackgroundsAreTrimmedAndBoundedByTheList) {
    write("data/stagebackgrounds.dat", "stagesBackground {\n\ti = 3\n\tstage1 = \" 04 \"\n\tstage3 = \"11\"\n"
                                       "\tstage4 = \"99\"\n}\n");
    writeNames();
    levelManager.setup();
    EXPECT_EQ(levelManager.getBackgroundUrl(1), "gfx/backgrounds/background-04.jpg");
    EXPECT_EQ(levelManager.getBackgroundUrl(2), "gfx/backgrounds/background-.jpg");
    EXPECT_EQ(levelManager.getBackgroundUrl(3), "gfx/backgrounds/background-11.jpg");
    EXPECT_EQ(levelManager.getBackgroundUrl(0), "");
    EXPECT_EQ(levelManager.getBackgroundUrl(4), "");
    EXPECT_EQ(levelManager.getBackgroundUrl(-1), "");
}

TEST_F(LevelManagerTest, StagePredicatesAndFirstUnplayedLevel) {
    write("data/flow_hard.dat", "flow {\n\ti = 4\n" + entry(1, 1, "MAPA", 2) + entry(2, 1, "MAIN-GAME", 2) +
                                    entry(3, 2, "MAIN-GAME", 2) + entry(4, 3, "MAIN-GAME", 2) + "}\n");
    writeNames();
    levelManager.setup();
    auto stage = levelManager.getStageData(2);
    ASSERT_NE(stage, nullptr);
    auto p = makeProfile("HARD", 2, 1);

    EXPECT_EQ(stage->isAtLeastOneLevelPassed(), 0);
    EXPECT_EQ(levelManager.firstUnplayedLevel(*p, 2), levelManager.hardLevels[1]);
    addRecord(*p, 1, 2, 0);
    EXPECT_EQ(stage->isAtLeastOneLevelPassed(), 0);  // a record not passed does not count
    addRecord(*p, 2, 2, 1);
    addRecord(*p, 1, 3, 1);                          // another stage's level 1
    EXPECT_EQ(stage->isAtLeastOneLevelPassed(), 1);
    EXPECT_EQ(stage->areAllLevelsFinished(), 0);
    EXPECT_EQ(levelManager.firstUnplayedLevel(*p, 2), levelManager.hardLevels[1]);
    p->levele[0]->passed = 1;
    EXPECT_EQ(levelManager.firstUnplayedLevel(*p, 2), levelManager.hardLevels[3]);
    addRecord(*p, 3, 2, 1);
    EXPECT_EQ(stage->areAllLevelsFinished(), 1);
    EXPECT_EQ(levelManager.firstUnplayedLevel(*p, 2), nullptr);

    TStageData empty;
    empty.id = 5;
    EXPECT_EQ(empty.isAtLeastOneLevelPassed(), 0);
    EXPECT_EQ(empty.areAllLevelsFinished(), 1);
}

TEST_F(LevelManagerTest, EntryHoverFadeAndPlayable) {
    TFlowEntry e;
    e.dOverA = 1;
    for (int i = 0; i < 19; ++i) e.update();
    EXPECT_LT(e.overA, 1.0f);
    e.update();
    EXPECT_FLOAT_EQ(e.overA, 1.0f);
    e.update();
    EXPECT_EQ(e.overA, 1.0f);
    e.dOverA = 0;
    delta = 30;
    e.update();
    EXPECT_EQ(e.overA, 0.0f);

    const std::pair<const char*, int> kinds[] = {{"MAPA", 0},       {"STORY", 0},      {"STORY-FLOW-2", 0},
                                                 {"story-start", 0}, {"MAIN-GAME", 1},  {"LAY-PUZZLE", 1},
                                                 {"CREDITS", 1},    {"STOR", 1}};
    for (const auto& [type, playable] : kinds) {
        e.gameType = type;
        EXPECT_EQ(e.playable(), playable) << type;
    }
}

}  // namespace
