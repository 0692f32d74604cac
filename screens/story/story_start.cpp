#include "screens/story/story_start.h"

#include <cmath>

#include "app/frame.h"
#include "app/sound.h"
#include "effects/curve.h"
#include "effects/leaf.h"
#include "gui/frame/deltatime.h"
#include "gui/frame/mouse.h"
#include "gui/globals.h"
#include "platform/input.h"
#include "platform/system.h"
#include "screens/story/story_draw.h"
#include "screens/story/plane_smoke.h"

namespace {

float cosDeg(float d) { return std::cos(d * fx::kDegToRad); }

using story::drawIf;
using story::whiteAt;

TImage load(const std::string& rel, int flags = DEFAULT_IMAGE_FLAGS) { return LoadImage(bDir + rel, flags); }

// The fronds ride on the panorama near its right end, in two clumps.
constexpr float kLeafOffsets[12] = {2500, 2510, 2515, 2530, 2495, 2520, 2900, 2910, 2915, 2930, 2895, 2920};

}  // namespace

float TStoryStart::panoramaWidth() const {
    float w = 0;
    for (const auto& strip : scene3)
        if (strip) w += float(ImageWidth(strip));
    return w;
}

int TStoryStart::setup() {
    // Every picture loaded from here on treats magenta as transparent.
    SetMaskColor(255, 0, 255);
    // Each step draws its scene once, into a frame the first one clears: the pictures are
    // then decoded by the scenes' own first frames, not all of them at once here.
    BeginDiscardedDraws();
    _setupScene1();
    _setupScene2();
    _setupScene3();
    EndDiscardedDraws();
    _setupTexts();
    return 0;
}

int TStoryStart::_setupScene1() {
    scene1up = load("gfx/story/start/back-01-up.jpg");
    scene1down = load("gfx/story/start/back-01-down.jpg");
    chestCover = load("gfx/story/start/chest.png");
    pistol = load("gfx/story/start/pistol.png");
    pistolShadow = load("gfx/story/start/pistol-shadow.png");
    bars = load("gfx/story/start/bars.png");
    if (pistol) MidHandleImage(pistol);
    if (pistolShadow) MidHandleImage(pistolShadow);
    if (chestCover) SetImageHandle(chestCover, float(ImageWidth(chestCover)), 0);
    drawScene1();
    return 0;
}

int TStoryStart::_setupScene2() {
    scene2 = load("gfx/story/start/back-02.jpg");
    if (scene2) MidHandleImage(scene2);
    hero = load("gfx/story/start/hero-shadow.png");
    if (hero) SetImageHandle(hero, float(ImageWidth(hero) / 2), float(ImageHeight(hero)));
    drawScene2();
    return 0;
}

int TStoryStart::_setupScene3() {
    for (int i = 0; i < 3; ++i) scene3[size_t(i)] = load("gfx/story/start/back-03-" + std::to_string(i + 1) + ".jpg");
    scene3end = load("gfx/story/start/back-03-end.jpg", FILTEREDIMAGE | MIPMAPPEDIMAGE);
    if (scene3end) MidHandleImage(scene3end);
    plane = load("gfx/story/start/plane.png");
    if (plane) MidHandleImage(plane);
    for (int i = 0; i < 12; ++i) {
        const float x = i < 6 ? 1000.0f : 1500.0f;
        leafs[size_t(i)] = createLeafObj(Rand(0, 1), x, 640, float(Rand(-30, 30)), float(Rand(5, 10)));
        leafs[size_t(i)]->s = 0.7f;
        leafs[size_t(i)]->n = i % 2;
    }
    drawScene3();
    TPlaneSmoke::setup();
    return 0;
}

int TStoryStart::_setupTexts() {
    loadStoryTexts("data/story-start.dat", "story-start.txt", storyTexts);
    return 0;
}

int TStoryStart::_prepareSelf() {
    setup();
    setState("SCENE-1-BEGIN");
    dFade = 0;
    fade = 1;
    fSpeed = 0.01f;
    timex = Millisecs() + 2000;
    return 0;
}

