// Captions and the lose panel on the play screen itself: the win waits for the last caption,
// and a lost level routes through the real lose screen to the place the router expects.
#include <vector>

#include "effects/captions.h"
#include "platform/harness.h"
#include "screens/lose/lose_screen.h"
#include "test_play_support.h"

namespace {

using playtest::PlayTest;

class CaptionsOnBoardTest : public PlayTest {
protected:
    void TearDown() override {
        ResetHarness();
        resetLoseScreen();
        PlayTest::TearDown();
    }
};

TEST_F(CaptionsOnBoardTest, WinScreenOpensOnlyOnceTheLastCaptionIsGone) {
    build({"#."});
    start();
    ASSERT_TRUE(runUntilState("NORMAL"));
    click(cell(0, 0), 1);
    click(cell(0, 1), 2);
    ASSERT_TRUE(runUntilState("WIN-1", 300));

    bool banner = false, number = false;
    fx::each(captionsList, [&](TCaption& c) {
        if (auto* spec = dynamic_cast<TSpecCaption*>(&c)) banner = banner || spec->n == 5;
        if (auto* num = dynamic_cast<TTextCaption*>(&c)) number = number || num->v == 50;
    });
    EXPECT_TRUE(banner) << "the level-completed caption";
    EXPECT_TRUE(number) << "the score of the two cells played one after the other";

    int waited = 0;
    while (fx::live(captionsList) != 0 && waited < 400) {
        EXPECT_EQ(winShown, 0) << "frame " << waited;
        frame();
        ++waited;
    }
    ASSERT_EQ(fx::live(captionsList), 0u);
    EXPECT_GT(waited, 60) << "the banner takes about two seconds";
    EXPECT_EQ(winShown, 0);
    frame();
    EXPECT_EQ(winShown, 1);
    EXPECT_EQ(mainGame.wynik, "GET-NEXT-LEVEL");
}

TEST_F(CaptionsOnBoardTest, LostLevelRoutesThroughTheLosePanel) {
    // No lose layout in this tree: the panel reports it and stands in its own buttons.
    installLoseScreen();
    SetClockSource([this] { return now + int32_t(HarnessFrameNumber() * 1000 / 60); });
    const struct {
        int y;
        const char* wynik;
    } cases[] = {{310, "RESTART-LEVEL"}, {380, "MAPA"}, {450, "MAIN-MENU"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.wynik);
        build({"#."});
        ResetHarness();
        ScriptCommand move, press;
        move.frame = 29;
        move.verb = "move";
        move.args = {"512", std::to_string(c.y)};
        press.frame = 30;
        press.verb = "click";
        press.args = {"left"};
        HarnessStart({move, press}, 600);
        for (int i = 0; i < 25; ++i) deltaUpdate();
        createKamien(0, 100, 100, 900, 400, 0);
        mainGame.wynik.clear();
        mainGame.dFade = 0;
        mainGame.setState("LOSE");
        mainGame._update_state_LOSE();
        EXPECT_EQ(mainGame.wynik, c.wynik);
        EXPECT_EQ(mainGame.dFade, 1);
        EXPECT_EQ(fx::live(listaKamieni), 0u);
        EXPECT_LT(HarnessFrameNumber(), 100);
    }
}


// The score numbers a move makes on the board.
std::vector<TTextCaption*> numbersShown() {
    std::vector<TTextCaption*> out;
    fx::each(captionsList, [&](TCaption& c) {
        if (auto* n = dynamic_cast<TTextCaption*>(&c); n && !n->_dead) out.push_back(n);
    });
    return out;
}

// A drag along a row counts up one number where it began, as many points as the level
// gained; a cell played on its own, and points paid at the panel, show numbers of their own;
// the empty cells a win breaks add up in one number too.
TEST_F(CaptionsOnBoardTest, ScoreOfOneDragOrOneWinRisesAsOneNumber) {
    build({"##########", "#.........", ".........."});
    mainGame.mnoznik = 2;
    start();
    ASSERT_TRUE(runUntilState("NORMAL"));
    drag(cell(0, 0), cell(0, 9), 1);
    runFrames(40);
    auto shown = numbersShown();
    ASSERT_EQ(shown.size(), 1u) << "one number for the drag";
    EXPECT_EQ(shown[0]->v, 500);
    EXPECT_EQ(level->score, 500);
    EXPECT_NEAR(shown[0]->x, cell(0, 0).x(), 1) << "where the drag began";
    EXPECT_GT(shown[0]->a, 0.5f) << "full while it grew";

    // Points paid at the panel meanwhile rise there.
    mainGame.addScore(1000, 888, 160);
    EXPECT_EQ(numbersShown().size(), 2u);
    runFrames(120);
    EXPECT_TRUE(numbersShown().empty()) << "and they go as any caption goes";

    // The last cell completes the board: its own number, and one for the breaks of the win.
    click(cell(1, 0), 1);
    ASSERT_TRUE(runUntilState("WIN-1", 300));
    runFrames(5);
    shown = numbersShown();
    ASSERT_GE(shown.size(), 1u);
    EXPECT_LE(shown.size(), 2u);
    int sum = 0;
    for (auto* n : shown) sum += n->v;
    EXPECT_EQ(sum, level->score - 2500);
    EXPECT_EQ(level->score - 2500, 50 * 20) << "the cell and the 19 empty cells the win breaks";
}

}  // namespace
