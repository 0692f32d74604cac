#pragma once
// Light stripes over a level's background: an additive image whose alpha wanders between
// 0 and 0.3, so the light flickers slowly. A level keeps its stripes in stripesList and
// updates and draws them through the effects link.
#include <array>
#include <memory>

#include "platform/graphics.h"

struct TStripe {
    int n = 0;  // entry of img, 0 or 1
    float x = 0, y = 0;
    float r = 0;      // rotation, degrees
    float a = 0;      // alpha
    float da = 0;     // target alpha
    float speed = 0;  // alpha change per 1/60 s

    // Entries 0 and 1 hold the two stripe pictures; the rest stay empty.
    static std::array<TImage, 5> img;

    virtual ~TStripe() = default;
    virtual void draw();
    virtual void update();
    virtual void randomNext();
    virtual void random();
};

// A stripe with picture n at (x, y) turned by r degrees, at a random alpha and target; the
// caller puts it into the level's stripesList.
std::shared_ptr<TStripe> createStripe(int n, float x, float y, float r);
int setupStripes();
void resetStripes();
