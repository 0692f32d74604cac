#include "app/profile/profile_file.h"

#include <cmath>
#include <filesystem>

#include "app/folders.h"
#include "gui/data/qcmfile.h"
#include "platform/files.h"
#include "platform/strings.h"
#include "platform/system.h"

const char* const kLevelMarkKey = "profile::levelInProgress::mark";

namespace {

const char* const kTempUse[5] = {"tempuseOfSkull", "tempuseOfSword", "tempuseOfMedalion", "tempuseOfEye",
                                 "tempuseOfMap"};

std::string num(const char* prefix, int32_t n) { return prefix + std::to_string(n); }

// How many numbered entries a count may ask for: never more than the group holds, so a
// damaged count cannot make the reader walk for ever.
int32_t boundedCount(const TQCMFile& file, const std::string& countPath, const std::string& groupPath) {
    int32_t n = truncToInt(file.getFloat(countPath, 0));
    const TQCMGroup* g = file.groupAt(groupPath);
    // The count entry itself stands in the group too.
    int32_t held = g ? int32_t(g->_listaWpisow.size() + g->_listaGrup.size()) - 1 : 0;
    if (n > held) n = held;
    return n < 0 ? 0 : n;
}

}  // namespace

// ---- writing ------------------------------------------------------------------------------

std::string boardPath(const std::string& dir) { return dir + "/level.lvl"; }
std::string nextBoardPath(const std::string& dir) { return dir + "/level.lvl.next"; }

int TProfile::_saveProfileLevel(const std::string& dir) {
    if (actLevel && !actLevel->saveTo(nextBoardPath(dir))) return -1;
    return 0;
}

std::string levelFileMark(const std::string& path) {
    auto bytes = files::loadBytes(path, kMaxUserFileBytes, false);
    if (!bytes) return "";
    // FNV-1a: enough to tell one saved board from another.
    uint64_t h = 1469598103934665603ull;
    for (unsigned char c : *bytes) {
        h ^= c;
        h *= 1099511628211ull;
    }
    static const char* digits = "0123456789abcdef";
    std::string out(16, '0');
    for (int i = 15; i >= 0; --i, h >>= 4) out[size_t(i)] = digits[h & 15];
    return out;
}

int TProfile::_saveProfileStandards(TQCMFile& f) const {
    const std::string g = "profile::standards::";
    f.setString(g + "name", name);
    f.setFloat(g + "numerLevelu", float(numerLevelu));
    f.setFloat(g + "numerStageu", float(numerStageu));
    f.setFloat(g + "flowSequence", float(flowSequence));
    f.setFloat(g + "mistakes", float(mistakes));
    f.setFloat(g + "kamienieWWorku", float(kamienieWWorku));
    f.setString(g + "gameType", gameType);
    f.setString(g + "flowType", flowType);
    f.setFloat(g + "tutorialOn", float(tutorialOn));
    f.setFloat(g + "bylAwardsScreen", float(bylAwardsScreen));
    f.setFloat(g + "allLivings", float(allLivings));
    f.setFloat(g + "score", float(score));
    return 0;
}

int TProfile::_saveProfileStats(TQCMFile& f) const {
    const std::string g = "profile::stats::";
    f.setFloat(g + "noMistakesOnLevel", float(noMistakesOnLevel));
    f.setFloat(g + "lastScore", float(lastScore));
    f.setFloat(g + "hintsUsedOnLevel", float(hintsUsedOnLevel));
    f.setFloat(g + "hintsUsed", float(hintsUsed));
    f.setFloat(g + "useOfSkull", float(useOfSkull));
    f.setFloat(g + "useOfSword", float(useOfSword));
    f.setFloat(g + "useOfMedalion", float(useOfMedalion));
    f.setFloat(g + "useOfEye", float(useOfEye));
    f.setFloat(g + "useOfMap", float(useOfMap));
    const int32_t temp[5] = {tempUseOfSkull, tempUseOfSword, tempUseOfMedalion, tempUseOfEye, tempUseOfMap};
    for (int i = 0; i < 5; ++i) f.setFloat(g + kTempUse[i], float(temp[i]));
    for (int32_t n = 0; n < 6; ++n) f.setFloat(num("profile::unlocked::unlocked", n), float(unlocked[size_t(n)]));
    return 0;
}

