#include "screens/panels/enter_name.h"

#include <new>

#include "app/frame.h"
#include "app/profile/profile_manager.h"
#include "gui/core/gui.h"
#include "gui/frame/fontcache.h"
#include "gui/frame/modal.h"
#include "gui/frame/mouse.h"
#include "gui/globals.h"
#include "gui/text/draw.h"
#include "gui/text/split.h"
#include "gui/text/type_style.h"
#include "platform/input.h"
#include "platform/strings.h"
#include "platform/system.h"
#include "screens/panels/popup.h"

TEnterName enterName;

namespace {

constexpr size_t kMaxName = 20;
constexpr int32_t kBlinkMs = 500;

}  // namespace

void resetEnterName() {
    enterName.~TEnterName();
    new (&enterName) TEnterName();
}

std::shared_ptr<TGuiObject> TEnterName::okButton() const { return Gui ? Gui->getItem("ok") : nullptr; }
std::shared_ptr<TGuiObject> TEnterName::cancelButton() const { return Gui ? Gui->getItem("cancel") : nullptr; }

int TEnterName::setup() {
    panel = LoadImage(bDir + "gfx/gui/enterName/panel.png");
    if (panel) MidHandleImage(panel);
    Gui = loadGui(bDir + "gfx/gui/enterName/enterName.gui");
    font = myLoadImageFont(bDir + "gfx/fonts/berry.ttf", 26);
    font1 = myLoadImageFont(bDir + "gfx/fonts/berry.ttf", 20);
    loaded = true;
    // Enter and Escape still work without the buttons.
    if (!okButton()) errorMsg("enterName.gui: no button ok");
    if (!cancelButton()) errorMsg("enterName.gui: no button cancel");
    return 0;
}

int TEnterName::prepare(TEkran* screen, const std::string& heading, int32_t isNew, const std::string& name) {
    if (!loaded) setup();
    ekran = screen;
    title = heading;
    alpha = 0;
    dAlpha = 1;
    nowy = isNew;
    wpis = name;
    _cancel = 0;
    return 0;
}

// ---- one frame ---------------------------------------------------------------------------

int TEnterName::_updateSwitch() {
    const int32_t now = Millisecs();
    if (now > time) {
        time = now + kBlinkMs;
        switch_ = switch_ ? 0 : 1;
    }
    return 0;
}

int TEnterName::_updateGui() {
    if (auto ok = okButton()) ok->setState(1, wpis.empty() ? 0 : 1);
    // Without a current profile there is no way out but a name.
    if (auto cancel = cancelButton()) cancel->setState(1, profileManager.profile ? 1 : 0);
    // Every widget fades with the panel; then the layout's update.
    return TEkran::_updateGui();
}

int TEnterName::update() {
    _updateSystem(0);
    _updateAlpha();
    _updateSwitch();
    _updateGui();
    return 0;
}

int TEnterName::_drawBack() {
    if (ekran) ekran->draw();
    drawModalDim(alpha);
    return 0;
}

int TEnterName::_drawPanel() {
    SetAlpha(alpha);
    SetScale(1, 1);
    SetBlend(ALPHABLEND);
    SetColor(255, 255, 255);
    SetRotation(0);
    if (panel) DrawImage(panel, 512, 384);
    SetImageFont(font);
    const int half = TextWidth(title) / 2;
    drawShadowedText(title, float(512 - half), 300, typestyle::kGold, alpha);
    return 0;
}

int TEnterName::_drawWpis() {
    wpis = str::upper(wpis);
    SetImageFont(font1);
    const int tw = TextWidth(wpis);
    const int half = tw / 2;
    drawShadowedText(wpis, float(515 - half), 357, typestyle::kBody, alpha, 0.3f);
    if (switch_ == 1) DrawRect(float(515 - half + tw + 2), 357, float(TextWidth("A")), float(TextHeight("A")));
    return 0;
}

int TEnterName::draw() {
    _drawBack();
    _drawPanel();
    _drawWpis();
    _drawGui();
    _drawMouse();
    return 0;
}

// ---- input -------------------------------------------------------------------------------

int TEnterName::charOk(int32_t c) {
    return ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) ? 1 : 0;
}

int TEnterName::_controlGUI() {
    if (!Gui) return 0;
    if (Gui->clickedItem("ok")) goOk();
    if (Gui->clickedItem("cancel")) goCancel();
    return 0;
}

int TEnterName::_controlKeyboard() {
    const int32_t c = GetChar();
    if (c == 0) return 0;
    if (c == KEY_ENTER) return goOk();
    if (c == KEY_ESCAPE) return goCancel();
    if (c == KEY_BACKSPACE) {
        if (!wpis.empty()) wpis.pop_back();  // only ASCII is ever typed here
        return 0;
    }
    if (charOk(c) && wpis.size() < kMaxName) wpis += char(c);
    return 0;
}

int TEnterName::takiProfilIstnieje() {
    for (const auto& p : profileManager.listaProfili) {
        if (!p) continue;
        // Two players of one name would share one profile folder.
        if (nowy == 0 && p == profileManager.profile) continue;
        if (str::equalsNoCase(p->name, wpis)) return 1;
    }
    return 0;
}

int TEnterName::goOk() {
    if (wpis.empty()) return 0;
    if (takiProfilIstnieje()) {
        showInfo(profileManager.txtProfilIstnieje, this);
        FlushKeys();
        FlushMouse();
        mouse.clear();
        return 0;
    }
    dAlpha = 0;
    return 0;
}

int TEnterName::goCancel() {
    if (!profileManager.profile) return 0;
    dAlpha = 0;
    _cancel = 1;
    return 0;
}

std::string TEnterName::mainLoop(TEkran* screen, const std::string& heading, int32_t isNew,
                                 const std::string& name) {
    prepare(screen, heading, isNew, name);
    // Only what is typed into the entry counts: the Escape or Enter that answered a
    // question just before would still be queued and cancel or confirm it at once.
    FlushKeys();
    do {
        Cls();
        update();
        draw();
        myFlip(1, this);
        // Input only while the panel is fully shown.
        if (alpha == 1) {
            _controlGUI();
            _controlKeyboard();
        }
    } while (!(alpha == 0 && dAlpha == 0));
    // The presses of the keys typed here are still counted: the screen beneath would take
    // the Enter that closed the entry, or a letter of the name, as its own key.
    FlushKeys();
    if (_cancel) wpis.clear();
    wpis = str::upper(wpis);
    return wpis;
}