int TStoryStart::prepare() {
    _prepareSelf();
    pistolA = 1;
    pistolR = 0;
    pistolS = 1;
    scene2s = 1;
    scene2a = 0;
    heroA = 0;
    heroX = 0;
    scene3X = scene3a = scene3P = moveP = px = py = 0;
    startStoryTexts(storyTexts);
    globalSnd.playMyMusic("intro-2");
    _prepareDelta();
    return 0;
}

void TStoryStart::setState(const char* name, bool keepP) {
    state = name;
    if (!keepP) p = 0;
}

bool TStoryStart::stepP(float c) {
    p += c * delta;
    if (p >= 1) {
        p = 1;
        return true;
    }
    return false;
}

void TStoryStart::updateSlide1() {
    p += 0.002f * delta;
    if (p > 1) p = 1;
    float h = 0;
    if (scene1up) h += float(ImageHeight(scene1up));
    if (scene1down) h += float(ImageHeight(scene1down));
    scene1y = (768 - h) + (h - 600) * fx::sinDeg(90 * p);
}

void TStoryStart::updatePlanePath() {
    const float w = panoramaWidth();
    scene3X = (1024 - w) * fx::sinDeg(90 * scene3P);
    px = scene3X + 200 + w * moveP;
    py = 280 + 50 * cosDeg(720 * moveP);
    planeS = 1 + 0.07f * cosDeg(720 * moveP);
}

void TStoryStart::updatePlaneSmoke() {
    TPlaneSmoke::updateAll();
    const int32_t now = Millisecs();
    if (now > smokeTime) {
        smokeTime = now + 50;
        const float w = panoramaWidth();
        TPlaneSmoke::createNewPlaneSmoke(int(w * moveP - 43), int(py + 1));
        TPlaneSmoke::createNewPlaneSmoke(int(w * moveP + 10), int(py + 40));
    }
}

void TStoryStart::updateLeafs() {
    for (int i = 0; i < 12; ++i) {
        auto& leaf = leafs[size_t(i)];
        if (!leaf) continue;
        leaf->x = scene3X + kLeafOffsets[i];
        leaf->update();
    }
}

void TStoryStart::updateLeafsIn() {
    for (int i = 0; i < 12; ++i) {
        auto& leaf = leafs[size_t(i)];
        if (!leaf) continue;
        leaf->s += 0.0004f * delta;
        leaf->y += 0.2f * delta;
        leaf->x += (i < 6 ? -2.0f : 2.0f) * delta;
    }
}

void TStoryStart::updateScene() {
    if (state == "SCENE-1-BEGIN") {
        updateSlide1();
        if (p == 1) setState("SCENE-1-CHEST");
    } else if (state == "SCENE-1-CHEST") {
        const bool done = stepP(0.005f);
        const float e = fx::sinDeg(90 * p);
        chestX = 300 * e;
        chestY = -300 * e;
        chestRot = 35 * e;
        if (done) {
            waitTime = Millisecs();
            setState("SCENE-1-WAIT", true);
        }
    } else if (state == "SCENE-1-WAIT") {
        if (Millisecs() > waitTime) setState("SCENE-1-PISTOL");
    } else if (state == "SCENE-1-PISTOL") {
        const bool done = stepP(0.007f);
        const float e = fx::sinDeg(90 * p);
        pistolR = 15 * e;
        pistolS = 1 + 0.3f * e;
        if (p > 0.5f) pistolA = 1 - (p - 0.5f) / 0.5f;
        if (done) setState("SCENE-2-BEGIN");
    } else if (state == "SCENE-2-BEGIN") {
        const bool done = stepP(0.0025f);
        scene2a = p;
        scene2s = 1 + 0.3f * (1 - p);
        if (done) setState("SCENE-2-HERO");
    } else if (state == "SCENE-2-HERO") {
        const bool done = stepP(0.002f);
        const float e = fx::sinDeg(90 * p);
        heroA = e < 0.3f ? e / 0.3f : 1;
        heroX = 100 + 200 * e;
        if (done) {
            waitTime = Millisecs() + 1000;
            setState("SCENE-2-WAIT", true);
        }
    } else if (state == "SCENE-2-WAIT") {
        if (Millisecs() > waitTime) setState("SCENE-3-BEGIN");
    } else if (state == "SCENE-3-BEGIN") {
        moveP += 0.0005f * delta;
        const bool done = stepP(0.01f);
        scene3P = std::min(1.0f, scene3P + 0.0005f * delta);
        updatePlanePath();
        scene3a = fx::sinDeg(90 * p);
        updatePlaneSmoke();
        updateLeafs();
        if (done) setState("SCENE-3-FLY");
    } else if (state == "SCENE-3-FLY") {
        moveP = std::min(1.0f, moveP + 0.0005f * delta);
        scene3P = std::min(1.0f, scene3P + 0.0005f * delta);
        updatePlanePath();
        updatePlaneSmoke();
        updateLeafs();
        if (moveP == 1) {
            s3S = 1;
            setState("SCENE-3-IN");
        }
    } else if (state == "SCENE-3-IN") {
        stepP(0.001f);
        s3S = 1 + 0.25f * p;
        updatePlaneSmoke();
        updateLeafs();
        updateLeafsIn();
        if (p > 0.7f) dFade = 1;
    }
}

