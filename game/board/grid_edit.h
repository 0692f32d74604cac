#pragma once
// The level editor's tools: a blank level, and TLevel's add / remove of a row or column at
// an edge of the grid (declared in level.h, made in grid_edit.cpp). Nothing in play uses them.
#include <memory>

#include "game/board/level.h"

// A rows x cols level of empty, uncovered cells with cover record 1 and 5 chest hits
// allowed. No clue lines, no layout.
std::shared_ptr<TLevel> createNewLevel(int rows, int cols);
