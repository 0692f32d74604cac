#include "minigames/lay_puzzle/lp_level.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "app/app_globals.h"
#include "app/frame.h"
#include "app/sound.h"
#include "effects/particles.h"
#include "gui/frame/deltatime.h"
#include "gui/frame/mouse.h"
#include "gui/text/split.h"
#include "minigames/lay_puzzle/lp_level_file.h"
#include "platform/collision.h"
#include "platform/input.h"
#include "platform/system.h"

namespace {

constexpr double kRad = std::numbers::pi / 180.0;
constexpr float kFloorY = 700;
constexpr float kFirstSpot = 80;
constexpr float kShelfEnd = 900;

TLayPlayView& view() {
    static TLayPlayView v;
    return v;
}

float sinDeg(float a) { return float(std::sin(double(a) * kRad)); }

void neutral() {
    SetColor(255, 255, 255);
    SetAlpha(1);
    SetBlend(ALPHABLEND);
    SetScale(1, 1);
}

}  // namespace

TLayPlayView& lpPlay() { return view(); }
void resetLPPlay() { view() = TLayPlayView{}; }

// ---- the hammer ---------------------------------------------------------------------------

void TLayHammer::update(float d) {
    if (mp < dmp) {
        mp = std::min(mp + 0.0025f * d, dmp);
    } else if (mp > dmp) {
        mp -= 0.08f * d;
        if (mp <= dmp) {
            mp = dmp;
            dmp = 1;
        }
    }
    if (dmp == 1)
        mRot = -60 * (1 - mp);
    else
        mRot = -60 * sinDeg(90 * (1 - mp));
    approach(mle, dmle, 0.05f * d);
    if (mle == dmle) dmle = dmle == 0 ? 1.0f : 0.0f;
}

bool TLayHammer::inKowadlo(float x, float y) const {
    const float dx = x - smashX(), dy = y - smashY();
    return std::sqrt(dx * dx + dy * dy) < 64;
}

// ---- a board cell -------------------------------------------------------------------------

void TLayTile::draw(float alpha) {
    if (stan == 0) return;
    neutral();
    SetAlpha(alpha);
    SetRotation(float(rot));
    if (layEmptyTile) DrawImage(layEmptyTile, x, y);
    if (wskaznik && wskaznik->img) DrawImage(wskaznik->img, x, y);
    SetRotation(0);
}

void TLayTile::drawDebug() {
    neutral();
    SetRotation(float(rot));
    if (wskaznik && layFiledTile) DrawImage(layFiledTile, x, y);
    SetRotation(0);
}

// ---- a block ------------------------------------------------------------------------------

int TLayBlock::update() {
    if (state == lpstate::PUT) dClickP = dOverA = 0;
    approach(overA, dOverA, 0.1f * delta);
    approach(clickP, dClickP, 0.1f * delta);
    if (turnToward(dir, dDir, 5 * delta)) checkDir();
    if (loose()) {
        updateState();
        return over();
    }
    // A block on the anvil is as good as smashed: it can no longer be picked.
    if (state == lpstate::DESTROY) updateState();
    return 0;
}

void TLayBlock::updateState() {
    if (state == lpstate::FREE) updateFall();
    else if (state == lpstate::FREE2) updateMove();
    else if (state == lpstate::DESTROY) updateDestroy();
}

void TLayBlock::updateFall() {
    ay = 2;
    if (y >= kFloorY) {
        y = kFloorY;
        ay = 0;
        auto level = view().level.lock();
        dx = level ? level->getFreeSpot(this) : kFirstSpot;
        state = lpstate::FREE2;
    }
    y += ay * delta;
}

void TLayBlock::updateMove() {
    approach(x, dx, 5 * delta);
    if (x == dx) state = lpstate::FREE3;
}

void TLayBlock::updateDestroy() {
    if (view().hammer.mp >= 0.7f) return;
    const auto self = weak_from_this().lock();
    if (view().click.get() == this) view().click.reset();
    const float bx = x, by = y;
    if (auto level = view().level.lock()) level->removeBlock(this);  // may release this block
    createBoom(createRGB(255, 255, 255), int(bx), int(by + 10), 1.0f);
    for (int i = 0; i < 100; ++i) {
        const double a = Rand(0, 360) * kRad;
        const int d = Rand(0, 30);
        const float px = float(bx + std::cos(a) * d), py = float(by + std::sin(a) * d);
        createTresureParticle2(px, py);
        if (Rand(0, 1) != 0) createTresureParticle3(px + float(Rand(-5, 5)), py + float(Rand(-5, 5)));
    }
}

int TLayBlock::over() {
    if (!bd || !mousePoint) return 0;
    ResetCollisions();
    bd->collide(x + pomX, y + pomY, dir);
    const bool hit = !CollideImage(mousePoint, float(mouse.x), float(mouse.y), 0, 1u, 0, 0).empty();
    if (hit && cheats != 0 && KeyDown('D')) {
        DrawRect(float(mouse.x), float(mouse.y), 2, 2);
        myFlip(1, nullptr);
    }
    return hit ? 1 : 0;
}

