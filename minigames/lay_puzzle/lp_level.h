#pragma once
// An inlay game level: a board of triangle cells (the inlay) laid out on a triangle grid,
// the blocks not yet placed (falling, sliding along the shelf, resting, held or being
// smashed), the spawn timer and the found object under the stone cover. Only the level file
// (lp_level_file.h) builds one; the profile keeps it as its level in progress and the
// screen plays the same object.
//
// The shelf: landed blocks line up at x 80, 140, 200, ... in the order they land; the
// fifteenth, once it has slid to 920, loses the level. A pick re-packs the shelf.
#include <memory>
#include <string>
#include <vector>

#include "app/profile/profile_world.h"
#include "gui/core/dim.h"
#include "minigames/lay_puzzle/lp_shapes.h"
#include "minigames/puzzle_express/pe_level.h"
#include "platform/graphics.h"

class TLayLevel;

namespace lpstate {
inline const std::string FREE = "FREE";      // falls
inline const std::string FREE2 = "FREE-2";   // slides to its shelf spot
inline const std::string FREE3 = "FREE-3";   // rests
inline const std::string PUT = "PUT";        // placed into the inlay
inline const std::string DESTROY = "DESTROY";  // on the anvil, waiting for the hammer
}  // namespace lpstate

class TLayTile {
public:
    virtual ~TLayTile() = default;
    float x = 0, y = 0;  // handle point on the screen
    int r = 0, c = 0;
    int stan = 0;        // 0: no cell here; else a cell to fill
    std::shared_ptr<TLayBlockData> wskaznik;  // the shape filling it
    int rot = 0;         // 0 or 60

    virtual void draw(float alpha);
    virtual void drawDebug();
};

// One triangle of a block and the board cell found for it during a placement.
class TPara {
public:
    virtual ~TPara() = default;
    std::shared_ptr<TDim> tileDim;
    std::shared_ptr<TDim> closestDim;
};

// Blocks are owned by their level's list; one that leaves it in its own step (placed,
// smashed) keeps itself alive to the end of that step.
class TLayBlock : public std::enable_shared_from_this<TLayBlock> {
public:
    virtual ~TLayBlock() = default;
    std::shared_ptr<TLayBlockData> bd;
    float x = 0, y = 0;  // the shape's pivot on the screen
    float dx = 0;        // shelf target
    int id = 0;
    float dir = 0, dDir = 0;
    std::string state;
    float overA = 0, dOverA = 0;
    float clickP = 0, dClickP = 0;
    float pomX = 0, pomY = 0;
    float ay = 0;

    virtual void draw(float alpha);
    virtual void updateFall();
    virtual void updateMove();
    virtual void updateDestroy();
    virtual void updateState();
    // The frame's step; 1 when the mouse is over a block that may be picked.
    virtual int update();
    virtual int over();
    virtual void checkDir();
    virtual void moveDir();
    virtual void moveDir2(float sign);
    virtual void pick(float x, float y);
    // 1 when smashed on the anvil or placed into the inlay; 0 when it fits nowhere.
    virtual int put();

    bool loose() const { return state.rfind("FREE", 0) == 0; }
};

class TLayLevel : public TLevelInProgress {
public:
    std::shared_ptr<TPEObj> PEObj;
    TImage backGround;
    std::string backGroundUrl;
    int cols = 0, rows = 0;
    float stx = 0, sty = 0;
    float x = 0, y = 0;
    int nextBlock = 0;  // spawn interval, ms
    int blockTime = 0;  // the next block spawns once the clock is past this
    int counter = 0;    // blocks made in this level; the id of the latest
    float alpha = 0, dAlpha = 0;
    std::vector<std::vector<std::shared_ptr<TLayTile>>> tile;  // [r][c]
    std::vector<std::shared_ptr<TLayBlock>> blocks;
    int time = 0;  // seconds played

    std::string gameType() const override { return "LAY-PUZZLE"; }
    bool playable() const override { return cellsToFill() > 0; }
    bool saveTo(const std::string& path) const override;

    virtual void resetPositions();
    virtual float getFreeSpot(TLayBlock* block);
    virtual void setPosition(float p);
    virtual void draw();
    virtual void drawDebug();
    virtual void drawBlocks();
    virtual void createNewBlock();
    virtual void _updateNextBlock();
    virtual int _updateWin();
    virtual int _updateLose();
    virtual void update();
    virtual int zgodneKaty(int angle, int cellRot) const;
    // The nearest cell of fitting rotation closer than 20 px (noted in the play view's
    // points), or null.
    virtual std::shared_ptr<TDim> getClosestDim(float px, float py, float rot);
    // The first cell in grid order closer than 8 px, any rotation, or null.
    virtual std::shared_ptr<TDim> getClosestDim2(float px, float py, float rot);
    virtual int getKier(float angle) const;
    // Snaps the block into free inlay cells: 1 and the block placed, or 0 and nothing changed.
    virtual int putBlock(TLayBlock* block);

    TLayTile* at(int r, int c) const;
    int cellsToFill() const;
    // Takes the block off the list (placed or smashed).
    void removeBlock(const TLayBlock* block);
};

// The hammer over the anvil: up (mp 1) it smashes a block dropped on the anvil, falls in 13
// frames, then takes 400 frames to rise. The ring over the anvil pulses in 20-frame legs.
struct TLayHammer {
    float mp = 0, dmp = 0;  // position and target, 1 = up
    float mRot = 0;         // degrees, -60 when down
    float mle = 0, dmle = 0;
    float mlotekX = 980, mlotekY = 560;

    void update(float frameDelta);
    float smashX() const { return mlotekX - 140; }
    float smashY() const { return mlotekY - 30; }
    // Closer than 64 px to the smash point.
    bool inKowadlo(float x, float y) const;
    // Up and still.
    bool kowadloOk() const { return mp == 1 && dmp == 1; }
};

// What the board and the blocks read and write of the screen that plays them. The screen
// resets it for every level.
struct TLayPlayView {
    std::weak_ptr<TLayLevel> level;
    std::shared_ptr<TLayBlock> click;  // the held block
    TLayHammer hammer;
    int statSpadniete = 0, statWlozone = 0, statRozbite = 0, statUpuszczone = 0;
    std::vector<std::shared_ptr<TDim>> punkty;  // cells the placement search looked at
    bool noShapesReported = false;
};
TLayPlayView& lpPlay();
// A fresh view (hammer down at its place, nothing held, no statistics).
void resetLPPlay();
