#pragma once
// The partner splash screens: the pictures of gfx/branding/<lang>/partnerscreen-1..10.jpg
// that exist, one after another, each fading in from black, standing for 1.5 s (a click
// cuts it short) and fading out to black, before anything else of the game is shown.
//
//   start-up, right after the display opens (unless "noLogo.txt"):
//       branding.setup();  branding.mainLoop();
#include <cstdint>
#include <deque>

#include "app/ekran.h"
#include "platform/graphics.h"

class TBranding : public TEkran {
public:
    std::deque<TImage> imgList;  // pictures still to show, in order
    TImage aktImg;               // the picture on screen
    int32_t time = 0;            // clock at which the current picture starts fading out

    static constexpr int kMaxPictures = 10;
    static constexpr int32_t kStandMs = 1500;

    int setup() override;
    int prepare();
    int mainLoop();
    int update() override;
    int draw() override;
    int getNextImg();
    int _updateTime();
};

extern TBranding branding;

// Empty list, no picture, the base fields at their start values: for tests.
void resetBranding();
