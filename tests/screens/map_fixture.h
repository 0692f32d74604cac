#pragma once
// The progression tests' set-up with the stage map: a fresh map before and after each
// test, told of every newly reached stage, and the map set up on the built asset tree.
#include <cstdlib>
#include <filesystem>
#include <string>

#include "game/test_flow_support.h"
#include "screens/map/mapa.h"

namespace flowtest {

class MapFlowTest : public FlowTest {
protected:
    void SetUp() override {
        FlowTest::SetUp();
        mapa.reset();
        setStageScreenRunner(nullptr);
        world.newStage = [](int32_t stageN) { mapa.setNewStageById(stageN); };
    }
    void TearDown() override {
        setStageScreenRunner(nullptr);
        mapa.reset();
        FlowTest::TearDown();
    }
    // The map set up as the program does on the built asset tree (ZERKON_ASSET_TREE or the
    // build's own assets/), when it holds `marker`. Empty when ready, else why the caller skips.
    std::string setupMapOnBuiltTree(const std::string& marker) {
        std::string tree = std::string(ZERKON_BINARY_DIR) + "/assets";
        if (const char* env = std::getenv("ZERKON_ASSET_TREE")) tree = env;
        if (!std::filesystem::exists(tree + "/" + marker)) return "no built asset tree at " + tree;
        bDir = tree + "/";
        if (!Graphics(1024, 768, 0, 60)) {
            ADD_FAILURE() << "no headless display";
            return "no display";
        }
        SetAspectResolution(1024, 768, 3);
        InitPlatform(true);  // the flip clock
        levelManager.setup();
        mapa.setup();
        return "";
    }
};

}  // namespace flowtest
