#pragma once
// The play-statistics log: one record per finished or abandoned level, written to "log.txt"
// (a keyed data file in the working folder) when the game data is saved. It is switched off:
// nothing sets playLogOn, so createLog and saveLog return at once. Switching it on gives
// the whole mechanism.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

struct TPlayLog {
    int32_t id = 0;
    int32_t numerLevelu = 0;
    std::string gameType;
    int32_t punkty = 0, skarby = 0;
    int32_t useMedalion = 0, useMiecz = 0, useOko = 0, useMapa = 0, useCzaszka = 0;
    int32_t mistakes = 0, hintsUsed = 0, combo = 0, livingsCount = 0, livingsPicked = 0;
    int32_t time = 0, passed = 0;
    int32_t podniesienia = 0, wlozenia = 0, wyjecia = 0, wyrzucenia = 0, skipPuzzle = 0;
    std::string kolejnoscPrzedmiotow;
    int32_t fails = 0, doOdkrycia = 0, iloscKlockowSpadnietych = 0, klockiRozbite = 0;

    static std::string profileName;  // the player of the last record
};

extern int playLogOn;
extern std::vector<std::shared_ptr<TPlayLog>> playLogList;

// One record of the level just finished (1 won, 0 lost, -1 left to the menu or, after a
// loss, to the map, -2 left to the map).
int createLog(int result);
// The file written whole; nothing while the log is off.
int saveLog();
// The path the log is written to (the working folder).
std::string playLogPath();
// The filler of a mini-game's columns, by game type (the mini-game screens install theirs);
// an empty one removes it.
void setPlayLogFiller(const std::string& gameType, std::function<void(TPlayLog&)> filler);
// Off and empty (for tests).
void resetPlayLog();