void TLayBlock::checkDir() {
    for (float* a : {&dir, &dDir}) {
        if (*a > 360) *a -= 360;
        if (*a < 0) *a += 360;
        if (*a == 360) *a = 0;
    }
}

void TLayBlock::moveDir() { moveDir2(1); }

void TLayBlock::moveDir2(float sign) {
    if (dDir != dir) return;
    dDir += 60 * sign;
    checkDir();
}

void TLayBlock::pick(float, float) {
    pomX = pomY = 0;
    dClickP = 1;
    x = float(mouse.x);
    y = float(mouse.y);
    dx = 0;
    if (auto level = view().level.lock()) level->resetPositions();
}

int TLayBlock::put() {
    auto& v = view();
    const auto self = weak_from_this().lock();
    checkDir();
    x += pomX;
    y += pomY;
    if (v.hammer.inKowadlo(x, y) && v.hammer.kowadloOk()) {
        state = lpstate::DESTROY;
        v.hammer.dmp = 0;
        x = v.hammer.smashX();
        y = v.hammer.smashY();
        ++v.statRozbite;
        globalSnd.playMySound("chest_hit_2");
        return 1;
    }
    auto level = v.level.lock();
    if (level && level->putBlock(this)) {
        pomX = pomY = 0;
        dClickP = 0;
        globalSnd.playMySound("tile_right");
        ++v.statWlozone;
        return 1;
    }
    x -= pomX;
    y -= pomY;
    ++v.statUpuszczone;
    // It falls back to the shelf as a loose block, not lifted.
    dClickP = 0;
    return 0;
}

void TLayBlock::draw(float alpha) {
    if (!bd) return;
    const float s = sinDeg(90 * clickP);
    const float px = x + pomX, py = y + pomY;
    SetScale(1, 1);
    SetBlend(ALPHABLEND);
    if (clickP != 0) {
        SetColor(0, 0, 0);
        SetAlpha(alpha * s * 0.5f);
        bd->draw(px + 3 * s, py + 3 * s, dir);
    }
    SetColor(255, 255, 255);
    SetAlpha(alpha);
    bd->draw(px, py, dir);
    if (overA != 0) {
        SetBlend(LIGHTBLEND);
        SetAlpha(alpha * overA * 0.3f);
        bd->draw(px, py, dir);
        SetBlend(ALPHABLEND);
    }
}

// ---- the level ----------------------------------------------------------------------------

bool TLayLevel::saveTo(const std::string& path) const { return saveLayPuzzleLevel(*this, path) == 0; }

TLayTile* TLayLevel::at(int r, int c) const { return gridCell(tile, r, c); }

int TLayLevel::cellsToFill() const {
    int n = 0;
    for (auto& row : tile)
        for (auto& t : row)
            if (t->stan != 0) ++n;
    return n;
}

void TLayLevel::removeBlock(const TLayBlock* block) {
    std::erase_if(blocks, [block](const std::shared_ptr<TLayBlock>& b) { return b.get() == block; });
}

void TLayLevel::resetPositions() {
    for (auto& b : blocks) {
        if (b == view().click || b->state == lpstate::PUT) continue;
        b->dx = 0;
        b->state = lpstate::FREE;
    }
}

float TLayLevel::getFreeSpot(TLayBlock*) {
    float best = kFirstSpot;
    const TLayBlock* chosen = nullptr;
    for (auto& b : blocks) {
        if (b->state != lpstate::FREE2 && b->state != lpstate::FREE3) continue;
        if (b->dx >= best) {
            chosen = b.get();
            best = b->dx;
        }
    }
    if (!chosen) return kFirstSpot;
    return best + (chosen->bd ? chosen->bd->fullW : 60.0f);
}

void TLayLevel::setPosition(float p) {
    const int w = layCellW(), h = layCellH();
    const float top = sty + 700 * (1 - p);
    for (auto& row : tile)
        for (auto& t : row) {
            float ox = 0, oy = 0;
            t->rot = 0;
            if ((t->r % 2) != (t->c % 2)) {
                t->rot = 60;
                ox = t->r % 2 == 0 ? 1.5f : 1.0f;
                oy = -8.5f;
            }
            t->x = stx + float(t->c * w) * 0.5f + ox;
            t->y = top + float(t->r * h) + oy;
        }
}

void TLayLevel::draw() {
    for (auto& row : tile)
        for (auto& t : row) t->draw(alpha);
}

void TLayLevel::drawDebug() {
    for (auto& row : tile)
        for (auto& t : row) t->drawDebug();
}

