// One frame (update, draw, flip) of the busiest screens on the headless (recording) backend,
// each in a game started the way the program starts it (the loading screen's full run on
// the built tree): the stage map with its sea, clouds and a new stage's burst; the title
// screen once the logo and the buttons are in; the win screen over a won 25 x 25 level
// while the picture copy flies and the treasures stream; the lose panel over a 25 x 25 level
// with stones and the chest's debris in flight; the play screen with the medallion's and the
// sword's sparks. Measured, never asserted.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/profile/profile.h"
#include "bench/bench_world.h"
#include "effects/emitter.h"
#include "effects/kamien.h"
#include "effects/particles.h"
#include "effects/odpad.h"
#include "game/board/level.h"
#include "game/level/levelfile.h"

namespace {

// The win and lose sequences are short: their frames are counted from the start, over this
// many frames (the copy's flight is 20, the treasure stream lands within about 2 s).
constexpr int kSequenceFrames = 120;

// A started game for the life of the object; the benchmark is skipped without a built tree.
class Game {
public:
    explicit Game(benchmark::State& state) {
        if (!benchworld::treeReady()) {
            state.SkipWithError("no built asset tree (build the assets or set ZERKON_ASSET_TREE)");
            return;
        }
        user_ = std::make_unique<benchworld::UserFolder>();
        benchworld::startGame();
        SetNotifyHandler([this](const std::string&) { ++notices; });
        ready = true;
    }
    ~Game() {
        if (!ready) return;
        SetNotifyHandler(nullptr);
        benchworld::stopGame();
    }
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    bool ready = false;
    size_t notices = 0;

private:
    std::unique_ptr<benchworld::UserFolder> user_;
};

using benchworld::makeProfile;

std::shared_ptr<TLevel> play25x25(benchmark::State& state) {
    std::string why;
    auto level = benchworld::play25x25(why);
    if (!level) state.SkipWithError(why.c_str());
    return level;
}

// One frame as the screen's own loop runs it.
template <class Screen>
void screenFrame(Screen& screen, void (*clear)()) {
    clear();
    screen.update();
    screen.draw();
    myFlip(1, &screen);
}

void BM_MapFrame(benchmark::State& state) {
    Game game(state);
    if (!game.ready) return;
    makeProfile("CASUAL", 3, 1);
    mapa.setNewStageById(3);  // the gold burst about the stage just reached
    mapa.prepare();
    InjectMouseMove(512, 300);
    // The sea fills with sparkles, waves and clouds are under way.
    for (int i = 0; i < 150; ++i) screenFrame(mapa, Cls);
    for (auto _ : state) {
        ClearRecordedDraws();
        screenFrame(mapa, Cls);
    }
    state.counters["draws"] = double(RecordedDraws().size());
    state.counters["sparkles"] = double(mapa.ambience ? mapa.ambience->sparkleCount() : 0);
    state.counters["notices"] = double(game.notices);
    if (mapa.ambience) mapa.ambience->dropBurst();
}
BENCHMARK(BM_MapFrame)->Unit(benchmark::kMicrosecond);

void BM_TitleScreenFrame(benchmark::State& state) {
    Game game(state);
    if (!game.ready) return;
    makeProfile("CASUAL", 1, 1);
    mainMenu.prepare();
    InjectMouseMove(200, 600);
    // The logo has landed and the four buttons have slid in; sky, beams and sparks go on.
    for (int i = 0; i < 300; ++i) screenFrame(mainMenu, AspectCls);
    for (auto _ : state) {
        ClearRecordedDraws();
        screenFrame(mainMenu, AspectCls);
    }
    state.counters["draws"] = double(RecordedDraws().size());
    state.counters["notices"] = double(game.notices);
}
BENCHMARK(BM_TitleScreenFrame)->Unit(benchmark::kMicrosecond);

// The level is won through the play screen (every cell uncovered as its picture says, the
// treasures flying to the pile); the play screen's win hook then runs the win screen, whose
// first frames are timed: the copy of the picture flying to the panel and the treasures
// streaming to the summary while the score counts.
void BM_WinScreenFrame25x25(benchmark::State& state) {
    Game game(state);
    if (!game.ready) return;
    auto level = play25x25(state);
    if (!level) return;
    size_t treasures = 0;
    size_t draws = 0;
    bool shown = false;
    playHooks().winScreen = [&](TMainGame&) {
        shown = true;
        treasures = level->flyingTresures.size();
        winScreen.prepare();
        InjectMouseMove(900, 700);  // off the buttons
        for (auto _ : state) {
            ClearRecordedDraws();
            winScreen.frame();
        }
        draws = RecordedDraws().size();
        return std::string();
    };
    for (int r = 0; r < level->rows; ++r)
        for (int c = 0; c < level->cols; ++c)
            if (TTile* t = level->at(r, c)) t->uncoverSafe();
    for (int i = 0; i < 1200 && !shown; ++i) mainGame.frame();
    if (!shown) {
        state.SkipWithError("the level was not won");
        return;
    }
    state.counters["treasures"] = double(treasures);
    state.counters["draws"] = double(draws);
    state.counters["notices"] = double(game.notices);
}
BENCHMARK(BM_WinScreenFrame25x25)
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(kSequenceFrames)
    ->Repetitions(3);

// The lose panel over the play screen of a 25 x 25 level: a dozen stones thrown from the
// board to the chest (as mistakes throw them) and the broken chest's seven pieces falling,
// then the panel dropping in. Its first frames are timed.
void BM_LoseScreenFrame25x25(benchmark::State& state) {
    Game game(state);
    if (!game.ready) return;
    auto level = play25x25(state);
    if (!level) return;
    for (int i = 0; i < 12; ++i)
        if (TTile* t = level->at(2 * i, (7 * i) % 25)) createKamien(0, t->x(), t->y(), 880, 394, level->size);
    mainGame.LOSE();
    const size_t stones = fx::live(listaKamieni);
    loseScreen.prepare(&mainGame);
    InjectMouseMove(900, 700);
    for (auto _ : state) {
        ClearRecordedDraws();
        loseScreen.frame();
    }
    state.counters["stones"] = double(stones);
    state.counters["draws"] = double(RecordedDraws().size());
    state.counters["notices"] = double(game.notices);
}
BENCHMARK(BM_LoseScreenFrame25x25)
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(kSequenceFrames)
    ->Repetitions(3);

// The play screen of a 25 x 25 level while the medallion's six bows and the sword's helix
// and bows are all under way: thousands of sparks. Its next frames are timed.
void BM_PlayFramePowerUps25x25(benchmark::State& state) {
    Game game(state);
    if (!game.ready) return;
    auto level = play25x25(state);
    if (!level) return;
    mainGame.useMedalion();
    mainGame.useMiecz();
    for (int i = 0; i < 60; ++i) mainGame.frame();  // the bows are out
    size_t peak = 0;
    for (auto _ : state) {
        ClearRecordedDraws();
        mainGame.frame();
        peak = std::max(peak, fx::live(particlesList));
    }
    state.counters["sparks"] = double(peak);
    state.counters["emitters"] = double(fx::live(emittersList));
    state.counters["notices"] = double(game.notices);
}
BENCHMARK(BM_PlayFramePowerUps25x25)
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(kSequenceFrames)
    ->Repetitions(3);

}  // namespace
