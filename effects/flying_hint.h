#pragma once
// The flying hint: an invisible marker that swerves from a hint slot to its cell, leaving
// hint sparkles, and resolves the cell the frame after it arrives.
#include <cstdint>
#include <memory>

#include "effects/list.h"
#include "game/board/tile.h"
#include "gui/core/dim.h"

struct TFlyingHint;
using TFlyingHintList = fx::List<TFlyingHint>;

struct TFlyingHint {
    float x = 0, y = 0;
    float x1 = 0, y1 = 0;
    float x2 = 0, y2 = 0;
    float mx = 0, my = 0;
    float per = 0;
    int32_t time = 0;            // no sparkle burst before this time
    std::weak_ptr<TTile> tile;   // the cell to resolve
    bool _dead = false;

    virtual ~TFlyingHint() = default;
    virtual void update();
    virtual void generateParticles();
    virtual void useMyHint();
    virtual void countPosition();
};

extern TFlyingHintList flyingHints;

void createFlyingHint(const std::shared_ptr<TTile>& tile, int x, int y, const TDim& target);
void _updateFlyingHints();

void resetFlyingHints();
