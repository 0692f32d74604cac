#include "screens/dialogs/dialog_box.h"

#include <cmath>

#include "app/frame.h"
#include "app/profile/profile.h"
#include "app/profile/profile_manager.h"
#include "app/profile/profile_world.h"
#include "gui/data/qcmfile.h"
#include "gui/data/txtfile.h"
#include "gui/frame/fontcache.h"
#include "gui/frame/modal.h"
#include "gui/frame/mouse.h"
#include "gui/globals.h"
#include "gui/text/type_style.h"
#include "platform/graphics.h"
#include "platform/system.h"
#include "screens/story/story_draw.h"

TDialogBox dialogBox;

namespace {

constexpr float kPi = 3.14159265358979f;

}  // namespace

TDialogBox::TDialogBox() { id = "DIALOG-BOX"; }

void resetDialogBox() {
    dialogBox.~TDialogBox();
    new (&dialogBox) TDialogBox();
    TDialogText::font = nullptr;
    SetDialogService(nullptr, nullptr);
    setDialogSource(nullptr);
}

int TDialogBox::setup() {
    auto file = loadQCMFile(bDir + "data/dialogs.dat");
    auto texts = loadTxtFile(bDir + "txt/#LANG#/dialogs.txt");
    txtClickToContinue = readTxtData(loadTxtFile(bDir + "txt/#LANG#/dialogBox.txt"), 1);
    panel = LoadImage(bDir + "gfx/gui/story/panel.png");
    x = 262;
    w = 500;
    dialogTexts = readDialogs(*file, texts.get(), bDir, this);
    kolko = LoadImage(bDir + "gfx/gui/story/kolko.png");
    if (kolko) MidHandleImage(kolko);
    bars = LoadImage(bDir + "gfx/gui/story/bars.png");
    TDialogText::font = myLoadImageFont(bDir + "gfx/fonts/storyFont.ttf", 24);
    fontex = myLoadImageFont(bDir + "gfx/fonts/storyFont.ttf", 16);
    loaded = true;
    return 0;
}

std::shared_ptr<TDialogText> TDialogBox::getDialogText(int n) const {
    for (const auto& d : dialogTexts)
        if (d && d->id == n) return d;
    return nullptr;
}

bool TDialogBox::prepare(TEkran* caller, int n) {
    auto d = getDialogText(n);
    if (!d) return false;
    ekran = caller;
    dialog = d;
    dialog->countHeight();
    dialog->reset();
    alpha = dAlpha = 0;
    fade = 0;
    dFade = 1;
    fSpeed = 0.02f;
    state = "START";
    return true;
}

int TDialogBox::_updateState() {
    if (state == "START") {
        dFade = 1;
        if (fade > 0.4f) dAlpha = 1;
    } else if (state == "EXIT") {
        dAlpha = 0;
        dFade = 0;
    }
    return 0;
}

int TDialogBox::_updateWin() { return 0; }

int TDialogBox::_updateDialogText() {
    if (dialog) dialog->update();
    return 0;
}

int TDialogBox::update() {
    _updateSystem(0);
    _updateState();
    _updateAlpha();
    _updateWin();
    _updateDialogText();
    _updateFade();
    return 0;
}

int TDialogBox::_drawBack() {
    if (ekran) ekran->draw();
    // The game behind is dimmed as behind every modal panel, with the bars.
    drawModalDim(fade);
    SetBlend(ALPHABLEND);
    SetColor(255, 255, 255);
    SetAlpha(alpha);
    SetScale(1, 1);
    SetRotation(0);
    return 0;
}

int TDialogBox::_drawPaski() {
    story::drawSlideBars(bars, 200 * std::sin(fade * kPi / 2), fade);
    return 0;
}

int TDialogBox::_drawPanel() {
    SetBlend(ALPHABLEND);
    SetColor(255, 255, 255);
    SetAlpha(alpha);
    SetScale(1, 1);
    SetRotation(0);
    if (panel) DrawImage(panel, 200, 210);
    return 0;
}

int TDialogBox::_drawTexts() {
    if (dialog) dialog->draw();
    SetColor(typestyle::kBody.r, typestyle::kBody.g, typestyle::kBody.b);
    SetAlpha(alpha);
    SetImageFont(fontex);
    SetScale(1, 1);
    DrawText(txtClickToContinue, float(512 - TextWidth(txtClickToContinue) / 2), 500);
    return 0;
}

int TDialogBox::draw() {
    _drawBack();
    _drawPaski();
    _drawPanel();
    _drawTexts();
    _drawMouse();
    return 0;
}

int TDialogBox::control() {
    if (!dialog) return 0;
    bool waiting = false;
    for (const auto& l : dialog->lines)
        if (l->dA == 0) waiting = true;
    if (waiting) {
        for (auto& l : dialog->lines) l->dA = 1;
    } else {
        state = "EXIT";
    }
    return 0;
}

int TDialogBox::mainLoop(TEkran* caller, int n) {
    if (!prepare(caller, n)) {
        Print("Napotkano problem : no dialogue has the id " + std::to_string(n) + "; nothing shown");
        return 0;
    }
    while (true) {
        Cls();
        update();
        draw();
        myFlip(1, this);
        if (mouse.leftPressed) control();
        if (alpha == 0 && dAlpha == 0 && state == "EXIT" && fade == 0 && dFade == 0) break;
    }
    // The bars and the panel are a screen's width: not kept through the rest of a level.
    OverlayClosed();
    return 0;
}

void installDialogBox() {
    setDialogSource([] {
        std::vector<TDialogKey> keys;
        keys.reserve(dialogBox.dialogTexts.size());
        for (const auto& d : dialogBox.dialogTexts) keys.push_back({d->id, d->atBeginOrEnd, d->stageN, d->levelN});
        return keys;
    });
    SetDialogService(
        [](const std::string& word) {
            const TProfile* p = profileManager.profile.get();
            return p ? p->checkDialog(word) : 0;
        },
        [](TEkran& screen, int n) { dialogBox.mainLoop(&screen, n); });
}
