// Moving a player through the chosen progression: the router's "START-NEW-GAME",
// "GET-NEXT-LEVEL" and "RESTART-LEVEL", the map's setLevel and the menu's Continue.
#include <algorithm>

#include "app/profile/profile.h"
#include "platform/input.h"
#include "platform/strings.h"
#include "platform/system.h"

namespace {

bool isMiniGame(const std::string& type) {
    return type == "PUZZLE-EXPRESS" || type == "LAY-PUZZLE" || type == "HIDDEN-OBJECT";
}

}  // namespace

std::shared_ptr<TLevelData> TProfile::getMyLevelData() const {
    return profileWorld().flowEntry(flowType, flowSequence);
}

std::string TProfile::startNewGame() {
    flowSequence = 0;
    gameType.clear();
    numerLevelu = numerStageu = maxLevel = 1;
    allLivings = 0;
    bylAwardsScreen = 0;
    actLevel = nullptr;
    noMistakesOnLevel = 0;
    awardy.clear();
    levele.clear();
    lekcjeTutoriala.clear();
    useOfSkull = useOfMedalion = useOfEye = useOfMap = useOfSword = 0;
    noMistakedLevels = hintsUsed = score = 0;
    auto& world = profileWorld();
    for (const auto& t : world.tutorialTips()) lekcjeTutoriala.push_back(t);
    for (const auto& t : world.specialTips()) lekcjeTutoriala.push_back(t);
    tutorialOn = 1;
    world.tutorialSetup();
    updateFlowType();
    return "GET-NEXT-LEVEL";
}

std::string TProfile::getNextLevel() {
    actLevel = nullptr;
    flowSequence += 1;
    auto entry = getMyLevelData();
    if (!entry) return "END-OF-LEVELS";
    gameType = entry->gameType;
    int prepared = setProperLevel(*entry);
    save();
    if (prepared != 0) {
        // The entry's level file gave nothing to play: say so instead of opening an empty
        // screen. Continue then tries the entry again.
        Notify("The level \"" + entry->url + "\" cannot be played.");
        return "MAIN-MENU";
    }
    return gameType;
}

int TProfile::setProperLevel(const TLevelData& entry) {
    actLevel = nullptr;
    auto& world = profileWorld();
    std::string type = str::upper(gameType);
    if (type == "MAIN-GAME") {
        actLevel = world.loadLevel("MAIN-GAME", entry.url, 1);
        int result = 0;
        if (actLevel && actLevel->playable()) {
            // A fresh level: the play screen's counters start from nothing for this player.
            if (playCountersOwner() && playCountersOwner() != this) playCountersOwner()->takeCountersFromPlay();
            gameData = TPlayCounters{};
            giveCountersToPlay();
            world.playSetLevel(actLevel);
            if (actLevel->tutorialLevel() != 0) resetTutorialForLevel();
            world.playStartLevel();
        } else {
            actLevel = nullptr;
            result = -1;
        }
        hintsUsedOnLevel = mistakes = kamienieWWorku = 0;
        tempUseOfSkull = tempUseOfMedalion = tempUseOfEye = tempUseOfMap = tempUseOfSword = 0;
        ResumePowerUps();
        for (int32_t n = 1; n <= 6; ++n) restartPowerUpN(n);
        pausePowerUps2();
        numerLevelu = entry.numer;
        numerStageu = entry.stageN;
        addActLevelData();
        checkMaxLevel();
        return result;
    }
    if (type == "MAPA") {
        pausePowerUps();
        numerLevelu = entry.numer;
        numerStageu = entry.stageN;
        bool known = std::any_of(levele.begin(), levele.end(),
                                 [&](const auto& r) { return r->stageN == entry.stageN; });
        world.mapSetNewStage(known ? 0 : entry.stageN);
        return 0;
    }
    if (isMiniGame(type)) {
        pausePowerUps();
        actLevel = world.loadLevel(type, entry.url, 1);
        int result = 0;
        if (actLevel && actLevel->playable()) world.miniSetLevel(type, actLevel);
        else {
            actLevel = nullptr;
            result = -1;
        }
        numerLevelu = entry.numer;
        numerStageu = entry.stageN;
        addActLevelData();
        checkMaxLevel();
        return result;
    }
    return 0;
}

