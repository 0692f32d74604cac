#include "platform/system.h"

#include <SDL.h>
#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <utility>
#include <vector>

#include "platform/graphics.h"

namespace {

using SteadyClock = std::chrono::steady_clock;

// The count starts near 0 when the program starts; a function-local static so that a
// caller during another file's static initialisation still sees a set start.
SteadyClock::time_point startTime() {
    static const SteadyClock::time_point start = SteadyClock::now();
    return start;
}
[[maybe_unused]] const SteadyClock::time_point gStartTouched = startTime();
std::function<int32_t()> gClockSource;

std::function<void(const std::string&)> gNotifyHandler;

constexpr int32_t kDefaultSeed = 0x1234;

// PCG32 (XSH RR): small, fast, and the same sequence for a seed on every machine.
struct Pcg32 {
    uint64_t state = 0;
    uint64_t inc = 1442695040888963407ULL;

    void seed(uint64_t s) {
        state = 0;
        next();
        state += s;
        next();
    }

    uint32_t next() {
        const uint64_t old = state;
        state = old * 6364136223846793005ULL + inc;
        const auto xorshifted = static_cast<uint32_t>(((old >> 18u) ^ old) >> 27u);
        const auto rot = static_cast<uint32_t>(old >> 59u);
        return (xorshifted >> rot) | (xorshifted << ((0u - rot) & 31u));
    }
};

Pcg32& rng() {
    static Pcg32 generator = [] {
        Pcg32 g;
        g.seed(static_cast<uint32_t>(kDefaultSeed));
        return g;
    }();
    return generator;
}

int32_t gSeed = kDefaultSeed;

}  // namespace

int32_t Millisecs() {
    if (gClockSource) return gClockSource();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(SteadyClock::now() - startTime()).count();
    // A 32-bit count that wraps like the classic timer does after ~24 days.
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(ms)));
}

void SetClockSource(std::function<int32_t()> source) { gClockSource = std::move(source); }

void SeedRnd(int32_t seed) {
    gSeed = seed;
    rng().seed(static_cast<uint32_t>(seed));
}

int32_t RndSeed() { return gSeed; }

int32_t Rand(int32_t lo, int32_t hi) {
    if (lo > hi) std::swap(lo, hi);
    const uint64_t range = static_cast<uint64_t>(static_cast<int64_t>(hi) - lo) + 1;  // up to 2^32
    const uint64_t pick = (static_cast<uint64_t>(rng().next()) * range) >> 32;
    return static_cast<int32_t>(static_cast<int64_t>(lo) + static_cast<int64_t>(pick));
}

double Rnd(double lo, double hi) {
    const double unit = rng().next() / 4294967296.0;  // [0, 1)
    const double v = lo + (hi - lo) * unit;
    // Rounding can land on the upper end for wide ranges; keep it half-open.
    if (hi > lo && v >= hi) return std::nextafter(hi, lo);
    if (hi < lo && v <= hi) return std::nextafter(hi, lo);
    return v;
}

void Notify(const std::string& text, bool serious) {
    if (gNotifyHandler) {
        gNotifyHandler(text);
        return;
    }
    if (!IsHeadless() && GraphicsOpen()) {
        const Uint32 flags = serious ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
        if (SDL_ShowSimpleMessageBox(flags, "Zerkon", text.c_str(), nullptr) == 0) return;
    }
    std::fprintf(stderr, "Notify: %s\n", text.c_str());
    std::fflush(stderr);
}

std::string listedMessage(const std::string& intro, const std::vector<std::string>& items, size_t shown) {
    std::string text = intro;
    for (size_t i = 0; i < items.size() && i < shown; ++i) text += "\n- " + items[i];
    if (items.size() > shown) text += "\n(and " + std::to_string(items.size() - shown) + " more)";
    return text;
}

void SetNotifyHandler(std::function<void(const std::string&)> handler) { gNotifyHandler = std::move(handler); }

