#pragma once
// The asset files the road from the main menu to a level cannot do without: the two
// progressions, the map's stages, the cover set, the main menu, voyage choice and stage
// screen layouts and the language. Each is checked once, at the end of loading; every one
// that is missing or broken is named in one message, instead of a dead end later.
#include <string>
#include <vector>

// One line per broken file: its path, then what is wrong with it.
std::vector<std::string> roadAssetProblems();
// Tells the player, in one message, which files are broken; nothing when all are whole.
void checkRoadAssets();
