#pragma once
// Flying tiles: at a level's start every cell flies in to its place along an eased curve,
// fading in (and turning once when asked), showing the cell's own face on the way. While a
// cell has a flying tile it does not draw itself; the flying tile lets go of it once it has
// rested one update on the cell's place.
#include <cstdint>
#include <memory>

#include "effects/list.h"

class TTile;
struct TFlyingTile;
using TFlyingTileList = fx::List<TFlyingTile>;

struct TFlyingTile {
    std::weak_ptr<TTile> tile;
    float x = 0, y = 0;
    float x1 = 0, y1 = 0;
    float x2 = 0, y2 = 0;
    float mx = 0, my = 0;
    float per = 0;
    int32_t time = 0;      // neither moves nor shows before this
    int rotate = 1;
    float perSpeed = 0.01f;
    bool _dead = false;

    virtual ~TFlyingTile() = default;
    virtual void startFrom(float x, float y, int delay);
    virtual void startFromRandomPosition(int delay);
    virtual void drawHiden();
    virtual void drawOdkryty();
    virtual void draw();
    virtual void update();
    virtual void destroy();
};

extern TFlyingTileList flyingTiles;

// A flying tile for the cell (the cell's link set); the caller appends it to flyingTiles
// and starts it.
std::shared_ptr<TFlyingTile> createFlyingTile(const std::shared_ptr<TTile>& tile);
void _updateFlyingTiles();
void _drawFlyingTiles();
// Every flying tile gone, each cell drawing itself again.
void clearFlyingTiles();
