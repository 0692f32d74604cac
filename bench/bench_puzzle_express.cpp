// One frame of the block puzzle screen on the headless (recording) backend, in a game
// started the way the program starts it: the largest shipped level in play, a block carried
// across the others, so every block runs its pixel hover test each frame. Measured, never
// asserted.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "bench/bench_world.h"
#include "minigames/puzzle_express/pe_level_file.h"
#include "platform/input.h"
#include "screens/hidden_object/hidden_object.h"
#include "screens/puzzle_express/puzzle_express.h"

namespace {

void BM_PuzzleExpressFrameCarrying(benchmark::State& state) {
    if (!benchworld::treeReady()) {
        state.SkipWithError("no built asset tree (build the assets or set ZERKON_ASSET_TREE)");
        return;
    }
    benchworld::UserFolder user;
    benchworld::startGame();
    hiddenObject.setup();
    puzzleExpress.setup();
    peHooks().log = [](int) {};
    benchworld::makeProfile("CASUAL", 9, 5);
    auto level = loadPuzzleExpressLevel(bDir + "data/levels/puzzleExpress/pe-04.lvl");
    puzzleExpress.setLevel(level);
    puzzleExpress.prepare();
    for (int i = 0; i < 300 && puzzleExpress.state != "NORMAL"; ++i) puzzleExpress.frame();
    // Pick the first block by one of its cells and carry it.
    auto b = level->blocks.front();
    for (int r = 0; r < b->bd->rows; ++r)
        for (int c = 0; c < b->bd->cols; ++c)
            if (b->bd->solid(r, c)) {
                auto d = b->getDim(r, c);
                InjectMouseMove(float(d->x), float(d->y));
                r = b->bd->rows;
                break;
            }
    puzzleExpress.frame();
    InjectMouseButton(1, true);
    puzzleExpress.frame();
    InjectMouseButton(1, false);
    puzzleExpress.frame();
    int x = 100;
    for (auto _ : state) {
        x = x >= 900 ? 100 : x + 4;
        InjectMouseMove(float(x), 640);
        ClearRecordedDraws();
        puzzleExpress.frame();
    }
    state.counters["blocks"] = double(level->blocks.size());
    state.counters["held"] = puzzleExpress.clickedBlock ? 1 : 0;
    puzzleExpress.setLevel(nullptr);
    benchworld::stopGame();
}
BENCHMARK(BM_PuzzleExpressFrameCarrying);

}  // namespace
