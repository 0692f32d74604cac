// The play screen object: its start values, the named points of the panel and the power-up
// recharge times read from data/powerUps.dat.
#include <filesystem>
#include <fstream>

#include "gui/globals.h"
#include "test_play_support.h"

namespace {

using playtest::PlayTest;

class PlaySetupTest : public PlayTest {
protected:
    void TearDown() override {
        PlayTest::TearDown();
        resetGuiGlobals();
    }
};

TEST_F(PlaySetupTest, FreshScreenStartValues) {
    resetMainGame();
    EXPECT_EQ(mainGame.id, "MAIN-GAME");
    EXPECT_EQ(mainGame.mnoznik, 1.0f);
    EXPECT_EQ(mainGame.maxKamieni, 3);
    EXPECT_EQ(mainGame.hand_, 0);
    EXPECT_EQ(mainGame.state, "");
    EXPECT_EQ(mainGame.gameTime, 0);
    EXPECT_EQ(mainGame.level(), nullptr);
}

TEST_F(PlaySetupTest, NamedPointsOfThePanel) {
    const int hints[4][2] = {{840, 650}, {935, 650}, {840, 700}, {935, 700}};
    const int stones[8][2] = {{880, 394}, {915, 434}, {919, 470}, {887, 518},
                              {811, 510}, {825, 462}, {945, 487}, {877, 458}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(mainGame.animDim[size_t(i)]->x, hints[i][0]);
        EXPECT_EQ(mainGame.animDim[size_t(i)]->y, hints[i][1]);
    }
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(mainGame.chestDim[size_t(i)]->x, stones[i][0]);
        EXPECT_EQ(mainGame.chestDim[size_t(i)]->y, stones[i][1]);
    }
}

TEST_F(PlaySetupTest, RechargeTimesFromTheDataFile) {
    const std::string dir = ::testing::TempDir() + "play_setup_tree/";
    std::filesystem::create_directories(dir + "data");
    {
        std::ofstream f(dir + "data/powerUps.dat");
        f << "powerUps {\n";
        const char* times[6] = {"1500.9", "30000", "0", "45000", "-5", "60000"};
        for (int n = 1; n <= 6; ++n) f << "\tpowerUp" << n << " {\n\t\ttime = " << times[n - 1] << "\n\t}\n";
        f << "}\n";
    }
    bDir = dir;
    mainGame._setupTools();
    EXPECT_EQ(mainGame.maxCzasPowerUpow, (std::array<int32_t, 6>{1500, 30000, 0, 45000, -5, 60000}));

    std::filesystem::remove(dir + "data/powerUps.dat");
    mainGame.maxCzasPowerUpow.fill(7);
    mainGame._setupTools();
    EXPECT_EQ(mainGame.maxCzasPowerUpow, (std::array<int32_t, 6>{}));
}

}  // namespace