int TProfile::_saveProfileBonusy(TQCMFile& f) const {
    for (int32_t n = 0; n < 6; ++n) {
        int32_t rel = czas[size_t(n)] - Millisecs();
        f.setFloat(num("profile::czasyBonusow::czas", n), float(rel));
    }
    return 0;
}

int TProfile::_saveProfileAwards(TQCMFile& f) const {
    f.setFloat("profile::awards::i", float(awardy.size()));
    int32_t k = 1;
    for (const auto& a : awardy) f.setFloat(num("profile::awards::award", k++), float(a ? a->id : 0));
    return 0;
}

int TProfile::_saveProfileLevels(TQCMFile& f) const {
    f.setFloat("profile::levele::i", float(levele.size()));
    int32_t k = 1;
    for (const auto& r : levele) {
        std::string key = num("profile::levele::level", k++);
        const int32_t v[9] = {r->numerLevelu, r->passed, r->flowSequence, r->stageN, r->score,
                              r->mnoznik,     r->mistakes, r->time,       r->ileRazy};
        for (int32_t i = 0; i < 9; ++i) f.setFloat(key, float(v[i]), i);
    }
    return 0;
}

int TProfile::_saveProfileTutorial(TQCMFile& f) const {
    f.setFloat("profile::tutorial::i", float(lekcjeTutoriala.size()));
    int32_t k = 1;
    for (const auto& t : lekcjeTutoriala) f.setString(num("profile::tutorial::tip", k++), t ? t->id : "");
    return 0;
}

int TProfile::_saveProfileGameData(TQCMFile& f) {
    takeCountersFromPlay();
    const std::string g = "profile::gameData::";
    const TPlayCounters& c = gameData;
    f.setFloat(g + "useMedalionN", float(c.useMedalionN));
    f.setFloat(g + "useMieczN", float(c.useMieczN));
    f.setFloat(g + "useOkoN", float(c.useOkoN));
    f.setFloat(g + "useCzaszkaN", float(c.useCzaszkaN));
    f.setFloat(g + "useMapaN", float(c.useMapaN));
    f.setFloat(g + "useHintsN", float(c.useHintsN));
    f.setFloat(g + "allLivingsN", float(c.allLivingsN));
    f.setFloat(g + "useLivingsN", float(c.useLivingsN));
    for (int32_t i = 0; i < 4; ++i) f.setFloat(g + num("hintUsed", i), float(c.hintUsed[size_t(i)]));
    for (int32_t i = 0; i < 5; ++i) f.setFloat(g + num("powerUpUse", i), float(c.powerUpUse[size_t(i)]));
    f.setFloat(g + "mnoznik", c.mnoznik);
    return 0;
}

namespace {
// The sections of profile.dat, in file order.
void writeProfileSections(TProfile& p, TQCMFile& f) {
    p._saveProfileStandards(f);
    p._saveProfileStats(f);
    p._saveProfileBonusy(f);
    p._saveProfileAwards(f);
    p._saveProfileLevels(f);
    p._saveProfileTutorial(f);
    p._saveProfileGameData(f);
}
}  // namespace

std::string profileFileText(TProfile& p) {
    auto f = createQCMFile();
    writeProfileSections(p, *f);
    return f->toText();
}

