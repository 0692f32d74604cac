// Pictures of the block puzzle with real OpenGL over the built asset tree, for a person to
// look at: each shipped level at its start, mid-game (blocks in the chest, one carried and
// lit) and won (the object grown out of the open chest); the first chest's dialogue, the
// lit skip box and the found-item notice. Not part of the unit run (needs the built tree
// and GL):
//   SDL_VIDEODRIVER=offscreen ZERKON_PE_ASSETS=<tree>/ ZERKON_PE_SHOTS=<folder>
//     screens_tests --gtest_also_run_disabled_tests --gtest_filter='*PEShots*'
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "app/app_globals.h"
#include "app/profile/profile.h"
#include "app/profile/profile_manager.h"
#include "game/flow/level_manager.h"
#include "gui/frame/deltatime.h"
#include "minigames/puzzle_express/pe_level_file.h"
#include "minigames/puzzle_express/pe_plan.h"
#include "platform/input.h"
#include "platform/system.h"
#include "screens/dialogs/dialog_box.h"
#include "screens/hidden_object/hidden_object.h"
#include "screens/map/mapa.h"
#include "screens/puzzle_express/pe_found.h"
#include "screens/puzzle_express/puzzle_express.h"
#include "support/gl_shot.h"

namespace {

int32_t gNow = 100000;

void frames(int n) {
    for (int i = 0; i < n; ++i) {
        gNow += 17;
        Cls();
        puzzleExpress.update();
        puzzleExpress.draw();
        Flip();
        puzzleExpress.afterFlip();
    }
}

void cellCentre(const TBlock& b, float& x, float& y) {
    for (int r = 0; r < b.bd->rows; ++r)
        for (int c = 0; c < b.bd->cols; ++c)
            if (b.bd->solid(r, c)) {
                auto d = b.getDim(r, c);
                x = float(d->x);
                y = float(d->y);
                return;
            }
}

// Drags the block by one of its cells to where the plan puts it, turning it on the way.
void place(TPELevel& level, const std::shared_ptr<TBlock>& b, const peplan::Placement& p) {
    float x = 0, y = 0;
    cellCentre(*b, x, y);
    InjectMouseMove(x, y);
    frames(1);
    InjectMouseButton(1, true);
    frames(1);
    for (int turns = 0; turns < 4 && int(b->dDir - p.dir) % 360 != 0; ++turns) {
        InjectMouseButton(2, true);
        frames(1);
        InjectMouseButton(2, false);
        frames(20);
    }
    float px = 0, py = 0;
    b->bd->cellAt(p.r, p.c, 0, 0, p.dir, px, py);
    InjectMouseMove(level.at(p.br, p.bc)->x - px + b->adX, level.at(p.br, p.bc)->y - py + b->ady);
    frames(16);
    InjectMouseButton(1, false);
    frames(2);
}

TEST(PEShots, DISABLED_LevelsAtStartMidGameAndWon) {
    const char* tree = std::getenv("ZERKON_PE_ASSETS");
    const char* out = std::getenv("ZERKON_PE_SHOTS");
    if (!tree || !out) GTEST_SKIP() << "set ZERKON_PE_ASSETS and ZERKON_PE_SHOTS";
    if (!glshot::open(tree)) GTEST_SKIP() << "no GL context";
    SetClockSource([] { return gNow; });
    const std::string dir = std::string(out) + "/";
    std::filesystem::create_directories(dir);
    mousePoint = LoadImage(std::string(tree) + "gfx/point.png");
    MidHandleImage(mousePoint);
    auto profile = std::make_shared<TProfile>();
    profileManager.profile = profile;
    levelManager.setup();
    mapa.setup();
    TPapirus::setup();
    hiddenObject.setup();
    puzzleExpress.setup();
    PEFoundScreen.setup();
    dialogBox.setup();
    peHooks().log = [](int) {};
    bool noticeShot = false;
    std::string name;
    peHooks().notice = [&](const std::shared_ptr<TPEObj>& o) {
        // The notice once, its text fully shown.
        auto& n = PEFoundScreen;
        n.behind = &puzzleExpress;
        n.prepare(o);
        for (int i = 0; i < 400 && n.ta < 1; ++i) {
            gNow += 17;
            Cls();
            n.update();
            n.draw();
            Flip();
        }
        if (!noticeShot) {
            ASSERT_TRUE(glshot::save(dir + name + "_notice.png"));
        }
        noticeShot = true;
    };
    // pe-01 to pe-04 on the casual voyage, pe-05 to pe-08 at the same stops on the hard one.
    const int stages[] = {3, 5, 7, 9};
    for (int k = 1; k <= 8; ++k) {
        name = "pe-0" + std::to_string(k);
        profile->numerStageu = stages[(k - 1) % 4];
        auto level = loadPuzzleExpressLevel(std::string(tree) + "data/levels/puzzleExpress/" + name + ".lvl");
        puzzleExpress.setLevel(level);
        puzzleExpress.prepare();
        delta = 1;
        InjectMouseMove(980, 400);
        frames(60);
        ASSERT_TRUE(glshot::save(dir + name + "_rising.png"));
        frames(160);
        ASSERT_TRUE(glshot::save(dir + name + "_start.png"));
        if (k == 1) {
            // The first chest's dialogue, which says how blocks are moved and turned.
            ASSERT_TRUE(dialogBox.prepare(&puzzleExpress, 7));
            for (int i = 0; i < 260; ++i) {
                gNow += 17;
                dialogBox.update();
            }
            Cls();
            dialogBox.draw();
            ASSERT_TRUE(glshot::save(dir + name + "_dialogue.png"));
        }
        if (k == 4) {
            // The skip box charged and lit under the cursor.
            gNow += 90000;
            InjectMouseMove(985, 22);
            frames(30);
            ASSERT_TRUE(glshot::save(dir + name + "_skip.png"));
            InjectMouseMove(980, 400);
        }
        std::vector<std::vector<int>> cover(size_t(level->rows), std::vector<int>(size_t(level->cols), 0));
        std::vector<bool> used(level->blocks.size(), false);
        std::vector<peplan::Placement> plan;
        ASSERT_TRUE(peplan::search(*level, cover, used, plan));
        const auto blocks = level->blocks;
        const size_t half = plan.size() / 2;
        for (size_t i = 0; i < half; ++i) place(*level, blocks[plan[i].block], plan[i]);
        // One more picked up and carried towards the chest.
        auto next = blocks[plan[half].block];
        float x = 0, y = 0;
        cellCentre(*next, x, y);
        InjectMouseMove(x, y);
        frames(1);
        InjectMouseButton(1, true);
        frames(1);
        InjectMouseButton(1, false);
        InjectMouseMove(x - 40, y - 150);
        frames(30);
        ASSERT_TRUE(glshot::save(dir + name + "_mid.png"));
        InjectMouseButton(1, true);
        frames(1);
        InjectMouseButton(1, false);
        frames(10);
        for (size_t i = half; i < plan.size(); ++i) place(*level, blocks[plan[i].block], plan[i]);
        EXPECT_EQ(puzzleExpress.state, "WIN-1") << name;
        for (int i = 0; i < 300 && puzzleExpress.state != "WIN-2"; ++i) frames(1);
        frames(70);
        ASSERT_TRUE(glshot::save(dir + name + "_lid.png"));
        for (int i = 0; i < 400 && puzzleExpress.state != "WIN-3"; ++i) frames(1);
        frames(49);
        ASSERT_TRUE(glshot::save(dir + name + "_won.png"));
        frames(60);
    }
    SetClockSource(nullptr);
}

}  // namespace