int TProfile::addActLevelData() {
    auto rec = getProfLevelData(numerLevelu);
    if (!rec) {
        rec = std::make_shared<TProfLevelData>();
        levele.push_back(rec);
    }
    rec->numerLevelu = numerLevelu;
    rec->stageN = numerStageu;
    rec->flowSequence = flowSequence;
    return 0;
}

int TProfile::checkMaxLevel() {
    if (maxLevel < numerLevelu) maxLevel = numerLevelu;
    return 0;
}

int TProfile::updateLevelData(int32_t level, int32_t passedFlag, int32_t scoreValue, int32_t timeValue,
                              int32_t mistakesValue, int32_t mnoznikValue) {
    auto rec = getProfLevelData2(level, numerStageu);
    if (!rec) {
        rec = std::make_shared<TProfLevelData>();
        levele.push_back(rec);
    }
    if (KeyDown('U')) Notify("LEVEL UPDATE");
    rec->numerLevelu = level;
    rec->flowSequence = flowSequence;
    rec->stageN = numerStageu;
    rec->passed = passedFlag;
    rec->score = scoreValue;
    rec->time = timeValue;
    rec->mistakes = mistakesValue;
    rec->mnoznik = mnoznikValue;
    rec->ileRazy += 1;
    return 0;
}

std::string TProfile::restartLevel() {
    auto& world = profileWorld();
    auto& master = world.tutorialTips();
    for (auto it = lekcjeTutoriala.begin(); it != lekcjeTutoriala.end();) {
        const auto& tip = *it;
        bool mine = tip && tip->numerLevelu == numerLevelu;
        bool inMaster = std::find(master.begin(), master.end(), tip) != master.end();
        if (mine && !inMaster) {
            std::string tipId = tip->id;
            it = lekcjeTutoriala.erase(it);
            if (auto fresh = world.loadExactTip(tipId)) master.push_back(fresh);
        } else {
            ++it;
        }
    }
    updateLevelData(numerLevelu, 0, 0, 1, 0, 1);
    flowSequence -= 1;
    return getNextLevel();
}

std::string TProfile::setLevel(const TLevelData& entry) {
    gameType = entry.gameType;
    setProperLevel(entry);
    flowSequence = entry.nr;
    return gameType;
}

std::string TProfile::ContinueGame() {
    std::string type = str::upper(gameType);
    // The outro leads to the credits and the menu without moving the position on, so
    // continuing after it would tell the ending again for ever: it goes past it instead,
    // to the end of the levels (or whatever follows the outro in the flow).
    if (type == "STORY-OUTRO") return "GET-NEXT-LEVEL";
    bool game = type == "MAIN-GAME" || isMiniGame(type);
    if (game) {
        // Without a level of this type to resume (never kept, unreadable or empty), the
        // entry at the current position is prepared again instead.
        if (!actLevel || !actLevel->playable() || actLevel->gameType() != type) return "RESTART-LEVEL";
        if (type == "MAIN-GAME") {
            if (actLevel->tutorialLevel() != 0) return "RESTART-LEVEL";
            giveCountersToPlay();
            profileWorld().playSetLevel(actLevel);
        } else {
            profileWorld().miniSetLevel(type, actLevel);
        }
    }
    return gameType;
}

int32_t TProfile::canContinue() const {
    return (actLevel || numerLevelu > 1 || numerStageu > 1) ? 1 : 0;
}

std::string TProfile::getUnplayedLevelStuff(const TProfLevelData& record) {
    numerLevelu = record.numerLevelu;
    flowSequence = record.flowSequence;
    auto entry = getMyLevelData();
    if (!entry) return "END-OF-LEVELS";
    gameType = entry->gameType;
    setProperLevel(*entry);
    save();
    return gameType;
}

std::string TProfile::getNextUnplayedLevel() {
    for (const auto& r : levele)
        if (r->passed == 0) {
            TProfLevelData copy = *r;
            return getUnplayedLevelStuff(copy);
        }
    return "GET-NEXT-LEVEL";
}
