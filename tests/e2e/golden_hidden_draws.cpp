// Leaving out what later opaque draws hide must change no pixel: the play screen of a
// 25 x 25 level over the built asset tree, with real OpenGL, drawn once with every draw and
// once with the hidden ones left out or cut down, must come out the same, while the second
// frame draws less. Once on the stage picture, once with a cleared cell and the pointer
// over the board, once after the pointer moved on, in the win's burst of pieces (where draws
// of one kind are brought together, and small opaque ones go blended with the blended ones
// of their texture: far fewer changes of state, the same pixels), its first frames included.
// Exit codes: 0 pass, 1 a difference, 77 no asset tree or no GL context here (skipped).
#include <cstdio>
#include <cstdlib>
#include <string>

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

// The frame drawn with culling off and on; the pixels that differ and each frame's area.
struct Pair {
    Pixmap all, culled;
    double allArea = 0, culledArea = 0;
    int allDraws = 0, culledDraws = 0;
};

bool drawBoth(Pair& out) {
    for (bool cull : {false, true}) {
        SetHiddenDrawCulling(cull);
        AspectCls();
        Cls();
        mainGame.draw();
        Pixmap& shot = cull ? out.culled : out.all;
        if (!GrabScreen(shot)) return false;
        Flip();
        (cull ? out.culledArea : out.allArea) = LastFrameCost().pixels;
        (cull ? out.culledDraws : out.allDraws) = LastFrameCost().draws;
    }
    SetHiddenDrawCulling(true);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string shotPath = argc > 1 ? argv[1] : "golden_hidden_draws.png";
    int32_t now = 1000;
    std::shared_ptr<TLevel> level;
    if (int code = golden::openHardBoard(argv[0], now, 2, 3, level)) return code;
    glshot::playFrames(now, 600);

    int failures = 0;
    auto check = [&](const char* what, bool batched = false) {
        Pair p;
        if (!drawBoth(p)) {
            std::printf("FAIL: the back buffer could not be read\n");
            ++failures;
            return;
        }
        const int diff = golden::differingPixels(p.all, p.culled);
        const bool less = p.culledArea < p.allArea && (!batched || p.culledDraws * 10 < p.allDraws * 9);
        std::printf("%-34s %d pixels differ; area %.2f -> %.2f screens, draws %d -> %d %s\n", what,
                    diff, p.allArea / (1024.0 * 768.0), p.culledArea / (1024.0 * 768.0), p.allDraws,
                    p.culledDraws, diff == 0 && less ? "ok" : "FAIL");
        if (diff != 0 || !less) ++failures;
        SavePixmapPNG(p.culled, shotPath);
    };
    check("the board after the fly-in");

    if (TTile* t = level->at(12, 12)) {
        t->setOdkrytyData(1, 0);
        InjectMouseMove(t->x(), t->y());
    }
    glshot::playFrames(now, 30);
    check("a cleared cell, the pointer over it");

    // The pointer moving on cell by cell: the board's copy is mended where the cells changed.
    for (int c : {3, 4, 20}) {
        if (TTile* t = level->at(5, c)) InjectMouseMove(t->x(), t->y());
        glshot::playFrames(now, 3);
    }
    check("the pointer moved on three times");

    // The win: every covered empty cell breaks at once into wood squares, splinters and a
    // score, a thousand draws and more of a few small textures in turn.
    mainGame.WIN();
    // Its first frames: each piece a solid square with a blended one over it, of one page.
    for (int i = 0; i < 4; ++i) {
        glshot::playFrames(now, 1);
        check("the burst's first frames", true);
    }
    glshot::playFrames(now, 8);
    check("the win's burst of pieces", true);

    // Scaled onto a wider display, letterboxed: cuts fall on the display's pixels and the
    // pictures are sampled linearly.
    if (Graphics(1280, 720, 0, 60)) {
        SetAspectResolution(1024, 768, 3);
        glshot::playFrames(now, 5);
        check("letterboxed on 1280 x 720");
    }

    CloseGraphics();
    std::printf("%s\n", failures ? "FAIL" : "PASS");
    return failures ? 1 : 0;
}
