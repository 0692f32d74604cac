// Pictures of the rules page and the high-score board with real OpenGL over the built asset
// tree, for a person to look at. Not part of the unit run (needs the built tree and GL):
//   SDL_VIDEODRIVER=offscreen ZERKON_HELP_ASSETS=<tree>/ ZERKON_HELP_SHOTS=<folder>
//     screens_tests --gtest_also_run_disabled_tests --gtest_filter='*HelpShots*'
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "app/app_globals.h"
#include "app/frame.h"
#include "app/profile/profile.h"
#include "gui/frame/deltatime.h"
#include "platform/graphics.h"
#include "support/gl_shot.h"
#include "screens/highscores/highscores.h"
#include "screens/rules/rules_screen.h"

namespace {

TEST(HelpShots, DISABLED_RulesPageAndHighScores) {
    const char* tree = std::getenv("ZERKON_HELP_ASSETS");
    const char* out = std::getenv("ZERKON_HELP_SHOTS");
    if (!tree || !out) GTEST_SKIP() << "set ZERKON_HELP_ASSETS and ZERKON_HELP_SHOTS";
    if (!glshot::open(tree)) GTEST_SKIP() << "no GL context";
    const std::string dir = std::string(out) + "/";
    myDocsFolder = dir + "user";
    std::filesystem::create_directories(myDocsFolder + "/Data");
    delta = 1;

    rulesScreen.setup();
    rulesScreen.prepare(nullptr);
    rulesScreen.alpha = 1;
    Cls();
    rulesScreen.draw();
    ASSERT_TRUE(glshot::save(dir + "rules_screen.png"));
    Flip();

    highscores.setup();
    const char* names[] = {"Anne Bonny", "Calico Jack", "Mary Read", "Blackbeard", "Henry Morgan",
                           "Grace O'Malley", "Black Bart"};
    int score = 9000;
    for (const char* n : names) {
        TProfile p;
        p.name = n;
        p.score = score -= 700;
        p.numerLevelu = score / 300;
        highscores.localHighScores->addNewEntry(p);
    }
    highscores.prepare(nullptr);
    for (int i = 0; i < 40; ++i) {
        highscores._updateAlpha();
        highscores._updateScores();
    }
    Cls();
    highscores.draw();
    ASSERT_TRUE(glshot::save(dir + "highscores.png"));
    Flip();
    std::filesystem::remove_all(myDocsFolder);
}

}  // namespace
