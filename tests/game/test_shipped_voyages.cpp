// The two shipped voyages as a player meets them: every stage fills the stage screen's row
// of six with mostly nonograms, the boards grow along the voyage, a stage does not get easier
// as it goes, every nonogram has a picture and a name of its own, and every mini-game stop
// is a level of its own: none is played in both voyages, and the hard voyage's scenes hide
// more things than the casual one's.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "game/board/level.h"
#include "game/flow/level_manager.h"
#include "game/level/levelfile.h"
#include "game/level/solver.h"
#include "gui/data/qcmfile.h"
#include "gui/globals.h"
#include "shipped_levels_fixture.h"

namespace {

// The shipped level library with both voyages read from the tree.
class ShippedVoyages : public shipped::ShippedLevels {
protected:
    void SetUp() override {
        ShippedLevels::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        oldLang = lang;
        lang = "en";
        levelManager.clear();
        levelManager.setup();
    }
    void TearDown() override {
        levelManager.clear();
        if (oldLang) lang = *oldLang;
        ShippedLevels::TearDown();
    }
    std::optional<std::string> oldLang;  // the language before the voyages' names were read
};

// What the voyage needs to know of one nonogram.
struct Board {
    int cells = 0;
    int passes = 0;
    bool tutorial = false;
    nonogram::Picture picture;
};

Board board(const std::string& url) {
    std::vector<std::string> problems;
    auto lvl = loadLevel(url, 1, &problems);
    Board b;
    if (!lvl || !problems.empty()) return b;
    b.picture = nonogram::pictureOf(*lvl);
    nonogram::Result res;
    if (!nonogram::lineSolvable(b.picture, &res)) return b;
    b.cells = lvl->rows * lvl->cols;
    b.passes = res.passes;
    b.tutorial = lvl->tutorialLevel != 0;
    return b;
}

TEST_F(ShippedVoyages, EveryStageFillsARowOfTheStageScreenAndTheVoyageGrows) {
    for (const std::string flow : {"CASUAL", "HARD"}) {
        SCOPED_TRACE(flow);
        const auto& entries = flow == "HARD" ? levelManager.hardLevels : levelManager.casualLevels;
        ASSERT_FALSE(entries.empty());
        EXPECT_EQ(entries.front()->gameType, "STORY-START");

        // Each stage is reached through its map entry before any of its levels is played.
        std::set<int32_t> mapped, stages;
        for (const auto& e : entries) {
            if (e->gameType == "MAPA") mapped.insert(e->stageN);
            if (isGameEntryType(e->gameType)) {
                EXPECT_TRUE(mapped.count(e->stageN)) << "entry " << e->nr << " comes before its stage's map";
                stages.insert(e->stageN);
            }
        }
        ASSERT_EQ(stages.size(), 10u);

        int nonograms = 0;
        Board last;
        for (int32_t s : stages) {
            SCOPED_TRACE("stage " + std::to_string(s));
            const auto listed =
                flow == "HARD" ? levelManager.getHardLevelsByStage(s) : levelManager.getCasualLevelsByStage(s);
            EXPECT_GE(listed.size(), 6u);
            int here = 0;
            Board before;  // the stage's previous nonogram
            for (const auto& e : listed) {
                if (e->gameType != "MAIN-GAME") continue;
                SCOPED_TRACE(e->url);
                ++here;
                const Board b = board(e->url);
                ASSERT_GT(b.cells, 0) << "does not load or is not solved by line logic";
                EXPECT_GE(b.cells, last.cells) << "a smaller board than the one before it";
                // A board of the same size as the one before it in the stage is no easier,
                // the first level's lesson aside.
                if (before.cells == b.cells && !before.tutorial) {
                    EXPECT_GE(b.passes, before.passes) << "easier than the level before it";
                }
                before = last = b;
            }
            EXPECT_GE(here, 4);
            nonograms += here;
        }
        EXPECT_GE(nonograms, 40);
    }
    EXPECT_TRUE(notices.empty()) << notices.front();
}

TEST_F(ShippedVoyages, EveryNonogramHasAPictureAndANameOfItsOwn) {
    std::map<std::vector<int8_t>, std::string> pictures;  // cells (with the width) -> url
    for (const std::string flow : {"CASUAL", "HARD"}) {
        SCOPED_TRACE(flow);
        const auto& entries = flow == "HARD" ? levelManager.hardLevels : levelManager.casualLevels;
        std::map<std::string, int32_t> names;
        for (const auto& e : entries) {
            if (!isGameEntryType(e->gameType)) continue;
            // The win screen's name of the level: its line of the voyage's name text.
            const std::string name = levelManager.nameFor(flow, e->actualLevelNumber);
            EXPECT_FALSE(name.empty()) << "entry " << e->nr << " has no name";
            const auto [at, fresh] = names.emplace(name, e->nr);
            EXPECT_TRUE(fresh) << "\"" << name << "\" names entries " << at->second << " and " << e->nr;
            if (e->gameType != "MAIN-GAME") continue;
            const Board b = board(e->url);
            auto key = b.picture.cells;
            key.push_back(int8_t(b.picture.cols));
            const auto [p, first] = pictures.emplace(key, e->url);
            // Across both voyages a picture is played once, in whichever file.
            EXPECT_TRUE(first) << e->url << " shows the picture of " << p->second;
        }
    }
}

TEST_F(ShippedVoyages, EveryMiniGameLevelIsPlayedInOneVoyageOnly) {
    std::map<std::string, std::string> voyageOf;  // mini-game level file -> the voyage that plays it
    std::map<std::string, std::vector<int32_t>> sceneThings;  // voyage -> things of each scene
    for (const std::string flow : {"CASUAL", "HARD"}) {
        SCOPED_TRACE(flow);
        const auto& entries = flow == "HARD" ? levelManager.hardLevels : levelManager.casualLevels;
        std::set<std::string> kinds;
        for (const auto& e : entries) {
            if (!isGameEntryType(e->gameType) || e->gameType == "MAIN-GAME") continue;
            kinds.insert(e->gameType);
            const auto [at, fresh] = voyageOf.emplace(e->url, flow);
            EXPECT_TRUE(fresh) << e->url << " is played by the " << at->second << " voyage as well";
            if (e->gameType != "HIDDEN-OBJECT") continue;
            const auto scene = loadQCMFile(e->url);
            const int32_t things = scene->getInt("level::objects::i");
            EXPECT_GT(things, 0) << e->url;
            sceneThings[flow].push_back(things);
        }
        // Each of the three mini-games has its stops in both voyages.
        EXPECT_EQ(kinds.size(), 3u);
    }
    ASSERT_FALSE(sceneThings["CASUAL"].empty());
    ASSERT_FALSE(sceneThings["HARD"].empty());
    // The hard voyage's scenes each hide more than any casual scene.
    const int32_t casualMost = *std::max_element(sceneThings["CASUAL"].begin(), sceneThings["CASUAL"].end());
    const int32_t hardFewest = *std::min_element(sceneThings["HARD"].begin(), sceneThings["HARD"].end());
    EXPECT_GT(hardFewest, casualMost);
}

}  // namespace
