#include "game/board/level.h"

#include <algorithm>

#include "game/board/links.h"
#include "platform/input.h"

namespace {
// Animation factor while the developer holds Left Shift.
constexpr float kSlowMotion = 0.05f;
}  // namespace

TLevel::~TLevel() {
    // Effects may outlive the level while holding a cell; never leave them a dangling owner.
    for (auto& t : tile)
        if (t) t->_level = nullptr;
}

// ---- grid ---------------------------------------------------------------------------------

TTile* TLevel::at(int r, int c) const { return tileAt(r, c).get(); }

std::shared_ptr<TTile> TLevel::tileAt(int r, int c) const {
    if (r < 0 || c < 0 || r >= rows || c >= cols) return nullptr;
    const size_t i = size_t(r) * size_t(cols) + size_t(c);
    return i < tile.size() ? tile[i] : nullptr;
}

int TLevel::createTilesTab() {
    rows = std::clamp(rows, 0, maxSide);
    cols = std::clamp(cols, 0, maxSide);
    for (auto& t : tile)
        if (t) t->_level = nullptr;
    std::vector<std::shared_ptr<TTile>> grid;
    grid.reserve(size_t(rows) * size_t(cols));
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            auto t = std::make_shared<TTile>();
            t->_level = this;
            t->r = r;
            t->c = c;
            grid.push_back(std::move(t));
        }
    }
    tile = std::move(grid);
    return 0;
}

// ---- per frame ----------------------------------------------------------------------------

int TLevel::updateTiles() {
    levelCompleted = 1;
    if (servicesLink().cheats()) TTile::testSpeed = KeyDown(KEY_LSHIFT) ? kSlowMotion : 1.0f;
    for (auto& t : tile) {
        t->update();
        if (tutorialLevel) t->updateTutorial();
        if (!t->isDone()) levelCompleted = 0;
    }
    if (levelCompleted) hideNumbers();
    return 0;
}

TTile* TLevel::updateOver() {
    for (auto& t : tile) {
        if (!t->updateOver()) continue;
        switch (playLink().hand()) {
            case 4: generateOko(t->c); break;
            case 5: generateMapa(t->r, t->c); break;
            case 6: generateCzaszka(t->r); break;
            default: break;
        }
        return t.get();
    }
    return nullptr;
}

TTile* TLevel::updateOverEditor() {
    for (auto& t : tile)
        if (t->updateOverEditor()) return t.get();
    return nullptr;
}

int TLevel::updateNumbers() {
    for (auto& line : numbersHList) line->update();
    for (auto& line : numbersVList) line->update();
    return 0;
}

int TLevel::updateBack() {
    for (auto& stripe : stripesList)
        if (stripe) effectsLink().updateStripe(*stripe);
    return 0;
}

// ---- questions and tutorial ---------------------------------------------------------------

int TLevel::checkCompleted() {
    int all = 1;
    for (auto& t : tile)
        if (!t->isClearedForCaptions()) all = 0;
    return all;
}

int TLevel::rowClear(int r) {
    if (r < 0 || r >= rows) return 0;
    int all = 1;
    for (int c = 0; c < cols; ++c) {
        TTile* t = at(r, c);
        if (!t || (!t->odkryty && !t->broken)) all = 0;
    }
    return all;
}

int TLevel::colClear(int c) {
    if (c < 0 || c >= cols) return 0;
    int all = 1;
    for (int r = 0; r < rows; ++r) {
        TTile* t = at(r, c);
        if (!t || (!t->odkryty && !t->broken)) all = 0;
    }
    return all;
}

int TLevel::turnOffAll() {
    for (auto& t : tile) t->turnoff = 1;
    return 0;
}

int TLevel::turnOnAll() {
    for (auto& t : tile) t->turnoff = 0;
    return 0;
}

int TLevel::freeFromTutorial() {
    for (auto& t : tile) {
        t->turnoff = 0;
        t->zadanie.clear();
        t->poZadaniu.clear();
        t->lightMeDown();
    }
    return 0;
}

int TLevel::setHideTile(const std::shared_ptr<TTileHideGFX>& cover) {
    for (auto& t : tile) t->setTileHideData(cover);
    return 0;
}

int TLevel::playMusic() {
    if (!musicId.empty())
        servicesLink().playMyMusic(musicId);
    else
        servicesLink().playLevelMusic();
    return 0;
}

// ---- reference points ---------------------------------------------------------------------

std::shared_ptr<TDim> TLevel::getCentralDim() {
    TTile* first = at(0, 0);
    if (!first) return createSimpleDim(0, 0);
    const int W = cellW();
    const int H = cellH();
    const int X = W * cols - W / 2 + 5 * (cols / 5);
    const int Y = H * rows - H / 2 + 5 * (rows / 5);
    return createSimpleDim(int(first->x() + float(X) / 2), int(first->y() + float(Y) / 2));
}

int TLevel::getGridXCenter() { return int(getCentralDim()->x); }

// ---- power-up sparkles --------------------------------------------------------------------

int TLevel::generateOko(int c) {
    if (!playLink().overTile()) return 0;
    for (int r = 0; r < rows; ++r)
        if (TTile* t = at(r, c)) t->generateOko();
    return 0;
}

int TLevel::generateCzaszka(int r) {
    if (!playLink().overTile()) return 0;
    for (int c = 0; c < cols; ++c)
        if (TTile* t = at(r, c)) t->generateOko();
    return 0;
}

int TLevel::generateMapa(int r, int c) {
    if (!playLink().overTile()) return 0;
    for (int rr = r - 1; rr <= r + 1; ++rr)
        for (int cc = c - 1; cc <= c + 1; ++cc)
            if (TTile* t = at(rr, cc)) t->generateOko();
    return 0;
}
