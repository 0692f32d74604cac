#include "game/flow/level_manager.h"

#include <algorithm>

#include "app/ekran.h"
#include "app/profile/profile.h"
#include "app/profile/profile_manager.h"
#include "gui/data/qcmfile.h"
#include "gui/data/txtfile.h"
#include "gui/frame/deltatime.h"
#include "gui/globals.h"
#include "platform/files.h"
#include "platform/strings.h"

TLevelManager levelManager;

namespace {

const TFlowEntryList& listFor(const TLevelManager& m, bool hard) { return hard ? m.hardLevels : m.casualLevels; }

void fillNames(const std::string& path, std::vector<std::string>& out) {
    auto file = loadTxtFile(bDir + path);
    out.clear();
    for (int32_t n = 1; n <= file->lines(); ++n) out.push_back(readTxtData(file, n));
}

// The profile's record of the entry's level says it was won.
bool passedBy(const TProfile& profile, const TFlowEntry& e) {
    auto rec = profile.getProfLevelData2(e.numer, e.stageN);
    return rec && rec->passed != 0;
}

}  // namespace

TProfile* currentFlowProfile() { return profileManager.profile.get(); }

bool isGameEntryType(const std::string& gameType) {
    return gameType == "MAIN-GAME" || gameType == "PUZZLE-EXPRESS" || gameType == "HIDDEN-OBJECT" ||
           gameType == "LAY-PUZZLE";
}

std::shared_ptr<TFlowEntry> asFlowEntry(const std::shared_ptr<TLevelData>& entry) {
    return std::dynamic_pointer_cast<TFlowEntry>(entry);
}

int TFlowEntry::update() {
    easeToward(overA, dOverA, 0.05f, delta);
    return 0;
}

int TFlowEntry::playable() const {
    std::string type = str::upper(gameType);
    if (type == "MAPA" || type.rfind("STORY", 0) == 0) return 0;
    return 1;
}

int32_t TStageData::isAtLeastOneLevelPassed() const { return isAtLeastOneLevelPassed(currentFlowProfile()); }
int32_t TStageData::areAllLevelsFinished() const { return areAllLevelsFinished(currentFlowProfile()); }

int32_t TStageData::isAtLeastOneLevelPassed(const TProfile* profile) const {
    if (!profile) return 0;
    for (const auto& level : levels) {
        auto rec = profile->getProfLevelData2(str::toInt(level), id);
        if (rec && rec->passed != 0) return 1;
    }
    return 0;
}

int32_t TStageData::areAllLevelsFinished(const TProfile* profile) const {
    if (!profile) return 0;
    for (const auto& level : levels) {
        auto rec = profile->getProfLevelData2(str::toInt(level), id);
        if (!rec || rec->passed == 0) return 0;
    }
    return 1;
}

void TLevelManager::clear() {
    casualLevels.clear();
    hardLevels.clear();
    backgroundsByStages.clear();
    stagesList.clear();
    casualNames.clear();
    hardNames.clear();
}

std::shared_ptr<TStageData> TLevelManager::getStageData(int32_t stage) const {
    for (const auto& s : stagesList)
        if (s->id == stage) return s;
    return nullptr;
}

int TLevelManager::giveStageData(int32_t stage, int32_t level) {
    auto s = getStageData(stage);
    if (!s) {
        s = std::make_shared<TStageData>();
        s->id = stage;
        stagesList.push_back(s);
    }
    for (const auto& l : s->levels)
        if (str::toInt(l) == level) return 0;
    s->levels.push_back(str::formatInt(level));
    return 0;
}

int TLevelManager::readFlow(const std::string& normal, const std::string& testing, TFlowEntryList& out,
                            bool recordStages) {
    // The normal file is always read, so its absence is reported even under an override.
    auto file = loadQCMFile(bDir + normal);
    if (files::fileType(bDir + testing) == files::FILETYPE_FILE) file = loadQCMFile(bDir + testing);
    out.clear();
    const int32_t n = file->getCount("flow::i", "level");
    int32_t counter = 1;
    for (int32_t k = 1; k <= n; ++k) {
        std::string group = "flow::level" + str::formatInt(k) + "::";
        auto e = std::make_shared<TFlowEntry>();
        e->nr = k;
        e->numer = file->getInt(group + "numer");
        const std::string url = file->getString(group + "url");
        if (files::insideTree(url)) {
            e->url = bDir + url;
        } else {
            file->errorMsg(file->_path + ": level" + str::formatInt(k) + " names \"" + url +
                           "\", which lies outside the game's folders; that level cannot be played.");
        }
        e->gameType = str::upper(file->getString(group + "gameType"));
        e->stageN = file->getInt(group + "stageN");
        e->actualLevelNumber = counter;
        if (isGameEntryType(e->gameType)) ++counter;
        // An entry without a game type is dropped; its nr stays unused.
        if (e->gameType.empty()) continue;
        out.push_back(e);
        if (recordStages) giveStageData(e->stageN, e->numer);
    }
    return 0;
}

int TLevelManager::_setupCasual() {
    return readFlow("data/flow_casual.dat", "data/_testing_flow_casual.dat", casualLevels, false);
}

