#include "game/level/levelfile.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "gui/data/qcmfile.h"
#include "gui/text/split.h"
#include "platform/strings.h"
#include "platform/system.h"

namespace {

TLevelFileLink defaultLink;
TLevelFileLink* currentLink = nullptr;

// Problems listed in one report before the rest are only counted.
constexpr size_t kReportedProblems = 8;

std::string num(int v) { return str::formatInt(v); }
std::string rowKey(const char* group, int r) {
    return std::string("level::") + group + "::row" + num(r);
}

// A number of the file as an int, truncated toward zero; out-of-range values saturate.
int intValue(float v) {
    if (std::isnan(v)) return 0;
    if (v >= 2147483647.0f) return std::numeric_limits<int>::max();
    if (v <= -2147483648.0f) return std::numeric_limits<int>::min();
    return int(v);
}

// Number of values the entry at the path holds (0 when it is missing).
int valueCount(const TQCMFile& f, const std::string& path) {
    const TQCMEntry* e = f.entryAt(path);
    return e ? int(e->_value.size()) : 0;
}

// One cause met in many places (rows, cells, treasures) is told once: what it is and what the
// game does, the first place and how many more.
class Tally {
public:
    void note(const std::string& cause, const std::string& place) {
        for (auto& e : entries_)
            if (e.cause == cause) {
                ++e.more;
                return;
            }
        entries_.push_back({cause, place, 0});
    }
    void into(TLevelProblems& problems) const {
        for (const auto& e : entries_)
            problems.push_back(e.cause + " (at " + e.first +
                               (e.more > 0 ? " and " + num(e.more) + " more place" + (e.more > 1 ? "s" : "") : "") +
                               ")");
    }

private:
    struct Entry {
        std::string cause, first;
        int more;
    };
    std::vector<Entry> entries_;
};

// Notes a row that is missing or shorter than the grid under `cause`.
void checkRow(const TQCMFile& f, const std::string& key, int cols, const std::string& cause, Tally& tally) {
    const int have = valueCount(f, key);
    if (have >= cols) return;
    tally.note(cause, have == 0 && !f.entryAt(key) ? key + ", missing"
                                                   : key + ", " + num(have) + " of " + num(cols) + " values");
}

// Characters a data-file value cannot hold: quotes, braces and "=" are structural to the
// reader even inside quotes, and a value ends at the line. Written as they are they would
// make the whole saved file unreadable.
bool storable(char ch) {
    return ch != '"' && ch != '{' && ch != '}' && ch != '=' && ch != '\n' && ch != '\r';
}

std::string storableText(const std::string& s) {
    std::string out;
    for (char ch : s)
        if (storable(ch)) out += ch;
    // Nor can it begin with stray UTF-8 continuation bytes: read back, they would join the
    // quote written before them and be lost, so the level would not read back the same.
    size_t lead = 0;
    while (lead < out.size() && (static_cast<unsigned char>(out[lead]) & 0xC0) == 0x80) ++lead;
    return out.substr(lead);
}

// The record an unknown picture id is drawn with: the first picture record (id 1 when
// there is one), so the puzzle keeps its solution.
std::shared_ptr<TTileData> substitutePicture() {
    if (auto one = getTileDataById(1)) return one;
    for (const auto& t : tilesList)
        if (t && t->id != 0) return t;
    return nullptr;
}

std::shared_ptr<TTileHideGFX> substituteCover() {
    if (auto one = GetTileDataHideById(1)) return one;
    for (const auto& t : tilesHideList)
        if (t) return t;
    return nullptr;
}

void report(const std::string& name, const TLevelProblems& problems) {
    if (problems.empty()) return;
    std::string msg = "The level file " + name + ":";
    for (size_t i = 0; i < problems.size() && i < kReportedProblems; ++i)
        msg += "\n- " + problems[i];
    if (problems.size() > kReportedProblems)
        msg += "\n(and " + num(int(problems.size() - kReportedProblems)) + " more)";
    errorMsg(msg);
}

// Whether the grid can be played at all; the reason goes into the problems.
bool refused(const TQCMFile& f, const TLevel& level, TLevelProblems& problems) {
    if (!f.groupAt("level")) {
        problems.push_back("it holds no level (the file is missing, unreadable or damaged), so the level cannot be "
                           "played");
        return true;
    }
    if (level.rows <= 0 || level.cols <= 0) {
        problems.push_back("its size (level::data::dims) is " + num(level.rows) + " x " + num(level.cols) +
                           ": no cells to play, so the level cannot be played");
        return true;
    }
    if (!getTileDataById(0)) {
        problems.push_back("the tile set (data/tiles.dat) has no empty cell (id 0), so the level cannot be played");
        return true;
    }
    if (!substitutePicture()) {
        problems.push_back("the tile set (data/tiles.dat) has no picture cell, so the level cannot be played");
        return true;
    }
    if (!substituteCover()) {
        problems.push_back("the cover set (data/tilesHide.dat) is empty, so the level cannot be played");
        return true;
    }
    return false;
}

}  // namespace

