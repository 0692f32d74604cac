#include "effects/captions.h"

#include <algorithm>
#include <cmath>

#include "effects/picture.h"
#include "game/board/ease.h"
#include "game/board/level.h"
#include "game/board/links.h"
#include "game/board/tiledata.h"
#include "gui/frame/deltatime.h"
#include "gui/globals.h"
#include "platform/strings.h"
#include "platform/system.h"

TCaptionList captionsList;
std::array<TImage, 10> TCaption::img{};
std::array<TImage, 10> TTextCaption::cyfry{};
TImage TTextCaption::plus;
std::array<TImage, 10> TTextCaption::texty{};

namespace {

constexpr float kDegToRad = 3.14159265358979f / 180.0f;
// The number is kept inside this band of the picture.
constexpr float kLeftLimit = 50;
constexpr float kRightLimit = 950;
constexpr float kWordGap = 10;
constexpr int kLevelCompleted = 5;
constexpr float kPraiseY = 120;

// Moves value toward target by step; true when it arrived in this call. A value already on
// its target does not move and reports nothing. Rounding of repeated steps is absorbed, so
// a fade of 0.01 a frame lands on 0 exactly in its hundredth frame.
bool stepToward(float& value, float target, float step) {
    if (value == target) return false;
    easeToward(value, target, step);
    return value == target;
}

// A value within a hair of where it is heading lands on it (repeated float steps).
float snapTo(float value, float target) { return std::fabs(value - target) < 1e-5f ? target : value; }

TCaptionList& listOr(TCaptionList* list) { return list ? *list : captionsList; }

TImage entry(const std::array<TImage, 10>& table, int i) { return fx::pictureAt(table, i); }

TImage loadCaptionImage(const std::string& path) {
    return LoadImage(path, FILTEREDIMAGE | MIPMAPPEDIMAGE);
}

// The width of the cell picture of tile kind 1 in a size class (0 when unknown).
int cellWidth(const std::shared_ptr<TTileData>& td, int size) {
    if (!td || size < 0 || size >= kTileSizeClasses) return 0;
    return ImageWidth(td->gfx[size_t(size)]);
}

}  // namespace

// ---- base caption -----------------------------------------------------------------------------

bool TCaption::_updateAlpha() { return stepToward(a, da, aSpeed * delta); }

void TCaption::_updateScale() {
    stepToward(sx, dsx, sxSpeed * delta);
    stepToward(sy, dsy, sySpeed * delta);
}

bool TCaption::_updatePercent() { return stepToward(p, dp, pSpeed * delta); }

void TCaption::_updateRotation() { r += rSpeed * delta; }

void TCaption::_updatePosition() {
    x += ax * delta;
    y += ay * delta;
}

void TCaption::update() {
    if (Millisecs() < startTime) return;
    _updateScale();
    _updatePercent();
    _updateRotation();
    _updatePosition();
    if (_updateAlpha()) destroy();
}

void TCaption::draw() {
    SetRotation(0);
    SetScale(sx, sy);
    SetColor(255, 255, 255);
    SetAlpha(a);
    SetBlend(ALPHABLEND);
    if (TImage pic = entry(img, n)) DrawImage(pic, x, y, 0);
    SetScale(1, 1);
}

void TCaption::destroy() {
    _dead = true;
    if (list) fx::remove(*list, this);
}

// ---- number caption ---------------------------------------------------------------------------

float TTextCaption::width() const {
    float wsum = 0;
    if (!valueList.empty()) wsum += float(ImageWidth(plus));
    for (const auto& d : valueList) wsum += float(ImageWidth(d));
    wsum = wsum * ss + kWordGap;
    if (TImage word = entry(texty, imageNumber)) wsum += float(ImageWidth(word));
    return wsum;
}

void TTextCaption::countValue() {
    valueList.clear();
    for (char c : std::to_string(v)) {
        // A minus sign reads as 0.
        const int digit = (c >= '0' && c <= '9') ? c - '0' : 0;
        valueList.push_back(cyfry[size_t(digit)]);
    }
    const float wide = width();
    if (x < kLeftLimit) x = kLeftLimit;
    if (x + wide > kRightLimit) x = kRightLimit - wide;
}

void TTextCaption::update() {
    if (!start) {
        start = 1;
        time += Millisecs();
    }
    _updateScale();
    _updatePercent();
    _updateRotation();
    _updatePosition();
    if (_updateAlpha()) destroy();
}

void TTextCaption::draw() {
    SetColor(rgb.r, rgb.g, rgb.b);
    SetAlpha(a);
    SetBlend(ALPHABLEND);
    SetScale(ss, ss);
    SetRotation(0);
    float pen = x;
    if (!valueList.empty()) {
        if (plus) DrawImage(plus, pen, y, 0);
        pen += float(ImageWidth(plus)) * ss;
    }
    for (const auto& d : valueList) {
        if (d) DrawImage(d, pen, y, 0);
        pen += float(ImageWidth(d)) * ss;
    }
    pen += kWordGap;
    if (TImage word = entry(texty, imageNumber)) DrawImage(word, pen, y, 0);
    SetScale(1, 1);
}

void TTextCaption::setup() {
    for (int i = 0; i < 10; ++i)
        cyfry[size_t(i)] = loadCaptionImage(bDir + "gfx/captions/cyfry/" + std::to_string(i) + ".png");
    plus = loadCaptionImage(bDir + "gfx/captions/txt/plus.png");
    if (plus) SetImageHandle(plus, -2, 0);
}