int TLevelManager::_setupHard() {
    stagesList.clear();
    return readFlow("data/flow_hard.dat", "data/_testing_flow_hard.dat", hardLevels, true);
}

int TLevelManager::_setupBackgroundsByStages() {
    auto file = loadQCMFile(bDir + "data/stagebackgrounds.dat");
    backgroundsByStages.clear();
    const int32_t n = file->getCount("stagesBackground::i", "stage");
    for (int32_t k = 1; k <= n; ++k)
        backgroundsByStages.push_back(file->getString("stagesBackground::stage" + str::formatInt(k)));
    return 0;
}

int TLevelManager::_setupCasualLevelNames() {
    fillNames("txt/#LANG#/casual-level-names.txt", casualNames);
    return 0;
}

int TLevelManager::_setupHardLevelNames() {
    fillNames("txt/#LANG#/hard-level-names.txt", hardNames);
    return 0;
}

int TLevelManager::setup() {
    _setupCasual();
    _setupHard();
    _setupBackgroundsByStages();
    _setupCasualLevelNames();
    _setupHardLevelNames();
    return 0;
}

std::string TLevelManager::getBackgroundUrl(int32_t stage) const {
    if (stage < 1 || stage > static_cast<int32_t>(backgroundsByStages.size())) return "";
    return "gfx/backgrounds/background-" + str::trim(backgroundsByStages[size_t(stage - 1)]) + ".jpg";
}

int32_t TLevelManager::getStageNumberByLevel(const std::string& flowType, int32_t level) const {
    if (flowType != "HARD" && flowType != "CASUAL") return 0;
    for (const auto& e : listFor(*this, flowType == "HARD"))
        if (e->numer == level) return e->stageN;
    return 0;
}

TFlowEntryList TLevelManager::getCasualLevelsByStage(int32_t stage) const {
    TFlowEntryList out;
    for (const auto& e : casualLevels)
        if (e->stageN == stage && e->playable() == 1) out.push_back(e);
    return out;
}

TFlowEntryList TLevelManager::getHardLevelsByStage(int32_t stage) const {
    TFlowEntryList out;
    for (const auto& e : hardLevels)
        if (e->stageN == stage && e->playable() == 1) out.push_back(e);
    return out;
}

std::shared_ptr<TFlowEntry> TLevelManager::getCasualLevelData(int32_t stage, int32_t level) const {
    for (const auto& e : casualLevels)
        if (e->stageN == stage && e->numer == level) return e;
    return nullptr;
}

std::shared_ptr<TFlowEntry> TLevelManager::getHardLevelData(int32_t stage, int32_t level) const {
    for (const auto& e : hardLevels)
        if (e->stageN == stage && e->numer == level) return e;
    return nullptr;
}

std::string TLevelManager::nameFor(const std::string& flowType, int32_t n) const {
    std::string type = str::upper(flowType);
    const std::vector<std::string>* names = nullptr;
    if (type == "HARD") names = &hardNames;
    else if (type == "CASUAL") names = &casualNames;
    if (!names || n < 1 || n > static_cast<int32_t>(names->size())) return "";
    return (*names)[size_t(n - 1)];
}

std::string TLevelManager::getNameByLevelData(int32_t n) const {
    const TProfile* p = currentFlowProfile();
    return p ? nameFor(p->flowType, n) : "";
}

std::shared_ptr<TFlowEntry> TLevelManager::getActualLevelData() const {
    const TProfile* p = currentFlowProfile();
    if (!p) return nullptr;
    std::string type = str::upper(p->flowType);
    if (type == "HARD") return getHardLevelData(p->numerStageu, p->numerLevelu);
    if (type == "CASUAL") return getCasualLevelData(p->numerStageu, p->numerLevelu);
    return nullptr;
}

std::shared_ptr<TFlowEntry> TLevelManager::entryByNr(const std::string& flowType, int32_t nr) const {
    if (flowType != "HARD" && flowType != "CASUAL") return nullptr;
    for (const auto& e : listFor(*this, flowType == "HARD"))
        if (e->nr == nr) return e;
    return nullptr;
}

std::shared_ptr<TFlowEntry> TLevelManager::getProfileLevelData(const TProfile& profile) const {
    return entryByNr(profile.flowType, profile.flowSequence);
}

TFlowEntryList TLevelManager::stageLevelsOf(const TProfile& profile, int32_t stage) const {
    return profile.flowType == "HARD" ? getHardLevelsByStage(stage) : getCasualLevelsByStage(stage);
}

std::shared_ptr<TFlowEntry> TLevelManager::firstUnplayedLevel(const TProfile& profile, int32_t stage) const {
    for (const auto& e : stageLevelsOf(profile, stage))
        if (!passedBy(profile, *e)) return e;
    return nullptr;
}

int32_t TLevelManager::stageWon(const TProfile& profile, int32_t stage) const {
    const auto list = stageLevelsOf(profile, stage);
    return !list.empty() && std::all_of(list.begin(), list.end(), [&](const auto& e) { return passedBy(profile, *e); })
               ? 1
               : 0;
}

int32_t TLevelManager::voyageStage(const TProfile& profile) const {
    for (const auto& e : listFor(*this, profile.flowType == "HARD"))
        if (e->playable() == 1 && !passedBy(profile, *e)) return e->stageN;
    return 0;
}
