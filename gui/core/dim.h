#pragma once
// Rectangles and colours, the two small records every widget, screen and effect shares.
// Both are reference objects: holders share one record and may change it in place.
#include <cstdint>
#include <memory>

// An axis-aligned box in virtual-screen pixels. The corners are stored, not derived on
// reading: whoever changes x, y, w or h calls update() (a widget's move shifts them itself).
class TDim {
public:
    float x = 0, y = 0;
    float h = 0, w = 0;
    float x1 = 0, y1 = 0;
    float x2 = 0, y2 = 0;

    // x1 = x, y1 = y, x2 = x + w, y2 = y + h.
    int update();
};

// A colour of 0-255 channels, white when new. Values are neither clamped nor checked:
// some holders keep -1 in r to mean "no colour".
class TRGB {
public:
    int32_t r = 255, g = 255, b = 255;
};

// A box from left, top, width, height (width before height), corners computed.
std::shared_ptr<TDim> createDim(int32_t x, int32_t y, int32_t w, int32_t h);
// A bare point: x and y set, size and corners left at 0 until the caller updates.
std::shared_ptr<TDim> createSimpleDim(int32_t x, int32_t y);
std::shared_ptr<TRGB> createRGB(int32_t r, int32_t g, int32_t b);
