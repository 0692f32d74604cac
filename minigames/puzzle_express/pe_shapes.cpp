#include "minigames/puzzle_express/pe_shapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "gui/data/qcmfile.h"
#include "gui/globals.h"
#include "platform/collision.h"
#include "platform/files.h"
#include "gui/text/split.h"
#include "minigames/puzzle_express/pe_read.h"
#include "platform/system.h"

TImage peEmptyTile;
std::vector<std::shared_ptr<TPETileData>> peTilesList;
std::vector<std::shared_ptr<TBlockData>> blocksList;

int peCellW() { return peEmptyTile ? ImageWidth(peEmptyTile) : 0; }
int peCellH() { return peEmptyTile ? ImageHeight(peEmptyTile) : 0; }

namespace {

// Single-precision throughout, as the positions were tuned with: a cell may come out a hair
// below a whole pixel and truncate to the one before.
constexpr float kRad = std::numbers::pi_v<float> / 180.0f;

std::string n(int k) { return std::to_string(k); }

}  // namespace

std::shared_ptr<TPETileData> getPeTileData(int id) {
    for (auto& t : peTilesList)
        if (t->id == id) return t;
    return nullptr;
}

std::shared_ptr<TBlockData> getBlockData(int id) {
    for (auto& b : blocksList)
        if (b->id == id) return b;
    return nullptr;
}

void TBlockData::obliczKat() {
    const int w = peCellW(), h = peCellH();
    xo = float(cols * w - w / 2) / 2.0f;
    yo = float(rows * h - h / 2) / 2.0f;
    katTab.assign(size_t(rows), std::vector<float>(size_t(cols), 0.0f));
    odlTab.assign(size_t(rows), std::vector<float>(size_t(cols), 0.0f));
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            const float dx = xo - float(c * w);
            const float dy = yo - float(r * h);
            katTab[size_t(r)][size_t(c)] = std::atan2(dy, dx) / kRad;
            odlTab[size_t(r)][size_t(c)] = std::sqrt(dx * dx + dy * dy);
        }
}

void TBlockData::cellAt(int r, int c, float x, float y, float dir, float& px, float& py) const {
    float kat = 0, odl = 0;
    if (size_t(r) < katTab.size() && size_t(c) < katTab[size_t(r)].size()) {
        kat = katTab[size_t(r)][size_t(c)];
        odl = odlTab[size_t(r)][size_t(c)];
    }
    const float a = (kat + dir) * kRad;
    px = x + xo + std::cos(a) * odl;
    py = y + yo + std::sin(a) * odl;
}

std::shared_ptr<TDim> TBlockData::getDim(int r, int c, float x, float y, float dir) const {
    float px = 0, py = 0;
    cellAt(r, c, x, y, dir, px, py);
    return createSimpleDim(int32_t(px), int32_t(py));
}

void TBlockData::draw(float x, float y, int dir) const {
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            float px = 0, py = 0;
            cellAt(r, c, x, y, float(dir), px, py);
            SetRotation(float(dir));
            const auto& td = tab[size_t(r)][size_t(c)];
            if (td && td->img) DrawImage(td->img, px, py);
        }
}

void TBlockData::collide(float x, float y, int dir) const {
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            const auto& td = tab[size_t(r)][size_t(c)];
            if (!td) continue;
            float px = 0, py = 0;
            cellAt(r, c, x, y, float(dir), px, py);
            SetRotation(float(dir));
            if (td->img) CollideImage(td->img, float(int(px)), float(int(py)), 0, 0, 1u, 0);
        }
}

bool turnToward(float& dir, float target, float step) {
    if (dir < target) {
        dir += step;
        if (dir > target) {
            dir = target;
            return true;
        }
    } else if (dir > target) {
        dir -= step;
        if (dir < target) {
            dir = target;
            return true;
        }
    }
    return false;
}

void setupPETiles() {
    const std::string file = "data/puzzleExpress-tiles.dat";
    std::vector<std::string> problems;
    TQCMFile f;
    f.Load(bDir + file);
    peTilesList.clear();
    const int count = peCount(f.getFloat("peTiles::i"), kPEMaxKinds, "peTiles::i", problems);
    for (int i = 1; i <= count; ++i) {
        auto t = std::make_shared<TPETileData>();
        const std::string key = "peTiles::petile" + n(i);
        const std::string url = f.getString(key + "::img");
        t->id = int(f.getFloat(key + "::id"));
        t->img = url.empty() ? nullptr : LoadImage(bDir + url);
        if (t->img)
            SetImageHandle(t->img, float(ImageWidth(t->img) / 2), float(ImageHeight(t->img) / 2));
        else
            problems.push_back(key + "::img: picture \"" + url + "\" not found");
        peTilesList.push_back(t);
    }
    peReport(file, problems);
}

void setupPEBlocks() {
    const std::string file = "data/puzzleExpress-blocks.dat";
    std::vector<std::string> problems;
    TQCMFile f;
    f.Load(bDir + file);
    blocksList.clear();
    const int count = peCount(f.getFloat("blocks::i"), kPEMaxKinds, "blocks::i", problems);
    for (int i = 1; i <= count; ++i) {
        auto b = std::make_shared<TBlockData>();
        const std::string key = "blocks::block" + n(i);
        b->id = int(f.getFloat(key + "::id"));
        b->rows = peCount(f.getFloat(key + "::tabDim", 0), kPEMaxShapeSide, key + "::tabDim", problems);
        b->cols = peCount(f.getFloat(key + "::tabDim", 1), kPEMaxShapeSide, key + "::tabDim", problems);
        b->tab.assign(size_t(b->rows), std::vector<std::shared_ptr<TPETileData>>(size_t(b->cols)));
        b->katTab.assign(size_t(b->rows), std::vector<float>(size_t(b->cols), 0.0f));
        b->odlTab = b->katTab;
        for (int r = 0; r < b->rows; ++r)
            for (int c = 0; c < b->cols; ++c) {
                const int kind = int(f.getFloat(key + "::tab" + n(r), c));
                b->tab[size_t(r)][size_t(c)] = getPeTileData(kind);
                if (kind != 0 && !b->tab[size_t(r)][size_t(c)])
                    problems.push_back(key + "::tab" + n(r) + ": no tile kind " + n(kind) + "; a hole");
            }
        blocksList.push_back(b);
    }
    peReport(file, problems);
}

int peCount(float raw, int hi, const std::string& key, std::vector<std::string>& problems) {
    if (!(raw >= 0)) {
        problems.push_back(key + " is not a count; read as 0");
        return 0;
    }
    if (raw > float(hi)) {
        problems.push_back(key + " is too large; read as " + n(hi));
        return hi;
    }
    return int(raw);
}

TImage pePicture(const std::string& url, const std::string& key, std::vector<std::string>& problems) {
    const bool inside = files::insideTree(url);
    TImage img = url.empty() || !inside ? nullptr : LoadImage(bDir + url);
    if (!img)
        problems.push_back(key + ": picture \"" + url +
                           (inside ? "\" not found" : "\" lies outside the game's folders; not loaded"));
    return img;
}

void peReport(const std::string& what, const std::vector<std::string>& problems) {
    if (problems.empty()) return;
    std::string msg = what + ":";
    for (size_t i = 0; i < problems.size() && i < 12; ++i) msg += "\n- " + problems[i];
    if (problems.size() > 12) msg += "\n(and " + n(int(problems.size() - 12)) + " more)";
    errorMsg(msg);
}
