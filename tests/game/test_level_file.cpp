// The nonogram level file: reading asset levels and levels in progress, writing them back
// exactly, and refusing or mending malformed files without a crash.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "game/board/level.h"
#include "game/board/links.h"
#include "game/board/tiledata.h"
#include "game/level/levelfile.h"
#include "game/level/sets.h"
#include "gui/globals.h"
#include "platform/files.h"
#include "platform/graphics.h"
#include "platform/system.h"

namespace {

template <class T>
std::shared_ptr<T> token() {
    auto owner = std::make_shared<int>(0);
    return std::shared_ptr<T>(owner, reinterpret_cast<T*>(owner.get()));
}

// Stands in for the effects layer: landed treasures are opaque tokens with their saved form
// kept beside them; creature kinds 1 to 5 exist.
class FakeLevelLink : public TLevelFileLink {
public:
    std::map<const TFlyingTresure*, TCollectedTresure> saved;
    std::map<int, std::shared_ptr<TLivingData>> kinds;

    FakeLevelLink() {
        for (int id = 1; id <= 5; ++id) kinds[id] = token<TLivingData>();
    }
    std::shared_ptr<TFlyingTresure> makeCollectedTresure(const std::shared_ptr<TTresureData>& rec,
                                                         const TCollectedTresure& at) override {
        auto t = token<TFlyingTresure>();
        saved[t.get()] = at;
        saved[t.get()].id = rec->id;
        return t;
    }
    bool describeCollectedTresure(const TFlyingTresure& t, TCollectedTresure& out) override {
        auto it = saved.find(&t);
        if (it == saved.end()) return false;
        out = it->second;
        return true;
    }
    std::shared_ptr<TLivingData> livingDataById(int id) override {
        auto it = kinds.find(id);
        return it == kinds.end() ? nullptr : it->second;
    }
};

// A 2 x 3 asset level: picture cells (0,1), (0,2), (1,0), (1,1).
const char* kSmallLevel = R"(level {
	type = 1
	data {
		dims = 2, 3
		size = 1
		mistakes = 3
		music = "sea-shanty"
	}

	tiles {
		row0 = 0, 2, 2
		row1 = 2, 1, 0
	}

	tilesHide {
		row0 = 1, 1, 2
		row1 = 1, 1, 1
	}

	tresures {
		row0 = 0, 3, 3
		row1 = 3, 3, 0
	}

}
)";

class LevelFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        InitPlatform(true);
        resetGuiGlobals();
        resetBoardLinks();
        resetTileSets();
        setLevelFileLink(&link);
        notices.clear();
        SetNotifyHandler([this](const std::string& s) { notices.push_back(s); });
        SeedRnd(1234);
        for (int id : {0, 1, 2}) {
            auto t = std::make_shared<TTileData>();
            t->id = id;
            t->frames = 1;
            tilesList.push_back(t);
        }
        for (int id : {1, 2}) {
            auto h = std::make_shared<TTileHideGFX>();
            h->id = id;
            h->hideFrames = 10;
            tilesHideList.push_back(h);
        }
        for (int id : {1, 2, 3}) {
            auto t = std::make_shared<TTresureData>();
            t->id = id;
            t->frames = 4;
            tresuresList.push_back(t);
        }
        dir = std::filesystem::temp_directory_path() /
              ("zerkon_lvl_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override {
        setLevelFileLink(nullptr);
        SetNotifyHandler(nullptr);
        resetTileSets();
        std::filesystem::remove_all(dir);
    }

    std::string path(const std::string& name) const { return (dir / name).string(); }
    void write(const std::string& name, const std::string& text) const {
        std::ofstream(dir / name, std::ios::binary) << text;
    }
    std::shared_ptr<TLevel> fromText(const std::string& text, int random = 0) {
        problems.clear();
        return loadLevelFromText(text, "test.lvl", random, &problems);
    }
    // A level in progress: some cells resolved, time, score, hints and two treasures on the pile.
    std::shared_ptr<TLevel> levelInProgress() {
        auto lvl = fromText(kSmallLevel);
        lvl->czas = 41;
        lvl->score = 75;
        lvl->hintUsed = {1, 0, 0, 1};
        lvl->byloZwierzatko = 1;
        lvl->livingsCount = 2;
        lvl->addedMistakes = 1;
        lvl->backGroundUrl = "";
        lvl->at(0, 0)->setOdkrytyData(0, 1);
        lvl->at(0, 1)->setOdkrytyData(1, 0);
        lvl->at(0, 1)->setTresure(nullptr);
        TCollectedTresure a{2, {812.5f, 640, 400, 300, 812.5f, 640, 600, 300}};
        TCollectedTresure b{3, {800, 650, 410, 350, 800, 650, 620, 310}};
        lvl->flyingTresures.push_back(link.makeCollectedTresure(getTresureById(2), a));
        lvl->flyingTresures.push_back(link.makeCollectedTresure(getTresureById(3), b));
        return lvl;
    }

    FakeLevelLink link;
    std::vector<std::string> notices;
    std::vector<std::string> problems;
    std::filesystem::path dir;
};

