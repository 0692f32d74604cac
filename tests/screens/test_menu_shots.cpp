// Pictures of the stage screen over the map, of the continue-or-new overlay and of the pause
// with real OpenGL, for a person to look at. Not part of the unit run (needs the built tree and GL):
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
#include "platform/harness.h"
#include "platform/input.h"
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

// A GL display over the tree named by ZERKON_MENU_ASSETS and the shot folder named by
// ZERKON_MENU_SHOTS (into `dir`, with a trailing '/'): "" when both are there and GL opened,
// else why the pictures cannot be taken.
std::string openMenuShots(std::string& dir) {
    const char* tree = std::getenv("ZERKON_MENU_ASSETS");
    const char* out = std::getenv("ZERKON_MENU_SHOTS");
    if (!tree || !out) return "set ZERKON_MENU_ASSETS and ZERKON_MENU_SHOTS";
    if (!glshot::open(tree)) return "no GL context";
    dir = std::string(out) + "/";
    return "";
}

TEST(MenuShots, DISABLED_StageScreenAndContinueOverlay) {
    std::string dir;
    const std::string why = openMenuShots(dir);
    if (!why.empty()) GTEST_SKIP() << why;
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

// The pause picture over the title screen and over a board: the real pause overlay, its
// first frame taken as the flip presents it.
TEST(MenuShots, DISABLED_PauseOverTheTitleAndABoard) {
    std::string dir;
    const std::string why = openMenuShots(dir);
    if (!why.empty()) GTEST_SKIP() << why;
    loadPauseGameFont();
    loadPauseGameText();
    int32_t now = 100000;
    auto pauseShot = [&](const std::string& file) {
        ScriptCommand shot;
        shot.verb = "shot";
        shot.args = {dir + file};
        ResetHarness();
        HarnessStart({shot}, -1);
        // Two frames of the overlay, then the focus comes back.
        int reads = 6;
        InjectSuspended(true);
        SetClockSource([&] {
            if (--reads <= 0) InjectSuspended(false);
            return now += 16;
        });
        pauseGame(nullptr);
        SetClockSource([&] { return now; });
        ResetHarness();
    };
    SetClockSource([&] { return now; });

    mainMenu.setup();
    mainMenu.prepare();
    mainMenu.fade = 0;
    mainMenu.guiPer.fill(1);
    mainMenu.logoStart = 0;
    mainMenu._updateGUI();
    Cls();
    mainMenu.draw();
    pauseShot("pause_title.png");

    if (glshot::playLevel("data/levels/casual/007.lvl", 2, 3)) {
        glshot::playFrames(now, 240);
        Cls();
        mainGame.update();
        mainGame.draw();
        pauseShot("pause_board.png");
    }
    CloseGraphics();
}

}  // namespace
