// Image decoding, masking and strip cutting, on small files written by the tests.
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "platform/detail/gfx_internal.h"
#include "tests/support/image_files.h"
#include "test_graphics_fixture.h"

namespace {

// PNG colour layouts other writers produce: grey, grey+alpha, palette with and without a
// transparency chunk, 16-bit RGBA. Each file holds two pixels: opaque red-ish grey, and a
// second one that is transparent where the layout can say so.
struct PngLayout {
    const char* name;
    int colorType;
    int depth;
    bool trns;
    uint32_t first, second;  // what the decoder must give
    bool alpha;
};

void writeLayout(const std::string& path, const PngLayout& l) {
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, f);
    png_set_IHDR(png, info, 2, 1, l.depth, l.colorType, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    std::vector<unsigned char> row;
    if (l.colorType == PNG_COLOR_TYPE_PALETTE) {
        png_color pal[2] = {{200, 10, 20}, {1, 2, 3}};
        png_set_PLTE(png, info, pal, 2);
        if (l.trns) {
            png_byte alpha[2] = {255, 0};
            png_set_tRNS(png, info, alpha, 2, nullptr);
        }
        row = {0, 1};
    } else if (l.colorType == PNG_COLOR_TYPE_GRAY) {
        row = {100, 7};
    } else if (l.colorType == PNG_COLOR_TYPE_GRAY_ALPHA) {
        row = {100, 255, 7, 0};
    } else {  // 16-bit RGBA, big-endian samples
        row = {200, 0, 10, 0, 20, 0, 255, 255, 1, 0, 2, 0, 3, 0, 0, 0};
    }
    png_write_info(png, info);
    png_write_row(png, row.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
}

void writeRgbPng(const std::string& path, const Pixmap& pm) { ASSERT_TRUE(imagefiles::writeRgbPng(path, pm)); }
void writeJpeg(const std::string& path, const Pixmap& pm) { ASSERT_TRUE(imagefiles::writeJpeg(path, pm)); }

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Four cells side by side, each its own colour.
Pixmap strip(int cells, int cellW, int cellH, int columns) {
    static const uint32_t colours[] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFF00u,
                                       0xFF00FFFFu, 0xFFFF00FFu};
    Pixmap pm;
    pm.width = cellW * columns;
    pm.height = cellH * ((cells + columns - 1) / columns);
    pm.pixels.assign(size_t(pm.width) * pm.height, 0xFF000000u);
    for (int i = 0; i < cells; ++i)
        for (int y = 0; y < cellH; ++y)
            for (int x = 0; x < cellW; ++x)
                pm.pixels[size_t((i / columns) * cellH + y) * pm.width + (i % columns) * cellW + x] =
                    colours[i % 6];
    return pm;
}

int channel(uint32_t p, int shift) { return int((p >> shift) & 0xFF); }

}  // namespace

TEST_F(GraphicsTest, PngRoundTripKeepsEveryPixel) {
    Pixmap pm = solid(7, 5, 0x80102030u);
    pm.pixels[3] = 0x00000000u;
    pm.pixels[12] = 0xFFFFFFFFu;
    ASSERT_TRUE(SavePixmapPNG(pm, file("round.png")));
    Pixmap back;
    bool alpha = false;
    ASSERT_TRUE(LoadPixmap(file("round.png"), back, &alpha));
    EXPECT_TRUE(alpha);
    EXPECT_EQ(back.width, 7);
    EXPECT_EQ(back.height, 5);
    EXPECT_EQ(back.pixels, pm.pixels);
}

