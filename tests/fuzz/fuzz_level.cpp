// libFuzzer entry for the nonogram level reader: any text must either be refused or give a
// level every cell of which has its picture and cover, in a size class the images have;
// writing that level and reading it back must give the same text again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "game/board/level.h"
#include "game/board/tiledata.h"
#include "game/level/levelfile.h"
#include "platform/system.h"

namespace {

void check(bool ok) {
    if (!ok) std::abort();
}

void makeSets() {
    for (int id : {0, 1, 2}) {
        auto t = std::make_shared<TTileData>();
        t->id = id;
        t->frames = 1;
        tilesList.push_back(t);
    }
    auto cover = std::make_shared<TTileHideGFX>();
    cover->id = 1;
    cover->hideFrames = 10;
    tilesHideList.push_back(cover);
    for (int id : {1, 2, 3, 4}) {
        auto t = std::make_shared<TTresureData>();
        t->id = id;
        t->frames = 4;
        tresuresList.push_back(t);
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SetNotifyHandler([](const std::string&) {});
    SeedRnd(1);
    makeSets();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (int random : {0, 1}) {
        auto lvl = loadLevelFromText(text, "fuzz.lvl", random);
        if (!lvl) continue;
        check(lvl->rows > 0 && lvl->cols > 0);
        check(size_t(lvl->rows) * size_t(lvl->cols) == lvl->tile.size());
        check(lvl->size >= 0 && lvl->size <= 4);
        check(lvl->maxMistakes != 0);
        for (const auto& t : lvl->tile) check(t && t->td && t->tdHide);
        const std::string once = levelToText(*lvl);
        auto again = loadLevelFromText(once, "fuzz-again.lvl", 0);
        check(again != nullptr);
        check(levelToText(*again) == once);
    }
    return 0;
}
