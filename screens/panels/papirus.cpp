#include "screens/panels/papirus.h"

#include <cmath>

#include "app/ekran.h"
#include "gui/frame/deltatime.h"
#include "gui/globals.h"
#include "gui/text/split.h"

TImage TPapirus::lewoGora, TPapirus::srodekGora, TPapirus::prawoGora;
TImage TPapirus::lewoDol, TPapirus::srodekDol, TPapirus::prawoDol;
TImage TPapirus::srodekLewo, TPapirus::srodekPrawo, TPapirus::srodekSrodek;

namespace {

constexpr float kUnrollSpeed = 0.08f;
constexpr float kFadeSpeed = 0.07f;
// Where the pieces meet: the rows start under the top roll, the bottom roll tucks 10 px up.
constexpr float kRowX = 31;
constexpr float kRowY = 52;
constexpr float kRollLift = 10;

float sin90(float v) { return float(std::sin(double(v) * M_PI / 2.0)); }

int w(const TImage& img) { return img ? ImageWidth(img) : 0; }
int h(const TImage& img) { return img ? ImageHeight(img) : 0; }

void put(const TImage& img, float px, float py) {
    if (img) DrawImage(img, px, py);
}

// A roll: its left end at (px, py), width + 1 middle pieces sitting 2 px lower, its right end.
void putRoll(const TImage& left, const TImage& middle, const TImage& right, float px, float py,
             int32_t width) {
    const float start = px + float(w(left));
    const float cellW = float(w(middle));
    put(left, px, py);
    for (int32_t i = 0; i <= width; ++i) put(middle, start + float(i) * cellW, py + 2);
    put(right, start + float(width + 1) * cellW, py);
}

}  // namespace

int TPapirus::setup() {
    struct Piece {
        TImage* img;
        const char* file;
    } pieces[] = {
        {&lewoGora, "gora-lewo.png"},      {&srodekGora, "gora-srodek.png"},
        {&prawoGora, "gora-prawo.png"},    {&srodekLewo, "srodek-lewo.png"},
        {&srodekSrodek, "srodek-srodek.png"}, {&srodekPrawo, "srodek-prawo.png"},
        {&lewoDol, "dol-lewo.png"},        {&srodekDol, "dol-srodek.png"},
        {&prawoDol, "dol-prawo.png"},
    };
    int missing = 0;
    for (const Piece& p : pieces) {
        *p.img = LoadImage(bDir + "gfx/gui/papirus/" + p.file);
        if (!*p.img) {
            ++missing;
            errorMsg("Parchment piece missing: " + bDir + "gfx/gui/papirus/" + p.file);
        }
    }
    return missing;
}

void TPapirus::reset() {
    lewoGora = srodekGora = prawoGora = TImage();
    lewoDol = srodekDol = prawoDol = TImage();
    srodekLewo = srodekPrawo = srodekSrodek = TImage();
}

// ---- motion ------------------------------------------------------------------------------

int TPapirus::_updatePer() {
    easeToward(per, dPer, kUnrollSpeed, delta);
    return 0;
}

int TPapirus::_update_STATE_start() {
    da = 1;
    // Unrolls only once fully faded in.
    if (a == 1) dPer = 1;
    return 0;
}

int TPapirus::_update_STATE_Hide() {
    dPer = 0;
    // Fades out only once rolled up.
    if (per == 0) da = 0;
    return 0;
}

int TPapirus::_updateState() {
    if (state == "START") return _update_STATE_start();
    if (state == "HIDE") return _update_STATE_Hide();
    return 0;
}

int TPapirus::_updateAlpha() {
    easeToward(a, da, kFadeSpeed, delta);
    return 0;
}

int TPapirus::update() {
    _updatePer();
    _updateState();
    _updateAlpha();
    return 0;
}

int TPapirus::start(int32_t px, int32_t py, int32_t pw, int32_t ph) {
    x = float(px);
    y = float(py);
    width = pw;
    height = ph;
    per = dPer = a = da = 0;
    state = "START";
    return 0;
}

int TPapirus::hide() {
    state = "HIDE";
    return 0;
}

// ---- drawing -----------------------------------------------------------------------------

int32_t TPapirus::visibleRows() const {
    if (a < 1) return 0;
    return int32_t(float(height) * sin90(per)) + 1;
}

float TPapirus::bottomRollY() const {
    const float o = float(height) * float(h(srodekSrodek)) * sin90(per) - kRollLift;
    return y + float(h(lewoDol)) + o;
}

int TPapirus::_drawSrodek() {
    SetAlpha(sin90(a));
    const int32_t rows = visibleRows();
    const float rowH = float(h(srodekSrodek));
    const float innerX = x + kRowX + float(w(srodekLewo));
    const float cellW = float(w(srodekSrodek));
    for (int32_t j = 0; j < rows; ++j) {
        const float top = y + kRowY + float(j) * rowH;
        put(srodekLewo, x + kRowX, top);
        for (int32_t i = 0; i <= width; ++i) put(srodekSrodek, innerX + float(i) * cellW, top);
        put(srodekPrawo, innerX + float(width + 1) * cellW, top);
    }
    return 0;
}

int TPapirus::_drawGora() {
    putRoll(lewoGora, srodekGora, prawoGora, x, y, width);
    return 0;
}

int TPapirus::_drawDol() {
    putRoll(lewoDol, srodekDol, prawoDol, x, bottomRollY(), width);
    return 0;
}

int TPapirus::draw() {
    // Rows first: the rolls cover their ends.
    _drawSrodek();
    _drawGora();
    _drawDol();
    return 0;
}
