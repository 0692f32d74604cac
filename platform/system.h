#pragma once
// Clock, random numbers and message boxes; each replaceable by tests.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Milliseconds since start, as a 32-bit count.
int32_t Millisecs();
// Tests and the headless backend drive the clock: a source replaces the real clock
// (nullptr restores it).
void SetClockSource(std::function<int32_t()> source);

// Seeded generator.
void SeedRnd(int32_t seed);
int32_t RndSeed();
int32_t Rand(int32_t lo, int32_t hi);          // inclusive range, either order
double Rnd(double lo = 0.0, double hi = 1.0);   // [lo, hi)

// Blocking message box with an OK button in a window; standard error when headless.
void Notify(const std::string& text, bool serious = false);
// The text of one message for a cause with several instances: the intro, then each instance
// on a line of its own after "- " (the first `shown`, then how many more there are).
std::string listedMessage(const std::string& intro, const std::vector<std::string>& items, size_t shown = 12);
// Replaces what Notify does (tests record; nullptr restores the default).
void SetNotifyHandler(std::function<void(const std::string&)> handler);

// A line to standard output (console notices of the data-file reader and others).
void Print(const std::string& line);

// ZERKON_TIMING=1: a named moment of start-up, with the milliseconds since the process
// began, to standard output (the start-up benchmark reads them). Otherwise nothing.
void TimingMark(const char* what);

// ZERKON_MEMORY=1: the run is cut into named spans (the start-up's loading and intro, each
// place and play state the harness hears of); when a span ends, a line "memory NAME rss R
// peak P heap H free F images N pixels P fonts N B textures N B frames F draws D" (MiB) gives
// the resident memory at its end, the most it reached within it, the allocator's bytes in use
// and free, what the pictures and the frame records hold (ImageMemory) and the most draws a
// frame of it took. The first span is "start-up"; the last is
// reported at exit. ZERKON_MEMORY=2 adds every texture alive, 3 the process's mappings by
// resident size (the driver's libraries, the heap, anonymous memory), 4 the heap, textures and
// mappings at the presented frame of the span with the most resident memory.
// ZERKON_FRAMECOST=1: when a span ends, a line "frames NAME n N cpu C wall W": the frames
// presented in it (the first 30 left out) and the whole process's CPU and wall milliseconds
// a frame over them, then the pixels drawn a frame (millions; all, blended, filtered) and the
// draws a frame. Otherwise nothing.
void MemoryMark(const std::string& span);

// Hands the allocator's free pages back to the system (after a screen has let its resources
// go: what it freed in the middle of the heap would otherwise stay resident).
void ReleaseFreeMemory();
// The same mark, given when the next frame has been presented (the title is the first frame
// the intro shows, whatever happens before it).
void TimingMarkAtNextFrame(const char* what);
// The backend tells of each presented frame: the first is announced ("first frame presented")
// and the marks waiting for a frame are given.
void TimingFramePresented();
