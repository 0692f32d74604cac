// A 15 x 15 board with its clues, laid out and drawn by the level with real OpenGL
// (offscreen), checked at probe points against a software composite of the same frame as
// the headless backend recorded it. Covered, opened, broken and empty cells, the hover
// cross and the clue digits are all probed. Exit codes: 0 pass, 1 mismatch, 77 no GL
// context here (skipped).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include "game/board/level.h"
#include "game/board/links.h"
#include "game/board/number.h"
#include "game/board/tile.h"
#include "game/board/tiledata.h"
#include "platform/graphics.h"
#include "tests/e2e/golden_support.h"

namespace {

constexpr int kW = 1024, kH = 768;
constexpr int kTolerance = 6;
constexpr int kSize = 2;  // 30-pixel cells
constexpr int kCell = 30;
constexpr int kDigitW = 16;
constexpr int kCoverFrames = 10;

using golden::filled;
using golden::Rgb;

// Every image by the path the recording names it with.
std::map<std::string, TImage> gImages;

class HoverPlay : public TPlayLink {
public:
    TLevel* lvl = nullptr;
    TTile* over = nullptr;
    TLevel* level() override { return lvl; }
    TTile* overTile() override { return over; }
};


// A square with a darker rim of 3 pixels, as the real cells have.
Pixmap cellPicture(int px, uint32_t fill, uint32_t rim) {
    Pixmap pm = filled(px, px, fill);
    for (int y = 0; y < px; ++y)
        for (int x = 0; x < px; ++x)
            if (x < 3 || y < 3 || x >= px - 3 || y >= px - 3) pm.pixels[size_t(y * px + x)] = rim;
    return pm;
}

TImage keep(const std::string& dir, const std::string& name, const Pixmap& pm, int cellW, int cells,
            bool centred = true) {
    const std::string path = dir + "/" + name + ".png";
    if (!SavePixmapPNG(pm, path)) return nullptr;
    TImage img = cells > 1 ? LoadAnimImage(path, cellW, pm.height, 0, cells) : LoadImage(path);
    if (!img) return nullptr;
    if (centred) MidHandleImage(img);
    gImages[path] = img;
    return img;
}

bool makeSets(const std::string& dir, TImage& background) {
    auto empty = std::make_shared<TTileData>();
    empty->id = 0;
    empty->frames = 1;
    auto picture = std::make_shared<TTileData>();
    picture->id = 1;
    picture->frames = 1;
    auto cover = std::make_shared<TTileHideGFX>();
    cover->id = 1;
    cover->hideFrames = kCoverFrames;

    // The cover strip darkens frame by frame, as a lid opening.
    Pixmap strip = filled(kCell * kCoverFrames, kCell, 0);
    for (int f = 0; f < kCoverFrames; ++f)
        for (int y = 0; y < kCell; ++y)
            for (int x = 0; x < kCell; ++x) {
                const bool rim = x < 3 || y < 3 || x >= kCell - 3 || y >= kCell - 3;
                const uint32_t v = uint32_t(200 - 15 * f);
                strip.pixels[size_t(y * strip.width + f * kCell + x)] =
                    rim ? 0xFF5A3A1Au : (0xFF000000u | (v << 16) | ((v * 3 / 5) << 8) | (v / 4));
            }
    const int s = kSize;
    empty->gfx[s] = keep(dir, "empty", filled(kCell, kCell, 0x00000000u), kCell, 1);
    empty->broke[s] = keep(dir, "emptyB", filled(kCell, kCell, 0x00000000u), kCell, 1);
    picture->gfx[s] = keep(dir, "gold", cellPicture(kCell, 0xFFE8B830u, 0xFF8A5A10u), kCell, 1);
    picture->broke[s] = keep(dir, "goldB", cellPicture(kCell, 0xFF806040u, 0xFF402010u), kCell, 1);
    cover->hideImg[s] = keep(dir, "cover", strip, kCell, kCoverFrames);
    TTile::overImg[s] = keep(dir, "over", cellPicture(kCell + 4, 0x00FFFFFFu, 0xFFFFFFFFu), kCell + 4, 1);
    for (int d = 0; d < 10; ++d) {
        // Light digit blocks with a notch per digit value, so digits differ.
        Pixmap pm = filled(kDigitW, 22, 0xFFF4ECD8u);
        for (int y = 2; y < 2 + d && y < 20; ++y) pm.pixels[size_t(y * kDigitW + 1)] = 0xFF203040u;
        TImage img = keep(dir, "digit" + std::to_string(d), pm, kDigitW, 1, false);
        if (!img) return false;
        SetImageHandle(img, 0, float(ImageHeight(img) / 2));
        TNumber::num[s][size_t(d)] = img;
    }
    // A sea gradient for the background.
    Pixmap back = filled(kW, kH, 0);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            back.pixels[size_t(y * kW + x)] =
                0xFF000000u | (uint32_t(20 + y / 12) << 16) | (uint32_t(60 + y / 8) << 8) | uint32_t(110 + x / 10);
    background = keep(dir, "sea", back, kW, 1, false);

    tilesList = {empty, picture};
    tilesHideList = {cover};
    return empty->gfx[s] && picture->gfx[s] && cover->hideImg[s] && TTile::overImg[s] && background;
}

// A ship's wheel of sorts: rings and spokes, with runs of every length.
bool filledAt(int r, int c) {
    const int dr = r - 7, dc = c - 7;
    const int d2 = dr * dr + dc * dc;
    return (d2 >= 30 && d2 <= 49) || d2 <= 4 || dr == 0 || dc == 0 || (r + c) % 11 == 0;
}

std::unique_ptr<TLevel> makeLevel(TImage background) {
    auto level = std::make_unique<TLevel>();
    level->rows = level->cols = 15;
    level->size = kSize;
    level->createTilesTab();
    for (int r = 0; r < 15; ++r)
        for (int c = 0; c < 15; ++c) {
            TTile* t = level->at(r, c);
            t->setTileData(getTileDataById(filledAt(r, c) ? 1 : 0));
            t->setTileHideData(GetTileDataHideById(1));
        }
    // A game in progress: a few rows opened, a mistake on each kind of cell.
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 15; ++c) level->at(r, c)->setOdkrytyData(1, 0);
    level->at(9, 7)->setOdkrytyData(0, 1);   // picture cell broken by mistake
    level->at(12, 1)->setOdkrytyData(1, 1);  // empty cell uncovered by mistake, gone
    level->at(10, 10)->animTime = 4;          // a cover half open
    level->createNumbers();
    level->setGlobalAlpha(1);
    level->setProperPosition();
    level->background = background;
    return level;
}

