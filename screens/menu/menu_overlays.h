#pragma once
// The two overlays of the title screen's play button: continue-or-new (a scroll with
// "resume", "new" and "exit") and the casual-or-hard choice of a new game.
#include <string>

#include "app/ekran.h"
#include "platform/graphics.h"

class TContinueQuest : public TEkran {
public:
    TImage img;         // the scroll, handle at its centre
    std::string wynik;  // "CONTINUE", "NEW" or ""; hides the base field

    int setup() override;
    int draw() override;
    int update() override;
    virtual int _drawBack();
    virtual int _drawPanel();
    virtual int prepare();
    // One frame's button tests (after the flip).
    virtual int _controlGUI();
    // "CONTINUE", "NEW" or "".
    virtual std::string mainLoop();
    // The new-game question over this overlay; non-zero for yes.
    virtual int askNew();
    bool loaded = false;
};

class TPickFlow : public TEkran {
public:
    TImage img;  // the pop-up's panel picture

    int setup() override;
    int draw() override;
    int update() override;
    virtual int _drawBack();
    virtual int _drawPanel();
    virtual int prepare();
    virtual int _controlGUI();
    // "START-NEW-GAME"; "MAIN-MENU" when there is no player to start for.
    virtual std::string mainLoop();
    virtual int goCASUAL();
    virtual int goHARD();
    bool loaded = false;
};

extern TContinueQuest continueQuest;
extern TPickFlow pickFlow;

// Freshly made overlays: for tests.
void resetMenuOverlays();
