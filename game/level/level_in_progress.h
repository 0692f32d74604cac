#pragma once
// A nonogram level as the profile keeps, saves and hands it back (a TLevelInProgress of
// game type "MAIN-GAME"), over the level file's reader and writer.
#include <memory>
#include <string>

#include "app/profile/profile_world.h"
#include "game/board/level.h"

class TNonogramInProgress : public TLevelInProgress {
public:
    explicit TNonogramInProgress(std::shared_ptr<TLevel> l) : level(std::move(l)) {}
    std::string gameType() const override { return "MAIN-GAME"; }
    int32_t tutorialLevel() const override { return level ? level->tutorialLevel : 0; }
    bool playable() const override { return level && level->rows > 0 && level->cols > 0; }
    bool saveTo(const std::string& path) const override;
    std::shared_ptr<TLevel> level;
};

// A nonogram level in progress read from the file (fresh 1: a progression's level, 0: a
// saved one); null when nothing playable could be read.
std::shared_ptr<TLevelInProgress> nonogramLevelFromFile(const std::string& path, int32_t fresh);
