// The shipped hidden-object scenes are fair. Each can be won; each thing lies whole in the
// scene between the two panels; the masks in front of it leave more than half of it, and a
// patch big enough to spot, in sight; a click on a thing's centre finds that thing and no
// other; and every mask picture is there to be drawn. Every scene file of the built tree is
// checked, so a scene added later is held to the same.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "gui/globals.h"
#include "minigames/hidden_object/ho_level_file.h"
#include "minigames/hidden_object/ho_playable.h"
#include "platform/graphics.h"
#include "support/reset_state.h"

namespace {

// The scene between the top panel (to row 52) and the bottom panel (from row 671).
constexpr int kSceneTop = 52, kSceneBottom = 767 - 96;
// What "in sight" asks of a thing: this share of its solid pixels, and at least this many.
constexpr double kMinShareInSight = 0.5;
constexpr int kMinPixelsInSight = 400;

// Solid as the game's pixel tests count it: alpha of at least 128.
bool solid(const TImage& img, int x, int y) { return (ReadPixel(img, x, y) >> 24) >= 128; }

struct Sight {
    int solid = 0;    // pixels of the thing
    int visible = 0;  // of those, the ones no mask covers
};

// Where the thing's picture is drawn: centred on its hiding place, as the reader sets the handle.
int leftOf(const THObject& o) { return int(o.ukrytyDim->x) - ImageWidth(o.imgUkryty) / 2; }
int topOf(const THObject& o) { return int(o.ukrytyDim->y) - ImageHeight(o.imgUkryty) / 2; }

Sight sightOf(const THOLevel& level, const THObject& o) {
    Sight s;
    const int w = ImageWidth(o.imgUkryty), h = ImageHeight(o.imgUkryty);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            if (!solid(o.imgUkryty, i, j)) continue;
            ++s.solid;
            const int x = leftOf(o) + i, y = topOf(o) + j;
            const bool covered = std::any_of(level.masks.begin(), level.masks.end(), [&](const auto& m) {
                return m->img && solid(m->img, x - int(m->x), y - int(m->y));
            });
            if (!covered) ++s.visible;
        }
    return s;
}

class HOShippedScenes : public ::testing::Test {
protected:
    void SetUp() override {
        resetPlatformAndToolkit();
        bDir = std::string(ZERKON_BINARY_DIR) + "/assets/";
        lang = "en";
        const auto folder = std::filesystem::path(bDir) / "data/levels/hiddenObject";
        if (!std::filesystem::exists(folder)) GTEST_SKIP() << "no built asset tree";
        for (const auto& e : std::filesystem::directory_iterator(folder))
            if (e.path().extension() == ".hol") scenes.push_back(e.path().string());
        std::sort(scenes.begin(), scenes.end());
        ASSERT_FALSE(scenes.empty());
    }
    std::vector<std::string> scenes;
};

TEST_F(HOShippedScenes, EveryThingIsWhollyInTheSceneAndFoundWhereItLies) {
    for (const auto& path : scenes) {
        SCOPED_TRACE(path);
        std::vector<std::string> problems;
        auto level = loadHOLevel(path, &problems);
        EXPECT_TRUE(problems.empty()) << problems.front();
        EXPECT_EQ(hoUnplayable(*level), "");
        for (const auto& m : level->masks) EXPECT_TRUE(m->img) << m->url;
        for (const auto& o : level->objects) {
            SCOPED_TRACE(o->imgUkrytyUrl);
            ASSERT_TRUE(o->imgUkryty);
            EXPECT_GT(topOf(*o), kSceneTop);
            EXPECT_LT(topOf(*o) + ImageHeight(o->imgUkryty), kSceneBottom);
            EXPECT_GE(leftOf(*o), 0);
            EXPECT_LE(leftOf(*o) + ImageWidth(o->imgUkryty), 1024);
            // The topmost box under the thing's centre is its own.
            const int cx = int(o->ukrytyDim->x), cy = int(o->ukrytyDim->y);
            std::shared_ptr<THObject> hit;
            for (const auto& other : level->objects)
                if (hoPictureHit(other->imgUkryty, *other->ukrytyDim, cx, cy)) hit = other;
            EXPECT_EQ(hit, o);
        }
    }
}

TEST_F(HOShippedScenes, MoreThanHalfOfEveryThingStaysInSightOfTheMasks) {
    for (const auto& path : scenes) {
        SCOPED_TRACE(path);
        auto level = loadHOLevel(path);
        int behindSomething = 0;
        for (const auto& o : level->objects) {
            SCOPED_TRACE(o->imgUkrytyUrl);
            ASSERT_TRUE(o->imgUkryty);
            const Sight s = sightOf(*level, *o);
            ASSERT_GT(s.solid, 0);
            EXPECT_GE(s.visible, kMinPixelsInSight) << "of " << s.solid;
            EXPECT_GE(double(s.visible) / s.solid, kMinShareInSight) << s.visible << " of " << s.solid;
            if (s.visible < s.solid) ++behindSomething;
        }
        // Hidden, not laid out: most things peek out from behind a piece of the scene.
        EXPECT_GE(behindSomething * 2, int(level->objects.size()));
    }
}

}  // namespace