void Print(const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

namespace {

// A field of /proc/self/status ("VmRSS", "VmHWM") in MiB.
double statusMiB(const char* key) {
    FILE* f = std::fopen("/proc/self/status", "r");
    if (!f) return 0;
    char line[256];
    const size_t n = std::strlen(key);
    double kb = 0;
    while (std::fgets(line, sizeof line, f))
        if (std::strncmp(line, key, n) == 0 && line[n] == ':') {
            kb = std::atof(line + n + 1);
            break;
        }
    std::fclose(f);
    return kb / 1024.0;
}

std::string gMemorySpan;

// ZERKON_MEMORY: 1 reports each span, 2 also lists the textures alive, 3 the mappings, 4 what
// was alive at each span's highest frame;
// otherwise 0.
int memoryReport() {
    static const int level = [] {
        const char* v = std::getenv("ZERKON_MEMORY");
        return v && v[0] >= '1' && v[0] <= '4' && v[1] == 0 ? v[0] - '0' : 0;
    }();
    return level;
}

// The resident size of the process's mappings, summed by what they map (a file, the heap,
// or anonymous memory by its size class), largest first.
void describeMappings(FILE* out) {
    FILE* f = std::fopen("/proc/self/smaps", "r");
    if (!f) return;
    std::vector<std::pair<std::string, double>> sums;
    auto add = [&](const std::string& name, double kb) {
        for (auto& s : sums)
            if (s.first == name) {
                s.second += kb;
                return;
            }
        sums.emplace_back(name, kb);
    };
    char line[512];
    std::string name;
    while (std::fgets(line, sizeof line, f)) {
        unsigned long lo = 0, hi = 0;
        char path[400] = "";
        if (std::sscanf(line, "%lx-%lx %*s %*s %*s %*s %399s", &lo, &hi, path) >= 2) {
            name = path;
            if (name.empty()) {
                const unsigned long mib = (hi - lo) >> 20;
                name = mib >= 64 ? "[anon >=64M]" : mib >= 1 ? "[anon 1-64M]" : "[anon <1M]";
            }
        } else if (std::strncmp(line, "Rss:", 4) == 0) {
            add(name, std::atof(line + 4));
        }
    }
    std::fclose(f);
    std::sort(sums.begin(), sums.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
    for (const auto& s : sums)
        if (s.second >= 256) std::fprintf(out, "  map %8.1f %s\n", s.second / 1024.0, s.first.c_str());
}

// ZERKON_MEMORY=4: what was alive at the presented frame of the span with the most resident
// memory (its heap, textures and mappings), to tell what a peak is made of.
struct PeakFrame {
    double rss = 0;
    int frame = 0, frames = 0;
    std::string alive;
} gPeakFrame;

void notePeakFrame() {
    if (memoryReport() != 4) return;
    ++gPeakFrame.frames;
    const double rss = statusMiB("VmRSS");
    if (rss <= gPeakFrame.rss) return;
    gPeakFrame.rss = rss;
    gPeakFrame.frame = gPeakFrame.frames;
    char* text = nullptr;
    size_t size = 0;
    FILE* out = open_memstream(&text, &size);
    if (!out) return;
    const struct mallinfo2 mi = mallinfo2();
    std::fprintf(out, "  heap %.1f free %.1f\n", double(mi.uordblks + mi.hblkhd) / 1048576.0,
                 double(mi.fordblks) / 1048576.0);
    DescribeTextures(out);
    describeMappings(out);
    std::fclose(out);
    gPeakFrame.alive.assign(text, size);
    std::free(text);
}

void reportMemorySpan() {
    const struct mallinfo2 mi = mallinfo2();
    const ImageMemoryUse u = ImageMemory();
    constexpr double MiB = 1048576.0;
    std::printf("memory %s rss %.1f peak %.1f heap %.1f free %.1f images %d pixels %.1f fonts %d %.1f "
                "textures %d %.1f frames %.1f draws %d\n",
                gMemorySpan.c_str(), statusMiB("VmRSS"), statusMiB("VmHWM"), double(mi.uordblks + mi.hblkhd) / MiB,
                double(mi.fordblks) / MiB, u.images, double(u.pixelBytes) / MiB, u.fonts, double(u.fontBytes) / MiB,
                u.textures, double(u.textureBytes) / MiB, double(u.frameBytes) / MiB, TakeMostDrawsInAFrame());
    if (memoryReport() == 2) DescribeTextures(stdout);
    if (memoryReport() == 3) describeMappings(stdout);
    if (memoryReport() == 4 && gPeakFrame.frame > 0)
        std::printf("  at frame %d of %d, rss %.1f:\n%s", gPeakFrame.frame, gPeakFrame.frames, gPeakFrame.rss,
                    gPeakFrame.alive.c_str());
    gPeakFrame = {};
    std::fflush(stdout);
    // "5" resets the peak to the present size, so the next span's peak is its own.
    if (FILE* f = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", f);
        std::fclose(f);
    }
}

}  // namespace

void ReleaseFreeMemory() {
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

namespace {

// ZERKON_FRAMECOST=1: each span's presented frames and the whole process's CPU (the
// driver's threads count) and wall time a frame, its first frames left out (first draws
// upload pictures), and the longest wait for one of its frames, those first ones included.
constexpr int kFrameCostSettle = 30;
struct SpanCost {
    std::string name = "start-up";
    int frames = 0;
    double cpu0 = 0, wall0 = 0;  // at the end of its settling frames
    FrameCost drawn;             // what the frames after the settling ones drew, summed
    double longest = 0;          // ms from the frame presented before to one of its own
};
double lastFrameWall = -1;

bool frameCostOn() {
    static const bool on = [] {
        const char* v = std::getenv("ZERKON_FRAMECOST");
        return v && std::strcmp(v, "1") == 0;
    }();
    return on;
}

double processCpuMs() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1000.0 +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1000.0;
}

double wallMs() { return std::chrono::duration<double, std::milli>(SteadyClock::now() - startTime()).count(); }

SpanCost gSpanCost;

void reportFrameCost() {
    const SpanCost& s = gSpanCost;
    const int n = s.frames - kFrameCostSettle;
    // Pixels in millions a frame, of them blended and filtered, and draws a frame.
    if (n > 0)
        std::printf(
            "frames %s n %d cpu %.2f wall %.2f pixels %.2f blended %.2f filtered %.2f draws %.0f longest %.1f\n",
            s.name.c_str(), n, (processCpuMs() - s.cpu0) / n, (wallMs() - s.wall0) / n, s.drawn.pixels / n / 1e6,
            s.drawn.blendedPixels / n / 1e6, s.drawn.filteredPixels / n / 1e6, double(s.drawn.draws) / n, s.longest);
    else
        std::printf("frames %s n 0 longest %.1f\n", s.name.c_str(), s.longest);
    std::fflush(stdout);
}

void frameCostMark(const std::string& span) {
    if (!frameCostOn()) return;
    static const bool atExit = [] { return std::atexit([] { reportFrameCost(); }) == 0; }();
    (void)atExit;
    reportFrameCost();
    gSpanCost = SpanCost{};
    gSpanCost.name = span;
}

void countFrameCost() {
    if (!frameCostOn()) return;
    const double now = wallMs();
    if (lastFrameWall >= 0) gSpanCost.longest = std::max(gSpanCost.longest, now - lastFrameWall);
    lastFrameWall = now;
    if (gSpanCost.frames >= kFrameCostSettle) {
        const FrameCost c = LastFrameCost();
        gSpanCost.drawn.draws += c.draws;
        gSpanCost.drawn.pixels += c.pixels;
        gSpanCost.drawn.blendedPixels += c.blendedPixels;
        gSpanCost.drawn.filteredPixels += c.filteredPixels;
    }
    if (++gSpanCost.frames == kFrameCostSettle) {
        gSpanCost.cpu0 = processCpuMs();
        gSpanCost.wall0 = wallMs();
    }
}

}  // namespace

void MemoryMark(const std::string& span) {
    frameCostMark(span);
    static const bool on = [] {
        if (memoryReport() == 0) return false;
        gMemorySpan = "start-up";
        std::atexit([] { reportMemorySpan(); });
        return true;
    }();
    if (!on) return;
    reportMemorySpan();
    gMemorySpan = span;
}

namespace {

bool timingOn() {
    static const bool on = [] {
        const char* v = std::getenv("ZERKON_TIMING");
        return v && std::strcmp(v, "1") == 0;
    }();
    return on;
}

std::vector<std::string>& marksAtNextFrame() {
    static std::vector<std::string> marks;
    return marks;
}

}  // namespace

void TimingMark(const char* what) {
    if (!timingOn()) return;
    // Since exec: the kernel's start time of the process, in clock ticks since boot.
    static const double startMs = [] {
        double ms = 0;
        if (FILE* f = std::fopen("/proc/self/stat", "r")) {
            char buf[1024];
            const size_t n = std::fread(buf, 1, sizeof buf - 1, f);
            std::fclose(f);
            buf[n] = 0;
            // Field 22; fields after the command name's closing parenthesis.
            if (const char* p = std::strrchr(buf, ')')) {
                unsigned long long ticks = 0;
                if (std::sscanf(p + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %*u %*u %*d "
                                       "%*d %*d %*d %*d %*d %llu",
                                &ticks) == 1)
                    ms = double(ticks) * 1000.0 / double(sysconf(_SC_CLK_TCK));
            }
        }
        return ms;
    }();
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const double nowMs = double(now.tv_sec) * 1000.0 + double(now.tv_nsec) / 1e6;
    std::printf("mark %s %.0f ms\n", what, startMs > 0 ? nowMs - startMs : 0.0);
    std::fflush(stdout);
}

void TimingMarkAtNextFrame(const char* what) {
    if (timingOn()) marksAtNextFrame().emplace_back(what);
}

void TimingFramePresented() {
    countFrameCost();
    notePeakFrame();
    if (!timingOn()) return;
    static bool first = true;
    if (first) {
        first = false;
        std::printf("first frame presented\n");
        std::fflush(stdout);
    }
    std::vector<std::string> marks;
    marks.swap(marksAtNextFrame());
    for (const std::string& m : marks) TimingMark(m.c_str());
}
