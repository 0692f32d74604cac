#pragma once
// Shared set-up of the profile tests: a user folder in a fresh temporary directory, a clock
// the test moves, recorded notices, scripted overlays, and a world of fake progressions and
// levels in place of the level manager, the play screen and the mini-games.
#include "support/reset_state.h"
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "app/app_globals.h"
#include "app/frame.h"
#include "app/options.h"
#include "app/sound.h"
#include "gui/core/services.h"
#include "gui/frame/letterbox.h"
#include "gui/frame/deltatime.h"
#include "gui/frame/fontcache.h"
#include "gui/frame/mouse.h"
#include "gui/globals.h"
#include "platform/audio.h"
#include "platform/graphics.h"
#include "platform/harness.h"
#include "app/profile/profile.h"
#include "app/profile/profile_file.h"
#include "app/profile/profile_manager.h"
#include "app/router.h"
#include "platform/files.h"
#include "platform/input.h"
#include "platform/strings.h"
#include "platform/system.h"

// A level of any game type: its text is "FAKE <type> <tutorial> <playable>", then the level
// file it was made from when known, then the moves made on it when any.
class FakeLevel : public TLevelInProgress {
public:
    std::string type;
    int32_t tutorial = 0;
    bool canPlay = true;
    std::string url;
    std::string source;  // the level file a fresh level was made from
    int32_t moves = 0;   // play on the board: a later save of the same level differs
    std::string gameType() const override { return type; }
    int32_t tutorialLevel() const override { return tutorial; }
    bool playable() const override { return canPlay; }
    bool saveTo(const std::string& path) const override {
        return files::saveText("FAKE " + type + " " + std::to_string(tutorial) + " " + (canPlay ? "1" : "0") +
                                   (source.empty() ? "" : " " + source) +
                                   (moves == 0 ? "" : " " + std::to_string(moves)) + "\n",
                               path);
    }
};

class FakeWorld : public TProfileWorld {
public:
    std::map<std::string, TLevelDataList> flows;  // "CASUAL" / "HARD"
    std::map<std::string, int32_t> tutorialUrls;  // level urls that are tutorial levels
    std::vector<std::string> badUrls;             // urls that give nothing playable
    std::map<int32_t, std::shared_ptr<TAward>> awards;
    std::vector<TDialogKey> dialogList;
    int32_t rechargeMs = 5000;

    // What the profile did to the screens.
    std::vector<std::shared_ptr<TLevelInProgress>> playLevels;
    int playStarts = 0;
    std::vector<std::pair<std::string, std::shared_ptr<TLevelInProgress>>> miniLevels;
    std::vector<int32_t> newStages;
    int tutorialSetups = 0;
    TPlayCounters playCounters;  // what the play screen holds
    std::vector<TPlayCounters> countersGiven;

    void addEntry(const std::string& flow, int32_t nr, int32_t numer, const std::string& type, int32_t stage,
                  const std::string& url = "") {
        auto e = std::make_shared<TLevelData>();
        e->nr = nr;
        e->numer = numer;
        e->gameType = type;
        e->stageN = stage;
        e->url = url.empty() ? "levels/" + flow + std::to_string(nr) + ".lvl" : url;
        flows[flow].push_back(e);
    }
    std::shared_ptr<TLevelData> flowEntry(const std::string& flowType, int32_t nr) override {
        auto it = flows.find(flowType);
        if (it == flows.end()) return nullptr;
        for (auto& e : it->second)
            if (e->nr == nr) return e;
        return nullptr;
    }
    std::shared_ptr<TLevelInProgress> loadLevel(const std::string& type, const std::string& path,
                                                int32_t fresh) override {
        auto l = std::make_shared<FakeLevel>();
        l->type = type;
        l->url = path;
        if (fresh) {
            for (auto& b : badUrls)
                if (b == path) return nullptr;
            auto t = tutorialUrls.find(path);
            l->tutorial = t == tutorialUrls.end() ? 0 : t->second;
            l->source = path;
            return l;
        }
        auto text = files::loadText(path);
        if (!text) return nullptr;
        char buf[32] = {}, src[128] = {};
        int tut = 0, play = 0, moves = 0;
        if (std::sscanf(text->c_str(), "FAKE %31s %d %d %127s %d", buf, &tut, &play, src, &moves) < 3) return nullptr;
        l->source = src;
        l->moves = moves;
        if (str::upper(buf) != type) return nullptr;
        l->tutorial = tut;
        l->canPlay = play != 0;
        return l;
    }
    void playSetLevel(const std::shared_ptr<TLevelInProgress>& level) override { playLevels.push_back(level); }
    void playStartLevel() override { ++playStarts; }
    int32_t powerUpRechargeMs(int32_t) override { return rechargeMs; }
    void playSetCounters(const TPlayCounters& c) override {
        playCounters = c;
        countersGiven.push_back(c);
    }
    bool playGetCounters(TPlayCounters& c) override {
        c = playCounters;
        return true;
    }
    void miniSetLevel(const std::string& type, const std::shared_ptr<TLevelInProgress>& level) override {
        miniLevels.emplace_back(type, level);
    }
    void mapSetNewStage(int32_t stage) override { newStages.push_back(stage); }
    void tutorialSetup() override { ++tutorialSetups; }
    std::shared_ptr<TAward> awardById(int32_t id) override {
        auto it = awards.find(id);
        return it == awards.end() ? nullptr : it->second;
    }
    std::vector<TDialogKey> dialogs() override { return dialogList; }

    std::shared_ptr<TTipRecord> addTip(const std::string& id, int32_t level, int32_t remember, bool special = false) {
        auto t = std::make_shared<TTipRecord>();
        t->id = id;
        t->numerLevelu = level;
        t->rememberMe = remember;
        (special ? special_ : tips_).push_back(t);
        return t;
    }
    std::shared_ptr<TAward> addAward(int32_t id, int32_t typ, int32_t level) {
        auto a = std::make_shared<TAward>();
        a->id = id;
        a->typ = typ;
        a->level = level;
        awards[id] = a;
        return a;
    }
};

class ProfileTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetPlatformAndToolkit();
        resetAppGlobals();
        resetOptions();
        resetGlobalSnd();
        resetFrameState();
        delta = 1;
        char tmpl[] = "/tmp/zerkon-profile-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir = tmpl;
        myDocsFolder = dir;
        files::createDir(dir + "/Data");
        files::createDir(dir + "/Profiles");
        now = 100000;
        SetClockSource([this] { return now; });
        SetNotifyHandler([this](const std::string& t) { notices.push_back(t); });
        resetProfileManager();
        resetProfileDialogs();
        control::reset();
        setProfileWorld(&world);
    }
    void TearDown() override {
        resetProfileManager();
        resetProfileDialogs();
        setProfileWorld(nullptr);
        SetClockSource(nullptr);
        SetNotifyHandler(nullptr);
        ResetInputState();
        resetAppGlobals();
        control::reset();
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
    std::string read(const std::string& rel) {
        auto t = files::loadText(dir + rel);
        return t ? *t : std::string("<missing>");
    }
    bool exists(const std::string& rel) { return files::fileType(dir + rel) != files::FILETYPE_NONE; }
    void write(const std::string& rel, const std::string& text) {
        files::createDir(files::extractDir(dir + rel));
        ASSERT_TRUE(files::saveText(text, dir + rel));
    }

    std::string dir;
    int32_t now = 0;
    std::vector<std::string> notices;
    FakeWorld world;
};