TLevelFileLink& levelFileLink() { return currentLink ? *currentLink : defaultLink; }
void setLevelFileLink(TLevelFileLink* link) { currentLink = link; }

std::string levelInProgressPath(const std::string& profileFolder) {
    if (!profileFolder.empty() && profileFolder.back() == '/')
        return profileFolder + kLevelInProgressName;
    return profileFolder + "/" + kLevelInProgressName;
}

// ---- reading ----------------------------------------------------------------------------------

int _loadLevelStandards(const TQCMFile& f, TLevel& level, TLevelProblems& problems) {
    level.rows = intValue(f.getFloat("level::data::dims", 0));
    level.cols = intValue(f.getFloat("level::data::dims", 1));
    if (level.rows > TLevel::maxSide || level.cols > TLevel::maxSide)
        problems.push_back("its size (level::data::dims) " + num(level.rows) + " x " + num(level.cols) +
                           " is larger than the board; it is cut to at most " + num(TLevel::maxSide) + " a side");
    const int size = intValue(f.getFloat("level::data::size"));
    level.size = clampSizeClass(size);
    if (level.size != size)
        problems.push_back("its tile size (level::data::size) " + num(size) + " is not one of 0 to 4; " +
                           num(level.size) + " is used");
    level.czas = intValue(f.getFloat("level::data::czas"));
    level.score = intValue(f.getFloat("level::data::score"));
    level.byloZwierzatko = intValue(f.getFloat("level::data::byloZwierzatko"));
    level.tutorialLevel = intValue(f.getFloat("level::data::tutorialLevel"));
    level.rozbitoZwierzatko = intValue(f.getFloat("level::data::rozbitoZwierzatko"));
    level.livingsCount = intValue(f.getFloat("level::data::livingsCount"));
    for (int i = 0; i < 4; ++i)
        level.hintUsed[size_t(i)] = intValue(f.getFloat("level::data::hint" + num(i)));
    level.maxMistakes = intValue(f.getFloat("level::data::mistakes"));
    level.musicId = f.getString("level::data::music");
    if (storableText(level.musicId) != level.musicId) {
        level.musicId = storableText(level.musicId);
        problems.push_back("its music (level::data::music) is named with quotes, braces, \"=\" or broken characters; \"" +
                           level.musicId + "\" is used");
    }
    level.addedMistakes = intValue(f.getFloat("level::data::addedMistakes"));
    if (level.maxMistakes == 0) level.maxMistakes = 1;
    return 0;
}

int _loadLevelBackground(const TQCMFile&, TLevel&) {
    // The background comes from the stage, not from the file.
    return 0;
}

