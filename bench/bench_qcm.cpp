// Keyed data files: how fast a large file is read and queried, and how long the default
// tree's own keyed files take to read.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "gui/data/qcmfile.h"

namespace {

// About 1 MB shaped like the game's data: numbered groups with number and string entries.
const std::string& bigText() {
    static const std::string text = [] {
        std::string t;
        int n = 0;
        while (t.size() < 1024 * 1024) {
            const std::string id = std::to_string(n);
            t += "tile" + id + " {\n";
            t += "\tid = " + id + "\n";
            t += "\tdims = 50, 36, 30, 24, 20\n";
            t += "\tscale = 0.500000000, 0.800000012\n";
            t += "\tname = \"Treasure " + id + "\", \"gfx/tiles/tile" + id + ".png\"\n";
            t += "\tdata {\n\t\tx = " + id + "\n\t\ty = -" + id + "\n\t}\n\n";
            t += "}\n\n";
            ++n;
        }
        return t;
    }();
    return text;
}

void BM_QcmParse(benchmark::State& state) {
    const std::string& text = bigText();
    for (auto _ : state) {
        auto f = parseQCMText(text);
        benchmark::DoNotOptimize(f);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_QcmParse)->Unit(benchmark::kMillisecond);

void BM_QcmLoadFromDisk(benchmark::State& state) {
    const std::string& text = bigText();
    const auto path = std::filesystem::temp_directory_path() / "zerkon-bench-qcm.dat";
    {
        std::ofstream out(path, std::ios::binary);
        out << text;
    }
    for (auto _ : state) {
        auto f = loadQCMFile(path.string());
        benchmark::DoNotOptimize(f);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
    std::filesystem::remove(path);
}
BENCHMARK(BM_QcmLoadFromDisk)->Unit(benchmark::kMillisecond);

// Lookups walk groups in file order, as the game's loaders do with numbered groups.
void BM_QcmQuery(benchmark::State& state) {
    auto f = parseQCMText(bigText());
    int i = 0;
    for (auto _ : state) {
        const std::string id = std::to_string(i % 64);
        benchmark::DoNotOptimize(f->getFloat("tile" + id + "::dims", 2));
        benchmark::DoNotOptimize(f->getString("TILE" + id + "::name", 1));
        benchmark::DoNotOptimize(f->getFloat("tile" + id + "::data::y", 0));
        ++i;
    }
}
BENCHMARK(BM_QcmQuery);

void BM_QcmSaveText(benchmark::State& state) {
    auto f = parseQCMText(bigText());
    size_t bytes = 0;
    for (auto _ : state) {
        const std::string out = f->toText();
        bytes = out.size();
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}
BENCHMARK(BM_QcmSaveText)->Unit(benchmark::kMillisecond);

// Every keyed file of the built tree: the data files (data/*.dat) and the levels
// (data/levels/**.lvl), read from disk and parsed, one pass over all of them per iteration.
std::vector<std::string> treeKeyedFiles() {
    std::string root = std::string(ZERKON_BINARY_DIR) + "/assets";
    if (const char* env = std::getenv("ZERKON_ASSET_TREE")) root = env;
    std::vector<std::string> out;
    const std::filesystem::path data = std::filesystem::path(root) / "data";
    std::error_code ec;
    if (!std::filesystem::is_directory(data, ec)) return out;
    for (const auto& e : std::filesystem::recursive_directory_iterator(data, ec)) {
        if (!e.is_regular_file()) continue;
        const auto ext = e.path().extension();
        if (ext == ".dat" || ext == ".lvl") out.push_back(e.path().string());
    }
    std::sort(out.begin(), out.end());
    return out;
}

void BM_QcmLoadTreeDataFiles(benchmark::State& state) {
    const auto paths = treeKeyedFiles();
    if (paths.empty()) {
        state.SkipWithError("no built asset tree (build the assets or set ZERKON_ASSET_TREE)");
        return;
    }
    int64_t bytes = 0;
    for (const auto& p : paths) bytes += static_cast<int64_t>(std::filesystem::file_size(p));
    for (auto _ : state)
        for (const auto& p : paths) {
            auto f = loadQCMFile(p);
            benchmark::DoNotOptimize(f);
        }
    state.counters["files"] = double(paths.size());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * bytes);
}
BENCHMARK(BM_QcmLoadTreeDataFiles)->Unit(benchmark::kMillisecond);

}  // namespace
