#include "screens/awards/award_panel.h"

#include <cmath>

#include "gui/core/gui.h"
#include "gui/core/guiobject.h"
#include "gui/text/draw.h"
#include "platform/graphics.h"

namespace {

constexpr float kPi = 3.14159265358979f;

// 1 - sin(90 degrees x alpha): 1 while hidden, 0 once arrived.
float hiddenPart(float alpha) { return 1.0f - std::sin(alpha * kPi / 2.0f); }

}  // namespace

float awardPanelY(float alpha) { return 384.0f - 400.0f * hiddenPart(alpha); }

void slideAwardButtons(TGui& gui, float alpha) {
    const float t = hiddenPart(alpha);
    int k = 0;
    for (const auto& w : gui._listaObiektow) {
        if (!w || w->_class != QGM_button) continue;
        // The box's top goes to the slot; the widget's point keeps its distance to it.
        const float handle = w->dim->y - w->dim->y1;
        w->dim->y = 520.0f + 60.0f * float(k) - 400.0f * t + handle;
        w->countDims();
        ++k;
    }
    gui.update();
}

void drawAwardParagraph(const std::string& text, float left, float top, float width, float alpha) {
    SetColor(0, 0, 0);
    SetBlend(ALPHABLEND);
    struct Pass {
        float a, dy, dw;
    };
    const Pass passes[] = {{0.5f, 2, 2}, {1, -1, -1}, {1, 1, -1}, {1, -1, 1}, {1, 1, 1}};
    for (const Pass& p : passes) {
        SetAlpha(p.a * alpha);
        drawSpecText(text, int(left), int(top + p.dy), width + p.dw, "CENTER", -1, nullptr, 1);
    }
    SetColor(255, 255, 255);
    drawSpecText(text, int(left), int(top), width, "CENTER", -1, nullptr, 1);
}
