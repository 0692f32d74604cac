// The opening film under the frame clock, over the built asset tree: its ten states in order
// and their lengths, the one-shot cues of a whole run, a click or Esc ending it from any
// state with every channel stopped, the pause leaving alone the channels it did not pause,
// the ships' sail-in, rocking and sinking, the cannon balls' flight and impact, and where the
// route marks are drawn.
#include <cmath>
#include <map>

#include "platform/audio.h"
#include "screens/intro/intro_screen.h"
#include "story_fixture.h"

namespace storytest {
namespace {

class IntroTest : public StoryTest {
protected:
    void SetUp() override {
        StoryTest::SetUp();
        openDisplay();
        bDir = std::string(ZERKON_BINARY_DIR) + "/assets/";
        resetIntroSprites();
        resetParticles();
        SeedRnd(7);
    }
    void TearDown() override {
        introScreen.reset();
        resetIntroSprites();
        resetParticles();
        StoryTest::TearDown();
    }
    void startScript(std::vector<ScriptCommand> script, int limit = 20000) {
        ResetHarness();
        HarnessStart(std::move(script), limit);
        settleDelta();
    }
    // A film set up over the built tree, with the clock started.
    std::unique_ptr<TIntroScreen> film(std::vector<ScriptCommand> script = {}) {
        startScript(std::move(script));
        SeedRnd(7);
        auto s = std::make_unique<TIntroScreen>();
        s->setup();
        delta = 1;  // the sprites stepped by hand move one frame a step
        return s;
    }
    static bool anyPlaying(const TIntroScreen& s) {
        for (const TChannel& c : {s.shipChannel, s.fireChannel, s.chaosChannel, s.wreckChannel})
            if (c && ChannelPlaying(c)) return true;
        return false;
    }
    // Runs the film to its end; the frame at which each state began.
    static std::vector<std::pair<std::string, int>> play(TIntroScreen& s) {
        std::vector<std::pair<std::string, int>> seen;
        s.prepare();
        int frame = 0;
        while (s.frame()) {
            ++frame;
            if (seen.empty() || seen.back().first != s.state) seen.emplace_back(s.state, frame);
            if (frame > 12000) break;
        }
        s.stopAllSounds();
        return seen;
    }
};

TEST_F(IntroTest, TenStatesInOrderTheirCuesOnceAndEverythingStoppedAtTheEnd) {
    auto s = film();
    ASSERT_TRUE(s->shipChannel && s->fireChannel) << "the two loops start silently at set-up";
    EXPECT_EQ(s->storyTexts.size(), 9u);
    const auto seen = play(*s);
    const char* order[] = {"SCENE_1_BEGIN", "SCENE_1_FIRE", "SCENE_2_BEGIN", "SCENE_2_SHOW", "SCENE_2_POSTACIE",
                           "SCENE_2_WAIT",  "SCENE_3_BEGIN", "SCENE_3_DOTS",  "SCENE_4_BEGIN", "SCENE_5"};
    ASSERT_EQ(seen.size(), std::size(order));
    std::map<std::string, int> len;
    for (size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i].first, order[i]);
        if (i + 1 < seen.size()) len[seen[i].first] = seen[i + 1].second - seen[i].second;
    }
    // The lengths that do not hang on the random volley, in frames of 1/60 s.
    EXPECT_NEAR(len["SCENE_1_FIRE"], 60 + 683, 6) << "a second's wait, then the sinking";
    EXPECT_NEAR(len["SCENE_2_BEGIN"], 300, 2);
    EXPECT_NEAR(len["SCENE_2_SHOW"], 400, 2);
    EXPECT_NEAR(len["SCENE_2_POSTACIE"], 101, 2);
    EXPECT_NEAR(len["SCENE_2_WAIT"], 61, 2);
    EXPECT_NEAR(len["SCENE_3_BEGIN"], 400, 2);
    // 2 s, then a mark every 0.75 s; each of the 21 ticks comes on the first frame past its moment.
    EXPECT_NEAR(len["SCENE_3_DOTS"], (2000 + 20 * 750) * 60 / 1000 + 21, 5);
    // fP passes 0.65 after 929 frames, then the cover rises in 200.
    EXPECT_NEAR(len["SCENE_4_BEGIN"], 929 + 200, 3);
    // Scene 1: the first ship sails in over 500 frames before the first volley.
    EXPECT_GT(seen[1].second, 500 + 200);

