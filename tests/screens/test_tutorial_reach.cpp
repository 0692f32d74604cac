// Every shipped tip can be met: its screen is a real place, its texts exist, and a tip bound
// to a level has a tutorial level of that number in a voyage (level tips run only there).
// Each block game greets a newcomer with a tip. Skipped without a built tree.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "gui/data/qcmfile.h"
#include "gui/data/txtfile.h"
#include "screens/hidden_object/hidden_object.h"
#include "screens/lay_puzzle/lay_puzzle.h"
#include "screens/play/main_game.h"
#include "screens/puzzle_express/puzzle_express.h"
#include "screens/win/win_screen.h"
#include "shipped_play_fixture.h"

namespace {

struct ShippedTip {
    std::string id, screen;
    int level = 0, title = 0, txt = 0;
};

std::string key(const std::string& group, int i, const std::string& field) {
    return group + std::to_string(i) + "::" + field;
}

// The numbers of the voyages' nonogram levels whose file makes them tutorial levels.
std::set<int> tutorialLevelNumbers(const std::string& tree) {
    std::set<int> out;
    for (const char* flow : {"data/flow_casual.dat", "data/flow_hard.dat"}) {
        auto f = loadQCMFile(tree + flow);
        const int n = int(f->getFloat("flow::i"));
        for (int i = 1; i <= n; ++i) {
            if (f->getString(key("flow::level", i, "gameType")) != "MAIN-GAME") continue;
            auto lvl = loadQCMFile(tree + f->getString(key("flow::level", i, "url")));
            if (lvl->getFloat("level::data::tutorialLevel") != 0)
                out.insert(int(f->getFloat(key("flow::level", i, "numer"))));
        }
    }
    return out;
}

TEST(ShippedTutorialReach, EveryTipCanBeMetAndEachBlockGameHasAFirstTip) {
    const std::string tree = playtest::builtTree() + "/";
    if (!std::filesystem::exists(tree + "data/tutorial.dat")) GTEST_SKIP() << "no built asset tree at " << tree;
    auto f = loadQCMFile(tree + "data/tutorial.dat");
    auto texts = loadTxtFile(tree + "txt/en/tutorial.txt");
    ASSERT_TRUE(texts);
    const std::set<std::string> places = {mainGame.id, winScreen.id, puzzleExpress.id, hiddenObject.id,
                                          layPuzzle.id};
    const std::set<int> tutorialLevels = tutorialLevelNumbers(tree);
    const int n = int(f->getFloat("tutorial::i"));
    ASSERT_GT(n, 0);
    std::set<std::string> firstTipScreens;
    for (int i = 1; i <= n; ++i) {
        ShippedTip t{f->getString(key("tutorial::tut", i, "id")), f->getString(key("tutorial::tut", i, "screen")),
                     int(f->getFloat(key("tutorial::tut", i, "level"))),
                     int(f->getFloat(key("tutorial::tut", i, "title"))),
                     int(f->getFloat(key("tutorial::tut", i, "txt")))};
        SCOPED_TRACE(t.id);
        ASSERT_FALSE(t.id.empty()) << "tip " << i;
        EXPECT_TRUE(places.count(t.screen)) << t.screen;
        for (int line : {t.title, t.txt}) {
            EXPECT_GE(line, 1);
            EXPECT_LE(line, texts->lines());
        }
        if (t.level != 0)
            EXPECT_TRUE(tutorialLevels.count(t.level)) << "no tutorial level " << t.level << " in a voyage";
        else
            firstTipScreens.insert(t.screen);
    }
    for (const std::string& game : {puzzleExpress.id, layPuzzle.id, hiddenObject.id})
        EXPECT_TRUE(firstTipScreens.count(game)) << game << " has no first-time tip";
}

}  // namespace
