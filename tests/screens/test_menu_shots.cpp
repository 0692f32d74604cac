// Pictures of the stage screen over the map and of the continue-or-new overlay with real
// OpenGL, for a person to look at. Not part of the unit run (needs the built tree and GL):
//   SDL_VIDEODRIVER=offscreen ZERKON_MENU_ASSETS=<tree>/ ZERKON_MENU_SHOTS=<folder>
//     screens_tests --gtest_also_run_disabled_tests --gtest_filter='*MenuShots*'
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/frame.h"
#include "app/profile/profile.h"
#include "app/profile/profile_manager.h"
#include "gui/frame/deltatime.h"
#include "gui/frame/mouse.h"
#include "platform/graphics.h"
#include "platform/system.h"
#include "screens/map/mapa.h"
#include "screens/menu/main_menu.h"
#include "screens/menu/menu_overlays.h"
#include "screens/stage/stage_screen.h"
#include "support/gl_shot.h"

namespace {

class ShotProfile : public TProfile {
public:
    TLevelDataList entries;
    TLevelDataList getLeveleForStage(int32_t stage) const override {
        TLevelDataList out;
        for (const auto& e : entries)
            if (e->stageN == stage) out.push_back(e);
        return out;
    }
};

TEST(MenuShots, DISABLED_StageScreenAndContinueOverlay) {
    const char* tree = std::getenv("ZERKON_MENU_ASSETS");
    const char* out = std::getenv("ZERKON_MENU_SHOTS");
    if (!tree || !out) GTEST_SKIP() << "set ZERKON_MENU_ASSETS and ZERKON_MENU_SHOTS";
    if (!glshot::open(tree)) GTEST_SKIP() << "no GL context";
    const std::string dir = std::string(out) + "/";
    mapa.setup();
    mainMenu.setup();
    continueQuest.setup();
    stageScreen.setup();

    auto p = std::make_shared<ShotProfile>();
    p->name = "Anna";
    const char* types[] = {"MAIN-GAME", "MAIN-GAME", "PUZZLE-EXPRESS", "MAIN-GAME", "HIDDEN-OBJECT",
                           "MAIN-GAME", "LAY-PUZZLE", "MAIN-GAME", "MAIN-GAME"};
    int nr = 1;
    for (const char* t : types) {
        auto e = std::make_shared<TLevelData>();
        e->nr = nr;
        e->numer = nr++;
        e->gameType = t;
        e->stageN = 2;
        p->entries.push_back(e);
    }
    for (int level : {1, 2, 3}) {
        auto r = std::make_shared<TProfLevelData>();
        r->numerLevelu = level;
        r->stageN = 2;
        r->passed = level < 3 ? 1 : 0;
        p->levele.push_back(r);
    }
    profileManager.profile = p;
    TMapStage stage;
    stage.id = 2;
    stage.title = "Coral Reef";

    stageScreen.prepare(stage);
    stageScreen.alpha = stageScreen.dAlpha = 1;
    delta = 1;
    mouse.x = 300;
    mouse.y = 165;
    for (int i = 0; i < 20; ++i) stageScreen._updateOver();
    Cls();
    stageScreen.draw();
    ASSERT_TRUE(glshot::save(dir + "stage_screen.png"));

    mainMenu.prepare();
    mainMenu.fade = 0;
    mainMenu.guiPer.fill(1);
    mainMenu.logoStart = 0;
    mainMenu._updateGUI();
    continueQuest.prepare();
    continueQuest.alpha = 1;
    continueQuest.fade = 0.5f;
    continueQuest._updateGui();
    Cls();
    continueQuest.draw();
    ASSERT_TRUE(glshot::save(dir + "continue.png"));
    CloseGraphics();
}

}  // namespace
