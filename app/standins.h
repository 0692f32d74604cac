#pragma once
// Stand-ins for the screens and the progression that later work builds: each stand-in
// screen shows its place name and what leads on, so the whole road can be walked now.
// Binding a real screen to a place (control::bind) replaces its stand-in.
#include <memory>
#include <string>
#include <vector>

#include "app/ekran.h"

class TStandInScreen : public TEkran {
public:
    struct Way {
        int key;  // 0 for a left click, else a key code
        std::string label;
        std::string next;
    };
    TStandInScreen(std::string place, std::string help, std::vector<Way> ways);

    int prepare();
    std::string mainLoop();
    int update() override;
    int draw() override;

    std::string help;
    std::vector<Way> ways;
};

// Stand-in progression: a short fixed road of places, stepped by "GET-NEXT-LEVEL".
struct StandInProgress {
    int flowSequence = 0;
    std::vector<std::string> road;

    std::string startNewGame();
    std::string getNextLevel();
    std::string restartLevel();
};
StandInProgress& standInProgress();

// Binds a stand-in to every place that has no real screen yet.
void installStandIns();
