#pragma once
// What the two award panels (granted, details) share: a panel that slides down from above
// over the screen that opened it (the base's `ekran`, drawn behind a half-dark veil), its
// buttons sliding with it, and the outlined texts. Each panel writes its own award part.
#include <memory>
#include <string>

#include "app/ekran.h"
#include "game/awards/awards.h"
#include "gui/core/dim.h"
#include "platform/graphics.h"

class TAwardPanel : public TEkran {
public:
    explicit TAwardPanel(float centreX) : centreX(centreX) {}

    TImage panel;                         // handle at its centre
    std::shared_ptr<TAwardRecord> award;  // the award being shown
    TImageFont font;
    TImageFont font2;
    float centreX;                        // the panel's centre x

    int draw() override;
    // "gfx/gui/<name>/panel.png", the layout "<name>.gui" beside it, and the two fonts.
    virtual int _setupPanel(const std::string& name);
    // Shows `award` over `caller` from its start: hidden above, the veil fading in.
    virtual int _preparePanel(const std::shared_ptr<TAwardRecord>& award, TEkran* caller);
    // Puts the k-th button's box top at 520 + 60 k, raised with the panel, fades every widget
    // with the panel, then runs the layout.
    virtual int _updateGUI();
    // The caller, then the drawing state of the panel's opacity.
    virtual int _drawBack();
    // A drop shadow, a black outline and the text in `colour`, at a x the panel's opacity.
    virtual int _drawMyText(const std::string& text, float x, float y, const TRGB& colour, float a);
    // The picture and texts of the award, the panel's centre at height y.
    virtual int _drawAward(float y) = 0;
    // The veil, the panel and its award.
    virtual int _drawPanel();

    // The panel's centre y for an opacity: -16 hidden, 384 arrived.
    static float panelY(float alpha);
};

// `text` wrapped and centred in [left, left + width] from `top`, in the current font: a
// shadow at half `alpha`, an ink outline at `alpha`, then the body colour at `top`.
void drawAwardParagraph(const std::string& text, float left, float top, float width, float alpha);
