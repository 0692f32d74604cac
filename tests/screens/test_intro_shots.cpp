// Pictures of the opening film with real OpenGL over the built tree, for a person to look
// at: the ships sailing in, the broadside in flight, the burning ship going down, the pirate
// coming out of the mist, the hall with him and his crew, the route on the map, the map torn
// apart and the last title. Not part of the unit run:
//   SDL_VIDEODRIVER=offscreen ZERKON_STORY_ASSETS=<tree>/ ZERKON_STORY_SHOTS=<folder>
//     screens_tests --gtest_also_run_disabled_tests --gtest_filter='*IntroShots*'
#include <gtest/gtest.h>

#include <cstdlib>

#include "effects/particles.h"
#include "gui/frame/deltatime.h"
#include "gui/globals.h"
#include "platform/graphics.h"
#include "platform/system.h"
#include "screens/intro/intro_screen.h"
#include "support/gl_shot.h"

namespace {

class IntroShots : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::string why = glshot::openStoryShots(dir); !why.empty()) GTEST_SKIP() << why;
        SetClockSource([this] { return now; });
        setupParticles();
        SeedRnd(5);
    }
    void TearDown() override {
        SetClockSource(nullptr);
        introScreen.reset();
        if (GraphicsOpen()) CloseGraphics();
    }
    // Steps the film until `done` (at most `limit` frames of 17 ms).
    template <class F>
    void until(TIntroScreen& s, F done, int limit = 20000) {
        for (int i = 0; i < limit && !done(); ++i) {
            now += 17;
            delta = 1;
            s.update();
        }
    }
    void shot(TIntroScreen& s, const std::string& name) {
        Cls();
        s.draw();
        ASSERT_TRUE(glshot::save(dir + name));
    }
    int32_t now = 100000;
    std::string dir;
};

TEST_F(IntroShots, DISABLED_TheFilmAtItsMoments) {
    TIntroScreen s;
    s.setup();
    s.prepare();
    delta = 1;
    until(s, [&] { return s.ship1->p >= 0.6f; });
    shot(s, "intro-1-sailing.png");
    until(s, [&] { return !s.balls.empty() && s.balls.front()->per > 0.45f; });
    shot(s, "intro-2-broadside.png");
    until(s, [&] { return s.ship2->sinkp > 0.45f; });
    shot(s, "intro-3-sinking.png");
    until(s, [&] { return s.state == "SCENE_2_BEGIN" && s.pirateS >= 1; });
    shot(s, "intro-3b-mist.png");
    until(s, [&] { return s.state == "SCENE_2_SHOW" && s.scene2Per > 0.95f; });
    shot(s, "intro-4-hall.png");
    until(s, [&] { return s.state == "SCENE_2_WAIT"; });
    shot(s, "intro-5-crew.png");
    until(s, [&] { return s.dots.size() >= 12; });
    shot(s, "intro-6-route.png");
    until(s, [&] { return s.state == "SCENE_4_BEGIN" && s.fP > 0.3f; });
    shot(s, "intro-7-torn.png");
    until(s, [&] { return s.state == "SCENE_5"; });
    until(s, [&] { return false; }, 60);
    shot(s, "intro-8-title.png");
    s.stopAllSounds();
}

}  // namespace
