#pragma once
// Puts the title screen, its two overlays and the stage screen into the game: the router's
// "MAIN-MENU" and "PICK-FLOW", the map's stage screen, and the profile panel's backdrop.

// Loads each of the four screens that is not loaded yet (the loading screen normally has).
int setupMenuScreens();
// Binds the places and hooks; loads what is missing first. Run once before the router.
void installMenuScreens();
