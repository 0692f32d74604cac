#pragma once
// Bonus icons: a tool (eye, map, skull) put back without use flies from the cursor to its
// button; the button comes back only when the icon has arrived.
#include <array>
#include <memory>

#include "effects/list.h"
#include "platform/graphics.h"

struct TFlyingBonus;
using TFlyingBonusList = fx::List<TFlyingBonus>;

struct TFlyingBonus {
    int n = 0;             // power-up 0..5: image img[n], widget "bonus" + (n + 1)
    float x = 0, y = 0;
    float x1 = 0, y1 = 0;
    float x2 = 0, y2 = 0;
    float mx = 0, my = 0;
    float per = 0;
    float rot = 0;
    bool _dead = false;

    // Slots 0..5; slot 5 (the bag) has no image and draws nothing.
    static std::array<TImage, 6> img;

    virtual ~TFlyingBonus() = default;
    virtual void draw();
    virtual void update();
    // Enables the button, then leaves the list.
    virtual void destroy();
};

extern TFlyingBonusList flyingBonuses;

std::shared_ptr<TFlyingBonus> createFlyingBonus(int n, int x, int y);
void _updateFlyingBonus();
void _drawFlyingBonus();
int setupFlyingBonus();
// 1 while an icon of power-up n is under way.
int isBonusFlying(int n);

void resetFlyingBonus();