// The software expectation at a point, from the recorded draws.
Rgb expectedAt(const std::vector<DrawCall>& draws, float px, float py) {
    Rgb out{0, 0, 0};
    for (const DrawCall& d : draws) {
        if (d.kind == DrawCall::Clear) {
            out = {float(d.r), float(d.g), float(d.b)};
            continue;
        }
        const double rad = double(d.rotation) * 3.14159265358979 / 180.0;
        const float c = float(std::cos(rad)), s = float(std::sin(rad));
        const float dx = px - d.x, dy = py - d.y;
        const float lx = (dx * c + dy * s) / d.scaleX, ly = (-dx * s + dy * c) / d.scaleY;
        uint32_t t = 0;
        if (d.kind == DrawCall::Image) {
            auto it = gImages.find(d.what);
            if (it == gImages.end()) continue;
            const float u = lx + d.handleX, v = ly + d.handleY;
            if (u < 0 || v < 0 || u >= d.w || v >= d.h) continue;
            t = ReadPixel(it->second, int(std::floor(u)), int(std::floor(v)), d.frame);
        } else if (d.kind == DrawCall::Rect) {
            if (lx < 0 || ly < 0 || lx >= d.w || ly >= d.h) continue;
            t = 0xFFFFFFFFu;
        } else {
            continue;
        }
        const float a = float(t >> 24) / 255.0f * std::clamp(d.alpha, 0.0f, 1.0f);
        const Rgb src{float((t >> 16) & 0xFF) * float(d.r) / 255.0f,
                      float((t >> 8) & 0xFF) * float(d.g) / 255.0f,
                      float(t & 0xFF) * float(d.b) / 255.0f};
        if (d.blend == LIGHTBLEND)
            out = {std::min(255.0f, out.r + src.r * a), std::min(255.0f, out.g + src.g * a),
                   std::min(255.0f, out.b + src.b * a)};
        else
            out = {src.r * a + out.r * (1 - a), src.g * a + out.g * (1 - a),
                   src.b * a + out.b * (1 - a)};
    }
    return out;
}

