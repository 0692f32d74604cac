#pragma once
// A nonogram line solver: every line is narrowed by a dynamic program over all placements
// of its runs, and rows and columns are revisited until nothing changes. It never guesses,
// so a grid it completes is the only solution of the clues. Used to check that every
// shipped level can be solved by reasoning alone, and by the developer tools.
#include <cstdint>
#include <string>
#include <vector>

class TLevel;

namespace nonogram {

enum : int8_t { kUnknown = -1, kEmpty = 0, kFilled = 1 };

using Clue = std::vector<int>;  // run lengths in line order; empty for a line with no runs

// A picture: rows x cols cells, row-major, each kEmpty or kFilled.
struct Picture {
    int rows = 0;
    int cols = 0;
    std::vector<int8_t> cells;
    int8_t at(int r, int c) const { return cells[size_t(r) * size_t(cols) + size_t(c)]; }
};

// The runs of one line of `n` cells starting at `first`, `stride` apart.
Clue lineClue(const int8_t* first, int n, int stride);
std::vector<Clue> rowClues(const Picture& p);
std::vector<Clue> colClues(const Picture& p);

// Narrows one line in place: cells that are the same in every placement of the runs that
// agrees with the known cells become known. False when no placement agrees (contradiction).
bool solveLine(const Clue& clue, std::vector<int8_t>& line);

struct Result {
    bool contradiction = false;  // the clues admit no picture
    bool complete = false;       // every cell known: the one and only solution
    int passes = 0;              // sweeps over all lines until nothing changed
    Picture grid;                // kUnknown where line logic could not decide
};

Result solve(const std::vector<Clue>& rows, const std::vector<Clue>& cols);
// Solves the clues of the picture and tells whether line logic alone reaches exactly it.
bool lineSolvable(const Picture& p, Result* out = nullptr);

// The picture of a level: a cell is filled when its picture record id is not 0.
Picture pictureOf(const TLevel& level);
// Rows of '#' and '.', for messages.
std::string toText(const Picture& p);

}  // namespace nonogram
