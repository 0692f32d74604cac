// libFuzzer entry for the block puzzle level reader (a progression's level and a player's
// level in progress, which anyone can edit): any text must give a level within its bounds,
// every cell there and every block with a shape; writing it and reading that back must
// write the same text again.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <unistd.h>

#include "app/app_globals.h"
#include "minigames/puzzle_express/pe_level_file.h"
#include "platform/files.h"
#include "platform/system.h"

TImage mousePoint;  // the reader never tests the pointer; the rules library names it

namespace {

void check(bool ok) {
    if (!ok) std::abort();
}

std::string scratch(const char* name) {
    return "/tmp/zerkon_fuzz_pe_" + std::to_string(getpid()) + "_" + name;
}

// Two kinds and two shapes (a domino and an L), as the shape files would give them.
void makeShapes() {
    for (int id : {1, 2}) {
        auto k = std::make_shared<TPETileData>();
        k->id = id;
        peTilesList.push_back(k);
    }
    for (int id : {1, 2}) {
        auto b = std::make_shared<TBlockData>();
        b->id = id;
        b->rows = id;
        b->cols = 2;
        b->tab.assign(size_t(b->rows), std::vector<std::shared_ptr<TPETileData>>(2, peTilesList[size_t(id - 1)]));
        if (id == 2) b->tab[1][1] = nullptr;
        b->obliczKat();
        blocksList.push_back(b);
    }
}

}  // namespace

void removeScratch() {
    for (const char* name : {"in.lvl", "once.lvl", "twice.lvl"}) std::remove(scratch(name).c_str());
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SetNotifyHandler([](const std::string&) {});
    std::atexit(removeScratch);
    makeShapes();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string in = scratch("in.lvl"), once = scratch("once.lvl"), twice = scratch("twice.lvl");
    check(files::saveText(std::string(reinterpret_cast<const char*>(data), size), in));
    auto level = loadPuzzleExpressLevel(in);
    check(level != nullptr && level->PEObj != nullptr);
    check(level->rows >= 0 && level->rows <= kPEMaxBoardSide && level->cols >= 0 && level->cols <= kPEMaxBoardSide);
    check(level->tile.size() == size_t(level->rows));
    for (const auto& row : level->tile) {
        check(row.size() == size_t(level->cols));
        for (const auto& t : row) check(t != nullptr);
    }
    check(level->blocks.size() <= size_t(kPEMaxBlocks));
    for (const auto& b : level->blocks) check(b && b->bd);
    check(savePuzzleExpressLeveL(*level, once) == 0);
    auto again = loadPuzzleExpressLevel(once);
    check(savePuzzleExpressLeveL(*again, twice) == 0);
    check(files::loadText(once) == files::loadText(twice));
    return 0;
}
