#pragma once
// The bobbing pointer a tutorial tip shows at a place on the screen. It knows nothing of
// what it points at: it slides to and fro along its own axis and fades in and out.
#include <array>

#include "platform/graphics.h"

class TArrow {
public:
    virtual ~TArrow() = default;

    float x = 0, y = 0;  // anchor on the virtual screen
    float p = 0;         // bob progress 0..1
    float dP = 1;        // bob target, swaps between 1 and 0
    float a = 0;         // visibility 0..1
    float dA = 1;        // 1 while shown, 0 once its tip ends
    float rot = 0;       // degrees, clockwise
    int n = 0;           // picture in img

    // [0] arrow.png (the one in use), [1] arrow2.png; centred, filled by the tutorial.
    static std::array<TImage, 2> img;

    virtual int draw();
    virtual int update();
};
