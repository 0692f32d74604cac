#include "minigames/minigame_menu.h"

#include "app/profile/profile_manager.h"

void actOnMenuAnswer(const std::string& answer, std::string& wynik, float& dFade,
                     const std::function<void(int)>& log) {
    if (answer == "MAIN-MENU") {
        wynik = "MAIN-MENU";
        dFade = 1;
        if (log) log(-1);
    } else if (answer == "RESTART") {
        wynik = "RESTART-LEVEL";
        dFade = 1;
    } else if (answer == "MAPA") {
        wynik = "MAPA";
        dFade = 1;
        if (log) log(-2);
        if (profileManager.profile) profileManager.profile->levelBack();
    }
}
