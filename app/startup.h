#pragma once
// The life of the process: start-up (globals in a fixed order, language and title), init
// (folders, settings, display, shared data) and start (the router), then the end. The
// program (wiring/) plugs its screens in between.
#include <functional>
#include <string>
#include <vector>

// Start-up up to the title: bDir from the executable's folder, lang, the switches, the
// desktop size, the services, the title. Switch files are looked up in the working folder.
int startupGlobals(const std::string& exeDir);
int init();
int start();

// The steps the program plugs in: what is loaded before the display opens (the loading
// screen's pictures), the partner splash screens, the loading sequence (which must end with
// loadFrameData's share loaded), the intro and, before the router starts, every place of
// the router with its screen. Each may be empty.
struct StartupStages {
    std::function<void()> beforeDisplay;
    std::function<void()> splash;
    std::function<void()> loading;
    std::function<void()> intro;
    std::function<void()> places;
};
StartupStages& startupStages();

// What loading must set up for the frame: the sound table, the cursors, the pause font and
// caption.
void loadFrameData();

// Names of the start-up steps in the order they ran (tests read it).
const std::vector<std::string>& startupTrace();
void resetStartup();
