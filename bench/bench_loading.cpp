// Start-up loading on the built tree, headless: every layout (.gui) and the window theme
// read the way the screens read them, and the loading screen's whole run (all five parts
// with every set-up plugged in), each from a fresh start. Measured, never asserted.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "bench/bench_world.h"

namespace {

// The layouts of the tree as the screens name them: <dir>/<file>.gui, read from
// <dir>/<lang>/<file>.gui by loadGui.
std::vector<std::string> treeLayouts(const std::string& tree, const std::string& language) {
    std::vector<std::string> out;
    std::error_code ec;
    const std::filesystem::path gfx = std::filesystem::path(tree) / "gfx";
    if (!std::filesystem::is_directory(gfx, ec)) return out;
    for (const auto& e : std::filesystem::recursive_directory_iterator(gfx, ec)) {
        if (!e.is_regular_file() || e.path().extension() != ".gui") continue;
        if (e.path().parent_path().filename() != language) continue;
        out.push_back((e.path().parent_path().parent_path() / e.path().filename()).string());
    }
    std::sort(out.begin(), out.end());
    return out;
}

// A fresh toolkit with the display open on the tree (no loading run).
void freshDisplay() {
    benchworld::resetEverything();
    SetNotifyHandler([](const std::string&) {});
    bDir = benchworld::builtTree();
    lang = "en";
    Graphics(1024, 768, 0, 60);
    SetAspectResolution(1024, 768, 3);
}

void BM_LoadTreeLayouts(benchmark::State& state) {
    if (!benchworld::treeReady()) {
        state.SkipWithError("no built asset tree (build the assets or set ZERKON_ASSET_TREE)");
        return;
    }
    freshDisplay();
    const auto layouts = treeLayouts(bDir, lang);
    for (auto _ : state) {
        // Each pass as on a fresh start: no font cached, no theme registered.
        state.PauseTiming();
        ResetFontCache();
        ResetThemes();
        ResetLayoutState();
        state.ResumeTiming();
        for (const auto& path : layouts) {
            auto gui = loadGui(path);
            benchmark::DoNotOptimize(gui);
        }
    }
    state.counters["layouts"] = double(layouts.size());
    benchworld::stopGame();
    SetNotifyHandler(nullptr);
}
BENCHMARK(BM_LoadTreeLayouts)->Unit(benchmark::kMillisecond);

void BM_LoadTreeWindowTheme(benchmark::State& state) {
    if (!benchworld::treeReady()) {
        state.SkipWithError("no built asset tree (build the assets or set ZERKON_ASSET_TREE)");
        return;
    }
    freshDisplay();
    for (auto _ : state) {
        state.PauseTiming();
        ResetThemes();
        state.ResumeTiming();
        auto theme = loadGuiTheme("temat1", bDir + "gfx/gui/window/temat.txt", nullptr);
        benchmark::DoNotOptimize(theme);
    }
    benchworld::stopGame();
    SetNotifyHandler(nullptr);
}
BENCHMARK(BM_LoadTreeWindowTheme)->Unit(benchmark::kMicrosecond);

// The loading screen as the program runs it at start: its four pictures, the 52 units with
// the real set-ups (sounds, music, effects, tiles, treasures, every screen, the awards, the
// profiles of an empty user folder), a frame drawn and flipped after each, the closing fade.
// Every iteration starts from reset globals and an open display; only the run is timed.
void BM_LoadingScreenFullRun(benchmark::State& state) {
    if (!benchworld::treeReady()) {
        state.SkipWithError("no built asset tree (build the assets or set ZERKON_ASSET_TREE)");
        return;
    }
    size_t notices = 0;
    size_t units = 0;
    std::optional<benchworld::UserFolder> user;
    for (auto _ : state) {
        state.PauseTiming();
        user.emplace();
        benchworld::startUpToLoading();
        SetNotifyHandler([&](const std::string&) { ++notices; });
        state.ResumeTiming();
        benchworld::runLoading();
        state.PauseTiming();
        units = loadingScreen.done.size();
        benchworld::stopGame();
        SetNotifyHandler(nullptr);
        user.reset();
        state.ResumeTiming();
    }
    state.counters["units"] = double(units);
    state.counters["notices"] = double(notices) / double(state.iterations());
}
BENCHMARK(BM_LoadingScreenFullRun)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(3);

}  // namespace