bool near(uint32_t p, const Rgb& e) { return golden::near(p, e, kTolerance); }

}  // namespace

int main(int argc, char** argv) {
    const std::string shotPath = argc > 1 ? argv[1] : "golden_board.png";
    const std::string dir = golden::scratchDir("zerkon_golden_board_");

    InitPlatform(true);
    Graphics(kW, kH);
    ResetGraphicsState();
    SetVirtualResolution(kW, kH);
    TImage background;
    if (!makeSets(dir, background)) {
        std::fprintf(stderr, "cannot write the test images\n");
        return 1;
    }
    auto level = makeLevel(background);
    HoverPlay play;
    play.lvl = level.get();
    play.over = level->at(6, 11);
    setPlayLink(&play);

    ClearRecordedDraws();
    golden::drawBoard(*level, kW, kH);
    const std::vector<DrawCall> draws = RecordedDraws();
    if (int rc = golden::openOffscreenGl(kW, kH, dir)) return rc;
    SetVirtualResolution(kW, kH);
    golden::drawBoard(*level, kW, kH);
    Pixmap shot;
    if (!golden::grabShot(shot, shotPath)) return 1;

    int failures = 0;
    auto probe = [&](const std::string& what, float x, float y) {
        const int px = int(x), py = int(y);
        const Rgb e = expectedAt(draws, float(px) + 0.5f, float(py) + 0.5f);
        const uint32_t got = shot.at(px, py);
        const bool ok = near(got, e);
        std::printf("%-34s pixel (%4d,%3d) got %3u %3u %3u want %3ld %3ld %3ld %s\n", what.c_str(),
                    px, py, (got >> 16) & 0xFF, (got >> 8) & 0xFF, got & 0xFF, std::lround(e.r),
                    std::lround(e.g), std::lround(e.b), ok ? "ok" : "MISMATCH");
        if (!ok) ++failures;
    };
    auto cellProbe = [&](const std::string& what, int r, int c, float dx = 0, float dy = 0) {
        TTile* t = level->at(r, c);
        probe(what + " [" + std::to_string(r) + "," + std::to_string(c) + "]", t->x() + dx,
              t->y() + dy);
    };
    probe("background, top left", 20, 20);
    probe("background, right of the board", 900, 600);
    cellProbe("covered cell", 13, 13);
    cellProbe("covered cell rim", 13, 13, -13, 0);
    cellProbe("opened picture", 0, 7);
    cellProbe("opened empty cell", 2, 2);
    cellProbe("broken picture", 9, 7);
    cellProbe("empty cell uncovered by mistake", 12, 1);
    cellProbe("half-open cover", 10, 10);
    cellProbe("hovered cell, lit twice", 6, 11);
    cellProbe("hover cross, column", 13, 11);
    cellProbe("hover cross, row", 6, 2);
    cellProbe("hover cross, opened cell", 1, 11);
    cellProbe("gap between blocks", 7, 4, 17, 0);
    // Clue digits: the row clue nearest the grid and the topmost column clue.
    for (int line : {0, 7, 14}) {
        auto& row = level->numbersHList[size_t(line)]->lista;
        auto& col = level->numbersVList[size_t(line)]->lista;
        probe("row clue " + std::to_string(line) + " \"" + row.front()->txt + "\"",
              row.front()->dim->x, row.front()->dim->y);
        probe("column clue " + std::to_string(line) + " \"" + col.back()->txt + "\"",
              col.back()->dim->x, col.back()->dim->y + 5);
    }

    // The board with its clues sits in the play area left of the panel.
    const float right = level->stx + level->width - level->moveW;
    std::printf("board with clues: (%.0f, %.0f) to (%.0f, %.0f)\n", level->lx, level->ly, right,
                level->sty + level->height - level->moveH);
    if (level->lx < 0 || level->ly < 0 || right > 740) ++failures;

    setPlayLink(nullptr);
    level.reset();
    gImages.clear();
    resetTileDataLists();
    resetTileStatics();
    resetNumberImages();
    std::filesystem::remove_all(dir);
    ShutdownPlatform();
    std::printf("%s\n", failures ? "FAIL" : "PASS");
    return failures ? 1 : 0;
}
