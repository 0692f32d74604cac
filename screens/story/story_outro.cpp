#include "screens/story/story_outro.h"

#include <cmath>
#include <new>

#include "app/frame.h"
#include "app/sound.h"
#include "effects/curve.h"
#include "gui/frame/deltatime.h"
#include "gui/frame/mouse.h"
#include "gui/globals.h"
#include "platform/input.h"
#include "platform/system.h"
#include "screens/story/story_draw.h"
#include "screens/story/credits.h"

TStoryOutro storyOutro;

namespace {

// Each scene's length, and the longer span its motion is measured over (so a scene keeps
// moving while the next one fades in over it).
constexpr int32_t kLength[4] = {23000, 15000, 10000, 13000};
constexpr float kSpan[4] = {25000, 30000, 15000, 15000};

float cosDeg(float d) { return std::cos(d * fx::kDegToRad); }

TImage load(const std::string& rel) { return LoadImage(bDir + rel); }

void handleLeftMiddle(const TImage& img) {
    if (img) SetImageHandle(img, 0, float(ImageHeight(img) / 2));
}

void white(float alpha, float scale) { story::whiteAt(alpha, scale); }
using story::drawIf;

float progress(int32_t start, int k) { return float(Millisecs() - start) / kSpan[k]; }

}  // namespace

void TStoryOutro::setupTexts() {
    loadStoryTexts("data/storyOutro.dat", "storyOutro.txt", storyTexts);
    bars = load("gfx/story/Intro/panele.png");
}

void TStoryOutro::setupScenes() {
    back1 = load("gfx/story/Outro/sc1/background.png");
    view1 = load("gfx/story/Outro/sc1/bags.png");
    handleLeftMiddle(back1);
    handleLeftMiddle(view1);
    back2 = load("gfx/story/Outro/sc2/background.png");
    if (back2) SetImageHandle(back2, float(ImageWidth(back2) - 1), float(ImageHeight(back2) / 2));
    plane = load("gfx/story/Outro/sc2/plane.png");
    if (plane) MidHandleImage(plane);
    back3 = load("gfx/story/Outro/sc3/background.png");
    if (back3) MidHandleImage(back3);
    plane2 = load("gfx/story/outro/sc3/plane.png");
    if (plane2) MidHandleImage(plane2);
    back4 = load("gfx/story/Outro/sc4/background.png");
    if (back4) MidHandleImage(back4);
}

int TStoryOutro::setup() {
    setupTexts();
    setupScenes();
    return 0;
}

int TStoryOutro::prepare() {
    scene = 1;
    fade = 1;
    dFade = 0;
    fSpeed = 0.005f;
    a = a2 = a3 = 0;
    setup();
    globalSnd.playMyMusic("end");
    _prepareDelta();
    startStoryTexts(storyTexts);
    scene1time = Millisecs();
    return 0;
}

void TStoryOutro::drawScene1() {
    const float t = progress(scene1time, 0);
    white(1, 1.3f - 0.3f * t);
    drawIf(back1, -1476 * fx::sinDeg(90 * t), 384);
    SetScale(1.5f - 0.5f * t, 1.5f - 0.5f * t);
    drawIf(view1, -738 * fx::sinDeg(90 * t), 384);
}

void TStoryOutro::drawScene2() {
    if (a < 1) drawScene1();
    const float t = progress(scene2time, 1);
    white(a, 1);
    drawIf(back2, 1024 + 1976 * t, 384);
    drawIf(plane, 1024 - 1000 * t, 300 - 150 * t + 20 * cosDeg(720 * t));
}

void TStoryOutro::drawScene3() {
    if (a2 < 1) drawScene2();
    const float t = progress(scene3time, 2);
    const float s = fx::sinDeg(90 * t);
    white(a2, 1.3f - 0.3f * s);
    drawIf(back3, 512, 384);
    SetScale(1 + 0.5f * s, 1 + 0.5f * s);
    drawIf(plane2, 1024 - 1000 * t, 384 + 50 * cosDeg(360 * t));
}

void TStoryOutro::drawScene4() {
    if (a3 < 1) drawScene3();
    const float t = progress(scene4Time, 3);
    white(a3, 1 + 0.3f * t);
    drawIf(back4, 512, 384);
}

void TStoryOutro::updateScenes() {
    const int32_t now = Millisecs();
    switch (scene) {
        case 1:
            if (now > scene1time + kLength[0]) {
                scene2time = now;
                scene = 2;
            }
            break;
        case 2:
            easeToward(a, 1, 0.01f, delta);
            if (now > scene2time + kLength[1]) {
                scene3time = now;
                scene = 3;
            }
            break;
        case 3:
            easeToward(a2, 1, 0.01f, delta);
            if (now > scene3time + kLength[2]) {
                scene4Time = now;
                scene = 4;
            }
            break;
        case 4:
            easeToward(a3, 1, 0.01f, delta);
            if (now > scene4Time + kLength[3]) dFade = 1;
            break;
        default:
            break;
    }
}

int TStoryOutro::update() {
    _updateSystem(0);
    updateScenes();
    updateStoryTexts(storyTexts);
    _updateFade();
    _updateAlpha();
    return 0;
}

int TStoryOutro::draw() {
    switch (scene) {
        case 1: drawScene1(); break;
        case 2: drawScene2(); break;
        case 3: drawScene3(); break;
        case 4: drawScene4(); break;
        default: break;
    }
    white(1, 1);
    drawIf(bars, 0, 0);
    drawStoryTexts(storyTexts, 1);
    _drawFade();
    return 0;
}

bool TStoryOutro::frame() {
    Cls();
    update();
    draw();
    myFlip(1, this);
    if (mouse.leftPressed) dFade = 1;
    return !(fade == 1 && dFade == 1);
}

std::string TStoryOutro::mainLoop() {
    prepare();
    while (frame()) {
    }
    FlushMouse();
    FlushKeys();
    mouse.clear();
    credits.wynik = "NONE";
    return "CREDITS";
}

void resetStoryOutro() {
    storyOutro.~TStoryOutro();
    new (&storyOutro) TStoryOutro();
}
