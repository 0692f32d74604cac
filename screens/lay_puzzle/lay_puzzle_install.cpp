#include <new>

#include "app/loading/loading_screen.h"
#include "app/options.h"
#include "app/options_screen/options_screen.h"
#include "app/profile/profile_world.h"
#include "app/router.h"
#include "minigames/lay_puzzle/lp_level_file.h"
#include "platform/system.h"
#include "screens/lay_puzzle/lay_puzzle.h"
#include "screens/lose/lose_screen.h"
#include "screens/play/play_log.h"

namespace {

void defaultHooks() {
    auto& h = lpHooks();
    h.menu = [](TEkran& screen) { return options.mainLoop(&screen); };
    h.lose = [](TEkran& screen) { return loseScreen.mainLoop(&screen); };
    h.log = [](int result) { createLog(result); };
}

}  // namespace

void installLayPuzzle() {
    defaultHooks();
    setLoadingStep("layPuzzle.setup", [] { layPuzzle.setup(); });
    setPlayLogFiller("LAY-PUZZLE", giveInLayPuzzleLog);
    setMiniGameLevels("LAY-PUZZLE",
                      {[](const std::string& path, int32_t) -> std::shared_ptr<TLevelInProgress> {
                           return loadLayPuzzleLevel(path);
                       },
                       [](const std::shared_ptr<TLevelInProgress>& level) {
                           if (auto l = std::dynamic_pointer_cast<TLayLevel>(level)) layPuzzle.setLevel(l);
                       }});
    AddOptionsGameScreen(&layPuzzle);
    // A loss here shows the lose screen's own message for this game.
    loseScreen.layPuzzle = &layPuzzle;
    control::bind("LAY-PUZZLE", [] {
        if (!layPuzzle.level) {
            Print("No inlay level was handed to the screen.");
            return std::string("MAIN-MENU");
        }
        return layPuzzle.mainLoop();
    });
}

void resetLayPuzzle() {
    layPuzzle.~TLayPuzzle();
    new (&layPuzzle) TLayPuzzle();
    resetLPPlay();
    lpHooks() = TLPHooks{};
}
