#pragma once
// The loading screen: sets up every screen and loads all shared data once at start-up,
// behind the harbour picture, the logo and a progress bar. It has no frame loop of its
// own: after each unit of work it draws and flips one frame when the bar has visibly
// moved and a frame period has passed since the last one, without ever waiting for it, and
// at the end it fades the logo and the bar out.
//
//   start-up (display open, splash shown):  loadingScreen.run();
//
// The work is a table of named units in five parts, which the program hands in before
// start-up (setLoadingTable). A unit may come without its set-up: the screen it belongs to
// plugs it in by the unit's name when it is installed, with
// setLoadingStep("introScreen.setup", [] { introScreen.setup(); }).
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/ekran.h"
#include "platform/graphics.h"

class TTheme;

class TLoadingScreen : public TEkran {
public:
    struct Unit {
        int part = 0;  // 1..5
        std::string name;
        std::function<void()> action;  // empty: nothing to set up yet
    };

    TImage back;
    std::array<TImage, 2> dot{};  // the two marker images (kept, never drawn)
    TImage img;                   // the progress bar picture
    TImage logo;
    int32_t p = 0;  // steps done; hides the base field of the same name
    int32_t maxProgress = 52;
    float la = 1;   // opacity of logo and bar
    int shownBar = -1;  // display pixels of the solid bar in the last frame presented
    int32_t shownAt = 0;  // the clock when that frame was drawn

    // The work, in order (defaultLoadingUnits() until replaced).
    std::vector<Unit> units;
    // Names of the units done, in order (for tests and the developer).
    std::vector<std::string> done;

    TLoadingScreen();

    // The four pictures (background, markers, bar, the language's logo) under bDir.
    int loadImages();
    // Images, the five parts, and the flush of input that follows them.
    int run();

    int PART1();
    int PART2();
    int PART3();
    int PART4();
    int PART5();
    int progress();
    int drawNormal();
    int draw() override;
    int _drawBack();
    int _drawProgress();
    int _barPixels() const;  // the solid bar's width in display pixels now
    int EndMe();

    // Runs the units of one part, each followed by progress().
    int _runPart(int part);
};

extern TLoadingScreen loadingScreen;
// The window theme "temat1" (gfx/gui/window/temat.txt), loaded in the first part.
extern std::shared_ptr<TTheme> windowTheme;

// The program's table of units in loading order; loadingScreen takes it as its work.
void setLoadingTable(std::vector<TLoadingScreen::Unit> table);
// That table with every set-up plugged in by name (empty until a table is handed in).
std::vector<TLoadingScreen::Unit> defaultLoadingUnits();
// Gives the unit of that name its set-up (in the table and in loadingScreen's current
// work). False when the table has no unit of the name; the set-up is kept all the same,
// for a table handed in later.
bool setLoadingStep(const std::string& name, std::function<void()> action);

// A fresh loading screen with the default table and no images: for tests.
void resetLoadingScreen();
