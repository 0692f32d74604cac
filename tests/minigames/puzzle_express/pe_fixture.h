#pragma once
// A scratch tree with 40 x 40 cells, two tile kinds and a few shapes, delta 1 and a fresh
// play view.
#include <gtest/gtest.h>

#include <string>

#include "app/app_globals.h"
#include "gui/frame/deltatime.h"
#include "gui/frame/mouse.h"
#include "minigames/puzzle_express/pe_level_file.h"
#include "support/reset_state.h"
#include "support/scratch_tree.h"

inline TImage solidImage(int w, int h) {
    Pixmap pm;
    pm.width = w;
    pm.height = h;
    pm.pixels.assign(size_t(w) * size_t(h), 0xFFFFFFFFu);
    TImage img = CreateImageFromPixmap(pm);
    SetImageHandle(img, float(w / 2), float(h / 2));
    return img;
}

class PETest : public ScratchTreeTest {
protected:
    void SetUp() override {
        resetPlatformAndToolkit();
        openScratch("pe_rules_");
        delta = 1;
        resetPEPlay();
        peEmptyTile = solidImage(40, 40);
        write("txt/en/puzzleTexts.txt", "A compass.\nCompass\n");
        writePng("gfx/pe/a.png", 40, 40);
        writePng("gfx/pe/b.png", 40, 40);
        writePng("gfx/pe/compass.png", 60, 60);
        write("data/puzzleExpress-tiles.dat",
              "peTiles {\n\ti = 2\n\tpetile1 {\n\t\timg = \"gfx/pe/a.png\"\n\t\tid = 1\n\t}\n"
              "\tpetile2 {\n\t\timg = \"gfx/pe/b.png\"\n\t\tid = 2\n\t}\n}\n");
        // 1: domino; 2: L-tromino (cell [1,1] a hole); 3: a hole only.
        write("data/puzzleExpress-blocks.dat",
              "blocks {\n\ti = 3\n\tblock1 {\n\t\tid = 1\n\t\ttabDim = 1, 2\n\t\ttab0 = 2, 2\n\t}\n"
              "\tblock2 {\n\t\tid = 2\n\t\ttabDim = 2, 2\n\t\ttab0 = 1, 1\n\t\ttab1 = 1, 0\n\t}\n"
              "\tblock3 {\n\t\tid = 3\n\t\ttabDim = 1, 1\n\t\ttab0 = 0\n\t}\n}\n");
        setupPETiles();
        setupPEBlocks();
    }
    void TearDown() override {
        resetPEPlay();
        peEmptyTile = nullptr;
        peTilesList.clear();
        blocksList.clear();
        closeScratch();
    }
    std::string path(const std::string& rel) const { return (dir / rel).string(); }

    static std::shared_ptr<TBlock> block(int shape, float x, float y, float dir, int id) {
        auto b = std::make_shared<TBlock>();
        b->bd = getBlockData(shape);
        b->x = x;
        b->y = y;
        b->dir = b->dDir = dir;
        b->id = id;
        b->obliczKat();
        return b;
    }
};

// A level of rows x cols, every cell in the field unless listed in `off` as "r,c;".
inline std::string peLevelText(int rows, int cols, const std::string& fieldRows, const std::string& blocks) {
    return "PELevel {\n\tdims = " + std::to_string(rows) + ", " + std::to_string(cols) +
           "\n\ttime = 42\n\tobject {\n\t\timg = \"gfx/pe/compass.png\"\n\t\tscale = 1.5\n\t\topis = 1\n"
           "\t\tname = 2\n\t\tposition = 502, 340\n\t\trotation = 15\n\t}\n" +
           fieldRows + blocks + "}\n";
}
