#pragma once
// Keyboard and mouse, latched from events and polled once per frame.
#include <string>

// Key codes: the classic desktop virtual-key numbering.
enum KeyCode {
    KEY_BACKSPACE = 8, KEY_TAB = 9, KEY_ENTER = 13, KEY_ESCAPE = 27, KEY_SPACE = 32,
    KEY_PAGEUP = 33, KEY_PAGEDOWN = 34, KEY_END = 35, KEY_HOME = 36,
    KEY_LEFT = 37, KEY_UP = 38, KEY_RIGHT = 39, KEY_DOWN = 40, KEY_DELETE = 46,
    KEY_0 = 48, KEY_9 = 57, KEY_A = 65, KEY_Z = 90,
    KEY_F1 = 112, KEY_F12 = 123,
    KEY_LSHIFT = 160, KEY_RSHIFT = 161, KEY_LCONTROL = 162, KEY_RCONTROL = 163,
    KEY_LALT = 164, KEY_RALT = 165, KEY_LSYS = 91, KEY_RSYS = 92,
};
constexpr int KEY_COUNT = 256;

// One poll of the system's events: latches presses, wheel, motion, typed characters,
// focus and quit requests. Runs in the frame step; the headless backend takes its input
// from the script and from the Inject* calls below.
void PollSystem();

int MouseHit(int button);   // 1 left, 2 right, 3 middle: presses since the last query
bool MouseDown(int button);
int MouseZ();               // accumulated wheel position
int MouseX();               // display pixels
int MouseY();
float VirtualMouseX();      // virtual units of the whole display
float VirtualMouseY();
void MoveVirtualMouse(float x, float y);
void FlushMouse();          // a button still held then reads as up until pressed again

int KeyHit(int key);        // presses since the last query for that key
bool KeyDown(int key);
void FlushKeys();
int GetChar();              // next typed character (UTF-32 code) from a 256 queue, 0 if none

bool AppSuspended();        // window lost focus or minimised
bool AppTerminate();        // close button, Alt+F4 or a quit request

// ---- injection (headless backend and the test harness) -----------------------------------
void InjectMouseMove(float virtualX, float virtualY);
void InjectMouseButton(int button, bool down);
void InjectMouseWheel(int delta);
void InjectKey(int key, bool down);
void InjectChar(int codepoint);
void InjectSuspended(bool suspended);
void InjectTerminate();
// Forget every latched input: for tests between cases.
void ResetInputState();
