// One level of each size class from the built asset tree, laid out as the play screen lays
// it out, over a stage background. Checked: the board with its clues stays on the screen
// and left of the side panel, and is centred on (390, 384). With a GL context it also
// writes one picture per size class (<shot>-<class>.png) to look at.
// Exit codes: 0 pass, 1 a board out of place, 77 no asset tree here (skipped).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "game/board/level.h"
#include "game/board/links.h"
#include "game/board/number.h"
#include "game/board/tile.h"
#include "game/level/levelfile.h"
#include "game/level/sets.h"
#include "gui/globals.h"
#include "platform/graphics.h"
#include "platform/system.h"
#include "tests/e2e/golden_support.h"

namespace fs = std::filesystem;

namespace {

constexpr int kW = 1024, kH = 768;
// The side panel with the chest and the tools begins here.
constexpr float kPanelX = 740;

class HoverPlay : public TPlayLink {
public:
    TLevel* lvl = nullptr;
    TTile* over = nullptr;
    TLevel* level() override { return lvl; }
    TTile* overTile() override { return over; }
};

std::vector<std::string> levelFiles(const std::string& assets) {
    std::vector<std::string> files;
    std::error_code ec;
    for (auto& e : fs::recursive_directory_iterator(fs::path(assets) / "data" / "levels", ec))
        if (e.path().extension() == ".lvl") files.push_back(e.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

// Light digits with a dark outline from the tree's font, for a tree without digit images.
void standInDigits(const std::string& assets) {
    const int px[kTileSizeClasses] = {34, 26, 22, 18, 15};
    for (int s = 0; s < kTileSizeClasses; ++s) {
        TImageFont font = LoadImageFont(assets + "/gfx/fonts/font.ttf", px[s]);
        SetImageFont(font);
        for (int d = 0; d < 10; ++d) {
            const std::string txt = std::to_string(d);
            const int w = TextWidth(txt) + 4, h = TextHeight(txt) + 4;
            golden::freshFrame(kW, kH, 0, 0, 0);
            DrawText(txt, 2, 2);
            TImage grab = GrabImage(0, 0, w, h);
            const Pixmap* src = ImagePixmap(grab);
            if (!src) continue;
            Pixmap pm;
            pm.width = src->width;
            pm.height = src->height;
            pm.pixels.assign(src->pixels.size(), 0);
            for (int y = 0; y < pm.height; ++y)
                for (int x = 0; x < pm.width; ++x) {
                    const uint32_t ink = src->at(x, y) & 0xFF;
                    uint32_t rim = 0;
                    for (int dy = -1; dy <= 1; ++dy)
                        for (int dx = -1; dx <= 1; ++dx) {
                            const int xx = x + dx, yy = y + dy;
                            if (xx >= 0 && yy >= 0 && xx < pm.width && yy < pm.height)
                                rim = std::max(rim, src->at(xx, yy) & 0xFF);
                        }
                    const uint32_t a = std::max(ink, rim);
                    const uint32_t v = ink;  // dark rim, parchment-white body
                    const uint32_t r = 40 + v * 205 / 255, g = 30 + v * 205 / 255, b = 20 + v * 190 / 255;
                    pm.pixels[size_t(y * pm.width + x)] = (a << 24) | (r << 16) | (g << 8) | b;
                }
            TImage img = CreateImageFromPixmap(pm);
            SetImageHandle(img, 0, float(ImageHeight(img) / 2));
            TNumber::num[size_t(s)][size_t(d)] = img;
        }
    }
    SetImageFont(nullptr);
}

int checkPlace(TLevel& l, const std::string& name, bool verbose) {
    int bad = 0;
    float minX = 1e9f, minY = 1e9f, maxX = -1e9f, maxY = -1e9f;
    auto box = [&](float x0, float y0, float x1, float y1) {
        minX = std::min(minX, x0);
        minY = std::min(minY, y0);
        maxX = std::max(maxX, x1);
        maxY = std::max(maxY, y1);
    };
    const int s = clampSizeClass(l.size);
    for (auto& t : l.tile) {
        const float half = float(l.cellW()) / 2;
        box(t->x() - half, t->y() - half, t->x() + half, t->y() + half);
    }
    for (auto* lines : {&l.numbersHList, &l.numbersVList})
        for (auto& line : *lines)
            for (auto& n : line->lista) {
                const float w = TNumber::numWidth(n->txt, s);
                const float h = float(ImageHeight(TNumber::num[size_t(s)][0]));
                box(n->dim->x - w / 2, n->dim->y - h / 2, n->dim->x + w / 2 + 2, n->dim->y + h / 2 + 2);
            }
    const float right = l.stx + l.width - l.moveW;
    const float bottom = l.sty + l.height - l.moveH;
    const bool off = minX < 0 || minY < 0 || maxX > kPanelX || maxY > kH;
    if (verbose || off)
        std::printf("%s: %dx%d class %d, drawn (%.0f,%.0f)-(%.0f,%.0f), measured (%.0f,%.0f)-(%.0f,%.0f)\n",
                    name.c_str(), l.rows, l.cols, l.size, minX, minY, maxX, maxY, l.lx, l.ly, right,
                    bottom);
    if (off) {
        std::printf("  FAIL: off the play area\n");
        ++bad;
    }
    // The clues are placed twice from an unplaced start, and a fractional clue step rounds
    // the two passes differently: up to 1.5 units off centre is the layout's own arithmetic.
    if (std::fabs((390 - l.lx) - (right - 390)) > 2 || std::fabs((384 - l.ly) - (bottom - 384)) > 2) {
        std::printf("  FAIL: not centred on (390, 384)\n");
        ++bad;
    }
    return bad;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string shot = argc > 1 ? argv[1] : "golden_board_sizes.png";
    const std::string assets = golden::findAssets(argv[0]);
    if (assets.empty() || !fs::exists(fs::path(assets) / "data" / "tiles.dat")) {
        std::printf("SKIP: no built asset tree at '%s'\n", assets.c_str());
        return 77;
    }
    SetNotifyHandler([](const std::string& text) { std::fprintf(stderr, "notice: %s\n", text.c_str()); });
    bDir = assets + "/";

    if (!std::getenv("SDL_VIDEODRIVER")) setenv("SDL_VIDEODRIVER", "offscreen", 1);
    InitPlatform(false);
    const bool gl = Graphics(kW, kH, 0);
    if (!gl) {
        InitPlatform(true);
        Graphics(kW, kH);
    }
    ResetGraphicsState();
    SetVirtualResolution(kW, kH);
    loadTiles();
    loadTresures();
    setupNumbers();
    if (!TNumber::num[0][0]) {
        if (!gl) {
            std::printf("SKIP: the tree has no digit images and no GL context makes stand-ins\n");
            return 77;
        }
        std::printf("note: the tree has no gfx/numbers; drawing stand-in digits\n");
        standInDigits(assets);
    }

    // Every level of the tree is placed and checked; the first of each size class is drawn.
    int failures = 0, checked = 0;
    std::vector<bool> shown(kTileSizeClasses, false);
    for (const std::string& file : levelFiles(assets)) {
        auto level = loadLevel(file, 1);
        if (!level) {
            std::printf("%s: refused by the level reader\n", file.c_str());
            ++failures;
            continue;
        }
        const int s = clampSizeClass(level->size);
        const bool first = !shown[size_t(s)];
        shown[size_t(s)] = true;
        // Part of the picture opened, as in a game under way.
        for (auto& t : level->tile)
            if (t->r < level->rows / 3 && t->isPicture()) t->setOdkrytyData(1, 0);
        level->setGlobalAlpha(1);
        level->setProperPosition();
        const std::string name = fs::path(file).parent_path().filename().string() + "/" +
                                 fs::path(file).filename().string();
        failures += checkPlace(*level, name, first);
        ++checked;
        if (!first || !gl) continue;

        level->background = LoadImage(assets + "/gfx/backgrounds/background-" + std::to_string(s + 1) + ".jpg");
        HoverPlay play;
        play.lvl = level.get();
        play.over = level->at(level->rows / 2, level->cols / 2);
        setPlayLink(&play);
        golden::drawBoard(*level, kW, kH);
        Pixmap pm;
        const std::string out = fs::path(shot).replace_extension("").string() + "-" + std::to_string(s) + ".png";
        if (GrabScreen(pm) && SavePixmapPNG(pm, out)) std::printf("  picture: %s\n", out.c_str());
        setPlayLink(nullptr);
    }
    std::printf("%d levels placed\n", checked);
    resetTileSets();
    resetNumberImages();
    ShutdownPlatform();
    std::printf("%s\n", failures ? "FAIL" : "PASS");
    return failures ? 1 : 0;
}
