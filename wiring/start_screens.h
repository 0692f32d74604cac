#pragma once
// Plugs the screens of the start into the start-up: the loading table, the partner splash
// screens after the display opens, the loading screen for the shared data (then the check
// of the road's files), the intro, and the options screen as the play screen's in-game
// menu.
void installStartScreens();

// The loading screen's whole run (its pictures, the five parts, the closing fade), then the
// check of the road's files.
void runLoadingScreen();