TEST_F(LevelFileTest, LevelInProgressIsWrittenInTheFixedLayout) {
    auto lvl = levelInProgress();
    const std::string expected = R"(level {
	type = 1
	data {
		dims = 2, 3
		size = 1
		czas = 41
		score = 75
		tutorialLevel = 0
		byloZwierzatko = 1
		rozbitoZwierzatko = 0
		addedMistakes = 1
		mistakes = 3
		livingsCount = 2
		hint0 = 1
		hint1 = 0
		hint2 = 0
		hint3 = 1
		music = "sea-shanty"
	}

	background {
		gfx = ""
		banki = 0
	}

	tiles {
		row0 = 0, 2, 2
		row1 = 2, 1, 0
	}

	stateData {
		row0 = "0 1", "1 0", "0 0"
		row1 = "0 0", "0 0", "0 0"
	}

	tilesHide {
		row0 = 1, 1, 2
		row1 = 1, 1, 1
	}

	tresures {
		row0 = 0, 0, 3
		row1 = 3, 3, 0
	}

	collectedTresures {
		i = 2
		t1 = 2, 812.500000, 640, 400, 300, 812.500000, 640, 600, 300
		t2 = 3, 800, 650, 410, 350, 800, 650, 620, 310
	}

}

)";
    EXPECT_EQ(levelToText(*lvl), expected);
}

TEST_F(LevelFileTest, SavedLevelLoadsBackIdentically) {
    auto lvl = levelInProgress();
    const std::string file = levelInProgressPath(dir.string());
    ASSERT_EQ(saveLevel(*lvl, file, 0), 0);
    auto back = loadLevel(file, 0, &problems);
    ASSERT_TRUE(back);
    EXPECT_TRUE(problems.empty()) << problems.front();
    EXPECT_EQ(back->rows, 2);
    EXPECT_EQ(back->cols, 3);
    EXPECT_EQ(back->size, 1);
    EXPECT_EQ(back->czas, 41);
    EXPECT_EQ(back->score, 75);
    EXPECT_EQ(back->hintUsed, lvl->hintUsed);
    EXPECT_EQ(back->byloZwierzatko, 1);
    EXPECT_EQ(back->livingsCount, 2);
    EXPECT_EQ(back->addedMistakes, 1);
    EXPECT_EQ(back->maxMistakes, 3);
    EXPECT_EQ(back->musicId, "sea-shanty");
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c) {
            SCOPED_TRACE("cell " + std::to_string(r) + "," + std::to_string(c));
            const TTile* a = lvl->at(r, c);
            const TTile* b = back->at(r, c);
            EXPECT_EQ(b->td, a->td);
            EXPECT_EQ(b->tdHide, a->tdHide);
            EXPECT_EQ(b->tresure, a->tresure);
            EXPECT_EQ(b->odkryty, a->odkryty);
            EXPECT_EQ(b->broken, a->broken);
            EXPECT_EQ(b->state, a->state);
        }
    // The second write is the first one, byte for byte.
    EXPECT_EQ(levelToText(*back), levelToText(*lvl));
    ASSERT_EQ(back->flyingTresures.size(), 2u);
    EXPECT_EQ(link.saved[back->flyingTresures.front().get()].pos[0], 812.5f);
    EXPECT_EQ(link.saved[back->flyingTresures.back().get()].id, 3);
}

TEST_F(LevelFileTest, ResetStateWritesEveryCellCoveredAndKeepsTheRest) {
    auto lvl = levelInProgress();
    auto f = loadLevelFromText(levelToText(*lvl, 1), "reset", 0);
    ASSERT_TRUE(f);
    for (const auto& t : f->tile) EXPECT_EQ(t->getSaveStateData(), "0 0");
    EXPECT_EQ(f->czas, 41);
    EXPECT_EQ(f->flyingTresures.size(), 2u);
}

