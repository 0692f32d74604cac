// Pictures of every hidden-object scene of the tree with real OpenGL, for a
// person to look at: each at its start, mid-game (objects found, one in flight, the hint
// circling), all found (the plaque coming in while the last finds fly) and won. Not part of
// the unit run (needs the built tree and GL):
//   SDL_VIDEODRIVER=offscreen ZERKON_HO_ASSETS=<tree>/ ZERKON_HO_SHOTS=<folder>
//     screens_tests --gtest_also_run_disabled_tests --gtest_filter='*HOShots*'
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/profile/profile.h"
#include "app/profile/profile_manager.h"
#include "effects/particles.h"
#include "effects/pogoda.h"
#include "gui/frame/deltatime.h"
#include "minigames/hidden_object/ho_level_file.h"
#include "platform/input.h"
#include "platform/system.h"
#include "screens/hidden_object/hidden_object.h"
#include "support/gl_shot.h"

namespace {

int32_t gNow = 100000;

void frames(int n) {
    for (int i = 0; i < n; ++i) {
        gNow += 17;
        Cls();
        hiddenObject.update();
        hiddenObject.draw();
        Flip();
    }
}

void click(float x, float y) {
    InjectMouseMove(x, y);
    InjectMouseButton(1, true);
    frames(1);
    InjectMouseButton(1, false);
    frames(1);
}

TEST(HOShots, DISABLED_ScenesAtStartMidGameAndWon) {
    const char* tree = std::getenv("ZERKON_HO_ASSETS");
    const char* out = std::getenv("ZERKON_HO_SHOTS");
    if (!tree || !out) GTEST_SKIP() << "set ZERKON_HO_ASSETS and ZERKON_HO_SHOTS";
    if (!glshot::open(tree)) GTEST_SKIP() << "no GL context";
    SetClockSource([] { return gNow; });
    const std::string dir = std::string(out) + "/";
    std::filesystem::create_directories(dir);
    profileManager.profile = std::make_shared<TProfile>();
    setupParticles();
    setupPogoda();
    hiddenObject.setup();
    hoHooks().log = [](int) {};
    std::vector<std::string> scenes;
    for (const auto& e : std::filesystem::directory_iterator(std::string(tree) + "data/levels/hiddenObject"))
        if (e.path().extension() == ".hol") scenes.push_back(e.path().stem().string());
    std::sort(scenes.begin(), scenes.end());
    for (const auto& scene : scenes) {
        auto level = loadHOLevel(std::string(tree) + "data/levels/hiddenObject/" + scene + ".hol");
        hiddenObject.setLevel(level);
        hiddenObject.prepare();
        delta = 1;
        frames(90);
        InjectMouseMove(600, 200);
        frames(120);
        ASSERT_TRUE(glshot::save(dir + scene + "_1_start.png"));
        for (size_t i = 0; i < 5; ++i) {
            click(level->objects[i]->ukrytyDim->x, level->objects[i]->ukrytyDim->y);
            frames(i + 1 < 5 ? 150 : 0);
        }
        frames(60);
        click(950, 25);
        frames(40);
        ASSERT_TRUE(glshot::save(dir + scene + "_2_mid.png"));
        for (size_t i = 5; i < level->objects.size(); ++i) click(level->objects[i]->ukrytyDim->x, level->objects[i]->ukrytyDim->y);
        // All found: the plaque comes in and the slots sparkle while the last finds fly.
        frames(30);
        ASSERT_TRUE(glshot::save(dir + scene + "_3_found.png"));
        // The last flight lands and the scene is won: the shot before the fade to black.
        for (int i = 0; i < 400 && hiddenObject.state != "WIN"; ++i) frames(1);
        ASSERT_TRUE(glshot::save(dir + scene + "_4_won.png"));
        frames(40);
    }
    SetClockSource(nullptr);
}

}  // namespace
