// The built-in overlays of the profile screen: name entry, the yes/no question and a
// notice. Used until the overlay screens install their own (profileDialogs()).
#include "app/frame.h"
#include "app/profile/profile_manager.h"
#include "gui/frame/fontcache.h"
#include "gui/frame/modal.h"
#include "gui/frame/mouse.h"
#include "gui/globals.h"
#include "gui/text/type_style.h"
#include "platform/input.h"
#include "platform/strings.h"
#include "platform/system.h"

namespace {

constexpr int kHeadlessFrameCap = 100000;
constexpr int KEY_N = 'N';
constexpr int KEY_Y = 'Y';

TImageFont dialogFont() { return myLoadImageFont(bDir + "gfx/fonts/berry.ttf", 26); }

// The screen beneath, darkened, and a parchment-coloured box with the lines centred.
void drawBox(TEkran& screen, const std::vector<std::string>& lines) {
    screen.draw();
    drawModalDim();
    SetColor(92, 58, 30);
    DrawRect(262, 290, 500, 190);
    SetColor(240, 222, 178);
    DrawRect(268, 296, 488, 178);
    SetImageFont(dialogFont());
    float y = 318;
    for (const auto& line : lines) {
        SetColor(typestyle::kInkText.r, typestyle::kInkText.g, typestyle::kInkText.b);
        DrawText(line, float(512 - TextWidth(line) / 2), y);
        y += 44;
    }
}

bool nameChar(int32_t c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

std::string builtInEnterName(TEkran& screen, const std::string& title, int32_t nowy, const std::string& text) {
    std::string name = cleanProfileName(text);
    FlushKeys();
    FlushMouse();
    for (int frames = 0; !IsHeadless() || frames < kHeadlessFrameCap; ++frames) {
        Cls();
        _updateSystem(0);
        for (int32_t c = GetChar(); c != 0; c = GetChar())
            if (nameChar(c) && name.size() < 20) name += char(c);
        if (KeyHit(KEY_BACKSPACE) && !name.empty()) name.pop_back();
        bool caret = (Millisecs() / 400) % 2 == 0;
        drawBox(screen, {title, name + (caret ? "_" : " "), "Enter = OK    Esc = cancel"});
        myFlip(1, &screen);
        if (KeyHit(KEY_ENTER) && !name.empty()) {
            if (nowy != 0 && profileManager.nameTaken(name, nullptr)) {
                profileDialogs().info(profileManager.txtProfilIstnieje, screen);
                continue;
            }
            return name;
        }
        if (KeyHit(KEY_ESCAPE) && profileManager.profile) return "";
    }
    return "";
}

int32_t builtInYesOrNo(const std::string& question, TEkran& screen) {
    FlushKeys();
    FlushMouse();
    for (int frames = 0; !IsHeadless() || frames < kHeadlessFrameCap; ++frames) {
        Cls();
        _updateSystem(0);
        drawBox(screen, {question, "Y / Enter = yes    N / Esc = no"});
        myFlip(1, &screen);
        if (KeyHit(KEY_ENTER) || KeyHit(KEY_Y)) return 1;
        if (KeyHit(KEY_ESCAPE) || KeyHit(KEY_N)) return 0;
    }
    return 0;
}

void builtInInfo(const std::string& text, TEkran& screen) {
    FlushKeys();
    FlushMouse();
    for (int frames = 0; !IsHeadless() || frames < kHeadlessFrameCap; ++frames) {
        Cls();
        _updateSystem(0);
        drawBox(screen, {text, "Enter = OK"});
        myFlip(1, &screen);
        if (KeyHit(KEY_ENTER) || KeyHit(KEY_ESCAPE) || mouse.leftPressed) return;
    }
}

TProfileDialogs builtIns() {
    TProfileDialogs d;
    d.enterName = builtInEnterName;
    d.yesOrNo = builtInYesOrNo;
    d.info = builtInInfo;
    return d;
}

}  // namespace

TProfileDialogs& profileDialogs() {
    static TProfileDialogs d = builtIns();
    return d;
}

void resetProfileDialogs() { profileDialogs() = builtIns(); }
