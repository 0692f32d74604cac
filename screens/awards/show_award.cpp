#include "screens/awards/show_award.h"

#include <algorithm>

#include "app/frame.h"
#include "app/profile/profile.h"
#include "app/profile/profile_manager.h"
#include "gui/core/gui.h"
#include "gui/text/draw.h"
#include "gui/text/type_style.h"

TShowAward showAward;

namespace {

bool held(const std::shared_ptr<TAwardRecord>& a) {
    const TProfile* p = profileManager.profile.get();
    if (!p || !a) return false;
    return std::find(p->awardy.begin(), p->awardy.end(), a) != p->awardy.end();
}

}  // namespace

TShowAward::TShowAward() : TAwardPanel(512) { id = "SHOW-AWARD"; }

void resetShowAward() {
    showAward.~TShowAward();
    new (&showAward) TShowAward();
}

int TShowAward::setup() {
    _setupPanel("showAward");
    loaded = true;
    return 0;
}

int TShowAward::prepare(const std::shared_ptr<TAwardRecord>& a, TEkran* caller) {
    return _preparePanel(a, caller);
}

int TShowAward::update() {
    _updateSystem(0);
    _updateFade();
    _updateAlpha();
    _updateGUI();
    return 0;
}

int TShowAward::_drawAward(float y) {
    if (!award) return 0;
    SetColor(255, 255, 255);
    // One the player has not earned yet stays at half, whatever the slide.
    SetAlpha(held(award) ? alpha : 0.5f);
    if (award->img) DrawImage(award->img, centreX, y, 0);
    SetAlpha(alpha);

    SetScale(1, 1);
    SetImageFont(font);
    _drawMyText(award->title, centreX - float(TextWidth(award->title) / 2), y - 190, typestyle::kGold, 1);

    SetImageFont(font2);
    drawAwardParagraph(award->opis, 382, y - 150, 260, alpha);
    return 0;
}

int TShowAward::mainLoop(const std::shared_ptr<TAwardRecord>& a, TEkran* caller) {
    if (!a) return 0;
    prepare(a, caller);
    while (true) {
        Cls();
        update();
        draw();
        myFlip(1, this);
        // Only "ok" closes, at any moment, also while the panel still arrives.
        if (Gui && Gui->clickedItem("ok")) {
            dAlpha = 0;
            dFade = 0;
        }
        if (alpha == 0 && dAlpha == 0) break;
    }
    return 0;
}
