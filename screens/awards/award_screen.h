#pragma once
// The award gallery: one full-screen picture over the screen that opened it, with the
// highest medal held of every kind in colour and a dark silhouette of each kind's first
// medal. Hovering a medal makes it glow and names it (with how often it is held); a click
// on one opens its details, a click anywhere else closes the gallery.
//
//   loading:    awardScreen.setup();                       // also reads the award definitions
//   callers:    awardScreen.ekran = &me; awardScreen.mainLoop();
//   start-up:   installAwardScreens();                     // the title and win screens' buttons
#include <string>

#include "app/ekran.h"
#include "game/awards/awards.h"
#include "platform/graphics.h"

class TAwardScreen : public TEkran {
public:
    TAwardScreen();

    TImage back;
    TAwardRecordList listaDoWyswietlenia;  // held: per kind the held award of the highest level
    TAwardRecordList listaDoZbadania;      // hover-tested and drawn on top: the above plus the
                                           // level-1 award of each kind not held at all
    TImageFont font;                       // tooltips
    TImageFont font2;                      // the hint
    TImageFont font3;                      // the heading
    std::shared_ptr<TAwardRecord> overAward;
    std::string txtClick;
    std::string txtThropies;
    // The screen drawn behind is the base's `ekran` (the title screen when none was given).

    int setup() override;
    int update() override;
    int draw() override;
    virtual int _setupSelf();
    virtual int _setupAwards();
    virtual int prepare();
    virtual int _prepareSelf();
    virtual int _prepareAwards();
    virtual int _drawBack();
    virtual int _drawFront();
    virtual int _drawAwards();
    virtual int _drawInfo();
    virtual int _updateAwards();
    // Runs the gallery until it has faded out; returns 0.
    virtual int mainLoop();

    bool loaded = false;
};

extern TAwardScreen awardScreen;

// The title screen's "awards" button and the win screen's gallery open the gallery.
void installAwardScreens();

// A fresh gallery and details panel: for tests.
void resetAwardScreen();
