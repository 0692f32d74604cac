#pragma once
// Shared fixture of the application frame's tests: headless platform, every module with
// global state reset, a fake clock, recorded notices, an end of the process that throws,
// and a scratch folder.
#include "support/reset_state.h"
#include "support/solid_png.h"
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/app_globals.h"
#include "app/frame.h"
#include "app/options.h"
#include "app/router.h"
#include "app/sound.h"
#include "app/startup.h"
#include "gui/core/services.h"
#include "gui/frame/letterbox.h"
#include "gui/frame/deltatime.h"
#include "gui/frame/fontcache.h"
#include "gui/frame/mouse.h"
#include "gui/globals.h"
#include "platform/audio.h"
#include "platform/graphics.h"
#include "platform/harness.h"
#include "platform/input.h"
#include "platform/system.h"

// Thrown by the test's end of the process, so loops unwind instead of exiting.
struct ProcessEnded {
    int code;
};

class AppTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetPlatformAndToolkit();
        resetAppGlobals();
        resetOptions();
        resetGlobalSnd();
        resetFrameState();
        control::reset();
        resetStartup();
        delta = 1;
        SetClockSource([this] { return now; });
        SetNotifyHandler([this](const std::string& m) { notices.push_back(m); });
        SetEndHandler([](int code) { throw ProcessEnded{code}; });
        static int serial = 0;
        dir = std::filesystem::temp_directory_path() /
              ("zerkon_app_" + std::to_string(getpid()) + "_" + std::to_string(serial++));
        std::filesystem::create_directories(dir);
    }
    void TearDown() override {
        SetClockSource(nullptr);
        SetNotifyHandler(nullptr);
        SetEndHandler(nullptr);
        ResetHarness();
        ResetInputState();
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }

    // Writes a file below the scratch folder (parents made) and returns its path.
    std::string write(const std::string& rel, const std::string& text) {
        std::filesystem::path p = dir / rel;
        std::filesystem::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << text;
        return p.string();
    }
    // A w x h picture of one colour below the scratch folder (parents made).
    void writePng(const std::string& rel, int w, int h, uint32_t argb) {
        ASSERT_TRUE(writeSolidPng(dir / rel, w, h, argb));
    }
    static std::string read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // Script commands for the harness: {frame, verb, args}.
    static void script(std::vector<ScriptCommand> cmds, int frameLimit = 600) {
        HarnessStart(std::move(cmds), frameLimit);
    }

    int32_t now = 1000;
    std::vector<std::string> notices;
    std::filesystem::path dir;
};

// Runs the working folder elsewhere for the life of the object.
class WorkingFolder {
public:
    explicit WorkingFolder(const std::filesystem::path& p) : old_(std::filesystem::current_path()) {
        std::filesystem::current_path(p);
    }
    ~WorkingFolder() { std::filesystem::current_path(old_); }

private:
    std::filesystem::path old_;
};

// Sets an environment variable for the life of the object.
class EnvVar {
public:
    EnvVar(const char* name, const std::string& value) : name_(name) {
        if (const char* v = std::getenv(name)) old_ = v, had_ = true;
        setenv(name, value.c_str(), 1);
    }
    ~EnvVar() {
        if (had_) setenv(name_, old_.c_str(), 1);
        else unsetenv(name_);
    }

private:
    const char* name_;
    std::string old_;
    bool had_ = false;
};
