#pragma once
// The sword power-up's effect: the sword flies from its button to the board's centre,
// growing and turning once, while a red and sea-blue helix runs down onto the centre; then
// sea-blue bows reveal the chosen cells and the sword fades away. The play screen holds the
// one sword in its field `miecz` and drops it once it is dead.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/graphics.h"

class TTile;

struct TMiecz {
    std::vector<std::weak_ptr<TTile>> lista;  // the cells to reveal
    float x = 0, y = 0;
    float x1 = 0, y1 = 0;
    float x2 = 0, y2 = 0;
    float mx = 0, my = 0;
    float per = 0;
    float rot = 0;
    float ma = 1, dma = 1;
    float dnaP = 0;
    std::string state = "FLY";
    int32_t time = 0;
    bool _dead = false;

    static TImage img;

    virtual ~TMiecz() = default;
    virtual void draw();
    virtual void _update_fly();
    virtual void _update_DNA();
    virtual void _update_boom();
    virtual void _update_wait();
    virtual void _update_ma();
    virtual void update();
    virtual void destroy();
};

// A sword from the button "bonus1" to the centre of the level being played.
std::shared_ptr<TMiecz> createMiecz(const std::vector<std::shared_ptr<TTile>>& cells);
int setupFlyingMiecz();
void resetMiecz();
