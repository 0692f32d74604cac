#pragma once
// The life of the process: start-up (globals in a fixed order, language and title), init
// (folders, settings, display, shared data) and start (the router), then the end.
#include <functional>
#include <string>
#include <vector>

// The program's entry: platform, harness, start-up, init, start. Returns only on a start
// that cannot go on (the exit code); a normal run ends inside.
int zerkonMain();

// Start-up up to the title: bDir from the executable's folder, lang, the switches, the
// desktop size, the services, the title. Switch files are looked up in the working folder.
int startupGlobals(const std::string& exeDir);
int init();
int start();
// What init and start plug in: the screens the loading sequence and the profiles need
// (before init), and every place of the router (start). Each place then has its screen.
void installScreens();
void installPlaces();

// Steps later work plugs in: the partner splash screens, the loading sequence (which
// must end with loadFrameData's share loaded) and the intro. Each may be empty.
struct StartupStages {
    std::function<void()> splash;
    std::function<void()> loading;
    std::function<void()> intro;
};
StartupStages& startupStages();

// What loading must set up for the frame: the sound table, the cursors, the pause font and
// caption.
void loadFrameData();

// Names of the start-up steps in the order they ran (tests read it).
const std::vector<std::string>& startupTrace();
void resetStartup();
