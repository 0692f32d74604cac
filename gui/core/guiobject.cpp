#include "gui/core/guiobject.h"

#include "gui/frame/deltatime.h"
#include "gui/frame/mouse.h"
#include "platform/graphics.h"
#include "platform/input.h"

TGuiObject::TGuiObject() { clear(); }

int TGuiObject::move(float dx, float dy) {
    if (!dim) dim = std::make_shared<TDim>();
    dim->x += dx;
    dim->x1 += dx;
    dim->x2 += dx;
    dim->y += dy;
    dim->y1 += dy;
    dim->y2 += dy;
    return 0;
}

int TGuiObject::setPosition(int x, int y) {
    if (!dim) dim = std::make_shared<TDim>();
    return move(float(int(float(x) - dim->x)), float(int(float(y) - dim->y)));
}

int TGuiObject::clear() {
    _v = 1;
    _a = 1;
    _over = 0;
    _clicked = 0;
    return 0;
}

int TGuiObject::update(float ox, float oy) {
    const TMouse& m = _mysz();
    if (_v && _a && dim) {
        const float mx = float(m.x), my = float(m.y);
        if (mx >= dim->x1 + ox && mx <= dim->x2 + ox && my >= dim->y1 + oy &&
            my <= dim->y2 + oy) {
            _over = 1;
            _clicked = m.leftPressed ? 1 : 0;
            _holded = m.leftHolded ? 1 : 0;
        } else {
            _over = 0;
            _clicked = 0;
        }
    } else {
        _over = 0;
        _clicked = 0;
    }
    // Only the active flag counts: a hidden but active widget still answers its key.
    if (_a && _key != 0 && KeyHit(_key)) {
        _clicked = 1;
        _over = 1;
    }
    updateClass(int(ox), int(oy));
    updateParams();
    return 0;
}

int TGuiObject::updateClass(int ox, int oy) {
    switch (_class) {
        case QGM_button:
        case QGM_window:
        case QGM_suwak:
        case QGM_textEntry:
        case QGM_text:
        case QGM_control:
        case QGM_anim:
        case QGM_bar:
        case QGM_textlist:
            updateMe(float(ox), float(oy));
            break;
        default:
            break;
    }
    return 0;
}

int TGuiObject::updateParams() {
    const float step = wzr * delta;
    guiEase(_scale, _dScale, step);
    guiEase(_alpha, _dAlpha, step);
    return 0;
}

int TGuiObject::wygasAlpha() {
    _dAlpha = 0;
    return 0;
}

int TGuiObject::wygasScale() {
    _dScale = 0;
    return 0;
}

int TGuiObject::_drawFrame() {
    SetColor(255, 0, 0);
    SetAlpha(1);
    SetScale(1, 1);
    if (dim) {
        DrawLine(dim->x1, dim->y1, dim->x2, dim->y1, true);
        DrawLine(dim->x2, dim->y1, dim->x2, dim->y2, true);
        DrawLine(dim->x2, dim->y2, dim->x1, dim->y2, true);
        DrawLine(dim->x1, dim->y2, dim->x1, dim->y1, true);
    }
    SetColor(255, 255, 255);
    return 0;
}

int TGuiObject::draw(float, float) { return 0; }

int TGuiObject::setKey(int key) {
    _key = key;
    return 0;
}

int TGuiObject::setRGB(int r, int g, int b) {
    if (!rgb) rgb = std::make_shared<TRGB>();
    rgb->r = r;
    rgb->g = g;
    rgb->b = b;
    return 0;
}

int TGuiObject::setState(int v, int a) {
    _v = v;
    _a = a;
    return 0;
}

int TGuiObject::countDims() { return 0; }
int TGuiObject::countDims2() { return 0; }
int TGuiObject::updateMe(float, float) { return 0; }
bool TGuiObject::adoptFrom(const TGuiObject&) { return false; }
