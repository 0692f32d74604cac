#include "app/loading/start_screens.h"

#include "app/loading/loading_screen.h"
#include "app/options_screen/options_screen.h"
#include "app/splash/branding.h"
#include "app/startup.h"
#include "screens/intro/intro_screen.h"

void installStartScreens() {
    startupStages().splash = [] {
        branding.setup();
        branding.mainLoop();
    };
    startupStages().loading = [] {
        loadingScreen.loadImages();
        loadingScreen.run();
    };
    // The opening film: made now, set up by the loading screen, played once before the
    // router and then released.
    createIntroScreen();
    startupStages().intro = runIntro;
    installOptionsScreen();
}
