// The play screen of the shipped 25 x 25 level, after its fly-in, with real GL: the game
// started the way the program starts it (the loading screen's full run on the built tree),
// then frames paced at 60 per second and unpaced, each window timed by the wall clock and
// by the whole process's CPU (getrusage, so the driver's threads count), with the driver's
// draws and area drawn per frame, then a longer paced run for the resident memory.
// With --win, then the level solved as a player would (a row of its picture uncovered at a
// time) and its win played through to the end of its fade, the win screen included: the
// peak resident memory, the heap and the driver's draws of each part of it.
// Run it with a swap that waits for the drawing: a real window (xvfb-run) or
// SDL_VIDEODRIVER=offscreen with --finish (glFinish after each present). See run_gl_bench.sh.
//   zerkon_bench_gl [--seconds S] [--hold S] [--finish] [--win]
// Exit codes: 0 done, 77 no asset tree or no display, 1 the play screen never settled.
#include <malloc.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "bench/bench_world.h"
#include "game/board/level.h"
#include "game/board/tile.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "screens/win/win_screen.h"

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point t) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

double cpuMs() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1000.0 +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1000.0;
}

// A field of /proc/self/status in MiB ("VmRSS", "VmHWM").
double statusMiB(const char* key) {
    std::ifstream in("/proc/self/status");
    std::string line;
    const size_t n = std::strlen(key);
    while (std::getline(in, line))
        if (line.compare(0, n, key) == 0 && line.size() > n && line[n] == ':')
            return std::atof(line.c_str() + n + 1) / 1024.0;
    return 0;
}

struct Window {
    int frames = 0;
    double wallMs = 0, cpuMs = 0, draws = 0, pixels = 0, blended = 0, filtered = 0;
    double worstMs = 0;  // the longest frame
};

// Frames of the play screen for `seconds`, the pointer resting on the board, or with
// `level`, moving on to the next cell every `hold` frames.
Window run(double seconds, bool paced, TLevel* level = nullptr, int hold = 0) {
    SetFramePacing(paced);
    for (int i = 0; i < 30; ++i) mainGame.frame();  // settle after a change of pacing
    Window w;
    const double cpu0 = cpuMs();
    const auto t0 = Clock::now();
    auto last = t0;
    int cell = 0;
    while (msSince(t0) < seconds * 1000.0) {
        if (level && hold > 0 && w.frames % hold == 0) {
            const int n = level->rows * level->cols;
            if (TTile* t = level->at(cell / level->cols, cell % level->cols)) InjectMouseMove(t->x(), t->y());
            cell = (cell + 1) % n;  // along the rows, as a hand sweeping the board
        }
        mainGame.frame();
        w.worstMs = std::max(w.worstMs, msSince(last));
        last = Clock::now();
        FrameCost c = LastFrameCost();
        w.draws += c.draws;
        w.pixels += c.pixels;
        w.blended += c.blendedPixels;
        w.filtered += c.filteredPixels;
        ++w.frames;
    }
    w.wallMs = msSince(t0);
    w.cpuMs = cpuMs() - cpu0;
    return w;
}

void report(const char* name, const Window& w) {
    const double screen = double(GraphicsWidth()) * double(GraphicsHeight());
    const double n = w.frames > 0 ? double(w.frames) : 1.0;
    std::printf("%-8s fps %6.1f  cpu/frame %6.2f ms  wall/frame %6.2f ms (worst %5.1f)  draws/frame %6.1f  "
                "area/frame %5.2f screens (blended %4.2f, filtered %4.2f)\n",
                name, 1000.0 * n / w.wallMs, w.cpuMs / n, w.wallMs / n, w.worstMs, w.draws / n,
                w.pixels / n / screen, w.blended / n / screen, w.filtered / n / screen);
}

// The peak resident size starts again from the present one.
void resetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

// One part of the win: frames, the process's CPU, draws, and the largest resident and heap
// figures seen at any frame's end (the kernel's own peak for the resident size).
struct Part {
    const char* name;
    int frames = 0;
    double cpu0 = 0, cpu = 0, draws = 0, maxDraws = 0;
    double heapUsed = 0, heapFree = 0, anon = 0;  // MiB, the largest at a frame's end
    double textures = 0, records = 0;              // MiB: the textures' and the frame records'

    explicit Part(const char* n) : name(n) {
        resetPeak();
        cpu0 = cpuMs();
    }
    void sample() {
        ++frames;
        const FrameCost c = LastFrameCost();
        draws += c.draws;
        maxDraws = std::max(maxDraws, double(c.draws));
        const struct mallinfo2 m = mallinfo2();
        heapUsed = std::max(heapUsed, double(m.uordblks + m.hblkhd) / 1048576.0);
        heapFree = std::max(heapFree, double(m.fordblks) / 1048576.0);
        anon = std::max(anon, statusMiB("RssAnon"));
        const ImageMemoryUse u = ImageMemory();
        textures = std::max(textures, double(u.textureBytes) / 1048576.0);
        records = std::max(records, double(u.frameBytes) / 1048576.0);
    }
    void report() {
        cpu = cpuMs() - cpu0;
        const double n = frames > 0 ? double(frames) : 1.0;
        const struct mallinfo2 m = mallinfo2();
        std::printf("%-10s frames %4d  peak %6.1f MiB  rss %6.1f (anon max %5.1f)  heap used max %5.1f free max "
                    "%5.1f, at the end %5.1f/%5.1f  textures max %5.1f  frame records max %4.1f  draws/frame %6.1f "
                    "(max %5.0f)  cpu/frame %6.2f ms\n",
                    name, frames, statusMiB("VmHWM"), statusMiB("VmRSS"), anon, heapUsed, heapFree,
                    double(m.uordblks + m.hblkhd) / 1048576.0, double(m.fordblks) / 1048576.0, textures, records,
                    draws / n, maxDraws, cpu / n);
        std::fflush(stdout);
    }
};

