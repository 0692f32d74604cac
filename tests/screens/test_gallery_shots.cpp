// Pictures of the award gallery with a few medals held (one hovered), an award's details,
// and a story dialogue over the board, with real OpenGL, for a person to look at. Not part
// of the unit run (needs the built tree and GL):
//   SDL_VIDEODRIVER=offscreen ZERKON_MENU_ASSETS=<tree>/ ZERKON_MENU_SHOTS=<folder>
//     screens_tests --gtest_also_run_disabled_tests --gtest_filter='*GalleryShots*'
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/frame.h"
#include "app/profile/profile.h"
#include "app/profile/profile_manager.h"
#include "game/awards/awards.h"
#include "gui/frame/deltatime.h"
#include "gui/frame/mouse.h"
#include "platform/graphics.h"
#include "platform/system.h"
#include "screens/awards/award_screen.h"
#include "screens/awards/show_award.h"
#include "screens/dialogs/dialog_box.h"
#include "screens/menu/main_menu.h"
#include "screens/play/main_game.h"
#include "support/gl_shot.h"

namespace {

TEST(GalleryShots, DISABLED_GalleryDetailsAndDialogue) {
    const char* tree = std::getenv("ZERKON_MENU_ASSETS");
    const char* out = std::getenv("ZERKON_MENU_SHOTS");
    if (!tree || !out) GTEST_SKIP() << "set ZERKON_MENU_ASSETS and ZERKON_MENU_SHOTS";
    if (!glshot::open(tree)) GTEST_SKIP() << "no GL context";
    const std::string dir = std::string(out) + "/";
    int32_t now = 1000;
    SetClockSource([&] { return now; });
    delta = 1;
    mainMenu.setup();
    awardScreen.setup();
    showAward.setup();
    dialogBox.setup();
    ASSERT_EQ(awardsList.size(), 25u);

    // A player with brainiac bronze and gold, points killer silver, a combo twice and the eye.
    auto p = std::make_shared<TProfile>();
    p->name = "Anna";
    for (int id : {1, 3, 5, 9, 9, 21}) p->awardy.push_back(getAwardByID(id));
    profileManager.profile = p;
    awardScreen.ekran = &mainMenu;
    awardScreen.prepare();
    awardScreen.alpha = 1;
    // The combo medal, held twice, under the mouse.
    mouse.x = 512;
    mouse.y = 380;
    for (int i = 0; i < 60; ++i) awardScreen._updateAwards();
    Cls();
    awardScreen.draw();
    ASSERT_TRUE(glshot::save(dir + "gallery.png"));

    // The details of a held award and of one still to earn.
    struct Shot {
        int id;
        const char* file;
    } shots[] = {{3, "award_details_held.png"}, {13, "award_details_unheld.png"}};
    for (const Shot& s : shots) {
        showAward.prepare(getAwardByID(s.id), &awardScreen);
        showAward.alpha = 1;
        showAward.fade = 0.5f;
        showAward._updateGUI();
        Cls();
        showAward.draw();
        ASSERT_TRUE(glshot::save(dir + s.file));
    }

    // The first dialogue over the board of its level, its second line speaking.
    auto level = glshot::playLevel("data/levels/casual/003.lvl", 1, 3);
    ASSERT_TRUE(level);
    for (int i = 0; i < 200; ++i) {
        now += 17;
        Cls();
        mainGame.update();
        mainGame.draw();
        Flip();
    }
    ASSERT_TRUE(dialogBox.prepare(&mainGame, 1));
    for (int i = 0; i < 260; ++i) {
        now += 17;
        dialogBox.update();
    }
    Cls();
    dialogBox.draw();
    ASSERT_TRUE(glshot::save(dir + "dialogue.png"));
    profileManager.profile = nullptr;
    CloseGraphics();
}

}  // namespace