int TStoryStart::update() {
    _updateSystem(0);
    _updateFade();
    updateScene();
    updateStoryTexts(storyTexts);
    _updateAlpha();
    return 0;
}

void TStoryStart::drawScene1() {
    whiteAt(1);
    drawIf(scene1up, 0, scene1y);
    drawIf(scene1down, 0, scene1y + (scene1up ? float(ImageHeight(scene1up)) : 0));
    // The lid keeps the pistol's scale and opacity: it grows and fades out with it.
    whiteAt(pistolA, pistolS, pistolR);
    drawIf(pistolShadow, 561, scene1y + 267);
    drawIf(pistol, 561, scene1y + 267);
    SetRotation(chestRot);
    drawIf(chestCover, 1024 + chestX, scene1y + chestY);
}

void TStoryStart::drawScene2() {
    whiteAt(scene2a, scene2s);
    drawIf(scene2, 512, 384);
    whiteAt(heroA);
    drawIf(hero, heroX, 645);
}

void TStoryStart::drawLeafs() {
    for (auto& leaf : leafs)
        if (leaf) leaf->draw();
}

void TStoryStart::drawScene3() {
    const float smokeAt = scene3X + 200;
    if (state == "SCENE-3-IN") {
        whiteAt(scene3a, s3S);
        drawIf(scene3end, 512, 395);
        TPlaneSmoke::drawAll(smokeAt);
        drawLeafs();
        return;
    }
    drawScene2();
    whiteAt(scene3a);
    float x = scene3X;
    for (const auto& strip : scene3) {
        if (!strip) continue;
        DrawImage(strip, x, 160);
        x += float(ImageWidth(strip));
    }
    whiteAt(scene3a, planeS);
    drawIf(plane, px, py);
    drawLeafs();
    TPlaneSmoke::drawAll(smokeAt);
}

void TStoryStart::drawScene() {
    const std::string scene = state.substr(0, 7);
    if (scene == "SCENE-1") {
        drawScene1();
    } else if (scene == "SCENE-2") {
        drawScene1();
        drawScene2();
    } else if (scene == "SCENE-3") {
        drawScene3();
    }
}

int TStoryStart::draw() {
    SetScale(1, 1);
    SetAlpha(1);
    SetBlend(ALPHABLEND);
    SetRotation(0);
    SetColor(0, 0, 0);
    DrawRect(0, 0, 1024, 768);
    drawScene();
    whiteAt(1);
    drawIf(bars, 0, 0);
    drawStoryTexts(storyTexts, 1);
    _drawFade();
    return 0;
}

bool TStoryStart::frame() {
    Cls();
    update();
    draw();
    myFlip(1, this);
    if (Millisecs() > timex && mouse.leftPressed) dFade = 1;
    return !(fade == 1 && dFade == 1);
}

std::string TStoryStart::mainLoop() {
    prepare();
    while (frame()) {
    }
    FlushMouse();
    FlushKeys();
    mouse.clear();
    return "GET-NEXT-LEVEL";
}

void resetStoryStart() { resetPlaneSmoke(); }
