#pragma once
// Shared set-up for the graphics tests: a headless 1024 x 768 display, clean state and a
// scratch folder for files the tests write.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/graphics.h"

class GraphicsTest : public ::testing::Test {
protected:
    void SetUp() override {
        InitPlatform(true);
        ASSERT_TRUE(Graphics(1024, 768));
        ResetGraphicsState();
        SetMaskColor(0, 0, 0);
        SetDefaultFontPath("");
        dir = std::filesystem::temp_directory_path() /
              ("zerkon_gfx_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override {
        std::filesystem::remove_all(dir);
        ResetGraphicsState();
    }
    std::string file(const std::string& name) const { return (dir / name).string(); }

    static Pixmap solid(int w, int h, uint32_t argb) {
        Pixmap pm;
        pm.width = w;
        pm.height = h;
        pm.pixels.assign(size_t(w) * h, argb);
        return pm;
    }

    std::filesystem::path dir;
};