int TProfile::save() {
    if (getId().empty()) {
        Notify("A profile without a name cannot be saved.");
        return -1;
    }
    std::string dir = folder();
    if (files::fileType(dir) == files::FILETYPE_NONE) files::createDir(dir, true);
    auto f = createQCMFile();
    // The board is written beside the one in use, the profile names it by its mark, and
    // only then does it take the old one's place: a kill at any point leaves a board and a
    // profile that belong together (the reader finishes a swap the kill cut short).
    const bool levelSaved = _saveProfileLevel(dir) == 0;
    writeProfileSections(*this, *f);
    if (actLevel) {
        // A level that could not be written is marked so that the old file is not taken up.
        std::string mark = levelSaved ? levelFileMark(nextBoardPath(dir)) : std::string();
        f->setString(kLevelMarkKey, mark.empty() ? std::string("unsaved") : mark);
    }
    // Atomic: a failed write leaves the previous file whole.
    const std::string path = dir + "/profile.dat";
    const bool ok = f->save(path) == 0;
    if (actLevel && levelSaved) {
        if (ok) putNextBoardInPlace(dir);
        else files::deleteFile(nextBoardPath(dir));
    }
    noteSaveResult(ok && levelSaved, ok ? boardPath(dir) : path);
    if (ok) {
        savedName = name;
        needsSave = false;
    }
    return ok && levelSaved ? 0 : -1;
}

bool putNextBoardInPlace(const std::string& dir) {
    auto from = files::resolve(nextBoardPath(dir));
    if (!from) return false;
    std::error_code ec;
    std::filesystem::rename(*from, files::resolveForWrite(boardPath(dir)), ec);
    return !ec;
}

// ---- reading ------------------------------------------------------------------------------

int _loadProfileStandards(TProfile& p, const TQCMFile& f) {
    const std::string g = "profile::standards::";
    p.name = cleanProfileName(str::upper(f.getString(g + "name", 0)));
    p.numerLevelu = truncToInt(f.getFloat(g + "numerLevelu", 0));
    p.numerStageu = truncToInt(f.getFloat(g + "numerStageu", 0));
    p.flowSequence = truncToInt(f.getFloat(g + "flowSequence", 0));
    p.mistakes = truncToInt(f.getFloat(g + "mistakes", 0));
    p.kamienieWWorku = truncToInt(f.getFloat(g + "kamienieWWorku", 0));
    p.gameType = str::upper(f.getString(g + "gameType", 0));
    p.flowType = voyageName(f.getString(g + "flowType", 0));
    p.tutorialOn = truncToInt(f.getFloat(g + "tutorialOn", 0));
    p.bylAwardsScreen = truncToInt(f.getFloat(g + "bylAwardsScreen", 0));
    p.allLivings = truncToInt(f.getFloat(g + "allLivings", 0));
    p.score = truncToInt(f.getFloat(g + "score", 0));
    return 0;
}

int _loadProfileStats(TProfile& p, const TQCMFile& f) {
    const std::string g = "profile::stats::";
    p.noMistakesOnLevel = truncToInt(f.getFloat(g + "noMistakesOnLevel", 0));
    p.lastScore = truncToInt(f.getFloat(g + "lastScore", 0));
    p.hintsUsedOnLevel = truncToInt(f.getFloat(g + "hintsUsedOnLevel", 0));
    p.hintsUsed = truncToInt(f.getFloat(g + "hintsUsed", 0));
    p.useOfSkull = truncToInt(f.getFloat(g + "useOfSkull", 0));
    p.useOfSword = truncToInt(f.getFloat(g + "useOfSword", 0));
    p.useOfMedalion = truncToInt(f.getFloat(g + "useOfMedalion", 0));
    p.useOfEye = truncToInt(f.getFloat(g + "useOfEye", 0));
    p.useOfMap = truncToInt(f.getFloat(g + "useOfMap", 0));
    int32_t* temp[5] = {&p.tempUseOfSkull, &p.tempUseOfSword, &p.tempUseOfMedalion, &p.tempUseOfEye,
                        &p.tempUseOfMap};
    for (int i = 0; i < 5; ++i) *temp[i] = truncToInt(f.getFloat(g + kTempUse[i], 0));
    for (int32_t n = 0; n < 6; ++n)
        p.unlocked[size_t(n)] = truncToInt(f.getFloat(num("profile::unlocked::unlocked", n), 0));
    return 0;
}

