#include "app/loading/loading_screen.h"

#include <cmath>
#include <map>
#include <utility>

#include "app/app_globals.h"
#include "app/frame.h"
#include "app/options.h"
#include "gui/frame/deltatime.h"
#include "gui/frame/display.h"
#include "gui/frame/fontcache.h"
#include "gui/globals.h"
#include "gui/widgets/theme.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/strings.h"
#include "platform/system.h"

TLoadingScreen loadingScreen;
std::shared_ptr<TTheme> windowTheme;

namespace {

// Set-ups handed in by screens that were not built when the table was written.
// Keyed by the upper-cased unit name.
std::map<std::string, std::function<void()>>& overrides() {
    static std::map<std::string, std::function<void()>> m;
    return m;
}

// The program's table of units, without the set-ups plugged in by name.
std::vector<TLoadingScreen::Unit>& loadingTable() {
    static std::vector<TLoadingScreen::Unit> t;
    return t;
}

// The fade of logo and bar is about 50 frames; a stalled clock must not hold start-up.
constexpr int kMaxFadeFrames = 600;

// At 60 frames a second a frame is on the display for 1000/60 ms; rounded down, so the
// headless clock's 16 and 17 ms steps always allow the next one.
constexpr int32_t kFramePeriodMs = 16;

}  // namespace

void setLoadingTable(std::vector<TLoadingScreen::Unit> table) {
    loadingTable() = std::move(table);
    loadingScreen.units = defaultLoadingUnits();
}

std::vector<TLoadingScreen::Unit> defaultLoadingUnits() {
    std::vector<TLoadingScreen::Unit> units = loadingTable();
    for (auto& u : units) {
        auto it = overrides().find(str::upper(u.name));
        if (it != overrides().end()) u.action = it->second;
    }
    return units;
}

bool setLoadingStep(const std::string& name, std::function<void()> action) {
    // Kept even for a name the table does not hold (yet): the table may come later.
    overrides()[str::upper(name)] = action;
    for (auto& u : loadingScreen.units)
        if (str::equalsNoCase(u.name, name)) u.action = action;
    for (const auto& u : loadingTable())
        if (str::equalsNoCase(u.name, name)) return true;
    return false;
}

void resetLoadingScreen() {
    overrides().clear();
    loadingScreen.back.reset();
    loadingScreen.dot = {};
    loadingScreen.img.reset();
    loadingScreen.logo.reset();
    loadingScreen.p = 0;
    loadingScreen.maxProgress = 52;
    loadingScreen.la = 1;
    loadingScreen.shownBar = -1;
    loadingScreen.shownAt = 0;
    loadingScreen.units = defaultLoadingUnits();
    loadingScreen.done.clear();
    windowTheme.reset();
}

TLoadingScreen::TLoadingScreen() { units = defaultLoadingUnits(); }

int TLoadingScreen::loadImages() {
    // The background is opaque: its black pixels must be drawn, not masked away.
    back = loadImage2(bDir + "gfx/gui/loading/back.jpg", FILTEREDIMAGE);
    dot[0] = loadImage2(bDir + "gfx/gui/loading/false.png");
    dot[1] = loadImage2(bDir + "gfx/gui/loading/true.png");
    MidHandleImage(dot[0]);
    MidHandleImage(dot[1]);
    img = LoadImage(bDir + "gfx/gui/loading/loading.png");
    logo = LoadImage(bDir + "gfx/gui/loading/" + lang + "/logo.png");
    MidHandleImage(logo);
    return 0;
}

int TLoadingScreen::run() {
    PART1();
    PART2();
    PART3();
    PART4();
    PART5();
    return 0;
}

int TLoadingScreen::_runPart(int part) {
    for (const Unit& u : units) {
        if (u.part != part) continue;
        if (u.action) u.action();
        TimingMark(u.name.c_str());
        done.push_back(u.name);
        progress();
    }
    return 0;
}

int TLoadingScreen::PART1() {
    drawNormal();
    progress();
    return _runPart(1);
}

