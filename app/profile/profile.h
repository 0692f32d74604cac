#pragma once
// One player's progress and statistics: the position in the chosen progression, the
// current stage and level, the level in progress, the per-level records, the awards, the
// pending tutorial tips, the counters the award rules read, and the six power-up timers.
// The current profile is profileManager.profile (profile_manager.h).
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/profile/profile_types.h"
#include "app/profile/profile_world.h"

class TQCMFile;

// The record of one level the profile has started, identified by (numerLevelu, stageN).
struct TProfLevelData {
    int32_t numerLevelu = 0;
    int32_t passed = 0;
    int32_t flowSequence = 0;
    int32_t stageN = 0;
    int32_t score = 0;
    int32_t time = 0;
    int32_t mistakes = 0;
    int32_t mnoznik = 0;
    int32_t ileRazy = 0;
    bool operator==(const TProfLevelData&) const = default;
};

// Power-up slots of czas and unlocked.
enum PowerUpSlot { PU_SWORD = 0, PU_MEDALION, PU_EYE, PU_MAP, PU_SKULL, PU_BAG };

class TProfile {
public:
    virtual ~TProfile();

    std::string id;
    std::string name;
    TAwardList awardy;
    std::vector<std::shared_ptr<TProfLevelData>> levele;
    TTipList lekcjeTutoriala;
    int32_t flowSequence = 0;
    int32_t numerLevelu = 1;
    int32_t numerStageu = 1;
    int32_t maxLevel = 0;
    std::string gameType;
    int32_t allLivings = 0;
    std::shared_ptr<TLevelInProgress> actLevel;
    std::string flowType;
    int32_t mistakes = 0;
    int32_t kamienieWWorku = 0;
    int32_t score = 0;
    int32_t noMistakesOnLevel = 0;
    int32_t lastScore = 0;
    int32_t hintsUsedOnLevel = 0;
    int32_t hintsUsed = 0;
    int32_t noMistakedLevels = 0;
    int32_t useOfSkull = 0, useOfSword = 0, useOfMedalion = 0, useOfEye = 0, useOfMap = 0;
    int32_t tempUseOfSkull = 0, tempUseOfSword = 0, tempUseOfMedalion = 0, tempUseOfEye = 0,
            tempUseOfMap = 0;
    std::array<int32_t, 6> czas{};
    std::array<int32_t, 6> unlocked{};
    int32_t bylAwardsScreen = 0;
    int32_t tutorialOn = 1;
    int32_t powerUpsPomTime = 0;
    int32_t paused = 0;
    // The play screen's counters of this player's level in progress. The play screen
    // holds one set at a time: they are handed to it when this profile's level is set or
    // continued, and taken back from it before this profile is saved.
    TPlayCounters gameData;
    // The name this profile's file was last written or read under, in the folder of that
    // name's id; when it differs from `name` the profile must be written again.
    std::string savedName;
    // Reading mended something it told the player about: the profile is written at the
    // next save even when nothing else changed, so that it is told only once.
    bool needsSave = false;

    // Power-up timers (millisecond clock).
    virtual int pausePowerUps();
    virtual int pausePowerUps2();
    virtual int ResumePowerUps();
    virtual int resetProfile();
    virtual int resetPowerUp(int32_t n);
    virtual int restartPowerUpN(int32_t n);
    virtual int usePowerUp(int32_t n);
    virtual std::string startNewGame();
    virtual int levelBack() { return 0; }
    virtual int32_t countAward(int32_t awardId) const;
    virtual int32_t isStageAvailable(int32_t stage) const;
    virtual std::shared_ptr<TAward> getAward(int32_t awardId) const;
    virtual std::shared_ptr<TAward> getHighestAwardByTyp(int32_t typ) const;
    virtual std::string getId();
    virtual int32_t getStageNumber() const;
    virtual std::shared_ptr<TLevelData> getMyLevelData() const;
    virtual std::string getUnplayedLevelStuff(const TProfLevelData& record);
    virtual std::string getNextUnplayedLevel();
    virtual std::string getNextLevel();
    virtual TLevelDataList getLeveleForStage(int32_t stage) const;
    virtual int32_t getHighestStage() const { return getMaxStage(); }
    virtual int32_t getMaxStage() const;
    virtual int32_t getHighestLevel(int32_t stage) const { return getMaxLevel(stage); }
    virtual int32_t getMaxLevel(int32_t stage) const;
    virtual int checkPowerUpUnlocked();
    virtual std::string restartLevel();
    virtual std::string setLevel(const TLevelData& entry);
    virtual int32_t IDontHaveTip(const std::string& tipId) const;
    virtual int resetTutorialForLevel();
    virtual int setProperLevel(const TLevelData& entry);
    virtual int addActLevelData();
    virtual int updateFlowType() { return 0; }
    virtual int updateLevelData(int32_t level, int32_t passed, int32_t score, int32_t time,
                                int32_t mistakes, int32_t mnoznik);
    virtual std::shared_ptr<TProfLevelData> getProfLevelData(int32_t level) const;
    virtual std::shared_ptr<TProfLevelData> getProfLevelData2(int32_t level, int32_t stage) const;
    virtual std::string ContinueGame();
    virtual int32_t canContinue() const;
    virtual int checkMaxLevel();
    virtual int32_t checkDialog(const std::string& word) const;

    // What a read file says of the voyage, brought back into the progressions (each mend
    // told once, naming the file): a flow type that names no voyage goes on in the one
    // whose entry at the position is the player's level (else the casual one); a position
    // past either end goes to the entry of the player's level and stage (else into the
    // voyage); a game type that is not the one of the entry at the position becomes it.
    // False when nothing changed.
    bool settleInFlow(const std::string& file);
    // Only the flow type's part of it.
    bool settleVoyage(const std::string& file);

    // The profile file (profile_file.cpp).
    virtual int _saveProfileLevel(const std::string& folder);
    virtual int _saveProfileStandards(TQCMFile& file) const;
    virtual int _saveProfileBonusy(TQCMFile& file) const;
    virtual int _saveProfileAwards(TQCMFile& file) const;
    virtual int _saveProfileLevels(TQCMFile& file) const;
    virtual int _saveProfileStats(TQCMFile& file) const;
    virtual int _saveProfileGameData(TQCMFile& file);
    virtual int _saveProfileTutorial(TQCMFile& file) const;
    // Writes the profile's folder; 0 on success, -1 (after a report) when the file
    // could not be written.
    virtual int save();

    // The folder of this profile: myDocsFolder + "/Profiles/" + getId().
    std::string folder();
    // Hands this profile's counters to the play screen / takes them back.
    void giveCountersToPlay();
    void takeCountersFromPlay();
};

// The profile whose counters the play screen holds now (null when none).
TProfile* playCountersOwner();
void resetPlayCountersOwner();

// A stored flow type as the reader takes it: without surrounding blanks, upper-cased.
std::string voyageName(const std::string& stored);

// The id of a name: the decimal code of every 16-bit unit followed by "-".
std::string profileIdOf(const std::string& name);
// True for ids of the form digits-and-hyphens ("65-98-"): only those are put into paths.
bool isValidProfileId(const std::string& id);
// A name as name entry would accept it: the letters and digits of it, at most 20.
std::string cleanProfileName(const std::string& name);
