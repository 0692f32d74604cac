// A shipped level of the built asset tree taken by the profile's world, handed to the play
// screen and played through its loop: won by uncovering every picture cell, lost by
// uncovering empty ones. Skipped without a built tree (ZERKON_ASSET_TREE or build/assets).
#include <cstdlib>
#include <filesystem>

#include "app/loading/loading_screen.h"
#include "app/profile/profile_world.h"
#include "app/router.h"
#include "game/level/sets.h"
#include "gui/globals.h"
#include "test_play_support.h"

namespace {

std::string builtTree() {
    if (const char* env = std::getenv("ZERKON_ASSET_TREE")) return env;
    return std::string(ZERKON_BINARY_DIR) + "/assets";
}

class ShippedPlayTest : public playtest::PlayTest {
protected:
    std::vector<std::string> notices;

    void SetUp() override {
        const std::string tree = builtTree();
        if (!std::filesystem::exists(tree + "/data/levels/casual/001.lvl") ||
            !std::filesystem::exists(tree + "/gfx/gui/mainGame/gui.png"))
            GTEST_SKIP() << "no built asset tree at " << tree;
        PlayTest::SetUp();
        // The same draws whatever ran before: a sea creature turning up would add its bonus
        // to the score the won level counts.
        SeedRnd(7);
        SetNotifyHandler([this](const std::string& s) { notices.push_back(s); });
        bDir = tree + "/";
        lang = "en";
        installPlayScreen();
        installPlayWorld();
        setServicesLink(&services);
        resetTileSets();
    }
    void TearDown() override {
        if (IsSkipped()) return;
        setProfileWorld(nullptr);
        control::reset();
        SetNotifyHandler(nullptr);
        PlayTest::TearDown();
        resetTileSets();
        resetGuiGlobals();
    }
    // The profile's part of a level start: the world loads the file and hands it over.
    void takeLevel(const std::string& file) {
        auto inProgress = profileWorld().loadLevel("MAIN-GAME", bDir + file, 1);
        ASSERT_TRUE(inProgress);
        ASSERT_TRUE(inProgress->playable());
        profileWorld().playSetCounters(TPlayCounters{});
        profileWorld().playSetLevel(inProgress);
        profileWorld().playStartLevel();
        ASSERT_TRUE(mainGame.level());
        level = std::shared_ptr<TLevel>(mainGame.levelPtr);
        mainGame.prepare();
    }
};

TEST_F(ShippedPlayTest, ALevelWonByUncoveringItsPicture) {
    takeLevel("data/levels/casual/002.lvl");
    ASSERT_TRUE(runUntilState("NORMAL"));
    int pictures = 0;
    for (int r = 0; r < level->rows; ++r)
        for (int c = 0; c < level->cols; ++c)
            if (cell(r, c).td && cell(r, c).td->id != 0) {
                click(cell(r, c));
                ++pictures;
            }
    ASSERT_GT(pictures, 0);
    ASSERT_TRUE(runUntilState("WIN-1", 1200)) << mainGame.state;
    EXPECT_EQ(profile->mistakes, 0);
    EXPECT_EQ(mainGame.recordedScore, 25 * pictures);
    ASSERT_GT(runToEnd(3000), 0);
    EXPECT_EQ(mainGame.wynik, "GET-NEXT-LEVEL");
    // The empty cells the win broke scored during the win sequence.
    EXPECT_EQ(level->score, 25 * level->rows * level->cols);
    EXPECT_EQ(winShown, 1);
}

TEST_F(ShippedPlayTest, ALevelLostByUncoveringEmptyCells) {
    takeLevel("data/levels/casual/002.lvl");
    loseAnswers = {"RESTART"};
    ASSERT_TRUE(runUntilState("NORMAL"));
    const int budget = level->maxMistakes;
    for (int r = 0; r < level->rows && mainGame.state == "NORMAL"; ++r)
        for (int c = 0; c < level->cols && mainGame.state == "NORMAL"; ++c)
            if (cell(r, c).td && cell(r, c).td->id == 0) {
                click(cell(r, c));
                runFrames(120);
            }
    // The lose wait may already have ended inside the last 120 frames (it waits for the
    // debris to clear), so the level is in "LOSE" or already past it.
    ASSERT_TRUE(mainGame.state == "LOSE" || mainGame.state == "LOSE-END") << mainGame.state;
    EXPECT_EQ(profile->mistakes, budget);
    loseAnswers = {"RESTART"};
    ASSERT_GT(runToEnd(3000), 0);
    EXPECT_EQ(mainGame.wynik, "RESTART-LEVEL");
    EXPECT_TRUE(mainGame.state == "LOSE" || mainGame.state == "LOSE-END") << mainGame.state;
}

TEST_F(ShippedPlayTest, ResourcesOfTheLoadingScreenAreNotLoadedAgainAtTheFirstLevel) {
    resetLoadingScreen();
    loadingScreen.PART1();
    loadingScreen.PART2();
    const TImage panel = mainGame.panel;
    const auto gui = mainGame.Gui;
    ASSERT_TRUE(panel);
    takeLevel("data/levels/casual/002.lvl");
    EXPECT_EQ(mainGame.panel, panel);
    EXPECT_EQ(mainGame.Gui, gui);
    resetLoadingScreen();
}

}  // namespace
