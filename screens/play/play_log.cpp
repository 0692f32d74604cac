#include "screens/play/play_log.h"

#include <map>

#include "app/profile/profile.h"
#include "app/profile/profile_manager.h"
#include "effects/flying_tresure.h"
#include "effects/list.h"
#include "game/board/level.h"
#include "gui/data/qcmfile.h"
#include "platform/strings.h"
#include "screens/play/main_game.h"

int playLogOn = 0;
std::vector<std::shared_ptr<TPlayLog>> playLogList;
std::string TPlayLog::profileName;

namespace {

void giveZerkonLevelLog(TPlayLog& log) {
    TLevel* level = mainGame.level();
    log.punkty = level ? level->score : 0;
    log.skarby = level ? int32_t(fx::live(level->flyingTresures)) : 0;
    log.useMedalion = mainGame.useMedalionN;
    log.useMiecz = mainGame.useMieczN;
    log.useOko = mainGame.useOkoN;
    log.useMapa = mainGame.useMapaN;
    log.useCzaszka = mainGame.useCzaszkaN;
    log.mistakes = mainGame.prof().mistakes;
    log.hintsUsed = mainGame.useHintsN;
    log.combo = int32_t(mainGame.mnoznik);
    log.livingsCount = mainGame.allLivingsN;
    log.livingsPicked = mainGame.useLivingsN;
    log.time = level ? level->czas : 0;
}

void saveZerkonLog(TQCMFile& f, const std::string& g, const TPlayLog& log) {
    const std::pair<const char*, int32_t> keys[] = {
        {"::punkty", log.punkty},         {"::skarby", log.skarby},
        {"::uzytych_medalionow", log.useMedalion}, {"::uzytych_mieczy", log.useMiecz},
        {"::uzytych_oczu", log.useOko},   {"::uzytych_map", log.useMapa},
        {"::uzytych_czaszek", log.useCzaszka}, {"::pomylki", log.mistakes},
        {"::uzytych_hintow", log.hintsUsed}, {"::osiagniety_mnoznik", log.combo},
        {"::odkrytych_zwierzatek", log.livingsCount}, {"::uzytych_zwierzatek", log.livingsPicked},
        {"::czas", log.time},             {"::level_zaliczony", log.passed}};
    for (const auto& [key, value] : keys) f.setFloat(g + key, float(value));
}

void savePuzzleExpressLog(TQCMFile& f, const std::string& g, const TPlayLog& log) {
    const std::pair<const char*, int32_t> keys[] = {
        {"::czas", log.time}, {"::ilosc_podniesionych_klockow", log.podniesienia},
        {"::ilosc_wlozonych_klockow", log.wlozenia}, {"::ilosc_wyjetych_klockow", log.wyjecia},
        {"::ilosc_odlozonych_klockow", log.wyrzucenia}, {"::uzyto_skip", log.skipPuzzle}};
    for (const auto& [key, value] : keys) f.setFloat(g + key, float(value));
}

std::map<std::string, std::function<void(TPlayLog&)>>& fillers() {
    static std::map<std::string, std::function<void(TPlayLog&)>> m;
    return m;
}

}  // namespace

void setPlayLogFiller(const std::string& gameType, std::function<void(TPlayLog&)> filler) {
    if (filler)
        fillers()[str::upper(gameType)] = std::move(filler);
    else
        fillers().erase(str::upper(gameType));
}

int createLog(int result) {
    if (playLogOn == 0) return 0;
    auto log = std::make_shared<TPlayLog>();
    TProfile& p = mainGame.prof();
    TPlayLog::profileName = p.name;
    log->id = int32_t(playLogList.size()) + 1;
    log->numerLevelu = p.numerLevelu;
    log->gameType = p.gameType;
    log->passed = result;
    const std::string type = str::upper(log->gameType);
    if (type == "MAIN-GAME") {
        giveZerkonLevelLog(*log);
    } else if (auto it = fillers().find(type); it != fillers().end()) {
        it->second(*log);
    }
    playLogList.push_back(log);
    return 0;
}

std::string playLogPath() { return "log.txt"; }

int saveLog() {
    if (playLogOn == 0) return 0;
    auto f = createQCMFile();
    f->setString("playLog::user", TPlayLog::profileName);
    int n = 1;
    for (const auto& log : playLogList) {
        const std::string g = "playLog::log" + std::to_string(n++);
        f->setFloat(g + "::id", float(log->id));
        f->setFloat(g + "::numer_levelu", float(log->numerLevelu));
        f->setString(g + "::gameType", log->gameType);
        if (log->gameType == "MAIN-GAME") saveZerkonLog(*f, g, *log);
        if (log->gameType == "PUZZLE-EXPRESS") savePuzzleExpressLog(*f, g, *log);
    }
    f->save(playLogPath());
    return 0;
}

void resetPlayLog() {
    playLogOn = 0;
    playLogList.clear();
    TPlayLog::profileName.clear();
}
