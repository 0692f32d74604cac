#include "effects/back_element.h"

#include <cmath>

#include "gui/frame/deltatime.h"
#include "gui/globals.h"
#include "platform/files.h"
#include "platform/strings.h"
#include "platform/system.h"

void TBackElement::reset() {
    typ = str::upper(typ);
    if (typ == "FISH") reset_fish();
}

void TBackElement::reset_fish() {
    if (Rand(0, 1) == 1) {
        x = x1;
        ax = float(Rnd(1, 1.5));
    } else {
        x = x2;
        ax = -1.5f;
    }
    ay = 0;
    y = float(Rand(int32_t(y1), int32_t(y2)));
}

void TBackElement::update() {
    // Still pictures have nothing to do (and would re-check their type every frame).
    if (ax == 0 && typ != "FISH") return;
    x += ax * delta;
    if (ax > 0 ? x > x2 : x < x1) reset();
}

// A swimmer faces its way (mirrored when swimming left). An element that never moves
// would have no width that way and sit at the screen's corner: it is shown unmirrored at
// its box's top-left corner instead.
void TBackElement::draw() {
    if (!img) return;
    SetColor(255, 255, 255);
    SetBlend(ALPHABLEND);
    SetRotation(r);
    SetAlpha(a);
    if (ax == 0) {
        SetScale(s, s);
        DrawImage(img, x1, y1);
        return;
    }
    SetScale(ax > 0 ? s : -s, s);
    DrawImage(img, x, y);
}

void _updateBackElement(TBackElementList& elements) {
    for (auto& e : elements)
        if (e) e->update();
}

void _drawBackElement(TBackElementList& elements) {
    for (auto& e : elements)
        if (e) e->draw();
}

std::shared_ptr<TBackElement> createBackElement(const std::string& url, const std::string& typ, float x1, float y1,
                                                float x2, float y2, float hx, float hy) {
    auto e = std::make_shared<TBackElement>();
    e->url = url;
    e->typ = typ;
    e->x1 = x1;
    e->y1 = y1;
    e->x2 = x2;
    e->y2 = y2;
    e->hx = hx;
    e->hy = hy;
    // The name comes from a level file, maybe the player's: it stays inside the asset tree.
    e->img = files::insideTree(url) ? LoadImage(bDir + url) : nullptr;
    if (e->img) SetImageHandle(e->img, hx, hy);
    e->reset();
    return e;
}
