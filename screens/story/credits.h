#pragma once
// The credits: the lines of the language's credits text roll up over a full-screen picture,
// centred with a drop shadow, in three sizes picked by a marker at the start of a line
// ("#Title#" 42 px, "$Big$" 60 px, plain 26 px; a marked line loses its first and last
// character). The roll repeats until a click, Enter, Space or Escape, then fades out.
//
//   loading:   credits.setup();                                   // fourth part
//   outro:     credits.wynik = "NONE"; return "CREDITS";          // the router runs mainLoop
//   options:   credits.wynik = ""; credits.mainLoop();            // over the options screen
#include <memory>
#include <string>
#include <vector>

#include "app/ekran.h"
#include "platform/graphics.h"

class TCreditData {
public:
    std::string txt;
    TImageFont font;

    int draw(int y, float alpha) const;
};

class TCredits : public TEkran {
public:
    TImage img;
    std::vector<TCreditData> lista;
    float y = 0;
    // Set by the caller: "NONE" after the outro (becomes "MAIN-MENU" when the player ends the
    // roll), "" over the options screen. Hides the base's field.
    std::string wynik;
    TImageFont font1, font2, font3;
    bool loaded = false;

    int setup() override;
    int draw() override;
    int update() override;
    virtual int _drawBack();
    virtual int _drawCredits();
    virtual int _updateMove();
    virtual int prepare();
    virtual std::string mainLoop();
    // One frame after prepare: clear, update, draw, flip, the end test. True while it runs.
    bool frame();

    // Splits one line of the credits text into a row (its marker picks the font); false for
    // an empty line, which gives no row.
    bool makeRow(const std::string& line, TCreditData& row) const;
};

extern TCredits credits;

// A freshly made credits screen (for tests).
void resetCredits();