TEST_F(LevelFileTest, RandomTresuresIgnoreTheFileAndSkipEmptyCells) {
    auto lvl = fromText(kSmallLevel, 1);
    ASSERT_TRUE(lvl);
    std::vector<int> drawn;
    for (const auto& t : lvl->tile) {
        if (!t->isPicture()) {
            EXPECT_FALSE(t->tresure);
            continue;
        }
        ASSERT_TRUE(t->tresure);
        drawn.push_back(t->tresure->id);
        EXPECT_GE(t->tresure->id, 1);
        EXPECT_LE(t->tresure->id, 3);
    }
    EXPECT_EQ(drawn.size(), 4u);
    // The same seed gives the same treasures: one draw per picture cell, row by row.
    SeedRnd(1234);
    auto again = fromText(kSmallLevel, 1);
    std::vector<int> redrawn;
    for (const auto& t : again->tile)
        if (t->tresure) redrawn.push_back(t->tresure->id);
    EXPECT_EQ(drawn, redrawn);
    // Without random treasures the file's ids count, 0 meaning none.
    auto fromFile = fromText(kSmallLevel, 0);
    EXPECT_EQ(fromFile->at(0, 1)->tresure->id, 3);
    EXPECT_FALSE(fromFile->at(0, 0)->tresure);
}

TEST_F(LevelFileTest, StandardValuesAndCellStates) {
    struct Case {
        const char* mistakes;  // the mistakes line, or "" for none
        int expected;
    } cases[] = {{"mistakes = 0\n", 1}, {"", 1}, {"mistakes = 3\n", 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mistakes);
        auto lvl = fromText(std::string("level {\n\tdata {\n\t\tdims = 1, 5\n\t\t") + c.mistakes +
                            "\t}\n\ttiles {\n\t\trow0 = 1, 1, 0, 1, 1\n\t}\n\ttilesHide {\n"
                            "\t\trow0 = 1, 1, 1, 1, 1\n\t}\n\tstateData {\n"
                            "\t\trow0 = \"1 0\", \"0 1\", \"1\", \"\", \"1 1\"\n\t}\n}\n");
        ASSERT_TRUE(lvl);
        EXPECT_EQ(lvl->maxMistakes, c.expected);
        EXPECT_EQ(lvl->at(0, 0)->state, "ODKRYTY");
        EXPECT_EQ(lvl->at(0, 1)->state, "ROZBITY");
        EXPECT_EQ(lvl->at(0, 2)->getSaveStateData(), "0 0");  // one piece: covered
        EXPECT_EQ(lvl->at(0, 3)->getSaveStateData(), "0 0");  // empty: covered
        EXPECT_EQ(lvl->at(0, 4)->state, "ROZBITY");
    }
}

TEST_F(LevelFileTest, TutorialLevelComesBackSwitchedOffWithoutCreatures) {
    std::string text = kSmallLevel;
    text.replace(text.find("size = 1"), 8, "size = 1\n\t\ttutorialLevel = 1");
    auto tut = fromText(text);
    ASSERT_TRUE(tut);
    EXPECT_EQ(tut->tutorialLevel, 1);
    EXPECT_TRUE(tut->Availablelivings.empty());
    for (const auto& t : tut->tile) EXPECT_EQ(t->turnoff, 1);

    auto normal = fromText(kSmallLevel);
    EXPECT_EQ(normal->Availablelivings.size(), 5u);
    for (const auto& t : normal->tile) EXPECT_EQ(t->turnoff, 0);
    // The clue lines are built from the picture.
    EXPECT_EQ(normal->numbersHList.size(), 2u);
    EXPECT_EQ(normal->numbersVList.size(), 3u);
}

