// The win screen over a won level of the shipped tree, drawn with real OpenGL (offscreen):
// a casual level is loaded, solved through the play screen, and the play screen's win hook
// runs the win screen for a few seconds. Three pictures are written for a person to look
// at: the summary, "<name>_flight.png" mid-way and "<name>_stats.png" with the statistics
// table. Probe points check the panel's wood frame and sea window and the gold score line.
// Needs the built asset tree beside the build (<build>/assets/, or the folder named by
// ZERKON_WIN_ASSETS); without it, or without a GL context, it is skipped (exit 77).
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include <unistd.h>

#include "app/frame.h"
#include "app/profile/profile.h"
#include "app/profile/profile_manager.h"
#include "effects/effects.h"
#include "effects/particles.h"
#include "game/board/level.h"
#include "game/board/number.h"
#include "game/board/tile.h"
#include "game/flow/level_manager.h"
#include "game/level/levelfile.h"
#include "game/level/sets.h"
#include "gui/frame/letterbox.h"
#include "gui/frame/mouse.h"
#include "gui/globals.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/system.h"
#include "screens/play/main_game.h"
#include "screens/win/win_screen.h"
#include "tests/e2e/golden_support.h"

namespace {

constexpr int kW = 1024, kH = 768;
int32_t gNow = 1000;

// <build>/assets/ from <build>/tests/e2e/golden_win.
std::string findTree() {
    if (const char* tree = std::getenv("ZERKON_WIN_ASSETS")) return std::string(tree) + "/";
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return "";
    for (auto dir = exe.parent_path(); !dir.empty() && dir != dir.parent_path(); dir = dir.parent_path())
        if (std::filesystem::exists(dir / "assets" / "gfx" / "gui" / "winScreen" / "panel.png"))
            return (dir / "assets").string() + "/";
    return "";
}

void step() {
    gNow += 17;
    Cls();
    mainGame.update();
    mainGame.draw();
    // The offscreen window never has the focus: flip without the pause overlay.
    Flip();
}

uint32_t pixelAt(const Pixmap& shot, int x, int y) {
    // Virtual units to display pixels (the display is 1024 x 768 here).
    return shot.pixels[size_t(y) * size_t(shot.width) + size_t(x)];
}

// The game's text gold (247, 222, 113), give or take the edge of a glyph.
bool isGold(uint32_t p) {
    const int r = int((p >> 16) & 0xFF), g = int((p >> 8) & 0xFF), b = int(p & 0xFF);
    return r >= 230 && g >= 205 && b >= 90 && b <= 140;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string out = argc > 1 ? argv[1] : "golden_win.png";
    const std::string tree = findTree();
    if (tree.empty()) {
        std::printf("SKIP: no built asset tree beside the build\n");
        return 77;
    }
    setenv("ZERKON_HEADLESS", "0", 1);
    if (!std::getenv("SDL_VIDEODRIVER")) setenv("SDL_VIDEODRIVER", "offscreen", 1);
    SetNotifyHandler([](const std::string& text) { std::fprintf(stderr, "notice: %s\n", text.c_str()); });
    InitPlatform(false);
    if (!Graphics(kW, kH, 0, 60)) {
        std::printf("SKIP: no OpenGL context could be created here\n");
        return 77;
    }
    SetAspectResolution(kW, kH, 3);
    SetClockSource([] { return gNow; });
    bDir = tree;
    lang = "en";
    loadTiles();
    loadTilesHide();
    loadTilesOver();
    loadTresures();
    setupNumbers();
    setupParticles();
    setupBoardEffects();
    installEffects();
    loadMouseCursors();
    levelManager.setup();
    resetMainGame();
    mainGame.setup();
    installPlayScreen();
    winScreen.setup();

    // The fifth picture of the casual voyage.
    std::shared_ptr<TFlowEntry> entry;
    int seen = 0;
    for (const auto& e : levelManager.casualLevels)
        if (e && e->gameType == "MAIN-GAME" && ++seen == 5) entry = e;
    if (!entry) {
        std::printf("FAIL: the casual voyage has fewer than five pictures\n");
        return 1;
    }
    auto profile = std::make_shared<TProfile>();
    profile->flowType = "CASUAL";
    profile->numerStageu = entry->stageN;
    profile->numerLevelu = entry->numer;
    profile->score = 18250;
    profileManager.profile = profile;
    auto level = loadLevel(entry->url, 1);
    if (!level) {
        std::printf("FAIL: %s does not load\n", entry->url.c_str());
        return 1;
    }
    mainGame.setLevel(level);
    mainGame.restartWorek();
    playHooks().saveGameData = [] {};

    int result = 0;
    bool shown = false;
    playHooks().winScreen = [&](TMainGame&) {
        shown = true;
        winScreen.prepare();
        // Mouse away from the statistics button.
        InjectMouseMove(900, 700);
        const auto dot = out.rfind(".png");
        const std::string stem = dot == std::string::npos ? out : out.substr(0, dot);
        for (int i = 0; i < 260; ++i) {
            gNow += 17;
            Cls();
            winScreen.update();
            winScreen.draw();
            if (i == 45) {
                // Mid-way: the panel growing, the treasures streaming to the chest.
                Pixmap flight;
                if (GrabScreen(flight)) SavePixmapPNG(flight, stem + "_flight.png");
            }
            Flip();
        }
        Cls();
        winScreen.update();
        winScreen.draw();
        Pixmap shot;
        if (!GrabScreen(shot) || !SavePixmapPNG(shot, out)) {
            std::printf("FAIL: no picture written\n");
            result = 1;
            return std::string();
        }
        // The panel's wood frame at its left edge and the window's sea.
        const uint32_t window = pixelAt(shot, 170, 470);
        const uint32_t wood = pixelAt(shot, 133, 600);
        if (!((window & 0xFF) > ((window >> 16) & 0xFF))) {
            std::printf("FAIL: the window at (170, 470) is not sea blue: %08x\n", window);
            result = 1;
        }
        if (!(((wood >> 16) & 0xFF) > (wood & 0xFF))) {
            std::printf("FAIL: the frame at (133, 600) is not wood: %08x\n", wood);
            result = 1;
        }
        // Somewhere on the score line (y 537-560) the gold text shows.
        bool text = false;
        for (int x = 250; x < 550 && !text; ++x)
            for (int y = 537; y < 560 && !text; ++y) text = isGold(pixelAt(shot, x, y));
        if (!text) {
            std::printf("FAIL: no score line\n");
            result = 1;
        }
        // The statistics view.
        winScreen.show_hide_stats();
        for (int i = 0; i < 30; ++i) {
            gNow += 17;
            Cls();
            winScreen.update();
            winScreen.draw();
            Flip();
        }
        Cls();
        winScreen.draw();
        Pixmap stats;
        const std::string out2 = stem + "_stats.png";
        if (!GrabScreen(stats) || !SavePixmapPNG(stats, out2)) result = 1;
        return std::string();
    };

    mainGame.prepare();
    for (int i = 0; i < 200; ++i) step();
    // Solve it: every cell as the picture says, a few moves apart.
    for (int r = 0; r < level->rows; ++r)
        for (int c = 0; c < level->cols; ++c)
            if (TTile* t = level->at(r, c)) t->uncoverSafe();
    mainGame.mnoznik = 3.0f;
    level->czas = 143;
    for (int i = 0; i < 900 && !shown; ++i) step();
    if (!shown) {
        std::printf("FAIL: the level was not won (state %s)\n", mainGame.state.c_str());
        return 1;
    }
    CloseGraphics();
    if (result == 0) std::printf("PASS: %s\n", out.c_str());
    return result;
}
