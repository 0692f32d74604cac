#pragma once
// A fixture base for tests that read a small asset tree of their own: a scratch folder as
// bDir (with a user folder inside as myDocsFolder), the English texts, a clock the test moves
// and the notices recorded instead of shown.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "app/app_globals.h"
#include "gui/globals.h"
#include "platform/graphics.h"
#include "platform/system.h"
#include "support/solid_png.h"

class ScratchTreeTest : public ::testing::Test {
protected:
    // Makes a fresh folder named after `prefix`, the process and a serial number.
    void openScratch(const std::string& prefix) {
        SetClockSource([this] { return now; });
        SetNotifyHandler([this](const std::string& m) { notices.push_back(m); });
        static int serial = 0;
        dir = std::filesystem::temp_directory_path() /
              (prefix + std::to_string(getpid()) + "_" + std::to_string(serial++));
        std::filesystem::create_directories(dir / "user");
        bDir = dir.string() + "/";
        lang = "en";
        myDocsFolder = (dir / "user").string();
    }
    void closeScratch() {
        SetClockSource(nullptr);
        SetNotifyHandler(nullptr);
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }

    // Writes a file below the scratch folder (parents made).
    void write(const std::string& rel, const std::string& text) {
        std::filesystem::path p = dir / rel;
        std::filesystem::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << text;
    }
    // A w x h picture of one colour.
    void writePng(const std::string& rel, int w, int h, uint32_t argb = 0xFFFFFFFFu) {
        ASSERT_TRUE(writeSolidPng(dir / rel, w, h, argb));
    }

    int32_t now = 100000;
    std::vector<std::string> notices;
    std::filesystem::path dir;
};
