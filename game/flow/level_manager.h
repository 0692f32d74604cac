#pragma once
// The level manager: the casual and hard progressions (what is played in which order), the
// stages built from the hard one, the background of every stage and the level names.
// Filled once while loading (setup), then it only answers lookups. Lookups hand out the
// stored entries themselves, so the stage screen's hover fade persists between visits.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/profile/profile_types.h"

class TProfile;

// One progression entry with what the stage screen and the win screen need beyond the
// profile's view of it (TLevelData).
class TFlowEntry : public TLevelData {
public:
    // Running number of the game entries of its progression: the line of its level name.
    int32_t actualLevelNumber = 0;
    float overA = 0;   // hover highlight on the stage screen, 0 to 1
    float dOverA = 0;  // its target

    // One frame of the hover fade.
    virtual int update();
    // 0 for map visits and story interludes: they are not listed on the stage screen.
    virtual int playable() const;
};
using TFlowEntryList = std::vector<std::shared_ptr<TFlowEntry>>;

// "MAIN-GAME" and the three mini-games: the entries counted by actualLevelNumber.
bool isGameEntryType(const std::string& gameType);

// The flow entry behind a profile-side entry, or null when it came from elsewhere.
std::shared_ptr<TFlowEntry> asFlowEntry(const std::shared_ptr<TLevelData>& entry);

class TStageData {
public:
    virtual ~TStageData() = default;
    int32_t id = 0;
    // Level numbers (as decimal text) of every hard entry of the stage, each once.
    std::vector<std::string> levels;

    virtual int32_t getLevel(int32_t) const { return 0; }
    // Against the current profile; 0 without one.
    virtual int32_t isAtLeastOneLevelPassed() const;
    virtual int32_t areAllLevelsFinished() const;
    // The same against a given profile.
    int32_t isAtLeastOneLevelPassed(const TProfile* profile) const;
    int32_t areAllLevelsFinished(const TProfile* profile) const;
};

class TLevelManager {
public:
    virtual ~TLevelManager() = default;

    TFlowEntryList casualLevels;
    TFlowEntryList hardLevels;
    std::vector<std::string> backgroundsByStages;
    std::vector<std::shared_ptr<TStageData>> stagesList;
    std::vector<std::string> casualNames;
    std::vector<std::string> hardNames;

    virtual std::shared_ptr<TStageData> getStageData(int32_t stage) const;
    virtual int giveStageData(int32_t stage, int32_t level);
    virtual int _setupCasual();
    virtual int _setupHard();
    virtual int _setupBackgroundsByStages();
    virtual int _setupCasualLevelNames();
    virtual int _setupHardLevelNames();
    virtual int setup();
    // "gfx/backgrounds/background-<name>.jpg" (relative to bDir); "" outside the list:
    // callers skip an empty path.
    virtual std::string getBackgroundUrl(int32_t stage) const;
    // flowType exactly "HARD" or "CASUAL"; 0 when nothing matches.
    virtual int32_t getStageNumberByLevel(const std::string& flowType, int32_t level) const;
    virtual TFlowEntryList getCasualLevelsByStage(int32_t stage) const;
    virtual TFlowEntryList getHardLevelsByStage(int32_t stage) const;
    virtual std::shared_ptr<TFlowEntry> getCasualLevelData(int32_t stage, int32_t level) const;
    // Line n of the current profile's level-name text; "" outside it.
    virtual std::string getNameByLevelData(int32_t n) const;
    virtual std::shared_ptr<TFlowEntry> getHardLevelData(int32_t stage, int32_t level) const;
    // The entry the current profile plays (by its stage and level numbers), or null.
    virtual std::shared_ptr<TFlowEntry> getActualLevelData() const;
    // The entry at the profile's position (flowType compared exactly), or null.
    virtual std::shared_ptr<TFlowEntry> getProfileLevelData(const TProfile& profile) const;

    // The entry whose nr is `nr` in the progression named exactly "HARD" or "CASUAL".
    std::shared_ptr<TFlowEntry> entryByNr(const std::string& flowType, int32_t nr) const;
    // The stage screen's play button: the first entry of the stage the profile lists
    // (its progression, playable entries) whose level it has not passed yet, or null.
    std::shared_ptr<TFlowEntry> firstUnplayedLevel(const TProfile& profile, int32_t stage) const;
    // 1 when the profile has passed every entry of the stage that it lists (and there is one).
    int32_t stageWon(const TProfile& profile, int32_t stage) const;
    // Where the profile's voyage goes on: the stage of the first playable entry of its
    // progression that it has not passed, 0 once all are. A level played again does not
    // move it back, as the profile's position does.
    int32_t voyageStage(const TProfile& profile) const;
    // The same names for a given flow type (upper-cased first).
    std::string nameFor(const std::string& flowType, int32_t n) const;

    // Back to the six empty lists.
    void clear();

private:
    // The entries of the stage the stage screen lists for the profile.
    TFlowEntryList stageLevelsOf(const TProfile& profile, int32_t stage) const;
    int readFlow(const std::string& normal, const std::string& testing, TFlowEntryList& out,
                 bool recordStages);
};

extern TLevelManager levelManager;

// The current profile (profileManager.profile), or null.
TProfile* currentFlowProfile();
