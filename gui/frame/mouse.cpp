#include "gui/frame/mouse.h"

#include <cstdlib>

#include "gui/frame/letterbox.h"
#include "gui/frame/deltatime.h"
#include "platform/input.h"
#include "platform/strings.h"
#include "platform/system.h"

TMouse* TMouse::_m = nullptr;
TMouse mouse;

namespace {

const int kNoOption = 0;
const int* optFullScreen = &kNoOption;
const int* optCustomCursor = &kNoOption;

// Power-up cursors that are drawn over the system pointer when the custom cursor is off.
// "OKO-0" is included so the eye tool shows its cursor on the largest board size too.
const char* const kOverlayCursors[] = {
    "OKO-0",     "OKO-1",     "OKO-2",     "OKO-3",     "OKO-4",
    "CZASZKA-0", "CZASZKA-1", "CZASZKA-2", "CZASZKA-3", "CZASZKA-4",
    "MAPA-0",    "MAPA-1",    "MAPA-2",    "MAPA-3",    "MAPA-4",
};

bool isOverlayCursor(const std::string& id) {
    for (const char* name : kOverlayCursors)
        if (id == name) return true;
    return false;
}

const int kClickHoldMs = 200;

}  // namespace

const std::vector<TCursorFile> gameCursorFiles = {
    {"HOOK", "hook.png", 10, 12},          {"HAND", "hand.png", 2, 2},
    {"OKO-0", "oko.png", 18, 17},          {"OKO-1", "oko-1.png", 11, 11},
    {"OKO-2", "oko-2.png", 9, 8},          {"OKO-3", "oko-3.png", 8, 8},
    {"OKO-4", "oko-4.png", 6, 7},          {"CZASZKA-0", "czaszka.png", 21, 17},
    {"CZASZKA-1", "czaszka-1.png", 16, 15}, {"CZASZKA-2", "czaszka-2.png", 13, 11},
    {"CZASZKA-3", "czaszka-3.png", 9, 10}, {"CZASZKA-4", "czaszka-4.png", 8, 6},
    {"MAPA-0", "mapa.png", 13, 13},        {"MAPA-1", "mapa-1.png", 10, 9},
    {"MAPA-2", "mapa-2.png", 8, 8},        {"MAPA-3", "mapa-3.png", 6, 4},
    {"MAPA-4", "mapa-4.png", 5, 4},
};

// ---- TCursor ---------------------------------------------------------------------------

int TCursor::draw(int cx, int cy) {
    SetColor(255, 255, 255);
    SetScale(1, 1);
    SetAlpha(1);
    if (!_img) return 0;
    DrawImage(_img, float(cx), float(cy), (_frame > 0 && _maxFrames > 0) ? _frame : 0);
    return 0;
}

int TCursor::update() {
    if (_timeDelta > 0 && _maxFrames > 0 && appTimer() >= double(_time)) {
        _time = int(appTimer() + _timeDelta);
        if (++_frame > _maxFrames) _frame = 0;
        return 1;
    }
    return 0;
}

// ---- TMouse ----------------------------------------------------------------------------

TMouse::TMouse() { _m = this; }

TMouse::~TMouse() {
    if (_m == this) _m = nullptr;
}

void TMouse::reset() {
    listaKursorow.clear();
    x = y = px = py = vx = vy = 0;
    leftPressed = rightPressed = leftHolded = rightHolded = 0;
    middleHit = middleHold = 0;
    _v = 1;
    cur.reset();
    noAspect = 0;
    point.reset();
    _leftHolded = _leftHoldedTime = _rightHolded = _rightHoldedTime = 0;
    z = pz = vz = 0;
}

int TMouse::getHoldedTime() { return std::abs(_leftHoldedTime - Millisecs()); }

void TMouse::afterPoll() {
    x = int(AspectMouseX());
    y = int(AspectMouseY());
    if (*optFullScreen != 0) {
        if (x < 0) {
            x = 0;
            MoveAspectMouse(0, float(y));
        }
        if (x > 1023) {
            x = 1023;
            MoveAspectMouse(1023, float(y));
        }
        if (y < 0) {
            y = 0;
            MoveAspectMouse(float(x), 0);
        }
        if (y > 767) {
            y = 767;
            MoveAspectMouse(float(x), 767);
        }
    }
    vx = px - x;
    vy = py - y;
}

