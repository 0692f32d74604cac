#pragma once
// Clouds over the stage map: at most eight drift with the wind, each fading in at the edge
// the wind comes from, living 40 to 60 s and fading out where it happens to be. The list and
// the two pictures belong to the type. Cloud lifetimes are the one timer the pause overlay
// shifts (pause / resume), so a suspended game does not age them.
#include <array>
#include <cstdint>
#include <memory>

#include "effects/list.h"
#include "platform/graphics.h"

struct TChmura;
using TChmuraList = fx::List<TChmura>;

struct TChmura {
    float x = 0, y = 0;    // centre
    float ax = 0, ay = 0;  // movement per 1/60 s; ay is 0
    int32_t time = 0;      // the fade-out starts after this
    int n = 0;             // picture 0 or 1
    float a = 0;           // opacity factor; drawn at 0.6 a
    float da = 0;          // 1 while the cloud lives, 0 once its time is up
    int32_t pauseTime = 0;
    bool _dead = false;

    static constexpr int kMaxClouds = 8;
    // Centre-handled; the map fills them.
    static std::array<TImage, 2> img;
    // Never cleared: clouds stay in it while the map is not shown.
    static TChmuraList listaChmur;

    virtual ~TChmura() = default;
    virtual void draw();
    virtual void update();
    virtual void destroy();

    // One new cloud just off the windward edge, appended to listaChmur.
    static std::shared_ptr<TChmura> createChmura(float wind);
    // Every cloud's step, then at most one new cloud while fewer than eight remain.
    static void updateAll(float wind);
    static void drawAll();
    static void pause();
    static void resume();
    // Loads the two pictures (the map's set-up).
    static int setup();
};

// Empty list, no pictures: for tests.
void resetChmury();
