#include "screens/story/ending_screen.h"

#include <new>

#include "app/frame.h"
#include "app/profile/profile_manager.h"
#include "gui/frame/fontcache.h"
#include "gui/frame/mouse.h"
#include "gui/globals.h"
#include "platform/input.h"
#include "platform/system.h"
#include "gui/text/draw.h"

TEndingScreen endingScreen;

int TEndingScreen::setup() {
    back = LoadImage(bDir + "gfx/gui/ending/back.jpg");
    return 0;
}

int TEndingScreen::prepare() {
    dFade = 0;
    fade = 1;
    FlushMouse();
    FlushKeys();
    mouse.clear();
    // The line is drawn in the story font; whatever font another screen left is no choice.
    font = myLoadImageFont(bDir + "gfx/fonts/storyFont.ttf", kLineSize);
    return 0;
}

int TEndingScreen::update() {
    _updateSystem(0);
    _updateAlpha();
    _updateFade();
    _updateGui();
    return 0;
}

int TEndingScreen::_drawBack() {
    SetColor(255, 255, 255);
    SetBlend(ALPHABLEND);
    SetAlpha(1);
    SetScale(1, 1);
    SetRotation(0);
    if (back) DrawImage(back, 0, 0);
    SetImageFont(font);
    drawCarvedText("End of Levels! Start new game!", kLineX, kLineY, 3);
    return 0;
}

int TEndingScreen::draw() {
    _drawBack();
    _drawGui();
    _drawFade();
    return 0;
}

bool TEndingScreen::frame() {
    Cls();
    update();
    draw();
    myFlip(1, this);
    if (KeyHit(KEY_ESCAPE) || mouse.leftPressed) dFade = 1;
    return !(fade == 1 && dFade == 1);
}

std::string TEndingScreen::mainloop() {
    auto profile = profileManager.profile;
    if (!profile) {
        // Nobody whose progress could start again (the player was deleted on the way).
        Notify("There is no current player: back to the main menu.");
        return "MAIN-MENU";
    }
    prepare();
    while (frame()) {
    }
    profile->resetProfile();
    return "MAIN-MENU";
}

void resetEndingScreen() {
    endingScreen.~TEndingScreen();
    new (&endingScreen) TEndingScreen();
}
