// Moves: the hand and hook buttons, the cursor of the tool in hand, and drag lines that
// uncover or break a straight run of tiles one every 50 ms.
#include <cmath>
#include <cstdlib>

#include "effects/pogoda.h"
#include "game/board/level.h"
#include "game/board/tile.h"
#include "gui/frame/mouse.h"
#include "platform/system.h"
#include "screens/play/main_game.h"

namespace {
// The tool buttons: x, y, width, height, bounds included.
constexpr int kHandBtn[4] = {812, 248, 60, 55};
constexpr int kHookBtn[4] = {920, 248, 60, 55};
}  // namespace

int TMainGame::getOverUp() { return overTile_ ? overTile_->c : -1; }
int TMainGame::getOverLeft() { return overTile_ ? overTile_->r : -1; }

int TMainGame::setHand(int n) {
    lastHand = hand_;
    hand_ = n;
    const std::string sizeSuffix = std::to_string(levelPtr ? levelPtr->size : 0);
    switch (n) {
    case 0: mouse.setCursor("hand"); break;
    case 1: mouse.setCursor("hook"); break;
    case 4: mouse.setCursor("oko-" + sizeSuffix); break;
    case 5: mouse.setCursor("mapa-" + sizeSuffix); break;
    case 6: mouse.setCursor("czaszka-" + sizeSuffix); break;
    default: break;
    }
    return 0;
}

int TMainGame::setProperHand() { return setHand(lastHand == 1 ? 1 : 0); }

int TMainGame::_updateHandPick() {
    handOver = mouse.inRect(kHandBtn[0], kHandBtn[1], kHandBtn[2], kHandBtn[3]);
    hakOver = mouse.inRect(kHookBtn[0], kHookBtn[1], kHookBtn[2], kHookBtn[3]);
    if (handOver && mouse.leftPressed) setHand(0);
    if (hakOver && mouse.leftPressed) setHand(1);
    return 0;
}

int TMainGame::_updateHand() {
    // The right button works the other tool: the cursor shows the one that acts.
    if (hand_ == 0) mouse.setCursor(mouse.rightHolded ? "HOOK" : "HAND");
    else if (hand_ == 1) mouse.setCursor(mouse.rightHolded ? "HAND" : "HOOK");
    else if (hand_ == 4) _update_BONUS_oko();
    else if (hand_ == 5) _update_BONUS_mapa();
    else if (hand_ == 6) _update_BONUS_czaszka();
    return 0;
}

int TMainGame::_updateTilesPlay() {
    if (mouse.leftHolded && mouse.rightHolded) {
        mouse.clear();
        holding.clear();
        tilesyHolded.clear();
        overTile_ = clickedTile = startTile_ = nullptr;
        return 0;
    }
    const bool anyHeld = mouse.leftHolded || mouse.rightHolded;
    if (overTile_ && anyHeld && (hand_ == 0 || hand_ == 1)) {
        if (mouse.leftHolded) holding = "LEFT";
        if (mouse.rightHolded) holding = "RIGHT";
        holdOn(overTile_);
    }
    if (!anyHeld && startTile_) {
        const bool uncover = (holding == "LEFT" && hand_ == 0) || (holding == "RIGHT" && hand_ == 1);
        const bool breakIt = (holding == "LEFT" && hand_ == 1) || (holding == "RIGHT" && hand_ == 0);
        if (uncover) holdOffLeft();
        else if (breakIt) holdOffRight();
        else {
            // Another tool came into hand mid-drag: the line is dropped, not acted on.
            tilesyHolded.clear();
            startTile_ = nullptr;
        }
        holding.clear();
    }
    return 0;
}

int TMainGame::holdOn(TTile* t) {
    if (!t || !levelPtr) return 0;
    if (!startTile_) startTile_ = t;
    const float dx = std::fabs(startTile_->x() - t->x());
    const float dy = std::fabs(startTile_->y() - t->y());
    tilesyHolded.clear();
    if (dx > dy) {
        const int a = std::min(startTile_->c, t->c), b = std::max(startTile_->c, t->c);
        for (int c = a; c <= b; ++c)
            if (TTile* cell = levelPtr->at(startTile_->r, c)) tilesyHolded.push_back(cell);
        lastHoldedTile = toDraw = levelPtr->at(startTile_->r, t->c);
    } else {
        const int a = std::min(startTile_->r, t->r), b = std::max(startTile_->r, t->r);
        for (int r = a; r <= b; ++r)
            if (TTile* cell = levelPtr->at(r, startTile_->c)) tilesyHolded.push_back(cell);
        lastHoldedTile = toDraw = levelPtr->at(t->r, startTile_->c);
    }
    firstHoldedTile = startTile_;
    return 0;
}

namespace {
template <class Act>
int actOnLine(std::vector<TTile*>& line, Act act) {
    int delay = 0;
    for (TTile* t : line)
        if (t) delay += act(*t, delay);
    return delay;
}
}  // namespace

int TMainGame::holdOffLeft() {
    const int delay = actOnLine(tilesyHolded, [](TTile& t, int d) { return t.odkryj(d); });
    tilesyHolded.clear();
    startTile_ = nullptr;
    if (delay != 0) checkLivings();
    return 0;
}

int TMainGame::holdOffRight() {
    const int delay = actOnLine(tilesyHolded, [](TTile& t, int d) { return t.rozbij(d); });
    tilesyHolded.clear();
    startTile_ = nullptr;
    if (delay != 0) checkLivings();
    return 0;
}

std::shared_ptr<TDim> TMainGame::biggerDim(const TDim& d) {
    return createDim(int32_t(d.x - d.w / 2 - 5), int32_t(d.y - d.h / 2 - 5), int32_t(d.w + 10),
                     int32_t(d.h + 10));
}

int TMainGame::mouseBubbles() {
    if (!mouse.leftPressed) return 0;
    createBuble1(float(mouse.x), float(mouse.y), Rand(5, 8));
    return 0;
}
