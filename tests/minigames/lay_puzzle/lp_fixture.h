#pragma once
// A scratch tree with the 32 x 26 triangle cell, four shapes (one triangle, an upright and
// an inverted pair, a hole only), delta 1, a still clock and a fresh play view.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "app/app_globals.h"
#include "effects/particles.h"
#include "gui/frame/deltatime.h"
#include "gui/frame/mouse.h"
#include "minigames/lay_puzzle/lp_level_file.h"
#include "support/reset_state.h"
#include "support/scratch_tree.h"

// A w x h picture; with `triangle`, only an upright triangle (apex at the top middle, base
// on the bottom row) is opaque.
inline TImage layPicture(int w, int h, bool triangle, float hx, float hy) {
    Pixmap pm;
    pm.width = w;
    pm.height = h;
    pm.pixels.assign(size_t(w) * size_t(h), 0u);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const float half = float(w) / 2 * float(y + 1) / float(h);  // half width at this row
            if (!triangle || std::abs(float(x) + 0.5f - float(w) / 2) <= half)
                pm.pixels[size_t(y) * size_t(w) + size_t(x)] = 0xFFFFFFFFu;
        }
    TImage img = CreateImageFromPixmap(pm);
    SetImageHandle(img, hx, hy);
    return img;
}

class LPTest : public ScratchTreeTest {
protected:
    void SetUp() override {
        resetPlatformAndToolkit();
        openScratch("lp_rules_");
        delta = 1;
        cheats = 0;
        resetLPPlay();
        layEmptyTile = layPicture(32, 26, true, 16, 17);
        mousePoint = layPicture(3, 3, false, 1, 1);
        writePng("gfx/lp/tri.png", 32, 26);
        writePng("gfx/lp/idol.png", 60, 80);
        // 1: one triangle, pivot on it; 2: an upright then an inverted triangle; 3: the
        // inverted triangle first; 4: a hole only.
        write("data/layPuzzle-blocks.dat",
              "layBlocks {\n\ti = 4\n"
              "\tblock1 {\n\t\tid = 1\n\t\tdims = 1, 1\n\t\tcenter = 0, 0\n\t\tcenterBlock = 0, 0\n"
              "\t\timg = \"gfx/lp/tri.png\"\n\t\ttab0 = 1\n\t}\n"
              "\tblock2 {\n\t\tid = 2\n\t\tdims = 1, 2\n\t\tcenterBlock = 8, -4\n"
              "\t\timg = \"gfx/lp/tri.png\"\n\t\ttab0 = 1, 1\n\t}\n"
              "\tblock3 {\n\t\tid = 3\n\t\tdims = 2, 3\n\t\tcenterBlock = 16, 9\n"
              "\t\timg = \"gfx/lp/tri.png\"\n\t\ttab0 = 0, 1, 0\n\t\ttab1 = 0, 1, 0\n\t}\n"
              "\tblock4 {\n\t\tid = 4\n\t\tdims = 1, 1\n\t\timg = \"gfx/lp/tri.png\"\n\t\ttab0 = 0\n\t}\n}\n");
        loadLayBlocksData();
    }
    void TearDown() override {
        resetLPPlay();
        fx::clear(particlesList);
        layEmptyTile = nullptr;
        mousePoint = nullptr;
        layBlocksList.clear();
        closeScratch();
    }
    std::string path(const std::string& rel) const { return (dir / rel).string(); }

    // A level of rows x cols cells, all to fill unless `holes` lists "r,c" pairs, with the
    // board in place at (stx, sty), played by the view.
    std::shared_ptr<TLayLevel> board(int rows, int cols, float stx = 300, float sty = 300) {
        auto l = std::make_shared<TLayLevel>();
        l->rows = rows;
        l->cols = cols;
        l->stx = stx;
        l->sty = sty;
        l->nextBlock = 5000;
        l->tile.resize(size_t(rows));
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c) {
                auto t = std::make_shared<TLayTile>();
                t->r = r;
                t->c = c;
                t->stan = 1;
                l->tile[size_t(r)].push_back(t);
            }
        l->setPosition(1);
        lpPlay().level = l;
        return l;
    }
    static std::shared_ptr<TLayBlock> block(int shape, float x, float y, float dir = 0,
                                            const std::string& state = "FREE") {
        auto b = std::make_shared<TLayBlock>();
        b->bd = getLayBlockById(shape);
        b->x = x;
        b->y = y;
        b->dir = b->dDir = dir;
        b->state = state;
        return b;
    }
    // Runs the frame step of every block of the level, in list order, n times.
    static void frames(TLayLevel& l, int n) {
        for (int i = 0; i < n; ++i) {
            const auto list = l.blocks;
            for (auto& b : list) b->update();
        }
    }
};
