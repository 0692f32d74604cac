#include "screens/awards/award_panel.h"

#include <cmath>

#include "gui/core/gui.h"
#include "gui/core/guiobject.h"
#include "gui/frame/fontcache.h"
#include "gui/globals.h"
#include "gui/text/draw.h"
#include "gui/text/type_style.h"

namespace {

constexpr float kPi = 3.14159265358979f;

// 1 - sin(90 degrees x alpha): 1 while hidden, 0 once arrived.
float hiddenPart(float alpha) { return 1.0f - std::sin(alpha * kPi / 2.0f); }

}  // namespace

int TAwardPanel::_setupPanel(const std::string& name) {
    panel = LoadImage(bDir + "gfx/gui/" + name + "/panel.png");
    if (panel) MidHandleImage(panel);
    Gui = loadGui(bDir + "gfx/gui/" + name + "/" + name + ".gui");
    font = myLoadImageFont(bDir + "gfx/fonts/berry.ttf", 24);
    font2 = myLoadImageFont(bDir + "gfx/fonts/berry.ttf", 18);
    return 0;
}

int TAwardPanel::_preparePanel(const std::shared_ptr<TAwardRecord>& a, TEkran* caller) {
    dAlpha = 1;
    alpha = 0;
    dFade = 0.5f;
    fade = 0;
    wynik.clear();
    award = a;
    ekran = caller;
    return 0;
}

float TAwardPanel::panelY(float a) { return 384.0f - 400.0f * hiddenPart(a); }

int TAwardPanel::_updateGUI() {
    if (!Gui) return 0;
    const float t = hiddenPart(alpha);
    int k = 0;
    for (const auto& w : Gui->_listaObiektow) {
        if (!w) continue;
        // The buttons are part of the panel: they fade with it as they slide.
        w->_alpha = w->_dAlpha = alpha;
        if (w->_class != QGM_button) continue;
        // The box's top goes to the slot; the widget's point keeps its distance to it.
        const float handle = w->dim->y - w->dim->y1;
        w->dim->y = 520.0f + 60.0f * float(k) - 400.0f * t + handle;
        w->countDims();
        ++k;
    }
    Gui->update();
    return 0;
}

int TAwardPanel::_drawBack() {
    if (ekran) ekran->draw();
    SetColor(255, 255, 255);
    SetBlend(ALPHABLEND);
    SetRotation(0);
    SetScale(1, 1);
    SetAlpha(alpha);
    return 0;
}

int TAwardPanel::_drawMyText(const std::string& text, float x, float y, const TRGB& c, float a) {
    drawShadowedText(text, x, y, c, a * alpha);
    return 0;
}

int TAwardPanel::_drawPanel() {
    _drawFade();
    SetColor(255, 255, 255);
    SetBlend(ALPHABLEND);
    SetRotation(0);
    SetScale(1, 1);
    SetAlpha(alpha);
    const float y = panelY(alpha);
    if (panel) DrawImage(panel, centreX, y);
    _drawAward(y);
    return 0;
}

int TAwardPanel::draw() {
    _drawBack();
    _drawPanel();
    _drawGui();
    _drawMouse();
    return 0;
}

void drawAwardParagraph(const std::string& text, float left, float top, float width, float alpha) {
    SetColor(typestyle::kInk.r, typestyle::kInk.g, typestyle::kInk.b);
    SetBlend(ALPHABLEND);
    struct Pass {
        float a, dy, dw;
    };
    const Pass passes[] = {{0.5f, 2, 2}, {1, -1, -1}, {1, 1, -1}, {1, -1, 1}, {1, 1, 1}};
    for (const Pass& p : passes) {
        SetAlpha(p.a * alpha);
        drawSpecText(text, int(left), int(top + p.dy), width + p.dw, "CENTER", -1, nullptr, 1);
    }
    SetColor(typestyle::kBody.r, typestyle::kBody.g, typestyle::kBody.b);
    drawSpecText(text, int(left), int(top), width, "CENTER", -1, nullptr, 1);
}
