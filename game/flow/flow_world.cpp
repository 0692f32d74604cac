#include "game/flow/flow_world.h"

#include "game/awards/awards.h"
#include "game/flow/level_manager.h"
#include "game/map/mapa.h"

std::shared_ptr<TLevelData> TFlowWorld::flowEntry(const std::string& flowType, int32_t nr) {
    return levelManager.entryByNr(flowType, nr);
}

int32_t TFlowWorld::getStageNumberByLevel(const std::string& flowType, int32_t level) {
    return levelManager.getStageNumberByLevel(flowType, level);
}

TLevelDataList TFlowWorld::levelsByStage(bool hard, int32_t stage) {
    auto list = hard ? levelManager.getHardLevelsByStage(stage) : levelManager.getCasualLevelsByStage(stage);
    return TLevelDataList(list.begin(), list.end());
}

void TFlowWorld::mapSetNewStage(int32_t stageN) { mapa.setNewStageById(stageN); }

std::shared_ptr<TAward> TFlowWorld::awardById(int32_t id) { return getAwardByID(id); }
