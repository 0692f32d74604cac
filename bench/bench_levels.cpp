// The level library: reading every level file of the built tree, and solving every level
// with the line solver (levels per second; the hardest 25 x 25 level on its own).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "game/board/level.h"
#include "game/board/tiledata.h"
#include "game/level/levelfile.h"
#include "game/level/sets.h"
#include "game/level/solver.h"
#include "gui/globals.h"
#include "platform/graphics.h"
#include "platform/system.h"

namespace {

std::string treeDir() {
    if (const char* env = std::getenv("ZERKON_ASSET_TREE")) return env;
    return std::string(ZERKON_BINARY_DIR) + "/assets";
}

std::vector<std::string> levelFiles() {
    std::vector<std::string> out;
    const std::string root = treeDir() + "/data/levels";
    if (!std::filesystem::exists(root)) return out;
    for (const auto& e : std::filesystem::recursive_directory_iterator(root))
        if (e.is_regular_file() && e.path().extension() == ".lvl") out.push_back(e.path().string());
    std::sort(out.begin(), out.end());
    return out;
}

// The sets the levels name, from the tree; loaded again when another benchmark has reset
// the globals, so the order of a filtered run does not matter.
bool prepare() {
    if (levelFiles().empty()) return false;
    if (!tilesList.empty() && bDir == treeDir() + "/") return true;
    InitPlatform(true);
    Graphics(1024, 768);
    SetNotifyHandler([](const std::string&) {});
    bDir = treeDir() + "/";
    loadTiles();
    loadTresures();
    return !tilesList.empty();
}

struct Puzzle {
    std::string file;
    std::vector<nonogram::Clue> rows, cols;
};

const std::vector<Puzzle>& puzzles() {
    static const std::vector<Puzzle> all = [] {
        std::vector<Puzzle> out;
        for (const auto& f : levelFiles()) {
            auto lvl = loadLevel(f, 0);
            if (!lvl) continue;
            const auto pic = nonogram::pictureOf(*lvl);
            out.push_back({f, nonogram::rowClues(pic), nonogram::colClues(pic)});
        }
        return out;
    }();
    return all;
}

void BM_LoadEveryLevel(benchmark::State& state) {
    if (!prepare()) {
        state.SkipWithError("no built asset tree (set ZERKON_ASSET_TREE)");
        return;
    }
    const auto files = levelFiles();
    for (auto _ : state)
        for (const auto& f : files) benchmark::DoNotOptimize(loadLevel(f, 1));
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(files.size()));
    state.counters["levels"] = double(files.size());
}
BENCHMARK(BM_LoadEveryLevel)->Unit(benchmark::kMillisecond);

void BM_LoadSets(benchmark::State& state) {
    if (!prepare()) {
        state.SkipWithError("no built asset tree (set ZERKON_ASSET_TREE)");
        return;
    }
    for (auto _ : state) {
        loadTiles();
        loadTresures();
    }
}
BENCHMARK(BM_LoadSets)->Unit(benchmark::kMillisecond);

void BM_SolveEveryLevel(benchmark::State& state) {
    if (!prepare() || puzzles().empty()) {
        state.SkipWithError("no built asset tree (set ZERKON_ASSET_TREE)");
        return;
    }
    for (auto _ : state)
        for (const auto& p : puzzles()) benchmark::DoNotOptimize(nonogram::solve(p.rows, p.cols));
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(puzzles().size()));
}
BENCHMARK(BM_SolveEveryLevel)->Unit(benchmark::kMillisecond);

// The 25 x 25 level that takes the solver the most sweeps.
void BM_SolveHardest25(benchmark::State& state) {
    if (!prepare() || puzzles().empty()) {
        state.SkipWithError("no built asset tree (set ZERKON_ASSET_TREE)");
        return;
    }
    const Puzzle* hardest = nullptr;
    int most = -1;
    for (const auto& p : puzzles()) {
        if (p.rows.size() < 25 || p.cols.size() < 25) continue;
        const int passes = nonogram::solve(p.rows, p.cols).passes;
        if (passes > most) most = passes, hardest = &p;
    }
    if (!hardest) {
        state.SkipWithError("no 25 x 25 level");
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(nonogram::solve(hardest->rows, hardest->cols));
    state.SetLabel(std::filesystem::path(hardest->file).filename().string() + ", " +
                   std::to_string(most) + " sweeps");
}
BENCHMARK(BM_SolveHardest25)->Unit(benchmark::kMicrosecond);

}  // namespace
