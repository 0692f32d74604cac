#include "effects/flying_tile.h"

#include "effects/curve.h"
#include "game/board/ease.h"
#include "game/board/level.h"
#include "game/board/tile.h"
#include "game/board/tiledata.h"
#include "gui/frame/deltatime.h"
#include "platform/system.h"

TFlyingTileList flyingTiles;

std::shared_ptr<TFlyingTile> createFlyingTile(const std::shared_ptr<TTile>& tile) {
    auto f = std::make_shared<TFlyingTile>();
    f->tile = tile;
    if (tile) tile->_flyingTile = f.get();
    return f;
}

namespace {
void endOnCell(TFlyingTile& f) {
    if (auto cell = f.tile.lock()) {
        f.x2 = cell->x();
        f.y2 = cell->y();
    }
}
}  // namespace

void TFlyingTile::startFrom(float sx, float sy, int delay) {
    time = Millisecs() + delay;
    x = x1 = sx;
    y = y1 = sy;
    endOnCell(*this);
    mx = x1 + (x2 - x1) / 2;
    my = y1 + (y2 - y1) / 2;
    per = 0;
}

void TFlyingTile::startFromRandomPosition(int delay) {
    time = Millisecs() + delay;
    switch (Rand(1, 4)) {
    case 1: x1 = float(Rand(-200, -50)), y1 = float(Rand(-100, 900)); break;
    case 2: x1 = float(Rand(-50, 1200)), y1 = float(Rand(-200, -100)); break;
    case 3: x1 = float(Rand(1150, 1300)), y1 = float(Rand(-100, 900)); break;
    default: x1 = float(Rand(-50, 1200)), y1 = float(Rand(900, 1000)); break;
    }
    x = x1;
    y = y1;
    endOnCell(*this);
    if (Rand(0, 1) == 0) {
        mx = x1;
        my = y2;
    } else {
        mx = x2;
        my = y1;
    }
    per = 0;
}

void TFlyingTile::update() {
    if (Millisecs() < time) return;
    const float old = per;
    easeToward(per, 1, perSpeed * delta);
    const float e = fx::sinDeg(90 * per);
    x = fx::bezier(x1, mx, x2, e);
    y = fx::bezier(y1, my, y2, e);
    if (per == 1 && old == 1) destroy();
}

void TFlyingTile::draw() {
    if (Millisecs() < time) return;
    auto cell = tile.lock();
    if (!cell) return;
    const float e = fx::sinDeg(90 * per);
    SetBlend(ALPHABLEND);
    SetColor(255, 255, 255);
    SetAlpha(e);
    SetScale(1, 1);
    SetRotation(rotate ? 360 * e : 0);
    if (cell->odkryty) drawOdkryty();
    else drawHiden();
    SetRotation(0);
}

void TFlyingTile::drawHiden() {
    auto cell = tile.lock();
    if (!cell) return;
    const int size = cell->sizeClass();
    const int frame = int(cell->animTime);
    if (cell->broken) {
        if (cell->td) cell->td->drawBroke(x, y, size, frame);
        return;
    }
    if (cell->tdHide) {
        const TImage& img = cell->tdHide->hideImg[size_t(size)];
        if (img) DrawImage(img, x, y, std::min(frame, std::max(0, ImageFrames(img) - 1)));
    }
}

void TFlyingTile::drawOdkryty() {
    auto cell = tile.lock();
    if (!cell) return;
    const int size = cell->sizeClass();
    const int frame = int(cell->animTime);
    const bool picture = cell->td && cell->td->id != 0;
    if (cell->broken && picture) {
        cell->td->drawBroke(x, y, size, frame);
        return;
    }
    if (picture) cell->td->draw(x, y, size, frame);
    if (cell->tresure) cell->tresure->draw(x, y, size, cell->animTime);
}

void TFlyingTile::destroy() {
    if (_dead) return;
    if (auto cell = tile.lock())
        if (cell->_flyingTile == this) cell->_flyingTile = nullptr;
    fx::remove(flyingTiles, this);  // may release this object: nothing after it
}

void _updateFlyingTiles() {
    fx::walk(flyingTiles, [](TFlyingTile& f) { f.update(); });
}

void _drawFlyingTiles() {
    fx::each(flyingTiles, [](TFlyingTile& f) { f.draw(); });
}

void clearFlyingTiles() {
    for (auto& f : flyingTiles)
        if (f)
            if (auto cell = f->tile.lock())
                if (cell->_flyingTile == f.get()) cell->_flyingTile = nullptr;
    fx::clear(flyingTiles);
}