namespace {

// What keeps the marked board at path from being read, in words that follow its path;
// "" when it can be read.
std::string boardProblem(const std::string& path) {
    const int kind = files::fileType(path);
    if (kind == files::FILETYPE_DIR) return "is a folder, not a file: move it away";
    std::string problem;
    if (kind == files::FILETYPE_NONE) return "does not exist";
    if (!readUserFile(path, problem)) return problem;
    return "";
}

}  // namespace

int _loadProfileLevel(TProfile& p, const std::string& dir, const std::string& mark) {
    std::string type = str::upper(p.gameType);
    if (!(type == "MAIN-GAME" || type == "HIDDEN-OBJECT" || type == "LAY-PUZZLE" || type == "PUZZLE-EXPRESS"))
        return 0;
    std::string path = boardPath(dir);
    if (!mark.empty() && levelFileMark(path) != mark) {
        if (mark != "unsaved" && levelFileMark(nextBoardPath(dir)) == mark) {
            // The save was cut short after the profile, before its board took the old one's
            // place: finish it (or read the board where it is).
            if (!putNextBoardInPlace(dir)) path = nextBoardPath(dir);
        } else if (const std::string problem = mark == "unsaved" ? "" : boardProblem(path); !problem.empty()) {
            Notify("The level in progress of " + p.name + " cannot be continued: the file \"" + path + "\" " +
                   problem + ". The level starts again.");
            return 0;
        } else {
            // The save that wrote this board was cut short before the profile that goes with it.
            Notify("The level in progress of " + p.name +
                   " was not saved completely, so it is not continued: the level starts again.");
            return 0;
        }
    }
    // Read like every saved file first: a huge or strange one is refused by name, before a
    // level reader touches it.
    std::string problem;
    if (files::fileType(path) != files::FILETYPE_NONE && !readUserFile(path, problem)) {
        Notify("The level in progress of " + p.name + " (\"" + path + "\") " + problem + ". The level starts again.");
        return 0;
    }
    p.actLevel = profileWorld().loadLevel(type, path, 0);
    return 0;
}

int _loadProfileLevels(TProfile& p, const TQCMFile& f) {
    p.levele.clear();
    int32_t n = boundedCount(f, "profile::levele::i", "profile::levele");
    for (int32_t k = 1; k <= n; ++k) {
        std::string key = num("profile::levele::level", k);
        auto r = std::make_shared<TProfLevelData>();
        auto v = [&](int32_t i) { return truncToInt(f.getFloat(key, i)); };
        r->numerLevelu = v(0);
        r->passed = v(1);
        r->flowSequence = v(2);
        r->stageN = v(3);
        r->score = v(4);
        r->mnoznik = v(5);
        r->mistakes = v(6);
        r->time = v(7);
        r->ileRazy = v(8);
        p.levele.push_back(r);
    }
    return 0;
}

int _loadProfileBonusy(TProfile& p, const TQCMFile& f) {
    // A timer is how long before the save its recharge began: never after the save, and a
    // day back is as good as fully recharged. Kept there, the timer arithmetic cannot overflow.
    constexpr float kLongestAgo = -86400000.0f;
    for (int32_t n = 0; n < 6; ++n) {
        float rel = f.getFloat(num("profile::czasyBonusow::czas", n), 0);
        if (!(rel <= 0)) rel = 0;
        if (rel < kLongestAgo) rel = kLongestAgo;
        float sum = rel + float(Millisecs());
        p.czas[size_t(n)] = truncToInt(sum);
    }
    p.pausePowerUps();
    return 0;
}

int _loadProfileAwards(TProfile& p, const TQCMFile& f) {
    p.awardy.clear();
    int32_t n = boundedCount(f, "profile::awards::i", "profile::awards");
    for (int32_t k = 1; k <= n; ++k) {
        auto a = profileWorld().awardById(truncToInt(f.getFloat(num("profile::awards::award", k), 0)));
        if (a) p.awardy.push_back(a);
    }
    return 0;
}

