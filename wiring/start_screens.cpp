#include "wiring/start_screens.h"

#include "app/loading/loading_screen.h"
#include "app/options.h"
#include "app/options_screen/options_screen.h"
#include "app/splash/branding.h"
#include "app/startup.h"
#include "platform/prefetch.h"
#include "screens/intro/intro_screen.h"
#include "screens/play/main_game.h"
#include "wiring/loading_units.h"
#include "wiring/road_check.h"

void runLoadingScreen() {
    loadingScreen.run();
    // Once everything is set up: the files the road to a level needs, in one message.
    checkRoadAssets();
}

void installStartScreens() {
    setLoadingTable(loadingUnits());
    // The loading screen's pictures are loaded before the display opens, and decoded while
    // it does, ready for the loading's first frame.
    startupStages().beforeDisplay = [] {
        loadingScreen.loadImages();
        PrefetchImagePixels({loadingScreen.back, loadingScreen.logo, loadingScreen.img});
    };
    startupStages().splash = [] {
        branding.setup();
        branding.mainLoop();
    };
    startupStages().loading = runLoadingScreen;
    // The opening film: made now, set up by the loading screen, played once before the
    // router and then released.
    createIntroScreen();
    startupStages().intro = runIntro;
    // The play screen is a game screen (restart, main menu and back to map are offered over
    // it, and the rules), and the options screen is its in-game menu.
    SetOptionsGameScreens({&mainGame}, &mainGame);
    playHooks().menu = [](TMainGame& game) { return options.mainLoop(&game); };
}