    const auto& c = s->cueCount;
    EXPECT_EQ(c[TIntroScreen::CUE_DOT], 20);
    EXPECT_EQ(c[TIntroScreen::CUE_GHOST], 1);
    EXPECT_EQ(c[TIntroScreen::CUE_TORN_MAP], 1);
    EXPECT_EQ(c[TIntroScreen::CUE_BUBLES], 1);
    EXPECT_EQ(c[TIntroScreen::CUE_GRID], 3);
    EXPECT_GE(c[TIntroScreen::CUE_CANNON], 8);
    EXPECT_EQ(c[TIntroScreen::CUE_CANNON] % 8, 0) << "whole volleys of eight";
    EXPECT_EQ(c[TIntroScreen::CUE_BLAST], c[TIntroScreen::CUE_CANNON]) << "every ball that leaves arrives";
    EXPECT_EQ(s->dots.size(), 20u);
    EXPECT_FALSE(anyPlaying(*s));
    EXPECT_FLOAT_EQ(s->fade, 1);
}

TEST_F(IntroTest, AClickOrEscEndsItFromAnyStateWithEveryChannelStopped) {
    // Where each state begins in the run with this seed.
    std::map<std::string, int> begin;
    {
        auto s = film();
        for (const auto& [st, f] : play(*s)) begin[st] = f;
    }
    for (const char* state : {"SCENE_1_BEGIN", "SCENE_1_FIRE", "SCENE_2_SHOW", "SCENE_2_POSTACIE", "SCENE_3_DOTS",
                              "SCENE_5"}) {
        for (const char* how : {"click", "key"}) {
            SCOPED_TRACE(std::string(state) + " " + how);
            const int at = begin[state] + 5;
            auto cmd = std::string(how) == "click" ? clickAt(at, 500, 400)
                                                   : std::vector<ScriptCommand>{menutest::MenusTest::cmd(
                                                         at, "key", {"ESCAPE"})};
            auto s = film(cmd);
            s->prepare();
            const int start = HarnessFrameNumber();
            std::string stateAtClick;
            while (s->frame()) {
                if (HarnessFrameNumber() == at) stateAtClick = s->state;
                ASSERT_LT(HarnessFrameNumber() - start, at + 200) << "the film did not end";
            }
            s->stopAllSounds();
            EXPECT_EQ(stateAtClick, state);
            // 50 frames of fade at 0.02 a frame (SCENE_5 resets nothing once begun).
            EXPECT_NEAR(HarnessFrameNumber() - at, 51, 3);
            EXPECT_FALSE(anyPlaying(*s));
        }
    }
}

TEST_F(IntroTest, ItsEndLetsGoOfEveryPictureItLoaded) {
    // Shown once at start-up: nothing of it may stay for the rest of the game.
    const int before = ImageMemory().images;
    startScript(clickAt(30, 500, 400));
    createIntroScreen();
    setupIntroScreen();
    EXPECT_GT(ImageMemory().images, before + 20);
    runIntro();
    EXPECT_EQ(introScreen, nullptr);
    EXPECT_EQ(ImageMemory().images, before);
}

