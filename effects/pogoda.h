#pragma once
// Weather: rain drops, snowflakes, falling leaves, blown sand and rising bubbles, drawn over
// a screen's background. The play screen and the hidden-object screen update and draw
// `listaPogody` each frame and start bubble groups on the shared `TPogoda::bankiTime`.
//
//   loading, second part:   setupPogoda();
//   each frame:             _updateBanki(level.banki); _updatePogoda(); ... _drawPogoda();
//   end of the screen:      fx::clear(listaPogody);
#include <array>
#include <cstdint>
#include <memory>

#include "effects/list.h"
#include "platform/graphics.h"

struct TPogoda;
using TPogodaList = fx::List<TPogoda>;

namespace pogoda {
enum Kind { RAIN = 0, SNOW = 1, LEAF = 2, SAND = 3, BUBBLE = 4 };
}

struct TPogoda {
    float alpha = 0;
    float dAlpha = 0;
    float scale = 0;
    float dScale = 0;
    float x = 0, y = 0;
    float ax = 0, ay = 0;        // movement per 1/60 s
    float aSpeed = 0.01f;        // alpha change per 1/60 s
    float sSpeed = 0.01f;        // scale change per 1/60 s
    float rSpeed = 0;            // degrees per 1/60 s
    int typ = 0;                 // pogoda::Kind
    int n = 0;                   // entry of img
    float rot = 0;
    int32_t lifeTime = 0;        // after this, alpha and scale move toward their targets
    int32_t startTime = 0;       // before this, neither drawn nor moved
    bool _dead = false;

    // 0 drop, 1 ball, 2-4 leaves, 5-7 grains, 8 bubble; 9 stays empty.
    static std::array<TImage, 10> img;
    // When the next bubble group is due; shared by every screen that makes bubbles and kept
    // between screens and levels.
    static int32_t bankiTime;

    virtual ~TPogoda() = default;
    virtual void draw();
    virtual void update();
    virtual void destroy();
};

extern TPogodaList listaPogody;

std::shared_ptr<TPogoda> createRain(int x, int y);
std::shared_ptr<TPogoda> createSnowFlake(int x);
std::shared_ptr<TPogoda> createLeaves(int x, int y);
// dir < 0 blows from the right, dir > 0 from the left; dir 0 blows like 1 (a grain with no
// sideways speed would never leave the list).
std::shared_ptr<TPogoda> createSand(int dir);
// A group of count bubbles rising from (x, y), one after another.
void createBuble1(float x, float y, int count);
// The same at a random spot of the sea floor.
void createBuble(int count);
// The bubble timer of a level: with an interval (ms) not 0, once the clock is past
// bankiTime, the next group is due interval ms later and 2 to 8 bubbles rise now.
void _updateBanki(int interval);

void _updatePogoda();
// Draws every sprite, then leaves rotation 0, scale 1, alpha 1, alpha blending and white.
void _drawPogoda();
int setupPogoda();

// Empty list, no images, bubble timer 0: for tests.
void resetPogoda();
