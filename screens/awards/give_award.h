#pragma once
// The award-granted panel: a modal overlay that slides down over the screen that opened it
// (the win screen, which keeps drawing and animating behind a half-dark veil), grants the
// award to the current profile as it opens, and closes with "ok" or a click once it stands.
#include <memory>
#include <string>

#include "app/ekran.h"
#include "game/awards/awards.h"
#include "gui/core/dim.h"
#include "platform/graphics.h"

class TGiveAward : public TEkran {
public:
    TImage panel;                          // handle at its centre
    std::shared_ptr<TAwardRecord> award;   // the award being shown
    TEkran* ekran = nullptr;               // the caller, drawn behind (not owned)
    TImageFont font;                       // heading
    TImageFont font2;                      // sentence and the award's name
    std::string txtGrats;
    std::string txtYouReceived;

    int setup() override;
    int draw() override;
    int update() override;
    // Slides the buttons with the panel, then runs the layout.
    virtual int _updateGUI();
    virtual int _drawBack();
    virtual int _drawMyText(const std::string& text, float x, float y, const TRGB& colour, float a);
    virtual int _drawAward(float y);
    virtual int _drawPanel();
    // Appends the award (the very definition object) to the profile's awards and resets.
    virtual int prepare(const std::shared_ptr<TAwardRecord>& award, TEkran* caller);
    // Shows the award over the caller until it is clicked away; nothing at all for null.
    virtual int mainLoop(const std::shared_ptr<TAwardRecord>& award, TEkran* caller);

    // The panel's centre y for an opacity: -16 hidden, 384 arrived.
    static float panelY(float alpha);
};

extern TGiveAward giveAward;

// A freshly made panel: for tests.
void resetGiveAward();
