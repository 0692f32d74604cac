// The check at the end of loading of the files the road from the main menu to a level
// cannot do without: each damaged one is named, and the player is told in one message.
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/test_profile_support.h"
#include "screens/menu/main_menu.h"
#include "screens/menu/menu_overlays.h"
#include "screens/stage/stage_screen.h"
#include "wiring/road_check.h"

namespace {

class RoadCheckTest : public ProfileTest {};

TEST_F(RoadCheckTest, ADamagedRoadAssetIsNamedAtLoading) {
    // The screens' layouts from the shipped tree, the data files from a copy of it.
    bDir = std::string(ZERKON_BINARY_DIR) + "/assets/";
    lang = "en";
    mainMenu.setup();
    pickFlow.setup();
    stageScreen.setup();
    const std::string shipped = bDir;
    bDir = dir + "/tree/";
    std::filesystem::create_directories(bDir + "txt/en");
    const std::vector<std::string> data = {"data/flow_casual.dat", "data/flow_hard.dat", "data/mapStages.dat",
                                           "data/tilesHide.dat"};
    for (const auto& f : data) write("/tree/" + f, *files::loadText(shipped + f));
    ASSERT_EQ(roadAssetProblems(), std::vector<std::string>{});
    const struct {
        const char* named;
        std::function<void()> damage, mend;
    } damages[] = {
        {"data/flow_casual.dat", [&] { write("/tree/data/flow_casual.dat", "flow {\n\ti = 3\n"); }, nullptr},
        {"data/flow_hard.dat", [&] { files::deleteFile(bDir + "data/flow_hard.dat"); }, nullptr},
        {"data/mapStages.dat", [&] { write("/tree/data/mapStages.dat", "mapStages {\n}\n"); }, nullptr},
        {"data/tilesHide.dat", [&] { write("/tree/data/tilesHide.dat", "tiles {\n\ti = 1\n}\n"); }, nullptr},
        {"txt/lang.txt", [&] { lang = "xx"; }, [&] { lang = "en"; }},
        {"pickFlow/en/pickFlow.gui", [&] { pickFlow.Gui = nullptr; }, [&] { pickFlow.setup(); }},
    };
    for (const auto& d : damages) {
        const std::string before = dir + "/before";
        std::filesystem::remove_all(before);
        std::filesystem::copy(bDir, before, std::filesystem::copy_options::recursive);
        d.damage();
        const auto problems = roadAssetProblems();
        ASSERT_EQ(problems.size(), 1u) << d.named;
        EXPECT_NE(problems[0].find(d.named), std::string::npos) << problems[0];
        notices.clear();
        checkRoadAssets();
        ASSERT_EQ(notices.size(), 1u);
        EXPECT_NE(notices[0].find(problems[0]), std::string::npos);
        if (d.mend) {
            bDir = shipped;
            d.mend();
        }
        bDir = dir + "/tree/";
        std::filesystem::remove_all(bDir);
        std::filesystem::copy(before, bDir, std::filesystem::copy_options::recursive);
    }
    resetMainMenu();
    resetMenuOverlays();
    resetStageScreen();
}

}  // namespace
