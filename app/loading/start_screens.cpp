#include "app/loading/start_screens.h"

#include "app/loading/loading_screen.h"
#include "app/options_screen/options_screen.h"
#include "app/splash/branding.h"
#include "app/startup.h"

void installStartScreens() {
    startupStages().splash = [] {
        branding.setup();
        branding.mainLoop();
    };
    startupStages().loading = [] {
        loadingScreen.loadImages();
        loadingScreen.run();
    };
    installOptionsScreen();
}
