#pragma once
// Emitters: invisible timed sources of sparks. From its start to its end an emitter makes a
// few coloured sparks every `inter` ms; when it ends it may reveal a board cell. A bonus bow
// is a chain of emitters laid along a curve from a power-up button to a cell, each starting
// 10 ms after the one before, the last revealing the cell.
#include <cstdint>
#include <memory>
#include <string>

#include "effects/list.h"

class TTile;
struct TEmitter;
using TEmitterList = fx::List<TEmitter>;

struct TEmitter {
    float x = 0, y = 0;
    int32_t startTime = 0;
    int32_t endTime = 0;
    int32_t waitTime = 0;   // 0: fires on its first working update
    int32_t inter = 0;
    TEmitterList* lista = nullptr;
    // Spark colours: 1 orange (the medallion's bow); 10 red, 11 and 12 sea blue (the
    // sword's helix and its bows); any other kind makes none.
    int typ = 0;
    std::string useString;  // "REVEAL_TILE" or empty
    int useDataR = 0, useDataC = 0;
    // The cell the order was made for: the order is dropped when that cell is gone, belongs
    // to another level than the one being played, or no longer sits at (useDataR, useDataC).
    std::weak_ptr<TTile> useTile;
    bool _dead = false;

    virtual ~TEmitter() = default;
    virtual void update();
    virtual void generate();
    virtual void destroy();
};

extern TEmitterList emittersList;

std::shared_ptr<TEmitter> createEmitter(int typ, float x, float y, int delay, int inter, int duration,
                                        TEmitterList* list = nullptr);
void _updateEmitters(TEmitterList* list = nullptr);
// The medallion's orange bow (kind 1) and the sword's sea-blue one (kind 12), from (x1, y1)
// to the cell.
void createBonusBow(float x1, float y1, float x2, float y2, int delay, const std::shared_ptr<TTile>& tile);
void createBonusBowMiecz(float x1, float y1, float x2, float y2, int delay,
                         const std::shared_ptr<TTile>& tile);
void resetEmitters();
