#pragma once
// Loading the shared graphic sets of the board from the asset tree: the tile pictures
// ("data/tiles.dat"), the covers ("data/tilesHide.dat"), the treasures
// ("data/tresures.dat") and the five hover frames. The record types, the global lists and
// the lookups by id live in game/board/tiledata.h; this is where they get filled and drawn.
//
// Bad data never stops the game: a frame count below 1 is reported and read as 1, an
// image that cannot be loaded is reported and its slot left empty (it then measures 0 and
// draws nothing).
#include <string>

#include "game/board/tiledata.h"

// Hover frames, cover sets and tile sets, in that order. Always 0.
int loadTiles();
// The five hover frames "gfx/tiles/over-size-<px>.png" into TTile::overImg.
int loadTilesOver();
// "data/tilesHide.dat" into tilesHideList (records th1 .. th<i>).
int loadTilesHide();
// "data/tresures.dat" into tresuresList (records t1 .. t<i>).
int loadTresures();

// Drawing a record is its own operation: TTileData::draw / drawBroke, TTresureData::draw
// (game/board/tiledata.h).

// The strip loader the three sets share: the image at bDir + path cut into `cells` equal
// cells, each trunc(width / cells) wide and as high as the image, handles centred.
// `what` names the record and key in the reports. Null (reported) when the image cannot
// be read; a cell count below 1 is reported and read as 1.
TImage loadSetStrip(const std::string& path, float cells, const std::string& what);
// A single image at bDir + path with its handle centred; null (reported) on failure.
TImage loadSetImage(const std::string& path, const std::string& what);

// Pixel size of the cells of a size class 0..4 (50, 36, 30, 24, 20); folded into range.
int tileSizePixels(int size);
// Empties the lists and the hover frames (for tests).
void resetTileSets();
