#pragma once
// One nonogram level in play: the grid of cells with the hidden picture, the clue lines of
// its rows and columns, its limits and running counters, the treasures already collected
// and the board's place on the screen. The level reader builds it; the play screen owns
// the one being played and drives it each frame (see docs/ARCHITECTURE.md, "The board").
#include <array>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "game/board/numberline.h"
#include "game/board/tile.h"
#include "gui/core/dim.h"
#include "platform/graphics.h"

struct TFlyingTresure;
struct TLiving;
struct TLivingData;
struct TStripe;

using TNumberLineList = std::vector<std::shared_ptr<TNumberLine>>;

class TLevel {
public:
    TLevel() = default;
    ~TLevel();
    TLevel(const TLevel&) = delete;
    TLevel& operator=(const TLevel&) = delete;

    // ---- fields -------------------------------------------------------------------------
    std::list<std::shared_ptr<TLiving>> livings;             // creatures that came onto cells
    std::list<std::shared_ptr<TLivingData>> Availablelivings;  // creature kinds of the level
    int maxMistakes = 0;          // chest hits allowed
    std::string musicId;          // the level's own music; empty for the stage's
    int byloZwierzatko = 0;       // 1 once a creature came onto the level
    int rozbitoZwierzatko = 0;    // 1 once a mistake destroyed a creature
    std::list<std::shared_ptr<TFlyingTresure>> flyingTresures;  // in flight or on the pile
    int livingsCount = 0;         // creatures found
    TNumberLineList numbersHList;  // row clues, top to bottom
    TNumberLineList numbersVList;  // column clues, left to right
    float stx = 0, sty = 0;       // grid origin
    float pointX = 0, pointY = 0;
    float lx = 0, ly = 0;         // top-left of the board with its clues
    float width = 0, height = 0;
    float moveW = 0, moveH = 0;   // row-clue area width, column-clue area height
    std::array<int, 4> hintUsed{};
    TImage background;
    std::string backGroundUrl;
    int czas = 0;                 // play time in seconds
    int stripes = 0;
    std::list<std::shared_ptr<TStripe>> stripesList;
    int banki = 0;                // bubble interval in ms; 0 = no bubbles
    int rows = 0;
    int cols = 0;
    // The cells, row-major: tile[r * cols + c]. Use at() / tileAt() for checked access.
    std::vector<std::shared_ptr<TTile>> tile;
    int size = 0;                 // tile size class 0..4
    int score = 0;
    int levelCompleted = 0;
    int tutorialLevel = 0;
    int addedMistakes = 0;

    // Gaps before every block of five columns and rows.
    static constexpr float gridW = 5.0f;
    static constexpr float gridH = 5.0f;
    // Largest side the grid is built with; bigger sizes from a file are cut to it.
    static constexpr int maxSide = 100;

    // ---- grid ---------------------------------------------------------------------------
    // The cell at row r, column c; null outside the grid.
    TTile* at(int r, int c) const;
    std::shared_ptr<TTile> tileAt(int r, int c) const;
    // A new rows x cols grid of new cells, each knowing its level, row and column.
    // Negative sizes count as 0; sides above maxSide are cut (and rows/cols with them).
    int createTilesTab();

    // ---- per frame ----------------------------------------------------------------------
    // One frame of every cell, then the completion check into levelCompleted.
    int updateTiles();
    // The first cell under the mouse (row-major), with the sparkles of an armed eye, map
    // or skull; none when no cell is under the mouse.
    TTile* updateOver();
    TTile* updateOverEditor();
    int updateNumbers();
    int updateBack();

    // ---- questions and tutorial ---------------------------------------------------------
    // 1 when every cell counts as cleared for captions.
    int checkCompleted();
    // 1 when every cell of the row (column) is opened or broken; 0 outside the grid.
    int rowClear(int r);
    int colClear(int c);
    int turnOffAll();
    int turnOnAll();
    int freeFromTutorial();
    int setHideTile(const std::shared_ptr<TTileHideGFX>& cover);
    int playMusic();