int _loadLevelTiles(const TQCMFile& f, TLevel& level, int randomTresures,
                    TLevelProblems& problems) {
    level.createTilesTab();
    const int count = int(tresuresList.size());
    bool noTresures = false;
    Tally tally;
    for (int r = 0; r < level.rows; ++r) {
        const std::string key = rowKey("tiles", r);
        checkRow(f, key, level.cols, "rows of its picture are missing or short; the missing cells are empty", tally);
        for (int c = 0; c < level.cols; ++c) {
            TTile* t = level.at(r, c);
            const int id = intValue(f.getFloat(key, c));
            auto rec = getTileDataById(id);
            if (!rec) {
                rec = id == 0 ? getTileDataById(0) : substitutePicture();
                tally.note("its picture names tiles the tile set does not have; they are drawn as tile " +
                               num(rec ? rec->id : 0),
                           key + ", value " + num(c) + ": tile " + num(id));
            }
            t->setTileData(rec);
            if (t->isPicture() && randomTresures) {
                if (count > 0)
                    t->setTresure(getTresureById(Rand(1, count)));
                else
                    noTresures = true;
            }
        }
    }
    tally.into(problems);
    if (noTresures) problems.push_back("data/tresures.dat holds no treasures; picture cells get none");
    bool anyPicture = false;
    for (const auto& t : level.tile) anyPicture = anyPicture || t->isPicture();
    if (!anyPicture)
        problems.push_back("its picture (level::tiles) has no picture cell: the level is won before the first move");
    return 0;
}

int _loadLevelTilesHide(const TQCMFile& f, TLevel& level, TLevelProblems& problems) {
    Tally tally;
    for (int r = 0; r < level.rows; ++r) {
        const std::string key = rowKey("tilesHide", r);
        checkRow(f, key, level.cols, "rows of its covers are missing or short; those cells get the first cover", tally);
        const int have = valueCount(f, key);
        for (int c = 0; c < level.cols; ++c) {
            const int id = intValue(f.getFloat(key, c));
            auto rec = GetTileDataHideById(id);
            if (!rec) {
                rec = substituteCover();
                if (c < have)
                    tally.note("its covers name covers the cover set does not have; they get cover " +
                                   num(rec ? rec->id : 0),
                               key + ", value " + num(c) + ": cover " + num(id));
            }
            level.at(r, c)->setTileHideData(rec);
        }
    }
    tally.into(problems);
    return 0;
}

int _loadLevelTresures(const TQCMFile& f, TLevel& level, TLevelProblems& problems) {
    Tally tally;
    for (int r = 0; r < level.rows; ++r) {
        const std::string key = rowKey("tresures", r);
        for (int c = 0; c < level.cols; ++c) {
            const int id = intValue(f.getFloat(key, c));
            auto rec = id == 0 ? nullptr : getTresureById(id);
            if (id != 0 && !rec)
                tally.note("its cells name treasures the game does not have; those cells hold none",
                           key + ", value " + num(c) + ": treasure " + num(id));
            level.at(r, c)->setTresure(rec);
        }
    }
    tally.into(problems);
    return 0;
}

int _loadLevelDodatkowe(const TQCMFile& f, TLevel& level) {
    level.Availablelivings.clear();
    // Read for completeness; the kinds offered do not depend on it.
    (void)rozbijTekst(f.getString("level::zyjatka::available"), " ");
    if (level.tutorialLevel) return 0;
    for (int id = 1; id <= 5; ++id)
        if (auto kind = levelFileLink().livingDataById(id)) level.Availablelivings.push_back(kind);
    return 0;
}

int _loadLevelStateData(const TQCMFile& f, TLevel& level, TLevelProblems& problems) {
    if (!f.groupAt("level::stateData")) return 0;  // an asset level: all covered
    Tally tally;
    for (int r = 0; r < level.rows; ++r) {
        const std::string key = rowKey("stateData", r);
        checkRow(f, key, level.cols, "rows of its cell states are missing or short; those cells stay covered", tally);
        for (int c = 0; c < level.cols; ++c) {
            const auto pieces = rozbijTekst(f.getString(key, c), " ");
            if (pieces.size() >= 2)
                level.at(r, c)->setOdkrytyData(str::toInt(pieces[0]), str::toInt(pieces[1]));
        }
    }
    tally.into(problems);
    return 0;
}

