#include "screens/tutorial/tutorial_tip.h"

#include <algorithm>
#include <cctype>

#include "app/ekran.h"
#include "app/profile/profile_manager.h"
#include "game/board/level.h"
#include "game/board/tile.h"
#include "gui/core/gui.h"
#include "gui/frame/deltatime.h"
#include "gui/frame/mouse.h"
#include "gui/text/split.h"
#include "platform/input.h"
#include "platform/strings.h"
#include "platform/system.h"
#include "screens/play/main_game.h"
#include "screens/tutorial/arrow.h"
#include "screens/tutorial/posibility.h"
#include "screens/tutorial/tutorial.h"

std::shared_ptr<TGui> TTutorialTip::gui;

TWords tutorialWords(const std::string& line) { return rozbijTekst(line, " "); }

int wordInt(const TWords& words, size_t i) {
    if (i >= words.size()) return 0;
    const std::string& w = words[i];
    size_t k = 0;
    bool negative = false;
    if (k < w.size() && (w[k] == '-' || w[k] == '+')) negative = w[k++] == '-';
    long long v = 0;
    for (; k < w.size() && std::isdigit(static_cast<unsigned char>(w[k])); ++k) {
        v = v * 10 + (w[k] - '0');
        if (v > 1000000000LL) break;  // a number past any screen or board
    }
    return int(negative ? -v : v);
}

bool voyageHolds(const TWords& words, const std::string& flowType) {
    if (words.size() < 2 || words[1].empty() || flowType.empty()) return false;
    return str::upper(words[1]) == str::upper(flowType);
}

namespace {

std::string word(const TWords& words, size_t i) { return i < words.size() ? words[i] : std::string(); }
std::string upperWord(const TWords& words, size_t i) { return str::upper(word(words, i)); }

TProfile* currentProfile() { return profileManager.profile.get(); }

TWordLists compile(const std::vector<std::string>& lines) {
    TWordLists out;
    for (const auto& l : lines) out.push_back(std::make_shared<TWords>(tutorialWords(l)));
    return out;
}

std::shared_ptr<TGuiObject> okButton() { return TTutorialTip::gui ? TTutorialTip::gui->getItem("ok") : nullptr; }

}  // namespace

// ---- compiling --------------------------------------------------------------------------------

int TTutorialTip::compileConditions(const std::vector<std::string>& lines) {
    conditions = compile(lines);
    return 0;
}

int TTutorialTip::compileEraseConditions(const std::vector<std::string>& lines) {
    eraseConds = compile(lines);
    return 0;
}

int TTutorialTip::compileActions(const std::vector<std::string>& lines) {
    for (auto& w : compile(lines)) allActions.push_back(w);
    actions.clear();
    return 0;
}

// ---- start test ---------------------------------------------------------------------------------

TTile* TTutorialTip::boardCell(const TWords& words, size_t first, bool report) {
    TLevel* level = tutorialBoard();
    const int r = wordInt(words, first), c = wordInt(words, first + 1);
    TTile* t = level ? level->at(r, c) : nullptr;
    if (!t && report) {
        std::string line;
        for (const auto& w : words) line += (line.empty() ? "" : " ") + w;
        Print("Tutorial tip " + id + ": \"" + line + "\" names no cell of the board; skipped.");
    }
    return t;
}

int TTutorialTip::checkCondition(const TWords& words, TEkran& screen) {
    if (words.empty()) return 1;
    TProfile* prof = currentProfile();
    if (!prof) return 0;
    if (numerLevelu != 0 && numerLevelu != prof->numerLevelu) return 0;
    const std::string w = upperWord(words, 0);
    if (w == "FADE") return screen.fade == float(wordInt(words, 1)) ? 1 : 0;
    if (w == "TIP-EXECUTED") return tutorial.bylTutorial(word(words, 1));
    if (w == "LEVEL") return prof->numerLevelu == wordInt(words, 1) ? 1 : 0;
    if (w == "VOYAGE") return voyageHolds(words, prof->flowType) ? 1 : 0;
    if (w == "POWER-UP") return mainGame.isBonusAvailable(wordInt(words, 1)) ? 1 : 0;
    if (w == "PLAYERVISITEDAWARDS") return prof->bylAwardsScreen != 0 && !prof->awardy.empty() ? 1 : 0;
    if (w == "LIVING") {
        TLevel* level = tutorialBoard();
        return level && level->getLivingDim(wordInt(words, 1)) ? 1 : 0;
    }
    return 0;
}

