#pragma once
// The drawing state every story picture starts from, and a draw that skips a picture that
// did not load (the story screens draw what they have and never stop on a missing file).
#include "platform/graphics.h"

namespace story {

// White, alpha blending, the given opacity, scale on both axes and rotation.
inline void whiteAt(float alpha, float scale = 1, float rotation = 0) {
    SetColor(255, 255, 255);
    SetBlend(ALPHABLEND);
    SetAlpha(alpha);
    SetScale(scale, scale);
    SetRotation(rotation);
}

inline void drawIf(const TImage& img, float x, float y) {
    if (img) DrawImage(img, x, y);
}

}  // namespace story
