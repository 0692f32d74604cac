// Hints and power-ups: the four hint slots, the six power-up buttons with their charge,
// the sword and the medallion that act at once, and the eye, map and skull armed on the
// cursor until they are used on a cell or put back.
#include <algorithm>
#include <cmath>

#include "app/profile/profile.h"
#include "effects/emitter.h"
#include "effects/flying_bonus.h"
#include "effects/flying_hint.h"
#include "effects/living.h"
#include "effects/miecz.h"
#include "effects/particles.h"
#include "game/board/ease.h"
#include "game/board/level.h"
#include "game/board/links.h"
#include "game/board/tile.h"
#include "gui/core/gui.h"
#include "gui/frame/deltatime.h"
#include "gui/frame/mouse.h"
#include "gui/widgets/button.h"
#include "platform/system.h"
#include "screens/play/main_game.h"

namespace {

using TileList = std::vector<std::shared_ptr<TTile>>;

// The power-up each armed tool belongs to: hand 4 eye (2), 5 map (3), 6 skull (4).
int armedIndex(int hand) { return hand - 2; }

}  // namespace

// ---- tile lists -----------------------------------------------------------------------------

std::vector<std::shared_ptr<TTile>> TMainGame::getTilesList() {
    TileList out;
    if (!levelPtr) return out;
    for (const auto& t : levelPtr->tile)
        if (t && t->isPicture() && t->state.empty()) out.push_back(t);
    return out;
}

std::vector<std::shared_ptr<TTile>> TMainGame::getXList() {
    TileList out;
    if (!levelPtr) return out;
    for (const auto& t : levelPtr->tile)
        if (t && !t->isPicture() && t->state.empty()) out.push_back(t);
    return out;
}

std::shared_ptr<TTile> TMainGame::getRandomTileFromList(const std::vector<std::shared_ptr<TTile>>& list) {
    if (list.empty()) return nullptr;
    return list[size_t(Rand(1, int(list.size())) - 1)];
}

int TMainGame::addRandomTile(std::vector<std::shared_ptr<TTile>>& to, std::vector<std::shared_ptr<TTile>>& from) {
    if (from.empty()) return 0;
    const auto k = size_t(Rand(1, int(from.size())) - 1);
    to.push_back(from[k]);
    from.erase(from.begin() + std::ptrdiff_t(k));
    return 0;
}

std::vector<std::shared_ptr<TTile>> TMainGame::getRandomTilesList(int n) {
    TileList pool = getTilesList();
    TileList out;
    while (int(out.size()) < n && !pool.empty()) addRandomTile(out, pool);
    return out;
}

// ---- hints ----------------------------------------------------------------------------------

int TMainGame::_prepareHints() {
    for (size_t i = 0; i < hintUsed.size(); ++i) {
        hintUsed[i] = (levelPtr && levelPtr->hintUsed[i] != 0) ? 1 : 0;
        hintT[i] = dhintT[i] = 0;
    }
    overHint = 0;
    return 0;
}

int TMainGame::canBeHint() { return (levelPtr && levelPtr->levelCompleted == 0) ? 1 : 0; }

int TMainGame::_updateHints() {
    const bool usable = canBeHint() != 0;
    overHint = 0;
    const int w = hintAnim ? ImageWidth(hintAnim) : 0;
    const int h = hintAnim ? ImageHeight(hintAnim) : 0;
    for (size_t i = 0; i < 4 && usable; ++i) {
        const TDim& d = *animDim[i];
        const bool over = mouse.inRect(int(d.x - float(w / 2)), int(d.y - float(h / 2)), w, h);
        if (over && hintUsed[i] == 0) {
            overHint = int(i) + 1;
            if (mouse.leftPressed) {
                useHint(int(i));
                dhintT[i] = 0;
            }
        } else if (hintUsed[i] == 0) {
            dhintT[i] = 1;
        }
    }
    for (size_t i = 0; i < 4; ++i) easeToward(hintT[i], dhintT[i], 0.05f * delta);
    return 0;
}

