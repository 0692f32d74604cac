#pragma once
// A light beam of the title screen: an additive picture whose strength pulses between
// 0.3 and 1 at its own slow speed.
#include <memory>
#include <string>

#include "platform/graphics.h"

class TBeam {
public:
    virtual ~TBeam() = default;
    int x = 0, y = 0;  // top left corner
    float a = 0;       // current pulse, 0..1
    float da = 1;      // target of a: 0 or 1
    TImage img;
    float speed = 0.01f;  // pulse step per frame unit

    // A beam at (x, y) from a picture under bDir, starting at a random end of its pulse.
    static std::shared_ptr<TBeam> createBeam(const std::string& path, int x, int y);
    virtual int update();
    virtual int draw();
};
