// Score and multiplier, the chest that wrong moves damage, the bag that catches stones,
// sea creatures hiding under tiles, and the panel's display values.
#include <algorithm>
#include <cmath>

#include "app/frame.h"
#include "app/profile/profile.h"
#include "effects/captions.h"
#include "effects/flying_tresure.h"
#include "effects/kamien.h"
#include "effects/living.h"
#include "effects/odpad.h"
#include "effects/particles.h"
#include "game/board/level.h"
#include "game/board/tile.h"
#include "gui/core/gui.h"
#include "gui/frame/deltatime.h"
#include "gui/widgets/button.h"
#include "platform/strings.h"
#include "platform/system.h"
#include "screens/play/main_game.h"

namespace {
constexpr float kPi = 3.14159265358979f;

// What a creature asks of the play screen when it pays.
class TPlayLivingHost : public TLivingHost {
public:
    void addMultiplier(float amount) override { mainGame.addMultiplier(amount); }
    int getFreeHintDimNumber() override { return mainGame.getFreeHintDimNumber(); }
    bool hintSlot(int n, float& x, float& y) override {
        if (n < 0 || n > 3) return false;
        x = mainGame.animDim[size_t(n)]->x;
        y = mainGame.animDim[size_t(n)]->y;
        return true;
    }
    bool anyHintUsed() override {
        return std::any_of(mainGame.hintUsed.begin(), mainGame.hintUsed.end(), [](int32_t v) { return v != 0; });
    }
    void giveHintBack(int n) override {
        if (n < 0 || n > 3) return;
        mainGame.dhintT[size_t(n)] = 1;
        mainGame.hintUsed[size_t(n)] = 0;
        if (mainGame.levelPtr) mainGame.levelPtr->hintUsed[size_t(n)] = 0;
    }
    bool levelLost() override { return mainGame.state == "LOSE" || mainGame.state == "LOSE-END"; }
};
TPlayLivingHost gLivingHost;

// Points scored on the board close together join one rising number: the cells of one drag
// score 50 ms apart, each beside the one before, and the empty cells a win breaks all in one
// frame. A long drag then counts up one sum where it began instead of a string of "+25"s,
// and a win does not cover the board with them. Points paid at the panel keep their own.
constexpr int32_t kJoinMs = 120;
constexpr float kJoinCells = 1.6f;
struct TScoreRun {
    std::weak_ptr<TTextCaption> caption;
    int32_t time = 0;
    float x = 0, y = 0;
};
TScoreRun gScoreRun;
}  // namespace

void installPlayLivingHost() { setLivingHost(&gLivingHost); }

void TMainGame::addScore(int points, float x, float y) {
    if (state == "WIN") return;
    const int value = int(float(points) * mnoznik);
    const int32_t now = Millisecs();
    auto last = gScoreRun.caption.lock();
    const TLevel* l = levelPtr.get();
    auto onBoard = [l](float px, float py) {
        return l && px >= l->lx && px <= l->lx + l->width && py >= l->ly && py <= l->ly + l->height;
    };
    const float reach = kJoinCells * float(l ? l->cellW() : 0);
    const bool joins = last && !last->_dead && onBoard(x, y) && onBoard(gScoreRun.x, gScoreRun.y) &&
                       (now == gScoreRun.time ||
                        (now - gScoreRun.time <= kJoinMs && std::hypot(x - gScoreRun.x, y - gScoreRun.y) <= reach));
    if (joins) {
        last->v += value;
        last->countValue();
        last->a = 1;
    } else {
        gScoreRun.caption = createTextCaption(0, value, x, y, 1000, levelPtr ? levelPtr->size : 0, nullptr);
    }
    gScoreRun.time = now;
    gScoreRun.x = x;
    gScoreRun.y = y;
    if (levelPtr) levelPtr->score = int(float(levelPtr->score) + float(points) * mnoznik);
}

int TMainGame::addMultiplier(float amount) {
    mnoznik += amount;
    return 0;
}

void TMainGame::uszkodzSkrzynie() {
    if (state == "LOSE") return;
    // A stone of the last wrong move may land after the board was completed: the win
    // stands, the stone counts nothing.
    if (state == "WIN-1" || state == "WIN") return;
    servicesLink().playMySound("chest_hit_" + std::to_string(Rand(1, 3)));
    TProfile& p = prof();
    p.mistakes += 1;
    const int maxM = levelPtr ? levelPtr->maxMistakes : 0;
    if (p.mistakes > maxM) {
        p.mistakes = maxM;
        LOSE();
        servicesLink().playMySound("chest_blow");
    }
}

