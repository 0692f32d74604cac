#pragma once
// The pop-up and the name entry over a recording screen, on the headless platform with
// scripted input: small layouts in a scratch asset folder, and a helper to build scripts.
#include "menus_fixture.h"

#include "gui/widgets/text.h"
#include "screens/panels/enter_name.h"
#include "screens/panels/panels_install.h"
#include "screens/panels/papirus.h"
#include "screens/panels/popup.h"

namespace paneltest {

using menutest::MenusTest;

// The screen beneath an overlay: counts its draws and keeps what the entry held each time.
class Beneath : public TEkran {
public:
    int draws = 0;
    std::vector<std::string> seen;
    int draw() override {
        ++draws;
        seen.push_back(enterName.wpis);
        return 0;
    }
};

class PanelsTest : public MenusTest {
protected:
    void SetUp() override {
        MenusTest::SetUp();
        resetPopUp();
        resetEnterName();
        TPapirus::reset();
        // A loop that never ends stops the case instead of hanging it.
        SetEndHandler([](int code) { throw code; });
        openDisplay();
        writePopUpLayout(true, true, true);
        writePng("gfx/gui/popUp/panel.png", 500, 320);
        write("gfx/gui/enterName/en/enterName.gui",
              button("ok", "gfx/b/ok.png", 430, 460) + button("cancel", "gfx/b/cancel.png", 594, 460));
        writePng("gfx/gui/enterName/panel.png", 460, 260);
        profileManager.txtProfilIstnieje = "Taken!";
    }
    void TearDown() override {
        SetEndHandler(nullptr);
        profileManager.listaProfili.clear();
        resetPopUp();
        resetEnterName();
        TPapirus::reset();
        MenusTest::TearDown();
    }
    void writePopUpLayout(bool t1, bool yes, bool no) {
        std::string gui;
        if (t1) gui += "TEXT t1\n{\n\tPOSITION = \"300 250 424\"\n\tALIGN = CENTER\n}\n\n";
        if (yes) gui += button("yes", "gfx/b/yes.png", 512, 440);
        if (no) gui += button("no", "gfx/b/no.png", 512, 488);
        write("gfx/gui/popUp/en/popUp.gui", gui);
    }
    static ScriptCommand key(int frame, const std::string& name) { return cmd(frame, "key", {name}); }
    static ScriptCommand type(int frame, const std::string& text) { return cmd(frame, "type", {text}); }
    std::shared_ptr<menutest::FakeProfile> addPlayer(const std::string& name, bool current = false) {
        auto p = std::make_shared<menutest::FakeProfile>();
        p->name = name;
        p->id = profileIdOf(name);
        profileManager.listaProfili.push_back(p);
        if (current) profileManager.profile = p;
        return p;
    }
    Beneath beneath;
};

}  // namespace paneltest
