#pragma once
// A board under test: a level built from ASCII rows ('#' picture cell, '.' empty cell),
// laid out on a 50-pixel pitch, a fake millisecond clock, delta 1, and recording stand-ins
// for the play screen, the effects and the sound service.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "game/board/level.h"
#include "game/board/links.h"
#include "game/board/number.h"
#include "game/board/tile.h"
#include "game/board/tiledata.h"
#include "gui/frame/deltatime.h"
#include "gui/frame/mouse.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/system.h"
#include "tests/support/plain_tiles.h"

namespace boardtest {

// The effect types belong to the effects layer; the board only holds and compares them,
// so the fakes hand out opaque tokens that are never looked into.
template <class T>
std::shared_ptr<T> opaqueToken() {
    auto owner = std::make_shared<int>(0);
    return std::shared_ptr<T>(owner, reinterpret_cast<T*>(owner.get()));
}

inline TImage makeImage(int w, int h) {
    Pixmap pm;
    pm.width = w;
    pm.height = h;
    pm.pixels.assign(size_t(w) * size_t(h), 0xFFFFFFFFu);
    return CreateImageFromPixmap(pm);
}

struct Timed {
    int at;      // clock when it happened
    TTile* tile;
};

struct ScoreCall {
    int at;
    int points;
    float x, y;
};

class FakePlay : public TPlayLink {
public:
    TLevel* lvl = nullptr;
    int tool = 0;
    TTile* over = nullptr;
    int livingsUsed = 0;
    std::vector<ScoreCall> scores;
    std::vector<Timed> stones;
    std::vector<TTile*> breakTips, uncoverTips;

    TLevel* level() override { return lvl; }
    int hand() override { return tool; }
    TTile* overTile() override { return over; }
    void addLivingUsed() override { ++livingsUsed; }
    void addScore(int points, float x, float y) override {
        scores.push_back({Millisecs(), points, x, y});
    }
    void wyslijKamien(TTile& tile) override { stones.push_back({Millisecs(), &tile}); }
    void showTipToBroke(TTile& tile) override { breakTips.push_back(&tile); }
    void showTipToUncover(TTile& tile) override { uncoverTips.push_back(&tile); }
};

struct FlightCall {
    int at;
    TTresureData* tresure;
    int size, frame;
    float x, y;
    TTile* tile;
};

struct DropCall {
    TLiving* living;
    int size;
    float x1, y1, x2, y2, mx, my;
};

class FakeEffects : public TEffectsLink {
public:
    std::vector<FlightCall> flights;
    std::vector<std::shared_ptr<TFlyingTresure>> inFlight;
    std::vector<int> captions;
    int splinters = 0;
    int plates = 0;
    int sparkles = 0;
    std::vector<TLiving*> used;
    std::vector<DropCall> dropped;

    std::shared_ptr<TFlyingTresure> createFlyingTresure(const std::shared_ptr<TTresureData>& t,
                                                        int size, int frame, float x, float y,
                                                        const std::shared_ptr<TTile>& tile) override {
        flights.push_back({Millisecs(), t.get(), size, frame, x, y, tile.get()});
        auto token = opaqueToken<TFlyingTresure>();
        inFlight.push_back(token);
        return token;
    }
    void createDrzazga(float, float) override { ++splinters; }
    void createPlatesQ(int, float, float) override { ++plates; }
    void createOkoParticle(float, float, float, float) override { ++sparkles; }
    void createGreatCaption(int x) override { captions.push_back(x); }
    void useLiving(TLiving& l) override { used.push_back(&l); }
    void dropLiving(TLiving& l, int size, float x1, float y1, float x2, float y2, float mx,
                    float my) override {
        dropped.push_back({&l, size, x1, y1, x2, y2, mx, my});
    }
};

struct SoundCall {
    int at;
    std::string name;
};

class FakeServices : public TServicesLink {
public:
    std::vector<SoundCall> sounds;
    std::vector<std::string> music;
    int levelMusic = 0;
    int cheatsOn = 0;

    void playMySound(const std::string& name) override { sounds.push_back({Millisecs(), name}); }
    void playMyMusic(const std::string& name) override { music.push_back(name); }
    void playLevelMusic() override { ++levelMusic; }
    int cheats() override { return cheatsOn; }

