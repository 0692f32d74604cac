#pragma once
// The inlay game's level file: a keyed data file under "lplLevel" (the counter is written
// and read as "lpllevel::counter"; keys match without regard to case). It serves the
// progressions' levels and a profile's level in progress ("level.lvl" in its folder).
//
// Reading never trusts the file: the board size and the block count are bounded, a block
// of an unknown shape is dropped, a cell naming an unknown shape reads empty, a spawn
// interval under a second reads as the default, and a missing found-object picture is
// reported and never drawn (all once per file, through errorMsg).
// Every block not placed comes back loose ("FREE") and falls to a fresh shelf spot.
#include <memory>
#include <string>
#include <vector>

#include "minigames/lay_puzzle/lp_level.h"

inline constexpr int kLayMaxBoardSide = 64;
inline constexpr int kLayMaxBlocks = 200;
// The spawn interval a level may ask for, and what a missing or shorter one reads as.
inline constexpr int kLayMinNextBlock = 1000;
inline constexpr int kLayDefaultNextBlock = 6000;

// Reads the level at the path (used unchanged); never null. `problems`, when given,
// receives what was wrong with the file.
std::shared_ptr<TLayLevel> loadLayPuzzleLevel(const std::string& path,
                                              std::vector<std::string>* problems = nullptr);
// Writes the level whole: 0, or -1 when the file could not be written (the old one stays).
int saveLayPuzzleLevel(const TLayLevel& level, const std::string& path);
