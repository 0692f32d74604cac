#pragma once
// The test harness of the real program, in both backends:
//   ZERKON_HEADLESS=1   headless backend
//   ZERKON_SCRIPT=FILE  input from a script, one command a line at a frame number
//   ZERKON_FRAMES=N     end after N frames
// Script commands: move X Y, press|release|click left|right, key NAME, type TEXT,
// shot FILE.png, quit, wait TEXT, span NAME (a new span of the ZERKON_MEMORY and
// ZERKON_FRAMECOST reports). Blank lines and '#' lines are ignored. "move" takes coordinates of
// the 1024 x 768 picture, placed where the letterbox centres it in the virtual space (on a
// 1024 x 768 display they are the virtual coordinates themselves).
//
// Frames: the frame number is the count of flips so far (0 until the first flip). Commands
// of frame 0 are applied by HarnessInit; after that, the flip calls HarnessFrame, which
// takes the shots of the frame just drawn, counts the flip and applies the commands of the
// new frame number, so the next PollSystem sees them. So a command at frame N acts on the
// N-th frame drawn counting from 0, and "N shot" captures that frame, the picture the flip
// presents with the counter at N (the flip should call HarnessFrame just before it swaps,
// while the back buffer still holds the picture). "click" and "key" press at their frame
// and release at the next one, so MouseHit / KeyHit see the press in that frame. "key
// ENTER", "key ESCAPE" and "key BACKSPACE" also queue their character (13, 27, 8) as a real
// key does; "type" queues the text's characters only. "quit" ends the program at the flip
// of its frame; ZERKON_FRAMES=N at the N-th flip (0 behaves as 1). A shot that cannot be
// written is reported on standard error and the run goes on.
//
// "N wait TEXT" holds the rest of the script until the program reports TEXT through
// HarnessMark (the router reports "place NAME" for every place it runs); the frames of the
// lines after it count from the frame in which TEXT came, and whatever the lines before it
// had not yet done is dropped. So a script follows the program whatever each screen takes:
// clicks repeated until the next place comes stop when it comes. N is how many frames, from
// the start of the part before, the wait may take; past that the run ends with a message on
// standard error (HarnessTimedOut).
#include <string>
#include <vector>

struct ScriptCommand {
    int frame = 0;
    std::string verb;                 // move press release click key type shot quit wait span
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
// The program reports an event a "wait" line can wait for.
void HarnessMark(const std::string& event);
// Whether a "wait" ran out of frames and ended the run.
bool HarnessTimedOut();
// Starts the harness on parsed commands with a frame limit (negative for none), as
// HarnessInit does after reading the environment; applies the commands of frame 0.
void HarnessStart(std::vector<ScriptCommand> commands, int frameLimit);
// Forgets the script, the frame count and the limit: for tests between cases.
void ResetHarness();
