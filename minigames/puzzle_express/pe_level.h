#pragma once
// A block puzzle level: a grid of board cells, some of which make the field to be covered,
// the blocks the player drops onto it and the object the chest opens on when it is full.
// Only the level file (pe_level_file.h) builds one; the profile keeps it as its level in
// progress and the screen plays the same object, so a save writes what the player did.
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/profile/profile_world.h"
#include "gui/core/dim.h"
#include "minigames/puzzle_express/pe_shapes.h"
#include "platform/graphics.h"

class TBlock;

// The object found in a mini-game's chest (also what the found-item notice shows).
class TPEObj {
public:
    virtual ~TPEObj() = default;
    TImage img;
    std::string url;
    std::string name;
    std::string opis;  // description, line opisN of txt/<lang>/puzzleTexts.txt
    int nameN = 0, opisN = 0;
    float x = 0, y = 0, rot = 0, scale = 0;
};

// Moves v toward target by step, stopping on it (the block games' fades and slides).
inline void approach(float& v, float target, float step) {
    if (v < target)
        v = std::min(v + step, target);
    else if (v > target)
        v = std::max(v - step, target);
}

// The cell [r][c] of a board held as rows of cells; null outside it.
template <class Tile>
Tile* gridCell(const std::vector<std::vector<std::shared_ptr<Tile>>>& grid, int r, int c) {
    if (r < 0 || c < 0 || size_t(r) >= grid.size() || size_t(c) >= grid[size_t(r)].size()) return nullptr;
    return grid[size_t(r)][size_t(c)].get();
}

class TPETile {
public:
    virtual ~TPETile() = default;
    std::shared_ptr<TPETileData> td;
    std::shared_ptr<TBlock> wskaznik;  // the block covering this cell
    int spot = 0;                      // non-zero: part of the field
    float x = 0, y = 0;                // centre on the screen
    int r = 0, c = 0;

    virtual void setPETileData(const std::shared_ptr<TPETileData>& data) { td = data; }
    virtual void drawField(float alpha);
    virtual void drawDebug();
};

class TBlock {
public:
    virtual ~TBlock() = default;
    std::shared_ptr<TBlockData> bd;
    float x = 0, y = 0;
    float dir = 0, dDir = 0;  // angle and its target, degrees
    float overA = 0, dOverA = 0;
    float clickedA = 0, dClickedA = 0;
    float adX = 0, ady = 0;  // grab offset
    int id = 0;
    float pamx = 0, pamY = 0;
    int onPlace = 0;

    virtual void draw(float alpha);
    virtual void click(int held);
    virtual int over();
    virtual int update();
    virtual void obliczKat();
    virtual void checkDir();
    virtual void rotate() { dDir += 90; }
    virtual void rotate2() { dDir -= 90; }
    virtual std::shared_ptr<TDim> getDim(int r, int c) const;
};

class TPELevel : public TLevelInProgress {
public:
    int id = 0;
    std::shared_ptr<TPEObj> PEObj = std::make_shared<TPEObj>();
    TImage backGround;
    std::string backUrl;
    float x = 0, y = 0;
    float p = 0;
    std::vector<std::vector<std::shared_ptr<TPETile>>> tile;  // [r][c]
    float alpha = 0, dAlpha = 0;
    int rows = 0, cols = 0;
    std::vector<std::shared_ptr<TBlock>> blocks;  // drawing order; later wins the hover
    int time = 0;  // seconds played

    std::string gameType() const override { return "PUZZLE-EXPRESS"; }
    bool playable() const override { return fieldCells() > 0; }
    bool saveTo(const std::string& path) const override;

    virtual void prepareBlocks() {}
    virtual void _drawBack();
    virtual void _drawField();
    virtual void _drawDebug();
    virtual void _drawBlocks();
    virtual void cleanTileFromBlock(TBlock* block);
    virtual void setPosition(float px, float py);
    // The first cell (row-major) whose centre is closer than 20 pixels: x = column,
    // y = row, w and h the point's offset from the centre. Null when none.
    virtual std::shared_ptr<TDim> getRCFromXY(float px, float py) const;
    // 1 and the block placed when every tile cell of it lies on a free field cell.
    virtual int checkPut(const std::shared_ptr<TBlock>& block);
    virtual void putBlock(const std::shared_ptr<TBlock>& block);
    virtual void update();

    TPETile* at(int r, int c) const;
    int fieldCells() const;
    // Every field cell covered.
    bool complete() const;
};

// What the board and the blocks read of the screen that plays them: the held block and
// the pick counters. The screen clears it for every new level, so no block of an old level
// is held over.
struct TPEPlayView {
    std::weak_ptr<TBlock> clickedBlock;
    std::weak_ptr<TPELevel> level;
    int statWyjete = 0;  // picks that lifted a placed block
    int statPicked = 0;  // picks of a loose block
};
TPEPlayView& pePlay();
void resetPEPlay();
