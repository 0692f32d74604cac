#pragma once
// Process-wide values the start-up sets once, and the ways the process ends.
#include <cstdint>
#include <functional>
#include <string>

#include "platform/graphics.h"

// The user data folder (no trailing "/"); settings, high scores and profiles live below it.
extern std::string myDocsFolder;
// The game's title from the language's name.txt: window title and user folder name.
extern std::string myFolderName;
// Developer keys: 1 when "cheats.txt" exists in the working folder.
extern int32_t cheats;
// Non-zero when "noTutorial.txt" exists in the working folder: no tutorial tips.
extern int32_t noTutorial;
// Desktop size in pixels, read once before any display opens.
extern int32_t _START_DESKTOP_WIDTH;
extern int32_t _START_DESKTOP_HEIGHT;
// The pointer probe of the block games' hover tests ("gfx/point.png", centre handle).
extern TImage mousePoint;

// Ends the process: flushes input; with flag 0 saves all game data first (every caller
// passes 1: quitting never saves). Never returns.
[[noreturn]] void ende(int32_t flag);
// Ends the process at once, without flushing or saving.
[[noreturn]] void End1();
// Ends the process at once with an exit code (a start that cannot go on uses 1).
[[noreturn]] void endProcessWithCode(int code);
// Replaces how the process ends (tests throw to leave the loops). The handler must not
// return; if it does, the process exits anyway. nullptr restores the real exit.
void SetEndHandler(std::function<void(int exitCode)> handler);

// The savers of data owned by later parts of the game (profiles, high scores, the play
// log); each may be empty. `profiles` writes every profile and the list when there is a
// current profile.
struct GameDataSavers {
    std::function<void()> log;
    std::function<void()> profiles;
    std::function<bool()> hasCurrentProfile;
    std::function<void()> highScores;
};
GameDataSavers& gameDataSavers();
// Saves every kind of game data: the log, the profiles (with a current profile), the
// settings and the high scores.
int saveGameDatas();

// Back to the values before start-up (tests).
void resetAppGlobals();
