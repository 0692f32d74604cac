#include "minigames/lay_puzzle/lp_level_file.h"

#include <algorithm>
#include <cmath>

#include "gui/data/qcmfile.h"
#include "gui/globals.h"
#include "minigames/puzzle_express/pe_read.h"

namespace {

using Problems = std::vector<std::string>;

std::string n(int k) { return std::to_string(k); }

}  // namespace

std::shared_ptr<TLayLevel> loadLayPuzzleLevel(const std::string& path, Problems* problemsOut) {
    Problems problems;
    TQCMFile f;
    f.Load(path);
    auto level = std::make_shared<TLayLevel>();

    auto o = std::make_shared<TPEObj>();
    o->url = f.getString("lplLevel::object::img");
    o->x = pePosition(f.getFloat("lplLevel::object::position", 0));
    o->y = pePosition(f.getFloat("lplLevel::object::position", 1));
    o->rot = pePosition(f.getFloat("lplLevel::object::rotation"));
    const float scale = f.getFloat("lplLevel::object::scale");
    o->scale = std::isfinite(scale) ? std::clamp(scale, -16.0f, 16.0f) : 0.0f;
    o->opisN = peWhole(f.getFloat("lplLevel::object::opis"));
    o->nameN = peWhole(f.getFloat("lplLevel::object::name"));
    o->img = pePicture(o->url, "lplLevel::object::img", problems);
    level->PEObj = o;

    level->time = std::max(0, peWhole(f.getFloat("lplLevel::time")));
    level->rows = peCount(f.getFloat("lpllevel::dims", 0), kLayMaxBoardSide, "lplLevel::dims", problems);
    level->cols = peCount(f.getFloat("lpllevel::dims", 1), kLayMaxBoardSide, "lplLevel::dims", problems);
    level->stx = pePosition(f.getFloat("lplLevel::startPos", 0));
    level->sty = pePosition(f.getFloat("lplLevel::startPos", 1));
    level->counter = std::max(0, peWhole(f.getFloat("lpllevel::counter")));
    if (level->counter == 0) level->counter = 1;
    level->nextBlock = std::min(peWhole(f.getFloat("lplLevel::nextBlock")), 3600000);
    if (level->nextBlock < kLayMinNextBlock) {
        // A missing or tiny pace would bury the shelf in a few seconds.
        problems.push_back("lplLevel::nextBlock " + n(level->nextBlock) + " ms is too short; " +
                           n(kLayDefaultNextBlock) + " used");
        level->nextBlock = kLayDefaultNextBlock;
    }

    const int count = peCount(f.getFloat("lplLevel::blocks::i"), kLayMaxBlocks, "lplLevel::blocks::i", problems);
    for (int k = 1; k <= count; ++k) {
        const std::string key = "lplLevel::blocks::block" + n(k);
        const int shape = peWhole(f.getFloat(key + "::bdId"));
        auto bd = getLayBlockById(shape);
        if (!bd) {
            problems.push_back(key + ": no block shape " + n(shape) + "; block dropped");
            continue;
        }
        auto b = std::make_shared<TLayBlock>();
        b->bd = bd;
        b->x = pePosition(f.getFloat(key + "::dim", 0));
        b->y = pePosition(f.getFloat(key + "::dim", 1));
        b->dir = pePosition(f.getFloat(key + "::dir"));
        b->state = f.getString(key + "::state");
        b->id = peWhole(f.getFloat(key + "::id"));
        b->dDir = b->dir;
        level->blocks.push_back(b);
    }

    level->tile.resize(size_t(level->rows));
    for (int r = 0; r < level->rows; ++r)
        for (int c = 0; c < level->cols; ++c) {
            auto t = std::make_shared<TLayTile>();
            t->stan = peWhole(f.getFloat("lplLevel::field::row" + n(r), c));
            t->r = r;
            t->c = c;
            const int id = peWhole(f.getFloat("lplLevel::tilesField::row" + n(r), c));
            if (id != 0) {
                t->wskaznik = getLayBlockById(id);
                if (!t->wskaznik)
                    problems.push_back("lplLevel::tilesField::row" + n(r) + ": no block shape " + n(id) + "; cell empty");
            }
            level->tile[size_t(r)].push_back(t);
        }
    level->resetPositions();

    peReport("Inlay level " + path, problems);
    if (problemsOut) *problemsOut = problems;
    return level;
}

int saveLayPuzzleLevel(const TLayLevel& level, const std::string& path) {
    TQCMFile f;
    f.setFloat("lplLevel::time", float(level.time));
    f.setFloat("lplLevel::dims", float(level.rows), 0);
    f.setFloat("lplLevel::dims", float(level.cols), 1);
    f.setFloat("lplLevel::startPos", level.stx, 0);
    f.setFloat("lplLevel::startPos", level.sty, 1);
    f.setFloat("lplLevel::nextBlock", float(level.nextBlock));
    f.setFloat("lpllevel::counter", float(level.counter));
    peWriteObject(f, "lplLevel", level.PEObj.get());
    peWriteGrid(f, level.rows, level.cols, "lplLevel::field::row", "lplLevel::tilesField::row",
                [&level](int r, int c) {
                    const TLayTile* t = level.at(r, c);
                    return std::pair(t ? float(t->stan) : 0.0f, t && t->wskaznik ? float(t->wskaznik->id) : 0.0f);
                });
    f.setFloat("lplLevel::blocks::i", float(level.blocks.size()));
    int k = 1;
    for (auto& b : level.blocks) {
        const std::string key = "lplLevel::blocks::block" + n(k++);
        f.setFloat(key + "::bdId", float(b->bd ? b->bd->id : 0));
        f.setFloat(key + "::dim", b->x, 0);
        f.setFloat(key + "::dim", b->y, 1);
        f.setFloat(key + "::dir", b->dir);
        f.setString(key + "::state", b->state);
        f.setFloat(key + "::id", float(b->id));
    }
    return f.save(path);
}
