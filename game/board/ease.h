#pragma once
// Animated values come in pairs, a value and its target. Each frame the value moves
// toward the target by a step and stops exactly on it, so tests (and the clue numbers)
// can compare it with the target for equality. Rounding of repeated float steps is
// absorbed: a value within a hair of its target lands on it.
#include <cmath>

inline void easeToward(float& value, float target, float step) {
    if (value < target) {
        value += step;
        if (value > target) value = target;
    } else if (value > target) {
        value -= step;
        if (value < target) value = target;
    }
    if (std::fabs(value - target) < 1e-5f) value = target;
}
