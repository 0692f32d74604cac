#include "screens/menu/menu_install.h"

#include <typeinfo>

#include "app/app_globals.h"
#include "app/options_screen/options_screen.h"
#include "app/profile/profile_manager.h"
#include "app/router.h"
#include "screens/highscores/highscores.h"
#include "screens/map/mapa.h"
#include "screens/menu/main_menu.h"
#include "screens/menu/menu_overlays.h"
#include "screens/rules/rules_screen.h"
#include "screens/stage/stage_screen.h"

int setupMenuScreens() {
    if (!mainMenu.loaded) mainMenu.setup();
    if (!stageScreen.loaded) stageScreen.setup();
    if (!continueQuest.loaded) continueQuest.setup();
    if (!pickFlow.loaded) pickFlow.setup();
    return 0;
}

void installMenuScreens() {
    setupMenuScreens();
    control::bind("MAIN-MENU", [] { return mainMenu.mainLoop(); });
    control::bind("PICK-FLOW", [] { return pickFlow.mainLoop(); });
    // The developer's high-score table (H), the rules page of the options screen, and the
    // table's file written with every save of the game data.
    menuHooks().highscores = [](TEkran& caller) { highscores.mainLoop(&caller); };
    SetOptionsRulesRunner([](TEkran& behind) { rulesScreen.mainloop(&behind); });
    gameDataSavers().highScores = [] { highscores.saveHighScores(); };
    setStageScreenRunner([](TMapStage& stage) {
        TStageChoice choice;
        choice.result = stageScreen.mainLoop(stage);
        choice.wybrany = stageScreen.wybrany;
        return choice;
    });
    auto& dialogs = profileDialogs();
    dialogs.drawBack = [] { mainMenu.draw(); };
    dialogs.menuRefresh = [] { mainMenu._prepareManagerButton(); };
    // The first name is asked over a bare screen object: show the title screen behind it.
    if (auto enter = dialogs.enterName)
        dialogs.enterName = [enter](TEkran& screen, const std::string& title, int32_t nowy,
                                    const std::string& text) {
            TEkran& behind = typeid(screen) == typeid(TEkran) ? mainMenu : screen;
            return enter(behind, title, nowy, text);
        };
}
