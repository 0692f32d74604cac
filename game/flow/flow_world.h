#pragma once
// The profile's view of the progressions, the map and the award list (TProfileWorld), served
// by the level manager, the stage map and awardsList. The program's world derives from this
// one and adds the play screen, the level readers and the mini-games.
#include "app/profile/profile_world.h"

class TFlowWorld : public TProfileWorld {
public:
    std::shared_ptr<TLevelData> flowEntry(const std::string& flowType, int32_t nr) override;
    int32_t getStageNumberByLevel(const std::string& flowType, int32_t level) override;
    TLevelDataList levelsByStage(bool hard, int32_t stage) override;
    void mapSetNewStage(int32_t stageN) override;
    std::shared_ptr<TAward> awardById(int32_t id) override;
};
