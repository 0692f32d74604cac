#include "screens/play/special_tip.h"

#include "game/board/ease.h"
#include "game/board/tile.h"
#include "gui/data/txtfile.h"
#include "gui/frame/deltatime.h"
#include "gui/frame/fontcache.h"
#include "gui/frame/mouse.h"
#include "gui/globals.h"
#include "gui/text/draw.h"
#include "gui/text/type_style.h"
#include "platform/system.h"
#include "screens/play/main_game.h"

TImage TSpecialTip::img;
std::array<std::string, 2> TSpecialTip::texts;
TImageFont TSpecialTip::font;

int TSpecialTip::setup() {
    img = LoadImage(bDir + "gfx/gui/specialTip/back.png");
    if (img) MidHandleImage(img);
    auto txt = loadTxtFile(bDir + "txt/" + lang + "/specialTip.txt");
    texts[0] = readTxtData(txt, 1);
    texts[1] = readTxtData(txt, 2);
    font = myLoadImageFont(bDir + "gfx/fonts/berry.ttf", 18);
    return 0;
}

void resetSpecialTip() {
    TSpecialTip::img = nullptr;
    TSpecialTip::texts = {};
    TSpecialTip::font = nullptr;
}

namespace {
int bubbleWidth() { return TSpecialTip::img ? ImageWidth(TSpecialTip::img) : 290; }
const std::string& textOf(int n) { return TSpecialTip::texts[size_t(n == 1 ? 1 : 0)]; }
}  // namespace

int TSpecialTip::countPosition(const TTile& tile) {
    static const float centres[4][2] = {{150, 150}, {750, 150}, {150, 600}, {750, 600}};
    const int q = tile.checkCwiartka();
    x = centres[q][0];
    y = centres[q][1];
    return 0;
}

int TSpecialTip::countTextPosition() {
    const int W = bubbleWidth();
    tx = x - float(W / 2) + 50;
    // Measured by laying the text out unseen: the narrower width only centres it.
    SetAlpha(0);
    const int h = drawSpecText(textOf(textN), 0, 0, float(W - 130), "CENTER", 0, font, 0);
    ty = y - float(h) / 2;
    return 0;
}

bool TSpecialTip::update() {
    if (Millisecs() > time || mouse.leftPressed) dAlpha = 0;
    easeToward(alpha, dAlpha, 0.05f * delta);
    return !(alpha == 0 && dAlpha == 0);
}

int TSpecialTip::draw() {
    SetColor(255, 255, 255);
    SetBlend(ALPHABLEND);
    SetScale(1, 1);
    SetRotation(0);
    SetAlpha(alpha);
    if (img) DrawImage(img, x, y);
    const float W = float(bubbleWidth() - 90);
    const TRGB& ink = typestyle::kInk;
    const TRGB& gold = typestyle::kGold;
    SetColor(ink.r, ink.g, ink.b);
    drawSpecText(textOf(textN), int(tx + 2), int(ty + 2), W, "CENTER", 0, font, 0);
    SetColor(gold.r, gold.g, gold.b);
    drawSpecText(textOf(textN), int(tx), int(ty), W, "CENTER", 0, font, 0);
    SetColor(255, 255, 255);
    return 0;
}

// ---- the play screen's side -----------------------------------------------------------------

namespace {
void showTip(TMainGame& g, TTile& tile, int textN) {
    g.specialTip = std::make_shared<TSpecialTip>();
    g.specialTip->textN = textN;
    g.specialTip->time = Millisecs() + 4000;
    g.specialTip->countPosition(tile);
    g.specialTip->countTextPosition();
}
}  // namespace

void TMainGame::showTipToBroke(TTile& tile) { showTip(*this, tile, 1); }

void TMainGame::showTipToUncover(TTile& tile) { showTip(*this, tile, 0); }

int TMainGame::_updateSpecialTip() {
    if (specialTip && !specialTip->update()) specialTip.reset();
    return 0;
}

int TMainGame::_drawSpecialTip() {
    if (specialTip) specialTip->draw();
    _drawDebugData();
    return 0;
}

int TMainGame::_drawDebugData() { return 0; }
