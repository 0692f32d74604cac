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

// The profile walks the progressions through the flow world: positions, map visits and
// the new-stage mark on the map.
TEST_F(LevelManagerTest, ProfileAdvancesThroughTheFlowWorld) {
    write("data/flow_casual.dat", "flow {\n\ti = 4\n" + entry(1, 1, "MAPA", 1) +
                                      entry(2, 1, "MAIN-GAME", 1, "data/levels/c1.lvl") + entry(3, 1, "MAPA", 2) +
                                      entry(4, 1, "MAIN-GAME", 2, "data/levels/c2.lvl") + "}\n");
    write("data/flow_hard.dat", "flow {\n\ti = 2\n" + entry(1, 1, "MAPA", 1) + entry(2, 1, "MAPA", 2) + "}\n");
    write("data/mapStages.dat", "mapStages {\n\ti = 2\n\tstage1 {\n\t\tposition = 100, 100\n\t\tid = 1\n\t\tname = 2\n"
                                "\t}\n\tstage2 {\n\t\tposition = 300, 300\n\t\tid = 2\n\t\tname = 3\n\t}\n}\n");
    write("txt/en/stageScreen.txt", "Level\nOne\nTwo\n");
    writeNames();
    levelManager.setup();
    mapa._setupStages();

    auto p = makeProfile("CASUAL");
    p->startNewGame();
    EXPECT_EQ(p->getNextLevel(), "MAPA");
    ASSERT_NE(mapa.newStage, nullptr);
    EXPECT_EQ(mapa.newStage->id, 1);
    EXPECT_EQ(p->getNextLevel(), "MAIN-GAME");
    EXPECT_EQ(world.loadedUrls, (std::vector<std::string>{bDir + "data/levels/c1.lvl"}));
    EXPECT_EQ(p->getMyLevelData(), levelManager.casualLevels[1]);
    EXPECT_EQ(p->getLeveleForStage(1).size(), 1u);
    p->levele.back()->passed = 1;
    EXPECT_EQ(p->getNextLevel(), "MAPA");
    EXPECT_EQ(mapa.newStage->id, 2);
    EXPECT_EQ(p->getNextLevel(), "MAIN-GAME");
    EXPECT_EQ(p->numerStageu, 2);
    EXPECT_EQ(p->getNextLevel(), "END-OF-LEVELS");
}

