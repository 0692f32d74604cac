#pragma once
// Small breaking waves on the map's sea: ten frames 100 ms apart, drifting 0.3 px per 1/60 s
// to the side of their direction (mirrored when it is -1), then gone.
#include <array>
#include <cstdint>
#include <memory>

#include "effects/list.h"
#include "platform/graphics.h"

struct TFala;
using TFalaList = fx::List<TFala>;

struct TFala {
    int32_t time = 0;  // the next frame step comes after this
    float x = 0, y = 0;
    int frame = 0;
    float ax = 0, ay = 0;
    float sig = 1;  // +1 drifts right, -1 drifts left and is drawn mirrored
    bool _dead = false;

    static constexpr int kFrames = 10;
    static std::array<TImage, kFrames> img;

    virtual ~TFala() = default;
    virtual void draw();
    virtual void update();
    virtual void destroy();
};

extern TFalaList listaFal;

int setupFala();
std::shared_ptr<TFala> createFala(float x, float y, float sig);
void _updateFale();
void _drawFale();
void resetFale();