int _loadLevelCollectedTresure(const TQCMFile& f, TLevel& level, TLevelProblems& problems) {
    level.flyingTresures.clear();
    int n = intValue(f.getFloat("level::collectedTresures::i"));
    // Never more than the cells of the board could have released.
    const int most = level.rows * level.cols;
    if (n > most || n < 0) {
        problems.push_back("its count of collected treasures (level::collectedTresures::i) " + num(n) +
                           " is not one of 0 to " + num(most) + ", the cells of its board; " +
                           num(std::clamp(n, 0, most)) + " are read");
        n = std::clamp(n, 0, most);
    }
    Tally tally;
    for (int k = 1; k <= n; ++k) {
        const std::string key = "level::collectedTresures::t" + num(k);
        const int have = valueCount(f, key);
        if (have < 9) {
            tally.note("collected treasures stored with fewer than 9 values are left out",
                       key + ", " + num(have) + " values");
            continue;
        }
        TCollectedTresure saved;
        saved.id = intValue(f.getFloat(key, 0));
        auto rec = getTresureById(saved.id);
        if (!rec) {
            tally.note("collected treasures the game does not have are left out",
                       key + ": treasure " + num(saved.id));
            continue;
        }
        bool finite = true;
        for (int i = 0; i < 8; ++i) {
            const float v = f.getFloat(key, i + 1);
            finite = finite && std::isfinite(v);
            saved.pos[size_t(i)] = std::isfinite(v) ? v : 0.0f;
        }
        if (!finite) tally.note("positions of collected treasures that are not numbers are read as 0", key);
        auto t = levelFileLink().makeCollectedTresure(rec, saved);
        if (!t) {
            tally.note("collected treasures that could not be placed are left out", key);
            continue;
        }
        level.flyingTresures.push_back(std::move(t));
    }
    tally.into(problems);
    return 0;
}

namespace {
std::shared_ptr<TLevel> buildLevel(const TQCMFile* f, const std::string& name, int randomTresures,
                                   std::vector<std::string>* out) {
    TLevelProblems problems;
    auto level = std::make_shared<TLevel>();
    _loadLevelStandards(*f, *level, problems);
    if (refused(*f, *level, problems)) {
        report(name, problems);
        if (out) *out = std::move(problems);
        return nullptr;
    }
    _loadLevelBackground(*f, *level);
    _loadLevelTiles(*f, *level, randomTresures, problems);
    _loadLevelTilesHide(*f, *level, problems);
    if (!randomTresures) _loadLevelTresures(*f, *level, problems);
    _loadLevelDodatkowe(*f, *level);
    _loadLevelStateData(*f, *level, problems);
    _loadLevelCollectedTresure(*f, *level, problems);
    level->createNumbers();
    if (level->tutorialLevel) level->turnOffAll();
    report(name, problems);
    if (out) *out = std::move(problems);
    return level;
}
}  // namespace

std::shared_ptr<TLevel> loadLevelFromText(const std::string& text, const std::string& name,
                                          int randomTresures, std::vector<std::string>* problems) {
    auto f = parseQCMText(text);
    return buildLevel(f.get(), name, randomTresures, problems);
}

std::shared_ptr<TLevel> loadLevel(const std::string& path, int randomTresures,
                                  std::vector<std::string>* problems) {
    // The data file reader prints the missing-file notice; the empty file is then refused
    // with its own report.
    auto f = loadQCMFile(path);
    return buildLevel(f.get(), path, randomTresures, problems);
}

// ---- writing ----------------------------------------------------------------------------------

