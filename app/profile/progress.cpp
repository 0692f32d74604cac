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

bool isVoyage(const std::string& flowType) { return flowType == "CASUAL" || flowType == "HARD"; }

std::string voyageWord(const std::string& flowType) { return flowType == "HARD" ? "hard" : "casual"; }

// The types a position can name: the games, the map and the story places.
bool isKnownGameType(const std::string& type) {
    return type == "MAIN-GAME" || isMiniGame(type) || type == "MAPA" || type.rfind("STORY", 0) == 0;
}

std::string levelWords(int32_t level, int32_t stage) {
    return "level " + std::to_string(level) + " of stage " + std::to_string(stage);
}

}  // namespace

std::string voyageName(const std::string& stored) {
    // A voyage is named by one word: quotes, blanks or a number a damaged line carries
    // around it are not part of the name.
    static const char* word = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-_";
    const std::string s = str::upper(stored);
    const size_t from = s.find_first_of(word);
    if (from == std::string::npos) return "";
    return s.substr(from, s.find_first_not_of(word, from) - from);
}

bool TProfile::settleVoyage(const std::string& file) {
    if (isVoyage(flowType)) return false;
    const std::string stored = flowType;
    auto& world = profileWorld();
    // The voyage whose entry at the position is the level this player is on.
    auto fits = [&](const char* voyage) {
        auto e = world.flowEntry(voyage, flowSequence);
        return e && str::upper(e->gameType) == str::upper(gameType) && e->numer == numerLevelu &&
               e->stageN == numerStageu;
    };
    bool hard = fits("HARD") && !fits("CASUAL");
    if (!world.flowEntry("CASUAL", 1) && world.flowEntry("HARD", 1)) hard = true;
    flowType = hard ? "HARD" : "CASUAL";
    // A player who has not chosen yet chooses before the first level: nothing to tell.
    if (stored.empty() && flowSequence == 0 && gameType.empty()) return true;
    needsSave = true;
    Notify("The player file \"" + file + "\" " +
           (stored.empty() ? std::string("names no voyage") : "names the voyage \"" + stored + "\", which the game does not have") +
           ". " + name + " goes on in the " + voyageWord(flowType) + " voyage.");
    return true;
}

bool TProfile::settleInFlow(const std::string& file) {
    bool changed = settleVoyage(file);
    auto& world = profileWorld();
    const TLevelDataList all = world.flowEntries(flowType);
    // Progressions not loaded: nothing to measure the position against.
    if (all.empty()) return changed;
    const std::string where = "The player file \"" + file + "\" ";
    std::shared_ptr<TLevelData> lastEntry;
    for (const auto& e : all)
        if (!lastEntry || e->nr > lastEntry->nr) lastEntry = e;
    // Just past the last place, still on its game type: the voyage is over, as advancing
    // past its end leaves it.
    const bool over = flowSequence == lastEntry->nr + 1 && str::upper(gameType) == str::upper(lastEntry->gameType);
    if (flowSequence != 0 && !over && !world.flowEntry(flowType, flowSequence)) {
        // The entry of the player's own level and stage, of their game type when there are several.
        std::shared_ptr<TLevelData> mine;
        for (const auto& e : all)
            if (e->numer == numerLevelu && e->stageN == numerStageu &&
                (!mine || (str::upper(e->gameType) == str::upper(gameType) &&
                           str::upper(mine->gameType) != str::upper(gameType))))
                mine = e;
        const int32_t last = lastEntry->nr;
        const int32_t stored = flowSequence;
        std::string goesOn;
        if (mine) {
            flowSequence = mine->nr;
            goesOn = "at " + levelWords(numerLevelu, numerStageu);
        } else if (flowSequence < 0) {
            flowSequence = 0;
            goesOn = "from the start of the voyage";
        } else {
            flowSequence = last;
            goesOn = "from the last place of the voyage";
        }
        auto entry = world.flowEntry(flowType, flowSequence);
        gameType = entry ? str::upper(entry->gameType) : std::string();
        needsSave = true;
        Notify(where + "puts " + name + " at place " + std::to_string(stored) + " of the " + voyageWord(flowType) +
               " voyage, which has " + std::to_string(last) + " places. " + name + " goes on " + goesOn + ".");
        return true;
    }
    const std::string type = str::upper(gameType);
    if (auto entry = flowSequence > 0 ? world.flowEntry(flowType, flowSequence) : nullptr) {
        const std::string want = str::upper(entry->gameType);
        if (type == want) return changed;
        gameType = want;
        needsSave = true;
        Notify(where + "says " + name + " is playing \"" + type + "\", but the " + voyageWord(flowType) +
               " voyage has \"" + want + "\" there. " + name + " goes on with that.");
        return true;
    }
    if (!type.empty() && !isKnownGameType(type)) {
        // Before the first place: nothing is being played.
        gameType.clear();
        needsSave = true;
        Notify(where + "says " + name + " is playing \"" + type + "\", which the game does not have. " + name +
               " starts the voyage from its beginning.");
        return true;
    }
    return changed;
}

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
        Notify("The level \"" + entry->url + "\" cannot be played: back to the main menu, where Continue tries it again.");
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
