// The progressions with the stage map: a profile walking them marks each new stage on the
// map, and the shipped progressions and stages cover the whole chart.
#include <algorithm>
#include <map>
#include <set>

#include "gui/data/qcmfile.h"
#include "gui/text/type_style.h"
#include "map_fixture.h"

using namespace flowtest;

namespace {

class MapProgressionTest : public MapFlowTest {
protected:
    void writeNames() {
        write("txt/en/casual-level-names.txt", "Anchor\nFish\nSail\n\nKey\n");
        write("txt/en/hard-level-names.txt", "Seahorse\nJellyfish\nCrown\n");
    }
};

// The profile walks the progressions through the flow world: positions, map visits and
// the new-stage mark on the map.
TEST_F(MapProgressionTest, ProfileAdvancesThroughTheFlowWorld) {
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

// How the map marks each stage: "closed", "cross" (open, not every level won) or "check"
// (every level won), with "+gold" for the label of the stage where the voyage goes on.
class MapMarksTest : public MapProgressionTest {
protected:
    void SetUp() override {
        MapProgressionTest::SetUp();
        write("data/flow_hard.dat", "flow {\n\ti = 10\n" + entry(1, 1, "STORY-START", 1) + entry(2, 1, "MAPA", 1) +
                                        entry(3, 1, "MAIN-GAME", 1, "data/h1.lvl") +
                                        entry(4, 2, "MAIN-GAME", 1, "data/h2.lvl") +
                                        entry(5, 3, "HIDDEN-OBJECT", 1, "data/h3.hol") + entry(6, 1, "MAPA", 2) +
                                        entry(7, 1, "MAIN-GAME", 2, "data/h4.lvl") +
                                        entry(8, 2, "MAIN-GAME", 2, "data/h5.lvl") + entry(9, 1, "MAPA", 3) +
                                        entry(10, 1, "MAIN-GAME", 3, "data/h6.lvl") + "}\n");
        std::string stages = "mapStages {\n\ti = 3\n";
        for (int k = 1; k <= 3; ++k)
            stages += "\tstage" + std::to_string(k) + " {\n\t\tposition = " + std::to_string(200 * k) + ", " +
                      std::to_string(100 * k) + "\n\t\tid = " + std::to_string(k) + "\n\t\tname = " +
                      std::to_string(k + 1) + "\n\t}\n";
        write("data/mapStages.dat", stages + "}\n");
        write("txt/en/stageScreen.txt", "Level\nOne\nTwo\nThree\n");
        writeNames();
        for (const char* f : {"stage-0", "stage-1", "stage-done"}) writePng(std::string("gfx/gui/mapa/") + f + ".png", 40, 40);
        writePng("gfx/gui/mapa/label.png", 60, 30);
        ASSERT_TRUE(Graphics(1024, 768, 0, 60));
        levelManager.setup();
        mapa._setupStages();
        player = makeProfile("HARD");
        player->startNewGame();
    }
    void TearDown() override {
        CloseGraphics();
        MapProgressionTest::TearDown();
    }
    // The next entry, won when it is a game.
    std::string playNext() {
        std::string place = player->getNextLevel();
        if (isGameEntryType(place)) player->updateLevelData(player->numerLevelu, 1, 10, 1, 0, 1);
        return place;
    }
    // A visit of the map: the picture of every marker and its label's tint.
    std::map<int, std::string> marks() {
        mapa.prepare();
        ClearRecordedDraws();
        mapa.draw();
        std::map<int, std::string> out;
        std::vector<DrawCall> labels;
        for (const auto& d : RecordedDraws()) {
            if (d.what.find("label.png") != std::string::npos) labels.push_back(d);
            if (d.kind != DrawCall::Image || d.blend != ALPHABLEND) continue;
            for (const auto& s : mapa.mapStages) {
                if (d.x != s->x || d.y != s->y) continue;
                if (d.what.find("stage-done.png") != std::string::npos) out[s->id] = "check";
                else if (d.what.find("stage-1.png") != std::string::npos) out[s->id] = "cross";
                else if (d.what.find("stage-0.png") != std::string::npos) out[s->id] = "closed";
            }
        }
        // Each label is three pieces, in marker order.
        EXPECT_EQ(labels.size(), 3 * mapa.mapStages.size());
        for (size_t k = 0; k < mapa.mapStages.size() && 3 * k < labels.size(); ++k)
            if (labels[3 * k].r == typestyle::kGold.r && labels[3 * k].b == typestyle::kGold.b)
                out[mapa.mapStages[k]->id] += "+gold";
        return out;
    }
    using Marks = std::map<int, std::string>;
    std::shared_ptr<TProfile> player;
};

// Playing a level of a finished stage again moves the player's position back to it; the
// finished stage keeps its check, and the cross and the gilded label stay on the stage the
// voyage goes on to, on the map visits that follow the replay.
TEST_F(MapMarksTest, ALevelOfAFinishedStagePlayedAgainLeavesTheMarksWhereTheVoyageIs) {
    for (const char* place : {"STORY-START", "MAPA"}) ASSERT_EQ(playNext(), place);
    EXPECT_EQ(marks(), (Marks{{1, "cross+gold"}, {2, "closed"}, {3, "closed"}}));
    for (const char* place : {"MAIN-GAME", "MAIN-GAME", "HIDDEN-OBJECT", "MAPA"}) ASSERT_EQ(playNext(), place);
    EXPECT_EQ(marks(), (Marks{{1, "check"}, {2, "cross+gold"}, {3, "closed"}}));
    ASSERT_EQ(player->numerStageu, 2);

    // Stage 1, level 2 again, chosen on the map, and won.
    setStageScreenRunner([](TMapStage&) { return TStageChoice{"PLAY", levelManager.getHardLevelData(1, 2)}; });
    mapa.clickStage(*mapa.getMapStage(1));
    ASSERT_EQ(mapa.wynik, "MAIN-GAME");
    ASSERT_EQ(player->numerStageu, 1);
    player->updateLevelData(player->numerLevelu, 1, 20, 1, 0, 1);
    // Back on the map from the level's menu, and again from the entry after it.
    EXPECT_EQ(marks(), (Marks{{1, "check"}, {2, "cross+gold"}, {3, "closed"}}));
    ASSERT_EQ(playNext(), "HIDDEN-OBJECT");
    EXPECT_EQ(marks(), (Marks{{1, "check"}, {2, "cross+gold"}, {3, "closed"}}));
    // A new start of the program keeps no new stage; stage 1 is still marked won.
    mapa.newStage = nullptr;
    EXPECT_EQ(marks()[1], "check");

    // The whole voyage won: every stage with its check, no label gilded.
    for (const char* place : {"MAPA", "MAIN-GAME", "MAIN-GAME", "MAPA", "MAIN-GAME"}) ASSERT_EQ(playNext(), place);
    EXPECT_EQ(marks(), (Marks{{1, "check"}, {2, "check"}, {3, "check"}}));
}

// The shipped progressions and stage files: ten stages on the map, each with its map
// entry and at least three nonogram levels in both progressions, a background and a title,
// and every level file present in the tree; each voyage told from its story to its outro,
// with the interludes, every mini-game and boards that grow.
TEST_F(MapProgressionTest, DefaultTreeProgressionsCoverEveryStage) {
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
            games += e->gameType == "MAIN-GAME";
            // A fresh level at every stop: no nonogram, block puzzle or inlay comes twice.
            if (e->gameType == "MAIN-GAME" || e->gameType == "PUZZLE-EXPRESS" || e->gameType == "LAY-PUZZLE") {
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
        // Ashore on the treasure island's plaza between its last level and the outro.
        EXPECT_EQ((*flow)[flow->size() - 2]->gameType, "STORY-PLAZA");
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
