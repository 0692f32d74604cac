// Hints and power-ups through the real play screen: the buttons' states and charge, each
// power-up armed, used and put back, and what it does to the board.
#include <algorithm>
#include <array>
#include <set>

#include "app/app_globals.h"
#include "effects/emitter.h"
#include "effects/flying_bonus.h"
#include "effects/flying_hint.h"
#include "effects/kamien.h"
#include "effects/miecz.h"
#include "test_play_support.h"

namespace {

using playtest::PlayTest;

constexpr int32_t kRecharge = 20000;

class PowerUpTest : public PlayTest {
protected:
    void SetUp() override {
        PlayTest::SetUp();
        SeedRnd(7);
        mainGame.maxCzasPowerUpow = {kRecharge, kRecharge, kRecharge, kRecharge, kRecharge, 0};
        mainGame.hintAnim = playtest::makeStrip(80, 54, 8);
        MidHandleImage(mainGame.hintAnim);
    }
    // A level at `stage` with every power-up charged, run to its first playing frame.
    void play(const std::vector<std::string>& picture, int stage) {
        profile->numerStageu = stage;
        build(picture);
        for (auto& c : profile->czas) c = now - kRecharge;
        start();
        ASSERT_TRUE(runUntilState("NORMAL"));
    }
    TButton& button(int n) { return *mainGame.bonusButton(n); }
    // A left (or right) click at a point, over two frames.
    void clickAt(float x, float y, int b = 1) {
        moveTo(x, y);
        press(b);
        frame();
        release(b);
        frame();
    }
    void clickButton(int n) { clickAt(button(n).dim->x, button(n).dim->y); }
    // The cells of the level that have been resolved, as "r,c".
    std::set<std::string> resolved() {
        std::set<std::string> out;
        for (int r = 0; r < level->rows; ++r)
            for (int c = 0; c < level->cols; ++c)
                if (cell(r, c).odkryty) out.insert(std::to_string(r) + "," + std::to_string(c));
        return out;
    }
    // No stone was thrown and no picture cell was broken.
    void expectOnlyRightMoves() {
        EXPECT_EQ(profile->mistakes, 0);
        EXPECT_EQ(profile->kamienieWWorku, 0);
        EXPECT_TRUE(listaKamieni.empty());
        for (auto& t : level->tile)
            if (t->isPicture()) {
                EXPECT_EQ(t->broken, 0) << t->r << "," << t->c;
            }
    }
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
    clickButton(1);
    runFrames(200);
    EXPECT_FALSE(mainGame.miecz);
    EXPECT_EQ(mainGame.useMieczN, 0);
    EXPECT_TRUE(resolved().empty());
}

TEST_F(PowerUpTest, ChargeFollowsTheProfileTimerAndAnnouncesItselfOnce) {
    play({"#....", "#####"}, 10);
    EXPECT_FLOAT_EQ(button(1).stan, 1);
    EXPECT_FLOAT_EQ(button(6).stan, 1);
    clickButton(1);  // the sword: its charge restarts
    EXPECT_EQ(mainGame.useMieczN, 1);
    EXPECT_LT(button(1).stan, 0.01f);
    const int32_t used = profile->czas[0];
    while (now < used + kRecharge / 2) frame();
    EXPECT_NEAR(button(1).stan, 0.5f, 0.01f);
    EXPECT_FLOAT_EQ(button(6).stan, 1);
    const int loadups = services.count("bonus_loadup");
    while (now <= used + kRecharge + 20) frame();
    EXPECT_FLOAT_EQ(button(1).stan, 1);
    EXPECT_EQ(services.count("bonus_loadup"), loadups + 1);
    runFrames(10);
    EXPECT_EQ(services.count("bonus_loadup"), loadups + 1);
}

TEST_F(PowerUpTest, SwordRevealsUpToSixUntouchedEmptyCells) {
    struct Case {
        std::vector<std::string> picture;
        size_t revealed;
    };
    const Case cases[] = {
        {{"#....", "#####"}, 4},                      // four empty cells: all four
        {{"#.......", "........", "########"}, 6},    // fifteen: six of them
        {{"###", "###"}, 0},                          // none: still spent
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.picture.size());
        play(c.picture, 5);
        clickButton(1);
        ASSERT_TRUE(mainGame.miecz);
        EXPECT_EQ(services.count("bonus_sword"), 1);
        EXPECT_EQ(mainGame.useMieczN, 1);
        for (int i = 0; i < 400 && mainGame.miecz; ++i) frame();
        EXPECT_FALSE(mainGame.miecz);
        runFrames(150);
        const auto done = resolved();
        EXPECT_EQ(done.size(), c.revealed);
        for (auto& t : level->tile)
            if (t->odkryty) {
                EXPECT_FALSE(t->isPicture());
            }
        expectOnlyRightMoves();
        EXPECT_EQ(level->score, int(25 * c.revealed));
        services.sounds.clear();
        mainGame.finish();
    }
}

TEST_F(PowerUpTest, MedallionBowsRevealPictureCellsOneAfterAnother) {
    play({"#..#", "..#.", "####", "##.."}, 3);
    clickButton(2);
    EXPECT_EQ(services.count("bonus_medalion"), 1);
    EXPECT_EQ(mainGame.useMedalionN, 1);
    EXPECT_FALSE(emittersList.empty());
    // The first bow's cell opens after about 1.4 s, the third 600 ms later.
    runFrames(60);
    EXPECT_TRUE(resolved().empty());
    runFrames(220);
    const auto done = resolved();
    EXPECT_EQ(done.size(), 6u);
    for (const auto& t : level->tile)
        if (t->odkryty) {
            EXPECT_TRUE(t->isPicture()) << t->r << "," << t->c;
        }
    expectOnlyRightMoves();
    EXPECT_EQ(mainGame.state, "NORMAL");
}

