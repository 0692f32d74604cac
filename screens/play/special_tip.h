#pragma once
// The tip bubble: when the tutorial gave a cell a task and the player tries the other tool
// on it, a parchment bubble in the cell's quarter of the screen says to break or to uncover
// instead. It fades in, stays 4 s or until the next left click, and fades out.
#include <array>
#include <cstdint>
#include <string>

#include "platform/graphics.h"

class TTile;

class TSpecialTip {
public:
    float x = 0, y = 0;    // centre of the picture
    float tx = 0, ty = 0;  // top-left of the text
    int32_t textN = 0;     // 0 uncover, 1 break
    float alpha = 0, dAlpha = 1;
    int32_t time = 0;      // when it starts to fade out

    static TImage img;
    static std::array<std::string, 2> texts;
    static TImageFont font;

    static int setup();
    virtual ~TSpecialTip() = default;
    virtual int draw();
    // The fading; false once the bubble has faded out and should be dropped.
    virtual bool update();
    virtual int countTextPosition();
    virtual int countPosition(const TTile& tile);
};

// The shared picture, texts and font dropped (for tests).
void resetSpecialTip();
