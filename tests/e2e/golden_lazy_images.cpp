// With real OpenGL (offscreen), pictures loaded from files are only looked over at load and
// decoded at their first draw: they must draw exactly as the same pixels made in memory do,
// cell by cell, masked, scaled, rotated and translucent; hold no pixels before or after that
// draw; answer covering tests before it; draw nothing when the file no longer decodes; and,
// drawn into a discarded frame, leave the frame and the textures as they were while their
// pixels are decoded ahead. Large opaque pictures go from the file to their texture a band of
// rows at a time: they must draw the same as whole ones too, the first time and after their
// textures went with the screen that drew them. A strip of large cells drawn a cell at a
// time keeps only that cell in its texture.
// Exit codes: 0 pass, 1 failure, 77 no GL.
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/graphics.h"
#include "platform/prefetch.h"
#include "tests/e2e/golden_support.h"
#include "tests/support/image_files.h"

namespace {

constexpr int kW = 1024, kH = 768;
int failures = 0;

void fail(const std::string& what) {
    std::printf("FAIL: %s\n", what.c_str());
    ++failures;
}

// A picture that differs at every pixel; translucent and with a transparent margin if asked.
Pixmap picture(int w, int h, int seed, bool alpha) {
    Pixmap pm = golden::filled(w, h, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool margin = alpha && (x < 7 || y < 5 || x >= w - 9);
            uint32_t a = margin ? 0 : alpha ? 0x40u + uint32_t((x * 7 + y) % 192) : 0xFFu;
            uint32_t rgb = (uint32_t((x * 5 + seed * 31) & 0xFF) << 16) | (uint32_t((y * 3 + seed * 17) & 0xFF) << 8) |
                           uint32_t((x + y + seed * 7) & 0xFF);
            if (!alpha && (x / 8 + y / 8) % 5 == 0) rgb = 0;  // black, which masking clears
            pm.pixels[size_t(y) * size_t(w) + size_t(x)] = (a << 24) | rgb;
        }
    return pm;
}

// Cells side by side, each a picture of its own with the same transparent margin.
Pixmap strip(int cells, int w, int h) {
    Pixmap pm = golden::filled(w * cells, h, 0);
    for (int i = 0; i < cells; ++i) {
        const Pixmap cell = picture(w, h, 10 + i, true);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) pm.pixels[size_t(y) * size_t(pm.width) + size_t(i * w + x)] = cell.at(x, y);
    }
    return pm;
}

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The PNG with its image data replaced by bytes that do not inflate, the checksum made right:
// the file looks whole, and only decoding finds it damaged.
std::string undecodable(std::string png) {
    const size_t at = png.find("IDAT") - 4;
    const auto* b = reinterpret_cast<const unsigned char*>(png.data());
    const uint32_t length = (uint32_t(b[at]) << 24) | (uint32_t(b[at + 1]) << 16) | (uint32_t(b[at + 2]) << 8) | b[at + 3];
    for (uint32_t i = 0; i < length; ++i) png[at + 8 + i] = char(0xFF - (i & 0x3F));
    const uint32_t crc = uint32_t(crc32(0, b + at + 4, length + 4));
    for (int k = 0; k < 4; ++k) png[at + 8 + length + size_t(k)] = char((crc >> (24 - 8 * k)) & 0xFF);
    return png;
}

// The pixels a file decodes to, made into an image in memory: the reference a lazily loaded
// picture must draw the same as.
TImage inMemory(const std::string& path, int flags, int cellW = 0, int cellH = 0, int cell = 0) {
    Pixmap whole;
    if (!LoadPixmap(path, whole)) return nullptr;
    if (cellW <= 0) return CreateImageFromPixmap(whole, flags);
    Pixmap pm = golden::filled(cellW, cellH, 0);
    const int cols = whole.width / cellW;
    for (int y = 0; y < cellH; ++y)
        for (int x = 0; x < cellW; ++x)
            pm.pixels[size_t(y) * size_t(cellW) + size_t(x)] = whole.at((cell % cols) * cellW + x, (cell / cols) * cellH + y);
    return CreateImageFromPixmap(pm, flags);
}

