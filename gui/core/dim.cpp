#include "gui/core/dim.h"

int TDim::update() {
    x1 = x;
    y1 = y;
    x2 = x + w;
    y2 = y + h;
    return 0;
}

std::shared_ptr<TDim> createDim(int32_t x, int32_t y, int32_t w, int32_t h) {
    auto d = std::make_shared<TDim>();
    d->x = static_cast<float>(x);
    d->y = static_cast<float>(y);
    d->w = static_cast<float>(w);
    d->h = static_cast<float>(h);
    d->update();
    return d;
}

std::shared_ptr<TDim> createSimpleDim(int32_t x, int32_t y) {
    auto d = std::make_shared<TDim>();
    d->x = static_cast<float>(x);
    d->y = static_cast<float>(y);
    return d;
}

std::shared_ptr<TRGB> createRGB(int32_t r, int32_t g, int32_t b) {
    auto c = std::make_shared<TRGB>();
    c->r = r;
    c->g = g;
    c->b = b;
    return c;
}
