#pragma once
// The profile's view of the progressions, the nonogram levels and the award list
// (TProfileWorld), served by the level manager, the level file and awardsList. The
// program's world derives from this one and adds the map, the play screen and the
// mini-games.
#include "app/profile/profile_world.h"

class TFlowWorld : public TProfileWorld {
public:
    std::shared_ptr<TLevelData> flowEntry(const std::string& flowType, int32_t nr) override;
    TLevelDataList flowEntries(const std::string& flowType) override;
    int32_t getStageNumberByLevel(const std::string& flowType, int32_t level) override;
    TLevelDataList levelsByStage(bool hard, int32_t stage) override;
    std::shared_ptr<TLevelInProgress> loadLevel(const std::string& gameType, const std::string& path,
                                                int32_t fresh) override;
    std::shared_ptr<TAward> awardById(int32_t id) override;
};
