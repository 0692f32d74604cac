#pragma once
// The award details panel: the gallery opens it on a click on an award. It slides down
// over the gallery behind a half-dark veil with the award's picture, name and description;
// an award the player does not hold shows its picture at half opacity. Only "ok" closes it,
// and it changes nothing in the profile.
#include <memory>

#include "app/ekran.h"
#include "game/awards/awards.h"
#include "platform/graphics.h"

class TShowAward : public TEkran {
public:
    TShowAward();

    TImage panel;                         // handle at its centre
    std::shared_ptr<TAwardRecord> award;  // the award being shown
    TImageFont font;                      // the award's name
    TImageFont font2;                     // its description
    // The caller, drawn behind, is the base's `ekran`.

    int setup() override;
    int draw() override;
    int update() override;
    // Slides the buttons with the panel, then runs the layout.
    virtual int _updateGUI();
    virtual int _drawBack();
    virtual int _drawMyText(const std::string& text, float x, float y, const TRGB& colour, float a);
    virtual int _drawAward(float y);
    virtual int _drawPanel();
    virtual int prepare(const std::shared_ptr<TAwardRecord>& award, TEkran* caller);
    // Shows the award over the caller until "ok" is clicked; nothing at all for null.
    virtual int mainLoop(const std::shared_ptr<TAwardRecord>& award, TEkran* caller);

    bool loaded = false;
};

extern TShowAward showAward;

// A freshly made panel: for tests.
void resetShowAward();
