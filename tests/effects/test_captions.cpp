// Captions: where a score number stands and how it shrinks with the cells, how long each
// kind lives, the pop-in's two states, and when a praise word may show.
#include <cmath>
#include <filesystem>

#include "effects/captions.h"
#include "effects_fixture.h"
#include "game/board/tile.h"
#include "gui/globals.h"

namespace fxtest {
namespace {

class CaptionsTest : public EffectsTest {
protected:
    void SetUp() override {
        EffectsTest::SetUp();
        // Digits 20 px wide, the plus sign 16: "+12" is 56 px at full size, 66 with the gap.
        for (auto& d : TTextCaption::cyfry) d = makeImage(20, 30);
        TTextCaption::plus = makeImage(16, 30);
        for (int n : {0, 1, 2, 3, 5}) TCaption::img[size_t(n)] = makeImage(200, 60);
        // Tile kind 1 with the cell widths of the five size classes.
        auto picture = std::make_shared<TTileData>();
        picture->id = 1;
        static const int widths[kTileSizeClasses] = {50, 36, 30, 24, 20};
        for (int s = 0; s < kTileSizeClasses; ++s) picture->gfx[size_t(s)] = makeImage(widths[s], widths[s]);
        tilesList = {picture};
    }

    // Updates the global list n times (one frame each at delta 1).
    static void frames(int n) {
        for (int i = 0; i < n; ++i) _updateCaptions();
    }
    static size_t alive() { return fx::live(captionsList); }
};

TEST_F(CaptionsTest, NumberIsKeptInsideTheBandAndScaledForTheCellSize) {
    const struct {
        int v;
        float x;
        int size;
        float wantX;
        float wantSs;
        size_t digits;
    } cases[] = {
        {12, 20, 0, 50, 1.0f, 2},           // pulled right to 50
        {12, 400, 0, 400, 1.0f, 2},         // left alone
        {12, 900, 0, 950 - 66, 1.0f, 2},    // ends at 950 with the 10 px gap counted
        {12, 884, 0, 884, 1.0f, 2},         // exactly at the edge
        {0, 400, 1, 400, 0.82f, 1},         // zero still shows "+0"
        {-7, 400, 2, 400, 0.7f, 2},         // a minus reads as the digit 0
        {62, 400, 3, 400, 0.58f, 2},
        {62, 400, 4, 400, 0.5f, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.v) + " at " + std::to_string(c.x) + " size " + std::to_string(c.size));
        captionsList.clear();
        auto cap = createTextCaption(0, c.v, c.x, 300, 1000, c.size);
        EXPECT_FLOAT_EQ(cap->x, c.wantX);
        EXPECT_NEAR(cap->ss, c.wantSs, 1e-5);
        EXPECT_EQ(cap->valueList.size(), c.digits);
        ASSERT_EQ(captionsList.size(), 1u);
        EXPECT_EQ(captionsList.front().get(), cap.get());
        EXPECT_EQ(cap->list, &captionsList);
    }
}

TEST_F(CaptionsTest, NumberDrawsThePlusThenEachDigitAdvancingByItsScaledWidth) {
    auto cap = createTextCaption(0, 305, 100, 300, 0, 4);  // ss 0.5
    ClearRecordedDraws();
    _drawCaptions();
    std::vector<float> xs;
    for (const auto& d : RecordedDraws())
        if (d.kind == DrawCall::Image) {
            xs.push_back(d.x);
            EXPECT_FLOAT_EQ(d.scaleX, 0.5f);
            EXPECT_FLOAT_EQ(d.y, 300);
        }
    EXPECT_EQ(xs, std::vector<float>({100, 108, 118, 128}));
}

TEST_F(CaptionsTest, NumberRisesAndFadesAtOnceWhateverTheDelayAndIsGoneInItsHundredthFrame) {
    auto cap = createTextCaption(0, 25, 300, 400, 1000, 0);
    frames(1);
    EXPECT_NEAR(cap->y, 400 - 0.15f, 1e-4) << "the delay is not waited for";
    EXPECT_NEAR(cap->a, 0.99f, 1e-5);
    EXPECT_EQ(cap->start, 1);
    frames(98);
    EXPECT_EQ(alive(), 1u);
    EXPECT_GT(cap->a, 0);
    frames(1);
    EXPECT_EQ(alive(), 0u) << "removed in the update its alpha lands on 0";
    EXPECT_TRUE(captionsList.empty());
}

TEST_F(CaptionsTest, PopInWobblesThenFadesAndRemovesItself) {
    const struct {
        int n;
        int wobbleFrames;    // START until per reaches 1
        float alphaAtTurn;   // alpha when it turns to NEXT
        int fadeFrames;      // NEXT until alpha is 0
        float rest;          // resting scale
    } cases[] = {{2, 34, 0.68f, 34, 0.6f}, {5, 67, 1.0f, 50, 1.0f}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.n);
        captionsList.clear();
        auto cap = createSpecCaption(c.n, 400, 350);
        int f = 0;
        while (cap->state == "START" && f < 500) {
            frames(1);
            ++f;
            if (cap->state == "START") {
                EXPECT_LE(cap->per, 1.0f);
            }
        }
        EXPECT_EQ(f, c.wobbleFrames);
        EXPECT_NEAR(cap->a, c.alphaAtTurn, 1e-4);
        EXPECT_FLOAT_EQ(cap->sx, c.rest) << "settled on its resting scale";
        EXPECT_FLOAT_EQ(cap->sy, c.rest);
        EXPECT_FLOAT_EQ(cap->da, 0);
        int fade = 0;
        while (cap->a > 0 && fade < 500) {
            frames(1);
            ++fade;
        }
        EXPECT_EQ(fade, c.fadeFrames);
        EXPECT_EQ(alive(), 1u) << "removed only in the next update";
        frames(1);
        EXPECT_EQ(alive(), 0u);
        EXPECT_NEAR(cap->y, 350 - 0.1f * float(f + fade), 1e-2) << "it drifted up until its last update";
    }
}

