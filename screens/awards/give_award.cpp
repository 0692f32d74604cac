#include "screens/awards/give_award.h"

#include "app/frame.h"
#include "app/profile/profile.h"
#include "app/profile/profile_manager.h"
#include "effects/flying_tresure.h"
#include "effects/particles.h"
#include "gui/core/gui.h"
#include "gui/core/guiobject.h"
#include "gui/data/txtfile.h"
#include "gui/frame/fontcache.h"
#include "gui/frame/mouse.h"
#include "gui/globals.h"
#include "gui/text/draw.h"
#include "platform/input.h"
#include "screens/awards/award_panel.h"

TGiveAward giveAward;

void resetGiveAward() {
    giveAward.~TGiveAward();
    new (&giveAward) TGiveAward();
}

namespace {

constexpr float kCentreX = 400;

}  // namespace

float TGiveAward::panelY(float a) { return awardPanelY(a); }

int TGiveAward::setup() {
    auto txt = loadTxtFile(bDir + "txt/" + lang + "/giveAward.txt");
    txtGrats = readTxtData(txt, 2);
    txtYouReceived = readTxtData(txt, 3);
    panel = LoadImage(bDir + "gfx/gui/giveAward/panel.png");
    Gui = loadGui(bDir + "gfx/gui/giveAward/giveAward.gui");
    if (panel) MidHandleImage(panel);
    font = myLoadImageFont(bDir + "gfx/fonts/berry.ttf", 24);
    font2 = myLoadImageFont(bDir + "gfx/fonts/berry.ttf", 18);
    return 0;
}

int TGiveAward::prepare(const std::shared_ptr<TAwardRecord>& a, TEkran* caller) {
    // The definition itself goes to the profile, not a copy: held awards are compared by
    // object, and the profile is saved at the game's usual points, not here.
    if (TProfile* p = profileManager.profile.get()) p->awardy.push_back(a);
    dAlpha = 1;
    alpha = 0;
    dFade = 0.5f;
    fade = 0;
    wynik.clear();
    award = a;
    ekran = caller;
    return 0;
}

int TGiveAward::_updateGUI() {
    if (Gui) slideAwardButtons(*Gui, alpha);
    return 0;
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

int TGiveAward::_drawBack() {
    if (ekran) ekran->draw();
    SetColor(255, 255, 255);
    SetBlend(ALPHABLEND);
    SetRotation(0);
    SetScale(1, 1);
    SetAlpha(alpha);
    return 0;
}

int TGiveAward::_drawMyText(const std::string& text, float x, float y, const TRGB& c, float a) {
    drawShadowedText(text, x, y, c, a * alpha);
    return 0;
}

int TGiveAward::_drawAward(float y) {
    if (!award) return 0;
    // An award without a picture keeps its texts; the picture's place stays empty.
    if (award->img) DrawImage(award->img, kCentreX, y, 0);

    // Plain values: nothing to allocate each frame.
    const TRGB white{255, 255, 255};
    const TRGB yellow{255, 255, 0};
    SetScale(1, 1);
    SetImageFont(font);
    _drawMyText(txtGrats, kCentreX - float(TextWidth(txtGrats) / 2), y - 190, white, 1);

    SetImageFont(font2);
    drawAwardParagraph(txtYouReceived, 275, y - 150, 245, alpha);

    _drawMyText(award->title, kCentreX - float(TextWidth(award->title) / 2), y - 120, yellow, 1);
    return 0;
}

int TGiveAward::_drawPanel() {
    _drawFade();
    SetColor(255, 255, 255);
    SetBlend(ALPHABLEND);
    SetRotation(0);
    SetScale(1, 1);
    SetAlpha(alpha);
    const float y = panelY(alpha);
    if (panel) DrawImage(panel, kCentreX, y);
    _drawAward(y);
    return 0;
}

int TGiveAward::draw() {
    _drawBack();
    _drawPanel();
    _drawGui();
    _drawMouse();
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
