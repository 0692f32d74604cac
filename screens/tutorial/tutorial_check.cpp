#include <algorithm>
#include <map>

#include "game/board/level.h"
#include "game/board/tile.h"
#include "platform/strings.h"
#include "screens/tutorial/tutorial.h"
#include "screens/tutorial/tutorial_tip.h"

namespace {

// The play screen's id: a tip of any other screen does nothing for the board.
const char* const kPlayScreen = "MAIN-GAME";

std::string upperWord(const TWords& w, size_t i) { return i < w.size() ? str::upper(w[i]) : std::string(); }

struct Run {
    const TLevel& board;
    int levelNumber;
    const std::string& voyage;
    std::vector<int> on;                  // per cell, row-major: 1 when it takes moves
    std::map<std::string, int> pending;   // upper-cased id -> tips of it still pending

    bool cellOn(int r, int c) const {
        return r >= 0 && r < board.rows && c >= 0 && c < board.cols && on[size_t(r * board.cols + c)] != 0;
    }

    // A start word as the play screen's tutorial step sees it (fade 0, this level).
    bool startHolds(const TTutorialTip& tip, const TWords& w) const {
        if (w.empty()) return true;
        if (tip.numerLevelu != 0 && tip.numerLevelu != levelNumber) return false;
        const std::string word = upperWord(w, 0);
        if (word == "FADE") return wordInt(w, 1) == 0;
        if (word == "TIP-EXECUTED") {
            auto it = pending.find(upperWord(w, 1));
            return it == pending.end() || it->second == 0;
        }
        if (word == "LEVEL") return wordInt(w, 1) == levelNumber;
        if (word == "VOYAGE") return voyageHolds(w, voyage);
        // What the player may still bring about.
        return word == "POWER-UP" || word == "PLAYERVISITEDAWARDS" || word == "LIVING";
    }

    // An erase word the player can make hold with the cells that take moves.
    bool eraseCanHold(const TWords& w) const {
        const std::string word = upperWord(w, 0);
        if (word == "MOUSE") {
            const std::string which = upperWord(w, 1);
            return w.size() < 2 || which == "LEFT" || which == "RIGHT";
        }
        if (word == "ROW-CLEAR" || word == "COL-CLEAR") {
            const bool row = word == "ROW-CLEAR";
            const int n = wordInt(w, 1);
            if (n < 0 || n >= (row ? board.rows : board.cols)) return false;
            for (int k = 0; k < (row ? board.cols : board.rows); ++k)
                if (!(row ? cellOn(n, k) : cellOn(k, n))) return false;
            return true;
        }
        if (word == "CLEARED") return cellOn(wordInt(w, 1), wordInt(w, 2));
        return false;
    }

    void act(const TWords& w) {
        const std::string word = upperWord(w, 0);
        if (word != "TURN-ON" && word != "TURN-ON-WITH-LIGHT" && word != "TURN-OFF") return;
        const int value = word == "TURN-OFF" ? 0 : 1;
        if (upperWord(w, 1) == "ALL") {
            std::fill(on.begin(), on.end(), value);
            return;
        }
        const int r = wordInt(w, 1), c = wordInt(w, 2);
        if (r >= 0 && r < board.rows && c >= 0 && c < board.cols) on[size_t(r * board.cols + c)] = value;
    }

    bool allOn() const { return std::all_of(on.begin(), on.end(), [](int v) { return v != 0; }); }
};

template <typename Test>
bool every(const TWordLists& lists, Test test) {
    return std::all_of(lists.begin(), lists.end(), [&](const auto& w) { return test(w ? *w : TWords{}); });
}

}  // namespace

std::string tutorialCannotRun(const TLevel& board, int levelNumber, const std::string& voyage,
                              const TTipList& pendingTips) {
    Run run{board, levelNumber, voyage, {}, {}};
    for (int r = 0; r < board.rows; ++r)
        for (int c = 0; c < board.cols; ++c) {
            const auto t = board.tileAt(r, c);
            run.on.push_back(t && t->turnoff == 0 ? 1 : 0);
        }
    std::vector<std::shared_ptr<TTutorialTip>> tips;
    for (const auto& rec : pendingTips) {
        if (!rec) continue;
        ++run.pending[str::upper(rec->id)];
        auto tip = std::dynamic_pointer_cast<TTutorialTip>(rec);
        if (tip && tip->screen == kPlayScreen) tips.push_back(tip);
    }
    if (run.allOn()) return "";
    const bool any = std::any_of(tips.begin(), tips.end(), [&](const auto& t) {
        return t->numerLevelu == 0 || t->numerLevelu == levelNumber;
    });
    if (!any) return "hold no tip for it";
    // As the engine picks them: the first pending tip whose start words hold, one at a time.
    for (;;) {
        auto next = std::find_if(tips.begin(), tips.end(), [&](const auto& t) {
            return every(t->conditions, [&](const TWords& w) { return run.startHolds(*t, w); });
        });
        if (next == tips.end()) break;
        const auto tip = *next;
        for (const auto& w : tip->allActions)
            if (w) run.act(*w);
        if (!every(tip->eraseConds, [&](const TWords& w) { return run.eraseCanHold(w); }))
            return run.allOn() ? "" : "stop at the tip \"" + tip->id + "\", which never ends";
        --run.pending[str::upper(tip->id)];
        tips.erase(next);
    }
    return run.allOn() ? "" : "leave some of its cells locked";
}
