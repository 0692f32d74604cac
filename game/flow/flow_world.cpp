#include "game/flow/flow_world.h"

#include "game/awards/awards.h"
#include "game/flow/level_manager.h"
#include "game/level/level_in_progress.h"
#include "platform/strings.h"

std::shared_ptr<TLevelData> TFlowWorld::flowEntry(const std::string& flowType, int32_t nr) {
    return levelManager.entryByNr(flowType, nr);
}

TLevelDataList TFlowWorld::flowEntries(const std::string& flowType) {
    if (flowType != "HARD" && flowType != "CASUAL") return {};
    const auto& list = flowType == "HARD" ? levelManager.hardLevels : levelManager.casualLevels;
    return TLevelDataList(list.begin(), list.end());
}

int32_t TFlowWorld::getStageNumberByLevel(const std::string& flowType, int32_t level) {
    return levelManager.getStageNumberByLevel(flowType, level);
}

TLevelDataList TFlowWorld::levelsByStage(bool hard, int32_t stage) {
    auto list = hard ? levelManager.getHardLevelsByStage(stage) : levelManager.getCasualLevelsByStage(stage);
    return TLevelDataList(list.begin(), list.end());
}

std::shared_ptr<TLevelInProgress> TFlowWorld::loadLevel(const std::string& gameType, const std::string& path,
                                                        int32_t fresh) {
    if (str::upper(gameType) == "MAIN-GAME") return nonogramLevelFromFile(path, fresh);
    return TProfileWorld::loadLevel(gameType, path, fresh);
}

std::shared_ptr<TAward> TFlowWorld::awardById(int32_t id) { return getAwardByID(id); }
