#include <new>

#include "app/loading/loading_screen.h"
#include "app/options.h"
#include "app/options_screen/options_screen.h"
#include "app/profile/profile_world.h"
#include "app/router.h"
#include "minigames/puzzle_express/pe_level_file.h"
#include "platform/system.h"
#include "screens/play/play_log.h"
#include "screens/puzzle_express/pe_found.h"
#include "screens/puzzle_express/puzzle_express.h"

namespace {

void defaultHooks() {
    auto& h = peHooks();
    h.menu = [](TEkran& screen) { return options.mainLoop(&screen); };
    h.log = [](int result) { createLog(result); };
    h.notice = [](const std::shared_ptr<TPEObj>& object) { PEFoundScreen.mainLoop(object, &puzzleExpress); };
}

}  // namespace

void installPuzzleExpress() {
    defaultHooks();
    setLoadingStep("puzzleExpress.setup", [] { puzzleExpress.setup(); });
    setLoadingStep("PEFoundScreen.setup", [] { PEFoundScreen.setup(); });
    setPlayLogFiller("PUZZLE-EXPRESS", givePuzzleExpressLog);
    // Progression levels and a profile's level in progress are read the same way.
    setMiniGameLevels("PUZZLE-EXPRESS",
                      {[](const std::string& path, int32_t) -> std::shared_ptr<TLevelInProgress> {
                           return loadPuzzleExpressLevel(path);
                       },
                       [](const std::shared_ptr<TLevelInProgress>& level) {
                           if (auto l = std::dynamic_pointer_cast<TPELevel>(level)) puzzleExpress.setLevel(l);
                       }});
    AddOptionsGameScreen(&puzzleExpress);
    control::bind("PUZZLE-EXPRESS", [] {
        if (!puzzleExpress.level) {
            Print("No block puzzle level was handed to the screen.");
            return std::string("MAIN-MENU");
        }
        return puzzleExpress.mainLoop();
    });
}

void resetPuzzleExpress() {
    puzzleExpress.~TPuzzleExpress();
    new (&puzzleExpress) TPuzzleExpress();
    PEFoundScreen.~TPEFoundScreen();
    new (&PEFoundScreen) TPEFoundScreen();
    resetPEPlay();
    peHooks() = TPEHooks{};
}
