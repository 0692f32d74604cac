#pragma once
// Block puzzle shapes: the tile kinds (a picture each) and the block shapes (which kind sits
// in which cell), both read once from two keyed data files, and the geometry that puts
// every cell of a shape for an origin and an angle.
//
// A shape is laid out turned half round against the order of its table: at angle 0 cell
// [0, 0] sits at the lower right. The pivot lies a quarter cell above and left of the
// shape's centre, so a quarter turn shifts the cells off the lattice by half a cell; the
// board snaps a dropped block by its cells, so players never see it.
#include <memory>
#include <string>
#include <vector>

#include "gui/core/dim.h"
#include "platform/graphics.h"

// The picture of one field cell; its size is the cell size of the board and every shape.
extern TImage peEmptyTile;
int peCellW();
int peCellH();

class TPETileData {
public:
    virtual ~TPETileData() = default;
    int id = 0;
    TImage img;
};

class TBlockData {
public:
    virtual ~TBlockData() = default;
    int id = 0;
    int rows = 0, cols = 0;
    // [r][c]; null is a hole.
    std::vector<std::vector<std::shared_ptr<TPETileData>>> tab;
    float xo = 0, yo = 0;  // pivot, from the block's origin
    std::vector<std::vector<float>> katTab;  // direction of each cell from the pivot, degrees
    std::vector<std::vector<float>> odlTab;  // distance of each cell from the pivot, pixels

    // Draws the cells for origin (x, y) and angle dir with the current colour, alpha and
    // blend; the rotation stays set to dir.
    virtual void draw(float x, float y, int dir) const;
    // Writes the cells that hold a tile kind into collision layer 1.
    virtual void collide(float x, float y, int dir) const;
    // Fills the pivot and the per-cell angle and distance from the cell size.
    virtual void obliczKat();
    // The cell's whole-pixel position (truncated toward zero), as x and y of a dim.
    virtual std::shared_ptr<TDim> getDim(int r, int c, float x, float y, float dir) const;

    // The cell's exact position, shared by the three above.
    void cellAt(int r, int c, float x, float y, float dir, float& px, float& py) const;
    bool solid(int r, int c) const { return tab[size_t(r)][size_t(c)] != nullptr; }
};

// Moves a block's angle toward its target by step, in a straight line; true when a step
// carried it past the target and it was set on it (the block then wraps its angles). Shared
// by both block games.
bool turnToward(float& dir, float target, float step);

// Bounds on what the two files may ask for; anything beyond is surely a broken file.
inline constexpr int kPEMaxShapeSide = 8;
inline constexpr int kPEMaxKinds = 64;

extern std::vector<std::shared_ptr<TPETileData>> peTilesList;
extern std::vector<std::shared_ptr<TBlockData>> blocksList;

// The first kind or shape with the id, or null.
std::shared_ptr<TPETileData> getPeTileData(int id);
std::shared_ptr<TBlockData> getBlockData(int id);

// Read bDir + "data/puzzleExpress-tiles.dat", then bDir + "data/puzzleExpress-blocks.dat"
// (kinds first: the shapes look them up). Each replaces its list; what was wrong with the
// file is reported once through errorMsg.
void setupPETiles();
void setupPEBlocks();
