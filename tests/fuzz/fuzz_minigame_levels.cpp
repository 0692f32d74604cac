// libFuzzer entry for the three mini-games' level readers (hidden object, block puzzle,
// inlay). The readers take a path, so the bytes go to one scratch file per process. A first
// byte 0, 1 or 2 picks one reader (hidden object, block puzzle, inlay) and the rest is the
// file; any other input is the file for all three, so a shipped level is a seed as it is.
// Any bytes must be read without a crash; a level read, written, read and written again
// must give the same text the second time (the first read may lose what it cannot use).
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "gui/globals.h"
#include "minigames/hidden_object/ho_level_file.h"
#include "minigames/lay_puzzle/lp_level_file.h"
#include "minigames/puzzle_express/pe_level_file.h"
#include "platform/graphics.h"
#include "platform/system.h"

namespace {

std::string inPath, outPath, againPath;

void check(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "fuzz_minigame_levels: %s\n", what);
    std::abort();
}

std::string readBack(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A blank picture of the board cell's size: the shapes measure themselves by it.
TImage cell(int w, int h) {
    Pixmap pm;
    pm.width = w;
    pm.height = h;
    pm.pixels.assign(size_t(w) * size_t(h), 0xFFFFFFFFu);
    return CreateImageFromPixmap(pm);
}

// Read, write, read, write: the two writes must agree.
template <class Load, class Save>
void roundTrip(Load load, Save save, const char* what) {
    auto first = load(inPath);
    check(first != nullptr, what);
    check(save(*first, outPath) == 0, what);
    const std::string once = readBack(outPath);
    auto again = load(outPath);
    check(again != nullptr, what);
    // A second file, so that both writes are left to compare when the check fails.
    check(save(*again, againPath) == 0, what);
    check(readBack(againPath) == once, what);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SetNotifyHandler([](const std::string&) {});
    SeedRnd(1);
    InitPlatform(true);
    Graphics(1024, 768, 0, 60);
    // The shipped shape and tile files; their pictures are not in the source tree, which the
    // readers report and skip.
    bDir = ZERKON_SOURCE_DIR "/assets/tree/";
    lang = "en";
    peEmptyTile = cell(40, 40);
    setupPETiles();
    setupPEBlocks();
    layEmptyTile = cell(32, 26);
    loadLayBlocksData();
    // Every save is flushed to disk: in memory (/dev/shm) that costs nothing.
    const char* tmp = std::getenv("TMPDIR");
    const std::string folder = tmp && *tmp ? tmp : access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    const std::string base = folder + "/fuzz_minigame_levels." + std::to_string(getpid());
    inPath = base + ".in";
    outPath = base + ".out";
    againPath = base + ".again";
    std::atexit([] {
        std::remove(inPath.c_str());
        std::remove(outPath.c_str());
        std::remove(againPath.c_str());
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const int pick = size && data[0] < 3 ? data[0] : 3;
    if (pick < 3) {
        ++data;
        --size;
    }
    {
        std::ofstream out(inPath, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
    }
    if (pick == 0 || pick == 3)
        roundTrip([](const std::string& p) { return loadHOLevel(p); }, saveHOLevel, "hidden-object level");
    if (pick == 1 || pick == 3)
        roundTrip([](const std::string& p) { return loadPuzzleExpressLevel(p); }, savePuzzleExpressLeveL,
                  "block puzzle level");
    if (pick == 2 || pick == 3)
        roundTrip([](const std::string& p) { return loadLayPuzzleLevel(p); }, saveLayPuzzleLevel, "inlay level");
    return 0;
}
