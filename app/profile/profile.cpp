#include "app/profile/profile.h"

#include <algorithm>

#include "app/app_globals.h"
#include "app/folders.h"
#include "platform/strings.h"
#include "platform/system.h"

namespace {
TProfile* gCountersOwner = nullptr;
}

TProfile* playCountersOwner() { return gCountersOwner; }
void resetPlayCountersOwner() { gCountersOwner = nullptr; }

TProfile::~TProfile() {
    if (gCountersOwner == this) gCountersOwner = nullptr;
}

void TProfile::giveCountersToPlay() {
    // Whoever held the play screen's counters keeps what they reached.
    if (gCountersOwner && gCountersOwner != this) gCountersOwner->takeCountersFromPlay();
    profileWorld().playSetCounters(gameData);
    gCountersOwner = this;
}

void TProfile::takeCountersFromPlay() {
    if (gCountersOwner != this) return;
    TPlayCounters now;
    if (profileWorld().playGetCounters(now)) gameData = now;
}

std::string profileIdOf(const std::string& name) {
    std::string out;
    for (char32_t cp : str::toCodePoints(name)) {
        if (cp > 0xFFFF) {
            // Two 16-bit units, as the id has always counted them.
            char32_t v = cp - 0x10000;
            out += std::to_string(0xD800 + (v >> 10)) + "-";
            out += std::to_string(0xDC00 + (v & 0x3FF)) + "-";
        } else {
            out += std::to_string(uint32_t(cp)) + "-";
        }
    }
    return out;
}

bool isValidProfileId(const std::string& id) {
    if (id.empty() || id.size() > 200) return false;
    bool digitSeen = false;
    for (char c : id) {
        if (c >= '0' && c <= '9') digitSeen = true;
        else if (c == '-' && digitSeen) digitSeen = false;
        else return false;
    }
    return id.back() == '-';
}

std::string cleanProfileName(const std::string& name) {
    std::string out;
    for (char c : name) {
        bool ok = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        if (ok && out.size() < 20) out += c;
    }
    return out;
}

std::string TProfile::getId() {
    id = profileIdOf(name);
    return id;
}

std::string TProfile::folder() { return userPath("/Profiles/" + getId()); }

// ---- power-up timers -------------------------------------------------------------------

int TProfile::pausePowerUps() {
    if (paused == 0) {
        powerUpsPomTime = Millisecs();
        paused = 1;
    }
    return 0;
}

int TProfile::pausePowerUps2() {
    powerUpsPomTime = Millisecs();
    paused = 1;
    return 0;
}

int TProfile::ResumePowerUps() {
    if (paused == 0) return 0;
    paused = 0;
    int32_t span = Millisecs() - powerUpsPomTime;
    for (auto& c : czas) c += span;
    return 0;
}

int TProfile::resetPowerUp(int32_t n) {
    if (n >= 1 && n <= 6) czas[size_t(n - 1)] = Millisecs();
    return 0;
}

int TProfile::usePowerUp(int32_t n) { return resetPowerUp(n); }

int TProfile::restartPowerUpN(int32_t n) {
    if (n >= 1 && n <= 6) czas[size_t(n - 1)] = Millisecs() - profileWorld().powerUpRechargeMs(n);
    return 0;
}

int TProfile::checkPowerUpUnlocked() {
    static const int32_t threshold[6] = {5, 3, 10, 4, 9, 6};
    for (size_t i = 0; i < 6; ++i) unlocked[i] = numerStageu >= threshold[i] ? 1 : 0;
    return 0;
}

// ---- awards, stages, levels -------------------------------------------------------------

int32_t TProfile::countAward(int32_t awardId) const {
    return int32_t(std::count_if(awardy.begin(), awardy.end(),
                                 [&](const auto& a) { return a && a->id == awardId; }));
}

std::shared_ptr<TAward> TProfile::getAward(int32_t awardId) const {
    for (const auto& a : awardy)
        if (a && a->id == awardId) return a;
    return nullptr;
}

std::shared_ptr<TAward> TProfile::getHighestAwardByTyp(int32_t typ) const {
    std::shared_ptr<TAward> best;
    for (const auto& a : awardy)
        if (a && a->typ == typ && a->level > 0 && (!best || a->level > best->level)) best = a;
    return best;
}

int32_t TProfile::isStageAvailable(int32_t stage) const {
    for (const auto& r : levele)
        if (r->stageN == stage && r->passed != 0) return 1;
    return 0;
}

int32_t TProfile::getStageNumber() const {
    return profileWorld().getStageNumberByLevel(flowType, numerLevelu);
}

TLevelDataList TProfile::getLeveleForStage(int32_t stage) const {
    return profileWorld().levelsByStage(flowType == "HARD", stage);
}

int32_t TProfile::getMaxStage() const {
    int32_t best = 0;
    for (const auto& r : levele) best = std::max(best, r->stageN);
    return best;
}

int32_t TProfile::getMaxLevel(int32_t stage) const {
    int32_t best = 0;
    for (const auto& r : levele)
        if (r->stageN == stage) best = std::max(best, r->numerLevelu);
    return best;
}

std::shared_ptr<TProfLevelData> TProfile::getProfLevelData(int32_t level) const {
    return getProfLevelData2(level, numerStageu);
}

std::shared_ptr<TProfLevelData> TProfile::getProfLevelData2(int32_t level, int32_t stage) const {
    for (const auto& r : levele)
        if (r->numerLevelu == level && r->stageN == stage) return r;
    return nullptr;
}

// ---- tutorial and dialogues ----------------------------------------------------------------

int32_t TProfile::IDontHaveTip(const std::string& tipId) const {
    for (const auto& t : lekcjeTutoriala)
        if (t && str::equalsNoCase(t->id, tipId)) return 0;
    return 1;
}

int TProfile::resetTutorialForLevel() {
    for (const auto& t : profileWorld().tutorialTips())
        if (t && t->rememberMe != 0 && t->numerLevelu == numerLevelu && IDontHaveTip(t->id) == 1)
            lekcjeTutoriala.push_back(t);
    return 0;
}

int32_t TProfile::checkDialog(const std::string& word) const {
    for (const auto& d : profileWorld().dialogs())
        if (d.stageN == numerStageu && d.levelN == numerLevelu && d.atBeginOrEnd == word) return d.id;
    return 0;
}

// ---- resets -----------------------------------------------------------------------------

int TProfile::resetProfile() {
    awardy.clear();
    levele.clear();
    lekcjeTutoriala.clear();
    flowSequence = 0;
    gameType.clear();
    numerLevelu = numerStageu = maxLevel = 1;
    actLevel = nullptr;
    score = 0;
    noMistakesOnLevel = 1;
    lastScore = 0;
    hintsUsedOnLevel = 0;
    useOfSkull = useOfSword = useOfMedalion = useOfEye = useOfMap = 0;
    return 0;
}
