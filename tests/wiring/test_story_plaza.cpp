// The story plaza on the shipped voyages: the program's own places pass it, without a
// frame, from the treasure island's last level on to the outro.
#include <filesystem>
#include <string>

#include "app/test_profile_support.h"
#include "game/flow/level_manager.h"
#include "wiring/wiring.h"

namespace {

class StoryPlazaWiring : public ProfileTest {
protected:
    void TearDown() override {
        control::reset();
        levelManager.clear();
        ResetHarness();
        ProfileTest::TearDown();
    }
    // One pass of the router from `place`; where it leads.
    static std::string pass(const std::string& place) {
        control::setWhere(place);
        control::runPass();
        return control::where;
    }
};

TEST_F(StoryPlazaWiring, TheShippedVoyagesPassThePlazaOnToTheOutro) {
    std::string tree = std::string(ZERKON_BINARY_DIR) + "/assets";
    if (const char* env = std::getenv("ZERKON_ASSET_TREE")) tree = env;
    if (!std::filesystem::exists(tree + "/data/flow_casual.dat")) GTEST_SKIP() << "no built asset tree at " << tree;
    bDir = tree + "/";
    lang = "en";
    // The places as the program binds them.
    installScreens();
    installPlaces();
    levelManager.setup();

    for (const char* flow : {"CASUAL", "HARD"}) {
        SCOPED_TRACE(flow);
        const auto& entries = std::string(flow) == "HARD" ? levelManager.hardLevels : levelManager.casualLevels;
        ASSERT_GE(entries.size(), 3u);
        // Between the last level, won on the treasure island, and the outro.
        const auto& plaza = entries[entries.size() - 2];
        ASSERT_EQ(plaza->gameType, "STORY-PLAZA");
        EXPECT_EQ(entries[entries.size() - 3]->gameType, "MAIN-GAME");
        EXPECT_EQ(entries.back()->gameType, "STORY-OUTRO");
        EXPECT_EQ(plaza->stageN, entries[entries.size() - 3]->stageN);

        auto p = createNewProfile(std::string("Ann") + flow);
        p->flowType = flow;
        p->flowSequence = plaza->nr - 1;
        profileManager.listaProfili.push_back(p);
        profileManager.profile = p;
        globalSnd.lastMusic = "sea-10";
        HarnessStart({}, 100);

        ASSERT_EQ(pass("GET-NEXT-LEVEL"), "STORY-PLAZA");
        // Advancing saved the player at the plaza.
        EXPECT_NE(read("/Profiles/" + p->id + "/profile.dat").find("STORY-PLAZA"), std::string::npos);
        EXPECT_EQ(pass("STORY-PLAZA"), "GET-NEXT-LEVEL");
        EXPECT_EQ(HarnessFrameNumber(), 0);
        EXPECT_EQ(globalSnd.lastMusic, "sea-10");
        EXPECT_EQ(pass("GET-NEXT-LEVEL"), "STORY-OUTRO");
        EXPECT_EQ(p->flowSequence, entries.back()->nr);
        EXPECT_NE(read("/Profiles/" + p->id + "/profile.dat").find("STORY-OUTRO"), std::string::npos);
        EXPECT_TRUE(notices.empty()) << notices.front();
        ResetHarness();
    }
}

}  // namespace
