// Hints and power-ups through the real play screen: the buttons' states and charge, each
// power-up armed, used and put back, and what it does to the board.
#include <algorithm>
#include <set>

#include "app/loading/loading_screen.h"
#include "effects/flying_bonus.h"
#include "test_play_support.h"

namespace {

using playtest::PlayTest;

class PowerUpTest : public PlayTest {
protected:
    // A level at `stage` with every power-up charged, run to its first playing frame.
    void play(const std::vector<std::string>& picture, int stage) {
        profile->numerStageu = stage;
        build(picture);
        start();
        ASSERT_TRUE(runUntilState("NORMAL"));
    }
    TButton& button(int n) { return *mainGame.bonusButton(n); }
};

TEST_F(PowerUpTest, LockedPowerUpsStayDimmedAndIgnoreClicks) {
    // Stage 3: the medallion only (sword from 5, map 4, skull 9, eye 10).
    play({"#..", "###"}, 3);
    runFrames(5);
    for (int n = 1; n <= 5; ++n) {
        SCOPED_TRACE(n);
        const bool open = n == 2;
        EXPECT_FLOAT_EQ(button(n)._alpha, open ? 1.0f : 0.3f);
        EXPECT_EQ(button(n)._a, open ? 1 : 0);
        EXPECT_EQ(button(n)._v, 1);
    }
}

}  // namespace
