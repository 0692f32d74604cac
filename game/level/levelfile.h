#pragma once
// The nonogram level file: one keyed data file with everything below the group "level".
// The asset tree's level files give the picture ("tiles"), the covers ("tilesHide") and the
// level's data; a saved level in progress also carries its treasures, every cell's state
// and the treasures already collected.
//
// Reading is forgiving but never silent: every problem (unknown record ids, a size class
// outside 0..4, short rows, a collected treasure with fewer than 9 values or an unknown
// id, no treasures to draw from) is reported once per file with the file and the key,
// and a safe value is used in its place. A file that holds no playable grid (missing,
// no rows or columns, no tile or cover records at all) is refused: loadLevel then returns
// null, never a 0 x 0 level that would count as won at once. Callers must check.
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "game/board/level.h"

class TQCMFile;
struct TFlyingTresure;
struct TLivingData;

// The saved form of a treasure lying on the pile beside the board.
struct TCollectedTresure {
    int id = 0;  // treasure record id
    // x, y (where it lies), x1, y1 (start), x2, y2 (end), mx, my (control point)
    std::array<float, 8> pos{};
};

// What the level file needs of the effects layer: the landed treasures and the creature
// kinds. The effects layer installs its own at start-up; the default makes no treasure
// (the saved ones are dropped with a report) and knows no creature kinds.
class TLevelFileLink {
public:
    virtual ~TLevelFileLink() = default;
    // A treasure of the record that has finished its flight (myEnd 1) at the saved
    // positions; null when none can be made.
    virtual std::shared_ptr<TFlyingTresure> makeCollectedTresure(
        const std::shared_ptr<TTresureData>& record, const TCollectedTresure& saved) {
        (void)record, (void)saved;
        return nullptr;
    }
    // The saved form of a treasure of the level's flyingTresures; false to leave it out.
    virtual bool describeCollectedTresure(const TFlyingTresure& t, TCollectedTresure& out) {
        (void)t, (void)out;
        return false;
    }
    // The creature kind with the id (getLivingDataById), or null.
    virtual std::shared_ptr<TLivingData> livingDataById(int id) {
        (void)id;
        return nullptr;
    }
};
TLevelFileLink& levelFileLink();
// The caller keeps the object alive while installed; nullptr restores the default.
void setLevelFileLink(TLevelFileLink* link);

// The name of the level in progress inside a profile folder, for every game type. Written
// with this spelling; reads find it whatever the case of the name on disk.
inline constexpr const char* kLevelInProgressName = "level.lvl";
// folder + "/" + kLevelInProgressName.
std::string levelInProgressPath(const std::string& profileFolder);

// Reads the level file at the full path. randomTresures non-zero: every picture cell gets a
// treasure of a random id from 1 to the number of treasure records, and the file's
// treasure rows are ignored; 0: the treasures come from the file. Null when the file is
// refused (see above). `problems`, when given, receives every problem found.
std::shared_ptr<TLevel> loadLevel(const std::string& path, int randomTresures,
                                  std::vector<std::string>* problems = nullptr);
// The same from text already in memory; `name` stands for the file in the reports.
std::shared_ptr<TLevel> loadLevelFromText(const std::string& text, const std::string& name,
                                          int randomTresures,
                                          std::vector<std::string>* problems = nullptr);

// Writes the whole level to the full path (atomically). resetState non-zero writes every
// cell covered and whole ("0 0"). 0 on success; -1, after a report, when the file could
// not be written (the game goes on; the old file, if any, stays as it was).
int saveLevel(const TLevel& level, const std::string& path, int resetState = 0);
// The text saveLevel writes.
std::string levelToText(const TLevel& level, int resetState = 0);

// ---- the steps, in the order loadLevel and saveLevel run them ------------------------------
// Each read step notes its problems in the list; a step never fails.
using TLevelProblems = std::vector<std::string>;
int _loadLevelStandards(const TQCMFile& f, TLevel& level, TLevelProblems& problems);
int _loadLevelBackground(const TQCMFile& f, TLevel& level);
int _loadLevelTiles(const TQCMFile& f, TLevel& level, int randomTresures, TLevelProblems& problems);
int _loadLevelTilesHide(const TQCMFile& f, TLevel& level, TLevelProblems& problems);
int _loadLevelTresures(const TQCMFile& f, TLevel& level, TLevelProblems& problems);
int _loadLevelDodatkowe(const TQCMFile& f, TLevel& level);
int _loadLevelStateData(const TQCMFile& f, TLevel& level, TLevelProblems& problems);
int _loadLevelCollectedTresure(const TQCMFile& f, TLevel& level, TLevelProblems& problems);

int _saveLeveLStandards(TQCMFile& f, const TLevel& level);
int _saveLeveLBackground(TQCMFile& f, const TLevel& level);
int _saveLeveLTiles(TQCMFile& f, const TLevel& level);
int _saveLevelStateData(TQCMFile& f, const TLevel& level, int resetState);
int _saveLeveLTilesHide(TQCMFile& f, const TLevel& level);
int _saveLeveLTresures(TQCMFile& f, const TLevel& level);
int _saveLevelCollectedTresures(TQCMFile& f, const TLevel& level);
