#pragma once
// The board's tile sets reduced to plain stand-ins, for fixtures that draw boards without the
// asset tree: an empty and a picture kind of one frame (white squares in every size class)
// and a cover of ten frames, put in the global lists the board looks them up in.
#include <memory>

#include "game/board/tiledata.h"
#include "platform/graphics.h"

struct PlainTiles {
    std::shared_ptr<TTileData> emptyData, pictureData;
    std::shared_ptr<TTileHideGFX> cover;
};

inline PlainTiles installPlainTiles(int side) {
    auto white = [side] {
        Pixmap pm;
        pm.width = side;
        pm.height = side;
        pm.pixels.assign(size_t(side) * size_t(side), 0xFFFFFFFFu);
        return CreateImageFromPixmap(pm);
    };
    PlainTiles t;
    t.emptyData = std::make_shared<TTileData>();
    t.emptyData->id = 0;
    t.emptyData->frames = 1;
    t.emptyData->brokeFrames = 1;
    t.pictureData = std::make_shared<TTileData>();
    t.pictureData->id = 1;
    t.pictureData->frames = 1;
    t.pictureData->brokeFrames = 1;
    for (int s = 0; s < kTileSizeClasses; ++s) {
        t.emptyData->gfx[size_t(s)] = white();
        t.pictureData->gfx[size_t(s)] = white();
    }
    t.cover = std::make_shared<TTileHideGFX>();
    t.cover->id = 1;
    t.cover->hideFrames = 10;
    tilesList = {t.emptyData, t.pictureData};
    tilesHideList = {t.cover};
    return t;
}
