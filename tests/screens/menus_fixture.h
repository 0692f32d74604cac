#pragma once
// Shared set-up of the title screen, its overlays and the stage screen: the headless
// platform with a 1024 x 768 picture, a scratch asset folder as bDir, fresh screens and
// profile manager, a clock the test moves, and recorded notices.
#include "support/reset_state.h"
#include "support/scratch_tree.h"
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/app_globals.h"
#include "app/frame.h"
#include "app/profile/profile.h"
#include "app/profile/profile_manager.h"
#include "app/sound.h"
#include "gui/core/gui.h"
#include "gui/core/services.h"
#include "gui/frame/deltatime.h"
#include "gui/frame/fontcache.h"
#include "gui/frame/letterbox.h"
#include "gui/frame/mouse.h"
#include "gui/globals.h"
#include "platform/audio.h"
#include "platform/graphics.h"
#include "platform/harness.h"
#include "platform/input.h"
#include "platform/system.h"
#include "screens/map/mapa.h"
#include "screens/menu/main_menu.h"
#include "screens/menu/menu_overlays.h"
#include "screens/stage/stage_screen.h"

namespace menutest {

// A player whose progression and saved game the test decides.
class FakeProfile : public TProfile {
public:
    TLevelDataList entries;
    int32_t continueFlag = 0;
    std::string continueResult = "MAIN-GAME";
    int continueCalls = 0;

    TLevelDataList getLeveleForStage(int32_t stage) const override {
        TLevelDataList out;
        for (const auto& e : entries)
            if (e->stageN == stage) out.push_back(e);
        return out;
    }
    int32_t canContinue() const override { return continueFlag; }
    std::string ContinueGame() override {
        ++continueCalls;
        return continueResult;
    }
    int save() override { return 0; }
};

// A screen an overlay draws behind itself: counts how often it was drawn.
class Behind : public TEkran {
public:
    int draws = 0;
    int draw() override {
        ++draws;
        return 0;
    }
};

class MenusTest : public ScratchTreeTest {
protected:
    void SetUp() override {
        resetPlatformAndToolkit();
        ResetLayoutState();
        resetAppGlobals();
        resetFrameState();
        resetGlobalSnd();
        resetProfileManager();
        resetProfileDialogs();
        resetMainMenu();
        resetMenuOverlays();
        resetStageScreen();
        mapa.reset();
        delta = 1;
        openScratch("zerkon_menus_");
    }
    void TearDown() override {
        ResetHarness();
        ResetInputState();
        if (GraphicsOpen()) CloseGraphics();
        profileManager.profile = nullptr;
        resetProfileDialogs();
        resetMainMenu();
        resetMenuOverlays();
        resetStageScreen();
        mapa.reset();
        closeScratch();
    }
    // A four-step button strip (cells of w x h) and its layout block.
    std::string button(const std::string& name, const std::string& gfx, int x, int y, int w = 100, int h = 40) {
        writePng(gfx, w * 4, h);
        return "BUTTON " + name + "\n{\n\tTYP = FSTEP_BUTTON\n\tGFX = " + gfx + "\n\tPOSITION = \"" +
               std::to_string(x) + " " + std::to_string(y) + "\"\n}\n\n";
    }
    // A display of 1024 x 768 so that scripted pointer moves land on virtual coordinates,
    // and a clock that moves 1000/60 ms a flip, so every frame is about one unit.
    void openDisplay() {
        ASSERT_TRUE(Graphics(1024, 768, 0, 60));
        SetAspectResolution(1024, 768, 3);
        frameClock();
    }
    void frameClock() {
        SetClockSource([this] { return now + int32_t(HarnessFrameNumber() * 1000 / 60); });
        settleDelta();
    }
    // Time spent before a loop does not enter its first frame.
    static void settleDelta() {
        for (int i = 0; i < 25; ++i) deltaUpdate();
    }
    static ScriptCommand cmd(int frame, const std::string& verb, std::vector<std::string> args = {}) {
        ScriptCommand c;
        c.frame = frame;
        c.verb = verb;
        c.args = std::move(args);
        return c;
    }
    static std::vector<ScriptCommand> clickAt(int frame, int x, int y) {
        return {cmd(frame - 1, "move", {std::to_string(x), std::to_string(y)}), cmd(frame, "click", {"left"})};
    }
    // One script from several pieces, in order.
    static std::vector<ScriptCommand> join(std::vector<std::vector<ScriptCommand>> parts) {
        std::vector<ScriptCommand> out;
        for (auto& part : parts) out.insert(out.end(), part.begin(), part.end());
        return out;
    }
    std::shared_ptr<FakeProfile> makeProfile(const std::string& name = "Anna") {
        auto p = std::make_shared<FakeProfile>();
        p->name = name;
        p->id = profileIdOf(name);
        profileManager.profile = p;
        return p;
    }
    static std::shared_ptr<TLevelData> entry(int nr, int numer, const std::string& type, int stage) {
        auto e = std::make_shared<TLevelData>();
        e->nr = nr;
        e->numer = numer;
        e->gameType = type;
        e->stageN = stage;
        return e;
    }
    static void addRecord(TProfile& p, int level, int stage, int passed) {
        auto r = std::make_shared<TProfLevelData>();
        r->numerLevelu = level;
        r->stageN = stage;
        r->passed = passed;
        p.levele.push_back(r);
    }

};

}  // namespace menutest
