#include "game/level/level_in_progress.h"

#include "game/level/levelfile.h"

bool TNonogramInProgress::saveTo(const std::string& path) const { return level && saveLevel(*level, path) == 0; }

std::shared_ptr<TLevelInProgress> nonogramLevelFromFile(const std::string& path, int32_t fresh) {
    auto level = ::loadLevel(path, fresh);
    if (!level) return nullptr;
    return std::make_shared<TNonogramInProgress>(std::move(level));
}
