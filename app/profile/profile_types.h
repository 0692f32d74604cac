#pragma once
// The small records the profile shares with the award list, the tutorial, the dialogue
// box and the level manager. Those services own and fill them; the profile only holds and
// compares them.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One award definition (the award list owns them; a profile holds the same objects).
struct TAward {
    virtual ~TAward() = default;
    int32_t id = 0;
    int32_t typ = 0;
    int32_t level = 0;
};

// What the profile knows of a tutorial tip (the tutorial's TTutorialTip derives from it);
// the pending ones of a player are kept in the profile.
struct TTipRecord {
    virtual ~TTipRecord() = default;
    std::string id;
    int32_t numerLevelu = 0;
    int32_t rememberMe = 0;
};

// What a story dialogue is matched by.
struct TDialogKey {
    int32_t id = 0;
    std::string atBeginOrEnd;
    int32_t stageN = 0;
    int32_t levelN = 0;
};

// One entry of a progression (casual or hard), as the level manager reads it.
struct TLevelData {
    virtual ~TLevelData() = default;
    int32_t nr = 0;        // position in its progression, from 1
    int32_t numer = 0;     // level number
    std::string gameType;  // the place that plays it
    std::string url;       // level file
    int32_t stageN = 0;
};

using TAwardList = std::vector<std::shared_ptr<TAward>>;
using TTipList = std::vector<std::shared_ptr<TTipRecord>>;
using TLevelDataList = std::vector<std::shared_ptr<TLevelData>>;
