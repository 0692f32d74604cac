// Moving a player through a progression against a fake level manager and fake screens.
#include "test_profile_support.h"

namespace {

class ProgressTest : public ProfileTest {
protected:
    void SetUp() override {
        ProfileTest::SetUp();
        // nr: 1 nonogram, 2 mini-game, 3 map of stage 2, 4 story, 5 nonogram of stage 2.
        world.addEntry("CASUAL", 1, 1, "MAIN-GAME", 1);
        world.addEntry("CASUAL", 2, 2, "PUZZLE-EXPRESS", 1);
        world.addEntry("CASUAL", 3, 3, "MAPA", 2);
        world.addEntry("CASUAL", 4, 3, "STORY-SPEC", 2);
        world.addEntry("CASUAL", 5, 1, "MAIN-GAME", 2);
        world.addEntry("HARD", 1, 1, "LAY-PUZZLE", 1);
        p = createNewProfile("Ann");
        p->flowType = "CASUAL";
    }
    std::shared_ptr<TProfile> p;
};

TEST_F(ProgressTest, NewGameResetsEverythingAndQueuesEveryTip) {
    p->flowSequence = 9;
    p->score = 50;
    p->hintsUsed = 3;
    p->tutorialOn = 0;
    p->awardy = {world.addAward(1, 1, 1)};
    p->levele = {std::make_shared<TProfLevelData>()};
    auto t1 = world.addTip("A", 1, 0);
    auto t2 = world.addTip("B", 2, 0);
    auto s1 = world.addTip("S", 0, 0, true);
    EXPECT_EQ(p->startNewGame(), "GET-NEXT-LEVEL");
    EXPECT_EQ(p->flowSequence, 0);
    EXPECT_EQ(p->score, 0);
    EXPECT_EQ(p->hintsUsed, 0);
    EXPECT_EQ(p->tutorialOn, 1);
    EXPECT_EQ(p->flowType, "CASUAL");
    EXPECT_TRUE(p->awardy.empty());
    EXPECT_TRUE(p->levele.empty());
    EXPECT_EQ(p->lekcjeTutoriala, (TTipList{t1, t2, s1}));
    EXPECT_EQ(world.tutorialSetups, 1);
    EXPECT_FALSE(exists("/Profiles/65-110-110-/profile.dat"));  // nothing saved here
}

// Each game type is prepared its own way; the result is the entry's place.
TEST_F(ProgressTest, NextLevelPreparesEachGameType) {
    p->startNewGame();
    world.rechargeMs = 30000;
    now = 200000;

    // Nonogram.
    EXPECT_EQ(p->getNextLevel(), "MAIN-GAME");
    EXPECT_EQ(p->flowSequence, 1);
    ASSERT_EQ(world.playLevels.size(), 1u);
    EXPECT_EQ(world.playLevels[0], p->actLevel);
    EXPECT_EQ(world.playStarts, 1);
    for (int32_t c : p->czas) EXPECT_EQ(c, 200000 - 30000);  // all six full
    EXPECT_EQ(p->paused, 1);
    EXPECT_EQ(p->powerUpsPomTime, 200000);
    ASSERT_EQ(p->levele.size(), 1u);
    EXPECT_EQ(*p->levele[0], (TProfLevelData{1, 0, 1, 1, 0, 0, 0, 0, 0}));
    EXPECT_EQ(p->maxLevel, 1);
    EXPECT_TRUE(exists("/Profiles/65-110-110-/profile.dat"));  // advancing saves
    EXPECT_TRUE(exists("/Profiles/65-110-110-/level.lvl"));

    // Mini-game.
    EXPECT_EQ(p->getNextLevel(), "PUZZLE-EXPRESS");
    ASSERT_EQ(world.miniLevels.size(), 1u);
    EXPECT_EQ(world.miniLevels[0].first, "PUZZLE-EXPRESS");
    EXPECT_EQ(world.miniLevels[0].second, p->actLevel);
    EXPECT_EQ(p->numerLevelu, 2);
    EXPECT_EQ(p->levele.size(), 2u);

    // Map of a stage without a record: shown as newly reached; no record, no level.
    EXPECT_EQ(p->getNextLevel(), "MAPA");
    EXPECT_FALSE(p->actLevel);
    EXPECT_EQ(world.newStages, (std::vector<int32_t>{2}));
    EXPECT_EQ(p->numerStageu, 2);
    EXPECT_EQ(p->levele.size(), 2u);

    // Anything else prepares nothing.
    EXPECT_EQ(p->getNextLevel(), "STORY-SPEC");
    EXPECT_FALSE(p->actLevel);
    EXPECT_EQ(p->gameType, "STORY-SPEC");

    EXPECT_EQ(p->getNextLevel(), "MAIN-GAME");
    EXPECT_EQ(p->numerStageu, 2);

    // The end: the position stays advanced.
    EXPECT_EQ(p->getNextLevel(), "END-OF-LEVELS");
    EXPECT_EQ(p->flowSequence, 6);
}

TEST_F(ProgressTest, MapOfAStageWithARecordClearsTheNewStage) {
    p->levele = {std::make_shared<TProfLevelData>(TProfLevelData{1, 1, 1, 2})};
    p->setLevel(*world.flowEntry("CASUAL", 3));
    EXPECT_EQ(world.newStages, (std::vector<int32_t>{0}));
    EXPECT_EQ(p->flowSequence, 3);
}

TEST_F(ProgressTest, HardFlowAndUnknownFlowType) {
    p->flowType = "HARD";
    EXPECT_EQ(p->getNextLevel(), "LAY-PUZZLE");
    auto q = createNewProfile("Bob");
    q->flowType = "hard";  // only the exact names choose a progression
    EXPECT_EQ(q->getNextLevel(), "END-OF-LEVELS");
    EXPECT_FALSE(exists("/Profiles/66-111-98-/profile.dat"));
}

TEST_F(ProgressTest, RestartReplaysTheSameEntryAndCountsThePlay) {
    p->startNewGame();
    p->getNextLevel();
    p->updateLevelData(1, 1, 700, 40, 1, 2);  // won once
    now = 300000;
    EXPECT_EQ(p->restartLevel(), "MAIN-GAME");
    EXPECT_EQ(p->flowSequence, 1);
    ASSERT_EQ(p->levele.size(), 1u);
    EXPECT_EQ(*p->levele[0], (TProfLevelData{1, 0, 1, 1, 0, 1, 0, 1, 2}));
    EXPECT_EQ(world.playLevels.size(), 2u);  // a fresh level
    for (int32_t c : p->czas) EXPECT_EQ(c, 300000 - world.rechargeMs);
}

TEST_F(ProgressTest, RestartGivesTheLevelsTipsBackToTheTutorial) {
    auto keep = world.addTip("IN-MASTER", 1, 0);
    auto gone = std::make_shared<TTipRecord>();
    gone->id = "SHOWN";
    gone->numerLevelu = 1;
    auto other = std::make_shared<TTipRecord>();
    other->id = "LATER";
    other->numerLevelu = 4;
    world.addTip("SHOWN", 1, 0);
    p->getNextLevel();
    p->lekcjeTutoriala = {keep, gone, other};
    size_t before = world.tutorialTips().size();
    p->restartLevel();
    EXPECT_EQ(p->lekcjeTutoriala, (TTipList{keep, other}));
    ASSERT_EQ(world.tutorialTips().size(), before + 1);
    EXPECT_EQ(world.tutorialTips().back()->id, "SHOWN");
    EXPECT_NE(world.tutorialTips().back(), gone);  // a fresh copy
}

TEST_F(ProgressTest, TutorialLevelQueuesItsRememberedTips) {
    world.tutorialUrls["levels/CASUAL1.lvl"] = 1;
    auto t = world.addTip("T1", 1, 1);
    world.addTip("T2", 2, 1);
    p->getNextLevel();
    // The tips of the previous entry's level number: the numbers are set after the screen.
    EXPECT_EQ(p->lekcjeTutoriala, (TTipList{t}));
}

struct ContinueCase {
    const char* what;
    const char* gameType;
    const char* levelType;  // "" for no level in progress
    int32_t tutorial;
    bool playable;
    const char* result;
    int handed;  // 1 play screen, 2 mini-game screen, 0 none
};

class ContinueTest : public ProgressTest, public ::testing::WithParamInterface<ContinueCase> {};

TEST_P(ContinueTest, ResumesOrFallsBackToARestart) {
    const auto& c = GetParam();
    p->gameType = c.gameType;
    if (*c.levelType) {
        auto l = std::make_shared<FakeLevel>();
        l->type = c.levelType;
        l->tutorial = c.tutorial;
        l->canPlay = c.playable;
        p->actLevel = l;
    }
    int32_t before = p->flowSequence;
    EXPECT_EQ(p->ContinueGame(), c.result);
    EXPECT_EQ(world.playLevels.size(), c.handed == 1 ? 1u : 0u);
    EXPECT_EQ(world.miniLevels.size(), c.handed == 2 ? 1u : 0u);
    EXPECT_EQ(p->flowSequence, before);
    EXPECT_TRUE(p->levele.empty());  // nothing counted as won
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ContinueTest,
    ::testing::Values(ContinueCase{"nonogram", "MAIN-GAME", "MAIN-GAME", 0, true, "MAIN-GAME", 1},
                      ContinueCase{"tutorial", "MAIN-GAME", "MAIN-GAME", 1, true, "RESTART-LEVEL", 0},
                      ContinueCase{"no level", "MAIN-GAME", "", 0, true, "RESTART-LEVEL", 0},
                      ContinueCase{"empty level", "MAIN-GAME", "MAIN-GAME", 0, false, "RESTART-LEVEL", 0},
                      ContinueCase{"level of another type", "MAIN-GAME", "LAY-PUZZLE", 0, true, "RESTART-LEVEL", 0},
                      ContinueCase{"mini-game", "HIDDEN-OBJECT", "HIDDEN-OBJECT", 0, true, "HIDDEN-OBJECT", 2},
                      ContinueCase{"mini-game without level", "LAY-PUZZLE", "", 0, true, "RESTART-LEVEL", 0},
                      ContinueCase{"map", "MAPA", "", 0, true, "MAPA", 0},
                      ContinueCase{"interlude", "STORY-FLOW-4", "", 0, true, "STORY-FLOW-4", 0},
                      ContinueCase{"after the outro, past the end", "STORY-OUTRO", "", 0, true, "GET-NEXT-LEVEL", 0},
                      ContinueCase{"lower-case type", "main-game", "MAIN-GAME", 0, true, "main-game", 1}),
    [](const auto& info) {
        std::string n = info.param.what;
        for (char& ch : n)
            if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
        return n;
    });

// What a player file says of the voyage, as the next start reads it: a loosely written
// voyage, one the game does not have, a place past either end of the voyage and a game type
// that is not the voyage's are read so that the player always goes on, and what had to be
// mended is told once. A null flow type: no such key.
struct VoyageCase {
    const char* what;
    const char* flowType;
    int32_t flowSequence;
    const char* gameType;
    int32_t level, stage;
    const char* readFlowType;
    int32_t readSequence;
    const char* readGameType;
    const char* told;  // part of the one notice, "" for none
    const char* next;  // where Continue leads, then what comes after
    const char* after;
};

class VoyageTest : public ProgressTest, public ::testing::WithParamInterface<VoyageCase> {};

TEST_P(VoyageTest, APlayerFileAlwaysLeadsOnInAVoyage) {
    const auto& c = GetParam();
    std::string standards = "\t\tname = \"Ann\"\n\t\tnumerLevelu = " + std::to_string(c.level) +
                            "\n\t\tnumerStageu = " + std::to_string(c.stage) +
                            "\n\t\tflowSequence = " + std::to_string(c.flowSequence) + "\n\t\tgameType = \"" +
                            c.gameType + "\"\n";
    if (c.flowType) standards += std::string("\t\tflowType = ") + c.flowType + "\n";
    write("/Profiles/65-110-110-/profile.dat", "profile {\n\tstandards {\n" + standards + "\t}\n\n}\n\n");
    auto back = loadProfile(dir + "/Profiles/65-110-110-/profile.dat");
    ASSERT_TRUE(back);
    EXPECT_EQ(back->flowType, c.readFlowType);
    EXPECT_EQ(back->flowSequence, c.readSequence);
    EXPECT_EQ(back->gameType, c.readGameType);
    if (*c.told) {
        ASSERT_EQ(notices.size(), 1u);
        EXPECT_NE(notices[0].find(c.told), std::string::npos) << notices[0];
        EXPECT_NE(notices[0].find(dir + "/Profiles/65-110-110-/profile.dat"), std::string::npos) << notices[0];
        EXPECT_TRUE(back->needsSave);
    } else {
        EXPECT_TRUE(notices.empty()) << notices[0];
    }

    // Written as read: the next start reads the same and tells nothing.
    ASSERT_EQ(back->save(), 0);
    notices.clear();
    auto again = loadProfile(back->folder() + "/profile.dat");
    ASSERT_TRUE(again);
    EXPECT_EQ(again->flowType, c.readFlowType);
    EXPECT_EQ(again->flowSequence, c.readSequence);
    EXPECT_TRUE(notices.empty()) << notices[0];

    EXPECT_EQ(again->ContinueGame(), c.next);
    EXPECT_EQ(again->getNextLevel(), c.after);
}

// Casual: 1 nonogram (level 1, stage 1), 2 mini-game (2, 1), 3 map (3, 2), 4 story, 5
// nonogram (1, 2). Hard: 1 lay puzzle (1, 1).
INSTANTIATE_TEST_SUITE_P(
    Cases, VoyageTest,
    ::testing::Values(
        VoyageCase{"a stray token after the voyage", "\"CASUAL\" 0", 1, "MAIN-GAME", 1, 1, "CASUAL", 1, "MAIN-GAME", "",
                   "RESTART-LEVEL", "PUZZLE-EXPRESS"},
        VoyageCase{"small letters", "\"casual\"", 1, "MAIN-GAME", 1, 1, "CASUAL", 1, "MAIN-GAME", "", "RESTART-LEVEL",
                   "PUZZLE-EXPRESS"},
        VoyageCase{"blanks around", "\" hard \"", 1, "LAY-PUZZLE", 1, 1, "HARD", 1, "LAY-PUZZLE", "", "RESTART-LEVEL",
                   "END-OF-LEVELS"},
        VoyageCase{"a voyage the game does not have", "\"MEDIUM\"", 2, "PUZZLE-EXPRESS", 2, 1, "CASUAL", 2,
                   "PUZZLE-EXPRESS", "names the voyage \"MEDIUM\", which the game does not have. ANN goes on in the casual voyage",
                   "RESTART-LEVEL", "MAPA"},
        VoyageCase{"an unknown voyage whose place is the hard one's", "\"SEVERE\"", 1, "LAY-PUZZLE", 1, 1, "HARD", 1,
                   "LAY-PUZZLE", "ANN goes on in the hard voyage", "RESTART-LEVEL", "END-OF-LEVELS"},
        VoyageCase{"no voyage after playing", nullptr, 3, "MAPA", 3, 2, "CASUAL", 3, "MAPA", "names no voyage", "MAPA",
                   "STORY-SPEC"},
        VoyageCase{"no voyage chosen yet", nullptr, 0, "", 1, 1, "CASUAL", 0, "", "", "", "MAIN-GAME"},
        VoyageCase{"a stage-1 player past the end", "\"CASUAL\"", 999, "MAIN-GAME", 1, 1, "CASUAL", 1, "MAIN-GAME",
                   "at place 999 of the casual voyage, which has 5 places. ANN goes on at level 1 of stage 1",
                   "RESTART-LEVEL", "PUZZLE-EXPRESS"},
        VoyageCase{"past the end at no level of the voyage", "\"CASUAL\"", 999, "MAIN-GAME", 9, 9, "CASUAL", 5,
                   "MAIN-GAME", "goes on from the last place of the voyage", "RESTART-LEVEL", "END-OF-LEVELS"},
        VoyageCase{"the end of the voyage reached", "\"CASUAL\"", 6, "MAIN-GAME", 1, 2, "CASUAL", 6, "MAIN-GAME", "",
                   "RESTART-LEVEL", "END-OF-LEVELS"},
        VoyageCase{"before the start", "\"CASUAL\"", -4, "", 7, 7, "CASUAL", 0, "", "goes on from the start", "",
                   "MAIN-GAME"},
        VoyageCase{"a damaged game type", "\"CASUAL\"", 2, "PUZZLE-EXPRESSX", 2, 1, "CASUAL", 2, "PUZZLE-EXPRESS",
                   "says ANN is playing \"PUZZLE-EXPRESSX\", but the casual voyage has \"PUZZLE-EXPRESS\" there",
                   "RESTART-LEVEL", "MAPA"},
        VoyageCase{"a damaged game type before the first place", "\"CASUAL\"", 0, "GARBAGE", 1, 1, "CASUAL", 0, "",
                   "which the game does not have. ANN starts the voyage from its beginning", "", "MAIN-GAME"}),
    [](const auto& info) {
        std::string n = info.param.what;
        for (char& ch : n)
            if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
        return n;
    });

// A profile saved with a level in progress, read back and continued: the level and the
// player's own counters reach the play screen; a missing level file restarts the entry.
TEST_F(ProgressTest, ContinueAfterARestartOfTheGame) {
    p->getNextLevel();
    world.playCounters.useHintsN = 3;
    world.playCounters.mnoznik = 2.5f;
    ASSERT_EQ(p->save(), 0);
    resetPlayCountersOwner();
    world.playCounters = TPlayCounters{};

    auto back = loadProfile(dir + "/Profiles/" + p->id + "/profile.dat");
    ASSERT_TRUE(back && back->actLevel);
    EXPECT_EQ(back->ContinueGame(), "MAIN-GAME");
    EXPECT_EQ(world.playCounters.useHintsN, 3);
    EXPECT_FLOAT_EQ(world.playCounters.mnoznik, 2.5f);

    files::deleteFile(dir + "/Profiles/" + p->id + "/level.lvl");
    auto lost = loadProfile(dir + "/Profiles/" + p->id + "/profile.dat");
    ASSERT_TRUE(lost);
    EXPECT_EQ(lost->ContinueGame(), "RESTART-LEVEL");
    EXPECT_EQ(lost->restartLevel(), "MAIN-GAME");
    EXPECT_EQ(lost->flowSequence, 1);
}

TEST_F(ProgressTest, CanContinue) {
    struct Case {
        int32_t level, stage;
        bool level_in_progress;
        int32_t expect;
    } cases[] = {{1, 1, false, 0}, {1, 1, true, 1}, {2, 1, false, 1}, {1, 2, false, 1}};
    for (const auto& c : cases) {
        p->numerLevelu = c.level;
        p->numerStageu = c.stage;
        p->actLevel = c.level_in_progress ? std::make_shared<FakeLevel>() : nullptr;
        EXPECT_EQ(p->canContinue(), c.expect) << c.level << " " << c.stage << " " << c.level_in_progress;
    }
}

// The play screen holds one set of counters: each player keeps and gets back their own.
TEST_F(ProgressTest, PlayCountersStayWithTheirPlayer) {
    auto q = createNewProfile("Bob");
    q->flowType = "CASUAL";
    p->getNextLevel();
    world.playCounters.useMieczN = 4;  // Ann plays
    q->getNextLevel();                 // Bob's level takes the play screen
    EXPECT_EQ(p->gameData.useMieczN, 4);
    EXPECT_EQ(world.playCounters.useMieczN, 0);
    world.playCounters.useMieczN = 1;  // Bob plays
    ASSERT_EQ(p->save(), 0);            // Ann's save writes Ann's counters
    auto annBack = loadProfile(dir + "/Profiles/" + p->id + "/profile.dat");
    EXPECT_EQ(annBack->gameData.useMieczN, 4);
    EXPECT_EQ(p->ContinueGame(), "MAIN-GAME");
    EXPECT_EQ(world.playCounters.useMieczN, 4);
    EXPECT_EQ(q->gameData.useMieczN, 1);
}

TEST_F(ProgressTest, ALevelThatCannotBeReadOpensNoScreen) {
    world.badUrls.push_back("levels/CASUAL1.lvl");
    EXPECT_EQ(p->getNextLevel(), "MAIN-MENU");
    EXPECT_FALSE(p->actLevel);
    EXPECT_TRUE(world.playLevels.empty());
    EXPECT_EQ(notices.size(), 1u);
    EXPECT_EQ(p->ContinueGame(), "RESTART-LEVEL");
}

TEST_F(ProgressTest, UnplayedLevel) {
    EXPECT_EQ(p->getNextUnplayedLevel(), "GET-NEXT-LEVEL");
    p->levele = {std::make_shared<TProfLevelData>(TProfLevelData{1, 1, 1, 1}),
                 std::make_shared<TProfLevelData>(TProfLevelData{2, 0, 2, 1})};
    EXPECT_EQ(p->getNextUnplayedLevel(), "PUZZLE-EXPRESS");
    EXPECT_EQ(p->flowSequence, 2);
}

TEST_F(ProgressTest, RouterPlacesUseTheCurrentProfile) {
    std::vector<std::string> fallbacks;
    installProfilePlaces([&](const std::string& place) {
        fallbacks.push_back(place);
        return std::string("CREDITS");
    });
    // No current profile, then a profile whose flow type names no voyage: that is told and
    // the player goes on in the casual one, then a world without progressions.
    control::where = "GET-NEXT-LEVEL";
    control::runPass();
    EXPECT_EQ(control::where, "CREDITS");
    auto odd = createNewProfile("Odd");
    odd->flowType = "WEIRD";
    profileManager.profile = odd;
    control::where = "START-NEW-GAME";
    control::runPass();
    EXPECT_EQ(control::where, "GET-NEXT-LEVEL");
    EXPECT_EQ(odd->flowType, "CASUAL");
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].find("names the voyage \"WEIRD\", which the game does not have"), std::string::npos);

    profileManager.listaProfili = {p};
    profileManager.profile = p;
    control::where = "START-NEW-GAME";
    control::runPass();
    EXPECT_EQ(control::where, "GET-NEXT-LEVEL");
    control::runPass();
    EXPECT_EQ(control::where, "MAIN-GAME");
    EXPECT_EQ(p->flowSequence, 1);
    control::where = "RESTART-LEVEL";
    control::runPass();
    EXPECT_EQ(control::where, "MAIN-GAME");
    EXPECT_EQ(p->flowSequence, 1);

    world.flows.clear();
    control::where = "START-NEW-GAME";
    control::runPass();
    EXPECT_EQ(fallbacks, (std::vector<std::string>{"GET-NEXT-LEVEL", "START-NEW-GAME"}));
}

}  // namespace
