// The story's busiest moments on the headless (recording) backend, in a game started the way
// the program starts it: one frame of the story start's flight (three panorama strips, the
// plane, twelve palm fronds, the smoke trail of about 75 puffs and a subtitle), one frame of
// the outro's cross-fade from the first scene to the second, one frame of the credits roll,
// and the story start's loading of its pictures when it begins. Measured, never asserted.
#include <benchmark/benchmark.h>

#include <memory>

#include "app/frame.h"
#include "bench/bench_world.h"
#include "screens/story/credits.h"
#include "screens/story/plane_smoke.h"
#include "screens/story/story_outro.h"
#include "screens/story/story_start.h"

namespace {

class Game {
public:
    explicit Game(benchmark::State& state) {
        if (!benchworld::treeReady()) {
            state.SkipWithError("no built asset tree (build the assets or set ZERKON_ASSET_TREE)");
            return;
        }
        user_ = std::make_unique<benchworld::UserFolder>();
        benchworld::startGame();
        ready = true;
    }
    ~Game() {
        if (ready) benchworld::stopGame();
    }
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;
    bool ready = false;

private:
    std::unique_ptr<benchworld::UserFolder> user_;
};

template <class Screen>
void screenFrame(Screen& screen) {
    Cls();
    screen.update();
    screen.draw();
    myFlip(1, &screen);
}

void BM_StoryStartFlightFrame(benchmark::State& state) {
    Game game(state);
    if (!game.ready) return;
    resetPlaneSmoke();
    TStoryStart s;
    s.prepare();
    for (int i = 0; i < 6000 && s.state != "SCENE-3-FLY"; ++i) screenFrame(s);
    // The smoke trail reaches its full length.
    for (int i = 0; i < 200; ++i) screenFrame(s);
    for (auto _ : state) {
        ClearRecordedDraws();
        screenFrame(s);
    }
    state.counters["draws"] = double(RecordedDraws().size());
    state.counters["puffs"] = double(fx::live(TPlaneSmoke::planeSmokes));
    resetPlaneSmoke();
}
// Each frame moves the clock on (1000/60 ms a flip): the counts keep the frames inside the moment.
BENCHMARK(BM_StoryStartFlightFrame)->Unit(benchmark::kMicrosecond)->Iterations(600)->Repetitions(3);

void BM_StoryStartLoading(benchmark::State& state) {
    Game game(state);
    if (!game.ready) return;
    for (auto _ : state) {
        TStoryStart s;
        s.setup();
    }
}
BENCHMARK(BM_StoryStartLoading)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_OutroCrossFadeFrame(benchmark::State& state) {
    Game game(state);
    if (!game.ready) return;
    storyOutro.prepare();
    // Into the first cross-fade: the second scene over the still moving first one.
    storyOutro.scene1time -= 23500;
    for (int i = 0; i < 20; ++i) screenFrame(storyOutro);
    for (auto _ : state) {
        ClearRecordedDraws();
        screenFrame(storyOutro);
    }
    state.counters["draws"] = double(RecordedDraws().size());
    state.counters["scene"] = double(storyOutro.scene);
    state.counters["fade"] = double(storyOutro.a);
}
BENCHMARK(BM_OutroCrossFadeFrame)->Unit(benchmark::kMicrosecond)->Iterations(80)->Repetitions(3);

void BM_CreditsFrame(benchmark::State& state) {
    Game game(state);
    if (!game.ready) return;
    credits.wynik = "NONE";
    credits.prepare();
    credits.y = 100;
    for (auto _ : state) {
        ClearRecordedDraws();
        screenFrame(credits);
        if (credits.y < -400) credits.y = 100;
    }
    state.counters["draws"] = double(RecordedDraws().size());
    state.counters["rows"] = double(credits.lista.size());
}
BENCHMARK(BM_CreditsFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
