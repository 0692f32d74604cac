#pragma once
// The in-game menu of the mini-game screens: what its answer does to the screen.
#include <functional>
#include <string>

// "MAIN-MENU", "RESTART" and "MAPA" set `wynik` to the place to leave for and start the
// fade to black (`dFade` 1); leaving for the menu logs -1, for the map -2 and steps the
// profile back. Any other answer (the menu closed) changes nothing.
void actOnMenuAnswer(const std::string& answer, std::string& wynik, float& dFade,
                     const std::function<void(int)>& log);
