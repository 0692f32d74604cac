// Laying out a mostly empty picture's pieces in a texture of their own: every piece's pixels
// placed once, behind a border of its own, inside the texture, no block over another, and
// only when that saves a good part of storing the picture whole.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/detail/gfx_internal.h"

namespace {

struct PackCase {
    const char* name;
    gfx::Rect stored;
    std::vector<gfx::Rect> pieces;
    int maxSide;
    bool packs;
};

long area(const gfx::Rect& r) { return long(r.w) * long(r.h); }

bool overlap(const gfx::Rect& a, const gfx::Rect& b) {
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

bool inside(const gfx::Rect& in, const gfx::Rect& out) {
    return in.x >= out.x && in.y >= out.y && in.x + in.w <= out.x + out.w && in.y + in.h <= out.y + out.h;
}

class PackPieces : public ::testing::TestWithParam<PackCase> {};

TEST_P(PackPieces, EveryPieceOnceInsideTheTextureNoneOverAnother) {
    const PackCase& c = GetParam();
    TImageData img;
    img.stored = c.stored;
    for (const gfx::Rect& r : c.pieces) img.pieces.push_back(gfx::ImagePiece{r, (r.x / 32) % 2 == 0});
    std::vector<gfx::ImagePiece> packed;
    int w = 0, h = 0;
    ASSERT_EQ(gfx::packPieces(img, c.maxSide, packed, w, h), c.packs);
    if (!c.packs) {
        EXPECT_TRUE(packed.empty());
        return;
    }
    EXPECT_LE(w, c.maxSide);
    EXPECT_LE(h, c.maxSide);
    EXPECT_LE(w, c.stored.w + 2);
    EXPECT_LE(long(w) * h * 4, long(c.stored.w + 2) * (c.stored.h + 2) * 3);
    long pieceArea = 0, sliceArea = 0;
    for (const gfx::Rect& r : c.pieces) pieceArea += area(r);
    for (size_t i = 0; i < packed.size(); ++i) {
        const gfx::ImagePiece& s = packed[i];
        sliceArea += area(s.r);
        // A slice is part of one piece, with that piece's kind.
        bool within = false;
        for (const gfx::ImagePiece& p : img.pieces)
            within = within || (inside(s.r, p.r) && s.opaque == p.opaque);
        EXPECT_TRUE(within) << "slice " << i << " is not part of a piece";
        const gfx::Rect block{s.tx, s.ty, s.r.w + 2, s.r.h + 2};
        EXPECT_TRUE(inside(block, gfx::Rect{0, 0, w, h})) << "slice " << i << " outside the texture";
        for (size_t j = 0; j < i; ++j) {
            const gfx::ImagePiece& o = packed[j];
            EXPECT_FALSE(overlap(block, gfx::Rect{o.tx, o.ty, o.r.w + 2, o.r.h + 2})) << "slices " << j << " and " << i;
            EXPECT_FALSE(overlap(s.r, o.r)) << "slices " << j << " and " << i << " share picture pixels";
        }
    }
    EXPECT_EQ(sliceArea, pieceArea);  // disjoint and inside the pieces: every pixel once
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, PackPieces,
    ::testing::Values(
        // The play screen's frame: bars top and bottom, a tall panel on the right.
        PackCase{"frame", {0, 0, 1024, 768},
                 {{0, 0, 1024, 32}, {0, 32, 768, 32}, {768, 32, 256, 704}, {736, 64, 32, 640}, {0, 704, 768, 32}, {0, 736, 1024, 32}},
                 4096, true},
        // Scattered blobs in a large picture.
        PackCase{"blobs", {2, 2, 900, 600},
                 {{10, 10, 64, 64}, {300, 40, 96, 32}, {600, 500, 128, 96}, {40, 400, 32, 160}, {800, 20, 96, 64}},
                 4096, true},
        // Nearly all of it shows: storing it whole is as good.
        PackCase{"full", {0, 0, 512, 512}, {{0, 0, 512, 480}}, 4096, false},
        // Pieces that fit only a texture larger than the driver's.
        PackCase{"too_tall", {0, 0, 600, 3000}, {{0, 0, 32, 2990}, {500, 0, 64, 40}}, 2048, false}),
    [](const ::testing::TestParamInfo<PackCase>& info) { return std::string(info.param.name); });

}  // namespace
