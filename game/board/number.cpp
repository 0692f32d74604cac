#include "game/board/number.h"

#include <algorithm>

#include "game/board/ease.h"
#include "game/board/level.h"
#include "game/board/links.h"
#include "game/board/tile.h"
#include "gui/frame/deltatime.h"
#include "gui/frame/mouse.h"
#include "gui/globals.h"
#include "platform/strings.h"
#include "platform/system.h"

std::array<std::array<TImage, 10>, kTileSizeClasses> TNumber::num;

namespace {

// The settled strength of a resolved run.
constexpr float kResolvedAlpha = 0.3f;
// Boards up to this many rows and columns never zoom a hovered number.
constexpr int kNoZoomSide = 10;

const char* const kSizeNames[kTileSizeClasses] = {"50", "36", "30", "24", "20"};

// Digit image of one character; null for anything but '0'..'9'.
const TImage& digitImage(char ch, int size) {
    static const TImage none;
    if (ch < '0' || ch > '9') return none;
    return TNumber::num[size_t(clampSizeClass(size))][size_t(ch - '0')];
}

}  // namespace

void resetNumberImages() {
    for (auto& row : TNumber::num) row = {};
}

int setupNumbers() {
    std::string firstMissing;
    int missing = 0;
    for (int s = 0; s < kTileSizeClasses; ++s) {
        for (int d = 0; d < 10; ++d) {
            const std::string path =
                bDir + "gfx/numbers/" + str::formatInt(d) + "-" + kSizeNames[s] + ".png";
            TImage img = LoadImage(path);
            if (img) {
                // A digit is placed by the middle of its left edge.
                SetImageHandle(img, 0, float(ImageHeight(img) / 2));
            } else if (missing++ == 0) {
                firstMissing = path;
            }
            TNumber::num[size_t(s)][size_t(d)] = img;
        }
    }
    // One message for the lot: a missing folder would otherwise ask fifty times.
    if (missing > 0) {
        std::string text = "No such file: " + firstMissing;
        if (missing > 1) text += " (and " + str::formatInt(missing - 1) + " more digit images)";
        Notify(text);
    }
    return 0;
}

std::shared_ptr<TNumber> createNumber(TTileList list, int v, const std::string& dir, int size,
                                      int emptyLine) {
    auto n = std::make_shared<TNumber>();
    n->txt = emptyLine ? "0" : str::formatInt(int64_t(list.size()));
    n->tilesy = std::move(list);
    n->v = v;
    n->dir = dir;
    n->size = size;
    return n;
}

// ---- measures ---------------------------------------------------------------------------

float TNumber::halfW(int size) { return float(ImageWidth(digitImage('0', size)) / 2); }

float TNumber::numWidth(const std::string& txt, int size) {
    float w = 0;
    for (char ch : txt) w += float(ImageWidth(digitImage(ch, size)));
    return w;
}

float TNumber::numHeight(const std::string& txt, int size) {
    // The widest digit, not the tallest: the column layout is built on this value.
    float w = 0;
    for (char ch : txt) w = std::max(w, float(ImageWidth(digitImage(ch, size))));
    return w;
}

float TNumber::halfNumWidth(const std::string& txt, int size, float scale) {
    if (txt.empty()) return 0;
    const float first = float(ImageWidth(digitImage(txt.front(), size)));
    const float last = float(ImageWidth(digitImage(txt.back(), size)));
    return (first + last) * scale / 2;
}

float TNumber::restLeft(const std::string& txt, int size) {
    // One digit grows away from the middle of its left edge: the unscaled width.
    if (txt.size() <= 1) return numWidth(txt, size) / 2;
    return halfNumWidth(txt, size, kManyDigitsScale);
}

int TNumber::_drawNum(const std::string& txt, int x, int y, int size, float scale) {
    float offset = 0;
    for (char ch : txt) {
        const TImage& img = digitImage(ch, size);
        DrawImage(img, float(x) + offset, float(y));
        offset += float(ImageWidth(img)) * scale * pomn;
    }
    return 0;
}

