#pragma once
// One clue number beside a row or above a column: the length of one run of picture cells
// (or a single "0" for a line without any). It watches the cells of its run and the two
// cells just outside it, dims to 0.3 once they are all resolved, zooms under the mouse
// on big boards and draws itself from the digit images.
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "game/board/tiledata.h"
#include "gui/core/dim.h"
#include "platform/graphics.h"

class TTile;

using TTileList = std::vector<std::shared_ptr<TTile>>;

class TNumber {
public:
    std::string txt;                // digits shown
    std::shared_ptr<TDim> dim;      // centre of the number (set by the layout)
    int v = 0;                      // row of a row clue, column of a column clue
    float majorA = 0;               // overall visibility, eased toward dMajorA
    float dMajorA = 0;
    std::string dir;                // "HORIZONTAL" (row clue) or "VERTICAL" (column clue)
    TTileList tilesy;               // the run's cells in line order; the whole line for "0"
    float alpha = 1;                // own transparency, eased toward dAlpha; 0.3 = resolved
    float dAlpha = 1;
    int size = 0;                   // tile size class, selects the digit images
    std::shared_ptr<TTile> tile1;   // the cell just before the run, or none
    std::shared_ptr<TTile> tile2;   // the cell just after the run, or none
    int rowOrCol = 0;
    int zero = 0;
    float sc = 1;                   // hover zoom, eased toward dsc
    float dsc = 1;

    // Digit images num[size class][digit], filled by setupNumbers.
    static std::array<std::array<TImage, 10>, kTileSizeClasses> num;
    // Advance between neighbouring digits, as a share of a digit's width.
    static constexpr float pomn = 0.8f;

    // Measures in virtual pixels (they use only their arguments and the digit images).
    static float halfW(int size);
    static float numWidth(const std::string& txt, int size);
    // The widest digit image of txt: a width, which the column layout steps by.
    static float numHeight(const std::string& txt, int size);
    static float halfNumWidth(const std::string& txt, int size, float scale);
    // Numbers of two or more digits are drawn at this share of the scale.
    static constexpr float kManyDigitsScale = 0.8f;
    // Where the first digit picture of txt starts at rest, left of the number's place.
    static float restLeft(const std::string& txt, int size);
    // Draws the digits left to right from (x, y) with the current drawing state.
    static int _drawNum(const std::string& txt, int x, int y, int size, float scale);

    // Shadow and main pass; a non-zero highlight adds a light pass.
    int draw(int highlight);
    int krancoweCleared();
    int updateTilesy2();
    int updateTilesy();
    int update();
    int over(float p);
    // Settled: alpha and dAlpha both exactly 0.3, or both exactly -1.
    int cleared() const;
    int setMajorAlpha(float a);
    int setMajorNAlpha(float a);

private:
    bool _runResolved();
};

// Loads the 50 digit images "gfx/numbers/<digit>-<cell size>.png" under bDir. A missing
// image is reported once and left empty (it then measures 0 and draws nothing).
int setupNumbers();
// A number over `list` (kept, not copied): its text is the cell count, or "0" when
// emptyLine is non-zero.
std::shared_ptr<TNumber> createNumber(TTileList list, int v, const std::string& dir, int size,
                                      int emptyLine);
// Forgets the digit images (for tests).
void resetNumberImages();