// Malformed files: each reports the file and the key, and either mends the value or refuses
// the level; none crashes and none gives a level without cells.
TEST_F(LevelFileTest, MalformedFilesAreReportedAndMendedOrRefused) {
    const std::string head = "level {\n\tdata {\n\t\tdims = 2, 2\n\t\tsize = 0\n\t}\n";
    const std::string hide = "\ttilesHide {\n\t\trow0 = 1, 1\n\t\trow1 = 1, 1\n\t}\n";
    const std::string tiles = "\ttiles {\n\t\trow0 = 1, 0\n\t\trow1 = 0, 1\n\t}\n";
    struct Case {
        const char* what;
        std::string text;
        int random;
        bool refused;
        const char* mentions;  // a word the report must hold
    } cases[] = {
        {"empty text", "", 1, true, "cannot be played"},
        {"no cells", "level {\n\tdata {\n\t\tdims = 0, 0\n\t}\n}\n", 1, true, "dims"},
        {"negative size", "level {\n\tdata {\n\t\tdims = -3, 4\n\t}\n}\n", 1, true, "dims"},
        {"unknown tile id", head + "\ttiles {\n\t\trow0 = 1, 9\n\t\trow1 = 0, 1\n\t}\n" + hide + "}\n", 1,
         false, "level::tiles::row0"},
        {"unknown cover id", head + tiles + "\ttilesHide {\n\t\trow0 = 1, 7\n\t\trow1 = 1, 1\n\t}\n}\n",
         1, false, "level::tilesHide::row0"},
        {"size class 7", "level {\n\tdata {\n\t\tdims = 2, 2\n\t\tsize = 7\n\t}\n" + tiles + hide + "}\n",
         1, false, "level::data::size"},
        {"size class -1", "level {\n\tdata {\n\t\tdims = 2, 2\n\t\tsize = -1\n\t}\n" + tiles + hide + "}\n",
         1, false, "level::data::size"},
        {"short tiles row", head + "\ttiles {\n\t\trow0 = 1\n\t\trow1 = 0, 1\n\t}\n" + hide + "}\n", 1,
         false, "level::tiles::row0"},
        {"missing cover row", head + tiles + "\ttilesHide {\n\t\trow0 = 1, 1\n\t}\n}\n", 1, false,
         "level::tilesHide::row1"},
        {"short collected treasure",
         head + tiles + hide + "\tcollectedTresures {\n\t\ti = 1\n\t\tt1 = 2, 10, 20\n\t}\n}\n", 0,
         false, "level::collectedTresures::t1"},
        {"unknown collected treasure",
         head + tiles + hide +
             "\tcollectedTresures {\n\t\ti = 1\n\t\tt1 = 9, 1, 2, 3, 4, 5, 6, 7, 8\n\t}\n}\n",
         0, false, "level::collectedTresures::t1"},
        {"no picture cell", head + "\ttiles {\n\t\trow0 = 0, 0\n\t\trow1 = 0, 0\n\t}\n" + hide + "}\n", 1,
         false, "no picture cell"},
        {"more collected treasures than cells",
         head + tiles + hide + "\tcollectedTresures {\n\t\ti = 999999\n\t}\n}\n", 0, false,
         "level::collectedTresures::i"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        notices.clear();
        auto lvl = fromText(c.text, c.random);
        EXPECT_EQ(!lvl, c.refused);
        ASSERT_FALSE(problems.empty());
        bool mentioned = false;
        for (const auto& p : problems) mentioned = mentioned || p.find(c.mentions) != std::string::npos;
        EXPECT_TRUE(mentioned) << problems.front();
        // One message for the whole file, naming it.
        ASSERT_EQ(notices.size(), 1u);
        EXPECT_NE(notices[0].find("test.lvl"), std::string::npos);
        if (!lvl) continue;
        EXPECT_EQ(lvl->rows * lvl->cols, int(lvl->tile.size()));
        EXPECT_GE(lvl->size, 0);
        EXPECT_LE(lvl->size, 4);
        for (const auto& t : lvl->tile) {
            EXPECT_TRUE(t->td);
            EXPECT_TRUE(t->tdHide);
        }
        // Still a puzzle (unless it has no picture at all): it cannot be won before a move.
        lvl->updateTiles();
        const bool anyPicture = std::any_of(lvl->tile.begin(), lvl->tile.end(),
                                            [](const auto& t) { return t->isPicture() != 0; });
        EXPECT_EQ(lvl->levelCompleted, anyPicture ? 0 : 1);
    }
}

TEST_F(LevelFileTest, TextThatWouldBreakTheSavedFileIsCleaned) {
    // Quotes, braces and "=" are structural to the data file even inside quotes: written as
    // they are, the level in progress could not be read back.
    auto lvl = levelInProgress();
    lvl->musicId = "sea\"shanty{=}";
    lvl->backGroundUrl = "gfx/\"back\".jpg";
    auto back = fromText(levelToText(*lvl));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->musicId, "seashanty");
    EXPECT_EQ(back->czas, 41);
    // Nor a stray UTF-8 continuation byte the cleaning would leave first: read back, it
    // would join the quote written before it, and the level would not read back the same.
    std::string strayText = kSmallLevel;
    strayText.replace(strayText.find("\"sea-shanty\""), 12, "\"\"\x8a" "shanty\"");
    auto stray = fromText(strayText);
    ASSERT_TRUE(stray);
    EXPECT_EQ(stray->musicId, "shanty");
    const std::string once = levelToText(*stray);
    auto again = fromText(once);
    ASSERT_TRUE(again);
    EXPECT_EQ(levelToText(*again), once);
    problems.clear();
    // A file that holds one is mended on reading, with a report.
    std::string text = kSmallLevel;
    text.replace(text.find("\"sea-shanty\""), 12, "\"a\"b\"c\"");
    auto odd = fromText(text);
    ASSERT_TRUE(odd);
    EXPECT_EQ(odd->musicId, "abc");
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("level::data::music"), std::string::npos);
}

