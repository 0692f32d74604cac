#include "game/board/tiledata.h"

#include <cmath>

std::vector<std::shared_ptr<TTileData>> tilesList;
std::vector<std::shared_ptr<TTileHideGFX>> tilesHideList;
std::vector<std::shared_ptr<TTresureData>> tresuresList;

int clampSizeClass(int size) {
    if (size < 0) return 0;
    if (size >= kTileSizeClasses) return kTileSizeClasses - 1;
    return size;
}

namespace {

template <class T>
std::shared_ptr<T> firstWithId(const std::vector<std::shared_ptr<T>>& list, int id) {
    for (const auto& rec : list)
        if (rec && rec->id == id) return rec;
    return nullptr;
}

}  // namespace

std::shared_ptr<TTileData> getTileDataById(int id) { return firstWithId(tilesList, id); }
std::shared_ptr<TTileHideGFX> GetTileDataHideById(int id) { return firstWithId(tilesHideList, id); }
std::shared_ptr<TTresureData> getTresureById(int id) { return firstWithId(tresuresList, id); }

void resetTileDataLists() {
    tilesList.clear();
    tilesHideList.clear();
    tresuresList.clear();
}

int TTileData::draw(float x, float y, int size, int frame) const {
    DrawImage(gfx[size_t(clampSizeClass(size))], x, y, frame);
    return 0;
}

int TTileData::drawBroke(float x, float y, int size, int frame) const {
    DrawImage(broke[size_t(clampSizeClass(size))], x, y, id == 0 ? frame : 0);
    return 0;
}

int TTresureData::draw(float x, float y, int size, float frame) const {
    // Frames beyond any strip (or not a number) show the first cell rather than overflow.
    const int cell = std::isfinite(frame) && std::fabs(frame) < 1e6f ? int(frame) : 0;
    DrawImage(img[size_t(clampSizeClass(size))], x, y, cell);
    return 0;
}
