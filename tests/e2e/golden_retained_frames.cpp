// A frame drawn again only where it differs from the last one must come out as the same frame
// drawn whole: the play screen of a 25 x 25 level over the built asset tree, with real
// OpenGL. At each point a frame is drawn and flipped, then read from the display as the flip
// showed it; the same frame is drawn again from the same state and read before its flip,
// which draws it whole. The two must not differ in a pixel, and where little changed the
// first must have drawn far less. On the stage picture at rest, with the pointer moving over
// the board (for long: what is kept between frames must not grow), with a cell cleared, letterboxed on a wider and on a larger display (drawn into
// the picture the display scales; with too many specks moving to draw only them, scaled
// onto the display only where they were), after switching back, with a caption coming,
// changing and going, through a fade to black and back, on another screen and back, and in
// the win's burst of pieces.
// Exit codes: 0 pass, 1 a difference, 77 no asset tree or no GL context here (skipped).
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <tuple>

#include "game/board/level.h"
#include "game/board/tile.h"
#include "gui/frame/letterbox.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/system.h"
#include "screens/play/main_game.h"
#include "tests/e2e/golden_support.h"
#include "tests/support/gl_shot.h"

namespace {

// Drawn over the board, or (another screen) instead of it.
std::function<void()> overlay;
bool boardShown = true;

void drawFrame() {
    AspectCls();
    Cls();
    if (boardShown) mainGame.draw();
    if (overlay) overlay();
}

}  // namespace