void TMainGame::wyslijKamien(TTile& tile) {
    const int size = levelPtr ? levelPtr->size : 0;
    if (kamieniWWorkuNieDosc() == 1 && prof().unlocked[PU_BAG] != 0) {
        float bx = 0, by = 0;
        bonusPosition(PU_BAG, bx, by);
        if (auto stone = createKamien(0, tile.x(), tile.y(), bx, by, size)) stone->gotoworek = 1;
        return;
    }
    const auto& target = chestDim[size_t(Rand(0, 7))];
    createKamien(0, tile.x(), tile.y(), target ? target->x : 880.0f, target ? target->y : 394.0f, size);
}

int TMainGame::kamieniWWorkuNieDosc() {
    const int count = prof().kamienieWWorku + stonesFlyingToWorek();
    return count < maxKamieni ? 1 : 0;
}

void TMainGame::checkWorek() {
    auto bag = bonusButton(6);
    if (!bag || prof().kamienieWWorku != maxKamieni || !bag->_a) return;
    const float bx = bag->dim->x, by = bag->dim->y;
    createOdpad(worek, bx, getWorekY(), bx + 100, by + 100, bx + 50, by + 50, 0);
    bag->_a = 0;
}

bool TMainGame::bonusPosition(int n, float& x, float& y) {
    x = y = 0;
    auto b = bonusButton(n + 1);
    if (!b || !b->dim) return false;
    x = b->dim->x;
    y = b->dim->y;
    return true;
}

float TMainGame::getWorekY() {
    float x = 0, y = 0;
    bonusPosition(PU_BAG, x, y);
    return y - std::sin(worekAdY * 90.0f * kPi / 180.0f) * 50.0f;
}

void TMainGame::enableBonus(int n) {
    if (auto b = bonusButton(n + 1)) b->setState(1, 1);
}

int TMainGame::restartWorek() {
    worekAdY = dWorekAdY = 0;
    if (auto bag = bonusButton(6)) bag->setState(1, 1);
    return 0;
}

int TMainGame::_updateWorek() {
    if (prof().unlocked[PU_BAG] == 0) return 0;
    dWorekAdY = stonesFlyingToWorek() > 0 ? 1.0f : 0.0f;
    const float step = 0.03f * delta;
    if (worekAdY < dWorekAdY) worekAdY = std::fmin(dWorekAdY, worekAdY + step);
    else if (worekAdY > dWorekAdY) worekAdY = std::fmax(dWorekAdY, worekAdY - step);
    return 0;
}

int TMainGame::checkLivings() {
    if (Rand(1, 100) > 5) return 0;
    if (!levelPtr || levelPtr->tutorialLevel) return 0;
    // With no creature kinds loaded nothing can hide, and the random range stays valid.
    const int kinds = int(livingList.size());
    if (kinds <= 0) return 0;
    const auto& kind = livingList[size_t(Rand(1, kinds) - 1)];
    levelPtr->byloZwierzatko = 1;
    if (kind) kind->createInLevel(*levelPtr);
    allLivingsN += 1;
    return 0;
}

int TMainGame::_updateLivings() {
    if (!levelPtr) return 0;
    // A creature may end (and leave the list) during its own update: walk a copy.
    const std::vector<std::shared_ptr<TLiving>> walk(levelPtr->livings.begin(), levelPtr->livings.end());
    for (const auto& l : walk)
        if (l && !l->_dead) l->update();
    levelPtr->livings.remove_if([](const auto& l) { return !l || l->_dead; });
    return 0;
}

int TMainGame::_updateEfekty() {
    const int32_t now = Millisecs();
    if (now <= efektTime) return 0;
    efektTime = now + 500;
    if (!levelPtr) return 0;
    for (auto& t : levelPtr->flyingTresures) {
        if (!t || t->_dead) continue;
        if (Rand(1, 10) == 10)
            createSkarbParticle(t->x + float(Rand(-10, 10)), t->y + float(Rand(-10, 10)), &particleSkarbu);
    }
    return 0;
}

float TMainGame::getChestFrame() {
    const int maxM = levelPtr ? levelPtr->maxMistakes : 0;
    if (maxM <= 0) return 0.0f;
    const float f = float(prof().mistakes) / float(maxM) * 6.0f;
    return std::fmax(0.0f, std::fmin(6.0f, f));
}

std::string TMainGame::getScoreString() {
    std::string s = std::to_string(levelPtr ? levelPtr->score : 0);
    if (s.size() < 8) s.insert(0, 8 - s.size(), '0');
    return s;
}

std::string TMainGame::getTimeString(int seconds) { return ::getTimeString(seconds); }

std::string TMainGame::getMnoznikString() {
    // Locale-proof: the panel always shows a point.
    const std::string s = str::formatFloat(double(mnoznik));
    const auto dot = s.find('.');
    if (dot == std::string::npos) return "";
    return s.substr(0, std::min(s.size(), dot + 2));
}
