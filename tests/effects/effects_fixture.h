#pragma once
// The effects under test: a fake millisecond clock, delta 1, a 22-entry particle table of
// small white images, a play screen stand-in that records what arriving effects finish,
// a recording sound service and a fresh current profile.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/profile/profile_manager.h"
#include "effects/effects.h"
#include "game/board/level.h"
#include "game/board/links.h"
#include "game/board/tiledata.h"
#include "gui/frame/deltatime.h"
#include "platform/graphics.h"
#include "platform/system.h"

namespace fxtest {

inline Pixmap whitePixmap(int w, int h) {
    Pixmap pm;
    pm.width = w;
    pm.height = h;
    pm.pixels.assign(size_t(w) * size_t(h), 0xFFFFFFFFu);
    return pm;
}

inline TImage makeImage(int w, int h, int frames = 1) {
    const Pixmap pm = whitePixmap(w * frames, h);
    if (frames == 1) return CreateImageFromPixmap(pm);
    // Strips go through a file: only the loader cuts cells.
    const std::string path = ::testing::TempDir() + "fx_strip_" + std::to_string(w) + "x" +
                             std::to_string(h) + "_" + std::to_string(frames) + ".png";
    SavePixmapPNG(pm, path);
    return LoadAnimImage(path, w, h, 0, frames);
}

// Where the play screen's power-up widgets stand in these tests.
inline float bonusX(int n) { return 250.0f + 56.0f * float(n); }
constexpr float kBonusY = 745;

class FakePlay : public TPlayLink {
public:
    TLevel* lvl = nullptr;
    int chestHits = 0;
    std::vector<int> bagCountAtCheck;  // kamienieWWorku seen by each checkWorek
    std::vector<int> enabled;          // buttons enabled, in order
    float worekY = kBonusY;

    TLevel* level() override { return lvl; }
    void uszkodzSkrzynie() override { ++chestHits; }
    void checkWorek() override {
        bagCountAtCheck.push_back(profileManager.profile ? profileManager.profile->kamienieWWorku : -1);
    }
    bool bonusPosition(int n, float& x, float& y) override {
        x = bonusX(n);
        y = kBonusY;
        return true;
    }
    float getWorekY() override { return worekY; }
    void enableBonus(int n) override { enabled.push_back(n); }
};

class FakeServices : public TServicesLink {
public:
    std::vector<std::string> sounds;
    int coins = 0;
    void playMySound(const std::string& name) override { sounds.push_back(name); }
    void playCoins() override { ++coins; }
    int count(const std::string& name) const { return int(std::count(sounds.begin(), sounds.end(), name)); }
};

class EffectsTest : public ::testing::Test {
protected:
    int32_t now = 1000;
    FakePlay play;
    FakeServices services;
    std::vector<std::string> notices;

    void SetUp() override {
        InitPlatform(true);
        ResetGraphicsState();
        resetBoardLinks();
        resetEffects();
        resetTileDataLists();
        resetProfileManager();
        profileManager.profile = std::make_shared<TProfile>();
        SetClockSource([this] { return now; });
        SetNotifyHandler([this](const std::string& s) { notices.push_back(s); });
        SeedRnd(12345);
        delta = 1.0f;
        setPlayLink(&play);
        setServicesLink(&services);
        installEffects();
        TParticle::img.assign(22, nullptr);
        for (auto& i : TParticle::img) {
            i = makeImage(8, 8);
            MidHandleImage(i);
        }
        for (int s = 0; s < kTileSizeClasses; ++s) {
            const int side = 40 - 4 * s;  // dust spread = side / 4
            TKamien::gfx[size_t(s)] = makeImage(side, side);
        }
    }

    void TearDown() override {
        resetEffects();
        resetBoardLinks();
        resetProfileManager();
        resetTileDataLists();
        SetClockSource(nullptr);
        SetNotifyHandler(nullptr);
    }

    void advance(int ms) { now += ms; }
};

}  // namespace fxtest
