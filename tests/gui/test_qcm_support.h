#pragma once
// Shared fixture pieces for the data-file and text-file tests: a private temporary
// folder, raw file access and a clean global state.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "gui/globals.h"
#include "platform/system.h"

class DataFileTest : public ::testing::Test {
protected:
    std::filesystem::path dir;
    std::vector<std::string> notices;

    void SetUp() override {
        resetGuiGlobals();
        SetNotifyHandler([this](const std::string& text) { notices.push_back(text); });
        std::string templ = (std::filesystem::temp_directory_path() / "zerkon-data-XXXXXX").string();
        ASSERT_NE(mkdtemp(templ.data()), nullptr);
        dir = templ;
    }
    void TearDown() override {
        SetNotifyHandler(nullptr);
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }

    std::string path(const std::string& name) const { return (dir / name).string(); }

    void writeBytes(const std::string& name, const std::string& bytes) const {
        std::filesystem::create_directories((dir / name).parent_path());
        std::ofstream out(dir / name, std::ios::binary);
        out << bytes;
    }
    std::string readBytes(const std::string& name) const {
        std::ifstream in(dir / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
};

// Runs `fn` and returns what it wrote to standard output.
template <class Fn>
std::string captureConsole(Fn&& fn) {
    ::testing::internal::CaptureStdout();
    fn();
    return ::testing::internal::GetCapturedStdout();
}