int TLoadingScreen::PART2() { return _runPart(2); }
int TLoadingScreen::PART3() { return _runPart(3); }
int TLoadingScreen::PART4() { return _runPart(4); }

int TLoadingScreen::PART5() {
    _runPart(5);
    EndMe();
    FlushMouse();
    FlushKeys();
    return 0;
}

int TLoadingScreen::progress() {
    p += 1;
    if (p > maxProgress) p = maxProgress;
    // A frame the player could not tell from the last one only costs time: the bar has not
    // moved by a display pixel, or the display could not show another frame yet.
    if (_barPixels() == shownBar || (shownBar >= 0 && Millisecs() - shownAt < kFramePeriodMs)) {
        PollSystem();
        return 0;
    }
    return drawNormal();
}

int TLoadingScreen::_barPixels() const {
    const float f = maxProgress > 0 ? float(p) / float(maxProgress) : 1.0f;
    const float w = img ? float(ImageWidth(img)) : 400.0f;
    const float scale = GraphicsWidth() > 0 && VirtualResolutionWidth() > 0
                            ? float(GraphicsWidth()) / VirtualResolutionWidth()
                            : 1.0f;
    return int(std::lround(f * w * scale));
}

int TLoadingScreen::drawNormal() {
    SetColor(255, 255, 255);
    SetAlpha(1);
    SetBlend(ALPHABLEND);
    SetScale(1, 1);
    SetRotation(0);
    draw();
    shownBar = _barPixels();
    shownAt = Millisecs();
    // The work goes on at once: no wait for the frame period between units.
    const bool paced = FramePacing();
    SetFramePacing(false);
    myFlip(0, this);
    SetFramePacing(paced);
    PollSystem();
    return 0;
}

int TLoadingScreen::draw() {
    _drawBack();
    _drawProgress();
    return 0;
}

int TLoadingScreen::_drawBack() {
    SetBlend(ALPHABLEND);
    SetScale(1, 1);
    SetAlpha(1);
    SetColor(255, 255, 255);
    if (back) {
        DrawImage(back, 0, 0);
    } else {
        // Without the picture a deep-sea backdrop keeps the bar readable.
        SetColor(18, 38, 62);
        DrawRect(0, 0, 1024, 768);
        SetColor(255, 255, 255);
    }
    SetAlpha(la);
    DrawImage(logo, 512, 384);
    return 0;
}

int TLoadingScreen::_drawProgress() {
    const float f = maxProgress > 0 ? float(p) / float(maxProgress) : 1.0f;
    if (!img) {
        // No bar picture: a plain track with a gold fill in its place.
        const float w = 400, h = 14, x = 512 - 200, y = 685 - 7;
        SetColor(250, 236, 200);
        SetAlpha(0.3f * la);
        DrawRect(x, y, w, h);
        SetColor(230, 180, 60);
        SetAlpha(la);
        DrawRect(x, y, f * w, h);
        SetColor(255, 255, 255);
        return 0;
    }
    const int w = ImageWidth(img), h = ImageHeight(img);
    const float x = float(512 - w / 2), y = float(685 - h / 2);
    // A dark groove under the bar: while it fades, the gold fill dims over ink instead of
    // turning the grey of gold over sea, so a full bar never looks emptied.
    SetColor(43, 26, 12);
    SetAlpha(0.7f * la);
    DrawRect(x + 5, y + 5, float(w - 10), float(h - 10));
    SetColor(255, 255, 255);
    SetAlpha(0.3f * la);
    DrawImage(img, x, y);
    SetAlpha(1.0f * la);
    const float part = f * float(w);
    if (part > 0) DrawSubImageRect(img, x, y, part, float(h), 0, 0, part, float(h));
    return 0;
}

int TLoadingScreen::EndMe() {
    _prepareDelta();
    for (int frame = 0; frame < kMaxFadeFrames; ++frame) {
        Cls();
        deltaUpdate();
        la -= 0.02f * delta;
        if (la < 0) la = 0;
        draw();
        Flip();
        if (la == 0) break;
    }
    la = 0;
    return 0;
}
