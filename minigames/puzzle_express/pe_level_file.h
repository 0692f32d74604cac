#pragma once
// The block puzzle level file: a keyed data file under "PELevel". It serves the
// progressions' levels and a profile's level in progress ("level.lvl" in its folder).
// The reader spells the block groups "PElevel::blocks::bl<k>", the writer
// "PELevel::blocks::bl<k>"; keys match without regard to case, so both name one entry.
//
// Reading never trusts the file: the board size and the block count are bounded, a block
// of an unknown shape is dropped, and a missing found-object picture is reported and
// never drawn (all once per file, through errorMsg).
#include <memory>
#include <string>
#include <vector>

#include "minigames/puzzle_express/pe_level.h"

inline constexpr int kPEMaxBoardSide = 64;
inline constexpr int kPEMaxBlocks = 200;

// Reads the level at the path (used unchanged); never null. `problems`, when given,
// receives what was wrong with the file.
std::shared_ptr<TPELevel> loadPuzzleExpressLevel(const std::string& path,
                                                 std::vector<std::string>* problems = nullptr);
// Writes the level whole: 0, or -1 when the file could not be written (the old one stays).
int savePuzzleExpressLeveL(const TPELevel& level, const std::string& path);
