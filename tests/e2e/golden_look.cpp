// The look of the board that must not come back unseen, with real OpenGL over the built
// asset tree: the play screen on a 25 x 25 level, drawn twice over two stage backgrounds
// of opposite colours. A cleared cell (rightly broken), an empty cell uncovered by mistake
// and a picture cell broken by mistake must come out the same both times: opaque, nothing of
// the picture behind the board shows through them. The clue bands must darken what is behind
// them the same way in both frames' colour order (a dark band under light digits).
// Exit codes: 0 pass, 1 a probe failed, 77 no asset tree or no GL context here (skipped).
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "game/board/level.h"
#include "game/board/number.h"
#include "game/board/tile.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/system.h"
#include "screens/play/main_game.h"
#include "tests/e2e/golden_support.h"
#include "tests/support/gl_shot.h"

namespace {

TImage solid(uint32_t argb) {
    Pixmap pm;
    pm.width = 1024;
    pm.height = 768;
    pm.pixels.assign(size_t(pm.width) * size_t(pm.height), argb);
    return CreateImageFromPixmap(pm);
}

int channelGap(uint32_t a, uint32_t b) {
    int gap = 0;
    for (int shift : {16, 8, 0})
        gap = std::max(gap, std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)));
    return gap;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string shotPath = argc > 1 ? argv[1] : "golden_look.png";
    int32_t now = 1000;
    std::shared_ptr<TLevel> level;
    if (int code = golden::openHardBoard(argv[0], now, 10, 4, level)) return code;
    auto step = [&](int n) { glshot::playFrames(now, n); };
    step(600);

    // One cell of each cleared kind, far from the mouse.
    TTile* rightBreak = nullptr;
    TTile* wrongUncover = nullptr;
    TTile* wrongBreak = nullptr;
    for (int r = level->rows - 1; r >= 0 && !(rightBreak && wrongUncover && wrongBreak); --r)
        for (int c = 0; c < level->cols; ++c) {
            TTile* t = level->at(r, c);
            if (!t || t->odkryty || t->broken) continue;
            if (!t->isPicture() && !rightBreak) rightBreak = t;
            else if (!t->isPicture() && !wrongUncover) wrongUncover = t;
            else if (t->isPicture() && !wrongBreak) wrongBreak = t;
        }
    if (!rightBreak || !wrongUncover || !wrongBreak) {
        std::printf("FAIL: the level lacks the cells this test needs\n");
        return 1;
    }
    rightBreak->setOdkrytyData(1, 0);
    wrongUncover->setOdkrytyData(1, 1);
    wrongBreak->setOdkrytyData(0, 1);
    InjectMouseMove(1000, 740);
    step(30);

    Pixmap frames[2];
    const uint32_t backs[2] = {0xFF000000u, 0xFFFFFFFFu};
    for (int i = 0; i < 2; ++i) {
        level->background = solid(backs[i]);
        Cls();
        mainGame.draw();
        if (!GrabScreen(frames[i])) {
            std::printf("FAIL: the back buffer could not be read\n");
            return 1;
        }
    }
    SavePixmapPNG(frames[1], shotPath);

    int failures = 0;
    auto same = [&](const char* what, float x, float y) {
        const uint32_t a = frames[0].at(int(x), int(y)), b = frames[1].at(int(x), int(y));
        const bool ok = channelGap(a, b) <= 2;
        std::printf("%-44s (%4d,%3d) on black %06X, on white %06X %s\n", what, int(x), int(y),
                    a & 0xFFFFFF, b & 0xFFFFFF, ok ? "ok" : "SEE-THROUGH");
        if (!ok) ++failures;
    };
    const float half = float(level->cellW()) / 2 - 2;
    const std::pair<const char*, TTile*> cells[] = {{"cleared cell", rightBreak},
                                                    {"empty cell uncovered by mistake", wrongUncover},
                                                    {"picture cell broken by mistake", wrongBreak}};
    for (auto [what, t] : cells) {
        same(what, t->x(), t->y());
        same(what, t->x() - half, t->y() - half);
        same(what, t->x() + half, t->y() + half);
    }
    // The gap between two blocks of five is the well too.
    TTile* l = level->at(0, 4);
    TTile* r = level->at(0, 5);
    same("gap between blocks", (l->x() + r->x()) / 2, l->y());

    // The band under the first row's clues darkens the white background well below white.
    const auto& clue = level->numbersHList[0]->lista.front();
    const float beside = clue->dim->x - TNumber::numWidth("0", level->size) / 2 - 3;
    const uint32_t band = frames[1].at(int(beside), int(clue->dim->y));
    const int light = int((band >> 16) & 0xFF) + int((band >> 8) & 0xFF) + int(band & 0xFF);
    std::printf("clue band beside row 0 on white: %06X %s\n", band & 0xFFFFFF,
                light < 300 ? "ok" : "TOO LIGHT");
    if (light >= 300) ++failures;

    CloseGraphics();
    std::printf("%s\n", failures ? "FAIL" : "PASS");
    return failures ? 1 : 0;
}