int TMouse::update() {
    leftPressed = MouseHit(1);
    rightPressed = MouseHit(2);
    leftHolded = MouseDown(1) ? 1 : 0;
    rightHolded = MouseDown(2) ? 1 : 0;
    // A click pressed and released between two frames still counts as held for one frame.
    if (leftPressed) leftHolded = 1;
    if (rightPressed) rightHolded = 1;
    px = x;
    py = y;
    pz = z;
    afterPoll();
    z = float(MouseZ());
    vz = pz - z;
    if (cur) cur->update();
    return 0;
}

int TMouse::updateSpec() {
    leftPressed = MouseHit(1);
    rightPressed = MouseHit(2);
    leftHolded = MouseDown(1) ? 1 : 0;
    rightHolded = MouseDown(2) ? 1 : 0;
    const int now = Millisecs();
    if (MouseDown(1)) {
        leftPressed = 0;
        if (!_leftHolded) {
            _leftHolded = 1;
            _leftHoldedTime = now;
        }
        leftHolded = (now - _leftHoldedTime > kClickHoldMs) ? 1 : 0;
    } else if (_leftHolded) {
        leftHolded = 0;
        _leftHolded = 0;
        if (now - _leftHoldedTime < kClickHoldMs)
            leftPressed = 1;
        else
            Print("MILLISECS : " + str::formatInt(now - _leftHoldedTime));
    }
    px = x;
    py = y;
    afterPoll();
    if (cur) cur->update();
    return 0;
}

int TMouse::draw() {
    SetRotation(0);
    SetBlend(ALPHABLEND);
    if (*optCustomCursor == 0) {
        ShowMouse();
        if (cur && isOverlayCursor(cur->_id)) cur->draw(x, y);
    } else {
        HideMouse();
        if (cur) cur->draw(x, y);
    }
    return 0;
}

int TMouse::show() {
    _v = 1;
    return 0;
}

int TMouse::hide() {
    _v = 0;
    return 0;
}

int TMouse::inRect(int rx, int ry, int rw, int rh) {
    return (rx <= x && x <= rx + rw && ry <= y && y <= ry + rh) ? 1 : 0;
}

int TMouse::inDim(const TDim& d) {
    const float fx = float(x), fy = float(y);
    return (d.x <= fx && fx <= d.x + d.w && d.y <= fy && fy <= d.y + d.h) ? 1 : 0;
}

int TMouse::loadCursor(const std::string& id, const std::string& path, int hx, int hy,
                       int frames, int timeDelta) {
    auto c = std::make_shared<TCursor>();
    c->_id = id;
    c->_hx = hx;
    c->_hy = hy;
    TImage img = LoadImage(path);
    if (img && frames > 1) {
        const int fw = ImageWidth(img) / frames;
        const int fh = ImageHeight(img);
        TImage strip = fw > 0 ? LoadAnimImage(path, fw, fh, 0, frames) : nullptr;
        if (strip) {
            c->_img = strip;
            c->_maxFrames = frames - 1;
            c->_timeDelta = timeDelta;
        } else {
            c->_img = img;  // the strip could not be cut: show the file as one picture
        }
    } else {
        c->_img = img;
    }
    listaKursorow.push_back(c);
    cur = c;
    if (c->_img) SetImageHandle(c->_img, float(hx), float(hy));
    return 0;
}

int TMouse::loadCursor(const std::string& id, const TImage& img, int hx, int hy, int /*frames*/,
                       int /*timeDelta*/) {
    auto c = std::make_shared<TCursor>();
    c->_id = id;
    c->_hx = hx;
    c->_hy = hy;
    c->_img = img;
    listaKursorow.push_back(c);
    cur = c;
    if (c->_img) SetImageHandle(c->_img, float(hx), float(hy));
    return 0;
}

int TMouse::setCursor(const std::string& id) {
    const std::string want = str::upper(id);
    for (const auto& c : listaKursorow)
        if (str::upper(c->_id) == want) cur = c;
    return 0;
}

int TMouse::clear() {
    FlushMouse();
    leftPressed = leftHolded = rightPressed = rightHolded = 0;
    return 0;
}

// ---- free functions --------------------------------------------------------------------

TMouse& _mysz() { return TMouse::_m ? *TMouse::_m : mouse; }

int _drawMouse() { return _mysz().draw(); }

void SetMouseOptionSource(const int* fullScreen, const int* customCursor) {
    optFullScreen = fullScreen ? fullScreen : &kNoOption;
    optCustomCursor = customCursor ? customCursor : &kNoOption;
}

void ResetMouseState() {
    mouse.reset();
    TMouse::_m = &mouse;
    SetMouseOptionSource(nullptr, nullptr);
}