TEST_F(GraphicsTest, JpegDecodesWithoutAlpha) {
    Pixmap pm = solid(16, 16, 0xFFC83214u);
    writeJpeg(file("photo.jpg"), pm);
    Pixmap back;
    bool alpha = true;
    ASSERT_TRUE(LoadPixmap(file("photo.jpg"), back, &alpha));
    EXPECT_FALSE(alpha);
    ASSERT_EQ(back.width, 16);
    ASSERT_EQ(back.height, 16);
    uint32_t p = back.at(8, 8);
    EXPECT_EQ(p >> 24, 0xFFu);
    EXPECT_NEAR(channel(p, 16), 0xC8, 4);
    EXPECT_NEAR(channel(p, 8), 0x32, 4);
    EXPECT_NEAR(channel(p, 0), 0x14, 4);
    // The format is told by content, not by the name.
    std::filesystem::copy_file(file("photo.jpg"), file("photo.png"));
    EXPECT_EQ(ImageWidth(LoadImage(file("photo.png"))), 16);
}

TEST_F(GraphicsTest, DamagedFilesFailWithoutEndingTheProcess) {
    writeJpeg(file("good.jpg"), solid(32, 32, 0xFF808080u));
    ASSERT_TRUE(SavePixmapPNG(solid(32, 32, 0xFF808080u), file("good.png")));
    std::string jpg = readBytes(file("good.jpg"));
    std::string png = readBytes(file("good.png"));
    // A frame header claiming 3-bit samples.
    std::string badPrecision = jpg;
    size_t sof = badPrecision.find("\xFF\xC0");
    ASSERT_NE(sof, std::string::npos);
    badPrecision[sof + 4] = 3;
    struct Case {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"header-only.jpg", jpg.substr(0, 20)},
        {"garbage.jpg", std::string("\xFF\xD8\xFF\xE0", 4) + std::string(200, '\x55')},
        {"bad-precision.jpg", badPrecision},
        {"truncated.png", png.substr(0, png.size() / 2)},
        {"header-only.png", png.substr(0, 8)},
        {"empty.png", ""},
        {"text.png", "not an image at all"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeBytes(file(c.name), c.bytes);
        Pixmap pm;
        EXPECT_FALSE(LoadPixmap(file(c.name), pm));
        EXPECT_EQ(LoadImage(file(c.name)), nullptr);
    }
}

// With gl, loading only looks a file over and decodes it at the first draw: the look must
// refuse what decoding refuses (a cut or changed file) and give the size and alpha that
// decoding gives, for every colour layout.
TEST_F(GraphicsTest, LookingAFileOverAgreesWithDecodingIt) {
    writeJpeg(file("good.jpg"), solid(32, 24, 0xFF808080u));
    ASSERT_TRUE(SavePixmapPNG(solid(30, 20, 0x80808080u), file("good.png")));
    writeRgbPng(file("rgb.png"), solid(9, 7, 0xFF102030u));
    const std::string png = readBytes(file("good.png")), jpg = readBytes(file("good.jpg"));
    const size_t data = png.find("IDAT"), end = png.find("IEND");
    ASSERT_NE(data, std::string::npos);
    ASSERT_NE(end, std::string::npos);
    std::string changedData = png;
    changedData[data + 6] = char(changedData[data + 6] ^ 0x10);  // its checksum no longer fits
    // A text chunk whose checksum is wrong: decoding warns and goes on.
    const std::string text = std::string("\0\0\0\3tEXtk\0v", 11) + std::string(4, '\0');
    const std::string badText = png.substr(0, end - 4) + text + png.substr(end - 4);
    struct Case {
        std::string name, bytes;
    };
    std::vector<Case> cases = {
        {"good.png", png},
        {"good.jpg", jpg},
        {"rgb.png", readBytes(file("rgb.png"))},
        {"changed data", changedData},
        {"bad text chunk", badText},
        {"no end", png.substr(0, end - 4)},
        {"cut in the data", png.substr(0, data + 10)},
        {"header only", png.substr(0, 33)},
        {"jpeg header only", jpg.substr(0, 20)},
        {"not an image", "not an image at all"},
    };
    const PngLayout layouts[] = {
        {"grey", PNG_COLOR_TYPE_GRAY, 8, false, 0, 0, false},
        {"grey-alpha", PNG_COLOR_TYPE_GRAY_ALPHA, 8, false, 0, 0, true},
        {"palette", PNG_COLOR_TYPE_PALETTE, 8, false, 0, 0, false},
        {"palette-trns", PNG_COLOR_TYPE_PALETTE, 8, true, 0, 0, true},
        {"rgba16", PNG_COLOR_TYPE_RGB_ALPHA, 16, false, 0, 0, true},
    };
    for (const PngLayout& l : layouts) {
        writeLayout(file(std::string(l.name) + ".png"), l);
        cases.push_back({l.name, readBytes(file(std::string(l.name) + ".png"))});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Pixmap pm;
        bool decodedAlpha = false, probedAlpha = false;
        int w = 0, h = 0;
        std::string error;
        const bool decoded = gfx::decodeImage(c.bytes, pm, decodedAlpha, error);
        EXPECT_EQ(gfx::probeImage(c.bytes, w, h, probedAlpha, error), decoded);
        if (!decoded) continue;
        EXPECT_EQ(w, pm.width);
        EXPECT_EQ(h, pm.height);
        EXPECT_EQ(probedAlpha, decodedAlpha);
    }
}