int TMainGame::useHint(int n) {
    if (n < 0 || n > 3) return 0;
    servicesLink().playMySound("hint");
    TileList pictures, empties;
    if (levelPtr)
        for (const auto& t : levelPtr->tile) {
            if (!t || t->isUncovered()) continue;
            (t->isPicture() ? pictures : empties).push_back(t);
        }
    hintUsed[size_t(n)] = 1;
    if (levelPtr) levelPtr->hintUsed[size_t(n)] = 1;
    prof().hintsUsedOnLevel += 1;
    prof().hintsUsed += 1;
    TileList chosen;
    const int k = Rand(1, 2);
    for (int i = 0; i < k && !pictures.empty(); ++i) addRandomTile(chosen, pictures);
    for (int i = 0; i < 2; ++i)
        if (chosen.size() < 2 && !empties.empty()) addRandomTile(chosen, empties);
    if (chosen.size() < 2 && !pictures.empty()) addRandomTile(chosen, pictures);
    const TDim& slot = *animDim[size_t(n)];
    for (const auto& t : chosen)
        createFlyingHint(t, int(slot.x), int(slot.y), *createSimpleDim(int(t->x()), int(t->y())));
    useHintsN += 1;
    return 0;
}

int TMainGame::getFreeHintDimNumber() {
    for (int i = 0; i < 4; ++i) {
        if (hintT[size_t(i)] != 0) continue;
        bool taken = false;
        if (levelPtr)
            for (const auto& l : levelPtr->livings)
                if (l && l->ld && l->ld->id == 4 && l->numerHinta == i) taken = true;
        if (!taken) return i;
    }
    return 0;
}

TDim TMainGame::getFreeHintDim() {
    for (size_t i = 0; i < 4; ++i)
        if (hintT[i] == 0) return *animDim[i];
    return *animDim[0];
}

// ---- power-up buttons -------------------------------------------------------------------------

int TMainGame::isBonusAvailable(int i) {
    if (i < 0 || i >= int(prof().unlocked.size())) return 0;
    return prof().unlocked[size_t(i)];
}

int TMainGame::isBonusFlying(int i) { return ::isBonusFlying(i); }

namespace {
// The charge of power-up i at `now`: 0 to 1, the bag always full, a time of 0 never charging.
float charge(const TProfile& p, const std::array<int32_t, 6>& maxCzas, size_t i) {
    if (i == 5) return 1;
    const double e = std::fabs(double(Millisecs()) - double(p.czas[i]));
    const double T = maxCzas[i];
    if (T <= 0) return 0;
    return float(std::clamp(std::min(e, T) / T, 0.0, 1.0));
}
}  // namespace

int TMainGame::_preparePowerUpStan(int quiet) {
    (void)quiet;
    for (size_t i = 0; i < 6; ++i)
        if (auto b = bonusButton(int(i) + 1)) b->stan = charge(prof(), maxCzasPowerUpow, i);
    if (auto bag = bonusButton(6)) {
        const bool on = prof().unlocked[PU_BAG] != 0;
        bag->_v = on ? 1 : 0;
    }
    return 0;
}

int TMainGame::_updatePowerUpStan() {
    for (size_t i = 0; i < 6; ++i) {
        auto b = bonusButton(int(i) + 1);
        if (!b) continue;
        const float old = b->stan;
        b->stan = charge(prof(), maxCzasPowerUpow, i);
        if (i < 5 && isBonusAvailable(int(i)) && b->stan == 1 && old < 1) {
            for (int k = 0; k < 25; ++k) createHOPickParticle0(b->dim->x, b->dim->y);
            servicesLink().playMySound("bonus_loadup");
        }
    }
    return 0;
}

int TMainGame::_updateGUI() {
    if (!Gui) return 0;
    // Not the base step: it would set every widget's opacity to the screen's, and a
    // locked power-up must stay dimmed.
    Gui->update();
    if (hand_ >= 4 && hand_ <= 6) {
        // The armed tool travels with the cursor; its button is away meanwhile.
        if (auto b = bonusButton(armedIndex(hand_) + 1)) b->setState(0, 0);
        return 0;
    }
    for (int i = 0; i < 5; ++i) {
        auto b = bonusButton(i + 1);
        if (!b) continue;
        const bool on = isBonusAvailable(i) != 0 && isBonusFlying(i) == 0;
        b->setState(1, on ? 1 : 0);
        b->_alpha = b->_dAlpha = on ? 1.0f : 0.3f;
    }
    return 0;
}

// ---- using them -------------------------------------------------------------------------------