// The level solved row by row as a drag along each row uncovers it (each picture cell a
// little after the one before), a row every 12 frames, then its win to the end of the fade;
// the win screen is left with a click once its score has been counted.
bool playWin(TLevel& level) {
    SetFramePacing(true);
    std::printf("win of the %d x %d level (MiB)\n", level.rows, level.cols);
    Part solve("solving");
    for (int r = 0; r < level.rows; ++r) {
        int delay = 0;
        for (int c = 0; c < level.cols; ++c)
            if (TTile* t = level.at(r, c); t && t->isPicture()) delay += t->odkryj(delay);
        for (int i = 0; i < 12; ++i) {
            mainGame.frame();
            solve.sample();
        }
    }
    for (int i = 0; i < 600 && mainGame.state == "NORMAL"; ++i) {
        mainGame.frame();
        solve.sample();
    }
    solve.report();
    if (mainGame.state != "WIN-1") {
        std::fprintf(stderr, "the solved level did not win (state %s)\n", mainGame.state.c_str());
        return false;
    }
    Part win1("WIN-1");
    bool shown = false;
    playHooks().winScreen = [&](TMainGame&) {
        win1.report();
        shown = true;
        Part screen("win screen");
        winScreen.prepare();
        InjectMouseMove(900, 700);  // away from the statistics button
        for (int i = 0; i < 1200; ++i) {
            const bool more = winScreen.frame();
            screen.sample();
            if (!more) break;
            // A click now and then once it has shown itself, until it goes.
            if (i >= 240 && i % 30 == 0) InjectMouseButton(1, true);
            if (i >= 240 && i % 30 == 1) InjectMouseButton(1, false);
        }
        screen.report();
        return winScreen.wynik;
    };
    for (int i = 0; i < 1200 && !shown; ++i) {
        mainGame.frame();
        win1.sample();
    }
    if (!shown) {
        win1.report();
        std::fprintf(stderr, "the win screen never came\n");
        return false;
    }
    Part win("WIN");
    for (int i = 0; i < 600; ++i) {
        const bool more = mainGame.frame();
        win.sample();
        if (!more) break;
    }
    win.report();
    std::printf("after the win: state %s\n", mainGame.state.c_str());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    double seconds = 10, hold = 60;
    bool finish = false, win = false;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--seconds") && i + 1 < argc) seconds = std::atof(argv[++i]);
        else if (!std::strcmp(argv[i], "--hold") && i + 1 < argc) hold = std::atof(argv[++i]);
        else if (!std::strcmp(argv[i], "--finish")) finish = true;
        else if (!std::strcmp(argv[i], "--win")) win = true;
    }
    if (!benchworld::treeReady()) {
        std::fprintf(stderr, "no built asset tree (build the assets or set ZERKON_ASSET_TREE)\n");
        return 77;
    }
    benchworld::UserFolder user;
    const auto t0 = Clock::now();
    benchworld::startUpToLoading(true);
    if (!GraphicsOpen() || IsHeadless()) {
        std::fprintf(stderr, "no display could be opened\n");
        return 77;
    }
    const double openMs = msSince(t0);
    benchworld::runLoading();
    benchworld::installScreens();
    const double loadedMs = msSince(t0);
    const double titlePeak = statusMiB("VmHWM"), titleRss = statusMiB("VmRSS");
    SetFrameFinish(finish);

    std::string why;
    auto level = benchworld::play25x25(why, 20000);
    if (!level) {
        std::fprintf(stderr, "%s\n", why.c_str());
        return 1;
    }
    if (TTile* t = level->at(12, 12)) InjectMouseMove(t->x(), t->y());

    std::printf("state %s after the fly-in; display %dx%d, %s\n", mainGame.state.c_str(), GraphicsWidth(), GraphicsHeight(),
                finish ? "glFinish after each present" : "the swap waits");
    std::printf("start: display open %.0f ms, loading screen done %.0f ms; at the title RSS %.1f "
                "MiB, peak %.1f MiB\n",
                openMs, loadedMs, titleRss, titlePeak);
    report("paced", run(seconds, true));
    report("unpaced", run(seconds, false));
    // The pointer crossing the board: a new cell under it every 6 frames, and every frame.
    report("moving/6", run(seconds, true, level.get(), 6));
    report("moving/1", run(seconds, true, level.get(), 1));
    if (TTile* t = level->at(12, 12)) InjectMouseMove(t->x(), t->y());
    double low = 1e9, high = 0;
    SetFramePacing(true);
    const auto h0 = Clock::now();
    int frames = 0;
    while (msSince(h0) < hold * 1000.0) {
        mainGame.frame();
        if (++frames % 60 == 0) {
            const double rss = statusMiB("VmRSS");
            low = std::min(low, rss);
            high = std::max(high, rss);
        }
    }
    std::printf("after %.0f s of play: RSS %.1f MiB (%.1f..%.1f over the run), peak %.1f MiB\n",
                hold, statusMiB("VmRSS"), low, high, statusMiB("VmHWM"));
    std::fflush(stdout);
    {
        Part rest("at rest");  // a second more of the same, with the parts' figures
        for (int i = 0; i < 60; ++i) {
            mainGame.frame();
            rest.sample();
        }
        rest.report();
    }
    const bool won = !win || playWin(*level);
    benchworld::stopGame();
    return won ? 0 : 1;
}