// A large opaque picture goes to its texture a band of rows at a time: the bands must be the
// picture, in order, and a file that does not decode must say so.
TEST_F(GraphicsTest, BandsOfRowsAreTheWholePicture) {
    Pixmap pm = solid(37, 29, 0xFF000000u);
    for (size_t i = 0; i < pm.pixels.size(); ++i) pm.pixels[i] |= uint32_t(i * 2654435761u) & 0xFFFFFFu;
    writeRgbPng(file("rgb.png"), pm);
    writeJpeg(file("photo.jpg"), pm);
    ASSERT_TRUE(SavePixmapPNG(pm, file("rgba.png")));
    writeBytes(file("cut.png"), readBytes(file("rgb.png")).substr(0, 60));
    writeBytes(file("cut.jpg"), readBytes(file("photo.jpg")).substr(0, 20));
    for (const char* name : {"rgb.png", "photo.jpg", "rgba.png", "cut.png", "cut.jpg"})
        for (int band : {1, 4, 29, 64}) {
            SCOPED_TRACE(std::string(name) + " band " + std::to_string(band));
            Pixmap whole;
            const bool decoded = LoadPixmap(file(name), whole);
            Pixmap got;
            got.width = whole.width;
            bool inOrder = true;
            const bool streamed = gfx::streamImageRows(file(name), band, [&](const uint32_t* rows, int first, int count, int width) {
                inOrder = inOrder && width == whole.width && first == got.height && count >= 1 && count <= band;
                got.pixels.insert(got.pixels.end(), rows, rows + size_t(width) * size_t(count));
                got.height += count;
            });
            EXPECT_EQ(streamed, decoded);
            if (!decoded) continue;
            EXPECT_TRUE(inOrder);
            EXPECT_EQ(got.height, whole.height);
            EXPECT_EQ(got.pixels, whole.pixels);
        }
}

