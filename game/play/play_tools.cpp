// Where hints, power-ups and the tutorial's tip bubble join the play screen. Their own rules
// replace these bodies; until then the hint slots stay available, the power-up buttons show
// their charge as full and the bubble never opens.
#include "app/profile/profile.h"
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
    return TEkran::_updateGui();
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

int TMainGame::_updateSpecialTip() { return 0; }

int TMainGame::_drawSpecialTip() { return 0; }

void TMainGame::showTipToBroke(TTile& tile) { (void)tile; }

void TMainGame::showTipToUncover(TTile& tile) { (void)tile; }
