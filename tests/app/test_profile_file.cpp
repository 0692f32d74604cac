// The profile file: exact text, reading back, the level in progress beside it, and what a
// damaged or hostile file must not do.
#include <fstream>
#include <sstream>

#include "gui/data/qcmfile.h"
#include "test_profile_support.h"

namespace {

std::string fixture(const std::string& name) {
    std::ifstream in(std::string(ZERKON_SOURCE_DIR) + "/tests/app/fixtures/" + name, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

class ProfileFileTest : public ProfileTest {
protected:
    // The profile the fixture holds, made through the fields.
    std::shared_ptr<TProfile> knownProfile() {
        auto p = createNewProfile("Ab");
        p->numerLevelu = 3;
        p->numerStageu = 2;
        p->flowSequence = 7;
        p->mistakes = 2;
        p->kamienieWWorku = 1;
        p->gameType = "MAIN-GAME";
        p->flowType = "CASUAL";
        p->tutorialOn = 1;
        p->bylAwardsScreen = 1;
        p->allLivings = 4;
        p->score = 12345;
        p->noMistakesOnLevel = 2;
        p->lastScore = 900;
        p->hintsUsedOnLevel = 1;
        p->hintsUsed = 6;
        p->useOfSkull = 1;
        p->useOfSword = 2;
        p->useOfMedalion = 3;
        p->useOfEye = 4;
        p->useOfMap = 5;
        p->tempUseOfSkull = 6;
        p->tempUseOfSword = 7;
        p->tempUseOfMedalion = 8;
        p->tempUseOfEye = 9;
        p->tempUseOfMap = 10;
        p->unlocked = {1, 1, 0, 1, 0, 0};
        p->czas = {now - 30000, now, now - 1, now - 60000, now - 5, now - 100};
        p->awardy = {world.addAward(7, 1, 1), world.addAward(3, 2, 1), world.awards[7]};
        auto r1 = std::make_shared<TProfLevelData>(TProfLevelData{1, 1, 1, 1, 500, 12, 0, 2, 1});
        auto r2 = std::make_shared<TProfLevelData>(TProfLevelData{3, 0, 7, 2, 0, 0, 2, 1, 3});
        p->levele = {r1, r2};
        p->lekcjeTutoriala = {world.addTip("TIP-ONE", 1, 0), world.addTip("TIP-TWO", 3, 1)};
        p->gameData.useMedalionN = 1;
        p->gameData.useMieczN = 2;
        p->gameData.useOkoN = 3;
        p->gameData.useCzaszkaN = 4;
        p->gameData.useMapaN = 5;
        p->gameData.useHintsN = 6;
        p->gameData.allLivingsN = 7;
        p->gameData.useLivingsN = 8;
        p->gameData.hintUsed = {1, 0, 1, 0};
        p->gameData.powerUpUse = {0, 1, 2, 3, 4};
        p->gameData.mnoznik = 1.5f;
        return p;
    }
};

TEST_F(ProfileFileTest, KnownProfileWritesTheFixtureByteForByte) {
    auto p = knownProfile();
    EXPECT_EQ(p->save(), 0);
    EXPECT_EQ(read("/Profiles/65-98-/profile.dat"), fixture("profile_known.dat"));
}

TEST_F(ProfileFileTest, FixtureReadsBackAndWritesTheSameBytes) {
    write("/Profiles/65-66-/profile.dat", fixture("profile_known.dat"));
    auto known = knownProfile();  // also fills the award list and the tutorial
    now = 500000;  // a later run: the timers are stored relative to the save
    auto p = loadProfile(dir + "/Profiles/65-66-/profile.dat");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->name, "AB");  // names come back in capitals
    EXPECT_EQ(p->numerLevelu, 3);
    EXPECT_EQ(p->numerStageu, 2);
    EXPECT_EQ(p->flowSequence, 7);
    EXPECT_EQ(p->mistakes, 2);
    EXPECT_EQ(p->kamienieWWorku, 1);
    EXPECT_EQ(p->gameType, "MAIN-GAME");
    EXPECT_EQ(p->flowType, "CASUAL");
    EXPECT_EQ(p->score, 12345);
    EXPECT_EQ(p->useOfMap, 5);
    EXPECT_EQ(p->tempUseOfMap, 10);
    EXPECT_EQ(p->unlocked, known->unlocked);
    const std::array<int32_t, 6> rel = {-30000, 0, -1, -60000, -5, -100};
    for (size_t i = 0; i < 6; ++i) EXPECT_EQ(p->czas[i], now + rel[i]) << i;
    EXPECT_EQ(p->paused, 1);
    EXPECT_EQ(p->powerUpsPomTime, now);
    ASSERT_EQ(p->awardy.size(), 3u);
    EXPECT_EQ(p->awardy[0], world.awards[7]);  // the definitions themselves
    EXPECT_EQ(p->awardy[2], world.awards[7]);
    ASSERT_EQ(p->levele.size(), 2u);
    EXPECT_EQ(*p->levele[0], *known->levele[0]);
    EXPECT_EQ(*p->levele[1], *known->levele[1]);
    ASSERT_EQ(p->lekcjeTutoriala.size(), 2u);
    EXPECT_EQ(p->lekcjeTutoriala[1], world.tutorialTips()[1]);
    EXPECT_EQ(p->gameData, known->gameData);
    EXPECT_EQ(p->maxLevel, 0);

    // Saved again at the same clock it gives the same text, now in the folder of "AB".
    now = 500000;
    p->name = "Ab";
    ASSERT_EQ(p->save(), 0);
    EXPECT_EQ(read("/Profiles/65-98-/profile.dat"), fixture("profile_known.dat"));
}

TEST_F(ProfileFileTest, EmptyListsWriteZeroCountsAndReadBackEmpty) {
    auto p = createNewProfile("Zed");
    ASSERT_EQ(p->save(), 0);
    std::string text = read("/Profiles/" + p->id + "/profile.dat");
    auto f = parseQCMText(text);
    for (const char* k : {"profile::awards::i", "profile::levele::i", "profile::tutorial::i"})
        EXPECT_EQ(f->getString(k), " 0") << k;
    auto back = loadProfile(dir + "/Profiles/" + p->id + "/profile.dat");
    ASSERT_TRUE(back);
    EXPECT_TRUE(back->awardy.empty());
    EXPECT_TRUE(back->levele.empty());
    EXPECT_TRUE(back->lekcjeTutoriala.empty());
}

TEST_F(ProfileFileTest, MissingKeysReadAsZeroAndCaseRulesHold) {
    write("/Profiles/1-/profile.dat",
          "profile {\n\tstandards {\n\t\tname = \"abc\"\n\t\tgameType = \"mapa\"\n\t\tflowType = \"casual\"\n\t}\n\n}\n\n");
    auto p = loadProfile(dir + "/Profiles/1-/profile.dat");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->name, "ABC");
    EXPECT_EQ(p->gameType, "MAPA");
    EXPECT_EQ(p->flowType, "CASUAL");  // read the way the game type is, so it names its voyage
    EXPECT_EQ(p->tutorialOn, 0);   // not the new-profile value
    EXPECT_EQ(p->numerLevelu, 0);
    EXPECT_FLOAT_EQ(p->gameData.mnoznik, 0.0f);
}

TEST_F(ProfileFileTest, UnknownAwardAndTipIdsAreSkipped) {
    world.addAward(2, 1, 1);
    world.addTip("KNOWN", 1, 0);
    write("/Profiles/1-/profile.dat",
          "profile {\n\tawards {\n\t\ti = 3\n\t\taward1 = 99\n\t\taward2 = 2\n\t\taward3 = 0\n\t}\n\n"
          "\ttutorial {\n\t\ti = 2\n\t\ttip1 = \"nope\"\n\t\ttip2 = \"known\"\n\t}\n\n}\n\n");
    auto p = loadProfile(dir + "/Profiles/1-/profile.dat");
    ASSERT_TRUE(p);
    ASSERT_EQ(p->awardy.size(), 1u);
    EXPECT_EQ(p->awardy[0]->id, 2);
    ASSERT_EQ(p->lekcjeTutoriala.size(), 1u);
    EXPECT_EQ(p->lekcjeTutoriala[0]->id, "KNOWN");
}

// The level in progress is read only for the game types, from the folder of the file.
TEST_F(ProfileFileTest, LevelInProgressFollowsTheStoredGameType) {
    struct Case {
        const char* gameType;
        bool read;
    } cases[] = {{"MAIN-GAME", true}, {"main-game", true}, {"LAY-PUZZLE", true}, {"HIDDEN-OBJECT", true},
                 {"PUZZLE-EXPRESS", true}, {"MAPA", false}, {"", false}, {"STORY-SPEC", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.gameType);
        std::string type = str::upper(c.gameType);
        write("/Profiles/1-/profile.dat", std::string("profile {\n\tstandards {\n\t\tgameType = \"") + c.gameType +
                                              "\"\n\t}\n\n}\n\n");
        // Written under the other spelling: reads find it whatever its case.
        write("/Profiles/1-/Level.lvl", "FAKE " + (type.empty() ? std::string("MAPA") : type) + " 0 1\n");
        auto p = loadProfile(dir + "/Profiles/1-/profile.dat");
        ASSERT_TRUE(p);
        EXPECT_EQ(bool(p->actLevel), c.read);
        files::deleteFile(dir + "/Profiles/1-/Level.lvl");
    }
}

TEST_F(ProfileFileTest, SaveWritesTheLevelInProgressBesideTheFile) {
    auto p = createNewProfile("Ab");
    auto l = std::make_shared<FakeLevel>();
    l->type = "MAIN-GAME";
    p->actLevel = l;
    p->gameType = "MAIN-GAME";
    ASSERT_EQ(p->save(), 0);
    EXPECT_EQ(read("/Profiles/65-98-/level.lvl"), "FAKE MAIN-GAME 0 1\n");
    auto back = loadProfile(dir + "/Profiles/65-98-/profile.dat");
    ASSERT_TRUE(back && back->actLevel);
    EXPECT_EQ(back->actLevel->gameType(), "MAIN-GAME");
}

// Damaged files: no crash, a message, and a copy of the damage beside the file.
TEST_F(ProfileFileTest, DamagedFilesAreReportedAndKept) {
    const std::string full = fixture("profile_known.dat");
    struct Case {
        const char* what;
        std::string text;
    } cases[] = {
        {"truncated mid-group", full.substr(0, full.size() / 2)},
        {"garbage", std::string("\x01\x02{{{ = = }\"\"\xff\xfe", 14)},
        {"no profile group", "other {\n\tx = 1\n}\n\n"},
        {"empty", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        notices.clear();
        std::filesystem::remove_all(dir + "/Profiles/9-");
        write("/Profiles/9-/profile.dat", c.text);
        EXPECT_FALSE(loadProfile(dir + "/Profiles/9-/profile.dat"));
        ASSERT_EQ(notices.size(), 1u);
        EXPECT_NE(notices[0].find("damaged"), std::string::npos);
        auto copy = files::loadBytes(dir + "/Profiles/9-/profile.dat.corrupt");
        ASSERT_TRUE(copy);
        EXPECT_EQ(*copy, *files::loadBytes(dir + "/Profiles/9-/profile.dat"));
    }
}

TEST_F(ProfileFileTest, HugeCountsDoNotRunAway) {
    write("/Profiles/1-/profile.dat",
          "profile {\n\tlevele {\n\t\ti = 2000000000\n\t\tlevel1 = 1, 1, 1, 1, 0, 1, 0, 0, 1\n\t}\n\n"
          "\tawards {\n\t\ti = 1e30\n\t}\n\n\tstandards {\n\t\tscore = 1e30\n\t\tmistakes = -1e30\n\t}\n\n}\n\n");
    auto p = loadProfile(dir + "/Profiles/1-/profile.dat");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->levele.size(), 1u);
    EXPECT_TRUE(p->awardy.empty());
    EXPECT_EQ(p->score, INT32_MAX);
    EXPECT_EQ(p->mistakes, INT32_MIN);
}

TEST_F(ProfileFileTest, MissingFileIsReported) {
    EXPECT_FALSE(loadProfile(dir + "/Profiles/1-/profile.dat"));
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0], "No such file: " + dir + "/Profiles/1-/profile.dat");
}

TEST_F(ProfileFileTest, NamesReadBackAreLimitedToWhatNameEntryAccepts) {
    write("/Profiles/1-/profile.dat",
          "profile {\n\tstandards {\n\t\tname = \"a b/../c ABCDEFGHIJKLMNOPQRSTUVWXYZ\"\n\t}\n\n}\n\n");
    auto p = loadProfile(dir + "/Profiles/1-/profile.dat");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->name, "ABCABCDEFGHIJKLMNOPQ");
}

TEST_F(ProfileFileTest, AFailedWriteKeepsTheOldFile) {
    auto p = createNewProfile("Ab");
    ASSERT_EQ(p->save(), 0);
    std::string before = read("/Profiles/65-98-/profile.dat");
    p->score = 777;
    files::failNextSaveBeforeRename();
    EXPECT_NE(p->save(), 0);
    EXPECT_EQ(read("/Profiles/65-98-/profile.dat"), before);
}

}  // namespace
