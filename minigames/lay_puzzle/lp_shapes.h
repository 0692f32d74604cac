#pragma once
// Inlay game shapes: blocks made of equilateral triangles on a triangle grid. A shape is a
// small grid of cells (non-zero = a triangle), one picture for all its triangles and a
// pivot; it places, draws and hit-tests its triangles for any position and angle.
//
// Cell [r, c] is inverted when r and c differ in parity: its picture turns a further 60
// degrees and its centre sits 8 px higher. Neighbouring columns are half a cell apart.
// The cell size is the size of the board's empty triangle (layEmptyTile), so that picture
// is loaded before the shapes are read.
#include <memory>
#include <string>
#include <vector>

#include "gui/core/dim.h"
#include "platform/graphics.h"

// The board's two shared pictures, handle (16, 17): an empty inlay cell (its size is the
// grid pitch) and the developer mark of a filled one.
extern TImage layEmptyTile;
extern TImage layFiledTile;
int layCellW();
int layCellH();

class TLayBlockData {
public:
    virtual ~TLayBlockData() = default;
    int id = 0;
    int rows = 0, cols = 0;
    std::vector<std::vector<int>> tab;  // [r][c], non-zero: a triangle
    TImage img;                         // one triangle, upright, handle (16, 17)
    float centerBlockX = 0, centerBlockY = 0;  // pivot, in the frame of pomTab
    float fullW = 60;                          // room it takes on the shelf
    std::vector<std::vector<std::shared_ptr<TDim>>> pomTab;  // cell centre from the grid origin
    std::vector<std::vector<float>> kier;  // extra turn of the cell's picture: 0 or 60
    std::vector<std::vector<float>> kat;   // direction from the pivot, degrees
    std::vector<std::vector<float>> odl;   // distance from the pivot, pixels

    virtual void countPomTab();
    // countPomTab, then the angle and distance of every cell from the pivot.
    virtual void countRotAndOdl();
    // The absolute angle of triangle [r, c] with the block turned by dir (truncated).
    virtual int getSpecRot(int r, int c, float dir) const;
    // Draws every triangle with the caller's colour, alpha, blend and scale.
    virtual void draw(float x, float y, float dir) const;
    // The whole-pixel centre of triangle [r, c] (x and y of a bare point).
    virtual std::shared_ptr<TDim> getTileDim(float x, float y, int r, int c, float dir) const;
    // Writes every triangle into collision layer 1, four copies 5 px off each diagonal.
    virtual void collide(float x, float y, float dir) const;

    // The exact centre of triangle [r, c], shared by the three above.
    void centreOf(int r, int c, float x, float y, float dir, float& cx, float& cy) const;
    bool solid(int r, int c) const { return tab[size_t(r)][size_t(c)] != 0; }
};

inline constexpr int kLayMaxShapeSide = 8;
inline constexpr int kLayMaxShapes = 64;

extern std::vector<std::shared_ptr<TLayBlockData>> layBlocksList;

// The first shape with the id, or null.
std::shared_ptr<TLayBlockData> getLayBlockById(int id);
// Reads bDir + "data/layPuzzle-blocks.dat" into a new layBlocksList. Sizes and the count
// are bounded; what was wrong (a missing picture, a size out of range) is reported once.
void loadLayBlocksData();