// ---- drawing ----------------------------------------------------------------------------

int TNumber::draw(int highlight) {
    const float cx = dim ? dim->x : 0.0f;
    const float cy = dim ? dim->y : 0.0f;
    SetScale(sc, sc);
    SetColor(0, 0, 0);
    float x, s;
    if (txt.size() <= 1) {
        // One digit grows away from the middle of its left edge: x from the unscaled width.
        x = cx - numWidth(txt, size) / 2;
        s = sc;
    } else {
        x = cx - halfNumWidth(txt, size, kManyDigitsScale * sc);
        s = kManyDigitsScale * sc;
        SetScale(s, s);
    }
    const int X = int(x + 2);
    const int Y = int(cy + 2);

    SetAlpha(0.7f * alpha * majorA);
    _drawNum(txt, X, Y, size, s);
    SetColor(255, 255, 255);
    SetAlpha(alpha * majorA);
    _drawNum(txt, X, Y, size, s);
    if (highlight) {
        SetBlend(LIGHTBLEND);
        SetAlpha(alpha * majorA);
        _drawNum(txt, X, Y, size, s);
        SetBlend(ALPHABLEND);
    }
    return 0;
}

// ---- per frame ----------------------------------------------------------------------------

int TNumber::krancoweCleared() {
    return ((!tile1 || tile1->isCleared()) && (!tile2 || tile2->isCleared())) ? 1 : 0;
}

bool TNumber::_runResolved() {
    for (const auto& t : tilesy)
        if (!t || !t->isCleared()) return false;
    return krancoweCleared() != 0;
}

int TNumber::updateTilesy() {
    if (_runResolved()) dAlpha = kResolvedAlpha;
    return 0;
}

int TNumber::updateTilesy2() {
    if (_runResolved()) dAlpha = alpha = kResolvedAlpha;
    return 0;
}

int TNumber::update() {
    easeToward(alpha, dAlpha, 0.02f * delta);
    easeToward(majorA, dMajorA, 0.05f * delta);
    updateTilesy();

    const float f = txt.size() >= 2 ? kManyDigitsScale : 1.0f;
    if (over(f * sc)) {
        TLevel* lvl = playLink().level();
        const bool smallBoard = lvl && lvl->rows <= kNoZoomSide && lvl->cols <= kNoZoomSide;
        dsc = smallBoard ? 1.0f : 1.4f;
    } else {
        dsc = 1.0f;
    }
    easeToward(sc, dsc, 0.02f * delta);
    return 0;
}

int TNumber::over(float p) {
    if (txt.empty()) return 0;
    const float cx = dim ? dim->x : 0.0f;
    const float cy = dim ? dim->y : 0.0f;
    if (txt.size() == 1) {
        const TImage& img = digitImage(txt[0], size);
        const int W = ImageWidth(img);
        const int H = ImageHeight(img);
        return mouse.inRect(int(cx - float(W / 2)), int(cy - float(H / 2)), W, H);
    }
    const float s = p * sc;
    const float w1 = float(ImageWidth(digitImage(txt.front(), size))) * s;
    const float w2 = float(ImageWidth(digitImage(txt.back(), size))) * s;
    const int H0 = ImageHeight(digitImage('0', size));
    return mouse.inRect(int(cx - (w1 + w2) / 2), int(cy - float(H0 / 2)), int(w1 + w2), H0);
}

int TNumber::cleared() const {
    return ((dAlpha == -1.0f && alpha == -1.0f) ||
            (dAlpha == kResolvedAlpha && alpha == kResolvedAlpha))
               ? 1
               : 0;
}

int TNumber::setMajorAlpha(float a) {
    dMajorA = a;
    return 0;
}

int TNumber::setMajorNAlpha(float a) {
    majorA = a;
    return 0;
}
