#pragma once
// The end of the levels: the router's "END-OF-LEVELS", reached when the player's progression
// has no further entry. A closing card: one line of congratulation on the card's plaque;
// Escape or a click fades out, the player's progress starts again from the beginning (saved
// at the next save point) and the main menu follows.
//
//   start-up:  installStoryScreens();      // binds "END-OF-LEVELS"
#include <string>

#include "app/ekran.h"
#include "platform/graphics.h"

class TEndingScreen : public TEkran {
public:
    TImageFont font;
    TImage back;  // the closing card; its plaque stands behind the line
    // The line's top-left corner, and its size in the story face: large enough to run across
    // the card's plaque (gfx/gui/ending/back.jpg, drawn in assets/gen/images/ending.py).
    static constexpr float kLineX = 50, kLineY = 200;
    static constexpr int kLineSize = 63;

    int setup() override;
    int draw() override;
    int update() override;
    virtual int _drawBack();
    virtual int prepare();
    // "MAIN-MENU" after the reset; without a current player, at once and with a notice.
    virtual std::string mainloop();
    bool frame();
};

extern TEndingScreen endingScreen;

void resetEndingScreen();
