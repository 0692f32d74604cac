// The tip's box: layout from its anchor and picture, and drawing.
#include <cmath>

#include "app/ekran.h"
#include "gui/core/gui.h"
#include "gui/text/draw.h"
#include "gui/text/type_style.h"
#include "screens/tutorial/arrow.h"
#include "screens/tutorial/posibility.h"
#include "screens/tutorial/tutorial_tip.h"

namespace {

float sinDeg(float d) { return std::sin(d * 3.14159265358979f / 180.0f); }

bool autoPlaced(const TDim& d) { return d.x == -2500 && d.y == -2500; }

// Lays the paragraph out unseen and gives its height.
int paragraphHeight(const std::string& text, float width, const TImageFont& font) {
    const float keep = GetAlpha();
    SetAlpha(0);
    const int h = drawSpecText(text, 0, 0, width, "LEFT", 0, font, 1);
    SetAlpha(keep);
    return h;
}

}  // namespace

int TTutorialTip::countDims() {
    if (!dim) dim = createSimpleDim(400, 300);
    SetScale(1, 1);
    SetRotation(0);
    SetImageFont(font);
    const int W = back ? ImageWidth(back) : 0;
    const int TH = TextHeight("A");
    tw = float(W - 90);
    const float h = float(paragraphHeight(txt, tw, font) + 2 * TH);
    tx = dim->x - float((W - 90) / 2);
    ty = dim->y - (h / 2 + 35) + float(2 * TH);
    titleX = dim->x;
    titleY = dim->y - float(titleOffset);
    return 0;
}

std::shared_ptr<TDim> TTutorialTip::countAutoDims() { return createSimpleDim(400, 300); }

std::shared_ptr<TDim> TTutorialTip::countToPuzzlePos(const TDim& point) {
    const int W = back ? ImageWidth(back) : 0, H = back ? ImageHeight(back) : 0;
    const int hw = (W + 60) / 2, hh = (H + 60) / 2;
    const float x = point.x <= 386 ? point.x + float(hw + 20) : float(int(point.x - float(hw) - 20));
    auto out = std::make_shared<TDim>();
    out->x = x;
    out->y = float(hh + 20);
    return out;
}

std::shared_ptr<TDim> TTutorialTip::countProperPosition(const std::shared_ptr<TDim>& point) {
    const int W = back ? ImageWidth(back) : 0, H = back ? ImageHeight(back) : 0;
    const int hw = (W + 60) / 2, hh = (H + 60) / 2;
    point->x -= float(hw);
    point->y -= float(hh);
    if (int(point->x - float(hw / 2)) < 0) point->x += float(2 * hw);
    if (int(point->y - float(hh / 2)) < 0) point->y += float(2 * hh);
    return point;
}

int TTutorialTip::_drawBack() {
    const float f = sinDeg(90 * a);
    SetAlpha(f);
    SetScale(1, 1);
    SetRotation(0);
    SetBlend(ALPHABLEND);
    SetColor(255, 255, 255);
    if (back) DrawImage(back, dim->x, dim->y);
    const int H = back ? ImageHeight(back) : 0;
    if (auto ok = gui ? gui->getItem("ok") : nullptr) {
        ok->dim->x = dim->x;
        ok->dim->y = dim->y + float(H / 2 - 40);
        ok->countDims();
    }
    SetImageFont(font);
    drawShadowedText(title, titleX - float(TextWidth(title) / 2), titleY, typestyle::kGold, f);
    SetColor(255, 255, 255);
    return 0;
}

int TTutorialTip::_drawTxt() {
    const float s = sinDeg(90 * a);
    SetAlpha(0.4f * s);
    SetColor(typestyle::kInk.r, typestyle::kInk.g, typestyle::kInk.b);
    drawSpecText(txt, int(tx + 2), int(ty + 2), tw, "CENTER", 0, font, 1);
    SetAlpha(s);
    SetColor(typestyle::kBody.r, typestyle::kBody.g, typestyle::kBody.b);
    drawSpecText(txt, int(tx), int(ty), tw, "CENTER", 0, font, 1);
    SetColor(255, 255, 255);
    return 0;
}

int TTutorialTip::_drawPosibility() {
    if (actPosibility) actPosibility->draw();
    return 0;
}

int TTutorialTip::_drawArrows() {
    for (auto& arrow : arrows) arrow->draw();
    return 0;
}

int TTutorialTip::draw(TEkran&) {
    if (a == 0) return 0;
    if (!dim) dim = createSimpleDim(400, 300);
    if (autoPlaced(*dim)) {
        dim = countAutoDims();
        countDims();
    }
    _drawBack();
    _drawTxt();
    _drawPosibility();
    _drawArrows();
    SetScale(1, 1);
    SetRotation(0);
    SetAlpha(1);
    if (gui) gui->draw();
    return 0;
}