void TLayLevel::drawBlocks() {
    const auto list = blocks;
    for (auto& b : list) b->draw(alpha);
    neutral();
    if (cheats != 0 && KeyDown('D')) drawDebug();
}

void TLayLevel::createNewBlock() {
    auto& v = view();
    const int n = int(layBlocksList.size());
    if (n == 0) {
        if (!v.noShapesReported) errorMsg("data/layPuzzle-blocks.dat: no block shapes; no block can fall");
        v.noShapesReported = true;
        return;
    }
    const int pick = Rand(1, n);
    auto shape = getLayBlockById(pick);
    // Shapes not numbered 1..n: take the one at that place in the file instead.
    if (!shape) shape = layBlocksList[size_t(pick - 1)];
    if (!shape) return;
    auto b = std::make_shared<TLayBlock>();
    b->bd = shape;
    b->x = 80;
    b->y = -60;
    b->state = lpstate::FREE;
    b->id = ++counter;
    blocks.push_back(b);
    ++v.statSpadniete;
}

void TLayLevel::_updateNextBlock() {
    const int now = Millisecs();
    if (now > blockTime) {
        blockTime = now + nextBlock;
        createNewBlock();
    }
}

int TLayLevel::_updateWin() {
    for (auto& row : tile)
        for (auto& t : row)
            if (t->stan != 0 && !t->wskaznik) return 0;
    return 1;
}

int TLayLevel::_updateLose() {
    for (auto& b : blocks)
        if (b->x == b->dx && b->x > kShelfEnd) return 1;
    return 0;
}

void TLayLevel::update() { approach(alpha, dAlpha, 0.01f * delta); }

int TLayLevel::zgodneKaty(int a, int t) const {
    if (a == t) return 1;
    if (t == 0) return a == 120 || a == 240 || a == 360 ? 1 : 0;
    return a == 60 || a == 180 || a == 300 ? 1 : 0;
}

namespace {

std::shared_ptr<TDim> cellRecord(const TLayTile& t, float px, float py) {
    auto d = createDim(0, 0, 0, 0);
    d->x = float(int(t.x));
    d->y = float(int(t.y));
    d->w = float(t.c);
    d->h = float(t.r);
    d->x1 = t.x - px;
    d->y1 = t.y - py;
    return d;
}

float distance(const TLayTile& t, float px, float py) {
    const double dx = double(t.x) - px, dy = double(t.y) - py;
    return float(std::sqrt(dx * dx + dy * dy));
}

}  // namespace

std::shared_ptr<TDim> TLayLevel::getClosestDim(float px, float py, float rot) {
    const TLayTile* best = nullptr;
    float bestD = 2000;
    for (auto& row : tile)
        for (auto& t : row) {
            if (!zgodneKaty(int(rot), t->rot)) continue;
            const float d = distance(*t, px, py);
            if (d < bestD) {
                bestD = d;
                best = t.get();
            }
        }
    if (!best || bestD >= 20) return nullptr;
    auto rec = cellRecord(*best, px, py);
    view().punkty.push_back(rec);
    return rec;
}

std::shared_ptr<TDim> TLayLevel::getClosestDim2(float px, float py, float) {
    for (auto& row : tile)
        for (auto& t : row)
            if (distance(*t, px, py) < 8) return cellRecord(*t, px, py);
    return nullptr;
}

int TLayLevel::getKier(float a) const {
    if (a < 0 || a >= 350) return 0;
    if (a < 50) return 0;
    return 60 * (1 + int((a - 50) / 60));
}

int TLayLevel::putBlock(TLayBlock* b) {
    if (!b || !b->bd) return 0;
    const auto& bd = *b->bd;
    std::vector<TPara> pairs;
    float ox = 0, oy = 0;
    bool first = true;
    for (int r = 0; r < bd.rows; ++r)
        for (int c = 0; c < bd.cols; ++c) {
            if (!bd.solid(r, c)) continue;
            const int a = bd.getSpecRot(r, c, b->dir);
            auto q = bd.getTileDim(b->x, b->y, r, c, b->dir);
            auto cell = getClosestDim(q->x + ox, q->y + oy, float(a));
            if (!first) cell = getClosestDim2(q->x + ox, q->y + oy, float(a));
            if (!cell) return 0;
            TPara p;
            p.tileDim = q;
            p.closestDim = cell;
            pairs.push_back(p);
            const TLayTile* t = at(int(cell->h), int(cell->w));
            if (!t || t->wskaznik || t->stan == 0) return 0;
            if (first) {
                ox = cell->x1;
                oy = cell->y1;
                first = false;
            }
        }
    if (pairs.empty()) return 0;
    for (auto& p : pairs) at(int(p.closestDim->h), int(p.closestDim->w))->wskaznik = b->bd;
    b->x += ox;
    b->y += oy;
    b->state = lpstate::PUT;
    removeBlock(b);  // may release the block: nothing of it is touched after this
    return 1;
}
