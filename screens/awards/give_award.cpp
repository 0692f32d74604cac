#include "screens/awards/give_award.h"

#include "app/frame.h"
#include "app/profile/profile.h"
#include "app/profile/profile_manager.h"
#include "effects/flying_tresure.h"
#include "effects/particles.h"
#include "gui/core/gui.h"
#include "gui/data/txtfile.h"
#include "gui/frame/mouse.h"
#include "gui/globals.h"
#include "gui/text/draw.h"
#include "gui/text/type_style.h"
#include "platform/input.h"

TGiveAward giveAward;

void resetGiveAward() {
    giveAward.~TGiveAward();
    new (&giveAward) TGiveAward();
}

int TGiveAward::setup() {
    auto txt = loadTxtFile(bDir + "txt/" + lang + "/giveAward.txt");
    txtGrats = readTxtData(txt, 2);
    txtYouReceived = readTxtData(txt, 3);
    _setupPanel("giveAward");
    return 0;
}

int TGiveAward::prepare(const std::shared_ptr<TAwardRecord>& a, TEkran* caller) {
    // The definition itself goes to the profile, not a copy: held awards are compared by
    // object, and the profile is saved at the game's usual points, not here.
    if (TProfile* p = profileManager.profile.get()) p->awardy.push_back(a);
    return _preparePanel(a, caller);
}

int TGiveAward::update() {
    _updateSystem(0);
    _updateFade();
    _updateFlyingTresures();
    _updateAlpha();
    _updateGUI();
    _updateParticles(nullptr);
    return 0;
}

int TGiveAward::_drawAward(float y) {
    if (!award) return 0;
    // An award without a picture keeps its texts; the picture's place stays empty.
    if (award->img) DrawImage(award->img, centreX, y, 0);

    // Plain values: nothing to allocate each frame.
    const TRGB& white = typestyle::kBody;
    const TRGB& yellow = typestyle::kGold;
    SetScale(1, 1);
    SetImageFont(font);
    _drawMyText(txtGrats, centreX - float(TextWidth(txtGrats) / 2), y - 190, white, 1);

    SetImageFont(font2);
    drawAwardParagraph(txtYouReceived, 275, y - 150, 245, alpha);

    _drawMyText(award->title, centreX - float(TextWidth(award->title) / 2), y - 120, yellow, 1);
    return 0;
}

int TGiveAward::mainLoop(const std::shared_ptr<TAwardRecord>& a, TEkran* caller) {
    if (!a) return 0;
    prepare(a, caller);
    while (true) {
        Cls();
        update();
        draw();
        myFlip(1, this);
        // Clicks count only once the panel stands still.
        if (alpha == 1 && ((Gui && Gui->clickedItem("ok")) || mouse.leftPressed)) {
            dAlpha = 0;
            dFade = 0;
            FlushMouse();
            mouse.clear();
        }
        if (alpha == 0 && dAlpha == 0) break;
    }
    mouse.clear();
    FlushMouse();
    return 0;
}
