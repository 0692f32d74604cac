// The story-map interlude over the win screen: the chart and the bars coming in with the
// opacity, its texts ending it, a click ending it early, and a second showing after a cut-short
// one showing every text again.
#include <cmath>

#include "app/router.h"
#include "screens/play/main_game.h"
#include "screens/story/story_install.h"
#include "screens/story/story_maps.h"
#include "screens/win/win_screen.h"
#include "story_fixture.h"

namespace storytest {
namespace {

class StoryMapsTest : public StoryTest {
protected:
    void SetUp() override {
        StoryTest::SetUp();
        resetStoryMaps();
        openDisplay();
        writePng("gfx/backgrounds/background-12.jpg", 1024, 768);
        writePng("gfx/gui/story/bars.png", 1024, 400);
        write("txt/en/story-maps.txt", "One\nTwo\n");
        // Two texts: 0.5 s to 2.5 s and 2 s to 4 s after the start.
        write("data/story-maps.dat", storyFile({{1, 512, 384, 500, 2000, 0}, {2, 512, 384, 2000, 2000, 1}}));
    }
    void TearDown() override {
        resetStoryMaps();
        StoryTest::TearDown();
    }
    // Runs the interlude with the given script; the frames it took.
    int run(std::vector<ScriptCommand> script) {
        ResetHarness();
        HarnessStart(std::move(script), 3000);
        settleDelta();
        const int before = HarnessFrameNumber();
        EXPECT_EQ(storyMaps.mainloop(&behind), "");
        return HarnessFrameNumber() - before;
    }
    menutest::Behind behind;
};

TEST_F(StoryMapsTest, TheChartAndBarsComeInOverTheWinScreenAndTheLastTextEndsIt) {
    ResetHarness();
    HarnessStart({}, 3000);
    settleDelta();
    storyMaps.ekran = &behind;
    storyMaps.prepare();
    for (int f = 1; f <= 50; ++f) {
        ClearRecordedDraws();
        ASSERT_TRUE(storyMaps.frame());
    }
    // About half-way in; the bars stand at sin(90 x opacity) of their 200 px.
    const float a = storyMaps.alpha;
    EXPECT_NEAR(a, 0.5f, 0.02);
    const float bar = 200 * std::sin(a * 90 * 3.14159265f / 180);
    bool chart = false;
    std::vector<DrawCall> bars;
    for (const auto& d : RecordedDraws()) {
        if (d.kind == DrawCall::Image && d.what.find("background-12") != std::string::npos) {
            chart = true;
            EXPECT_FLOAT_EQ(d.alpha, a);
        }
        if (d.kind == DrawCall::SubImage && d.what.find("bars") != std::string::npos) {
            EXPECT_FLOAT_EQ(d.alpha, a);
            bars.push_back(d);
        }
    }
    EXPECT_TRUE(chart);
    // Each bar is the part of its wood band nearest the middle: the top one the foot of the
    // upper band, the bottom one the head of the lower band.
    ASSERT_EQ(bars.size(), 2u);
    EXPECT_NEAR(bars[0].y, 0, 0.01);
    EXPECT_NEAR(bars[0].h, bar, 0.01);
    EXPECT_NEAR(bars[0].sy, 200 - bar, 0.01);
    EXPECT_NEAR(bars[1].y, 768 - bar, 0.01);
    EXPECT_NEAR(bars[1].h, bar, 0.01);
    EXPECT_NEAR(bars[1].sy, 200, 0.01);
    EXPECT_EQ(behind.draws, 50);
    while (storyMaps.frame()) {
    }
    // The second text ends 4 s (240 frames) in, then 20 frames of fade.
    EXPECT_NEAR(HarnessFrameNumber(), 261, 3);
}

TEST_F(StoryMapsTest, AClickEndsItAndTheNextShowingHasEveryTextAgain) {
    const int first = run(clickAt(10, 512, 384));
    EXPECT_LE(first, 32) << "a click fades out at once";
    EXPECT_EQ(storyMaps.storyTexts.size(), 2u) << "both texts were left over";
    // No reload from the play screen in between: every text still shows and ends it.
    bool secondSeen = false;
    ResetHarness();
    HarnessStart({}, 3000);
    settleDelta();
    storyMaps.ekran = &behind;
    storyMaps.prepare();
    while (storyMaps.frame()) {
        for (const auto& d : RecordedDraws())
            if (d.kind == DrawCall::Text && d.what == "Two" && d.alpha > 0) secondSeen = true;
        ClearRecordedDraws();
    }
    EXPECT_TRUE(secondSeen);
    EXPECT_NEAR(HarnessFrameNumber(), 261, 3) << "ended by its texts, not by a click";
}

TEST_F(StoryMapsTest, WithoutTextsItFadesOutAtOnce) {
    write("data/story-maps.dat", "story {\n\ti = 0\n}\n");
    EXPECT_LE(run({}), 22);
}

TEST_F(StoryMapsTest, TheWinAndPlayScreensReachItThroughTheirHooks) {
    control::reset();
    installStoryScreens();
    ASSERT_TRUE(playHooks().storyMapsSetup);
    ASSERT_TRUE(winHooks().storyMaps);
    playHooks().storyMapsSetup();
    EXPECT_EQ(storyMaps.storyTexts.size(), 2u);
    ResetHarness();
    HarnessStart(clickAt(5, 512, 384), 3000);
    settleDelta();
    winHooks().storyMaps(behind);
    EXPECT_GT(behind.draws, 0);
    winHooks() = TWinHooks{};
    resetPlayHooks();
    control::reset();
}

}  // namespace
}  // namespace storytest