// The shipped progressions and stage files: ten stages on the map, each with its map
// entry and at least three nonogram levels in both progressions, a background and a title,
// and every level file present in the tree; each voyage told from its story to its outro,
// with the interludes, every mini-game and boards that grow.
TEST_F(LevelManagerTest, DefaultTreeProgressionsCoverEveryStage) {
    std::string tree = std::string(ZERKON_SOURCE_DIR) + "/assets/tree/";
    if (!std::filesystem::exists(tree + "data/flow_casual.dat")) GTEST_SKIP() << "no asset sources at " << tree;
    bDir = tree;
    levelManager.setup();
    mapa._setupStages();

    ASSERT_EQ(mapa.mapStages.size(), 10u);
    ASSERT_EQ(levelManager.backgroundsByStages.size(), 10u);
    for (const auto* flow : {&levelManager.casualLevels, &levelManager.hardLevels}) {
        std::set<std::string> urls;
        int games = 0;
        for (const auto& e : *flow) {
            if (e->gameType == "MAIN-GAME") {
                ++games;
                EXPECT_TRUE(std::filesystem::exists(e->url)) << e->url;
                EXPECT_TRUE(urls.insert(e->url).second) << "played twice: " << e->url;
            }
        }
        // The level names count every game entry, mini-games included.
        const auto& names = flow == &levelManager.casualLevels ? levelManager.casualNames : levelManager.hardNames;
        int allGames = 0;
        for (const auto& e : *flow) allGames += isGameEntryType(e->gameType);
        EXPECT_GE(int(names.size()), allGames);
        for (const auto& e : *flow) {
            if (e->gameType == "MAIN-GAME" && e->actualLevelNumber <= int(names.size())) {
                EXPECT_NE(names[size_t(e->actualLevelNumber - 1)], "") << e->url;
            }
        }
        // The voyage opens with its story and ends with the outro; the text interludes are on it.
        ASSERT_FALSE(flow->empty());
        EXPECT_EQ(flow->front()->gameType, "STORY-START");
        EXPECT_EQ(flow->back()->gameType, "STORY-OUTRO");
        for (const char* interlude : {"STORY-FLOW-2", "STORY-FLOW-4", "STORY-FLOW-5", "STORY-FLOW-6"})
            EXPECT_EQ(std::count_if(flow->begin(), flow->end(), [&](const auto& e) { return e->gameType == interlude; }), 1)
                << interlude;
        // Each mini-game comes at least twice, the first time within the first three stages.
        for (const char* mini : {"HIDDEN-OBJECT", "PUZZLE-EXPRESS", "LAY-PUZZLE"}) {
            std::vector<int> stages;
            for (const auto& e : *flow)
                if (e->gameType == mini) stages.push_back(e->stageN);
            EXPECT_GE(stages.size(), 2u) << mini;
            EXPECT_TRUE(!stages.empty() && stages.front() <= 3) << mini;
        }
        // The story map comes after the win of stage 1, level 4: that level is a nonogram.
        bool storyMap = false;
        for (const auto& e : *flow) storyMap |= e->stageN == 1 && e->numer == 4 && e->gameType == "MAIN-GAME";
        EXPECT_TRUE(storyMap);
        // A level's record is kept by its number and stage: no two game entries share them.
        std::set<std::pair<int, int>> keys;
        for (const auto& e : *flow) {
            if (isGameEntryType(e->gameType)) {
                EXPECT_TRUE(keys.insert({e->numer, e->stageN}).second)
                    << "level " << e->numer << " of stage " << e->stageN << " twice: " << e->url;
            }
        }
        // The boards grow along the voyage: no nonogram is of a smaller size class than one before.
        int lastSize = 0;
        for (const auto& e : *flow) {
            if (e->gameType != "MAIN-GAME") continue;
            const int size = int(loadQCMFile(e->url)->getFloat("level::data::size"));
            EXPECT_GE(size, lastSize) << e->url;
            lastSize = std::max(lastSize, size);
        }
        for (int stage = 1; stage <= 10; ++stage) {
            SCOPED_TRACE("stage " + std::to_string(stage));
            int levels = 0, maps = 0;
            for (const auto& e : *flow)
                if (e->stageN == stage) {
                    levels += e->gameType == "MAIN-GAME";
                    maps += e->gameType == "MAPA";
                }
            EXPECT_GE(levels, 3);
            EXPECT_EQ(maps, 1);
        }
        // Each stage's map entry comes before its levels, so a stage is announced on the map.
        int lastStage = 0;
        for (const auto& e : *flow) {
            EXPECT_GE(e->stageN, lastStage);
            if (e->stageN != lastStage && isGameEntryType(e->gameType)) ADD_FAILURE() << "no map entry before " << e->url;
            if (e->gameType == "MAPA") lastStage = e->stageN;
        }
    }
    for (int stage = 1; stage <= 10; ++stage) {
        auto marker = mapa.getMapStage(stage);
        ASSERT_NE(marker, nullptr) << stage;
        EXPECT_NE(marker->title, "(BEYOND TEXT ARRAY LENGTH!)");
        EXPECT_NE(levelManager.getStageData(stage), nullptr);
        EXPECT_NE(levelManager.getBackgroundUrl(stage), "");
    }
    // The pictures exist in the built tree when there is one.
    std::string built = std::string(ZERKON_BINARY_DIR) + "/assets/";
    if (const char* env = std::getenv("ZERKON_ASSET_TREE")) built = std::string(env) + "/";
    if (std::filesystem::exists(built + "gfx")) {
        for (int stage = 1; stage <= 10; ++stage)
            EXPECT_TRUE(std::filesystem::exists(built + levelManager.getBackgroundUrl(stage))) << stage;
        for (const char* f : {"gfx/gui/mapa/mapa.jpg", "gfx/gui/mapa/stage-0.png", "gfx/gui/mapa/stage-1.png",
                              "gfx/gui/mapa/arrow.png", "gfx/gui/mapa/rekin.png", "gfx/gui/mapa/panel.png",
                              "gfx/efekty/chmura-1.png", "gfx/efekty/chmura-2.png"})
            EXPECT_TRUE(std::filesystem::exists(built + f)) << f;
    }
}

}  // namespace
