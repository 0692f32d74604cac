// libFuzzer entry for the layout reader: any text must load without a crash or hang, give
// only complete widgets, survive being updated and drawn, and load again over itself (the
// developer reload path) with the same widgets.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "gui/core/gui.h"
#include "gui/core/selector.h"
#include "gui/frame/mouse.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/system.h"

namespace {

void check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SetNotifyHandler([](const std::string&) {});
    InitPlatform(true);
    Graphics(1024, 768, 0, 60);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    auto gui = createGui();
    gui->LoadText(text);
    for (const auto& w : gui->_listaObiektow) check(w && w->dim);

    // A few frames: pointer on a widget's box point, pressed and held.
    size_t frames = 0;
    InjectChar('a');
    InjectChar(8);
    InjectChar(13);
    for (const auto& w : gui->_listaObiektow) {
        if (++frames > 8) break;
        mouse.x = int(w->dim->x);
        mouse.y = int(w->dim->y);
        mouse.leftPressed = 1;
        mouse.leftHolded = 1;
        gui->update();
        gui->draw();
        // A clicked name is a widget, or an option a selector (a menu bar entry) reported.
        bool selectors = false;
        for (const auto& s : gui->_listaObiektow)
            if (dynamic_cast<TGuiSelector*>(s.get())) selectors = true;
        check(gui->_clicked.empty() || selectors || gui->getItem(gui->_clicked) != nullptr);
    }

    const size_t count = gui->_listaObiektow.size();
    const auto first = count ? gui->_listaObiektow.front() : nullptr;
    gui->LoadText(text);
    check(gui->_listaObiektow.size() == count);
    check(!first || gui->_listaObiektow.front() == first);
    ClearRecordedDraws();
    return 0;
}
