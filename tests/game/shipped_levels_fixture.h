#pragma once
// The built asset tree's level library under test: the headless platform with the tree's
// tile, cover and treasure sets loaded (and its clue digits when it has them), bDir at the
// tree. Skipped when there is no built tree (ZERKON_ASSET_TREE names another one).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "game/board/links.h"
#include "game/board/number.h"
#include "game/board/tiledata.h"
#include "game/level/sets.h"
#include "gui/globals.h"
#include "platform/graphics.h"
#include "platform/system.h"

namespace shipped {

inline std::string assetTree() {
    if (const char* env = std::getenv("ZERKON_ASSET_TREE")) return env;
    return std::string(ZERKON_BINARY_DIR) + "/assets";
}

class ShippedLevels : public ::testing::Test {
protected:
    void SetUp() override {
        tree = assetTree();
        if (!std::filesystem::exists(tree + "/data/levels"))
            GTEST_SKIP() << "no built asset tree at " << tree << " (set ZERKON_ASSET_TREE)";
        InitPlatform(true);
        ASSERT_TRUE(Graphics(1024, 768));
        resetBoardLinks();
        resetTileSets();
        SetNotifyHandler([this](const std::string& s) { notices.push_back(s); });
        bDir = tree + "/";
        loadTiles();
        loadTresures();
        // With the digit images in the tree, the board's own fit test measures real clues.
        digits = std::filesystem::exists(tree + "/gfx/numbers");
        if (digits) setupNumbers();
    }
    void TearDown() override {
        SetNotifyHandler(nullptr);
        resetTileSets();
        resetNumberImages();
        resetGuiGlobals();
    }
    // The mini-games keep their own levels (another format) in folders of their own.
    static bool miniGameLevel(const std::filesystem::path& p) {
        const auto folder = p.parent_path().filename().string();
        return folder == "puzzleExpress" || folder == "layPuzzle" || folder == "hiddenObject";
    }
    std::vector<std::filesystem::path> levelFiles() const {
        std::vector<std::filesystem::path> out;
        for (const auto& e : std::filesystem::recursive_directory_iterator(tree + "/data/levels"))
            if (e.is_regular_file() && e.path().extension() == ".lvl" && !miniGameLevel(e.path()))
                out.push_back(e.path());
        std::sort(out.begin(), out.end());
        return out;
    }

    std::string tree;
    bool digits = false;
    std::vector<std::string> notices;
};

}  // namespace shipped
