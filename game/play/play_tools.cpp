// Where hints, power-ups and the tutorial's tip bubble join the play screen. Their own rules
// replace these bodies; until then the hint slots stay available, the power-up buttons show
// their charge as full and the bubble never opens.
#include "app/profile/profile.h"
#include "effects/flying_bonus.h"
#include "game/board/level.h"
#include "game/play/main_game.h"
#include "gui/core/gui.h"
#include "gui/widgets/button.h"

int TMainGame::_prepareHints() {
    for (size_t i = 0; i < hintUsed.size(); ++i) {
        hintUsed[i] = levelPtr ? levelPtr->hintUsed[i] : 0;
        hintT[i] = dhintT[i] = hintUsed[i] ? 0.0f : 1.0f;
    }
    overHint = 0;
    return 0;
}

int TMainGame::_updateHints() { return 0; }

int TMainGame::_updateGUI() {
    if (!Gui) return 0;
    // Not the base step: it would set every widget's opacity to the screen's, and a
    // locked power-up must stay dimmed.
    Gui->update();
    if (hand_ >= 4 && hand_ <= 6) {
        // The armed tool travels with the cursor; its button is away meanwhile.
        if (auto b = bonusButton(hand_ - 1)) b->setState(0, 0);
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

int TMainGame::_updateMiecz() { return 0; }

int TMainGame::_updatePowerUpStan() { return 0; }

int TMainGame::_preparePowerUpStan(int quiet) {
    (void)quiet;
    // Locked power-ups are shown dimmed and do not react.
    for (int n = 1; n <= 5; ++n)
        if (auto b = bonusButton(n)) {
            const bool on = prof().unlocked[size_t(n - 1)] != 0;
            b->stan = 1;
            b->_dAlpha = on ? 1.0f : 0.3f;
            b->_a = on ? 1 : 0;
        }
    if (auto bag = bonusButton(6)) {
        const bool on = prof().unlocked[PU_BAG] != 0;
        bag->_v = on ? 1 : 0;
    }
    return 0;
}

int TMainGame::useBonus(int n) {
    (void)n;
    return 0;
}

int TMainGame::isBonusAvailable(int i) {
    if (i < 0 || i >= int(prof().unlocked.size())) return 0;
    return prof().unlocked[size_t(i)];
}

int TMainGame::isBonusFlying(int i) { return ::isBonusFlying(i); }

int TMainGame::_updateSpecialTip() { return 0; }

int TMainGame::_drawSpecialTip() { return 0; }

void TMainGame::showTipToBroke(TTile& tile) { (void)tile; }

void TMainGame::showTipToUncover(TTile& tile) { (void)tile; }
