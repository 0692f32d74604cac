#include "game/level/sets.h"

#include <cmath>
#include <limits>
#include <vector>

#include "game/board/tile.h"
#include "gui/data/qcmfile.h"
#include "gui/globals.h"
#include "gui/text/split.h"
#include "platform/strings.h"

namespace {

constexpr int kSizePixels[kTileSizeClasses] = {50, 36, 30, 24, 20};
// Problems listed in one report before the rest are only counted.
constexpr size_t kReportedProblems = 8;

std::string num(int v) { return str::formatInt(v); }

// Problems of the file being loaded, reported together when it is done: a broken data file
// gives one message, not one per image.
std::vector<std::string>* gathering = nullptr;

void problem(const std::string& msg) {
    if (gathering)
        gathering->push_back(msg);
    else
        errorMsg(msg);
}

class Gather {
public:
    explicit Gather(std::string file) : file_(std::move(file)) { gathering = &list_; }
    ~Gather() {
        gathering = nullptr;
        if (list_.empty()) return;
        std::string msg = file_ + ":";
        for (size_t i = 0; i < list_.size() && i < kReportedProblems; ++i) msg += "\n- " + list_[i];
        if (list_.size() > kReportedProblems)
            msg += "\n(and " + num(int(list_.size() - kReportedProblems)) + " more)";
        errorMsg(msg);
    }

private:
    std::string file_;
    std::vector<std::string> list_;
};

// A number of a data file as an int, truncated toward zero; out-of-range values saturate.
int intValue(float v) {
    if (std::isnan(v)) return 0;
    if (v >= 2147483647.0f) return std::numeric_limits<int>::max();
    if (v <= -2147483648.0f) return std::numeric_limits<int>::min();
    return int(v);
}

// A frame count from a data file, made safe to divide by.
float safeCells(float cells, const std::string& what) {
    if (!(cells >= 1.0f) || std::isinf(cells)) {  // also catches NaN
        problem("frame count " + str::formatFloat(cells) + " in " + what + ", read as 1");
        return 1.0f;
    }
    return cells;
}

}  // namespace

int tileSizePixels(int size) { return kSizePixels[clampSizeClass(size)]; }

TImage loadSetImage(const std::string& path, const std::string& what) {
    if (path.empty()) {
        problem("no image named in " + what);
        return nullptr;
    }
    TImage img = LoadImage(bDir + path);
    if (!img) {
        problem("Couldn't load image file: " + bDir + path + " (" + what + ")");
        return nullptr;
    }
    MidHandleImage(img);
    return img;
}

TImage loadSetStrip(const std::string& path, float cells, const std::string& what) {
    cells = safeCells(cells, what);
    TImage whole = loadSetImage(path, what);
    if (!whole) return nullptr;
    const int count = intValue(cells);
    if (count <= 1) return whole;  // one cell: the image itself
    const int cellW = int(float(ImageWidth(whole)) / cells);
    const int cellH = ImageHeight(whole);
    if (cellW < 1 || cellH < 1) {
        problem("image " + bDir + path + " too small for " + str::formatFloat(cells) +
                " frames (" + what + "), used whole");
        return whole;
    }
    TImage strip = LoadAnimImage(bDir + path, cellW, cellH, 0, count);
    if (!strip) {
        problem("Couldn't load image file: " + bDir + path + " (" + what + ")");
        return nullptr;
    }
    MidHandleImage(strip);
    return strip;
}

int loadTilesOver() {
    Gather report("hover frames");
    for (int s = 0; s < kTileSizeClasses; ++s)
        TTile::overImg[size_t(s)] =
            loadSetImage("gfx/tiles/over-size-" + num(kSizePixels[s]) + ".png", "hover frame");
    return 0;
}

int loadTilesHide() {
    Gather report("data/tilesHide.dat");
    auto f = loadQCMFile(bDir + "data/tilesHide.dat");
    std::vector<std::shared_ptr<TTileHideGFX>> list;
    const int count = f->getCount("tilesHide::i", "th");
    for (int k = 1; k <= count; ++k) {
        const std::string base = "tilesHide::th" + num(k) + "::";
        auto rec = std::make_shared<TTileHideGFX>();
        rec->id = intValue(f->getFloat(base + "id"));
        const float frames = safeCells(f->getFloat(base + "Frames"), base + "Frames");
        for (int s = 0; s < kTileSizeClasses; ++s)
            rec->hideImg[size_t(s)] =
                loadSetStrip(f->getString(base + "Img" + num(s)), frames, base + "Img" + num(s));
        rec->hideFrames = frames;
        list.push_back(std::move(rec));
    }
    tilesHideList = std::move(list);
    return 0;
}

int loadTiles() {
    auto f = loadQCMFile(bDir + "data/tiles.dat");
    loadTilesOver();
    loadTilesHide();
    Gather report("data/tiles.dat");
    std::vector<std::shared_ptr<TTileData>> list;
    // Records count from 0 here: "i" names the last one, so there is always record 0.
    const int last = f->getCount("tiles::i", "tile");
    for (int k = 0; k <= last; ++k) {
        const std::string base = "tiles::tile" + num(k) + "::";
        auto rec = std::make_shared<TTileData>();
        rec->frames = intValue(f->getFloat(base + "frames"));
        rec->id = intValue(f->getFloat(base + "id"));
        rec->brokeFrames = intValue(f->getFloat(base + "framesBroken"));
        if (rec->frames < 1) {
            problem("frame count " + num(rec->frames) + " in " + base + "frames, read as 1");
            rec->frames = 1;
        }
        for (int s = 0; s < kTileSizeClasses; ++s) {
            const std::string img = base + "img" + num(s), imgB = base + "imgB" + num(s);
            if (rec->frames == 1) {
                rec->gfx[size_t(s)] = loadSetImage(f->getString(img), img);
                rec->broke[size_t(s)] = loadSetImage(f->getString(imgB), imgB);
            } else {
                rec->gfx[size_t(s)] = loadSetStrip(f->getString(img), float(rec->frames), img);
            }
        }
        // Animated records cut their broken strips into `frames` cells as well.
        if (rec->frames != 1)
            for (int s = 0; s < kTileSizeClasses; ++s) {
                const std::string imgB = base + "imgB" + num(s);
                rec->broke[size_t(s)] = loadSetStrip(f->getString(imgB), float(rec->frames), imgB);
            }
        list.push_back(std::move(rec));
    }
    tilesList = std::move(list);
    return 0;
}

int loadTresures() {
    Gather report("data/tresures.dat");
    auto f = loadQCMFile(bDir + "data/tresures.dat");
    std::vector<std::shared_ptr<TTresureData>> list;
    const int count = f->getCount("tresures::i", "t");
    for (int k = 1; k <= count; ++k) {
        const std::string base = "tresures::t" + num(k) + "::";
        auto rec = std::make_shared<TTresureData>();
        const float n = safeCells(f->getFloat(base + "frames"), base + "frames");
        rec->id = intValue(f->getFloat(base + "id"));
        rec->frames = intValue(n);
        for (int s = 0; s < kTileSizeClasses; ++s)
            rec->normalImg[size_t(s)] =
                loadSetImage(f->getString(base + "normal" + num(s)), base + "normal" + num(s));
        for (int s = 0; s < kTileSizeClasses; ++s)
            rec->img[size_t(s)] = loadSetStrip(f->getString(base + "img" + num(s)), n, base + "img" + num(s));
        list.push_back(std::move(rec));
    }
    tresuresList = std::move(list);
    return 0;
}

void resetTileSets() {
    resetTileDataLists();
    TTile::overImg = {};
}
