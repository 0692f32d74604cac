// The play-statistics log: off, nothing is kept or written; switched on, one record per
// finished or abandoned level through the real screens, and "log.txt" with the keys of each
// game type in their order.
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "gui/data/qcmfile.h"
#include "minigames/hidden_object/ho_level.h"
#include "minigames/hidden_object/ho_object.h"
#include "minigames/lay_puzzle/lp_level.h"
#include "minigames/puzzle_express/pe_level.h"
#include "screens/hidden_object/hidden_object.h"
#include "screens/lay_puzzle/lay_puzzle.h"
#include "screens/play/play_log.h"
#include "screens/puzzle_express/puzzle_express.h"
#include "test_play_support.h"

namespace {

// One entry of a record's group as it stands in the file: key, value, text or number.
struct Written {
    std::string key;
    std::string text;  // a text value
    float number = 0;  // a number value
    bool isText = false;
    bool operator==(const Written&) const = default;
};

Written num(const char* key, float v) { return {key, "", v, false}; }
Written txt(const char* key, const char* v) { return {key, v, 0, true}; }

std::ostream& operator<<(std::ostream& o, const Written& w) {
    return o << w.key << "=" << (w.isText ? "\"" + w.text + "\"" : std::to_string(w.number));
}

// The entries of "playLog::<group>" in file order.
std::vector<Written> group(const TQCMFile& f, const std::string& name) {
    std::vector<Written> out;
    const TQCMGroup* g = f.groupAt("playLog::" + name);
    if (!g) return out;
    for (const auto& e : g->_listaWpisow) {
        Written w{e->_id, "", 0, e->_type == _QCM_string};
        if (w.isText) w.text = e->_value.empty() ? "" : e->_value[0];
        else w.number = std::strtof(e->_value.empty() ? "0" : e->_value[0].c_str(), nullptr);
        out.push_back(w);
    }
    return out;
}

// A record's whole group: the three keys every record has, then those of its type.
std::vector<Written> recordKeys(int id, int level, const char* type, const std::vector<Written>& own) {
    std::vector<Written> all = {num("id", float(id)), num("numer_levelu", float(level)), txt("gameType", type)};
    all.insert(all.end(), own.begin(), own.end());
    return all;
}

class PlayLogTest : public playtest::PlayTest {
protected:
    std::filesystem::path old, dir;
    void SetUp() override {
        PlayTest::SetUp();
        resetPlayLog();
        old = std::filesystem::current_path();
        dir = std::filesystem::path(::testing::TempDir()) / "zerkon_playlog";
        std::filesystem::create_directories(dir);
        std::filesystem::current_path(dir);
        std::filesystem::remove(dir / "log.txt");
        playHooks().log = [](int r) { createLog(r); };
    }
    void TearDown() override {
        std::filesystem::current_path(old);
        std::filesystem::remove_all(dir);
        resetPlayLog();
        resetHiddenObject();
        resetLayPuzzle();
        resetPuzzleExpress();
        PlayTest::TearDown();
    }
    void winALevel() {
        profile->gameType = "MAIN-GAME";
        profile->numerLevelu = 7;
        build({"#."});
        start();
        ASSERT_TRUE(runUntilState("NORMAL"));
        mainGame.useMieczN = 2;
        click(cell(0, 0));
        ASSERT_GT(runToEnd(), 0);
    }
    std::shared_ptr<TQCMFile> written() { return loadQCMFile((dir / "log.txt").string()); }
};

TEST_F(PlayLogTest, SwitchedOffNothingIsRecordedOrWritten) {
    winALevel();
    EXPECT_TRUE(playLogList.empty());
    saveLog();
    EXPECT_FALSE(std::filesystem::exists(dir / "log.txt"));
}

TEST_F(PlayLogTest, SwitchedOnAWonLevelIsWrittenWithItsCounts) {
    playLogOn = 1;
    profile->name = "ANNA";
    winALevel();
    ASSERT_EQ(playLogList.size(), 1u);
    createLog(-2);  // left to the map
    saveLog();
    auto f = written();
    EXPECT_EQ(f->getString("playLog::user", 0), "ANNA");
    EXPECT_EQ(f->getFloat("playLog::log1::numer_levelu", 0), 7);
    EXPECT_EQ(f->getString("playLog::log1::gameType", 0), "MAIN-GAME");
    EXPECT_EQ(f->getFloat("playLog::log1::level_zaliczony", 0), 1);
    EXPECT_EQ(f->getFloat("playLog::log1::uzytych_mieczy", 0), 2);
    EXPECT_EQ(f->getFloat("playLog::log1::punkty", 0), 25);
    EXPECT_EQ(f->getFloat("playLog::log2::id", 0), 2);
    EXPECT_EQ(f->getFloat("playLog::log2::level_zaliczony", 0), -2);
}

TEST_F(PlayLogTest, AWonPictureAndAnAbandonedHiddenObjectSceneGiveTwoRecords) {
    installHiddenObject();  // the screen's real log call and filler
    playLogOn = 1;
    profile->name = "ANNA";
    winALevel();

    // The scene, part found, left for the main menu through the in-game menu.
    profile->gameType = "HIDDEN-OBJECT";
    profile->numerLevelu = 8;
    auto scene = std::make_shared<THOLevel>();
    for (int i = 0; i < 3; ++i) scene->objects.push_back(std::make_shared<THObject>());
    scene->time = 640;
    hiddenObject.level = scene;
    hiddenObject.badClicks = 4;
    hiddenObject.hintsUsed = 1;
    hoView().kolejnosc = "2 ";
    hoHooks().menu = [](TEkran&) { return std::string("MAIN-MENU"); };
    hiddenObject.goMenu();
    EXPECT_EQ(hiddenObject.wynik, "MAIN-MENU");
    ASSERT_EQ(playLogList.size(), 2u);
    saveLog();

    auto f = written();
    EXPECT_EQ(f->getString("playLog::user", 0), "ANNA");
    EXPECT_EQ(f->getString("playLog::log1::gameType", 0), "MAIN-GAME");
    EXPECT_TRUE(f->entryAt("playLog::log1::level_zaliczony"));
    EXPECT_EQ(f->getFloat("playLog::log1::level_zaliczony", 0), 1);
    // The scene's record has no outcome key of its own: only the picture's writes one.
    EXPECT_EQ(group(*f, "log2"),
              recordKeys(2, 8, "HIDDEN-OBJECT",
                         {num("czas", 640), num("zle_klikniecia", 4), txt("kolejnosc_zebranych_przedmiotow", "2 "),
                          num("przedmiotow_do_odkrycia", 3), num("uzyto_skip", 0), num("uzyto_hintow", 1)}));
    EXPECT_FALSE(f->groupAt("playLog::log3"));
}

// Each game type writes the Part's keys in order after the three common ones; a type not
// spelled exactly as the game spells it writes only the common keys.
TEST_F(PlayLogTest, EachGameTypeWritesItsKeysInOrder) {
    playLogOn = 1;
    TPlayLog::profileName = "BOB";
    auto record = [](const char* type) {
        auto r = std::make_shared<TPlayLog>();
        r->id = int32_t(playLogList.size()) + 1;
        r->numerLevelu = 30 + r->id;
        r->gameType = type;
        // Distinct values, so a key holding the wrong field shows.
        r->punkty = 101, r->skarby = 102, r->useMedalion = 103, r->useMiecz = 104, r->useOko = 105;
        r->useMapa = 106, r->useCzaszka = 107, r->mistakes = 108, r->hintsUsed = 109, r->combo = 110;
        r->livingsCount = 111, r->livingsPicked = 112, r->time = 113, r->passed = -1;
        r->podniesienia = 114, r->wlozenia = 115, r->wyjecia = 116, r->wyrzucenia = 117;
        r->skipPuzzle = 118, r->kolejnoscPrzedmiotow = "3 1 2 ", r->fails = 119, r->doOdkrycia = 120;
        r->iloscKlockowSpadnietych = 121, r->klockiRozbite = 122;
        playLogList.push_back(r);
    };
    const char* types[] = {"MAIN-GAME", "LAY-PUZZLE", "HIDDEN-OBJECT", "PUZZLE-EXPRESS", "main-game", "MAPA"};
    for (const char* t : types) record(t);
    saveLog();
    auto f = written();
    EXPECT_EQ(f->getString("playLog::user", 0), "BOB");

    const std::vector<std::vector<Written>> own = {
        {num("punkty", 101), num("skarby", 102), num("uzytych_medalionow", 103), num("uzytych_mieczy", 104),
         num("uzytych_oczu", 105), num("uzytych_map", 106), num("uzytych_czaszek", 107), num("pomylki", 108),
         num("uzytych_hintow", 109), num("osiagniety_mnoznik", 110), num("odkrytych_zwierzatek", 111),
         num("uzytych_zwierzatek", 112), num("czas", 113), num("level_zaliczony", -1)},
        {num("czas", 113), num("ilosc_klockow_spadnietych", 121), num("klocki_wlozone", 115),
         num("klocki_rozbite", 122), num("klocki_upuszczone", 117)},
        {num("czas", 113), num("zle_klikniecia", 119), txt("kolejnosc_zebranych_przedmiotow", "3 1 2 "),
         num("przedmiotow_do_odkrycia", 120), num("uzyto_skip", 118), num("uzyto_hintow", 109)},
        {num("czas", 113), num("ilosc_podniesionych_klockow", 114), num("ilosc_wlozonych_klockow", 115),
         num("ilosc_wyjetych_klockow", 116), num("ilosc_odlozonych_klockow", 117), num("uzyto_skip", 118)},
        {},
        {},
    };
    for (size_t i = 0; i < std::size(types); ++i) {
        SCOPED_TRACE(types[i]);
        const int n = int(i) + 1;
        EXPECT_EQ(group(*f, "log" + std::to_string(n)), recordKeys(n, 30 + n, types[i], own[i]));
    }
}

// Each mini-game's screen hands its own counts to the record it logs.
TEST_F(PlayLogTest, EachMiniGameFillsItsRecordFromItsScreen) {
    installHiddenObject();
    installLayPuzzle();
    installPuzzleExpress();
    playLogOn = 1;

    auto lay = std::make_shared<TLayLevel>();
    lay->time = 75;
    layPuzzle.level = lay;
    layPuzzle.statSpadniete() = 6;
    layPuzzle.statWlozone() = 4;
    layPuzzle.statRozbite() = 2;
    layPuzzle.statUpuszczone() = 1;
    auto scene = std::make_shared<THOLevel>();
    scene->objects.push_back(std::make_shared<THObject>());
    scene->time = 90;
    hiddenObject.level = scene;
    hiddenObject.badClicks = 3;
    hiddenObject.skipedPuzzle = 1;
    hoView().kolejnosc = "1 ";
    auto blocks = std::make_shared<TPELevel>();
    blocks->time = 60;
    puzzleExpress.level = blocks;
    puzzleExpress.statWlozone = 5;
    puzzleExpress.statOdlozone = 7;
    pePlay().statPicked = 12;
    pePlay().statWyjete = 2;

    profile->numerLevelu = 12;
    const struct {
        const char* type;
        int result;
        std::vector<Written> own;
    } cases[] = {
        {"LAY-PUZZLE", 0,
         {num("czas", 75), num("ilosc_klockow_spadnietych", 6), num("klocki_wlozone", 4), num("klocki_rozbite", 2),
          num("klocki_upuszczone", 1)}},
        {"HIDDEN-OBJECT", -2,
         {num("czas", 90), num("zle_klikniecia", 3), txt("kolejnosc_zebranych_przedmiotow", "1 "),
          num("przedmiotow_do_odkrycia", 1), num("uzyto_skip", 1), num("uzyto_hintow", 0)}},
        {"PUZZLE-EXPRESS", 1,
         {num("czas", 60), num("ilosc_podniesionych_klockow", 12), num("ilosc_wlozonych_klockow", 5),
          num("ilosc_wyjetych_klockow", 2), num("ilosc_odlozonych_klockow", 7), num("uzyto_skip", 0)}},
    };
    for (const auto& c : cases) {
        profile->gameType = c.type;
        createLog(c.result);
    }
    saveLog();
    auto f = written();
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        ++n;
        EXPECT_EQ(group(*f, "log" + std::to_string(n)), recordKeys(n, 12, c.type, c.own));
    }
}

}  // namespace