TEST_F(IntroTest, TheFilmsPauseResumesOnlyWhatItPaused) {
    auto s = film();
    s->prepare();
    for (int i = 0; i < 10; ++i) s->frame();
    ASSERT_TRUE(ChannelPlaying(s->shipChannel) && ChannelPlaying(s->fireChannel));
    // Someone else held the fire loop before the application was suspended.
    PauseChannel(s->fireChannel);
    s->PauseMyGame();
    EXPECT_FALSE(ChannelPlaying(s->shipChannel));
    s->ResumeMyGame();
    EXPECT_TRUE(ChannelPlaying(s->shipChannel));
    EXPECT_FALSE(ChannelPlaying(s->fireChannel)) << "a channel the pause left alone stays as it was";
    // A loop stopped before the pause is not brought back either.
    StopChannel(s->shipChannel);
    s->PauseMyGame();
    s->ResumeMyGame();
    EXPECT_FALSE(ChannelPlaying(s->shipChannel));
    // A second resume without a pause starts nothing.
    ResumeChannel(s->fireChannel);
    s->PauseMyGame();
    s->ResumeMyGame();
    s->ResumeMyGame();
    EXPECT_TRUE(ChannelPlaying(s->fireChannel));
}

TEST_F(IntroTest, TheShipsSailInRockAndTheSecondSinks) {
    auto s = film();
    TIntroShip& a = *s->ship1;
    EXPECT_TRUE(a.rotK == 1 || a.rotK == -1);
    const float side = a.rotK;
    // The first step only sets the lean going; 25 more take it halfway.
    for (int i = 0; i < 26; ++i) a.update();
    EXPECT_NEAR(a.rot, 1.5f * side * std::sin(45 * 3.14159265f / 180), 1e-3);
    for (int i = 0; i < 224; ++i) a.update();
    EXPECT_NEAR(a.p, 0.5f, 1e-4);
    EXPECT_NEAR(a.x, 150 + 61 * 0.5f, 0.01f);
    EXPECT_NEAR(a.y, 520 + 25 * 0.5f, 0.01f);
    EXPECT_FLOAT_EQ(a.rotK, side) << "after 250 frames: one full rock and back to the first side";
    for (int i = 0; i < 300; ++i) a.update();
    EXPECT_FLOAT_EQ(a.p, 1);
    EXPECT_FLOAT_EQ(a.x, 211);

    // A ship without a start position keeps the one its owner gives it.
    TIntroShip still;
    still.x = 40, still.y = 50, still.dp = 1;
    still.update();
    EXPECT_FLOAT_EQ(still.x, 40);

    // The second ship, with a fire spot on its deck, keels to -65 degrees and goes down 150 px.
    TIntroShip& b = *s->ship2;
    b.p = b.dp = 1;
    b.update();
    s->createFireSpot(int(b.x) + 20, int(b.y) - 30);
    b.sink();
    int frames = 0, bubblesAt = 0;
    while (b.sinkp < 1 && frames < 2000) {
        b.update();
        ++frames;
        if (!bubblesAt && s->cueCount[TIntroScreen::CUE_BUBLES]) bubblesAt = frames;
    }
    EXPECT_NEAR(frames, 683, 3);
    EXPECT_NEAR(bubblesAt, 245, 3);
    EXPECT_EQ(s->cueCount[TIntroScreen::CUE_BUBLES], 1);
    EXPECT_FLOAT_EQ(b.rot, -65);
    EXPECT_NEAR(b.y, b.startY + 150, 0.01f);
    EXPECT_FLOAT_EQ(b.shadowA, 0);
    // The spot rode along: still at its distance from the ship, turned with it.
    const TFireSpot& f = *s->fireSpots.front();
    EXPECT_NEAR(std::hypot(f.x - b.x, f.y - b.y), std::hypot(20.0f, 30.0f), 1);
    EXPECT_NEAR(f.rot - f.startRot, -65 - b.sinkingStartRot, 1e-3);
}

