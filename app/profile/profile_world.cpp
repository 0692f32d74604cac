#include "app/profile/profile_world.h"

#include <map>

#include "platform/strings.h"

namespace {

TProfileWorld& defaultWorld() {
    static TProfileWorld w;
    return w;
}
TProfileWorld* gWorld = nullptr;
std::function<std::vector<TDialogKey>()> gDialogSource;
TTutorialSource gTutorial;

std::map<std::string, TMiniGameLevels>& miniGames() {
    static std::map<std::string, TMiniGameLevels> m;
    return m;
}

}  // namespace

TProfileWorld& profileWorld() { return gWorld ? *gWorld : defaultWorld(); }
void setProfileWorld(TProfileWorld* world) { gWorld = world; }
void setTutorialSource(TTutorialSource source) { gTutorial = std::move(source); }
void setDialogSource(std::function<std::vector<TDialogKey>()> source) { gDialogSource = std::move(source); }

std::shared_ptr<TLevelData> TProfileWorld::flowEntry(const std::string&, int32_t) { return nullptr; }
TLevelDataList TProfileWorld::flowEntries(const std::string& flowType) {
    TLevelDataList out;
    for (int32_t nr = 1; nr < 100000; ++nr) {
        auto e = flowEntry(flowType, nr);
        if (!e) break;
        out.push_back(std::move(e));
    }
    return out;
}
int32_t TProfileWorld::getStageNumberByLevel(const std::string&, int32_t) { return 0; }
TLevelDataList TProfileWorld::levelsByStage(bool, int32_t) { return {}; }

std::shared_ptr<TLevelInProgress> TProfileWorld::loadLevel(const std::string& gameType,
                                                           const std::string& path, int32_t fresh) {
    // Only the mini-games' readers plug in here; the nonogram's is the progressions' world's.
    auto it = miniGames().find(str::upper(gameType));
    if (it != miniGames().end() && it->second.load) return it->second.load(path, fresh);
    return nullptr;
}

void setMiniGameLevels(const std::string& gameType, TMiniGameLevels levels) {
    miniGames()[str::upper(gameType)] = std::move(levels);
}

void TProfileWorld::playSetLevel(const std::shared_ptr<TLevelInProgress>&) {}
void TProfileWorld::playStartLevel() {}
int32_t TProfileWorld::powerUpRechargeMs(int32_t) { return 0; }
void TProfileWorld::playSetCounters(const TPlayCounters&) {}
bool TProfileWorld::playGetCounters(TPlayCounters&) { return false; }
void TProfileWorld::miniSetLevel(const std::string& gameType, const std::shared_ptr<TLevelInProgress>& level) {
    auto it = miniGames().find(str::upper(gameType));
    if (it != miniGames().end() && it->second.setLevel) it->second.setLevel(level);
}
void TProfileWorld::mapSetNewStage(int32_t) {}
TTipList& TProfileWorld::tutorialTips() { return gTutorial.tips ? gTutorial.tips() : tips_; }
TTipList& TProfileWorld::specialTips() { return gTutorial.special ? gTutorial.special() : special_; }
void TProfileWorld::tutorialSetup() {
    if (gTutorial.setup) gTutorial.setup();
}
std::shared_ptr<TTipRecord> TProfileWorld::loadExactTip(const std::string& id) {
    if (gTutorial.loadExact) return gTutorial.loadExact(id);
    for (auto& t : tips_)
        if (t && str::equalsNoCase(t->id, id)) {
            auto copy = std::make_shared<TTipRecord>(*t);
            return copy;
        }
    return nullptr;
}
std::shared_ptr<TTipRecord> TProfileWorld::tipById(const std::string& id) {
    std::string want = str::upper(id);
    for (auto& t : tutorialTips())
        if (t && t->id == want) return t;
    for (auto& t : specialTips())
        if (t && t->id == want) return t;
    return nullptr;
}
std::shared_ptr<TAward> TProfileWorld::awardById(int32_t) { return nullptr; }
std::vector<TDialogKey> TProfileWorld::dialogs() {
    return gDialogSource ? gDialogSource() : std::vector<TDialogKey>{};
}
