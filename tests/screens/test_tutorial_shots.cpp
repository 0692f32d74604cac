// A picture of a tutorial tip over the hidden-object scene with real OpenGL over the built
// asset tree, for a person to look at (the play screen's tips are in the e2e_tutorial_gl
// shots). Not part of the unit run (needs the built tree and GL):
//   SDL_VIDEODRIVER=offscreen ZERKON_TUTORIAL_ASSETS=<tree>/ ZERKON_TUTORIAL_SHOTS=<folder>
//     screens_tests --gtest_also_run_disabled_tests --gtest_filter='*TutorialShots*'
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "app/profile/profile.h"
#include "app/profile/profile_manager.h"
#include "effects/particles.h"
#include "effects/pogoda.h"
#include "gui/frame/deltatime.h"
#include "minigames/hidden_object/ho_level_file.h"
#include "platform/input.h"
#include "platform/system.h"
#include "screens/hidden_object/hidden_object.h"
#include "screens/tutorial/tutorial.h"
#include "screens/tutorial/tutorial_tip.h"
#include "support/gl_shot.h"

namespace {

int32_t gNow = 100000;

class Player : public TProfile {
public:
    int save() override { return 0; }
};

TEST(TutorialShots, DISABLED_TipOverTheHiddenObjectScene) {
    const char* tree = std::getenv("ZERKON_TUTORIAL_ASSETS");
    const char* out = std::getenv("ZERKON_TUTORIAL_SHOTS");
    if (!tree || !out) GTEST_SKIP() << "set ZERKON_TUTORIAL_ASSETS and ZERKON_TUTORIAL_SHOTS";
    if (!glshot::open(tree)) GTEST_SKIP() << "no GL context";
    SetClockSource([] { return gNow; });
    std::filesystem::create_directories(out);
    installTutorial();
    tutorial.setup();
    auto player = std::make_shared<Player>();
    profileManager.profile = player;
    player->startNewGame();
    setupParticles();
    setupPogoda();
    hiddenObject.setup();
    hoHooks().log = [](int) {};
    hiddenObject.setLevel(loadHOLevel(std::string(tree) + "data/levels/hiddenObject/dock.hol"));
    hiddenObject.prepare();
    delta = 1;
    InjectMouseMove(600, 600);
    for (int i = 0; i < 200; ++i) {
        gNow += 17;
        Cls();
        hiddenObject.update();
        hiddenObject.draw();
        Flip();
    }
    ASSERT_TRUE(tutorial.actTip);
    EXPECT_EQ(tutorial.actTip->id, "HIDDEN-OBJECTS");
    ASSERT_TRUE(glshot::save(std::string(out) + "/tutorial_hidden_object.png"));
    resetTutorial();
    SetClockSource(nullptr);
}

}  // namespace
