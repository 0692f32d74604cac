#pragma once
// The test harness of the real program, in both backends:
//   ZERKON_HEADLESS=1   headless backend
//   ZERKON_SCRIPT=FILE  input from a script, one command a line at a frame number
//   ZERKON_FRAMES=N     end after N frames
// Script commands: move X Y, press|release|click left|right, key NAME, type TEXT,
// shot FILE.png, quit. Blank lines and '#' lines are ignored.
#include <string>
#include <vector>

struct ScriptCommand {
    int frame = 0;
    std::string verb;                 // move press release click key type shot quit
    std::vector<std::string> args;
    int line = 0;
};

// Parses a script; on a malformed line returns false and sets error to a message naming it.
bool ParseScript(const std::string& text, std::vector<ScriptCommand>& out, std::string& error);

// Reads the environment and the script once. False when the script cannot be used
// (the message is already reported); the program should then stop.
bool HarnessInit();
// Runs by the flip once per frame: applies the commands of the current frame, takes shots,
// and answers whether the program must end now (quit, or the frame limit).
bool HarnessFrame();
int HarnessFrameNumber();
bool HarnessQuitRequested();
