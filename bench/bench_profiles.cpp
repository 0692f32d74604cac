// Saving the players: how long one save takes (the router saves before the map and every
// level) with one, a hundred and ten thousand players on the machine. Only the current
// player changes between saves, as in play. Reading the list back is measured too.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/app_globals.h"
#include "app/profile/profile.h"
#include "app/profile/profile_file.h"
#include "app/profile/profile_manager.h"
#include "platform/system.h"

namespace {

// A fresh user folder holding `count` saved players, the first of them current, read as a
// start reads them. The files are written plainly (no sync per file), so that making ten
// thousand of them takes seconds.
struct Players {
    std::string dir;
    explicit Players(int count) {
        char tmpl[] = "/tmp/zerkon-bench-players-XXXXXX";
        dir = mkdtemp(tmpl);
        myDocsFolder = dir;
        std::filesystem::create_directories(dir + "/Profiles");
        std::filesystem::create_directories(dir + "/Data");
        SetNotifyHandler([](const std::string&) {});
        resetProfileManager();
        std::string list = "profiles {\n\ti = " + std::to_string(count) + "\n";
        for (int i = 0; i < count; ++i) {
            std::string name = "P";
            for (int n = i; n > 0 || name.size() == 1; n /= 26) name += char('A' + n % 26);
            auto p = createNewProfile(name);
            std::filesystem::create_directories(dir + "/Profiles/" + p->id);
            std::ofstream(dir + "/Profiles/" + p->id + "/profile.dat") << profileFileText(*p);
            if (i == 0) list += "\tactProfile = \"" + p->id + "\"\n";
            list += "\tprof" + std::to_string(i + 1) + " {\n\t\tid = \"" + p->id + "\"\n\t\tname = \"" + name +
                    "\"\n\t}\n\n";
        }
        std::ofstream(dir + "/Profiles/profiles.dat") << list << "}\n\n";
        profileManager.loadProfiles();
        // The first save after a start may move players read under another spelling; the
        // saves of play come after it.
        profileManager.save();
    }
    ~Players() {
        resetProfileManager();
        SetNotifyHandler(nullptr);
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
};

void BM_SaveWithPlayers(benchmark::State& state) {
    Players players(int(state.range(0)));
    for (auto _ : state) {
        profileManager.profile->score += 25;
        profileManager.save();
    }
}
BENCHMARK(BM_SaveWithPlayers)->Arg(1)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_LoadPlayers(benchmark::State& state) {
    Players players(int(state.range(0)));
    for (auto _ : state) profileManager.loadProfiles();
}
BENCHMARK(BM_LoadPlayers)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
