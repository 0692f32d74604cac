#pragma once
// Debris: an image (or one frame of a strip) thrown along a curve while it turns, gone
// when its path ends or it has fallen below the screen. The play screen's losing state
// waits for this list to empty before the lose screen opens.
#include <memory>

#include "effects/list.h"
#include "platform/graphics.h"

struct TOdpad;
using TOdpadList = fx::List<TOdpad>;

struct TOdpad {
    TImage img;
    float x = 0, y = 0;
    float x1 = 0, y1 = 0;
    float x2 = 0, y2 = 0;
    float mx = 0, my = 0;
    float per = 0;
    float rot = 0;
    float s = 0;           // 1 from the first update on
    float a = 0;           // 1 from the first update on
    float frame = 0;       // cut to a whole number when drawn
    float obr = 1440;      // total turn over the path, degrees
    float speed = 1;
    bool _dead = false;

    virtual ~TOdpad() = default;
    virtual void update();
    virtual void draw();
    virtual void destroy();
};

extern TOdpadList listaOdpadow;

// A piece turning four times along its path.
std::shared_ptr<TOdpad> createOdpad(const TImage& img, float x1, float y1, float x2, float y2,
                                    float mx, float my, float frame);
// A piece of the broken chest: frame 0, a slight tilt, slower.
std::shared_ptr<TOdpad> createOdpad2(const TImage& img, float x1, float y1, float x2, float y2,
                                     float mx, float my);
void _updateOdpady();
// Draws every piece, then sets the rotation back to 0.
void _drawOdpady();

void resetOdpady();
