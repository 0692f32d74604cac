#pragma once
// The hidden-object level file: a keyed data file with everything below "level". It serves
// the progressions' scenes, a profile's level in progress ("level.lvl" in its folder) and
// the scene editor's "level-8.hol".
//
// Writer and reader differ on purpose: the writer spells the hiding place "UkrytyDim" (the
// reader asks for "ukrytyDim"; keys match without regard to case) and writes "zebranyDim",
// which the reader never reads (the flying copy always starts at the hiding place). Title
// text, sepia paths and pictures are derived on reading, never stored. Positions of
// objects, lights, masks and the counter lose their fractions on reading.
//
// The writer keeps each object's tick offset ("addPoint") and the background elements
// ("obiektyTla"), so that a scene resumed from the profile's copy looks as it did when it
// was left, and writes one group record per group entry, an unknown id as it was read, so
// that reading the copy back gives the same group.
//
// Reading never trusts the file: counts are bounded, positions kept on a sane plane, leaf
// and bubble intervals kept from firing every frame; every picture is checked, and a
// missing one is reported (once per file, with the key) and never drawn.
#include <memory>
#include <string>
#include <vector>

#include "minigames/hidden_object/ho_level.h"

// Records of one list read at most (objects, lights, leaves, masks, group, background).
inline constexpr int kHOMaxRecords = 200;

// Reads the level at the path (used unchanged); never null. `problems`, when given,
// receives what was wrong with the file (also reported through errorMsg).
std::shared_ptr<THOLevel> loadHOLevel(const std::string& url, std::vector<std::string>* problems = nullptr);
// Reads a player's scene in progress. A scene that cannot be taken up (ho_playable.h) is
// refused with one message naming the file and null is returned, so the profile takes the
// scene fresh from its progression; null without a word when there is no file.
std::shared_ptr<THOLevel> loadSavedHOLevel(const std::string& path);
// Writes the level to the path (used unchanged): 0, or -1 when the file could not be
// written (the old file is then left as it was).
int saveHOLevel(const THOLevel& level, const std::string& path);

// bDir + url as a picture; null for an empty url or a file that does not load.
TImage loadHOImage(const std::string& url);
// The sepia cover's path of an icon: same folder, base name + "-sepia.png".
std::string hoSepiaUrl(const std::string& iconUrl);
