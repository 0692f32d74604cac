// The loading screen's work is the play screen's set-up: the first level takes what the
// loading screen loaded instead of loading it again.
#include "app/loading/loading_screen.h"
#include "screens/shipped_play_fixture.h"
#include "wiring/loading_units.h"

namespace {

using playtest::ShippedPlayTest;

TEST_F(ShippedPlayTest, ResourcesOfTheLoadingScreenAreNotLoadedAgainAtTheFirstLevel) {
    resetLoadingScreen();
    setLoadingTable(loadingUnits());
    loadingScreen.PART1();
    loadingScreen.PART2();
    const TImage panel = mainGame.panel;
    const auto gui = mainGame.Gui;
    ASSERT_TRUE(panel);
    takeLevel("data/levels/casual/002.lvl");
    EXPECT_EQ(mainGame.panel, panel);
    EXPECT_EQ(mainGame.Gui, gui);
    resetLoadingScreen();
    setLoadingTable({});
}

}  // namespace
