// A picture of the award-granted panel over the map with real OpenGL, for a person to look
// at. Not part of the unit run (needs the built tree and GL):
//   SDL_VIDEODRIVER=offscreen ZERKON_MENU_ASSETS=<tree>/ ZERKON_MENU_SHOTS=<folder>
//     screens_tests --gtest_also_run_disabled_tests --gtest_filter='*AwardShots*'
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/frame.h"
#include "app/profile/profile.h"
#include "app/profile/profile_manager.h"
#include "game/awards/award_file.h"
#include "gui/frame/deltatime.h"
#include "gui/frame/mouse.h"
#include "platform/graphics.h"
#include "platform/system.h"
#include "screens/awards/give_award.h"
#include "screens/map/mapa.h"
#include "support/gl_shot.h"

namespace {

class MapBehind : public TEkran {
public:
    int draw() override { return mapa.draw(); }
};

TEST(AwardShots, DISABLED_GrantedPanelOverTheMap) {
    const char* tree = std::getenv("ZERKON_MENU_ASSETS");
    const char* out = std::getenv("ZERKON_MENU_SHOTS");
    if (!tree || !out) GTEST_SKIP() << "set ZERKON_MENU_ASSETS and ZERKON_MENU_SHOTS";
    if (!glshot::open(tree)) GTEST_SKIP() << "no GL context";
    const std::string dir = std::string(out) + "/";
    mapa.setup();
    ASSERT_EQ(loadAwardDefinitions(), 25);
    giveAward.setup();
    auto p = std::make_shared<TProfile>();
    p->name = "Anna";
    profileManager.profile = p;
    MapBehind back;
    delta = 1;
    mouse.x = 700;
    mouse.y = 600;

    struct Shot {
        int id;
        float alpha;
        const char* file;
    } shots[] = {{3, 1, "award_panel_gold.png"}, {19, 1, "award_panel_single.png"},
                 {13, 0.5f, "award_panel_sliding.png"}};
    for (const Shot& s : shots) {
        giveAward.prepare(getAwardByID(s.id), &back);
        giveAward.alpha = s.alpha;
        giveAward.fade = 0.5f * s.alpha;
        giveAward._updateGUI();
        Cls();
        giveAward.draw();
        ASSERT_TRUE(glshot::save(dir + s.file));
    }
    // The gallery places of all awards, one of each kind's highest tier, for the layout.
    Cls();
    mapa.draw();
    SetColor(255, 255, 255);
    SetBlend(ALPHABLEND);
    SetAlpha(1);
    for (const auto& a : awardsList)
        if (a->level == 3 || a->id == 7 || (a->id >= 8 && a->id <= 11) || (a->id >= 18 && a->id <= 22))
            if (a->img) DrawImage(a->img, a->x, a->y);
    ASSERT_TRUE(glshot::save(dir + "award_places.png"));
    profileManager.profile = nullptr;
    CloseGraphics();
}

}  // namespace