// What a large opaque picture's layout is said to be without its pixels is what analysing
// them finds; other pictures get none so.
TEST_F(GraphicsTest, OpaqueLayoutWithoutPixelsIsTheAnalysedOne) {
    Pixmap pm = solid(300, 200, 0xFF204060u);
    pm.pixels[5] = 0xFF010101u;  // near black, which masking keeps
    struct Case {
        const char* name;
        int w, h, flags;
        bool laidOut;
    } cases[] = {
        {"large", 300, 200, FILTEREDIMAGE, true},
        {"masked", 300, 200, MASKEDIMAGE | FILTEREDIMAGE, true},
        {"mipmapped", 300, 200, FILTEREDIMAGE | MIPMAPPEDIMAGE, false},
        {"small", 100, 100, FILTEREDIMAGE, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Pixmap part = solid(c.w, c.h, 0);
        for (int y = 0; y < c.h; ++y)
            for (int x = 0; x < c.w; ++x) part.pixels[size_t(y) * size_t(c.w) + size_t(x)] = pm.at(x, y);
        writeRgbPng(file("part.png"), part);
        TImage analysed = LoadImage(file("part.png"), c.flags);
        ASSERT_TRUE(analysed);
        ASSERT_TRUE(analysed->analysed);
        TImageData fresh;
        fresh.cellW = c.w;
        fresh.cellH = c.h;
        fresh.frameCount = 1;
        fresh.flags = analysed->flags;
        fresh.opaqueFile = analysed->opaqueFile;
        EXPECT_EQ(gfx::layOutOpaque(fresh), c.laidOut);
        if (!c.laidOut) {
            EXPECT_FALSE(fresh.analysed);
            continue;
        }
        EXPECT_EQ(fresh.frameOpaque, analysed->frameOpaque);
        auto same = [](const gfx::Rect& a, const gfx::Rect& b) { return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h; };
        EXPECT_TRUE(same(fresh.drawn, analysed->drawn));
        EXPECT_TRUE(same(fresh.stored, analysed->stored));
        ASSERT_EQ(fresh.pieces.size(), analysed->pieces.size());
        for (size_t i = 0; i < fresh.pieces.size(); ++i) {
            EXPECT_TRUE(same(fresh.pieces[i].r, analysed->pieces[i].r));
            EXPECT_EQ(fresh.pieces[i].opaque, analysed->pieces[i].opaque);
        }
        EXPECT_EQ(fresh.masks.size(), analysed->masks.size());
    }
}

TEST_F(GraphicsTest, NamesResolveWithoutRegardToCase) {
    ASSERT_TRUE(SavePixmapPNG(solid(3, 2, 0xFFFFFFFFu), file("Mixed.PNG")));
    TImage img = LoadImage(file("mixed.png"));
    ASSERT_TRUE(img);
    EXPECT_EQ(ImageWidth(img), 3);
}

TEST_F(GraphicsTest, StripsAreCutIntoEqualCellsRowByRow) {
    ASSERT_TRUE(SavePixmapPNG(strip(4, 25, 20, 4), file("strip.png")));
    TImage img = LoadAnimImage(file("strip.png"), 100 / 4, 20, 0, 4);
    ASSERT_TRUE(img);
    EXPECT_EQ(ImageWidth(img), 25);
    EXPECT_EQ(ImageHeight(img), 20);
    EXPECT_EQ(ImageFrames(img), 4);
    const uint32_t expected[] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFF00u};
    for (int f = 0; f < 4; ++f) {
        EXPECT_EQ(ReadPixel(img, 0, 0, f), expected[f]) << f;
        EXPECT_EQ(ReadPixel(img, 24, 19, f), expected[f]) << f;
    }
    // A 3 x 2 grid: cells 2..4 cross from the end of the first row into the second.
    ASSERT_TRUE(SavePixmapPNG(strip(6, 10, 8, 3), file("grid.png")));
    TImage grid = LoadAnimImage(file("grid.png"), 10, 8, 2, 3);
    ASSERT_EQ(ImageFrames(grid), 3);
    EXPECT_EQ(ReadPixel(grid, 5, 5, 0), 0xFF0000FFu);
    EXPECT_EQ(ReadPixel(grid, 5, 5, 1), 0xFFFFFF00u);
    EXPECT_EQ(ReadPixel(grid, 5, 5, 2), 0xFF00FFFFu);
    // Asking for more cells than the file holds keeps the ones that exist.
    EXPECT_EQ(ImageFrames(LoadAnimImage(file("grid.png"), 10, 8, 4, 10)), 2);
    EXPECT_EQ(ImageFrames(LoadAnimImage(file("grid.png"), 10, 8, 5, 2147483647)), 1);
    EXPECT_EQ(LoadAnimImage(file("grid.png"), 10, 8, 6, 1), nullptr);
    EXPECT_EQ(LoadAnimImage(file("grid.png"), 0, 8, 0, 1), nullptr);
    EXPECT_EQ(LoadAnimImage(file("grid.png"), 40, 8, 0, 1), nullptr);  // wider than the file
}

