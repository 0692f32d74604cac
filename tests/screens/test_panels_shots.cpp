// Pictures of the pop-up, the name entry and the parchment scroll with real OpenGL, for a
// person to look at. Not part of the unit run (needs the built tree and GL):
//   SDL_VIDEODRIVER=offscreen ZERKON_PANEL_ASSETS=<tree>/ ZERKON_PANEL_SHOTS=<folder>
//     screens_tests --gtest_also_run_disabled_tests --gtest_filter='*PanelShots*'
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/frame.h"
#include "app/profile/profile_manager.h"
#include "gui/core/gui.h"
#include "gui/frame/deltatime.h"
#include "gui/frame/mouse.h"
#include "platform/graphics.h"
#include "platform/system.h"
#include "screens/map/mapa.h"
#include "screens/menu/main_menu.h"
#include "screens/panels/enter_name.h"
#include "screens/panels/papirus.h"
#include "screens/panels/popup.h"
#include "support/gl_shot.h"

namespace {

// The title screen as it stands once its buttons are in.
void titleBehind() {
    mainMenu.prepare();
    mainMenu.fade = 0;
    mainMenu.guiPer.fill(1);
    mainMenu.logoStart = 0;
    mainMenu._updateGUI();
}

TEST(PanelShots, DISABLED_PopUpNameEntryAndParchment) {
    const char* tree = std::getenv("ZERKON_PANEL_ASSETS");
    const char* out = std::getenv("ZERKON_PANEL_SHOTS");
    if (!tree || !out) GTEST_SKIP() << "set ZERKON_PANEL_ASSETS and ZERKON_PANEL_SHOTS";
    if (!glshot::open(tree)) GTEST_SKIP() << "no GL context";
    const std::string dir = std::string(out) + "/";
    mainMenu.setup();
    mapa.setup();
    popUp.setup();
    enterName.setup();
    TPapirus::setup();
    delta = 1;
    mouse.x = 700;
    mouse.y = 600;
    titleBehind();

    // A question, then a longer notice without the no button.
    popUp.prepare("Do you really want to leave the ship?", &mainMenu, 1);
    popUp.update();
    Cls();
    popUp.draw();
    ASSERT_TRUE(glshot::save(dir + "popup_question.png"));
    popUp.prepare("A pirate of that name already sails with us! Pick another name, or take the "
                  "helm of that one from the list of players.",
                  &mainMenu, 0);
    popUp.update();
    Cls();
    popUp.draw();
    ASSERT_TRUE(glshot::save(dir + "popup_notice.png"));

    enterName.prepare(&mainMenu, "Enter your name, sailor", 1, "Jack7");
    enterName.alpha = enterName.dAlpha = 1;
    enterName.switch_ = 1;
    enterName.time = Millisecs() + 100000;
    enterName._updateGui();
    Cls();
    enterName.draw();
    ASSERT_TRUE(glshot::save(dir + "enter_name.png"));

    // The parchment over the map: one fully open, one half unrolled.
    mapa.prepare();
    mapa.fade = 0;
    mapa.dFade = 0;
    mapa.pap.start(120, 150, 4, 6);
    for (int i = 0; i < 60; ++i) mapa.pap.update();
    delta = 1;
    TPapirus half;
    half.start(620, 150, 2, 6);
    for (int i = 0; i < 21; ++i) half.update();
    Cls();
    mapa.draw();
    SetColor(255, 255, 255);
    SetBlend(ALPHABLEND);
    half.draw();
    ASSERT_TRUE(glshot::save(dir + "papirus.png"));
    CloseGraphics();
}

}  // namespace
