#include "screens/rules/rules_screen.h"

#include <new>

#include "app/frame.h"
#include "gui/data/txtfile.h"
#include "gui/frame/fontcache.h"
#include "gui/frame/mouse.h"
#include "gui/globals.h"
#include "gui/text/draw.h"
#include "gui/text/type_style.h"

TRulesScreen rulesScreen;

void resetRulesScreen() {
    rulesScreen.~TRulesScreen();
    new (&rulesScreen) TRulesScreen();
}

int TRulesScreen::setup() {
    txtRules = loadTxtFile(bDir + "txt/#LANG#/Rules.txt")->txt;
    back = LoadImage(bDir + "gfx/gui/rulesScreen/back.jpg");
    pomoc1 = LoadImage(bDir + "gfx/gui/rulesScreen/pomoc1.png");
    pomoc2 = LoadImage(bDir + "gfx/gui/rulesScreen/pomoc2.png");
    txtFont1 = myLoadImageFont(bDir + "gfx/fonts/berry.ttf", 16);
    txtFont2 = myLoadImageFont(bDir + "gfx/fonts/berry.ttf", 26);
    return 0;
}

std::string TRulesScreen::line(size_t n) const {
    // A rules text shorter than the page needs leaves the missing parts blank.
    return n >= 1 && n <= txtRules.size() ? txtRules[n - 1] : std::string();
}

int TRulesScreen::prepare(TEkran* prev) {
    ekran = prev;
    alpha = 0;
    dAlpha = 1;
    return 0;
}

int TRulesScreen::update() {
    _updateSystem(0);
    _updateGui();
    _updateAlpha();
    return 0;
}

int TRulesScreen::_drawRules() { return 0; }

int TRulesScreen::draw() { return _drawBack(); }

int TRulesScreen::_drawBack() {
    if (ekran) ekran->draw();
    SetAlpha(alpha);
    SetBlend(ALPHABLEND);
    SetScale(1, 1);
    SetRotation(0);
    SetColor(255, 255, 255);
    if (back) DrawImage(back, 0, 0);

    SetImageFont(txtFont2);
    const std::string title = line(1);
    drawShadowedText(title, float(512 - TextWidth(title) / 2), 10, typestyle::kGold, alpha);

    SetImageFont(txtFont1);
    const TRGB& ink = typestyle::kInkText;
    SetColor(ink.r, ink.g, ink.b);
    drawSpecText(line(2), 50, 100, 440, "LEFT", 0, txtFont1, 1);
    drawSpecText(line(3), 550, 500, 420, "LEFT", 0, txtFont1, 1);
    const std::string caption = line(5);
    SetImageFont(txtFont1);
    DrawText(caption, float(280 - TextWidth(caption) / 2), 690);
    DrawText(caption, float(775 - TextWidth(caption) / 2), 690);

    SetColor(255, 255, 255);
    if (pomoc1) DrawImage(pomoc1, 70, 250);
    if (pomoc2) DrawImage(pomoc2, 560, 100);
    return 0;
}

int TRulesScreen::mainloop(TEkran* prev) {
    prepare(prev);
    do {
        Cls();
        update();
        draw();
        myFlip(1, this);
        if (mouse.leftPressed) dAlpha = 0;
    } while (dAlpha != 0 || alpha != 0);
    return 0;
}
