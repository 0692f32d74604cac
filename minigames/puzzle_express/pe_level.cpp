#include "minigames/puzzle_express/pe_level.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "app/app_globals.h"
#include "gui/frame/deltatime.h"
#include "gui/frame/mouse.h"
#include "minigames/puzzle_express/pe_level_file.h"
#include "platform/collision.h"

namespace {

TPEPlayView& view() {
    static TPEPlayView v;
    return v;
}

float sinDeg(float a) { return float(std::sin(double(a) * std::numbers::pi / 180.0)); }

}  // namespace

TPEPlayView& pePlay() { return view(); }
void resetPEPlay() { view() = TPEPlayView{}; }

// ---- TPETile

void TPETile::drawField(float alpha) {
    if (spot == 0 || !peEmptyTile) return;
    SetBlend(ALPHABLEND);
    SetAlpha(alpha);
    DrawImage(peEmptyTile, x, y);
}

void TPETile::drawDebug() {
    if (!wskaznik) return;
    const int w = peCellW(), h = peCellH();
    SetBlend(ALPHABLEND);
    SetColor(255, 0, 255);
    SetAlpha(0.5f);
    DrawRect(x - float(w / 2), y - float(h / 2), float(w), float(h));
    SetColor(255, 255, 255);
    SetAlpha(1);
}

// ---- TBlock

void TBlock::obliczKat() {
    if (bd) bd->obliczKat();
}

void TBlock::checkDir() {
    if (dir < 0) dir += 360;
    if (dir > 360) dir -= 360;
    if (dDir < 0) dDir += 360;
    if (dDir > 360) dDir -= 360;
}

std::shared_ptr<TDim> TBlock::getDim(int r, int c) const {
    if (!bd) return createSimpleDim(int32_t(x), int32_t(y));
    return bd->getDim(r, c, x, y, dir);
}

void TBlock::click(int held) {
    if (held != 0) {
        dClickedA = 1;
        adX = float(mouse.x) - x;
        ady = float(mouse.y) - y;
        pamx = x;
        pamY = y;
        if (auto level = view().level.lock()) level->cleanTileFromBlock(this);
    } else {
        dClickedA = 0;
        adX = 0;
        ady = 0;
    }
}

int TBlock::over() {
    if (!bd || !mousePoint) return 0;
    ResetCollisions();
    bd->collide(x, y, int(dir));
    return CollideImage(mousePoint, float(mouse.x), float(mouse.y), 0, 1u, 0, 0).empty() ? 0 : 1;
}

int TBlock::update() {
    if (dClickedA != 0) dOverA = dClickedA;
    approach(overA, dOverA, 0.1f * delta);
    approach(clickedA, dClickedA, 0.05f * delta);
    if (turnToward(dir, dDir, 5 * delta)) checkDir();
    if (view().clickedBlock.lock().get() == this) {
        x = float(mouse.x) - adX;
        y = float(mouse.y) - ady;
    }
    return over();
}

void TBlock::draw(float alpha) {
    if (!bd) return;
    SetBlend(ALPHABLEND);
    SetColor(255, 255, 255);
    SetAlpha(alpha);
    SetScale(1, 1);
    const int angle = int(dir);
    if (clickedA != 0) {
        const float s = sinDeg(90 * clickedA);
        SetColor(0, 0, 0);
        SetAlpha(0.3f * s * alpha);
        bd->draw(x + 5 * s, y + 5 * s, angle);
        SetColor(255, 255, 255);
        SetAlpha(alpha);
    }
    const int shade = onPlace == 1 ? 255 : 200;
    SetColor(shade, shade, shade);
    bd->draw(x, y, angle);
    if (overA != 0) {
        SetBlend(LIGHTBLEND);
        SetAlpha(0.3f * sinDeg(90 * overA) * alpha);
        SetScale(1, 1);
        SetColor(shade, shade, shade);
        bd->draw(x, y, angle);
    }
    SetColor(255, 255, 255);
}

// ---- TPELevel

bool TPELevel::saveTo(const std::string& path) const { return savePuzzleExpressLeveL(*this, path) == 0; }

TPETile* TPELevel::at(int r, int c) const { return gridCell(tile, r, c); }

int TPELevel::fieldCells() const {
    int n = 0;
    for (auto& row : tile)
        for (auto& t : row)
            if (t->spot != 0) ++n;
    return n;
}

bool TPELevel::complete() const {
    for (auto& row : tile)
        for (auto& t : row)
            if (t->spot != 0 && !t->wskaznik) return false;
    return true;
}

void TPELevel::setPosition(float px, float py) {
    x = px;
    y = py;
    const int w = peCellW(), h = peCellH();
    const float left = px + 252 - float(cols * w - w) / 2.0f;
    const float top = py + 200 - float(rows * h - h) / 2.0f;
    for (auto& row : tile)
        for (auto& t : row) {
            t->x = left + float(t->c * w);
            t->y = top + float(t->r * h);
        }
}

std::shared_ptr<TDim> TPELevel::getRCFromXY(float px, float py) const {
    for (auto& row : tile)
        for (auto& t : row) {
            const float dx = px - t->x, dy = py - t->y;
            if (std::sqrt(dx * dx + dy * dy) < 20) return createDim(t->c, t->r, int32_t(dx), int32_t(dy));
        }
    return nullptr;
}

int TPELevel::checkPut(const std::shared_ptr<TBlock>& block) {
    if (!block || !block->bd) return 0;
    const auto& bd = *block->bd;
    for (int r = 0; r < bd.rows; ++r)
        for (int c = 0; c < bd.cols; ++c) {
            if (!bd.solid(r, c)) continue;
            const auto d = block->getDim(r, c);
            const auto rc = getRCFromXY(float(d->x), float(d->y));
            const TPETile* t = rc ? at(rc->y, rc->x) : nullptr;
            if (!t || t->spot == 0 || t->wskaznik) return 0;
        }
    putBlock(block);
    return 1;
}

void TPELevel::putBlock(const std::shared_ptr<TBlock>& block) {
    const auto& bd = *block->bd;
    float ox = 0, oy = 0;
    for (int r = 0; r < bd.rows; ++r)
        for (int c = 0; c < bd.cols; ++c) {
            const auto d = block->getDim(r, c);
            const auto rc = getRCFromXY(float(d->x), float(d->y));
            if (!rc) continue;
            ox = float(-rc->w);
            oy = float(-rc->h);
            if (bd.solid(r, c)) tile[size_t(rc->y)][size_t(rc->x)]->wskaznik = block;
        }
    block->x += ox;
    block->y += oy;
    block->onPlace = 1;
}

void TPELevel::cleanTileFromBlock(TBlock* block) {
    if (!block) return;
    bool cleared = false;
    for (auto& row : tile)
        for (auto& t : row)
            if (t->wskaznik && (t->wskaznik.get() == block || t->wskaznik->id == block->id)) {
                t->wskaznik = nullptr;
                cleared = true;
            }
    if (cleared) {
        ++view().statWyjete;
        block->onPlace = 0;
    } else {
        ++view().statPicked;
    }
}

void TPELevel::update() { approach(alpha, dAlpha, 0.01f * delta); }

void TPELevel::_drawBack() {
    if (backGround) DrawImage(backGround, 0, 0);
}

void TPELevel::_drawField() {
    for (auto& row : tile)
        for (auto& t : row) t->drawField(alpha);
}

void TPELevel::_drawBlocks() {
    for (auto& b : blocks) b->draw(alpha);
}

void TPELevel::_drawDebug() {
    SetScale(1, 1);
    SetRotation(0);
    for (auto& row : tile)
        for (auto& t : row) t->drawDebug();
}
