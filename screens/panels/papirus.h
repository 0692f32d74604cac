#pragma once
// The parchment scroll: nine shared pieces (two rolls and the parchment rows between them)
// that fade in, unroll downward to a chosen size, and on request roll up and fade out. Not
// a screen: its owner starts and hides it and calls update() and draw() in its own frame.
#include <cstdint>
#include <string>

#include "platform/graphics.h"

class TPapirus {
public:
    TPapirus() = default;
    virtual ~TPapirus() = default;

    int32_t width = 0;   // the middle is width + 1 pieces wide
    int32_t height = 0;  // the unrolled middle has up to height + 1 rows
    float a = 0;         // fade, drawn at opacity sin(90 a)
    float da = 0;
    float per = 0;       // 0 rolled up, 1 open
    float dPer = 0;
    std::string state;   // "START", "HIDE" or "" (never started)
    float x = 0;
    float y = 0;

    // The nine pieces, shared by every panel.
    static TImage lewoGora, srodekGora, prawoGora;
    static TImage lewoDol, srodekDol, prawoDol;
    static TImage srodekLewo, srodekPrawo, srodekSrodek;

    // Loads the nine pieces from gfx/gui/papirus/; a missing one is reported and the panel
    // draws without it. Returns the number of pieces that failed.
    static int setup();
    // Drops the pieces: for tests.
    static void reset();

    virtual int _drawGora();
    virtual int _drawDol();
    virtual int _drawSrodek();
    virtual int draw();
    virtual int _updatePer();
    virtual int _update_STATE_start();
    virtual int _update_STATE_Hide();
    virtual int _updateState();
    virtual int _updateAlpha();
    virtual int update();
    virtual int start(int32_t px, int32_t py, int32_t w, int32_t h);
    virtual int hide();

    // Parchment rows drawn at the current unroll (0 while not fully faded in).
    int32_t visibleRows() const;
    // Top of the bottom roll.
    float bottomRollY() const;
};
