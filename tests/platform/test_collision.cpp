// Pixel-precise collision: transforms (rotation, scale, handle, origin), transparent
// pixels, layers and ids.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "platform/collision.h"
#include "platform/graphics.h"

namespace {

constexpr uint32_t kSolid = 0xFFFFFFFFu;
constexpr uint32_t kClear = 0x00FFFFFFu;

// An image whose pixel (x, y) is solid where the predicate says so. Not masked, so only the
// alpha decides.
TImage makeImage(int w, int h, const std::function<bool(int, int)>& solid) {
    Pixmap pm;
    pm.width = w;
    pm.height = h;
    pm.pixels.resize(size_t(w) * size_t(h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) pm.pixels[size_t(y) * size_t(w) + size_t(x)] = solid(x, y) ? kSolid : kClear;
    return CreateImageFromPixmap(pm, FILTEREDIMAGE);
}

TImage box(int w, int h) {
    return makeImage(w, h, [](int, int) { return true; });
}

class CollisionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGraphicsState();
        ResetCollisions();
        dot = box(1, 1);
        ASSERT_TRUE(dot);
    }
    void TearDown() override { ResetCollisions(); }

    // Whether a one-pixel probe at (x, y), drawn with no transform, touches layer 1.
    bool probe(float x, float y) {
        float sx, sy;
        GetScale(sx, sy);
        float rot = GetRotation();
        float ox, oy;
        GetOrigin(ox, oy);
        SetScale(1, 1);
        SetRotation(0);
        SetOrigin(0, 0);
        bool hit = !CollideImage(dot, x, y, 0, 1u << 1, 0, 0).empty();
        SetScale(sx, sy);
        SetRotation(rot);
        SetOrigin(ox, oy);
        return hit;
    }

    TImage dot;
};

using Ids = std::vector<intptr_t>;

TEST_F(CollisionTest, OverlappingRotatedImagesReportEachOther) {
    TImage a = box(20, 20);
    TImage b = box(16, 16);
    MidHandleImage(a);
    MidHandleImage(b);
    // Turned 30 degrees, b's left corner lands at (59.1, 52.9), inside a's diamond
    // (|x - 50| + |y - 50| <= 14.1).
    SetRotation(45);
    EXPECT_EQ(CollideImage(a, 50, 50, 0, 0, 1u << 1, 101), Ids{});
    SetRotation(30);
    EXPECT_EQ(CollideImage(b, 70, 50, 0, 1u << 1, 1u << 2, 102), Ids{101});
    SetRotation(45);
    EXPECT_EQ(CollideImage(a, 50, 50, 0, 1u << 2, 0, 0), Ids{102});

    // Unturned, the same images leave a gap (a reaches 60, b starts at 62).
    ResetCollisions();
    SetRotation(0);
    CollideImage(a, 50, 50, 0, 0, 1u << 1, 101);
    EXPECT_EQ(CollideImage(b, 70, 50, 0, 1u << 1, 0, 0), Ids{});
}

TEST_F(CollisionTest, TransparentCornerDoesNotTouch) {
    // Solid only in the upper-left triangle.
    TImage tri = makeImage(20, 20, [](int x, int y) { return x + y < 19; });
    CollideImage(tri, 0, 0, 0, 0, 1u << 1, 7);
    TImage small = box(4, 4);
    EXPECT_EQ(CollideImage(small, 14, 14, 0, 1u << 1, 0, 0), Ids{}) << "inside the bounds, on clear pixels";
    EXPECT_EQ(CollideImage(small, 2, 2, 0, 1u << 1, 0, 0), Ids{7});
    // A probe with its own clear corner over the solid part does not touch either.
    TImage ring = makeImage(6, 6, [](int x, int y) { return x >= 4 && y >= 4; });
    EXPECT_EQ(CollideImage(ring, 13, 13, 0, 1u << 1, 0, 0), Ids{}) << "solid part lands on clear";
    EXPECT_EQ(CollideImage(ring, 0, 0, 0, 1u << 1, 0, 0), Ids{7});
}

TEST_F(CollisionTest, RotationTurnsClockwiseAboutTheHandle) {
    TImage tri = makeImage(20, 20, [](int x, int y) { return x + y < 19; });
    SetRotation(90);  // top-left handle: the image now spans x -20..0, y 0..20
    CollideImage(tri, 0, 0, 0, 0, 1u << 1, 1);
    EXPECT_TRUE(probe(-2, 1));    // image pixel (1, 1): solid
    EXPECT_FALSE(probe(-19, 18)); // image pixel (18, 19): clear
    EXPECT_FALSE(probe(1, 1));    // outside the turned image
    EXPECT_FALSE(probe(2, -2));   // where a counter-clockwise turn would have put it
}