int TTutorialTip::check(TEkran& screen) {
    for (const auto& c : conditions)
        if (!checkCondition(c ? *c : TWords{}, screen)) return 0;
    return 1;
}

// ---- erase test ---------------------------------------------------------------------------------

int TTutorialTip::checkEraseCond_Mouse(const TWords& words, TEkran&) {
    const std::string which = upperWord(words, 1);
    int held = 0;
    if (words.size() < 2) held = mouse.leftPressed || mouse.rightPressed;
    else if (which == "LEFT") held = mouse.leftPressed;
    else if (which == "RIGHT") held = mouse.rightPressed;
    if (held) {
        // The press belongs to the tip: nothing after the tutorial sees it this frame.
        mouse.clear();
        FlushMouse();
    }
    return held ? 1 : 0;
}

int TTutorialTip::checkEraseCond(const TWords& words, TEkran& screen) {
    const std::string w = upperWord(words, 0);
    if (w == "MOUSE") return checkEraseCond_Mouse(words, screen);
    TLevel* level = tutorialBoard();
    if (w == "ROW-CLEAR") {
        const int r = wordInt(words, 1);
        return level && r >= 0 && r < level->rows && level->rowClear(r) ? 1 : 0;
    }
    if (w == "COL-CLEAR") {
        const int c = wordInt(words, 1);
        return level && c >= 0 && c < level->cols && level->colClear(c) ? 1 : 0;
    }
    if (w == "CLEARED") {
        TTile* t = boardCell(words, 1, false);
        return t && t->isCleared() ? 1 : 0;
    }
    return 0;
}

int TTutorialTip::_updateErase(TEkran& screen) {
    bool now = true;
    for (const auto& e : eraseConds)
        if (!checkEraseCond(e ? *e : TWords{}, screen)) now = false;
    // Only an upper-case WAIT holds the tip.
    if (now && actAction && !actAction->empty() && (*actAction)[0] == "WAIT") now = false;
    if (gui && okButton() && gui->clickedItem("ok")) dA = 0;
    if (now) eraseMe();
    return 0;
}

int TTutorialTip::eraseMe() {
    erase = 1;
    for (auto& a : arrows) a->dA = 0;
    if (TProfile* prof = currentProfile()) {
        auto& list = prof->lekcjeTutoriala;
        list.erase(std::remove_if(list.begin(), list.end(), [this](const auto& t) { return t.get() == this; }),
                   list.end());
    }
    return 0;
}

// ---- per frame ----------------------------------------------------------------------------------

int TTutorialTip::_updateAlpha() {
    if (erase == 1) dA = 0;
    easeToward(a, dA, 0.05f, delta);
    if (a == 0 && dA == 0 && erase == 1 && tutorial.actTip.get() == this) tutorial.actTip = nullptr;
    return 0;
}

int TTutorialTip::_updateArrows() {
    for (auto& a : arrows) a->update();
    return 0;
}

int TTutorialTip::update(TEkran& screen) {
    // The engine may let go of this tip in the first step; keep it alive for the frame.
    auto keep = tutorial.actTip;
    _updateAlpha();
    _updateActions(screen);
    _updateErase(screen);
    _updateArrows();
    _updatePosibility(screen);
    if (gui) {
        for (auto& w : gui->_listaObiektow) {
            w->_alpha = a;
            w->_dAlpha = a;
        }
        gui->update();
    }
    return 0;
}

int TTutorialTip::reset() {
    a = dA = 0;
    erase = 0;
    actions = allActions;
    arrows.clear();
    return 0;
}

// ---- the script ---------------------------------------------------------------------------------

int TTutorialTip::getNextAction(TEkran& screen) {
    if (actions.empty()) return 0;
    actAction = actions.front();
    actions.erase(actions.begin());
    resetAction(screen);
    return 0;
}

