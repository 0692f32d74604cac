#include "gui/frame/modal.h"

#include <algorithm>

#include "platform/graphics.h"

void drawModalDim(float shown) {
    SetBlend(ALPHABLEND);
    SetScale(1, 1);
    SetRotation(0);
    SetColor(0, 0, 0);
    SetAlpha(kModalDim * std::clamp(shown, 0.0f, 1.0f));
    DrawRect(0, 0, 1024, 768);
    SetColor(255, 255, 255);
    SetAlpha(1);
}