// ---- pop-in caption ---------------------------------------------------------------------------

void TSpecCaption::update() {
    _updateStandardData();
    if (_dead) return;
    // Compared in place: an upper-cased copy would be a string built every frame.
    if (str::equalsNoCase(state, "START")) _updateStart();
    else if (str::equalsNoCase(state, "NEXT")) _updateNext();
}

void TSpecCaption::_updateStandardData() {
    stepToward(s, ds, sSpeed * delta);
    if ((a == 0 && da == 0) || (s == 0 && ds == 0)) {
        destroy();
        return;
    }
    x += ax * delta;
    y += ay * delta;
    r += rSpeed * delta;
}

void TSpecCaption::_updateStart() {
    a = snapTo(std::min(1.0f, a + aSpeed * delta), 1);
    if (a > 0) {
        per = snapTo(std::min(1.0f, per + perSpeed * delta), 1);
        // Taller than at rest at first, wobbling down to sts on both axes.
        sy = sts + 0.2f * std::cos(360.0f * per * sc * kDegToRad) * (1 - per) * sc;
        sx = sts + 0.4f * std::sin(450.0f * per * sc * kDegToRad) * (1 - per) * sc;
    }
    if (per == 1) {
        state = "NEXT";
        per = 0;
        da = 0;
    }
}

void TSpecCaption::_updateNext() { a = snapTo(std::max(0.0f, a - aSpeed * delta), 0); }

// ---- factories --------------------------------------------------------------------------------

std::shared_ptr<TCaption> createCaption(int n, float x, float y, TCaptionList* list) {
    auto c = std::make_shared<TCaption>();
    c->n = n;
    c->x = x;
    c->y = y;
    c->aSpeed = 0.01f;
    c->sx = c->sy = 2;
    c->dsx = c->dsy = 1;
    c->a = 1;
    c->da = 0;
    c->ax = 0;
    c->ay = -0.1f;
    c->list = &listOr(list);
    c->list->push_back(c);
    c->checkPosition();
    return c;
}

std::shared_ptr<TTextCaption> createTextCaption(int imageNumber, int v, float x, float y, int delay,
                                                int size, TCaptionList* list) {
    auto c = std::make_shared<TTextCaption>();
    c->time = Millisecs() + delay;
    c->x = x;
    c->y = y;
    c->aSpeed = 0.01f;
    c->a = 1;
    c->da = 0;
    c->imageNumber = imageNumber;
    c->v = v;
    c->ax = 0;
    c->ay = -0.15f;
    c->countValue();
    // Smaller cells, smaller numbers. Without the cell pictures the number keeps full size.
    const auto td = getTileDataById(1);
    const int w0 = cellWidth(td, 0);
    const int ws = cellWidth(td, size);
    c->ss = (w0 > 0 && ws > 0) ? std::min(1.0f, float(ws) / float(w0) + 0.1f) : 1.0f;
    c->list = &listOr(list);
    c->list->push_back(c);
    return c;
}

std::shared_ptr<TSpecCaption> createSpecCaption(int n, float x, float y, TCaptionList* list) {
    auto c = std::make_shared<TSpecCaption>();
    c->n = n;
    c->x = x;
    c->y = y;
    c->state = "START";
    c->per = 0;
    c->a = 0;
    c->da = 1;
    c->s = 0;
    c->ds = 0.6f;
    c->sts = 0.6f;
    c->ax = 0;
    c->ay = -0.1f;
    c->perSpeed = 0.03f;
    if (n == kLevelCompleted) {
        c->sts = 1;
        c->perSpeed = 0.015f;
    }
    c->list = &listOr(list);
    c->list->push_back(c);
    return c;
}

void createGreatCaption(int x) {
    if (TLevel* lvl = playLink().level(); lvl && lvl->checkCompleted()) return;
    bool showing = false;
    fx::each(captionsList, [&](const TCaption& c) {
        if (c.n >= 0 && c.n <= 3 && !dynamic_cast<const TTextCaption*>(&c)) showing = true;
    });
    if (showing) return;
    createSpecCaption(Rand(0, 3), float(x), kPraiseY, nullptr);
}

void createLevelCompletedCaption() { createSpecCaption(kLevelCompleted, 400, 350, nullptr); }

// ---- lists and images -------------------------------------------------------------------------

void _updateCaptions(TCaptionList* list) {
    fx::walk(listOr(list), [](TCaption& c) { c.update(); });
}

void _drawCaptions(TCaptionList* list) {
    fx::each(listOr(list), [](TCaption& c) { c.draw(); });
}

void setupCaptions() {
    static const char* names[10] = {"magnificent", "great", "fantastic", "superb", nullptr,
                                    "level-completed", nullptr, nullptr, nullptr, nullptr};
    const std::string dir = bDir + "gfx/captions/txt/" + lang + "/";
    for (size_t i = 0; i < TCaption::img.size(); ++i)
        TCaption::img[i] = names[i] ? loadCaptionImage(dir + names[i] + ".png") : nullptr;
    for (auto& pic : TCaption::img)
        if (pic) MidHandleImage(pic);
    TTextCaption::setup();
}

void resetCaptions() {
    captionsList.clear();
    TCaption::img.fill(nullptr);
    TTextCaption::cyfry.fill(nullptr);
    TTextCaption::texty.fill(nullptr);
    TTextCaption::plus = nullptr;
}
