#pragma once
// The game put together: every screen and place joins the application frame here.
//
//   main():  return zerkonMain();

// The program's entry: platform, harness, start-up, the screens, init, start. Returns only
// on a start that cannot go on (the exit code); a normal run ends inside.
int zerkonMain();

// What init and start need plugged in: the start screens and the loading table, the screens
// the loading sequence and the profiles need (before init), and every place of the router
// (run by start). Each place then has its screen.
void installScreens();
void installPlaces();
