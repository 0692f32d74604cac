#pragma once
// The puffs of smoke the plane of the story start leaves behind: made in pairs every 50 ms
// while its flight runs, each grows from full size, turns, and past 1.5 times its size fades
// out and leaves the one list of puffs. Puffs left when a showing ends stay, frozen, until the
// next flight updates them again.
#include <array>
#include <memory>

#include "effects/list.h"
#include "platform/graphics.h"

class TPlaneSmoke {
public:
    bool _dead = false;
    float s = 0;
    float a = 0;
    float r = 0;
    float x = 0, y = 0;
    int n = 0;  // which of the two pictures

    static fx::List<TPlaneSmoke> planeSmokes;
    // "gfx/particles/dym-1.png" and "dym-2.png", centred handles (the story start loads them).
    static std::array<TImage, 2> img;

    static std::shared_ptr<TPlaneSmoke> createNewPlaneSmoke(int x, int y);
    static void updateAll();
    // The puffs hold their places on the panorama (the plane's x less the panorama's offset):
    // `dx` is that offset now. They are drawn at half their opacity, a soft haze.
    static void drawAll(float dx = 0);
    static void setup();

    void update();
    void draw(float dx) const;
};

// No puffs, no pictures: for tests.
void resetPlaneSmoke();
