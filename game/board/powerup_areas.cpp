// The previews of the eye (a column), the skull (a row) and the map (the 3 x 3 block
// around the cell, clipped at the grid's edges) while one of them is armed.
#include "game/board/level.h"

int TLevel::drawOverOko(TTile* t) {
    if (!t || t->isDone()) return 0;
    for (int r = 0; r < rows; ++r)
        if (TTile* cell = at(r, t->c)) cell->drawOverBlend();
    return 0;
}

int TLevel::drawOverCzacha(TTile* t) {
    if (!t || t->isDone()) return 0;
    for (int c = 0; c < cols; ++c)
        if (TTile* cell = at(t->r, c)) cell->drawOverBlend();
    return 0;
}

int TLevel::drawOverMapa(TTile* t) {
    // The map also works over a covered empty cell: only a resolved cell has nothing to show.
    if (!t || t->isDone2()) return 0;
    for (int r = t->r - 1; r <= t->r + 1; ++r)
        for (int c = t->c - 1; c <= t->c + 1; ++c)
            if (TTile* cell = at(r, c)) cell->drawOverBlend();
    return 0;
}