// A cause met in every row is one line of the report, with its first place and how many more.
TEST_F(LevelFileTest, ACauseMetInManyPlacesIsToldOnce) {
    std::string text = "level {\n\tdata {\n\t\tdims = 40, 2\n\t}\n\ttiles {\n";
    for (int r = 0; r < 40; ++r) text += "\t\trow" + std::to_string(r) + " = 1, 9\n";
    text += "\t}\n\ttilesHide {\n";
    for (int r = 0; r < 40; ++r) text += "\t\trow" + std::to_string(r) + " = 1\n";
    text += "\t}\n}\n";
    ASSERT_TRUE(fromText(text));
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0],
              "its picture names tiles the tile set does not have; they are drawn as tile 1 "
              "(at level::tiles::row0, value 1: tile 9 and 39 more places)");
    EXPECT_EQ(problems[1],
              "rows of its covers are missing or short; those cells get the first cover "
              "(at level::tilesHide::row0, 1 of 2 values and 39 more places)");
    ASSERT_EQ(notices.size(), 1u);
}

TEST_F(LevelFileTest, UnknownPictureIdKeepsTheCellInThePicture) {
    auto lvl = fromText("level {\n\tdata {\n\t\tdims = 1, 2\n\t}\n\ttiles {\n\t\trow0 = 9, 0\n\t}\n"
                        "\ttilesHide {\n\t\trow0 = 1, 1\n\t}\n}\n");
    ASSERT_TRUE(lvl);
    EXPECT_EQ(lvl->at(0, 0)->td->id, 1);
    EXPECT_EQ(lvl->at(0, 1)->td->id, 0);
}

TEST_F(LevelFileTest, NoTresureRecordsLeavePictureCellsEmptyHanded) {
    tresuresList.clear();
    auto lvl = fromText(kSmallLevel, 1);
    ASSERT_TRUE(lvl);
    for (const auto& t : lvl->tile) EXPECT_FALSE(t->tresure);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("tresures"), std::string::npos);
}

TEST_F(LevelFileTest, EmptySetsRefuseTheLevel) {
    tilesHideList.clear();
    EXPECT_FALSE(fromText(kSmallLevel));
    SetUp();
    tilesList.erase(tilesList.begin());  // no empty-cell record
    EXPECT_FALSE(fromText(kSmallLevel));
}

TEST_F(LevelFileTest, MissingFileIsRefusedWithAReport) {
    EXPECT_FALSE(loadLevel(path("nowhere.lvl"), 1, &problems));
    EXPECT_FALSE(problems.empty());
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].find("nowhere.lvl"), std::string::npos);
}

TEST_F(LevelFileTest, SavingIntoAMissingFolderReportsAndGoesOn) {
    auto lvl = levelInProgress();
    const std::string target = path("no/such/folder/level.lvl");
    EXPECT_EQ(saveLevel(*lvl, target, 0), -1);
    EXPECT_FALSE(std::filesystem::exists(target));
    // A good folder still works afterwards.
    EXPECT_EQ(saveLevel(*lvl, path("level.lvl"), 0), 0);
}

TEST_F(LevelFileTest, LevelInProgressHasOneSpellingAndIsFoundWhateverItsCase) {
    auto lvl = levelInProgress();
    EXPECT_EQ(levelInProgressPath("/p/Profiles/1-"), "/p/Profiles/1-/level.lvl");
    EXPECT_EQ(levelInProgressPath("/p/Profiles/1-/"), "/p/Profiles/1-/level.lvl");
    // A file left by an older version as "Level.lvl" is read, and overwritten in place.
    write("Level.lvl", levelToText(*lvl));
    auto back = loadLevel(levelInProgressPath(dir.string()), 0, &problems);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->czas, 41);
    back->czas = 99;
    ASSERT_EQ(saveLevel(*back, levelInProgressPath(dir.string())), 0);
    int files = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir)) {
        (void)e;
        ++files;
    }
    EXPECT_EQ(files, 1);
    EXPECT_EQ(loadLevel(levelInProgressPath(dir.string()), 0)->czas, 99);
}

}  // namespace
