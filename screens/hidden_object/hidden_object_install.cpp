#include <new>

#include "app/loading/loading_screen.h"
#include "app/options.h"
#include "app/options_screen/options_screen.h"
#include "app/profile/profile_world.h"
#include "app/router.h"
#include "minigames/hidden_object/ho_level_file.h"
#include "platform/system.h"
#include "screens/hidden_object/hidden_object.h"
#include "screens/play/play_log.h"

namespace {

void defaultHooks() {
    auto& h = hoHooks();
    h.menu = [](TEkran& screen) { return options.mainLoop(&screen); };
    h.log = [](int result) { createLog(result); };
}

}  // namespace

void installHiddenObject() {
    defaultHooks();
    setLoadingStep("hiddenObject.setup", [] { hiddenObject.setup(); });
    setPlayLogFiller("HIDDEN-OBJECT", giveHiddenObjectsLog);
    // A profile's scene in progress is read as a progression's scene is, but one that cannot
    // be taken up is refused, so the profile plays the scene afresh.
    setMiniGameLevels("HIDDEN-OBJECT",
                      {[](const std::string& path, int32_t fresh) -> std::shared_ptr<TLevelInProgress> {
                           if (fresh) return loadHOLevel(path);
                           return loadSavedHOLevel(path);
                       },
                       [](const std::shared_ptr<TLevelInProgress>& level) {
                           if (auto l = std::dynamic_pointer_cast<THOLevel>(level)) hiddenObject.setLevel(l);
                       }});
    AddOptionsGameScreen(&hiddenObject);
    control::bind("HIDDEN-OBJECT", [] {
        if (!hiddenObject.level) {
            Print("No hidden-object scene was handed to the screen.");
            return std::string("MAIN-MENU");
        }
        return hiddenObject.mainLoop();
    });
}

void resetHiddenObject() {
    hiddenObject.~THiddenObject();
    new (&hiddenObject) THiddenObject();
    resetHOView();
    THObject::pickImg = nullptr;
    hoHooks() = THOHooks{};
}
