#include "screens/play/play_log.h"

#include <initializer_list>
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

// One record's keys of its game type, in the file's order; a text value where the key
// holds one, else a number.
struct TLogKey {
    const char* key;
    int32_t number;
    const std::string* text = nullptr;
};

void saveKeys(TQCMFile& f, const std::string& g, std::initializer_list<TLogKey> keys) {
    for (const TLogKey& k : keys) {
        if (k.text)
            f.setString(g + k.key, *k.text);
        else
            f.setFloat(g + k.key, float(k.number));
    }
}

void saveZerkonLog(TQCMFile& f, const std::string& g, const TPlayLog& log) {
    saveKeys(f, g,
             {{"::punkty", log.punkty},
              {"::skarby", log.skarby},
              {"::uzytych_medalionow", log.useMedalion},
              {"::uzytych_mieczy", log.useMiecz},
              {"::uzytych_oczu", log.useOko},
              {"::uzytych_map", log.useMapa},
              {"::uzytych_czaszek", log.useCzaszka},
              {"::pomylki", log.mistakes},
              {"::uzytych_hintow", log.hintsUsed},
              {"::osiagniety_mnoznik", log.combo},
              {"::odkrytych_zwierzatek", log.livingsCount},
              {"::uzytych_zwierzatek", log.livingsPicked},
              {"::czas", log.time},
              {"::level_zaliczony", log.passed}});
}

void saveInLayLog(TQCMFile& f, const std::string& g, const TPlayLog& log) {
    saveKeys(f, g,
             {{"::czas", log.time},
              {"::ilosc_klockow_spadnietych", log.iloscKlockowSpadnietych},
              {"::klocki_wlozone", log.wlozenia},
              {"::klocki_rozbite", log.klockiRozbite},
              {"::klocki_upuszczone", log.wyrzucenia}});
}

void saveHiddenObjectLog(TQCMFile& f, const std::string& g, const TPlayLog& log) {
    saveKeys(f, g,
             {{"::czas", log.time},
              {"::zle_klikniecia", log.fails},
              {"::kolejnosc_zebranych_przedmiotow", 0, &log.kolejnoscPrzedmiotow},
              {"::przedmiotow_do_odkrycia", log.doOdkrycia},
              {"::uzyto_skip", log.skipPuzzle},
              {"::uzyto_hintow", log.hintsUsed}});
}

void savePuzzleExpressLog(TQCMFile& f, const std::string& g, const TPlayLog& log) {
    saveKeys(f, g,
             {{"::czas", log.time},
              {"::ilosc_podniesionych_klockow", log.podniesienia},
              {"::ilosc_wlozonych_klockow", log.wlozenia},
              {"::ilosc_wyjetych_klockow", log.wyjecia},
              {"::ilosc_odlozonych_klockow", log.wyrzucenia},
              {"::uzyto_skip", log.skipPuzzle}});
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
    // The record's writer by its type as stored, case counting: another type writes only
    // the three common keys.
    using Writer = void (*)(TQCMFile&, const std::string&, const TPlayLog&);
    const std::pair<const char*, Writer> writers[] = {{"MAIN-GAME", saveZerkonLog},
                                                      {"LAY-PUZZLE", saveInLayLog},
                                                      {"HIDDEN-OBJECT", saveHiddenObjectLog},
                                                      {"PUZZLE-EXPRESS", savePuzzleExpressLog}};
    int n = 1;
    for (const auto& log : playLogList) {
        const std::string nr = std::to_string(n++);
        const std::string common = "playlog::log" + nr;
        f->setFloat(common + "::id", float(log->id));
        f->setFloat(common + "::numer_levelu", float(log->numerLevelu));
        f->setString(common + "::gameType", log->gameType);
        for (const auto& [type, write] : writers)
            if (log->gameType == type) write(*f, "playLog::log" + nr, *log);
    }
    f->save(playLogPath());
    return 0;
}

void resetPlayLog() {
    playLogOn = 0;
    playLogList.clear();
    TPlayLog::profileName.clear();
}
