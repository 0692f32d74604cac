#pragma once
// The award-granted panel: a modal overlay that slides down over the screen that opened it
// (the win screen, which keeps drawing and animating behind a half-dark veil), grants the
// award to the current profile as it opens, and closes with "ok" or a click once it stands.
#include <memory>
#include <string>

#include "screens/awards/award_panel.h"

class TGiveAward : public TAwardPanel {
public:
    TGiveAward() : TAwardPanel(400) {}

    // font: the heading; font2: the sentence and the award's name.
    std::string txtGrats;
    std::string txtYouReceived;

    int setup() override;
    int update() override;
    int _drawAward(float y) override;
    // Appends the award (the very definition object) to the profile's awards and resets.
    virtual int prepare(const std::shared_ptr<TAwardRecord>& award, TEkran* caller);
    // Shows the award over the caller until it is clicked away; nothing at all for null.
    virtual int mainLoop(const std::shared_ptr<TAwardRecord>& award, TEkran* caller);
};

extern TGiveAward giveAward;

// A freshly made panel: for tests.
void resetGiveAward();
