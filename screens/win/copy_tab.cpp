// The solved picture's copy on the win screen: built from the board's cells, it closes up
// into an edge-to-edge picture while the win screen flies it to the middle.
#include <algorithm>
#include <cmath>

#include "game/board/level.h"
#include "game/board/tile.h"
#include "game/board/tiledata.h"
#include "gui/frame/deltatime.h"
#include "screens/win/win_screen.h"

namespace {

constexpr float kPi = 3.14159265358979f;
constexpr float kDeg = 180.0f / kPi;
// The board's cell sizes per size class: the grid step when the picture has no image.
constexpr int kCellPx[kTileSizeClasses] = {50, 36, 30, 24, 20};

float sinDeg(float d) { return std::sin(d / kDeg); }
float cosDeg(float d) { return std::cos(d / kDeg); }

}  // namespace

// ---- one cell ------------------------------------------------------------------------------

int TTileCopy::setMe() {
    setted = 1;
    return 0;
}

int TTileCopy::setReady() {
    kat = dRot;
    odl = dOdl;
    return 0;
}

int TTileCopy::checkRot() {
    for (float* v : {&kat, &stRot, &dRot})
        if (*v > 360) *v -= 360;
    for (float* v : {&kat, &stRot, &dRot})
        if (*v < 0) *v += 360;
    return 0;
}

int TTileCopy::drawRot(float x, float y) {
    SetColor(255, 255, 255);
    DrawText("ROT: " + std::to_string(int(kat)), x, y);
    return 0;
}

int TTileCopy::update() {
    easeToward(a, da, 0.05f, delta);
    per = std::min(1.0f, per + 0.02f * delta);
    kat = stRot + (dRot - stRot) * per;
    odl = stOdl + (dOdl - stOdl) * per;
    return 0;
}

// ---- the whole copy ------------------------------------------------------------------------

TTileCopy* TCopyTab::at(int r, int c) const {
    if (r < 0 || c < 0 || r >= rows || c >= cols) return nullptr;
    const size_t i = size_t(r) * size_t(cols) + size_t(c);
    return i < tile.size() ? tile[i].get() : nullptr;
}

int TCopyTab::update() {
    easeToward(gs, dgs, 0.01f, delta);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            TTileCopy* t = at(r, c);
            if (!t) continue;
            if (!t->dim) t->dim = createSimpleDim(0, 0);
            t->dim->x = xo + cosDeg(t->kat) * t->odl * gs;
            t->dim->y = yo + sinDeg(t->kat) * t->odl * gs;
            t->update();
        }
    return 0;
}

int TCopyTab::draw() {
    const float endA = screen ? screen->endAlpha : 1.0f;
    const float showA = screen ? screen->showA : 1.0f;
    SetBlend(ALPHABLEND);
    SetColor(255, 255, 255);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            TTileCopy* t = at(r, c);
            if (!t) continue;
            SetScale(gs, gs);
            SetAlpha(sinDeg(90 * alpha * t->a) * endA * showA);
            SetRotation(rot);
            if (t->img && t->dim) DrawImage(t->img, t->dim->x, t->dim->y, t->frame);
        }
    SetScale(1, 1);
    SetAlpha(1);
    SetColor(255, 255, 255);
    return 0;
}

// ---- built by the win screen ---------------------------------------------------------------

int TWinScreen::_prepareTab() {
    tab = std::make_shared<TCopyTab>();
    tab->screen = this;
    TLevel* l = level();
    tab->rows = l ? std::max(0, l->rows) : 0;
    tab->cols = l ? std::max(0, l->cols) : 0;
    tab->tile.assign(size_t(tab->rows) * size_t(tab->cols), nullptr);
    tab->gs = tab->dgs = tab->alpha = 1;
    tab->rot = 0;
    return 0;
}

int TWinScreen::_prepareTilesCopy() {
    _prepareTab();
    TLevel* l = level();
    if (!l || tab->tile.empty()) return 0;
    TTile* ref = l->at(0, 0);
    const float x0 = ref ? float(int(ref->x())) : 0.0f;
    const float y0 = ref ? float(int(ref->y())) : 0.0f;
    float minX = 2000, minY = 2000, maxX = 0, maxY = 0;
    for (int r = 0; r < tab->rows; ++r)
        for (int c = 0; c < tab->cols; ++c) {
            TTile* cell = l->at(r, c);
            auto t = std::make_shared<TTileCopy>();
            const int ix = cell ? int(cell->x()) : 0;
            const int iy = cell ? int(cell->y()) : 0;
            t->dim = createSimpleDim(ix, iy);
            if (cell) {
                t->img = cell->getImg();
                t->frame = cell->getFrame();
                t->td = cell->td;
            }
            t->a = 1;
            t->da = (t->td && t->td->id != 0) ? 1.0f : 0.0f;
            minX = std::min(minX, float(ix));
            minY = std::min(minY, float(iy));
            maxX = std::max(maxX, float(ix));
            maxY = std::max(maxY, float(iy));
            tab->tile[size_t(r) * size_t(tab->cols) + size_t(c)] = t;
        }
    tab->width = maxX - minX;
    tab->height = maxY - minY;
    tab->xo = x0 + tab->width / 2;
    tab->yo = y0 + tab->height / 2;
    return _prepareDocelowy();
}

int TWinScreen::_prepareDocelowy() {
    if (!tab || tab->tile.empty()) return 0;
    TLevel* l = level();
    const int size = clampSizeClass(l ? l->size : 0);
    // The cell size is that of the first cell's picture at the level's size class; a cell
    // without one falls back to the board's cell size, so the grid never collapses.
    float w = float(kCellPx[size]), h = w;
    if (TTileCopy* first = tab->at(0, 0))
        if (first->td && first->td->gfx[size_t(size)]) {
            w = float(ImageWidth(first->td->gfx[size_t(size)]));
            h = float(ImageHeight(first->td->gfx[size_t(size)]));
        }
    const float left = tab->xo - w * float(tab->cols - 1) / 2;
    const float top = tab->yo - h * float(tab->rows - 1) / 2;
    for (int r = 0; r < tab->rows; ++r)
        for (int c = 0; c < tab->cols; ++c) {
            TTileCopy* t = tab->at(r, c);
            if (!t) continue;
            t->dcx = left + float(c) * w;
            t->dcy = top + float(r) * h;
            const float dx = t->dim->x - tab->xo, dy = t->dim->y - tab->yo;
            const float ex = t->dcx - tab->xo, ey = t->dcy - tab->yo;
            t->kat = t->stRot = std::atan2(dy, dx) * kDeg;
            t->odl = t->stOdl = std::sqrt(dx * dx + dy * dy);
            t->dRot = std::atan2(ey, ex) * kDeg;
            t->dOdl = std::sqrt(ex * ex + ey * ey);
            t->checkRot();
        }
    return 0;
}

float TWinScreen::setProperScaleForTab() {
    if (!tab) return 1;
    if (tab->width <= 280 && tab->height <= 280) return 1;
    return 280 / std::max(tab->width, tab->height);
}
