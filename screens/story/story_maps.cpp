#include "screens/story/story_maps.h"

#include <cmath>
#include <new>

#include "app/frame.h"
#include "effects/curve.h"
#include "gui/frame/mouse.h"
#include "gui/globals.h"
#include "platform/input.h"
#include "screens/story/story_draw.h"

TStoryMaps storyMaps;

int TStoryMaps::setup() { return _setupTexts(); }

int TStoryMaps::_setupTexts() {
    loadStoryTexts("data/story-maps.dat", "story-maps.txt", storyTexts);
    back = LoadImage(bDir + "gfx/backgrounds/background-12.jpg");
    if (!bars) bars = LoadImage(bDir + "gfx/gui/story/bars.png");
    return 0;
}

int TStoryMaps::prepare() {
    fade = 0;
    dFade = 0;
    dAlpha = 1;
    alpha = 0;
    aSpeed = 0.01f;
    // Every showing reads its texts afresh: texts left over from a showing cut short by a
    // click would otherwise get the clock added to their start a second time and never
    // appear, and the interlude could then end only by a click.
    if (!back) setup();
    else loadStoryTexts("data/story-maps.dat", "story-maps.txt", storyTexts);
    _prepareDelta();
    startStoryTexts(storyTexts);
    return 0;
}

int TStoryMaps::update() {
    _updateSystem(0);
    _updateFade();
    _updateAlpha();
    _updateTexts();
    return 0;
}

int TStoryMaps::_updateTexts() {
    updateStoryTexts(storyTexts);
    if (fx::live(storyTexts) == 0) dFade = 1;
    return 0;
}

int TStoryMaps::_drawBack() {
    if (ekran) ekran->draw();
    SetBlend(ALPHABLEND);
    SetColor(255, 255, 255);
    SetScale(1, 1);
    SetRotation(0);
    return 0;
}

int TStoryMaps::_drawTlo() {
    SetAlpha(alpha);
    if (back) DrawImage(back, 0, 0);
    return 0;
}

int TStoryMaps::_drawPaski() {
    story::drawSlideBars(bars, 200 * fx::sinDeg(90 * alpha), alpha);
    SetColor(255, 255, 255);
    return 0;
}

int TStoryMaps::_drawTexts() {
    drawStoryTexts(storyTexts, alpha);
    return 0;
}

int TStoryMaps::draw() {
    _drawBack();
    _drawTlo();
    _drawPaski();
    _drawTexts();
    _drawFade();
    return 0;
}

bool TStoryMaps::frame() {
    Cls();
    update();
    draw();
    myFlip(1, this);
    if (mouse.leftPressed) dFade = 1;
    return !(dFade == 1 && fade == 1);
}

std::string TStoryMaps::mainloop(TEkran* behind) {
    ekran = behind;
    prepare();
    while (frame()) {
    }
    FlushMouse();
    mouse.clear();
    FlushKeys();
    ekran = nullptr;
    return "";
}

void resetStoryMaps() {
    storyMaps.~TStoryMaps();
    new (&storyMaps) TStoryMaps();
}
