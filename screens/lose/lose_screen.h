#pragma once
// The lose screen: a modal panel over the screen that lost its level. The caller darkens to
// half, the panel drops in with its message and three buttons that ride along, and a click
// lifts it again and answers "RESTART", "MAPA" or "MAIN-MENU". Stones and debris of the
// play screen keep flying meanwhile; every answer drops the stones still under way.
//
//   start-up:   installLoseScreen();              // the play screen's lose hook
//   loading:    loseScreen.setup();               // first part
//   callers:    loseScreen.mainLoop(&screen);     // "RESTART" -> "RESTART-LEVEL" is theirs
#include <string>

#include "app/ekran.h"
#include "platform/graphics.h"

class TLoseScreen : public TEkran {
public:
    TImage panel;                 // centred handle
    std::string wynik;            // the answer; "" until a button was clicked (hides the base's)
    TEkran* ekran = nullptr;      // the screen behind (hides the base's)
    std::string txtInfo;          // the message of this run
    std::string txtInfo1;         // for every caller but the inlay game
    std::string txtInfo2;         // when the inlay game (Rur Uduzav) lost
    TImageFont font;
    // The inlay game's screen, set by it at start-up: its losses get the second message.
    TEkran* layPuzzle = nullptr;
    bool loaded = false;

    // Texts, layout, panel and font. A layout that lacks one of the three buttons (or has it
    // hidden or inactive) is reported and gets a plain button in its place: only the buttons
    // can end a run, so the panel must never stand without them.
    int setup() override;
    int draw() override;
    int update() override;
    int _updateGui() override { return _updateGUI(); }
    // Every button of the layout slides with the panel: row i at 310 + 70 i when in place.
    virtual int _updateGUI();
    virtual int _drawBack();
    virtual int _drawPanel();
    virtual int prepare(TEkran* screen);
    // Runs the panel over `screen` until it has risen out of sight again; the answer.
    virtual std::string mainLoop(TEkran* screen);
    // One frame of the loop after prepare: clear, update, draw, flip, clicks. True while
    // the run goes on.
    bool frame();
    bool done() const { return alpha == 0 && dAlpha == 0; }
    // The button tests of one frame, in the order restart, map, main menu.
    virtual int _controlGUI();
    virtual int goMap();
    virtual int goRestart();
    virtual int goMainMenu();

    // Where the panel's centre stands for the current alpha.
    float panelY() const;
};

extern TLoseScreen loseScreen;

// The play screen's lost state runs this panel (instead of its plain stand-in).
void installLoseScreen();
// A freshly made lose screen (for tests).
void resetLoseScreen();
