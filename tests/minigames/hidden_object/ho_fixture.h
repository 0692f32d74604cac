#pragma once
// A scratch asset tree with a tiny scene (pictures of known sizes, the language texts), a
// clock the test moves, delta 1 and a fresh view of the scene switches.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "effects/particles.h"
#include "effects/pogoda.h"
#include "gui/frame/deltatime.h"
#include "gui/frame/mouse.h"
#include "minigames/hidden_object/ho_level_file.h"
#include "support/reset_state.h"
#include "support/scratch_tree.h"

class HOTest : public ScratchTreeTest {
protected:
    void SetUp() override {
        resetPlatformAndToolkit();
        resetParticles();
        resetPogoda();
        openScratch("ho_rules_");
        delta = 1;
        resetHOView();
        THObject::pickImg = nullptr;
        write("txt/en/hiddenObject.txt", "Hidden Object\nHINT\nThe Captain's Cabin\n");
        png("gfx/ho/key.png", 5, 9);
        png("gfx/ho/key-icon.png", 40, 40);
        png("gfx/ho/key-icon-sepia.png", 40, 40);
        png("gfx/ho/coin.jpg", 20, 20);
        png("gfx/ho/coin-icon-sepia.png", 40, 40);
        png("gfx/ho/glow.png", 64, 64);
        png("gfx/ho/front.png", 100, 50);
        png("gfx/ho/fish.png", 30, 12);
        png("gfx/ho/back.png", 16, 16);
    }
    void TearDown() override {
        resetHOView();
        closeScratch();
    }
    void write(const std::string& rel, const std::string& text) {
        std::filesystem::create_directories((dir / rel).parent_path());
        std::ofstream(dir / rel, std::ios::binary) << text;
    }
    void png(const std::string& rel, int w, int h) { writeSolidPng(dir / rel, w, h, 0xFFFFFFFFu); }
    std::string path(const std::string& rel) const { return (dir / rel).string(); }
    std::shared_ptr<THOLevel> read(const std::string& rel, std::vector<std::string>* problems = nullptr) {
        return loadHOLevel(path(rel), problems);
    }
    void frame() {
        now += 16;
        for (auto& o : level->objects) o->update();
    }
    void mouseAt(int x, int y) {
        mouse.x = x;
        mouse.y = y;
    }
    std::shared_ptr<THOLevel> level;
};

// One object; its keys after the "obN {" line.
inline std::string hoObject(int n, int id, const std::string& where, const std::string& extra = "") {
    return "\t\tob" + std::to_string(n) + " {\n\t\t\tid = " + std::to_string(id) +
           "\n\t\t\timgUkryty = \"gfx/ho/key.png\"\n\t\t\timgDoZebrania = \"gfx/ho/key-icon.png\"\n"
           "\t\t\timgZebrany = \"gfx/ho/key-icon.png\"\n\t\t\t" +
           where + "\n\t\t\tdoZebraniaDim = 380, 710\n" + extra + "\t\t}\n\n";
}
