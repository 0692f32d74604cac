#pragma once
// Shared set-up of the progression, map and award tests: the headless platform, a scratch
// asset folder as bDir, fresh level manager, map, award list and profile manager, a clock
// the test moves, and recorded notices.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
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
#include "game/map/mapa.h"
#include "gui/core/gui.h"
#include "gui/core/services.h"
#include "gui/frame/deltatime.h"
#include "gui/frame/fontcache.h"
#include "gui/frame/mouse.h"
#include "gui/globals.h"
#include "platform/graphics.h"
#include "platform/harness.h"
#include "platform/input.h"
#include "platform/system.h"

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
    std::shared_ptr<TLevelInProgress> loadLevel(const std::string& gameType, const std::string& path,
                                                int32_t) override {
        loadedUrls.push_back(path);
        return std::make_shared<StubLevel>(gameType);
    }
};

class FlowTest : public ::testing::Test {
protected:
    void SetUp() override {
        InitPlatform(true);
        ResetGraphicsState();
        ResetInputState();
        ResetHarness();
        resetDeltaTime();
        ResetMouseState();
        ResetFontCache();
        resetGuiGlobals();
        ResetGuiServices();
        ResetLayoutState();
        resetAppGlobals();
        resetProfileManager();
        resetPlayCountersOwner();
        resetAwards();
        levelManager.clear();
        mapa.reset();
        setStageScreenRunner(nullptr);
        setProfileWorld(&world);
        delta = 1;
        SetClockSource([this] { return now; });
        SetNotifyHandler([this](const std::string& m) { notices.push_back(m); });
        static int serial = 0;
        dir = std::filesystem::temp_directory_path() /
              ("zerkon_flow_" + std::to_string(getpid()) + "_" + std::to_string(serial++));
        std::filesystem::create_directories(dir / "user");
        bDir = dir.string() + "/";
        lang = "en";
        myDocsFolder = (dir / "user").string();
    }
    void TearDown() override {
        setProfileWorld(nullptr);
        setStageScreenRunner(nullptr);
        SetClockSource(nullptr);
        SetNotifyHandler(nullptr);
        ResetHarness();
        ResetInputState();
        profileManager.profile = nullptr;
        levelManager.clear();
        mapa.reset();
        resetAwards();
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }

    // Writes a file below the scratch asset folder (parents made).
    void write(const std::string& rel, const std::string& text) {
        std::filesystem::path p = dir / rel;
        std::filesystem::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << text;
    }
    void writePng(const std::string& rel, int w, int h, uint32_t argb = 0xFFFFFFFFu) {
        std::filesystem::create_directories((dir / rel).parent_path());
        Pixmap pm;
        pm.width = w;
        pm.height = h;
        pm.pixels.assign(size_t(w) * size_t(h), argb);
        ASSERT_TRUE(SavePixmapPNG(pm, (dir / rel).string()));
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
    int32_t now = 100000;
    std::vector<std::string> notices;
    std::filesystem::path dir;
};

}  // namespace flowtest
