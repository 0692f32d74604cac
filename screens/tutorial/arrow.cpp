#include "screens/tutorial/arrow.h"

#include <cmath>

#include "app/ekran.h"
#include "gui/frame/deltatime.h"

std::array<TImage, 2> TArrow::img{};

namespace {
float sinDeg(float d) { return std::sin(d * 3.14159265358979f / 180.0f); }
float cosDeg(float d) { return std::cos(d * 3.14159265358979f / 180.0f); }
}  // namespace

int TArrow::update() {
    easeToward(a, dA, 0.05f, delta);
    easeToward(p, dP, 0.05f, delta);
    if (p == dP) dP = dP == 0 ? 1.0f : 0.0f;
    return 0;
}

int TArrow::draw() {
    const float s = sinDeg(90 * p);
    const float f = sinDeg(90 * a);
    SetColor(255, 255, 255);
    SetScale(0.9f + 0.1f * s, 0.7f + 0.3f * s);
    SetAlpha(f);
    SetRotation(rot);
    SetBlend(ALPHABLEND);
    const TImage& pic = img[size_t(n == 1 ? 1 : 0)];
    if (pic) DrawImage(pic, x + 25 * s * cosDeg(rot + 90), y + 25 * s * sinDeg(rot + 90));
    return 0;
}