int main(int argc, char** argv) {
    const std::string shotPath = argc > 1 ? argv[1] : "golden_retained_frames.png";
    int32_t now = 1000;
    std::shared_ptr<TLevel> level;
    if (int code = golden::openHardBoard(argv[0], now, 2, 3, level)) return code;
    glshot::playFrames(now, 600);

    int failures = 0;
    // little: the frame changed in small parts only, so drawing them must cost far less;
    // littleShown: too many parts changed to draw only them, but the display scales only
    // those of the picture, far less of it than a whole frame's.
    enum Cost { any, little, littleShown };
    auto check = [&](const char* what, Cost cost, bool update = true) {
        now += 17;
        if (update) mainGame.update();
        drawFrame();
        Flip();
        const double shownArea = LastFrameCost().pixels, shownScaled = LastFrameCost().filteredPixels;
        Pixmap shown, whole;
        const bool readShown = GrabScreen(shown);
        drawFrame();
        const bool readWhole = GrabScreen(whole);
        Flip();
        const double wholeArea = LastFrameCost().pixels, wholeScaled = LastFrameCost().filteredPixels;
        if (!readShown || !readWhole) {
            std::printf("FAIL: the display could not be read\n");
            ++failures;
            return;
        }
        const int diff = golden::differingPixels(shown, whole);
        const bool less = cost == little        ? shownArea * 2 < wholeArea
                          : cost == littleShown ? shownScaled * 2 < wholeScaled
                                                : true;
        std::printf("%-36s %d pixels differ; area %.2f of the whole frame's %.2f screens %s\n", what, diff,
                    shownArea / (double(shown.width) * shown.height), wholeArea / (double(shown.width) * shown.height),
                    diff == 0 && less ? "ok" : "FAIL");
        if (diff != 0 || !less) {
            ++failures;
            SavePixmapPNG(shown, shotPath);
        }
    };
    // The frames before cleared the picture only, these clear the display too.
    check("the board at rest", any);
    check("the board at rest, again", little);
    if (TTile* t = level->at(12, 12)) InjectMouseMove(t->x(), t->y());
    check("the pointer onto the board", little);
    for (int c : {3, 4, 20}) {
        if (TTile* t = level->at(5, c)) InjectMouseMove(t->x(), t->y());
        check("the pointer moved on", little);
    }
    if (TTile* t = level->at(5, 20)) t->setOdkrytyData(1, 0);
    check("a cell cleared under the pointer", little);

    // The pointer wandering over the board a long while: what is kept from frame to frame
    // does not grow with their number.
    auto wander = [&](int frames) {
        for (int i = 0; i < frames; ++i) {
            if (TTile* t = level->at(6, 3 + i % 15)) InjectMouseMove(t->x(), t->y());
            now += 17;
            mainGame.update();
            drawFrame();
            Flip();
        }
        return ImageMemory().frameBytes;
    };
    const size_t early = wander(200), late = wander(1000);
    std::printf("frame records: %zu bytes after 200 frames of a wandering pointer, %zu after 1200\n", early, late);
    if (late > early + 4096) {
        std::printf("FAIL: what is kept from frame to frame grew with their number\n");
        ++failures;
    }

    // Letterboxed on a wider display (shrunk) and on a larger one (enlarged): the frame is
    // drawn into the picture and the flip scales it onto the display, only where it changed.
    for (const auto& [w, h, name] : {std::tuple{1280, 720, "1280 x 720"}, std::tuple{1280, 1024, "1280 x 1024"}}) {
        if (!Graphics(w, h, 0, 60)) continue;
        SetAspectResolution(1024, 768, 3);
        check((std::string("the first frame on ") + name).c_str(), any);
        for (int c : {2, 9, 15}) {
            if (TTile* t = level->at(8, c)) InjectMouseMove(t->x(), t->y());
            check((std::string("on ") + name + ", the pointer moved on").c_str(), little);
        }
        // Specks scattered over a corner of the picture and a few far off, all moving each
        // frame: too many draws alone to draw only them, yet the display is scaled only where
        // they were and are. Then two bars crossing swap which is drawn over the other as
        // the specks move: the order changed, so none of that may be taken as kept.
        int phase = 0;
        bool swapped = false;
        overlay = [&phase, &swapped] {
            SetAlpha(1);
            for (int i = 0; i < 300; ++i) {
                SetColor(200, 60 + i % 150, 40);
                DrawRect(float(40 + (i * 37 + phase) % 400), float(40 + (i * 53) % 300), 4, 4);
            }
            for (int i = 0; i < 12; ++i) DrawRect(float(900 + phase % 7), float(600 + 12 * i), 3, 3);
            for (int bar = 0; bar < 2; ++bar) {
                const bool across = (bar == 0) != swapped;
                SetColor(across ? 30 : 220, 200, across ? 220 : 30);
                if (across) DrawRect(500, 400, 200, 20);
                else DrawRect(590, 330, 20, 160);
            }
            SetColor(255, 255, 255);
        };
        check((std::string("on ") + name + ", specks come").c_str(), any);
        for (int step = 0; step < 3; ++step) {
            phase += 5;
            check((std::string("on ") + name + ", specks move").c_str(), littleShown);
        }
        phase += 5;
        swapped = true;
        check((std::string("on ") + name + ", specks move as the bars swap").c_str(), any);
        overlay = nullptr;
        check((std::string("on ") + name + ", specks gone").c_str(), any);
    }
    // And back: the first frame is drawn whole on the new display.
    if (Graphics(1024, 768, 0, 60)) {
        SetAspectResolution(1024, 768, 3);
        check("the first frame back on 1024 x 768", any);
        if (TTile* t = level->at(10, 10)) InjectMouseMove(t->x(), t->y());
        check("back on 1024 x 768, the pointer moved on", little);
    }

    // A caption comes, changes and goes; its pieces of text are small (but for the first,
    // which makes the font's texture).
    TImageFont font = LoadImageFont(golden::findAssets(argv[0]) + "/gfx/fonts/font.ttf", 24);
    if (font) {
        bool first = true;
        for (const char* text : {"All hands on deck!", "All hands on deck!", "Hoist the colours", ""}) {
            overlay = [font, text] {
                SetImageFont(font);
                SetColor(250, 230, 180);
                SetAlpha(1);
                DrawText(text, 300, 40);
                SetColor(255, 255, 255);
            };
            check((std::string("a caption: \"") + text + "\"").c_str(), first ? any : little);
            first = false;
        }
    }
    // A fade to black over all of it and back: each step changes every pixel.
    for (float a : {0.2f, 0.55f, 1.0f, 0.55f, 0.0f}) {
        overlay = [a] {
            SetColor(0, 0, 0);
            SetAlpha(a);
            DrawRect(0, 0, 1024, 768);
            SetColor(255, 255, 255);
            SetAlpha(1);
        };
        check("a fade's step", any);
    }
    // Another screen (a plain panel with a caption where the board was), then the board again.
    boardShown = false;
    overlay = [font] {
        SetClsColor(40, 30, 20);
        Cls();
        SetColor(120, 80, 40);
        DrawRect(200, 150, 600, 400);
        if (font) {
            SetImageFont(font);
            SetColor(255, 255, 255);
            DrawText("Another screen", 260, 200);
        }
        SetColor(255, 255, 255);
        SetClsColor(0, 0, 0);
    };
    check("another screen", any);
    check("another screen at rest", little);
    boardShown = true;
    overlay = nullptr;
    check("the board again", any);
    check("the board again at rest", little);

    // The win: every covered empty cell breaks at once into pieces; most of the frame moves.
    mainGame.WIN();
    glshot::playFrames(now, 12);
    check("the win's burst of pieces", any);
    check("the burst going on", any);

    // The burst's frames needed large records; two seconds of a quiet screen later those go,
    // and frames drawn only where they changed are still the frames drawn whole.
    const size_t burstBytes = ImageMemory().frameBytes;
    boardShown = false;
    overlay = [] {
        SetClsColor(40, 30, 20);
        Cls();
        SetColor(120, 80, 40);
        DrawRect(200, 150, 600, 400);
        SetColor(255, 255, 255);
        SetClsColor(0, 0, 0);
    };
    for (int i = 0; i < 130; ++i) {
        drawFrame();
        Flip();
    }
    check("a quiet screen after the burst", any, false);
    const size_t quietBytes = ImageMemory().frameBytes;
    std::printf("frame records: %zu bytes after the burst, %zu two seconds later\n", burstBytes, quietBytes);
    if (quietBytes * 4 > burstBytes) {
        std::printf("FAIL: the burst's frame records were kept\n");
        ++failures;
    }

    CloseGraphics();
    std::printf("%s\n", failures ? "FAIL" : "PASS");
    return failures ? 1 : 0;
}
