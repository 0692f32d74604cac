#pragma once
// The shared graphic records a board cell points to: its picture (id 0 = the empty
// cell, any other id a picture cell), its cover and the treasure under it. Loaded once
// at start-up into the global lists below and never copied; cells, flying tiles and
// treasures keep pointers to them for the rest of the process.
#include <array>
#include <memory>
#include <vector>

#include "platform/graphics.h"

// Tile size classes 0..4: cells of 50, 36, 30, 24 and 20 pixels.
constexpr int kTileSizeClasses = 5;
// Any size class read from data folded into 0..4, so it can index the image arrays.
int clampSizeClass(int size);

struct TTileData {
    int id = 0;
    std::array<TImage, kTileSizeClasses> gfx;    // the uncovered cell per size (strip of `frames`)
    std::array<TImage, kTileSizeClasses> broke;  // the broken cell per size, cut like gfx
    int brokeFrames = 0;                         // length of the broken-cell animation
    int frames = 0;                              // cells of each gfx / broke strip

    // Cell `frame` of the uncovered picture of size class `size`, centred on (x, y), with
    // the drawing state the caller set (left as it is).
    int draw(float x, float y, int size, int frame) const;
    // The broken picture: the given cell for the empty-cell record (id 0), cell 0 for any
    // picture record.
    int drawBroke(float x, float y, int size, int frame) const;
};

struct TTileHideGFX {
    int id = 0;
    std::array<TImage, kTileSizeClasses> hideImg;  // cover strip per size, played from cell 0
    float hideFrames = 0;                          // cells of each strip, as written in the file
};

struct TTresureData {
    int id = 0;
    std::array<TImage, kTileSizeClasses> img;        // strip shown over the last cover frames
    std::array<TImage, kTileSizeClasses> normalImg;  // still image for the flying treasure
    int frames = 0;

    // Cell `frame` (truncated toward zero) of the strip of size class `size` at (x, y).
    int draw(float x, float y, int size, float frame) const;
};

extern std::vector<std::shared_ptr<TTileData>> tilesList;
extern std::vector<std::shared_ptr<TTileHideGFX>> tilesHideList;
extern std::vector<std::shared_ptr<TTresureData>> tresuresList;

// First record with that id in list order, or null.
std::shared_ptr<TTileData> getTileDataById(int id);
std::shared_ptr<TTileHideGFX> GetTileDataHideById(int id);
std::shared_ptr<TTresureData> getTresureById(int id);

// Empties the three lists (for tests).
void resetTileDataLists();
