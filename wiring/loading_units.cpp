#include "wiring/loading_units.h"

#include "app/app_globals.h"
#include "app/frame.h"
#include "app/music/music.h"
#include "app/profile/profile_manager.h"
#include "app/sound.h"
#include "effects/captions.h"
#include "effects/fala.h"
#include "effects/flying_bonus.h"
#include "effects/kamien.h"
#include "effects/leaf.h"
#include "effects/living.h"
#include "effects/miecz.h"
#include "effects/particles.h"
#include "effects/plate.h"
#include "effects/pogoda.h"
#include "effects/stripe.h"
#include "game/board/number.h"
#include "game/flow/level_manager.h"
#include "game/level/sets.h"
#include "gui/globals.h"
#include "gui/widgets/theme.h"
#include "screens/awards/award_screen.h"
#include "screens/awards/give_award.h"
#include "screens/awards/show_award.h"
#include "screens/dialogs/dialog_box.h"
#include "screens/highscores/highscores.h"
#include "screens/intro/intro_screen.h"
#include "screens/lose/lose_screen.h"
#include "screens/map/mapa.h"
#include "screens/menu/main_menu.h"
#include "screens/menu/menu_overlays.h"
#include "screens/panels/enter_name.h"
#include "screens/panels/papirus.h"
#include "screens/panels/popup.h"
#include "screens/play/main_game.h"
#include "screens/rules/rules_screen.h"
#include "screens/stage/stage_screen.h"
#include "screens/story/credits.h"
#include "screens/story/ending_screen.h"
#include "screens/story/story_text.h"
#include "screens/win/win_screen.h"

namespace {

std::function<void()> musicTrack(int nr) {
    return [nr] { music::setupExactMusicByNR(globalSnd, nr); };
}

}  // namespace

std::vector<TLoadingScreen::Unit> loadingUnits() {
    return {
        // Sounds, cursors, the overlays every game screen uses, the play screen.
        {1, "globalSnd.setup", [] { globalSnd.setup(); }},
        {1, "music6", musicTrack(6)},
        {1, "loadMouseCursors", [] { loadMouseCursors(); }},
        {1, "setupLeafs", [] { setupLeafs(); }},
        {1, "winScreen.setup", [] { winScreen.setup(); }},
        {1, "loseScreen.setup", [] { loseScreen.setup(); }},
        {1, "giveAward.setup", [] { giveAward.setup(); }},
        {1, "showAward.setup", [] { showAward.setup(); }},
        {1, "endingScreen.setup", [] { endingScreen.setup(); }},
        {1, "windowTheme",
         [] { windowTheme = loadGuiTheme("temat1", bDir + "gfx/gui/window/temat.txt", nullptr); }},
        {1, "mainGame.setup", [] { mainGame.setup(); }},
        {1, "puzzleExpress.setup", nullptr},
        {1, "layPuzzle.setup", nullptr},
        // Effects, clue numbers, dialogues, tile and treasure sets.
        {2, "setupParticles", [] { setupParticles(); }},
        {2, "music7", musicTrack(7)},
        {2, "setupKamienie", [] { setupKamienie(); }},
        {2, "setupPlates", [] { setupPlates(); }},
        {2, "setupFlyingBonus", [] { setupFlyingBonus(); }},
        {2, "setupCaptions", [] { setupCaptions(); }},
        {2, "setupFlyingMiecz", [] { setupFlyingMiecz(); }},
        {2, "setupPogoda", [] { setupPogoda(); }},
        {2, "setupNumbers", [] { setupNumbers(); }},
        {2, "setupStripes", [] { setupStripes(); }},
        {2, "setupLivings", [] { setupLivings(); }},
        {2, "dialogBox.setup", [] { dialogBox.setup(); }},
        {2, "loadTiles", [] { loadTiles(); }},
        {2, "loadTresures", [] { loadTresures(); }},
        // Menus, progressions and the map.
        {3, "mainMenu.setup", [] { mainMenu.setup(); }},
        {3, "music8", musicTrack(8)},
        {3, "tutorial.setup", nullptr},
        {3, "profileManager.setup", [] { profileManager.setup(); }},
        {3, "levelManager.setup", [] { levelManager.setup(); }},
        {3, "hiddenObject.setup", nullptr},
        {3, "mapa.setup", [] { mapa.setup(); }},
        {3, "TPapirus.setup", [] { TPapirus::setup(); }},
        {3, "stageScreen.setup", [] { stageScreen.setup(); }},
        // The award definitions: the profiles, read in the fifth part, find their awards by id.
        {3, "awardScreen.setup", [] { awardScreen.setup(); }},
        {3, "PEFoundScreen.setup", nullptr},
        // Small overlays and the story screens' set-ups.
        {4, "enterName.setup", [] { enterName.setup(); }},
        // Before the voyage choice, which takes the pop-up's panel picture.
        {4, "popUp.setup", [] { popUp.setup(); }},
        {4, "continueQuest.setup", [] { continueQuest.setup(); }},
        {4, "credits.setup", [] { credits.setup(); }},
        {4, "highscores.setup", [] { highscores.setup(); }},
        // The intro's pictures, sounds and texts; its set-up starts with the shared story
        // resources, which the other story screens use too.
        {4, "introScreen.setup", [] { setupIntroScreen(); }},
        {4, "pickFlow.setup", [] { pickFlow.setup(); }},
        {4, "music9", musicTrack(9)},
        // The pause caption and the players; the profiles come after everything they
        // refer to (awards, tips, the play screen) is set up.
        {5, "music5", musicTrack(5)},
        {5, "pauseGameFont", loadPauseGameFont},
        {5, "txtPauseGame", loadPauseGameText},
        {5, "profileManager.loadProfiles", [] { profileManager.loadProfiles(); }},
        {5, "setupFala", [] { setupFala(); }},
        {5, "rulesScreen.setup", [] { rulesScreen.setup(); }},
    };
}
