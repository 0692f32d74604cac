// The savings that must change no pixel, on the opening film: frames of every scene over the
// built asset tree, with real OpenGL, each drawn with the savings off (the smoothed pictures
// sampled with all their levels, draws too faint to add a step of colour drawn) and on, must
// come out the same, with hidden draws left out and without. The moments take in the mist
// at its own size and enlarged four times over, the ships turned, the hall fading in over
// the sea, the crew, the map fading in over the hall (and the hall's last steps, too faint
// to show), the route, the torn map and the title. Exit codes: 0 pass, 1 a difference, 77
// no asset tree or no GL context here (skipped).
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "effects/particles.h"
#include "gui/frame/deltatime.h"
#include "platform/graphics.h"
#include "platform/system.h"
#include "screens/intro/intro_screen.h"
#include "tests/e2e/golden_support.h"
#include "tests/support/gl_shot.h"

namespace {

int32_t now = 100000;

// Steps the film (no drawing) until `done`, at most `limit` frames of 17 ms.
bool until(TIntroScreen& s, const std::function<bool()>& done, int limit = 20000) {
    for (int i = 0; i < limit; ++i) {
        if (done()) return true;
        now += 17;
        delta = 1;
        s.update();
    }
    return done();
}

}  // namespace

int main(int argc, char** argv) {
    const std::string shotPath = argc > 1 ? argv[1] : "golden_intro_frames.png";
    if (int code = golden::openAssetTree(argv[0], "gfx/story/Intro/mist1.png", now)) return code;
    setupParticles();
    SeedRnd(5);
    TIntroScreen s;
    s.setup();
    s.prepare();
    delta = 1;

    int failures = 0;
    auto check = [&](const char* what, const std::function<bool()>& done) {
        if (!until(s, done)) {
            std::printf("FAIL: the film never came to %s\n", what);
            ++failures;
            return;
        }
        // Each way of drawing hidden draws, each with the savings off and on.
        for (bool culled : {false, true}) {
            Pixmap shots[2];
            for (bool on : {false, true}) {
                SetHiddenDrawCulling(culled);
                SetExactSavings(on);
                Cls();
                s.draw();
                if (!GrabScreen(shots[on])) {
                    std::printf("FAIL: the back buffer could not be read\n");
                    ++failures;
                    return;
                }
                Flip();
            }
            const int diff = golden::differingPixels(shots[0], shots[1]);
            std::printf("%-44s %s: %d pixels differ %s\n", what, culled ? "culled" : "whole ", diff,
                        diff == 0 ? "ok" : "FAIL");
            if (diff != 0) {
                ++failures;
                SavePixmapPNG(shots[1], shotPath);
            }
        }
    };
    check("the ships sailing in, the mist at its size", [&] { return s.ship1->p >= 0.6f; });
    check("the broadside in flight",
          [&] { return !s.balls.empty() && s.balls.front()->per > 0.45f; });
    check("the burning ship going down", [&] { return s.ship2->sinkp > 0.45f; });
    check("the mist growing, the pirate in the dusk",
          [&] { return s.state == "SCENE_2_BEGIN" && s.pirateS >= 0.5f; });
    check("the mist four times its size",
          [&] { return s.state == "SCENE_2_BEGIN" && s.firstS >= 1.14f; });
    check("the hall a third faded in", [&] { return s.state == "SCENE_2_SHOW" && s.scene2Per >= 0.3f; });
    check("the hall nearly there", [&] { return s.state == "SCENE_2_SHOW" && s.scene2Per >= 0.8f; });
    check("the crew coming in", [&] { return s.state == "SCENE_2_POSTACIE" && s.postacieA >= 0.5f; });
    check("the map fading in over the hall", [&] { return s.state == "SCENE_3_BEGIN" && s.thirdA >= 0.3f; });
    // The hall's last steps: fainter than half a step of colour, left out.
    check("the hall nearly gone", [&] { return s.state == "SCENE_3_BEGIN" && s.thirdA >= 0.97f; });
    check("the route on the map", [&] { return s.dots.size() >= 12; });
    check("the map torn apart", [&] { return s.state == "SCENE_4_BEGIN" && s.fP > 0.3f; });
    check("the title", [&] { return s.state == "SCENE_5"; });
    SetHiddenDrawCulling(true);
    SetExactSavings(true);
    s.stopAllSounds();
    CloseGraphics();
    std::printf("%s\n", failures ? "FAIL" : "PASS");
    return failures ? 1 : 0;
}