TEST_F(GraphicsTest, MaskColourClearsMatchingPixelsOfImagesWithoutAlpha) {
    Pixmap pm = solid(4, 1, 0xFF000000u);
    pm.pixels[1] = 0xFFFF00FFu;
    pm.pixels[2] = 0xFF010000u;
    pm.pixels[3] = 0xFFFFFFFFu;
    writeRgbPng(file("rgb.png"), pm);
    Pixmap withAlpha = pm;
    withAlpha.pixels[3] = 0xFEFFFFFFu;
    ASSERT_TRUE(SavePixmapPNG(withAlpha, file("rgba.png")));

    bool alpha = true;
    Pixmap decoded;
    ASSERT_TRUE(LoadPixmap(file("rgb.png"), decoded, &alpha));
    EXPECT_FALSE(alpha);

    TImage black = LoadImage(file("rgb.png"));  // default flags mask, black at start
    EXPECT_EQ(ReadPixel(black, 0, 0) >> 24, 0u);
    EXPECT_EQ(ReadPixel(black, 1, 0), 0xFFFF00FFu);
    EXPECT_EQ(ReadPixel(black, 2, 0), 0xFF010000u);  // only exact matches

    TImage unmasked = LoadImage(file("rgb.png"), FILTEREDIMAGE);
    EXPECT_EQ(ReadPixel(unmasked, 0, 0), 0xFF000000u);

    TImage keepsAlpha = LoadImage(file("rgba.png"));  // has alpha: never masked
    EXPECT_EQ(ReadPixel(keepsAlpha, 0, 0), 0xFF000000u);

    SetMaskColor(255, 0, 255);
    TImage magenta = LoadImage(file("rgb.png"), MASKEDIMAGE);
    EXPECT_EQ(ReadPixel(magenta, 0, 0), 0xFF000000u);
    EXPECT_EQ(ReadPixel(magenta, 1, 0) >> 24, 0u);
    // Already-loaded images keep their pixels.
    EXPECT_EQ(ReadPixel(black, 1, 0), 0xFFFF00FFu);

    // A pixmap that is opaque everywhere counts as an image without alpha.
    TImage fromOpaque = CreateImageFromPixmap(pm);
    EXPECT_EQ(ReadPixel(fromOpaque, 1, 0) >> 24, 0u);
    TImage fromAlpha = CreateImageFromPixmap(withAlpha);
    EXPECT_EQ(ReadPixel(fromAlpha, 1, 0), 0xFFFF00FFu);
}

TEST_F(GraphicsTest, ImagePixmapIsTheMaskedCell) {
    TImage img = CreateImageFromPixmap(solid(6, 4, 0xFF000000u));
    const Pixmap* pm = ImagePixmap(img);
    ASSERT_NE(pm, nullptr);
    EXPECT_EQ(pm->width, 6);
    EXPECT_EQ(pm->height, 4);
    EXPECT_EQ(pm->at(5, 3) >> 24, 0u);
    EXPECT_EQ(ImagePixmap(img, 1), nullptr);
}

