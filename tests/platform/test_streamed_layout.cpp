// A large translucent picture's layout learnt from its file's alphas a band at a time must be
// the one its decoded pixels give: the same opaque cells, drawn and stored regions and pieces,
// whatever lies where (on the edges, in one corner, in bands with gaps between). A file that
// does not stream as its header says (interlaced, or another size) leaves nothing learnt.
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/detail/gfx_internal.h"
#include "tests/support/image_files.h"
#include "test_graphics_fixture.h"

namespace {

using Paint = std::function<uint32_t(int x, int y)>;

Pixmap paint(int w, int h, const Paint& at) {
    Pixmap pm;
    pm.width = w;
    pm.height = h;
    pm.pixels.resize(size_t(w) * size_t(h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) pm.pixels[size_t(y) * size_t(w) + size_t(x)] = at(x, y);
    return pm;
}

// Colour everywhere, transparent ones included, so nothing can be told from colour alone.
uint32_t colour(int x, int y) { return uint32_t(x * 7 + y * 13) & 0x00FFFFFFu; }
uint32_t withAlpha(int x, int y, uint32_t a) { return (a << 24) | colour(x, y); }

struct StreamCase {
    const char* name;
    int w, h;
    Paint at;
};

void PrintTo(const StreamCase& c, std::ostream* os) { *os << c.name; }

class StreamedLayout : public GraphicsTest, public ::testing::WithParamInterface<StreamCase> {};

TImageData fresh(const std::string& path, int w, int h) {
    TImageData img;
    img.path = path;
    img.cellW = w;
    img.cellH = h;
    img.frameCount = 1;
    return img;
}

void expectSameRect(const gfx::Rect& a, const gfx::Rect& b, const char* what) {
    EXPECT_EQ(a.x, b.x) << what;
    EXPECT_EQ(a.y, b.y) << what;
    EXPECT_EQ(a.w, b.w) << what;
    EXPECT_EQ(a.h, b.h) << what;
}

TEST_P(StreamedLayout, AlphasStreamedGiveTheLayoutOfThePixels) {
    const StreamCase& c = GetParam();
    const Pixmap pm = paint(c.w, c.h, c.at);
    ASSERT_TRUE(SavePixmapPNG(pm, file("p.png")));

    TImageData whole = fresh(file("p.png"), c.w, c.h);
    whole.frames.push_back(pm);
    gfx::analyseImage(whole);

    TImageData streamed = fresh(file("p.png"), c.w, c.h);
    ASSERT_TRUE(gfx::streamable(streamed));
    ASSERT_TRUE(gfx::analyseStreamed(streamed));
    EXPECT_TRUE(streamed.frames.empty()) << "the pixels were kept";
    EXPECT_EQ(streamed.frameOpaque, whole.frameOpaque);
    expectSameRect(streamed.drawn, whole.drawn, "drawn");
    expectSameRect(streamed.stored, whole.stored, "stored");
    ASSERT_EQ(streamed.pieces.size(), whole.pieces.size());
    for (size_t i = 0; i < whole.pieces.size(); ++i) {
        expectSameRect(streamed.pieces[i].r, whole.pieces[i].r, "piece");
        EXPECT_EQ(streamed.pieces[i].opaque, whole.pieces[i].opaque) << "piece " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, StreamedLayout,
    ::testing::Values(
        StreamCase{"BlobsWithAFrameOnTwoEdges", 500, 300,
                   [](int x, int y) {
                       if (x < 6 || y >= 290) return withAlpha(x, y, (x + y) % 3 ? 255u : 128u);
                       const int dx = x - 250, dy = y - 150;
                       if (dx * dx + dy * dy < 60 * 60) return withAlpha(x, y, dx * dx + dy * dy < 40 * 40 ? 255u : 90u);
                       return colour(x, y);
                   }},
        StreamCase{"TwoBandsWithAGapAndMargins", 400, 500,
                   [](int x, int y) {
                       const bool band = (y >= 37 && y < 120) || (y >= 390 && y < 461);
                       return band && x >= 21 && x < 377 ? withAlpha(x, y, x % 50 < 40 ? 255u : 60u) : colour(x, y);
                   }},
        StreamCase{"OnePixelInTheLastCorner", 300, 200,
                   [](int x, int y) { return x == 299 && y == 199 ? withAlpha(x, y, 255) : colour(x, y); }},
        StreamCase{"OpaqueEverywhere", 256, 256, [](int x, int y) { return withAlpha(x, y, 255); }},
        StreamCase{"TranslucentEverywhere", 256, 256, [](int x, int y) { return withAlpha(x, y, 1 + (x ^ y) % 254); }},
        StreamCase{"NothingToShow", 320, 240, [](int x, int y) { return colour(x, y); }}),
    [](const ::testing::TestParamInfo<StreamCase>& info) { return std::string(info.param.name); });

TEST_F(GraphicsTest, AFileThatDoesNotStreamAsItsHeaderSaidTeachesNothing) {
    const Pixmap pm = paint(300, 200, [](int x, int y) { return withAlpha(x, y, (x + y) % 256); });
    ASSERT_TRUE(imagefiles::writeInterlacedPng(file("interlaced.png"), pm));
    TImageData interlaced = fresh(file("interlaced.png"), 300, 200);
    EXPECT_FALSE(gfx::analyseStreamed(interlaced));
    EXPECT_FALSE(interlaced.analysed);

    // The header said 300 x 200; the file now holds another picture.
    ASSERT_TRUE(SavePixmapPNG(paint(300, 150, [](int x, int y) { return withAlpha(x, y, 200); }), file("p.png")));
    TImageData shorter = fresh(file("p.png"), 300, 200);
    EXPECT_FALSE(gfx::analyseStreamed(shorter));
    EXPECT_FALSE(shorter.analysed);
    TImageData wider = fresh(file("p.png"), 250, 150);
    EXPECT_FALSE(gfx::analyseStreamed(wider));
    EXPECT_FALSE(wider.analysed);
}

TEST_F(GraphicsTest, OnlyLargeSingleUnmaskedPicturesFromFilesStream) {
    struct Case {
        const char* what;
        std::function<void(TImageData&)> change;
        bool streams;
    } cases[] = {
        {"a large picture from a file", [](TImageData&) {}, true},
        {"a small one (masks need its pixels)", [](TImageData& i) { i.cellW = i.cellH = 100; }, false},
        {"one of several cells", [](TImageData& i) { i.frameCount = 2; }, false},
        {"a later cell", [](TImageData& i) { i.firstCell = 1; }, false},
        {"mipmapped", [](TImageData& i) { i.flags |= MIPMAPPEDIMAGE; }, false},
        {"masked", [](TImageData& i) { i.masked = true; }, false},
        {"made from pixels in memory", [](TImageData& i) { i.keepPixels = true; }, false},
        {"read by the game", [](TImageData& i) { i.pixelsRead = true; }, false},
        {"holding its pixels", [](TImageData& i) { i.frames.resize(1); }, false},
        {"read whole after a failed stream", [](TImageData& i) { i.readWhole = true; }, false},
    };
    for (const Case& c : cases) {
        TImageData img = fresh(file("p.png"), 400, 300);
        c.change(img);
        EXPECT_EQ(gfx::streamable(img), c.streams) << c.what;
    }
}

}  // namespace

// A strip's cell read alone from its file (the rest streamed past) is the cell the whole file
// gives, wherever it lies in the grid and whatever cell the image starts from; a file that
// no longer holds it (shorter, narrower, gone) gives nothing.
TEST_F(GraphicsTest, ACellReadAloneIsThatCellOfTheWholeFile) {
    const int cw = 30, ch = 20;
    ASSERT_TRUE(SavePixmapPNG(paint(4 * cw, 3 * ch, [](int x, int y) { return withAlpha(x, y, (x * 3 + y) % 256); }),
                              file("grid.png")));
    TImageData img = fresh(file("grid.png"), cw, ch);
    img.firstCell = 2;
    img.frameCount = 9;  // the cells 2 to 10, over all three rows
    ASSERT_TRUE(gfx::reloadPixels(img));
    ASSERT_EQ(img.frames.size(), 9u);
    for (int k = 0; k < img.frameCount; ++k) {
        Pixmap cell;
        ASSERT_TRUE(gfx::readCell(img, k, cell)) << "cell " << k;
        EXPECT_EQ(cell.width, cw);
        EXPECT_EQ(cell.height, ch);
        EXPECT_EQ(cell.pixels, img.frames[size_t(k)].pixels) << "cell " << k;
    }
    Pixmap none;
    EXPECT_FALSE(gfx::readCell(img, 9, none)) << "a cell past the image's own";
    EXPECT_FALSE(gfx::readCell(img, -1, none));

    // The file now holds two rows of cells, then three cells a row, then nothing.
    ASSERT_TRUE(SavePixmapPNG(paint(4 * cw, 2 * ch, [](int x, int y) { return withAlpha(x, y, 255); }), file("grid.png")));
    EXPECT_TRUE(gfx::readCell(img, 5, none)) << "cell 7 is still there";
    EXPECT_FALSE(gfx::readCell(img, 6, none)) << "cell 8 is in the row that went";
    EXPECT_TRUE(none.pixels.empty());
    ASSERT_TRUE(SavePixmapPNG(paint(3 * cw, 3 * ch, [](int x, int y) { return withAlpha(x, y, 255); }), file("grid.png")));
    ASSERT_TRUE(gfx::readCell(img, 1, none));  // cell 3: the first of the second row now
    Pixmap moved = paint(cw, ch, [&](int x, int y) { return withAlpha(x, y + ch, 255); });
    EXPECT_EQ(none.pixels, moved.pixels);
    std::filesystem::remove(file("grid.png"));
    EXPECT_FALSE(gfx::readCell(img, 0, none));
}
