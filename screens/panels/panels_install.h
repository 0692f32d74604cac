#pragma once
// Puts the pop-up, the name entry and the parchment into the game.

// Loads the shared pictures, fonts and layouts of the three panels (the loading sequence
// calls the parts one by one: TPapirus::setup, then enterName.setup and popUp.setup).
int setupPanels();
// Points the profile screen's name entry, question and notice at the real panels. Loads
// whatever is not loaded yet. Run once before the router.
void installPanels();