TEST_F(PowerUpTest, EyeMapAndSkullRevealTheirAreaOfTheClickedCell) {
    struct Case {
        int button;
        int r, c;
        std::set<std::string> area;
        const char* sound;
    };
    const Case cases[] = {
        {3, 1, 2, {"0,2", "1,2", "2,2"}, "bonus_eye"},
        {4, 0, 0, {"0,0", "0,1", "1,0", "1,1"}, "bonus_map"},  // a corner: four cells
        {4, 1, 1, {"0,0", "0,1", "0,2", "1,0", "1,1", "1,2", "2,0", "2,1", "2,2"}, "bonus_map"},
        {5, 2, 1, {"2,0", "2,1", "2,2", "2,3"}, "bonus_skull"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sound);
        play({"#..#", ".##.", "#..#"}, 10);
        clickButton(c.button);
        EXPECT_EQ(mainGame.hand_, c.button + 1);
        frame();
        EXPECT_EQ(button(c.button)._v, 0);  // the icon is on the cursor
        moveTo(cell(c.r, c.c));
        frame();
        press(1);
        frame();
        release(1);
        frame();
        EXPECT_EQ(mainGame.hand_, 0);
        EXPECT_EQ(services.count(c.sound), 1);
        EXPECT_EQ((std::array<int, 3>{mainGame.useOkoN, mainGame.useMapaN, mainGame.useCzaszkaN})[size_t(c.button - 3)], 1);
        EXPECT_LT(button(c.button).stan, 0.01f);  // spent: recharging
        runFrames(60);
        EXPECT_EQ(resolved(), c.area);
        expectOnlyRightMoves();
        services.sounds.clear();
        mainGame.finish();
    }
}

TEST_F(PowerUpTest, ArmedPowerUpGoesBackWithoutBeingSpent) {
    play({"#..#", ".##."}, 10);
    // Right click: the eye's icon flies back; the button waits for it.
    clickButton(3);
    clickAt(600, 400, 2);
    EXPECT_EQ(mainGame.hand_, 0);
    EXPECT_EQ(isBonusFlying(2), 1);
    frame();
    EXPECT_EQ(button(3)._a, 0);
    for (int i = 0; i < 60 && isBonusFlying(2); ++i) frame();
    frame();
    EXPECT_EQ(button(3)._a, 1);
    EXPECT_FLOAT_EQ(button(3).stan, 1);
    EXPECT_EQ(mainGame.useOkoN, 0);
    // A click on its own button puts it down where it is: no icon flies.
    clickButton(4);
    EXPECT_EQ(mainGame.hand_, 5);
    clickButton(4);
    EXPECT_EQ(mainGame.hand_, 0);
    EXPECT_EQ(isBonusFlying(3), 0);
    // The medallion while the map is armed: the map goes back and the medallion fires.
    clickButton(4);
    clickButton(2);
    EXPECT_EQ(isBonusFlying(3), 1);
    EXPECT_EQ(mainGame.useMedalionN, 1);
    EXPECT_EQ(mainGame.useMapaN, 0);
    EXPECT_TRUE(resolved().empty());
}

TEST_F(PowerUpTest, HintsResolveOnlySafelyAndSpendTheirSlot) {
    play({"#..#", ".##.", "#..#"}, 1);
    runFrames(30);  // the slots glow in
    EXPECT_FLOAT_EQ(mainGame.hintT[1], 1);
    clickAt(935, 650);
    EXPECT_EQ(services.count("hint"), 1);
    EXPECT_EQ(fx::live(flyingHints), 2u);
    EXPECT_EQ(mainGame.hintUsed[1], 1);
    EXPECT_EQ(level->hintUsed[1], 1);
    EXPECT_EQ(profile->hintsUsed, 1);
    runFrames(150);
    EXPECT_EQ(resolved().size(), 2u);
    expectOnlyRightMoves();
    EXPECT_EQ(mainGame.hintT[1], 0);
    // A spent slot ignores the mouse.
    clickAt(935, 650);
    EXPECT_EQ(services.count("hint"), 1);
    EXPECT_EQ(mainGame.overHint, 0);
    // Spending all four resolves eight cells, never a mistake.
    clickAt(840, 650);
    clickAt(840, 700);
    clickAt(935, 700);
    runFrames(200);
    EXPECT_EQ(resolved().size(), 8u);
    expectOnlyRightMoves();
    EXPECT_EQ(mainGame.useHintsN, 4);
}

TEST_F(PowerUpTest, NothingInFlightOutlivesTheLevel) {
    play({"#..#", ".##."}, 10);
    clickButton(2);  // medallion bows
    clickButton(1);  // the sword
    clickAt(935, 650);  // a hint
    ASSERT_FALSE(emittersList.empty());
    mainGame.finish();
    EXPECT_TRUE(emittersList.empty());
    EXPECT_FALSE(mainGame.miecz);
    EXPECT_EQ(fx::live(flyingHints), 0u);
    // A bow's order made for a level that is gone does nothing to the next one.
    auto old = level;
    play({"##", "##"}, 10);
    createBonusBow(0, 0, 100, 100, 0, old->tileAt(0, 0));
    runFrames(150);
    EXPECT_TRUE(resolved().empty());
}

}  // namespace
