#pragma once
// The toolkit widgets' fixture: the toolkit layout (fixtures/en/toolkit.gui) with a theme of
// pieces of distinct sizes written into the temporary asset folder, read from the working
// folder as theme paths are.
#include <filesystem>
#include <memory>
#include <string>

#include "fixtures/widget_env.h"
#include "gui/data/qcmfile.h"
#include "gui/frame/letterbox.h"
#include "gui/widgets/theme.h"

namespace widgettest {

inline const char* const kToolkitTheme =
    "temat {\n"
    " okno {\n"
    "  leftUp = \"th/lu.png\"\n  Up = \"th/u.png\"\n  rightUp = \"th/ru.png\"\n"
    "  right = \"th/r.png\"\n  rightdown = \"th/rd.png\"\n  down = \"th/d.png\"\n"
    "  leftdown = \"th/ld.png\"\n  left = \"th/l.png\"\n  srodek = \"th/m.png\"\n"
    " }\n"
    " belka {\n"
    "  lewo = \"th/bl.png\"\n  srodek = \"th/bm.png\"\n  prawo = \"th/br.png\"\n"
    "  textRGB = 247, 222, 113\n  outLineRGB = 43, 26, 12\n  backRGB = 122, 74, 36\n"
    "  LU = \"th/p.png\"\n  U = \"th/p.png\"\n  RU = \"th/p.png\"\n  R = \"th/p.png\"\n"
    "  RD = \"th/p.png\"\n  D = \"th/p.png\"\n  LD = \"th/p.png\"\n  L = \"th/p.png\"\n"
    "  Middle = \"th/p.png\"\n"
    " }\n"
    " suwak {\n"
    "  przyciskGora = \"th/up.png\"\n  przyciskDol = \"th/down.png\"\n"
    "  pasekGora = \"th/tt.png\"\n  pasekSrodek = \"th/tm.png\"\n  pasekDol = \"th/tb.png\"\n"
    "  suwakGora = \"th/kt.png\"\n  suwakSrodek = \"th/km.png\"\n  suwakDol = \"th/kb.png\"\n"
    " }\n"
    "}\n";

class ToolkitEnv : public WidgetEnv {
protected:
    void SetUp() override {
        WidgetEnv::SetUp();
        keepDir = std::filesystem::current_path();
        std::filesystem::current_path(dir);
        writeFile("theme/temat.txt", kToolkitTheme);
        writeFile("gfx/fonts/berry.ttf", "stand-in");
        // Window: corners 16 x 16, top and bottom edges 8 x 12, side edges 12 x 4, middle 8 x 8.
        const std::pair<const char*, std::pair<int, int>> pieces[] = {
            {"lu", {16, 16}}, {"u", {8, 12}},  {"ru", {16, 16}}, {"r", {12, 4}},
            {"rd", {16, 16}}, {"d", {8, 12}},  {"ld", {16, 16}}, {"l", {12, 4}},
            {"m", {8, 8}},    {"bl", {10, 30}}, {"bm", {4, 30}},  {"br", {10, 30}},
            {"p", {8, 8}},    {"up", {80, 20}}, {"down", {80, 20}}, {"tt", {16, 8}},
            {"tm", {16, 16}}, {"tb", {16, 8}},  {"kt", {16, 6}},  {"km", {16, 12}},
            {"kb", {16, 6}},
        };
        for (const auto& [n, size] : pieces)
            writeImage(std::string("th/") + n + ".png", size.first, size.second);
    }
    void TearDown() override {
        std::filesystem::current_path(keepDir);
        WidgetEnv::TearDown();
    }
    std::shared_ptr<TGui> toolkit() { return loadGui(fixtureLayout("toolkit.gui")); }
    // One frame of the real pointer, as the frame step polls it: moved to (x, y) of the
    // picture with the left button down or up (going down in this frame is a press).
    void pointerFrame(int x, int y, bool down) {
        MoveAspectMouse(float(x), float(y));
        if (down != leftDown) InjectMouseButton(1, down);
        leftDown = down;
        mouse.update();
    }
    // The fixture's theme with its slider pieces, which only code loads.
    std::shared_ptr<TTheme> sliderTheme() {
        auto th = loadGuiTheme("slider", "theme/temat.txt", nullptr);
        th->loadSuwakGFX(*loadQCMFile("theme/temat.txt"));
        return th;
    }
    std::filesystem::path keepDir;
    bool leftDown = false;
};

}  // namespace widgettest