    int count(const std::string& name) const {
        int n = 0;
        for (const auto& s : sounds) n += s.name == name;
        return n;
    }
};

// Pitch of the test layout and the top-left cell centre.
constexpr int kPitch = 50;
constexpr int kOriginX = 100;
constexpr int kOriginY = 100;

class BoardTest : public ::testing::Test {
protected:
    int32_t now = 1000;
    FakePlay play;
    FakeEffects effects;
    FakeServices services;
    std::unique_ptr<TLevel> level;
    std::shared_ptr<TTileData> emptyData, pictureData;
    std::shared_ptr<TTileHideGFX> cover;
    std::shared_ptr<TTresureData> treasure;

    void SetUp() override { fresh(); }

    // Everything back to the start; table-driven tests call it between their cases.
    void fresh() {
        now = 1000;
        level.reset();
        play = FakePlay();
        effects = FakeEffects();
        services = FakeServices();
        InitPlatform(true);
        ResetGraphicsState();
        ResetInputState();
        ResetMouseState();
        resetBoardLinks();
        resetTileDataLists();
        resetTileStatics();
        resetNumberImages();
        SetClockSource([this] { return now; });
        delta = 1.0f;
        setPlayLink(&play);
        setEffectsLink(&effects);
        setServicesLink(&services);

        const PlainTiles tiles = installPlainTiles(kPitch);
        emptyData = tiles.emptyData;
        pictureData = tiles.pictureData;
        cover = tiles.cover;
        treasure = std::make_shared<TTresureData>();
        treasure->id = 1;
        treasure->frames = 4;
        tresuresList = {treasure};

        for (int s = 0; s < kTileSizeClasses; ++s)
            for (int d = 0; d < 10; ++d) TNumber::num[size_t(s)][size_t(d)] = makeImage(20, 30);
    }

    void TearDown() override {
        setPlayLink(nullptr);
        setEffectsLink(nullptr);
        setServicesLink(nullptr);
        SetClockSource(nullptr);
        level.reset();
        resetNumberImages();
        resetTileDataLists();
        resetTileStatics();
    }

    // A level from ASCII rows; picture cells carry a treasure when `withTreasures`.
    TLevel& build(const std::vector<std::string>& picture, bool withTreasures = false) {
        level = std::make_unique<TLevel>();
        level->rows = int(picture.size());
        level->cols = picture.empty() ? 0 : int(picture[0].size());
        level->createTilesTab();
        for (int r = 0; r < level->rows; ++r) {
            for (int c = 0; c < level->cols; ++c) {
                TTile* t = level->at(r, c);
                const bool pic = picture[size_t(r)][size_t(c)] == '#';
                t->setTileData(pic ? pictureData : emptyData);
                t->setTileHideData(cover);
                if (pic && withTreasures) t->setTresure(treasure);
                t->dim = createSimpleDim(kOriginX + c * kPitch, kOriginY + r * kPitch);
            }
        }
        level->createNumbers();
        play.lvl = level.get();
        return *level;
    }

    TTile& cell(int r, int c) { return *level->at(r, c); }

    // One frame: the clock moves on, every cell and clue line updates.
    void frame(int ms = 16) {
        now += ms;
        level->updateTiles();
        level->updateNumbers();
    }
    void frames(int n, int ms = 16) {
        for (int i = 0; i < n; ++i) frame(ms);
    }
    // Until the clock has advanced at least `ms`.
    void runFor(int ms) {
        const int end = now + ms;
        while (now < end) frame();
    }

    // What the play screen does on releasing a held line: each cell in order, the running
    // delay growing by what each accepted cell returns.
    std::vector<int> releaseLine(const std::vector<TTile*>& cells, bool uncover) {
        std::vector<int> results;
        int delay = 0;
        for (TTile* t : cells) {
            const int got = uncover ? t->odkryj(delay) : t->rozbij(delay);
            results.push_back(got);
            delay += got;
        }
        return results;
    }

    // The treasure released by a cell lies down on the pile.
    static void land(TTile& t) { t._myTresure.reset(); }
};

}  // namespace boardtest
