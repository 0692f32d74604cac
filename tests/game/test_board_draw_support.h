#pragma once
// A board whose every image is a named file, so the recorded draws say which graphic was
// drawn: cells of the real pixel size of each size class, a 10-frame cover, a 4-frame
// treasure, an 8-frame stone, hover frames and digit images as wide as the game's.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <map>
#include <utility>
#include <string>
#include <vector>

#include <unistd.h>

#include "board_fixture.h"

namespace boardtest {

constexpr int kCellPx[kTileSizeClasses] = {50, 36, 30, 24, 20};
constexpr int kDigitW[kTileSizeClasses] = {26, 19, 16, 13, 11};
constexpr int kCoverFrames = 10;
constexpr int kTreasureFrames = 4;
constexpr int kStoneFrames = 8;

class DrawPlay : public FakePlay {
public:
    TTile* held = nullptr;
    TTile* startTile() override { return held; }
};

class DrawEffects : public FakeEffects {
public:
    std::array<TImage, kTileSizeClasses> stones;
    std::vector<std::pair<const TLiving*, int>> kinds;
    TImage stoneImage(int size) override { return stones[size_t(clampSizeClass(size))]; }
    int stoneFrames() override { return kStoneFrames; }
    int livingKindId(const TLiving& l) override {
        for (auto& k : kinds)
            if (k.first == &l) return k.second;
        return 0;
    }
};

class DrawBoard : public BoardTest {
protected:
    DrawPlay dplay;
    DrawEffects deffects;
    std::string dir;

    void SetUp() override {
        BoardTest::SetUp();
        dir = (std::filesystem::temp_directory_path() /
               ("zerkon_board_draw_" + std::to_string(::getpid())))
                  .string();
        std::filesystem::create_directories(dir);
        dplay = DrawPlay();
        deffects = DrawEffects();
        setPlayLink(&dplay);
        setEffectsLink(&deffects);
        for (int s = 0; s < kTileSizeClasses; ++s) {
            const int px = kCellPx[s];
            const std::string n = std::to_string(px);
            emptyData->gfx[size_t(s)] = named("empty-" + n, px, px);
            emptyData->broke[size_t(s)] = named("emptyB-" + n, px, px);
            pictureData->gfx[size_t(s)] = named("pic-" + n, px, px);
            pictureData->broke[size_t(s)] = named("picB-" + n, px, px);
            cover->hideImg[size_t(s)] = named("cover-" + n, px, px, kCoverFrames);
            treasure->img[size_t(s)] = named("treasure-" + n, px, px, kTreasureFrames);
            deffects.stones[size_t(s)] = named("stone-" + n, px, px, kStoneFrames);
            TTile::overImg[size_t(s)] = named("over-" + n, px + 4, px + 4);
            for (int d = 0; d < 10; ++d)
                TNumber::num[size_t(s)][size_t(d)] =
                    named("digit" + std::to_string(d) + "-" + n, kDigitW[s], px);
        }
        ClearRecordedDraws();
    }

    void TearDown() override {
        BoardTest::TearDown();
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }

    // A w x h image (a strip of `cells` such cells) written and loaded under a name; loaded
    // once per process, as the same name always means the same picture.
    TImage named(const std::string& name, int w, int h, int cells = 1) {
        static std::map<std::string, TImage> cache;
        const std::string key =
            name + "/" + std::to_string(w) + "x" + std::to_string(h) + "x" + std::to_string(cells);
        if (auto it = cache.find(key); it != cache.end()) return it->second;
        Pixmap pm;
        pm.width = w * cells;
        pm.height = h;
        pm.pixels.assign(size_t(pm.width) * size_t(h), 0xFFFFFFFFu);
        const std::string path = dir + "/" + name + ".png";
        if (!SavePixmapPNG(pm, path)) return nullptr;
        TImage img = LoadAnimImage(path, w, h, 0, cells);
        std::filesystem::remove(path);
        MidHandleImage(img);
        cache[key] = img;
        return img;
    }

    // The name an image draw was made with ("cover-50"), or the kind for other draws.
    static std::string nameOf(const DrawCall& d) {
        if (d.kind == DrawCall::Rect) return "rect";
        if (d.kind != DrawCall::Image) return "other";
        return std::filesystem::path(d.what).stem().string();
    }
    static std::vector<std::string> names() {
        std::vector<std::string> out;
        for (const DrawCall& d : RecordedDraws()) out.push_back(nameOf(d));
        return out;
    }

    // A level of the size class, laid out for real.
    TLevel& buildSized(const std::vector<std::string>& picture, int sizeClass,
                       bool withTreasures = false) {
        TLevel& l = build(picture, withTreasures);
        l.size = sizeClass;
        l.createNumbers();
        l.setProperPosition();
        dplay.lvl = &l;
        ClearRecordedDraws();
        return l;
    }
};

}  // namespace boardtest
