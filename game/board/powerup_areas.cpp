// The previews of the eye (a column), the skull (a row) and the map (the 3 x 3 block
// around the cell, clipped at the grid's edges) while one of them is armed.
#include <algorithm>

#include "game/board/level.h"
#include "platform/graphics.h"

namespace {
constexpr int kInkR = 43, kInkG = 26, kInkB = 12;
constexpr int kGoldR = 247, kGoldG = 222, kGoldB = 113;
}  // namespace

// Each cell lit alone reads faintly over dark crates and not at all over cleared cells, so
// the area also gets a pale gold wash and a gold rim on an ink line around it.
int TLevel::drawAreaFrame(int r0, int c0, int r1, int c1) {
    r0 = std::max(r0, 0);
    c0 = std::max(c0, 0);
    r1 = std::min(r1, rows - 1);
    c1 = std::min(c1, cols - 1);
    TTile* first = at(r0, c0);
    TTile* last = at(r1, c1);
    if (!first || !last || !first->dim || !last->dim) return 0;
    const float W = float(cellW()), H = float(cellH());
    const float x0 = first->x() - W / 2, y0 = first->y() - H / 2;
    const float w = last->x() + W / 2 - x0, h = last->y() + H / 2 - y0;
    SetBlend(ALPHABLEND);
    SetScale(1, 1);
    SetRotation(0);
    SetColor(kGoldR, kGoldG, kGoldB);
    SetAlpha(0.18f);
    DrawRect(x0, y0, w, h);
    auto rim = [&](float in, float t) {
        DrawRect(x0 - in, y0 - in, w + 2 * in, t);
        DrawRect(x0 - in, y0 + h + in - t, w + 2 * in, t);
        DrawRect(x0 - in, y0 - in + t, t, h + 2 * in - 2 * t);
        DrawRect(x0 + w + in - t, y0 - in + t, t, h + 2 * in - 2 * t);
    };
    SetAlpha(0.9f);
    SetColor(kInkR, kInkG, kInkB);
    rim(3, 5);
    SetColor(kGoldR, kGoldG, kGoldB);
    rim(2, 3);
    SetColor(255, 255, 255);
    SetAlpha(1);
    return 0;
}

int TLevel::drawOverOko(TTile* t) {
    if (!t || t->isDone()) return 0;
    for (int r = 0; r < rows; ++r)
        if (TTile* cell = at(r, t->c)) cell->drawOverBlend();
    drawAreaFrame(0, t->c, rows - 1, t->c);
    return 0;
}

int TLevel::drawOverCzacha(TTile* t) {
    if (!t || t->isDone()) return 0;
    for (int c = 0; c < cols; ++c)
        if (TTile* cell = at(t->r, c)) cell->drawOverBlend();
    drawAreaFrame(t->r, 0, t->r, cols - 1);
    return 0;
}

int TLevel::drawOverMapa(TTile* t) {
    // The map also works over a covered empty cell: only a resolved cell has nothing to show.
    if (!t || t->isDone2()) return 0;
    for (int r = t->r - 1; r <= t->r + 1; ++r)
        for (int c = t->c - 1; c <= t->c + 1; ++c)
            if (TTile* cell = at(r, c)) cell->drawOverBlend();
    drawAreaFrame(t->r - 1, t->c - 1, t->r + 1, t->c + 1);
    return 0;
}