TEST_F(CaptionsTest, PopInStartsTallerThanItRests) {
    auto cap = createSpecCaption(0, 300, 120);
    frames(1);
    EXPECT_GT(cap->sy, cap->sts);
    EXPECT_FLOAT_EQ(cap->s, 0.05f);
    EXPECT_FLOAT_EQ(cap->a, 0.02f);
}

TEST_F(CaptionsTest, PraiseOnlyWhenNoneShowsAndTheBoardIsNotComplete) {
    TLevel level;
    level.rows = level.cols = 1;
    level.createTilesTab();
    TTile* only = level.at(0, 0);
    ASSERT_TRUE(only);
    only->setTileData(tilesList[0]);
    play.lvl = &level;

    createTextCaption(0, 25, 300, 300, 0, 0);
    effectsLink().createGreatCaption(320);
    ASSERT_EQ(captionsList.size(), 2u) << "a number does not block praise";
    auto praise = std::dynamic_pointer_cast<TSpecCaption>(captionsList.back());
    ASSERT_TRUE(praise);
    EXPECT_GE(praise->n, 0);
    EXPECT_LE(praise->n, 3);
    EXPECT_FLOAT_EQ(praise->x, 320);
    EXPECT_FLOAT_EQ(praise->y, 120);

    effectsLink().createGreatCaption(320);
    EXPECT_EQ(captionsList.size(), 2u) << "one praise at a time";

    frames(200);
    ASSERT_EQ(alive(), 0u);
    only->odkryty = 1;  // the board is complete now
    effectsLink().createGreatCaption(320);
    EXPECT_EQ(captionsList.size(), 0u);

    createLevelCompletedCaption();
    createLevelCompletedCaption();
    EXPECT_EQ(captionsList.size(), 2u) << "the banner shows whatever else is there";
    play.lvl = nullptr;
}

TEST_F(CaptionsTest, CaptionsRemovingThemselvesMidWalkDoNotSkipTheNext) {
    auto first = createCaption(0, 100, 100);
    auto second = createCaption(1, 200, 100);
    first->a = 0.005f;  // lands on 0 in this update
    const float before = second->a;
    frames(1);
    EXPECT_EQ(alive(), 1u);
    EXPECT_LT(second->a, before) << "the second caption was updated too";
    EXPECT_FLOAT_EQ(second->sx, 2 - 0.05f);
}

TEST_F(CaptionsTest, PlainCaptionWaitsForItsStartTime) {
    auto cap = createCaption(3, 100, 100);
    cap->startTime = now + 500;
    frames(5);
    EXPECT_FLOAT_EQ(cap->a, 1);
    advance(500);
    frames(1);
    EXPECT_FLOAT_EQ(cap->a, 0.99f);
}

TEST_F(CaptionsTest, MissingPicturesDrawNothingAndNumbersKeepFullSize) {
    TCaption::img.fill(nullptr);
    TTextCaption::cyfry.fill(nullptr);
    TTextCaption::plus = nullptr;
    tilesList.clear();
    createSpecCaption(1, 400, 120);
    auto cap = createTextCaption(0, 50, 10, 300, 0, 3);
    EXPECT_FLOAT_EQ(cap->ss, 1.0f);
    EXPECT_FLOAT_EQ(cap->x, 50);
    ClearRecordedDraws();
    _drawCaptions();
    for (const auto& d : RecordedDraws()) EXPECT_NE(d.kind, DrawCall::Image);
}

TEST_F(CaptionsTest, SetupLoadsEachPictureAndCentresTheWords) {
    const std::string root = ::testing::TempDir() + "zerkon_captions/";
    const auto save = [&](const std::string& rel, int w, int h) {
        std::filesystem::create_directories(std::filesystem::path(root + rel).parent_path());
        ASSERT_TRUE(SavePixmapPNG(whitePixmap(w, h), root + rel));
    };
    for (const char* w : {"magnificent", "great", "fantastic", "superb", "level-completed"})
        save(std::string("gfx/captions/txt/en/") + w + ".png", 120, 40);
    for (int d = 0; d < 10; ++d) save("gfx/captions/cyfry/" + std::to_string(d) + ".png", 20, 30);
    save("gfx/captions/txt/plus.png", 16, 30);
    bDir = root;
    lang = "en";
    setupCaptions();
    for (int n = 0; n < 10; ++n) {
        const bool expected = n <= 3 || n == 5;
        EXPECT_EQ(bool(TCaption::img[size_t(n)]), expected) << n;
        if (!expected) continue;
        float hx = 0, hy = 0;
        GetImageHandle(TCaption::img[size_t(n)], hx, hy);
        EXPECT_FLOAT_EQ(hx, 60);
        EXPECT_FLOAT_EQ(hy, 20);
    }
    for (const auto& d : TTextCaption::cyfry) EXPECT_TRUE(d);
    float hx = 1, hy = 1;
    GetImageHandle(TTextCaption::plus, hx, hy);
    EXPECT_FLOAT_EQ(hx, -2);
    EXPECT_FLOAT_EQ(hy, 0);
    GetImageHandle(TTextCaption::cyfry[3], hx, hy);
    EXPECT_FLOAT_EQ(hx, 0);
    EXPECT_TRUE(notices.empty());
    bDir.clear();
    std::filesystem::remove_all(root);
}

}  // namespace
}  // namespace fxtest
