#pragma once
// A shipped level of the built asset tree taken by the profile's world and handed to the
// play screen, as a level start does. Skipped without a built tree (ZERKON_ASSET_TREE or
// build/assets).
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/profile/profile_world.h"
#include "app/router.h"
#include "game/level/sets.h"
#include "gui/globals.h"
#include "test_play_support.h"

namespace playtest {

inline std::string builtTree() {
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

}  // namespace playtest
