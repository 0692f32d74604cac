#pragma once
// The options screen is the global `options` (TOptions, app/options.h) run as a modal
// overlay: options.mainLoop(&callerScreen). What it needs to know about the rest of the
// game is plugged in here, so the frame does not depend on every screen.
//
//   start-up:                                        the program registers its game screens
//   loading:                                         options.setup();
//   main menu / play screen / mini-game menu button: options.mainLoop(this)
#include <functional>
#include <vector>

#include "app/ekran.h"

// The screens that count as game screens (restart, main menu and back to map are offered
// over them) and the one play screen (rules offered too).
void SetOptionsGameScreens(std::vector<const TEkran*> gameScreens, const TEkran* playScreen);
// One more game screen (a mini-game registers itself at start-up).
void AddOptionsGameScreen(const TEkran* screen);
bool optionsCallerIsGameScreen(const TEkran* caller);
bool optionsCallerIsPlayScreen(const TEkran* caller);

// The nested screens the options screen opens: the credits (drawn over the options
// screen) and the rules (given the options screen as the screen behind). Empty = the
// button does nothing.
void SetOptionsCreditsRunner(std::function<void()> runner);
void SetOptionsRulesRunner(std::function<void(TEkran& behind)> runner);

// Slider geometry of the 1024 x 768 picture: the track runs from x 390 to 785.
namespace optionsGeometry {
inline constexpr int kTrackX1 = 390;
inline constexpr int kTrackX2 = 785;
inline constexpr float kTrackLength = 395;
}  // namespace optionsGeometry

// No game screens, no nested runners, the screen's own state cleared: for tests.
void resetOptionsScreen();
