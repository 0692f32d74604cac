#include "minigames/puzzle_express/pe_level_file.h"

#include <algorithm>
#include <cmath>

#include "gui/data/qcmfile.h"
#include "gui/data/txtfile.h"
#include "gui/globals.h"
#include "minigames/puzzle_express/pe_read.h"

namespace {

using Problems = std::vector<std::string>;

std::string n(int k) { return std::to_string(k); }


}  // namespace

std::shared_ptr<TPELevel> loadPuzzleExpressLevel(const std::string& path, Problems* problemsOut) {
    Problems problems;
    TQCMFile f;
    f.Load(path);
    auto level = std::make_shared<TPELevel>();
    const auto texts = loadTxtFile(bDir + "txt/#LANG#/puzzleTexts.txt");

    level->rows = peCount(f.getFloat("PELevel::dims", 0), kPEMaxBoardSide, "PELevel::dims", problems);
    level->cols = peCount(f.getFloat("PELevel::dims", 1), kPEMaxBoardSide, "PELevel::dims", problems);
    level->time = std::max(0, peWhole(f.getFloat("PELevel::time")));

    auto& o = *level->PEObj;
    o.url = f.getString("PELevel::object::img");
    o.x = pePosition(f.getFloat("PELevel::object::position", 0));
    o.y = pePosition(f.getFloat("PELevel::object::position", 1));
    o.rot = pePosition(f.getFloat("PELevel::object::rotation"));
    o.scale = std::isfinite(f.getFloat("PELevel::object::scale")) ? f.getFloat("PELevel::object::scale") : 0;
    o.opisN = peWhole(f.getFloat("PELevel::object::opis"));
    o.nameN = peWhole(f.getFloat("PELevel::object::name"));
    o.opis = readTxtData(texts, o.opisN);
    o.img = pePicture(o.url, "PELevel::object::img", problems);
    if (o.img) SetImageHandle(o.img, float(ImageWidth(o.img) / 2), float(ImageHeight(o.img) / 2));

    const int count = peCount(f.getFloat("PElevel::blocks::i"), kPEMaxBlocks, "PELevel::blocks::i", problems);
    for (int k = 1; k <= count; ++k) {
        const std::string key = "PElevel::blocks::bl" + n(k);
        const int shape = peWhole(f.getFloat(key, 0));
        auto bd = getBlockData(shape);
        if (!bd) {
            problems.push_back("PELevel::blocks::bl" + n(k) + ": no block shape " + n(shape) + "; block dropped");
            continue;
        }
        auto b = std::make_shared<TBlock>();
        b->bd = bd;
        b->x = pePosition(f.getFloat(key, 1));
        b->y = pePosition(f.getFloat(key, 2));
        b->dir = b->dDir = pePosition(f.getFloat(key, 3));
        b->id = peWhole(f.getFloat(key, 4));
        b->obliczKat();
        level->blocks.push_back(b);
    }

    level->tile.resize(size_t(level->rows));
    for (int r = 0; r < level->rows; ++r) {
        auto& row = level->tile[size_t(r)];
        for (int c = 0; c < level->cols; ++c) {
            auto t = std::make_shared<TPETile>();
            t->r = r;
            t->c = c;
            t->spot = peWhole(f.getFloat("PELevel::field::row" + n(r), c));
            const int id = peWhole(f.getFloat("PELevel::tile::row" + n(r), c));
            for (auto& b : level->blocks)
                if (b->id == id) {
                    t->wskaznik = b;
                    b->onPlace = 1;
                }
            row.push_back(t);
        }
    }

    peReport("Block puzzle level " + path, problems);
    if (problemsOut) *problemsOut = problems;
    return level;
}

int savePuzzleExpressLeveL(const TPELevel& level, const std::string& path) {
    TQCMFile f;
    f.setFloat("PELevel::dims", float(level.rows), 0);
    f.setFloat("PELevel::dims", float(level.cols), 1);
    f.setFloat("PELevel::time", float(level.time));
    peWriteObject(f, "PELevel", level.PEObj.get());
    peWriteGrid(f, level.rows, level.cols, "PELevel::field::row", "PELevel::tile::row", [&level](int r, int c) {
        const TPETile* t = level.at(r, c);
        return std::pair(t ? float(t->spot) : 0.0f, t && t->wskaznik ? float(t->wskaznik->id) : 0.0f);
    });
    f.setFloat("PELevel::blocks::i", float(level.blocks.size()));
    int k = 1;
    for (auto& b : level.blocks) {
        const std::string key = "PELevel::blocks::bl" + n(k++);
        f.setFloat(key, float(b->bd ? b->bd->id : 0), 0);
        f.setFloat(key, b->x, 1);
        f.setFloat(key, b->y, 2);
        f.setFloat(key, b->dir, 3);
        f.setFloat(key, float(b->id), 4);
    }
    return f.save(path);
}

void peWriteObject(TQCMFile& f, const std::string& group, const TPEObj* object) {
    const TPEObj empty;
    const TPEObj& o = object ? *object : empty;
    const std::string key = group + "::object::";
    f.setString(key + "img", o.url);
    f.setFloat(key + "scale", o.scale);
    f.setFloat(key + "opis", float(o.opisN));
    f.setFloat(key + "name", float(o.nameN));
    f.setFloat(key + "position", o.x, 0);
    f.setFloat(key + "position", o.y, 1);
    f.setFloat(key + "rotation", o.rot);
}

void peWriteGrid(TQCMFile& f, int rows, int cols, const std::string& fieldKey, const std::string& tileKey,
                 const std::function<std::pair<float, float>(int r, int c)>& cell) {
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            const auto [field, covering] = cell(r, c);
            f.setFloat(fieldKey + n(r), field, c);
            f.setFloat(tileKey + n(r), covering, c);
        }
}
