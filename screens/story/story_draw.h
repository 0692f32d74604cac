#pragma once
// The drawing state every story picture starts from, and a draw that skips a picture that
// did not load (the story screens draw what they have and never stop on a missing file).
#include "gui/text/type_style.h"
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

// The bars that slide in over a frozen screen (a dialogue, the story-map interlude): `h`
// rows (up to 200) from the top and from the bottom of the picture, at opacity `alpha`.
// `bands` holds the two wood bands one above the other (rows 0..200 the top one, its gold
// edge at its foot; rows 200..400 the bottom one, its gold edge on top), so each bar shows
// the part of its band nearest the middle and the gold edge leads as it slides in. Without
// the picture the bars are flat ink.
inline void drawSlideBars(const TImage& bands, float h, float alpha) {
    SetBlend(ALPHABLEND);
    SetScale(1, 1);
    SetRotation(0);
    SetAlpha(alpha);
    if (h <= 0) return;
    if (bands) {
        SetColor(255, 255, 255);
        DrawSubImageRect(bands, 0, 0, 1024, h, 0, 200 - h, 1024, h);
        DrawSubImageRect(bands, 0, 768 - h, 1024, h, 0, 200, 1024, h);
        return;
    }
    SetColor(typestyle::kInk.r, typestyle::kInk.g, typestyle::kInk.b);
    DrawRect(0, 0, 1024, h);
    DrawRect(0, 768 - h, 1024, h);
}

}  // namespace story