// Each pair drawn in the same state, the file's on the left half, the reference on the right.
struct Pair {
    const char* name;
    TImage file, memory;
    int frame;
};

void drawPairs(const std::vector<Pair>& pairs, int pass) {
    golden::freshFrame(kW, kH, 30, 60, 90);
    switch (pass) {
        case 1: SetScale(1.25f, 1.1f); break;
        case 2: SetRotation(30); break;
        case 3: SetAlpha(0.6f); break;
        case 4: SetBlend(SOLIDBLEND); break;
        default: break;
    }
    for (size_t i = 0; i < pairs.size(); ++i) {
        // Each half holds its pictures whole, however they are scaled or turned.
        const float x = 130, y = 30 + float(i) * 170;
        DrawImage(pairs[i].file, x, y, pairs[i].frame);
        DrawImage(pairs[i].memory, x + 512, y, 0);
    }
}

// How many pixels of the left half differ from the right half by more than `by` in a channel.
size_t halvesDiffer(const Pixmap& shot, int by) {
    size_t n = 0;
    for (int y = 0; y < shot.height; ++y)
        for (int x = 0; x < shot.width / 2; ++x) {
            const uint32_t a = shot.at(x, y), b = shot.at(x + shot.width / 2, y);
            int d = 0;
            for (int sh = 0; sh < 24; sh += 8) d = std::max(d, std::abs(int((a >> sh) & 0xFF) - int((b >> sh) & 0xFF)));
            if (d > by) ++n;
        }
    return n;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string shotPath = argc > 1 ? argv[1] : "golden_lazy_images.png";
    const std::string dir = golden::scratchDir("zerkon_golden_lazy_");
    if (!SavePixmapPNG(picture(240, 200, 1, true), dir + "/alpha.png") ||
        !imagefiles::writeRgbPng(dir + "/masked.png", picture(180, 140, 2, false)) ||
        !imagefiles::writeJpeg(dir + "/photo.jpg", picture(160, 120, 3, false), 75) || !SavePixmapPNG(strip(4, 50, 40), dir + "/strip.png") ||
        !imagefiles::writeRgbPng(dir + "/small.png", picture(60, 40, 5, false)) || !SavePixmapPNG(picture(60, 40, 6, true), dir + "/edged.png") ||
        !imagefiles::writeRgbPng(dir + "/wide.png", picture(300, 150, 7, false)) ||
        !imagefiles::writeJpeg(dir + "/view.jpg", picture(250, 200, 8, false), 80) ||
        !imagefiles::writeRgbPng(dir + "/keyed.png", picture(300, 150, 9, false)))
        return 1;
    {
        std::ofstream(dir + "/broken.png", std::ios::binary) << undecodable(readBytes(dir + "/alpha.png"));
    }
    if (int rc = golden::openOffscreenGl(kW, kH, dir)) return rc;
    SetMaskColor(0, 0, 0);

    const size_t pixelsBefore = ImageMemory().pixelBytes;
    TImage alpha = LoadImage(dir + "/alpha.png");
    TImage masked = LoadImage(dir + "/masked.png");
    TImage photo = LoadImage(dir + "/photo.jpg", FILTEREDIMAGE);
    TImage cells = LoadAnimImage(dir + "/strip.png", 50, 40, 1, 3);
    TImage broken = LoadImage(dir + "/broken.png");
    if (!alpha || !masked || !photo || !cells || !broken) {
        fail("a whole file was refused at load");
        return 1;
    }
    if (ImageWidth(alpha) != 240 || ImageHeight(alpha) != 200 || ImageWidth(photo) != 160 || ImageFrames(cells) != 3 ||
        ImageWidth(cells) != 50)
        fail("the sizes read from the headers are wrong");
    if (ImageMemory().pixelBytes != pixelsBefore) fail("loading decoded pixels");

    std::vector<Pair> pairs = {
        {"alpha", alpha, inMemory(dir + "/alpha.png", DEFAULT_IMAGE_FLAGS), 0},
        {"masked", masked, inMemory(dir + "/masked.png", DEFAULT_IMAGE_FLAGS), 0},
        {"photo", photo, inMemory(dir + "/photo.jpg", FILTEREDIMAGE), 0},
        {"cell 3", cells, inMemory(dir + "/strip.png", DEFAULT_IMAGE_FLAGS, 50, 40, 3), 2},
    };
    for (const Pair& p : pairs)
        if (!p.memory) fail(std::string("no reference for ") + p.name);
    if (failures) return 1;
    size_t pixelsKept = ImageMemory().pixelBytes;  // the references keep theirs

    // Covering is judged before the first draw: an opaque picture hides one with a
    // transparent margin, not the other way round.
    TImage small = LoadImage(dir + "/small.png", FILTEREDIMAGE), edged = LoadImage(dir + "/edged.png");
    if (!ImageCovers(small, 0, edged, 0) || ImageCovers(edged, 0, small, 0))
        fail("a covering test before the first draw answers wrongly");

    // Drawn into a discarded frame: nothing drawn, no texture made, the pixels decoded ahead.
    StartPrefetchOf({}, 64u << 20);
    golden::freshFrame(kW, kH, 30, 60, 90);
    Pixmap clean;
    if (!GrabScreen(clean)) return 1;
    const int texturesBefore = ImageMemory().textures;
    BeginDiscardedDraws();
    DrawImage(alpha, 10, 10);
    DrawImage(photo, 300, 10);
    EndDiscardedDraws();
    Pixmap after;
    if (!GrabScreen(after)) return 1;
    if (after.pixels != clean.pixels) fail("a discarded draw reached the frame");
    if (ImageMemory().textures != texturesBefore) fail("a discarded draw made a texture");
    for (int i = 0; i < 2000 && PrefetchHeldBytes() < size_t(240 * 200 + 160 * 120) * 4; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (PrefetchHeldBytes() != size_t(240 * 200 + 160 * 120) * 4) fail("the discarded draws' pictures were not decoded ahead");
    Flip();

    for (int pass = 0; pass < 5; ++pass) {
        drawPairs(pairs, pass);
        Pixmap shot;
        if (!golden::grabShot(shot, shotPath)) return 1;
        Flip();
        // Turned pictures are sampled linearly: where each lies in its texture may move a
        // channel by a step or two.
        if (size_t n = halvesDiffer(shot, pass == 2 ? 2 : 0)) fail("pass " + std::to_string(pass) + ": " + std::to_string(n) + " pixels differ");
    }
    StopPrefetch();

    // Opaque and large: a texture of its own and one on a shared page, each read in bands; and
    // one masked with the mask colour in it, found only on the way.
    const size_t beforeOpaque = ImageMemory().pixelBytes;
    std::vector<Pair> opaque = {
        {"wide", LoadImage(dir + "/wide.png", FILTEREDIMAGE), inMemory(dir + "/wide.png", FILTEREDIMAGE), 0},
        {"view", LoadImage(dir + "/view.jpg"), inMemory(dir + "/view.jpg", DEFAULT_IMAGE_FLAGS), 0},
        {"keyed", LoadImage(dir + "/keyed.png"), inMemory(dir + "/keyed.png", DEFAULT_IMAGE_FLAGS), 0},
        {"keyed, loaded again", LoadImage(dir + "/keyed.png"), inMemory(dir + "/keyed.png", DEFAULT_IMAGE_FLAGS), 0},
    };
    for (const Pair& p : opaque)
        if (!p.file || !p.memory) fail(std::string("no picture for ") + p.name);
    if (failures) return 1;
    pixelsKept += ImageMemory().pixelBytes - beforeOpaque;  // the references keep theirs
    for (int round = 0; round < 2; ++round) {
        for (int pass = 0; pass < 5; ++pass) {
            drawPairs(opaque, pass);
            Pixmap shot;
            if (!golden::grabShot(shot, shotPath)) return 1;
            Flip();
            if (size_t n = halvesDiffer(shot, pass == 2 ? 2 : 0))
                fail("opaque, round " + std::to_string(round) + ", pass " + std::to_string(pass) + ": " +
                     std::to_string(n) + " pixels differ");
        }
        // The next screen: the pictures' textures go, and are read again when drawn.
        ScreenEnded();
        for (int f = 0; f < 60; ++f) {
            golden::freshFrame(kW, kH, 30, 60, 90);
            Flip();
        }
    }
    golden::freshFrame(kW, kH, 30, 60, 90);
    DrawImage(small, 0, 0);
    DrawImage(edged, 0, 0);
    Flip();
    if (ImageMemory().pixelBytes != pixelsKept) fail("pictures drawn kept their pixels");

    // A strip of large cells drawn a cell at a time (the chest filling with mistakes) keeps only
    // the cell shown, in a texture of its own (never on a shared page, whose copies another
    // cell would spoil), and reads another from the file when it is drawn; cells that change
    // every frame, or two drawn in one frame, draw right all the same (all of them stored).
    if (!SavePixmapPNG(strip(5, 200, 150), dir + "/chest.png")) return 1;
    const size_t cellBytes = size_t(202) * 152 * 4;  // at most, with its border
    std::vector<TImage> chestCells;
    for (int k = 0; k < 5; ++k) chestCells.push_back(inMemory(dir + "/chest.png", DEFAULT_IMAGE_FLAGS, 200, 150, k));
    auto drawCells = [&](const TImage& chest, const std::vector<int>& cells, const std::string& what) {
        golden::freshFrame(kW, kH, 30, 60, 90);
        for (size_t i = 0; i < cells.size(); ++i) {
            if (chest) DrawImage(chest, 100, 30 + float(i) * 200, cells[i]);
            DrawImage(chestCells[size_t(cells[i])], 612, 30 + float(i) * 200, 0);
        }
        Pixmap shot;
        if (!golden::grabShot(shot, shotPath)) return;
        Flip();
        if (size_t n = halvesDiffer(shot, 0); chest && n) fail(what + ": " + std::to_string(n) + " pixels differ");
    };
    drawCells(nullptr, {0, 1, 2, 3, 4}, "");  // the references' textures made
    TImage chest = LoadAnimImage(dir + "/chest.png", 200, 150, 0, 5);
    size_t before = ImageMemory().textureBytes;
    drawCells(chest, {1}, "the strip's first cell drawn");
    const size_t oneCell = ImageMemory().textureBytes - before;
    if (oneCell == 0 || oneCell > cellBytes) fail("a strip shown a cell at a time did not store that cell alone");
    for (int f = 0; f < 60; ++f) {
        golden::freshFrame(kW, kH, 30, 60, 90);
        Flip();
    }
    drawCells(chest, {3}, "another cell of the strip, a second later");
    drawCells(chest, {3}, "the same cell again");
    if (ImageMemory().textureBytes - before != oneCell) fail("a strip's next cell was stored beside the last");
    for (int k : {4, 0, 2}) drawCells(chest, {k}, "the strip's cells frame after frame, cell " + std::to_string(k));
    if (ImageMemory().textureBytes - before < 5 * oneCell) fail("a strip whose cells change every frame was not stored whole");
    TImage again = LoadAnimImage(dir + "/chest.png", 200, 150, 0, 5);
    for (int round = 0; round < 2; ++round) drawCells(again, {4, 1}, "two cells of a strip in one frame");
    chest = again = nullptr;

    // Only decoding finds the damage: the picture then draws nothing, every time.
    for (int i = 0; i < 2; ++i) {
        golden::freshFrame(kW, kH, 30, 60, 90);
        DrawImage(broken, 100, 100);
        Pixmap shot;
        if (!GrabScreen(shot)) return 1;
        Flip();
        if (shot.pixels != clean.pixels) fail("a picture that no longer decodes drew something");
    }

    std::filesystem::remove_all(dir);
    if (failures) return 1;
    std::printf("PASS: %s\n", shotPath.c_str());
    return 0;
}
