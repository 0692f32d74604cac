#include "wiring/wiring.h"

#include <memory>

#include "app/app_globals.h"
#include "app/frame.h"
#include "app/profile/profile_manager.h"
#include "app/startup.h"
#include "effects/chmura.h"
#include "platform/files.h"
#include "platform/harness.h"
#include "platform/system.h"
#include "screens/awards/award_screen.h"
#include "screens/awards/give_award.h"
#include "screens/dialogs/dialog_box.h"
#include "screens/hidden_object/hidden_object.h"
#include "screens/lay_puzzle/lay_puzzle.h"
#include "screens/lose/lose_screen.h"
#include "screens/map/map_world.h"
#include "screens/menu/menu_install.h"
#include "screens/panels/panels_install.h"
#include "screens/play/main_game.h"
#include "screens/puzzle_express/puzzle_express.h"
#include "screens/story/story_install.h"
#include "screens/tutorial/tutorial.h"
#include "screens/win/win_screen.h"
#include "wiring/start_screens.h"

void installPlaces() {
    // The current player's progression.
    installProfilePlaces();
    installMenuScreens();
    // "MAPA" runs the stage map.
    bindGameFlowPlaces();
    // "MAIN-GAME" runs the play screen once a level has been handed to it.
    installPlayScreen();
    // The end of a level: the win screen over the board with each award in its own panel,
    // or the lose screen.
    installWinScreen();
    installLoseScreen();
    winHooks().giveAward = [](const std::shared_ptr<TAwardRecord>& award, TEkran& background) {
        giveAward.mainLoop(award, &background);
    };
    // The profile screen's name entry, question and notice use the real panels.
    installPanels();
    // The award gallery from the title and win screens; the story dialogues of the levels.
    installAwardScreens();
    installDialogBox();
    // Credits, end of the levels and the story sequences.
    installStoryScreens();
}

int zerkonMain() {
    InitPlatform();
    if (!HarnessInit()) {
        ShutdownPlatform();
        return 1;
    }
    startupGlobals(files::appDir());
    installScreens();
    init();
    start();
    return 0;
}

void installScreens() {
    installStartScreens();
    startupStages().places = installPlaces;
    // The pause overlay stops the clouds' lifetimes.
    SetCloudTimerHooks(&TChmura::pause, &TChmura::resume);
    // The program's world (progressions, map, play screen) stands behind the profiles before
    // the loading screen reads them, so a saved level in progress is read as one the play
    // screen can take.
    installPlayWorld();
    // The hidden-object scenes: readable by the profiles, set up while loading.
    installHiddenObject();
    // The block puzzle and its found-item notice, the same way.
    installPuzzleExpress();
    // The inlay game: readable by the profiles, set up while loading.
    installLayPuzzle();
    // The tutorial's tips over the play and win screens and the mini-games.
    installTutorial();
}
