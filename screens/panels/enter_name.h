#pragma once
// The name entry: a panel over the calling screen where the player types a profile name
// (letters and digits, at most 20, always upper case), confirmed with Enter or ok and
// cancelled with Escape or cancel (only once a current profile exists).
#include <cstdint>
#include <memory>
#include <string>

#include "app/ekran.h"
#include "platform/graphics.h"

class TGuiObject;

class TEnterName : public TEkran {
public:
    TEkran* ekran = nullptr;  // the calling screen, drawn behind the panel (hides the base's)
    std::string title;
    TImageFont font;   // the title
    TImageFont font1;  // the typed text
    TImage panel;      // handle at its centre
    std::string wpis;
    int32_t nowy = 0;  // 1: a new profile; 0: a rename of the current one
    int32_t switch_ = 0;  // the text cursor is shown
    int32_t time = 0;     // when the cursor toggles next
    int32_t _cancel = 0;

    int setup() override;
    int draw() override;
    int _updateGui() override;
    int update() override;
    virtual int _drawBack();
    virtual int _drawPanel();
    virtual int _drawWpis();
    virtual int _updateSwitch();
    virtual int prepare(TEkran* screen, const std::string& heading, int32_t isNew, const std::string& name);
    // The name in upper case, or "" when cancelled.
    virtual std::string mainLoop(TEkran* screen, const std::string& heading, int32_t isNew,
                                 const std::string& name);
    virtual int _controlGUI();
    virtual int _controlKeyboard();
    virtual int charOk(int32_t c);
    virtual int goOk();
    // 1 when another profile already has this name (in any case). A rename leaves the
    // current profile out, so an unchanged name is fine.
    virtual int takiProfilIstnieje();
    virtual int goCancel();

    std::shared_ptr<TGuiObject> okButton() const;
    std::shared_ptr<TGuiObject> cancelButton() const;
    bool loaded = false;
};

extern TEnterName enterName;

// A freshly made name entry: for tests.
void resetEnterName();