int TMainGame::useBonus(int n) {
    if (hand_ != 0 && hand_ != 1) resetBonus();
    if (n == 3) return useMedalion();
    if (n == 2) return useMiecz();
    if (n >= 4 && n <= 6) setHand(n);
    return 0;
}

int TMainGame::resetBonus() {
    if (hand_ >= 4 && hand_ <= 6) {
        createFlyingBonus(armedIndex(hand_), mouse.x, mouse.y);
        setProperHand();
    }
    mouse.clear();
    return 0;
}

int TMainGame::useMiecz() {
    TileList pool = getXList();
    servicesLink().playMySound("bonus_sword");
    TileList chosen;
    while (chosen.size() < 6 && !pool.empty()) addRandomTile(chosen, pool);
    miecz = createMiecz(chosen);
    useMieczN += 1;
    prof().tempUseOfSword += 1;
    prof().usePowerUp(1);
    return 0;
}

int TMainGame::useMedalion() {
    servicesLink().playMySound("bonus_medalion");
    const TileList tiles = getRandomTilesList(6);
    float bx = 0, by = 0;
    bonusPosition(1, bx, by);
    int j = 0;
    for (const auto& t : tiles) createBonusBow(bx, by, t->x(), t->y(), 300 * j++, t);
    useMedalionN += 1;
    prof().tempUseOfMedalion += 1;
    prof().usePowerUp(2);
    return 0;
}

namespace {
// One use of the eye, map or skull: its sound, the cells of its area revealed, its counters
// and the start of its recharge (power-up n, counted from 1).
template <class InArea>
void useArea(TMainGame& g, const char* sound, int32_t& count, int32_t& profileCount, int n, InArea inArea) {
    servicesLink().playMySound(sound);
    if (TLevel* level = g.levelPtr.get())
        for (int r = 0; r < level->rows; ++r)
            for (int c = 0; c < level->cols; ++c)
                if (inArea(r, c))
                    if (TTile* t = level->at(r, c)) t->reveal();
    count += 1;
    profileCount += 1;
    g.prof().usePowerUp(n);
}
}  // namespace

int TMainGame::useOko(TTile& t) {
    useArea(*this, "bonus_eye", useOkoN, prof().tempUseOfEye, 3, [&](int, int c) { return c == t.c; });
    return 0;
}

int TMainGame::useMapa(TTile& t) {
    useArea(*this, "bonus_map", useMapaN, prof().tempUseOfMap, 4,
            [&](int r, int c) { return std::abs(r - t.r) <= 1 && std::abs(c - t.c) <= 1; });
    return 0;
}

int TMainGame::useCzaha(TTile& t) {
    useArea(*this, "bonus_skull", useCzaszkaN, prof().tempUseOfSkull, 5, [&](int r, int) { return r == t.r; });
    return 0;
}

int TMainGame::_updateArmedBonus(int (TMainGame::*use)(TTile&)) {
    const int index = armedIndex(hand_);
    if (mouse.rightPressed) {
        createFlyingBonus(index, mouse.x, mouse.y);
        setProperHand();
        mouse.clear();
        return 0;
    }
    if (!mouse.leftPressed) return 0;
    if (!overTile_) {
        auto b = bonusButton(index + 1);
        if (b && b->dim) {
            const auto box = biggerDim(*b->dim);
            if (mouse.inRect(int(box->x), int(box->y), int(box->w), int(box->h))) {
                setProperHand();
                mouse.clear();
            }
        }
        return 0;
    }
    (this->*use)(*overTile_);
    setProperHand();
    mouse.clear();
    return 0;
}

int TMainGame::_update_BONUS_oko() { return _updateArmedBonus(&TMainGame::useOko); }
int TMainGame::_update_BONUS_mapa() { return _updateArmedBonus(&TMainGame::useMapa); }
int TMainGame::_update_BONUS_czaszka() { return _updateArmedBonus(&TMainGame::useCzaha); }

int TMainGame::_updateMiecz() {
    if (!miecz) return 0;
    miecz->update();
    if (miecz && miecz->_dead) miecz.reset();
    return 0;
}

int TMainGame::_drawMiecz() {
    if (miecz) miecz->draw();
    SetRotation(0);
    SetScale(1, 1);
    SetBlend(ALPHABLEND);
    SetAlpha(1);
    SetColor(255, 255, 255);
    return 0;
}