TEST_F(CollisionTest, ScaleHandleAndOriginPlaceTheImage) {
    struct Case {
        float scale;
        bool midHandle;
        float originX;
        float x, y;       // where the 10 x 10 image is written
        float inX, inY;   // a point it must cover
        float outX, outY; // a point it must not
    };
    const Case cases[] = {
        {1, false, 0, 0, 0, 9, 9, 10, 5},
        {2, false, 0, 0, 0, 19, 19, 21, 5},
        {3, true, 0, 50, 50, 36, 64, 34, 50},    // covers 35..65
        {0.5f, true, 0, 50, 50, 51, 51, 53, 50}, // covers 47.5..52.5
        {1, false, 100, 0, 0, 105, 5, 5, 5},     // origin moves what is written
        {1, true, 100, -100, 0, -5, 0, 95, 0},
    };
    TImage img = box(10, 10);
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "scale " << c.scale << " origin " << c.originX);
        ResetCollisions();
        ResetGraphicsState();
        if (c.midHandle)
            MidHandleImage(img);
        else
            SetImageHandle(img, 0, 0);
        SetScale(c.scale, c.scale);
        SetOrigin(c.originX, 0);
        CollideImage(img, c.x, c.y, 0, 0, 1u << 1, 1);
        EXPECT_TRUE(probe(c.inX, c.inY));
        EXPECT_FALSE(probe(c.outX, c.outY));
    }
}

TEST_F(CollisionTest, LayerMasksAndIdsInWriteOrder) {
    TImage img = box(10, 10);
    CollideImage(img, 0, 0, 0, 0, 1u << 3, 30);
    CollideImage(img, 2, 2, 0, 0, 1u << 1, 10);
    CollideImage(img, 4, 4, 0, 0, (1u << 1) | (1u << 2), 20);
    CollideImage(img, 6, 6, 0, 0, 1u << 1, 10);  // the same id again
    CollideImage(img, 500, 500, 0, 0, 1u << 1, 99);

    EXPECT_EQ(CollideImage(img, 5, 5, 0, 1u << 1, 0, 0), (Ids{10, 20}));
    EXPECT_EQ(CollideImage(img, 5, 5, 0, 1u << 2, 0, 0), (Ids{20}));
    EXPECT_EQ(CollideImage(img, 5, 5, 0, 0xffffffffu, 0, 0), (Ids{30, 10, 20}));
    EXPECT_EQ(CollideImage(img, 5, 5, 0, 1u << 0, 0, 0), Ids{});
    EXPECT_EQ(CollideImage(img, 5, 5, 0, 0, 0, 0), Ids{}) << "no layers to test";

    ResetCollisions(1u << 1);
    EXPECT_EQ(CollideImage(img, 5, 5, 0, 0xffffffffu, 0, 0), (Ids{30, 20})) << "20 stays in layer 2";
    ResetCollisions();
    EXPECT_EQ(CollideImage(img, 5, 5, 0, 0xffffffffu, 0, 0), Ids{});
}

TEST_F(CollisionTest, TestComesBeforeWriteAndIdZeroStillCounts) {
    TImage img = box(8, 8);
    EXPECT_EQ(CollideImage(img, 0, 0, 0, 1u << 1, 1u << 1, 0), Ids{}) << "never touches itself";
    EXPECT_EQ(CollideImage(img, 4, 4, 0, 1u << 1, 1u << 1, 0), Ids{0});
    EXPECT_EQ(CollideImage(img, 8, 0, 0, 1u << 1, 0, 0), Ids{0}) << "touches the second copy";
    EXPECT_EQ(CollideImage(img, 12, 0, 0, 1u << 1, 0, 0), Ids{}) << "edges that only meet do not";
}

TEST_F(CollisionTest, NothingToTestOrWrite) {
    TImage img = box(8, 8);
    CollideImage(img, 0, 0, 0, 0, 1u << 1, 1);
    EXPECT_EQ(CollideImage(TImage{}, 0, 0, 0, 1u << 1, 1u << 1, 2), Ids{});
    EXPECT_EQ(CollideImage(img, 0, 0, 5, 1u << 1, 1u << 1, 3), Ids{}) << "no such frame";
    EXPECT_EQ(CollideImage(img, 0, 0, -1, 1u << 1, 1u << 1, 4), Ids{});
    SetScale(0, 1);
    EXPECT_EQ(CollideImage(img, 0, 0, 0, 1u << 1, 1u << 1, 5), Ids{}) << "zero scale covers nothing";
    SetScale(1, 1);
    EXPECT_EQ(CollideImage(img, 0, 0, 0, 1u << 1, 0, 0), Ids{1}) << "none of those was written";
}

TEST_F(CollisionTest, AbsurdPositionsAndScalesStayHarmless) {
    TImage img = box(8, 8);
    EXPECT_EQ(CollideImage(img, NAN, 0, 0, 1u << 1, 1u << 1, 1), Ids{});
    SetRotation(NAN);
    EXPECT_EQ(CollideImage(img, 0, 0, 0, 1u << 1, 1u << 1, 2), Ids{});
    SetRotation(0);
    SetScale(1e9f, 1e9f);
    CollideImage(img, 0, 0, 0, 0, 1u << 1, 3);
    EXPECT_EQ(CollideImage(img, -100, -100, 0, 1u << 1, 0, 0), Ids{3});
    SetScale(1, 1);
    EXPECT_TRUE(probe(100, 100));
    EXPECT_FALSE(probe(1e12f, 0));
}

TEST_F(CollisionTest, AlphaThresholdIsHalf) {
    for (uint32_t alpha : {127u, 128u}) {
        ResetCollisions();
        Pixmap pm;
        pm.width = pm.height = 4;
        pm.pixels.assign(16, (alpha << 24) | 0x00FFFFFFu);
        TImage img = CreateImageFromPixmap(pm, FILTEREDIMAGE);
        CollideImage(img, 0, 0, 0, 0, 1u << 1, 1);
        EXPECT_EQ(probe(1, 1), alpha >= 128) << alpha;
    }
}

}  // namespace
