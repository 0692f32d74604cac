#pragma once
// The base of every widget: name, flags, box, eased opacity and scale, tint and the
// per-frame pointer state. update() is a widget's single per-frame entry: hit test, hot
// key, the kind's own step (chosen by the kind code), then easing.
#include <memory>
#include <string>
#include <typeinfo>

#include "gui/core/dim.h"

// Moves `v` toward `target` by `step` and stops on it; the easing every widget shares.
inline void guiEase(float& v, float target, float step) {
    if (v > target) {
        v -= step;
        if (v < target) v = target;
    }
    if (v < target) {
        v += step;
        if (v > target) v = target;
    }
}

// Kind codes, one per widget class.
constexpr int QGM_button = 0;
constexpr int QGM_textlist = 1;
constexpr int QGM_window = 2;
constexpr int QGM_text = 3;
constexpr int QGM_img = 4;
constexpr int QGM_counter = 5;
constexpr int QGM_cont = 6;
constexpr int QGM_anim = 7;
constexpr int QGM_suwak = 8;
constexpr int QGM_textEntry = 9;
constexpr int QGM_bar = 10;
constexpr int QGM_control = 11;

class TGuiObject {
public:
    TGuiObject();
    virtual ~TGuiObject() = default;
    TGuiObject(const TGuiObject&) = default;
    TGuiObject& operator=(const TGuiObject&) = default;

    std::string _id;                          // looked up without regard to case
    int _v = 1;                               // visible: drawn and hit-tested
    int _a = 1;                               // active: hit-tested, takes its hot key
    int _class = 0;                           // QGM_ kind code
    std::shared_ptr<TDim> dim = std::make_shared<TDim>();
    float _alpha = 1, _dAlpha = 1;            // opacity and its target
    float _scale = 1, _dScale = 1;            // scale and its target
    std::shared_ptr<TRGB> rgb = std::make_shared<TRGB>();
    int _over = 0;                            // pointer inside the box this frame
    int _clicked = 0;                         // clicked (or hot key hit) this frame
    int _holded = 0;                          // left button held over the widget
    float wzr = 0.03f;                        // easing step per unit of delta
    int _key = 0;                             // hot key, 0 = none

    virtual int move(float dx, float dy);
    // Left-top corner to (x, y); the distance is truncated to whole pixels first.
    virtual int setPosition(int x, int y);
    virtual int clear();
    // ox, oy: position of an enclosing container (0, 0 in a layout's own list).
    virtual int update(float ox, float oy);
    virtual int updateClass(int ox, int oy);
    virtual int updateParams();
    virtual int wygasAlpha();
    virtual int wygasScale();
    virtual int _drawFrame();
    virtual int draw(float ox, float oy);
    virtual int setKey(int key);
    virtual int setRGB(int r, int g, int b);
    virtual int setState(int v, int a);
    virtual int countDims();
    virtual int countDims2();

    // The kind's own per-frame step. updateClass calls it only for the kind codes that
    // have one (not for QGM_img, QGM_counter, QGM_cont).
    virtual int updateMe(float ox, float oy);

    // Layout reload: takes over the state of a freshly read widget of the same class, so
    // that references screens keep stay valid and see the new declaration. Kinds that
    // support it override this with adoptSame; false means "replace me instead".
    virtual bool adoptFrom(const TGuiObject& fresh);
};

// Copies `fresh` into `self` when both are exactly of class T, keeping self's box record
// (holders of the box keep seeing the widget's box).
template <class T>
bool adoptSame(T& self, const TGuiObject& fresh) {
    if (typeid(fresh) != typeid(self)) return false;
    std::shared_ptr<TDim> keep = self.dim;
    self = static_cast<const T&>(fresh);
    if (keep && self.dim) {
        *keep = *self.dim;
        self.dim = keep;
    }
    return true;
}
