#pragma once
// The award details panel: the gallery opens it on a click on an award. It slides down
// over the gallery behind a half-dark veil with the award's picture, name and description;
// an award the player does not hold shows its picture at half opacity. Only "ok" closes it,
// and it changes nothing in the profile.
#include <memory>

#include "screens/awards/award_panel.h"

class TShowAward : public TAwardPanel {
public:
    TShowAward();

    // font: the award's name; font2: its description.

    int setup() override;
    int update() override;
    int _drawAward(float y) override;
    virtual int prepare(const std::shared_ptr<TAwardRecord>& award, TEkran* caller);
    // Shows the award over the caller until "ok" is clicked; nothing at all for null.
    virtual int mainLoop(const std::shared_ptr<TAwardRecord>& award, TEkran* caller);

    bool loaded = false;
};

extern TShowAward showAward;

// A freshly made panel: for tests.
void resetShowAward();