int _loadProfileGameData(TProfile& p, const TQCMFile& f) {
    const std::string g = "profile::gameData::";
    TPlayCounters& c = p.gameData;
    auto v = [&](const std::string& k) { return truncToInt(f.getFloat(g + k, 0)); };
    c.useMedalionN = v("useMedalionN");
    c.useMieczN = v("useMieczN");
    c.useOkoN = v("useOkoN");
    c.useCzaszkaN = v("useCzaszkaN");
    c.useMapaN = v("useMapaN");
    c.useHintsN = v("useHintsN");
    c.allLivingsN = v("allLivingsN");
    c.useLivingsN = v("useLivingsN");
    for (int32_t i = 0; i < 4; ++i) c.hintUsed[size_t(i)] = v(num("hintUsed", i));
    for (int32_t i = 0; i < 5; ++i) c.powerUpUse[size_t(i)] = v(num("powerUpUse", i));
    c.mnoznik = f.getFloat(g + "mnoznik", 0);
    if (std::isnan(c.mnoznik)) c.mnoznik = 0;
    return 0;
}

int _loadProfileTutorial(TProfile& p, const TQCMFile& f) {
    p.lekcjeTutoriala.clear();
    int32_t n = boundedCount(f, "profile::tutorial::i", "profile::tutorial");
    for (int32_t k = 1; k <= n; ++k) {
        auto tip = profileWorld().tipById(f.getString(num("profile::tutorial::tip", k), 0));
        if (tip) p.lekcjeTutoriala.push_back(tip);
    }
    return 0;
}

namespace {

// Why nothing is found at a player file's path, beyond its absence: a folder where the
// player folder should be, or a link to nothing.
std::string missingDetail(const std::string& path) {
    std::error_code ec;
    const std::filesystem::path file(path);
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(file, ec)))
        return " (it is a link to \"" + std::filesystem::read_symlink(file, ec).string() +
               "\", which does not exist)";
    const std::string dir = files::extractDir(path);
    if (files::fileType(dir) == files::FILETYPE_FILE) return " (the player folder \"" + dir + "\" is a file, not a folder)";
    if (files::fileType(path) == files::FILETYPE_DIR) return " (it is a folder, not a file)";
    return "";
}

}  // namespace

std::shared_ptr<TProfile> loadProfile(const std::string& path, std::string* why) {
    auto fail = [&](const std::string& message) {
        if (why) *why = message;
        else Notify(message);
        return nullptr;
    };
    if (files::fileType(path) != files::FILETYPE_FILE) return fail("No such file: " + path + missingDetail(path));
    std::string problem;
    auto text = readUserFile(path, problem);
    if (!text) return fail("The player file \"" + path + "\" " + problem + ".");
    auto f = std::make_shared<TQCMFile>();
    if (!f->parse(std::move(*text)) || f->groupAt("profile") == nullptr) {
        std::string copy = keepCorruptCopy(path);
        return fail("The player file \"" + path + "\" is damaged and cannot be read." +
                    (copy.empty() ? std::string() : " A copy of it is kept as \"" + copy + "\"."));
    }
    auto p = std::make_shared<TProfile>();
    _loadProfileStandards(*p, *f);
    _loadProfileStats(*p, *f);
    p->settleInFlow(path);
    _loadProfileLevel(*p, files::extractDir(path), f->getString(kLevelMarkKey, 0));
    _loadProfileLevels(*p, *f);
    _loadProfileBonusy(*p, *f);
    _loadProfileAwards(*p, *f);
    _loadProfileGameData(*p, *f);
    _loadProfileTutorial(*p, *f);
    return p;
}

std::shared_ptr<TProfile> createNewProfile(const std::string& name) {
    auto p = std::make_shared<TProfile>();
    p->name = name;
    p->getId();
    return p;
}
