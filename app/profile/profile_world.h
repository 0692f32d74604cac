#pragma once
// Everything a profile reaches outside itself: the progressions, the level readers and
// writers, the play screen, the mini-game screens, the map, the tutorial, the award list
// and the dialogue box. Each of those installs itself here (setProfileWorld); until then,
// and in tests, the defaults below answer with nothing, so a profile never touches a
// screen that does not exist.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/profile/profile_types.h"

// A level in progress of any game type, as the profile keeps, saves and hands it back.
class TLevelInProgress {
public:
    virtual ~TLevelInProgress() = default;
    // "MAIN-GAME", "PUZZLE-EXPRESS", "HIDDEN-OBJECT" or "LAY-PUZZLE".
    virtual std::string gameType() const = 0;
    virtual int32_t tutorialLevel() const { return 0; }
    // False for a level with nothing to play (an empty grid would count as won at once).
    virtual bool playable() const = 0;
    // Writes the level with its play state to the full path; false when that failed.
    virtual bool saveTo(const std::string& path) const = 0;
};

// The counters of the level in progress that the play screen works with; each profile
// keeps its own copy (see TProfile::gameData).
struct TPlayCounters {
    int32_t useMedalionN = 0;
    int32_t useMieczN = 0;
    int32_t useOkoN = 0;
    int32_t useCzaszkaN = 0;
    int32_t useMapaN = 0;
    int32_t useHintsN = 0;
    int32_t allLivingsN = 0;
    int32_t useLivingsN = 0;
    std::array<int32_t, 4> hintUsed{};
    std::array<int32_t, 5> powerUpUse{};
    float mnoznik = 1.0f;
    bool operator==(const TPlayCounters&) const = default;
};

class TProfileWorld {
public:
    virtual ~TProfileWorld() = default;

    // Progressions. The entry whose nr is `nr` in the progression named by flowType
    // ("HARD" exactly for the hard one, "CASUAL" exactly for the casual one), or null.
    virtual std::shared_ptr<TLevelData> flowEntry(const std::string& flowType, int32_t nr);
    // Every entry of that progression in order (empty when it is not loaded). Here: the
    // entries from nr 1 on, up to the first nr that has none.
    virtual TLevelDataList flowEntries(const std::string& flowType);
    virtual int32_t getStageNumberByLevel(const std::string& flowType, int32_t level);
    // The playable entries of a stage in progression order.
    virtual TLevelDataList levelsByStage(bool hard, int32_t stage);

    // Level files. fresh 1: a new level of the progression (treasures drawn at random);
    // 0: a saved level in progress. Null when nothing playable could be read. Here only
    // the plugged mini-game readers answer (setMiniGameLevels); the progressions' world
    // reads nonograms.
    virtual std::shared_ptr<TLevelInProgress> loadLevel(const std::string& gameType,
                                                        const std::string& path, int32_t fresh);

    // The play screen.
    virtual void playSetLevel(const std::shared_ptr<TLevelInProgress>& level);
    // Multiplier 1, level score 0, empty bag: a level starts from nothing.
    virtual void playStartLevel();
    // Recharge time of power-up n (1 to 6) in milliseconds.
    virtual int32_t powerUpRechargeMs(int32_t n);
    virtual void playSetCounters(const TPlayCounters& counters);
    // False when the play screen holds no counters (the profile keeps its own).
    virtual bool playGetCounters(TPlayCounters& counters);

    // The mini-game screen of the game type takes the level.
    virtual void miniSetLevel(const std::string& gameType, const std::shared_ptr<TLevelInProgress>& level);

    // The map shows stage `stageN` as newly reached; 0 clears it.
    virtual void mapSetNewStage(int32_t stageN);

    // The tutorial: its master list and special list of tips, a fresh set-up, a fresh copy
    // of one tip by id (null when unknown) and a tip of either list by id.
    virtual TTipList& tutorialTips();
    virtual TTipList& specialTips();
    virtual void tutorialSetup();
    virtual std::shared_ptr<TTipRecord> loadExactTip(const std::string& id);
    virtual std::shared_ptr<TTipRecord> tipById(const std::string& id);

    // The award list's definition with the id, or null.
    virtual std::shared_ptr<TAward> awardById(int32_t id);

    // The story dialogues in file order.
    virtual std::vector<TDialogKey> dialogs();

protected:
    TTipList tips_;
    TTipList special_;
};

// A mini-game plugs its level reader (fresh: a progression's file, else a saved level in
// progress) and its screen's setLevel in here; the default world's loadLevel and
// miniSetLevel use them for that game type. Empty functions unplug it.
struct TMiniGameLevels {
    std::function<std::shared_ptr<TLevelInProgress>(const std::string& path, int32_t fresh)> load;
    std::function<void(const std::shared_ptr<TLevelInProgress>& level)> setLevel;
};
void setMiniGameLevels(const std::string& gameType, TMiniGameLevels levels);

// The world profiles talk to: the installed one, else the defaults. The caller keeps an
// installed world alive; nullptr restores the defaults.
TProfileWorld& profileWorld();
void setProfileWorld(TProfileWorld* world);

// The tutorial plugs its tip lists, its set-up and its fresh copies in here; the default
// world's tutorial operations then answer from it. An empty source: the world's own lists.
struct TTutorialSource {
    std::function<TTipList&()> tips;
    std::function<TTipList&()> special;
    std::function<void()> setup;
    std::function<std::shared_ptr<TTipRecord>(const std::string& id)> loadExact;
};
void setTutorialSource(TTutorialSource source);

// Where the default world's dialogues come from (the dialogue box installs its list);
// nullptr: none.
void setDialogSource(std::function<std::vector<TDialogKey>()> source);
