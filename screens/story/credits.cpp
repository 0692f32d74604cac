#include "screens/story/credits.h"

#include <new>

#include "app/frame.h"
#include "app/options.h"
#include "gui/data/txtfile.h"
#include "gui/frame/deltatime.h"
#include "gui/frame/fontcache.h"
#include "gui/frame/mouse.h"
#include "gui/globals.h"
#include "gui/text/type_style.h"
#include "platform/input.h"
#include "screens/menu/main_menu.h"

TCredits credits;

namespace {

constexpr float kCentreX = 512;
constexpr float kRowGap = 2;
constexpr float kRestartY = 800;

// The text without its first character (the marker) and its last one. A line of the marker
// alone leaves nothing. The last character may take several bytes.
std::string cutEnds(const std::string& text) {
    if (text.size() < 2) return "";
    size_t end = text.size() - 1;
    while (end > 1 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return text.substr(1, end - 1);
}

}  // namespace

int TCreditData::draw(int y, float alpha) const {
    SetBlend(ALPHABLEND);
    SetImageFont(font);
    const float x = kCentreX - float(TextWidth(txt) / 2);
    SetAlpha(alpha * 0.5f);
    SetColor(typestyle::kInk.r, typestyle::kInk.g, typestyle::kInk.b);
    DrawText(txt, x + 3, float(y + 3));
    SetAlpha(alpha);
    SetColor(typestyle::kGold.r, typestyle::kGold.g, typestyle::kGold.b);
    DrawText(txt, x, float(y));
    return 0;
}

bool TCredits::makeRow(const std::string& line, TCreditData& row) const {
    if (line.empty()) return false;
    row.txt = line;
    row.font = font1;
    if (row.txt[0] == '#') {
        row.font = font2;
        row.txt = cutEnds(row.txt);
    }
    if (!row.txt.empty() && row.txt[0] == '$') {
        row.font = font3;
        row.txt = cutEnds(row.txt);
    }
    return true;
}

int TCredits::setup() {
    img = LoadImage(bDir + "gfx/gui/credits/credits.jpg");
    font1 = myLoadImageFont(bDir + "gfx/fonts/berry.ttf", 26);
    font2 = myLoadImageFont(bDir + "gfx/fonts/berry.ttf", 42);
    font3 = myLoadImageFont(bDir + "gfx/fonts/berry.ttf", 60);
    auto txt = loadTxtFile(bDir + "txt/" + lang + "/credits.txt");
    lista.clear();
    for (int32_t i = 1; i <= txt->lines(); ++i) {
        TCreditData row;
        if (makeRow(readTxtData(txt, i), row)) lista.push_back(row);
    }
    loaded = true;
    return 0;
}

int TCredits::prepare() {
    alpha = 0;
    dAlpha = 1;
    y = 768;
    return 0;
}

int TCredits::update() {
    _updateSystem(0);
    _updateFade();
    _updateAlpha();
    _updateMove();
    return 0;
}

int TCredits::_updateMove() {
    y -= 1 * delta;
    return 0;
}

int TCredits::_drawBack() {
    if (wynik == "MAIN-MENU") mainMenu.draw();
    else if (wynik != "NONE") options.draw();
    SetColor(255, 255, 255);
    SetAlpha(alpha);
    SetBlend(ALPHABLEND);
    SetScale(1, 1);
    SetRotation(0);
    if (img) DrawImage(img, 0, 0);
    return 0;
}

int TCredits::_drawCredits() {
    float top = y;
    for (const TCreditData& row : lista) {
        row.draw(int(top), alpha);
        SetImageFont(row.font);
        top += float(TextHeight(row.txt)) + kRowGap;
    }
    // The whole roll has gone over the top: start again from below.
    if (top < 0) y = kRestartY;
    return 0;
}

int TCredits::draw() {
    _drawBack();
    _drawCredits();
    _drawFade();
    return 0;
}

bool TCredits::frame() {
    Cls();
    update();
    draw();
    myFlip(1, this);
    if (mouse.leftPressed || KeyHit(KEY_ENTER) || KeyHit(KEY_SPACE) || KeyHit(KEY_ESCAPE)) {
        dAlpha = 0;
        if (wynik == "NONE") wynik = "MAIN-MENU";
    }
    return !(alpha == 0 && dAlpha == 0);
}

std::string TCredits::mainLoop() {
    prepare();
    while (frame()) {
    }
    return wynik;
}

void resetCredits() {
    credits.~TCredits();
    new (&credits) TCredits();
}
