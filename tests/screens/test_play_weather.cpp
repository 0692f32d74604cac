// The weather on the play screen: bubble groups at the level's interval, drawn over the
// background and under the board, bubbles at the pointer on stage 2, and none carried
// past the end of the level.
#include <cstdlib>

#include "app/frame.h"
#include "effects/pogoda.h"
#include "game/flow/level_manager.h"
#include "screens/play/play_overlay.h"
#include "support/gl_shot.h"
#include "test_play_support.h"

namespace playtest {
namespace {

class PlayWeatherTest : public PlayTest {
protected:
    void SetUp() override {
        PlayTest::SetUp();
        Pixmap pm;
        pm.width = pm.height = 12;
        pm.pixels.assign(144, 0xFFFFFFFFu);
        const std::string path = ::testing::TempDir() + "banka.png";
        ASSERT_TRUE(SavePixmapPNG(pm, path));
        TPogoda::img[8] = LoadImage(path);
        MidHandleImage(TPogoda::img[8]);
    }
    size_t bubbles() const { return fx::live(listaPogody); }
    // Frames until the first bubbles have started.
    void advance() {
        for (int i = 0; i < 20; ++i) frame();
    }
};

TEST_F(PlayWeatherTest, ALevelWithBubblesStartsAGroupAtEachInterval) {
    build({"##", "#."}).banki = 5000;
    start();
    frame();
    const size_t first = bubbles();
    EXPECT_GE(first, 2u);
    EXPECT_LE(first, 8u);
    const int32_t due = TPogoda::bankiTime;
    EXPECT_EQ(due, now + 5000);
    while (now <= due) frame();
    EXPECT_GT(TPogoda::bankiTime, due) << "the next group started once the clock passed";

    advance();
    ClearRecordedDraws();
    frame();
    int drawn = 0;
    for (const DrawCall& d : RecordedDraws()) drawn += d.what.find("banka") != std::string::npos;
    EXPECT_GT(drawn, 0) << "the started bubbles are on screen";
}

TEST_F(PlayWeatherTest, NoIntervalNoBubblesAndTheLoopsEndDropsThem) {
    build({"##", "#."});
    start();
    for (int i = 0; i < 400; ++i) frame();
    EXPECT_EQ(bubbles(), 0u);
    createBuble(6);
    mainGame.finish();
    EXPECT_EQ(bubbles(), 0u);
}

TEST_F(PlayWeatherTest, AClickOffTheBoardMakesBubblesAtThePointerOnStageTwoOnly) {
    for (int stage : {1, 2}) {
        fx::clear(listaPogody);
        build({"##", "#."});
        profile->numerStageu = stage;
        start();
        ASSERT_TRUE(runUntilState("NORMAL"));
        fx::clear(listaPogody);
        moveTo(60, 600);
        frame();
        press(1);
        frame();
        release(1);
        frame();
        if (stage == 1) {
            EXPECT_EQ(bubbles(), 0u);
            continue;
        }
        EXPECT_GE(bubbles(), 5u);
        EXPECT_LE(bubbles(), 8u);
        for (const auto& b : listaPogody) {
            EXPECT_EQ(b->typ, pogoda::BUBBLE);
            EXPECT_FLOAT_EQ(b->x, 60);
            EXPECT_FLOAT_EQ(b->y, 600);
        }
    }
}

// A picture of a stage 2 level with its bubbles rising, with real OpenGL, for a person to
// look at. Not part of the unit run (it needs the built asset tree and a GL context):
//   SDL_VIDEODRIVER=offscreen ZERKON_PLAY_ASSETS=<tree>/ ZERKON_BUBBLES_SHOT=out.png
//   screens_tests --gtest_also_run_disabled_tests --gtest_filter='*BubblesShot*'
TEST(BubblesShot, DISABLED_StageTwoLevelPicture) {
    const char* tree = std::getenv("ZERKON_PLAY_ASSETS");
    const char* out = std::getenv("ZERKON_BUBBLES_SHOT");
    if (!tree || !out) GTEST_SKIP() << "set ZERKON_PLAY_ASSETS and ZERKON_BUBBLES_SHOT";
    if (!glshot::open(tree)) GTEST_SKIP() << "no GL context";
    int32_t now = 1000;
    SetClockSource([&] { return now; });
    setupPogoda();
    levelManager.setup();
    auto level = glshot::playLevel("data/levels/casual/011.lvl", 2, 1);
    ASSERT_TRUE(level);
    EXPECT_EQ(level->banki, 5000);
    for (int i = 0; i < 420; ++i) {
        now += 17;
        Cls();
        mainGame.update();
        mainGame.draw();
        Flip();
        mainGame._controlGUI();
    }
    EXPECT_GT(fx::live(listaPogody), 0u);
    Cls();
    mainGame.update();
    mainGame.draw();
    ASSERT_TRUE(glshot::save(out));
    CloseGraphics();
    SetClockSource(nullptr);
}

}  // namespace
}  // namespace playtest