    // ---- clue numbers -------------------------------------------------------------------
    int drawNumbers();
    // The dark bands behind each row's and each column's clues, so the digits read on any
    // picture behind them; the hovered row and column get a lighter band.
    int drawClueBands();
    int setNumbersAlpha(float a);
    int hideNumbers();
    int showNumbers();
    int setGlobalAlpha(float a);

    // ---- clue lines ---------------------------------------------------------------------
    // The numbers of row r (column c), the last run first; empty outside the grid.
    TNumberList createNumbersHLine(int r);
    TNumberList createNumbersVLine(int c);
    int createHorizontalNumbers();
    int createVerticalNumbers();
    int createNumbers();

    // ---- layout (board_layout.cpp) -------------------------------------------------------
    // Cell pitch: one frame of the top-left cell's picture in the level's size class.
    int cellW() const;
    int cellH() const;
    int countNumbersHList();
    int countNumbersVList();
    int countNumbersDims();
    // The grid alone: W x cols + cols by H x rows + rows.
    int countWidthAndHeight();
    // Adds the clue area (moveW, moveH) and sets lx, ly.
    int countWidthAndHeightWithNumbers();
    // Grid origin so that the measured board is centred on (x, y); places every cell.
    int setPosition(float x, float y);
    // Measure, centre the board with its clues on (390, 384), place cells and clues.
    int setProperPosition();
    // Rebuilds the clues for the current size class and measures: 1 when the board is
    // wider than 690 or higher than 630.
    int countDimWithSize();
    // One size class toward the largest cells that fit, then a new layout.
    int countSize();
    std::shared_ptr<TDim> getLivingDim(int id);
    TImageFont getNumberFont();
    int getBackEffectsByBackground(const std::string& name);

    // ---- drawing (board_layout.cpp, powerup_areas.cpp) -----------------------------------
    int drawBack();
    int drawStripes();
    int drawTiles();
    // The opaque well under the grid at opacity a: a cleared cell shows it, never the
    // picture behind the board; lines mark the blocks of five.
    int drawWell(float a);
    int drawTilesEditor();
    // The cross of the cell's column and row, highlighted (none draws nothing).
    int drawOver(TTile* t);
    // The solution as yellow squares, while the developer switch is on and D is held.
    int drawDebug();
    // Power-up previews: the eye's column, the skull's row, the map's 3 x 3 block.
    int drawOverOko(TTile* t);
    int drawOverCzacha(TTile* t);
    int drawOverMapa(TTile* t);
    // The wash and rim around the cells rows r0..r1, columns c0..c1 (clipped to the grid).
    int drawAreaFrame(int r0, int c0, int r1, int c1);

    // ---- grid editing (grid_edit.cpp) ----------------------------------------------------
    // One row or column more or less at an edge; existing cells keep their contents and
    // identity. Adds stop at maxEditSide, removes at minEditSide.
    int addRowUp();
    int addRowDown();
    int addColLeft();
    int addColRight();
    int removeRowUp();
    int removeRowDown();
    int removeColLeft();
    int removeColRight();
    static constexpr int minEditSide = 5;
    static constexpr int maxEditSide = 25;

    // ---- reference points ---------------------------------------------------------------
    // The centre of the grid as laid out (the sword's target, the line captions).
    std::shared_ptr<TDim> getCentralDim();
    int getGridXCenter();

    // ---- power-up sparkles --------------------------------------------------------------
    // Only while a cell is under the mouse; every cell of the area paces its own sparkles.
    int generateOko(int c);
    int generateCzaszka(int r);
    int generateMapa(int r, int c);

private:
    int _editGrid(int newRows, int newCols, int rowShift, int colShift);
    TNumberList _createLineNumbers(const std::vector<std::shared_ptr<TTile>>& line, int index,
                                   const std::string& dir);
};
