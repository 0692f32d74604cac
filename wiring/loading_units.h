#pragma once
// What the loading screen sets up, in order: 52 named units in five parts. The units of the
// tutorial and the mini-games come empty; each plugs its set-up in by name when installed.
#include <vector>

#include "app/loading/loading_screen.h"

std::vector<TLoadingScreen::Unit> loadingUnits();