int _saveLeveLStandards(TQCMFile& f, const TLevel& level) {
    f.setFloat("level::data::dims", float(level.rows), 0);
    f.setFloat("level::data::dims", float(level.cols), 1);
    f.setFloat("level::data::size", float(level.size));
    f.setFloat("level::data::czas", float(level.czas));
    f.setFloat("level::data::score", float(level.score));
    f.setFloat("level::data::tutorialLevel", float(level.tutorialLevel));
    f.setFloat("level::data::byloZwierzatko", float(level.byloZwierzatko));
    f.setFloat("level::data::rozbitoZwierzatko", float(level.rozbitoZwierzatko));
    f.setFloat("level::data::addedMistakes", float(level.addedMistakes));
    f.setFloat("level::data::mistakes", float(level.maxMistakes));
    f.setFloat("level::data::livingsCount", float(level.livingsCount));
    for (int i = 0; i < 4; ++i)
        f.setFloat("level::data::hint" + num(i), float(level.hintUsed[size_t(i)]));
    f.setString("level::data::music", storableText(level.musicId));
    return 0;
}

int _saveLeveLBackground(TQCMFile& f, const TLevel& level) {
    f.setString("level::background::gfx", storableText(level.backGroundUrl));
    f.setFloat("level::background::banki", float(level.banki));
    return 0;
}

namespace {
template <class Value>
void saveRows(TQCMFile& f, const TLevel& level, const char* group, Value value) {
    for (int r = 0; r < level.rows; ++r)
        for (int c = 0; c < level.cols; ++c) {
            const TTile* t = level.at(r, c);
            f.setFloat(rowKey(group, r), float(t ? value(*t) : 0), c);
        }
}
}  // namespace

int _saveLeveLTiles(TQCMFile& f, const TLevel& level) {
    saveRows(f, level, "tiles", [](const TTile& t) { return t.td ? t.td->id : 0; });
    return 0;
}

int _saveLevelStateData(TQCMFile& f, const TLevel& level, int resetState) {
    for (int r = 0; r < level.rows; ++r)
        for (int c = 0; c < level.cols; ++c) {
            const TTile* t = level.at(r, c);
            f.setString(rowKey("stateData", r), resetState || !t ? "0 0" : t->getSaveStateData(), c);
        }
    return 0;
}

int _saveLeveLTilesHide(TQCMFile& f, const TLevel& level) {
    saveRows(f, level, "tilesHide", [](const TTile& t) { return t.tdHide ? t.tdHide->id : 0; });
    return 0;
}

int _saveLeveLTresures(TQCMFile& f, const TLevel& level) {
    saveRows(f, level, "tresures", [](const TTile& t) { return t.tresure ? t.tresure->id : 0; });
    return 0;
}

int _saveLevelCollectedTresures(TQCMFile& f, const TLevel& level) {
    std::vector<TCollectedTresure> saved;
    for (const auto& t : level.flyingTresures) {
        TCollectedTresure one;
        if (t && levelFileLink().describeCollectedTresure(*t, one)) saved.push_back(one);
    }
    f.setFloat("level::collectedTresures::i", float(saved.size()));
    for (size_t k = 0; k < saved.size(); ++k) {
        const std::string key = "level::collectedTresures::t" + num(int(k + 1));
        f.setFloat(key, float(saved[k].id), 0);
        for (int i = 0; i < 8; ++i) f.setFloat(key, saved[k].pos[size_t(i)], i + 1);
    }
    return 0;
}

namespace {
std::shared_ptr<TQCMFile> buildFile(const TLevel& level, int resetState) {
    auto f = createQCMFile();
    f->setFloat("level::type", 1);
    _saveLeveLStandards(*f, level);
    _saveLeveLBackground(*f, level);
    _saveLeveLTiles(*f, level);
    _saveLevelStateData(*f, level, resetState);
    _saveLeveLTilesHide(*f, level);
    _saveLeveLTresures(*f, level);
    _saveLevelCollectedTresures(*f, level);
    return f;
}
}  // namespace

std::string levelToText(const TLevel& level, int resetState) {
    return buildFile(level, resetState)->toText();
}

int saveLevel(const TLevel& level, const std::string& path, int resetState) {
    // The data file's atomic save reports a failure itself and leaves any old file alone.
    return buildFile(level, resetState)->save(path) == 0 ? 0 : -1;
}
