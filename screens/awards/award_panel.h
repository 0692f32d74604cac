#pragma once
// What the two award panels (granted, details) share: the slide of the panel and of its
// buttons from above, and the outlined description paragraph.
#include <string>

class TGui;

// The panel's centre y for an opacity: -16 hidden, 384 arrived.
float awardPanelY(float alpha);
// Puts the k-th button's box top at 520 + 60 k, raised by 400 x (1 - sin(90 x alpha)), and
// runs the layout.
void slideAwardButtons(TGui& gui, float alpha);
// `text` wrapped and centred in [left, left + width] from `top`, in the current font: a
// shadow at half `alpha`, a black outline at `alpha`, then white at `top`.
void drawAwardParagraph(const std::string& text, float left, float top, float width, float alpha);
