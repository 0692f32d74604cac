#pragma once
// Shared set-up of the progression and award tests: the headless platform, a scratch
// asset folder as bDir, fresh level manager, award list and profile manager, a clock the
// test moves, and recorded notices.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/app_globals.h"
#include "app/profile/profile.h"
#include "app/profile/profile_manager.h"
#include "app/profile/profile_world.h"
#include "game/awards/awards.h"
#include "game/flow/flow_world.h"
#include "game/flow/level_manager.h"
#include "gui/core/gui.h"
#include "gui/core/services.h"
#include "gui/frame/deltatime.h"
#include "gui/frame/fontcache.h"
#include "gui/frame/letterbox.h"
#include "gui/frame/mouse.h"
#include "gui/globals.h"
#include "platform/graphics.h"
#include "platform/harness.h"
#include "platform/input.h"
#include "platform/system.h"
#include "support/reset_state.h"
#include "support/scratch_tree.h"

namespace flowtest {

// A level in progress that is always playable; nothing is read from disk.
class StubLevel : public TLevelInProgress {
public:
    explicit StubLevel(std::string t) : type(std::move(t)) {}
    std::string type;
    std::string gameType() const override { return type; }
    bool playable() const override { return true; }
    bool saveTo(const std::string&) const override { return true; }
};

// The real flow world with the level readers replaced by stubs that remember the urls.
class StubLevelWorld : public TFlowWorld {
public:
    std::vector<std::string> loadedUrls;
    // Told of every newly reached stage (the map, in the map's tests).
    std::function<void(int32_t)> newStage;
    void mapSetNewStage(int32_t stageN) override {
        if (newStage) newStage(stageN);
    }
    std::shared_ptr<TLevelInProgress> loadLevel(const std::string& gameType, const std::string& path,
                                                int32_t) override {
        loadedUrls.push_back(path);
        return std::make_shared<StubLevel>(gameType);
    }
};

class FlowTest : public ScratchTreeTest {
protected:
    void SetUp() override {
        resetPlatformAndToolkit();
        ResetLayoutState();
        resetAppGlobals();
        resetProfileManager();
        resetPlayCountersOwner();
        resetAwards();
        levelManager.clear();
        setProfileWorld(&world);
        delta = 1;
        openScratch("zerkon_flow_");
    }
    void TearDown() override {
        setProfileWorld(nullptr);
        ResetHarness();
        ResetInputState();
        profileManager.profile = nullptr;
        levelManager.clear();
        resetAwards();
        closeScratch();
    }

    // One flow entry group, as the flow files write it.
    static std::string entry(int k, int numer, const std::string& type, int stage, const std::string& url = "") {
        return "\tlevel" + std::to_string(k) + " {\n\t\tnumer = " + std::to_string(numer) + "\n\t\turl = \"" + url +
               "\"\n\t\tgameType = \"" + type + "\"\n\t\tstageN = " + std::to_string(stage) + "\n\t}\n\n";
    }

    // A current profile playing the progression.
    std::shared_ptr<TProfile> makeProfile(const std::string& flowType, int stage = 1, int level = 1) {
        auto p = std::make_shared<TProfile>();
        p->name = "Tester";
        p->id = profileIdOf(p->name);
        p->flowType = flowType;
        p->numerStageu = stage;
        p->numerLevelu = level;
        profileManager.profile = p;
        return p;
    }
    static void addRecord(TProfile& p, int level, int stage, int passed, int ileRazy = 0) {
        auto r = std::make_shared<TProfLevelData>();
        r->numerLevelu = level;
        r->stageN = stage;
        r->passed = passed;
        r->ileRazy = ileRazy;
        p.levele.push_back(r);
    }

    StubLevelWorld world;
};

}  // namespace flowtest