TEST_F(IntroTest, ABallWaitsFliesItsCurveAndSetsAFireWhereItLands) {
    auto s = film();
    auto ball = s->createBall(3);
    EXPECT_FLOAT_EQ(ball->mx, 143 + (716 - 143) / 2.0f);
    EXPECT_FLOAT_EQ(ball->my, 494 - 300);
    EXPECT_GE(ball->startTime - Millisecs(), 0);
    EXPECT_LE(ball->startTime - Millisecs(), 3000);
    ball->startTime = Millisecs() + 1000;
    ball->mySpeed = 0.005f;
    ball->update();
    ClearRecordedDraws();
    ball->draw();
    EXPECT_EQ(ball->bylStrzal, 0);
    EXPECT_TRUE(RecordedDraws().empty()) << "a ball waiting for its moment is not drawn";
    EXPECT_EQ(s->cueCount[TIntroScreen::CUE_CANNON], 0);
    ball->startTime = Millisecs();
    for (int i = 0; i < 100; ++i) ball->update();
    EXPECT_EQ(s->cueCount[TIntroScreen::CUE_CANNON], 1);
    EXPECT_NEAR(ball->per, 0.5f, 1e-4);
    // Halfway along the curve: a quarter of the way down from the control point's pull.
    EXPECT_NEAR(ball->x, 143 + (716 - 143) * 0.5f, 0.05f);
    EXPECT_NEAR(ball->y, 0.25f * 494 + 0.5f * 194 + 0.25f * 497, 0.05f);
    for (int i = 0; i < 110 && !s->balls.empty(); ++i) ball->update();
    EXPECT_TRUE(s->balls.empty());
    EXPECT_EQ(s->cueCount[TIntroScreen::CUE_BLAST], 1);
    ASSERT_EQ(s->fireSpots.size(), 1u);
    EXPECT_FLOAT_EQ(s->fireSpots.front()->x, 716);
    EXPECT_FLOAT_EQ(s->fireSpots.front()->y, 497);
}

TEST_F(IntroTest, FireSpotsBurnAboveTheWaterlineAndTheHallsFireWaitsItsTurn) {
    auto s = film();
    struct Case {
        float y;
        bool makes;
    };
    for (const Case c : {Case{500, true}, Case{550, true}, Case{600, false}}) {
        auto f = s->createFireSpot(300, int(c.y));
        f->hide();  // no effect on a hit
        f->update();
        EXPECT_EQ(!f->lista.empty(), c.makes) << c.y;
    }
    auto hall = s->createFireSpot(200, 200);
    hall->typ = 1;
    hall->startTime = Millisecs() + 500;
    hall->update();
    EXPECT_TRUE(hall->lista.empty()) << "before its moment";
    hall->startTime = Millisecs() - 1;
    hall->update();
    EXPECT_EQ(hall->lista.size(), 12u);
    hall->hide();
    hall->partTime = 0;
    hall->update();
    EXPECT_EQ(hall->lista.size(), 12u) << "told to die down, it makes no more";
    for (const auto& p : hall->lista) EXPECT_FLOAT_EQ(p->da, 0);
}

TEST_F(IntroTest, TheRouteMarksRideOnTheFirstMapPiece) {
    auto s = film();
    s->prepare();
    s->state = "SCENE_3_DOTS";
    for (int i = 0; i < 9; ++i) s->addNewDot();
    ClearRecordedDraws();
    s->_drawDots();
    std::vector<DrawCall> marks;
    for (const auto& d : RecordedDraws())
        if (d.kind == DrawCall::Image) marks.push_back(d);
    ASSERT_EQ(marks.size(), 9u);
    EXPECT_FLOAT_EQ(marks[0].x, 0 + 184);
    EXPECT_FLOAT_EQ(marks[0].y, 55 + 245);
    EXPECT_NE(marks[8].what.find("cross"), std::string::npos) << "the ninth mark is a cross";
    EXPECT_NE(marks[7].what.find("dot"), std::string::npos);
    // Torn apart, the marks go with piece 1, its whole width to the left.
    s->fP = 1;
    ClearRecordedDraws();
    s->_drawDots();
    const float w = float(ImageWidth(s->map[0]));
    EXPECT_FLOAT_EQ(RecordedDraws().front().x, 184 - w);
}

}  // namespace
}  // namespace storytest
