// Pictures of the story screens with real OpenGL over the built tree, for a person to look
// at: the credits, the end of the levels, the story-map interlude over a won level, the
// story start and the outro at a few instants, and every dialogue as each of its speakers
// talks. Not part of the unit run:
//   SDL_VIDEODRIVER=offscreen ZERKON_STORY_ASSETS=<tree>/ ZERKON_STORY_SHOTS=<folder>
//     screens_tests --gtest_also_run_disabled_tests --gtest_filter='*StoryShots*'
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "app/frame.h"
#include "app/options.h"
#include "effects/leaf.h"
#include "game/board/level.h"
#include "game/board/tile.h"
#include "gui/frame/deltatime.h"
#include "gui/globals.h"
#include "platform/graphics.h"
#include "platform/system.h"
#include "screens/dialogs/dialog_box.h"
#include "screens/menu/main_menu.h"
#include "screens/play/main_game.h"
#include "screens/story/credits.h"
#include "screens/story/ending_screen.h"
#include "screens/story/story_maps.h"
#include "screens/story/story_outro.h"
#include "screens/story/story_start.h"
#include "screens/story/story_text.h"
#include "screens/win/win_screen.h"
#include "support/gl_shot.h"

namespace {

class StoryShots : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::string why = glshot::openStoryShots(dir); !why.empty()) GTEST_SKIP() << why;
        SetClockSource([this] { return now; });
        setupStoryResources();
        delta = 1;
    }
    void TearDown() override {
        SetClockSource(nullptr);
        if (GraphicsOpen()) CloseGraphics();
    }
    // Runs `frames` frames of a screen (17 ms each), then saves the picture as `name`.
    void run(int frames, const std::function<void()>& update, const std::function<void()>& draw) {
        for (int i = 0; i < frames; ++i) {
            now += 17;
            Cls();
            update();
            draw();
            Flip();
        }
    }
    // Steps a screen by `frames` frames without drawing (the long stretches between shots).
    void skip(int frames, const std::function<void()>& update) {
        for (int i = 0; i < frames; ++i) {
            now += 17;
            update();
        }
    }
    void shot(const std::string& name, const std::function<void()>& draw) {
        Cls();
        draw();
        ASSERT_TRUE(glshot::save(dir + name));
    }
    int32_t now = 100000;
    std::string dir;
};

TEST_F(StoryShots, DISABLED_CreditsAndTheEndOfTheLevels) {
    credits.setup();
    credits.wynik = "NONE";
    credits.prepare();
    auto up = [] { credits.update(); };
    auto dr = [] { credits.draw(); };
    run(200, up, dr);
    shot("credits-1.png", dr);
    run(500, up, dr);
    shot("credits-2.png", dr);
    run(500, up, dr);
    shot("credits-3.png", dr);

    // Over the options screen, as its credits button shows them.
    options.setup();
    credits.wynik = "";
    credits.prepare();
    run(60, up, dr);
    shot("credits-options.png", dr);

    endingScreen.setup();
    endingScreen.prepare();
    run(40, [] { endingScreen.update(); }, [] { endingScreen.draw(); });
    shot("ending.png", [] { endingScreen.draw(); });
}

TEST_F(StoryShots, DISABLED_StoryMapsOverAWonLevel) {
    winScreen.setup();
    auto level = glshot::playLevel("data/levels/casual/003.lvl", 1, 4);
    ASSERT_TRUE(level);
    for (int r = 0; r < level->rows; ++r)
        for (int c = 0; c < level->cols; ++c)
            if (TTile* t = level->at(r, c); t && t->td && t->td->id != 0) t->uncoverSafe();
    run(120, [] { mainGame.update(); }, [] { mainGame.draw(); });
    winScreen.prepare();
    run(200, [] { winScreen.update(); }, [] { winScreen.draw(); });
    storyMaps.ekran = &winScreen;
    storyMaps.prepare();
    auto up = [] { storyMaps.update(); };
    auto dr = [] { storyMaps.draw(); };
    run(50, up, dr);
    shot("maps-1.png", dr);
    run(150, up, dr);
    shot("maps-2.png", dr);
    run(250, up, dr);
    shot("maps-3.png", dr);
    run(500, up, dr);
    shot("maps-4.png", dr);
}

TEST_F(StoryShots, DISABLED_StoryStartAtItsMoments) {
    setupLeafs();
    TStoryStart s;
    s.prepare();
    auto up = [&s] { s.update(); };
    auto dr = [&s] { s.draw(); };
    // name, frames to step before it
    const std::pair<const char*, int> moments[] = {
        {"start-1-chest.png", 200},    {"start-2-lid.png", 440},     {"start-3-pistol.png", 200},
        {"start-4-harbour.png", 260},  {"start-5-hero.png", 500},    {"start-6-flight.png", 500},
        {"start-7-flight.png", 900},   {"start-8-island.png", 800},  {"start-9-closing.png", 520},
    };
    for (const auto& [name, frames] : moments) {
        skip(frames - 10, up);
        run(10, up, dr);
        shot(name, dr);
    }
}

TEST_F(StoryShots, DISABLED_OutroAtItsMoments) {
    storyOutro.prepare();
    auto up = [] { storyOutro.update(); };
    auto dr = [] { storyOutro.draw(); };
    const std::pair<const char*, int> moments[] = {
        {"outro-1-gold.png", 300},   {"outro-2-gold.png", 900},  {"outro-3-fade.png", 220},
        {"outro-4-home.png", 500},   {"outro-5-coast.png", 500}, {"outro-6-pier.png", 600},
        {"outro-7-pier.png", 400},
    };
    for (const auto& [name, frames] : moments) {
        skip(frames - 10, up);
        run(10, up, dr);
        shot(name, dr);
    }
}

TEST_F(StoryShots, DISABLED_EveryDialogueAsEachSpeakerTalks) {
    ASSERT_TRUE(glshot::playLevel("data/levels/casual/003.lvl", 1, 3));
    glshot::playFrames(now, 60);
    dialogBox.setup();
    auto up = [] { dialogBox.update(); };
    auto dr = [] { dialogBox.draw(); };
    for (const auto& d : dialogBox.dialogTexts) {
        ASSERT_TRUE(dialogBox.prepare(&mainGame, d->id));
        std::printf("dialogue %d: block %d px high\n", d->id, int(d->h));
        const std::string stem = "dialog-" + std::to_string(d->id);
        // A little after each line's own time: its speaker's portrait shows.
        const int32_t opened = now;
        for (size_t m = 0; m < d->lines.size(); ++m) {
            run(std::max(1, int((opened + d->lines[m]->time + 1200 - now) / 17)), up, dr);
            shot(stem + "-line" + std::to_string(m + 1) + ".png", dr);
        }
        // A click as it opens shows every line at once.
        ASSERT_TRUE(dialogBox.prepare(&mainGame, d->id));
        run(2, up, dr);
        dialogBox.control();
        run(70, up, dr);
        shot(stem + "-all.png", dr);
    }
    resetDialogBox();
}

}  // namespace