TEST_F(GraphicsTest, PngColourLayoutsDecodeToArgb) {
    const PngLayout layouts[] = {
        {"grey", PNG_COLOR_TYPE_GRAY, 8, false, 0xFF646464u, 0xFF070707u, false},
        {"grey-alpha", PNG_COLOR_TYPE_GRAY_ALPHA, 8, false, 0xFF646464u, 0x00070707u, true},
        {"palette", PNG_COLOR_TYPE_PALETTE, 8, false, 0xFFC80A14u, 0xFF010203u, false},
        {"palette-trns", PNG_COLOR_TYPE_PALETTE, 8, true, 0xFFC80A14u, 0x00010203u, true},
        {"rgba16", PNG_COLOR_TYPE_RGB_ALPHA, 16, false, 0xFFC80A14u, 0x00010203u, true},
    };
    for (const PngLayout& l : layouts) {
        SCOPED_TRACE(l.name);
        std::string path = file(std::string(l.name) + ".png");
        writeLayout(path, l);
        Pixmap pm;
        bool alpha = !l.alpha;
        ASSERT_TRUE(LoadPixmap(path, pm, &alpha));
        EXPECT_EQ(alpha, l.alpha);
        ASSERT_EQ(pm.width, 2);
        EXPECT_EQ(pm.at(0, 0), l.first);
        EXPECT_EQ(pm.at(1, 0), l.second);
    }
}

namespace {

// An image of w x h from a function of the pixel, mid-handled.
TImage made(int w, int h, uint32_t (*at)(int x, int y, int w, int h)) {
    Pixmap pm;
    pm.width = w;
    pm.height = h;
    pm.pixels.resize(size_t(w) * size_t(h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) pm.pixels[size_t(y) * size_t(w) + size_t(x)] = at(x, y, w, h);
    TImage img = CreateImageFromPixmap(pm);
    MidHandleImage(img);
    return img;
}

uint32_t opaque(int, int, int, int) { return 0xFF808080u; }
uint32_t roundedCorners(int x, int y, int w, int h) {
    bool corner = (x == 0 || x == w - 1) && (y == 0 || y == h - 1);
    return corner ? 0 : 0xFF808080u;
}
uint32_t border(int x, int y, int w, int h) {
    return (x == 0 || y == 0 || x == w - 1 || y == h - 1) ? 0x80FFFFFFu : 0;
}
uint32_t innerDot(int x, int y, int w, int h) { return (x == w / 2 && y == h / 2) ? 0xFFFFFFFFu : 0; }
uint32_t holed(int x, int y, int w, int h) { return (x == w / 2 + 1 && y == h / 2) ? 0 : 0xFF808080u; }

}  // namespace

// Whether an image drawn over another at the same place hides it: what lets the board skip
// the grid squares under covers. Filtering reads a pixel around each sample, so a
// transparent pixel next to the other image's pixels counts, and only whole-pixel offsets
// between the handles are judged.
TEST_F(GraphicsTest, CoversAreJudgedPixelByPixelWithTheFilterReach) {
    struct Case {
        const char* what;
        TImage top, under;
        bool covers;
    } cases[] = {
        {"opaque square over its grid frame", made(24, 24, opaque), made(24, 24, border), true},
        {"rounded corners leave the frame's corners", made(24, 24, roundedCorners), made(24, 24, border), false},
        {"a dot deep inside", made(24, 24, roundedCorners), made(24, 24, innerDot), true},
        {"a hole next to the dot", made(24, 24, holed), made(24, 24, innerDot), false},
        {"under larger than top", made(20, 20, opaque), made(24, 24, border), false},
        {"half-pixel offset between the handles", made(24, 24, opaque), made(23, 23, innerDot), false},
        {"an empty image is always covered", made(24, 24, opaque), made(8, 8, [](int, int, int, int) -> uint32_t { return 0; }), true},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ImageCovers(c.top, 0, c.under, 0), c.covers);
        EXPECT_EQ(ImageCovers(c.top, 0, c.under, 0), c.covers) << "asked again";
    }
    TImage top = made(24, 24, opaque), under = made(24, 24, border);
    EXPECT_FALSE(ImageCovers(top, 1, under, 0)) << "no such frame";
    EXPECT_FALSE(ImageCovers(nullptr, 0, under, 0));
    SetImageHandle(under, 12.5f, 12);
    EXPECT_FALSE(ImageCovers(top, 0, under, 0)) << "the handle moved half a pixel";
}
