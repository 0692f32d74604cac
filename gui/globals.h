#pragma once
// Globals the application frame sets at start-up before anything is loaded; the toolkit
// only reads them.
#include <string>

// Asset folder prefix with a trailing "/", or "" to count from the working folder.
extern std::string bDir;
// Language code, put in place of "#LANG#" in text paths and as a folder in layout paths.
extern std::string lang;
// Non-zero: left Control with L reloads the layout being updated (a developer key).
extern int QGUI_RELOAD;

// Back to the values before start-up (for tests).
void resetGuiGlobals();
