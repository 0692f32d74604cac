#include <gtest/gtest.h>

#include "gui/core/dim.h"

namespace {

TEST(Dim, CreateDimComputesCorners) {
    auto d = createDim(10, 20, 30, 40);
    EXPECT_EQ(d->x, 10);
    EXPECT_EQ(d->y, 20);
    EXPECT_EQ(d->w, 30);
    EXPECT_EQ(d->h, 40);
    EXPECT_EQ(d->x1, 10);
    EXPECT_EQ(d->y1, 20);
    EXPECT_EQ(d->x2, 40);
    EXPECT_EQ(d->y2, 60);
}

TEST(Dim, CornersChangeOnlyOnUpdate) {
    auto p = createSimpleDim(5, 6);
    EXPECT_EQ(p->x2, 0);
    EXPECT_EQ(p->y2, 0);
    p->update();
    EXPECT_EQ(p->x1, 5);
    EXPECT_EQ(p->y1, 6);
    EXPECT_EQ(p->x2, 5);
    EXPECT_EQ(p->y2, 6);

    auto d = createDim(0, 0, 10, 10);
    d->w = 50;
    EXPECT_EQ(d->x2, 10);
    d->update();
    EXPECT_EQ(d->x2, 50);
}

TEST(Dim, SharedRecordsChangeForEveryHolder) {
    auto d = createDim(1, 2, 3, 4);
    auto alias = d;
    alias->x = 100;
    EXPECT_EQ(d->x, 100);
}

TEST(Rgb, WhiteWhenNewAndUncheckedValues) {
    TRGB c;
    EXPECT_EQ(c.r, 255);
    EXPECT_EQ(c.g, 255);
    EXPECT_EQ(c.b, 255);
    auto none = createRGB(-1, 0, 300);
    EXPECT_EQ(none->r, -1);
    EXPECT_EQ(none->g, 0);
    EXPECT_EQ(none->b, 300);
}

}  // namespace
