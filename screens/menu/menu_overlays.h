#pragma once
// The two overlays of the title screen's play button: continue-or-new (a scroll with
// "resume", "new" and "exit") and the casual-or-hard choice of a new game.
#include <string>

#include "app/ekran.h"
#include "platform/graphics.h"

// What both overlays share: the title screen drawn behind, one panel picture, and the
// modal frame loop that runs until the overlay says it is done.
class TTitleOverlay : public TEkran {
public:
    TImage img;
    bool loaded = false;

    int update() override;
    // The title screen behind the overlay (its beams keep pulsing).
    virtual int _drawBack();
    // One frame's button tests (after the flip).
    virtual int _controlGUI() = 0;

    // How far the overlay stands over the title (0..1): the title's buttons give way by it.
    virtual float shown() const { return alpha; }

protected:
    virtual bool finished() const = 0;
    // Frames until finished(): clear, update, draw, flip, then the buttons.
    void runFrames();
};

// The continue-or-new scroll; its picture has the handle at its centre.
class TContinueQuest : public TTitleOverlay {
public:
    std::string wynik;  // "CONTINUE", "NEW" or ""; hides the base field

    int setup() override;
    int draw() override;
    virtual int _drawPanel();
    virtual int prepare();
    int _controlGUI() override;
    // "CONTINUE", "NEW" or "".
    virtual std::string mainLoop();
    // The new-game question over this overlay; non-zero for yes.
    virtual int askNew();
    float shown() const override { return asking ? 1.0f : alpha; }
    bool asking = false;  // the new-game question stands in the scroll's place

protected:
    bool finished() const override;
};

// The casual-or-hard choice; its panel is the pop-up's panel picture.
class TPickFlow : public TTitleOverlay {
public:
    int setup() override;
    int draw() override;
    virtual int _drawPanel();
    virtual int prepare();
    int _controlGUI() override;
    // "START-NEW-GAME"; "MAIN-MENU" when there is no player to start for.
    virtual std::string mainLoop();
    virtual int goCASUAL();
    virtual int goHARD();

protected:
    bool finished() const override;
};

extern TContinueQuest continueQuest;
extern TPickFlow pickFlow;

// Freshly made overlays: for tests.
void resetMenuOverlays();
