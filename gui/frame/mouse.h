#pragma once
// The program's one mouse, polled once per frame into plain fields in picture
// coordinates, and its named cursor pictures.
#include <memory>
#include <string>
#include <vector>

#include "gui/core/dim.h"
#include "platform/graphics.h"

class TCursor {
public:
    virtual ~TCursor() = default;
    // Draws the picture with its hot spot at (x, y); leaves colour white, scale 1, alpha 1.
    virtual int draw(int x, int y);
    // Advances an animated cursor on the application clock; 1 when it advanced.
    virtual int update();

    std::string _id;
    TImage _img;          // single image or strip; null when the file could not be loaded
    int _time = 0;        // application-clock time at which the next frame is due
    int _timeDelta = 0;   // ms per frame; 0 = not animated
    int _frame = 0;
    int _maxFrames = 0;   // index of the last frame
    int _hx = 0;
    int _hy = 0;
};

class TMouse {
public:
    TMouse();
    virtual ~TMouse();
    TMouse(const TMouse&) = delete;
    TMouse& operator=(const TMouse&) = delete;

    // Absolute ms since the left button went down (meaningful with updateSpec only).
    virtual int getHoldedTime();
    // Poll where a press counts as a click only when released within 200 ms, and as a
    // hold only after 200 ms.
    virtual int updateSpec();
    // The per-frame poll.
    virtual int update();
    virtual int draw();
    virtual int show();
    virtual int hide();
    // Inclusive at both ends.
    virtual int inRect(int rx, int ry, int rw, int rh);
    virtual int inDim(const TDim& d);
    // Registers a cursor and makes it current. frames > 1 cuts the file into a strip of
    // that many equal frames shown timeDelta ms each.
    virtual int loadCursor(const std::string& id, const std::string& path, int hx, int hy,
                           int frames, int timeDelta);
    virtual int loadCursor(const std::string& id, const TImage& img, int hx, int hy, int frames,
                           int timeDelta);
    // Case-insensitive; the last registered match wins; unknown names keep the current one.
    virtual int setCursor(const std::string& id);
    // Forgets pending presses so that a click is not taken twice across a state change.
    virtual int clear();

    // Back to a fresh mouse (no cursors, fields zero): for tests.
    void reset();

    std::vector<std::shared_ptr<TCursor>> listaKursorow;
    int x = 0, y = 0;
    int px = 0, py = 0;
    int vx = 0, vy = 0;  // previous minus current
    int leftPressed = 0, rightPressed = 0;
    int leftHolded = 0, rightHolded = 0;
    int middleHit = 0, middleHold = 0;
    int _v = 1;
    std::shared_ptr<TCursor> cur;
    int noAspect = 0;
    TImage point;
    int _leftHolded = 0;
    int _leftHoldedTime = 0;
    int _rightHolded = 0;
    int _rightHoldedTime = 0;
    float z = 0, pz = 0, vz = 0;

    static TMouse* _m;  // the most recently constructed mouse

private:
    void afterPoll();
};

// The one mouse of the program.
extern TMouse mouse;
// The toolkit's way to the one mouse.
TMouse& _mysz();
int _drawMouse();

// The two settings the mouse reads every frame (full screen keeps the pointer on the
// picture; custom cursor draws our own picture instead of the system pointer). The
// settings object points these at its own fields; both read 0 until then.
void SetMouseOptionSource(const int* fullScreen, const int* customCursor);

// Cursors the game registers at start-up, in order (files under "gfx/gui/mouse/").
struct TCursorFile {
    const char* name;
    const char* file;
    int hx, hy;
};
extern const std::vector<TCursorFile> gameCursorFiles;

// Fresh mouse, no cursors, option source back to zeros: for tests between cases.
void ResetMouseState();
