#include "minigames/lay_puzzle/lp_shapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "app/app_globals.h"
#include "app/frame.h"
#include "gui/data/qcmfile.h"
#include "gui/globals.h"
#include "minigames/puzzle_express/pe_read.h"
#include "platform/collision.h"
#include "platform/input.h"

TImage layEmptyTile;
TImage layFiledTile;
std::vector<std::shared_ptr<TLayBlockData>> layBlocksList;

int layCellW() { return layEmptyTile ? ImageWidth(layEmptyTile) : 0; }
int layCellH() { return layEmptyTile ? ImageHeight(layEmptyTile) : 0; }

namespace {

constexpr double kRad = std::numbers::pi / 180.0;

std::string n(int k) { return std::to_string(k); }

int whole(float v) { return peWhole(v); }
float coord(float v) { return std::isfinite(v) ? std::clamp(v, -4096.0f, 4096.0f) : 0.0f; }

bool inGrid(const std::vector<std::vector<float>>& a, int r, int c) {
    return r >= 0 && c >= 0 && size_t(r) < a.size() && size_t(c) < a[size_t(r)].size();
}

// The developer's view of a hover test: the written copies, shown at once.
bool debugView() { return cheats != 0 && KeyDown('D'); }

}  // namespace

std::shared_ptr<TLayBlockData> getLayBlockById(int id) {
    for (auto& b : layBlocksList)
        if (b->id == id) return b;
    return nullptr;
}

void TLayBlockData::countPomTab() {
    const int w = layCellW(), h = layCellH();
    std::vector<std::vector<std::shared_ptr<TDim>>> pom{size_t(rows)};
    std::vector<std::vector<float>> k(size_t(rows), std::vector<float>(size_t(cols), 0.0f));
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            const bool inverted = (r % 2) != (c % 2);
            const float px = float(c * w) * 0.5f;
            const float py = float(r * h) - (inverted ? 8.0f : 0.0f);
            k[size_t(r)][size_t(c)] = inverted ? 60.0f : 0.0f;
            pom[size_t(r)].push_back(createSimpleDim(int32_t(px), int32_t(py)));
        }
    pomTab = std::move(pom);
    kier = std::move(k);
}

void TLayBlockData::countRotAndOdl() {
    countPomTab();
    std::vector<std::vector<float>> a(size_t(rows), std::vector<float>(size_t(cols), 0.0f));
    auto d = a;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            const double dx = double(pomTab[size_t(r)][size_t(c)]->x) - centerBlockX;
            const double dy = double(pomTab[size_t(r)][size_t(c)]->y) - centerBlockY;
            d[size_t(r)][size_t(c)] = float(std::sqrt(dx * dx + dy * dy));
            a[size_t(r)][size_t(c)] = float(std::atan2(dy, dx) / kRad);
        }
    kat = std::move(a);
    odl = std::move(d);
}

int TLayBlockData::getSpecRot(int r, int c, float dir) const {
    return int(dir + (inGrid(kier, r, c) ? kier[size_t(r)][size_t(c)] : 0.0f));
}

void TLayBlockData::centreOf(int r, int c, float x, float y, float dir, float& cx, float& cy) const {
    if (!inGrid(kat, r, c)) {
        cx = x;
        cy = y;
        return;
    }
    const double a = (double(kat[size_t(r)][size_t(c)]) + dir) * kRad;
    const double o = odl[size_t(r)][size_t(c)];
    cx = float(double(x) + std::cos(a) * o);
    cy = float(double(y) + std::sin(a) * o);
}

std::shared_ptr<TDim> TLayBlockData::getTileDim(float x, float y, int r, int c, float dir) const {
    float cx = 0, cy = 0;
    centreOf(r, c, x, y, dir, cx, cy);
    return createSimpleDim(int32_t(cx), int32_t(cy));
}

void TLayBlockData::draw(float x, float y, float dir) const {
    if (!img) return;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            if (!solid(r, c)) continue;
            float cx = 0, cy = 0;
            centreOf(r, c, x, y, dir, cx, cy);
            SetRotation(dir + kier[size_t(r)][size_t(c)]);
            DrawImage(img, cx, cy);
        }
    SetRotation(0);
}

void TLayBlockData::collide(float x, float y, float dir) const {
    SetBlend(ALPHABLEND);
    SetAlpha(1);
    SetScale(1, 1);
    SetColor(255, 255, 255);
    if (!img) return;
    static constexpr float kOff[4][2] = {{-5, -5}, {-5, 5}, {5, -5}, {5, 5}};
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            if (!solid(r, c)) continue;
            float cx = 0, cy = 0;
            centreOf(r, c, x, y, dir, cx, cy);
            SetRotation(dir + kier[size_t(r)][size_t(c)]);
            for (const auto& o : kOff)
                CollideImage(img, float(int(cx + o[0])), float(int(cy + o[1])), 0, 0, 1u, 0);
            if (debugView() && layFiledTile) {
                for (const auto& o : kOff) DrawImage(layFiledTile, float(int(cx + o[0])), float(int(cy + o[1])));
                myFlip(1, nullptr);
            }
        }
    SetRotation(0);
}

void loadLayBlocksData() {
    const std::string file = "data/layPuzzle-blocks.dat";
    std::vector<std::string> problems;
    TQCMFile f;
    f.Load(bDir + file);
    layBlocksList.clear();
    const int count = peCount(f.getFloat("layBlocks::i"), kLayMaxShapes, "layBlocks::i", problems);
    for (int k = 1; k <= count; ++k) {
        auto b = std::make_shared<TLayBlockData>();
        const std::string key = "layBlocks::block" + n(k);
        b->id = whole(f.getFloat(key + "::id"));
        b->rows = peCount(f.getFloat(key + "::dims", 0), kLayMaxShapeSide, key + "::dims", problems);
        b->cols = peCount(f.getFloat(key + "::dims", 1), kLayMaxShapeSide, key + "::dims", problems);
        b->centerBlockX = coord(f.getFloat(key + "::centerBlock", 0));
        b->centerBlockY = coord(f.getFloat(key + "::centerBlock", 1));
        const std::string url = f.getString(key + "::img");
        b->img = url.empty() ? nullptr : LoadImage(bDir + url);
        if (b->img)
            SetImageHandle(b->img, 16, 17);
        else
            problems.push_back(key + "::img: picture \"" + url + "\" not found; the shape draws nothing");
        b->tab.assign(size_t(b->rows), std::vector<int>(size_t(b->cols), 0));
        for (int r = 0; r < b->rows; ++r)
            for (int c = 0; c < b->cols; ++c)
                b->tab[size_t(r)][size_t(c)] = whole(f.getFloat(key + "::tab" + n(r), c));
        b->countRotAndOdl();
        layBlocksList.push_back(b);
    }
    peReport(file, problems);
}
