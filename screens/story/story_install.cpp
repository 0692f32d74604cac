#include "screens/story/story_install.h"

#include <memory>

#include "app/options_screen/options_screen.h"
#include "app/router.h"
#include "screens/play/main_game.h"
#include "screens/story/credits.h"
#include "screens/story/ending_screen.h"
#include "screens/story/story_maps.h"
#include "screens/story/story_outro.h"
#include "screens/story/story_start.h"
#include "screens/story/story_text.h"
#include "screens/win/win_screen.h"

void installStoryScreens() {
    if (!storyResourcesReady()) setupStoryResources();
    if (!credits.loaded) credits.setup();
    control::bind("CREDITS", [] {
        std::string next = credits.mainLoop();
        // Only the outro leads here, and it presets "NONE", which the credits turn into the
        // main menu; any other start must not leave the router without a place.
        return next.empty() || next == "NONE" ? std::string("MAIN-MENU") : next;
    });
    control::bind("END-OF-LEVELS", [] { return endingScreen.mainloop(); });
    // The opening story is made anew for every run; the outro hands over to the credits.
    control::bind("STORY-START", [] { return std::make_unique<TStoryStart>()->mainLoop(); });
    control::bind("STORY-OUTRO", [] { return storyOutro.mainLoop(); });
    // The plaza is a progression entry that shows nothing and steps on.
    control::bind("STORY-PLAZA", [] { return std::string("GET-NEXT-LEVEL"); });
    // Stage 1: the play screen reads the interlude's texts at level 3, the win screen of
    // level 4 shows it.
    playHooks().storyMapsSetup = [] { storyMaps.setup(); };
    winHooks().storyMaps = [](TEkran& background) { storyMaps.mainloop(&background); };
    SetOptionsCreditsRunner([] {
        credits.wynik = "";
        credits.mainLoop();
    });
}
