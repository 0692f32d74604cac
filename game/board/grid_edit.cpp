// Editing the grid: every edit builds a new grid in which the cells that stay are the same
// objects, moved to their new places; new cells are empty and uncovered.
#include "game/board/grid_edit.h"

#include <algorithm>

std::shared_ptr<TLevel> createNewLevel(int rows, int cols) {
    auto level = std::make_shared<TLevel>();
    level->rows = rows;
    level->cols = cols;
    level->createTilesTab();
    level->maxMistakes = 5;
    level->setHideTile(GetTileDataHideById(1));
    const auto empty = getTileDataById(0);
    for (auto& t : level->tile) {
        t->setTileData(empty);
        t->odkryty = 1;
        t->animTime = 9;
    }
    return level;
}

// Place (r, c) of the new newRows x newCols grid takes the old cell at
// (r + rowShift, c + colShift) when there is one, else a new cell.
int TLevel::_editGrid(int newRows, int newCols, int rowShift, int colShift) {
    TTile* corner = at(0, 0);
    const auto cover = corner ? corner->tdHide : nullptr;
    const auto empty = getTileDataById(0);

    std::vector<std::shared_ptr<TTile>> grid;
    grid.reserve(size_t(newRows) * size_t(newCols));
    for (int r = 0; r < newRows; ++r) {
        for (int c = 0; c < newCols; ++c) {
            auto t = tileAt(r + rowShift, c + colShift);
            if (!t) {
                t = std::make_shared<TTile>();
                t->setTileData(empty);
                t->setTileHideData(cover);
                t->_level = this;
                t->odkryty = 1;
                t->animTime = empty ? float(empty->frames - 1) : 0.0f;
            }
            // Row and column follow the place, so the cross and the power-up areas that
            // read them stay right after an edit.
            t->r = r;
            t->c = c;
            grid.push_back(std::move(t));
        }
    }
    // Cells dropped with the old grid no longer belong to the level.
    for (auto& old : tile)
        if (old && std::find(grid.begin(), grid.end(), old) == grid.end()) old->_level = nullptr;

    tile = std::move(grid);
    rows = newRows;
    cols = newCols;
    createNumbers();
    setProperPosition();
    return 0;
}

// Adds stop at the largest side, removes at the smallest; a level made outside that range
// can still be brought into it but never to an empty grid.
int TLevel::addRowUp() { return rows >= maxEditSide ? 0 : _editGrid(rows + 1, cols, -1, 0); }
int TLevel::addRowDown() { return rows >= maxEditSide ? 0 : _editGrid(rows + 1, cols, 0, 0); }
int TLevel::addColLeft() { return cols >= maxEditSide ? 0 : _editGrid(rows, cols + 1, 0, -1); }
int TLevel::addColRight() { return cols >= maxEditSide ? 0 : _editGrid(rows, cols + 1, 0, 0); }
int TLevel::removeRowUp() { return rows <= minEditSide ? 0 : _editGrid(rows - 1, cols, 1, 0); }
int TLevel::removeRowDown() { return rows <= minEditSide ? 0 : _editGrid(rows - 1, cols, 0, 0); }
int TLevel::removeColLeft() { return cols <= minEditSide ? 0 : _editGrid(rows, cols - 1, 0, 1); }
int TLevel::removeColRight() { return cols <= minEditSide ? 0 : _editGrid(rows, cols - 1, 0, 0); }