int TTutorialTip::resetAction(TEkran&) {
    if (actAction && upperWord(*actAction, 0) == "WAIT") time = Millisecs() + wordInt(*actAction, 1);
    return 0;
}

int TTutorialTip::createArrow(const TWords& words) {
    auto arrow = std::make_shared<TArrow>();
    if (upperWord(words, 1) == "LIVING") {
        TLevel* level = tutorialBoard();
        auto at = level ? level->getLivingDim(wordInt(words, 2)) : nullptr;
        if (!at) return 0;
        arrow->x = float(int(at->x));
        arrow->y = float(int(at->y) - 50);
        arrow->rot = 180;
    } else {
        arrow->x = float(wordInt(words, 1));
        arrow->y = float(wordInt(words, 2));
        arrow->rot = float(wordInt(words, 3));
    }
    arrows.push_back(arrow);
    return 0;
}

std::shared_ptr<TPosibility> TTutorialTip::createRowPosiblity(int n, int interwal,
                                                              const std::vector<std::string>& pos,
                                                              const std::string& arrowTyp) {
    auto p = std::make_shared<TPosibility>();
    p->rowOrCol = "ROW";
    p->n = n;
    p->interwal = interwal;
    p->pos = pos;
    p->arrowTyp = arrowTyp;
    p->reset();
    p->actPos = 0;
    actPosibility = p;
    return p;
}

std::shared_ptr<TPosibility> TTutorialTip::compileRowPosibility(const TWords& words) {
    std::vector<std::string> patterns;
    for (size_t i = 5; i < words.size(); ++i) patterns.push_back(words[i]);
    return createRowPosiblity(wordInt(words, 1), wordInt(words, 3), patterns, upperWord(words, 2));
}

int TTutorialTip::carryOut(const TWords& w) {
    const std::string what = upperWord(w, 0);
    if (what == "WAIT") return Millisecs() > time ? 1 : 0;
    if (what == "SHOW-ROW-POSIBILITY") {
        if (actPosibility) return 0;
        TLevel* level = tutorialBoard();
        const int n = wordInt(w, 1);
        if (!level || n < 0 || n >= level->rows) {
            // A row off the board is reported and the script goes on.
            boardCell(TWords{w[0], std::to_string(n)}, 1, true);
            return 1;
        }
        compileRowPosibility(w);
        return 0;
    }
    if (what == "GUI-OFF") {
        if (auto ok = okButton()) ok->setState(0, 0);
    } else if (what == "SHOW-ME") {
        dA = 1;
    } else if (what == "HIDE-ME") {
        dA = 0;
    } else if (what == "ARROW" || what == "DOUBLE-ARROW") {
        createArrow(w);
    } else if (what == "LIGHT-UP") {
        if (TTile* t = boardCell(w, 1, true)) t->lightMeUp();
    } else if (what == "SET-ZADANIE") {
        if (TTile* t = boardCell(w, 1, true)) t->setZadanie(upperWord(w, 3), upperWord(w, 4));
    } else if (what == "TURN-OFF" || what == "TURN-ON" || what == "TURN-ON-WITH-LIGHT") {
        const bool off = what == "TURN-OFF";
        if (upperWord(w, 1) == "ALL") {
            if (TLevel* level = tutorialBoard()) off ? level->turnOffAll() : level->turnOnAll();
        } else if (TTile* t = boardCell(w, 1, true)) {
            t->turnoff = off ? 1 : 0;
            if (what == "TURN-ON-WITH-LIGHT") t->lightMeUp();
        }
    }
    // Any other word is passed over.
    return 1;
}

int TTutorialTip::_updateActions(TEkran& screen) {
    if (!actAction || actAction->empty()) {
        getNextAction(screen);
        if (!actAction || actAction->empty()) return 0;
    }
    while (carryOut(*actAction)) {
        actAction.reset();
        getNextAction(screen);
        if (!actAction || actAction->empty()) return 0;
    }
    return 0;
}

int TTutorialTip::_updatePosibility(TEkran& screen) {
    if (actPosibility && actPosibility->update()) {
        actPosibility = nullptr;
        getNextAction(screen);
        _updateActions(screen);
    }
    return 0;
}
