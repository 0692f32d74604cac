#pragma once
// The curve and angle helpers the effects share: every flight follows a quadratic Bezier
// curve from a start point through a control point's pull to an end point.
#include <cmath>

namespace fx {

constexpr float kDegToRad = 3.14159265358979f / 180.0f;

inline float sinDeg(float d) { return std::sin(d * kDegToRad); }

// The point at t (0..1) on the curve from p0 to p1 pulled toward c.
inline float bezier(float p0, float c, float p1, float t) {
    return p0 + 2 * t * (c - p0) + t * t * (p1 - 2 * c + p0);
}

}  // namespace fx
