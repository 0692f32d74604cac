#pragma once
// The one rule for modal panels (assets/STYLE.md, "Overlays"): whatever stands behind a
// panel that asks or tells something is dimmed by the same amount of black over the whole
// 1024 x 768 picture, fading in and out with the panel. Screens that dim through their own
// fade (`dFade`) use this same value.

// Share of ink over the picture behind a panel that is fully shown.
inline constexpr float kModalDim = 0.5f;

// The dim at `shown` (0..1, the panel's own fade) of kModalDim; leaves alpha blending, scale
// 1, no rotation, white and alpha 1 current.
void drawModalDim(float shown = 1.0f);
