#pragma once
// Flying treasures: released by picture cells (and the seahorse), they arc from the board
// to a pile beside it and lie there for the rest of the level. On a win the pile flies to
// the summary one treasure after another; on a loss it falls off the screen. They live in
// the list of the play screen's current level (TLevel::flyingTresures), so the pile is
// saved and restored with a level in progress.
#include <cstdint>
#include <memory>

#include "game/board/level.h"
#include "game/board/tile.h"
#include "game/board/tiledata.h"
#include "gui/core/dim.h"

struct TFlyingTresure {
    std::shared_ptr<TTresureData> tresure;  // never null for a treasure in a list
    std::weak_ptr<TTile> tile;              // the cell it came from; none when restored
    int size = 0;
    float x = 0, y = 0;
    float x1 = 0, y1 = 0;
    float x2 = 0, y2 = 0;                   // on the pile: its place in the pile
    float mx = 0, my = 0;
    float per = 0;
    int f = 0;
    float a = 1;
    int myEnd = 0;                          // 1 once it lies on the pile
    float s = 1;
    int32_t time = 0;                       // no sparkle before this time
    int summary = 0;
    int32_t timeSummary = 0;
    int goingDown = 0;
    float downSpeed = 0;
    int sounded = 0;
    bool _dead = false;

    // Treasures found in the summary state by the last _updateFlyingTresures.
    static int flyingToSummaryCount;

    virtual ~TFlyingTresure() = default;
    // Colour white, alpha, scale, rotation per x 360; the caller sets the blend.
    virtual void draw();
    virtual void updateSummary();
    virtual void updateGoingDown();
    virtual void update();
    virtual void sendDown();
    virtual void generate();
    virtual void lieDown();
    virtual void flyToSummary(int delay);
    // Leaves the level's list.
    void destroy();
};

// A treasure of the kind flying from (x, y) to a new place on the pile of the play
// screen's level. None (nothing made) without a kind or without a level.
std::shared_ptr<TFlyingTresure> createFlyingTresure(const std::shared_ptr<TTresureData>& tresure,
                                                    int size, int f, float x, float y,
                                                    const std::shared_ptr<TTile>& tile);
// The pile place for the next treasure (only x and y are meaningful).
std::shared_ptr<TDim> findGoodDimForTresure();
void _updateFlyingTresures();
// Draws the level's treasures with alpha blending.
void _drawFlyingTresures();
// Win: the newest treasure first, with staggered delays.
void sendAllTresuresToSummary();
// Loss: the whole pile falls.
void sendTresuresDown();
// Every treasure still flying to the pile lands now (the play screen's loop ends).
void allTresuresCollected();
// 1 when no treasure is still on its way to the pile.
int nieMaSkarbow();

// A treasure lying on the pile at saved positions (x, y, x1, y1, x2, y2, mx, my); none
// without a kind.
std::shared_ptr<TFlyingTresure> makeLyingTresure(const std::shared_ptr<TTresureData>& tresure,
                                                 const float (&pos)[8]);
