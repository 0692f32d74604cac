#include "screens/panels/panels_install.h"

#include <typeinfo>

#include "app/profile/profile_manager.h"
#include "screens/panels/enter_name.h"
#include "screens/panels/papirus.h"
#include "screens/panels/popup.h"

namespace {

// The first name is asked over a bare screen object before any screen runs: show what the
// profile screen draws behind itself (the title screen once it is installed).
class Backdrop : public TEkran {
public:
    int draw() override {
        if (profileDialogs().drawBack) profileDialogs().drawBack();
        return 0;
    }
};
Backdrop backdrop;

TEkran* behind(TEkran& screen) { return typeid(screen) == typeid(TEkran) ? &backdrop : &screen; }

}  // namespace

int setupPanels() {
    TPapirus::setup();
    enterName.setup();
    popUp.setup();
    return 0;
}

void installPanels() {
    if (!popUp.loaded) popUp.setup();
    if (!enterName.loaded) enterName.setup();
    auto& d = profileDialogs();
    d.enterName = [](TEkran& screen, const std::string& title, int32_t nowy, const std::string& text) {
        return enterName.mainLoop(behind(screen), title, nowy, text);
    };
    d.yesOrNo = [](const std::string& question, TEkran& screen) { return int32_t(yesOrNo(question, behind(screen))); };
    d.info = [](const std::string& text, TEkran& screen) { showInfo(text, behind(screen)); };
}
