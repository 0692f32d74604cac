// Turns a road script with "solve" and "miss" lines into one the harness can run:
//
//   <frame> solve <casual|hard> <stage> <level>       the moves that win the level
//   <frame> miss <casual|hard> <stage> <level> <n>    n mistakes: the first n empty cells
//                                                      (row by row) uncovered one by one
//
// The moves are computed from the shipped level file laid out on the board as the play
// screen lays it out (same tile sets, same clue digits, same centring). To win, every run
// of picture cells in a row is one drag of the hand tool, left button: press on its first
// cell, move to its last, release. Every other line is copied as it is.
//
//   zerkon_roadplan ASSETS_DIR ROAD.script > OUT.script
//
// Fails (exit 1, a message on standard error) when the level cannot be found or read, or
// when the moves would run into the script's next command.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "game/board/level.h"
#include "game/board/tile.h"
#include "game/flow/level_manager.h"
#include "game/level/levelfile.h"
#include "gui/globals.h"
#include "platform/graphics.h"
#include "platform/strings.h"
#include "screens/play/main_game.h"

namespace {

// Frames between the steps of one drag, and between two drags: the play screen sees each
// press, move and release in a frame of its own.
constexpr int kStep = 2;

struct Drag {
    int x1, y1, x2, y2;
};

int fail(const std::string& message) {
    std::cerr << "zerkon_roadplan: " << message << "\n";
    return 1;
}

// The level file of the entry: the nr-th game entry of the stage in that progression.
std::string levelPath(const std::string& flow, int stage, int nr) {
    const auto list = str::equalsNoCase(flow, "hard") ? levelManager.getHardLevelsByStage(stage)
                                                      : levelManager.getCasualLevelsByStage(stage);
    int seen = 0;
    for (const auto& e : list) {
        if (!e || str::upper(e->gameType) != "MAIN-GAME") continue;
        if (++seen == nr) return e->url;
    }
    return "";
}

// Solving: one drag per run of picture cells. Missing (misses > 0): one single-cell drag on
// each of the first `misses` empty cells.
bool planDrags(const std::string& path, int misses, std::vector<Drag>& drags, std::string& why) {
    std::vector<std::string> problems;
    auto level = loadLevel(path, 1, &problems);
    if (!level) {
        why = "the level \"" + path + "\" cannot be read";
        return false;
    }
    for (const auto& p : problems) std::cerr << "zerkon_roadplan: " << p << "\n";
    level->setProperPosition();
    if (misses > 0) {
        for (const auto& t : level->tile)
            if (t && !t->isPicture() && int(drags.size()) < misses)
                drags.push_back({int(t->x()), int(t->y()), int(t->x()), int(t->y())});
        if (int(drags.size()) < misses) {
            why = "the level \"" + path + "\" has fewer than " + std::to_string(misses) + " empty cells";
            return false;
        }
        return true;
    }
    for (int r = 0; r < level->rows; ++r) {
        int c = 0;
        while (c < level->cols) {
            TTile* t = level->at(r, c);
            if (!t || !t->isPicture()) {
                ++c;
                continue;
            }
            int end = c;
            while (end + 1 < level->cols && level->at(r, end + 1) && level->at(r, end + 1)->isPicture()) ++end;
            TTile* last = level->at(r, end);
            drags.push_back({int(t->x()), int(t->y()), int(last->x()), int(last->y())});
            c = end + 1;
        }
    }
    if (drags.empty()) {
        why = "the level \"" + path + "\" has no picture cells";
        return false;
    }
    return true;
}

// The frame of a script line, or -1 for blank and comment lines.
int frameOf(const std::string& line) {
    const std::string t = str::trim(line);
    if (t.empty() || t[0] == '#') return -1;
    return str::toInt(t.substr(0, t.find(' ')));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return fail("usage: zerkon_roadplan ASSETS_DIR ROAD.script");
    InitPlatform(true);
    bDir = argv[1];
    if (!bDir.empty() && bDir.back() != '/') bDir += '/';
    lang = "en";

    std::ifstream in(argv[2]);
    if (!in) return fail(std::string("cannot read ") + argv[2]);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);

    bool setUp = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::istringstream words(lines[i]);
        int frame = 0;
        std::string verb, flow;
        int stage = 0, nr = 1;
        if (!(words >> frame >> verb) || (verb != "solve" && verb != "miss")) {
            std::cout << lines[i] << "\n";
            continue;
        }
        int misses = 0;
        const bool ok = verb == "solve" ? bool(words >> flow >> stage >> nr)
                                        : bool(words >> flow >> stage >> nr >> misses) && misses > 0;
        if (!ok || stage < 1 || nr < 1)
            return fail("line " + std::to_string(i + 1) + ": " + verb + " FLOW STAGE LEVEL" +
                        (verb == "miss" ? " COUNT" : ""));
        if (!setUp) {
            // What the loading screen and the first level give the play screen.
            setupPlayScreen();
            levelManager.setup();
            setUp = true;
        }
        const std::string path = levelPath(flow, stage, nr);
        if (path.empty())
            return fail("no level " + std::to_string(nr) + " of stage " + std::to_string(stage) + " in " + flow);
        std::vector<Drag> drags;
        std::string why;
        if (!planDrags(path, misses, drags, why)) return fail(why);

        const std::string shown = path.rfind(bDir, 0) == 0 ? path.substr(bDir.size()) : path;
        std::cout << "# " << shown << ": " << drags.size() << (misses ? " mistakes\n" : " drags of the hand\n");
        int f = frame;
        for (const Drag& d : drags) {
            std::cout << f << " move " << d.x1 << " " << d.y1 << "\n";
            std::cout << f + kStep << " press left\n";
            std::cout << f + 2 * kStep << " move " << d.x2 << " " << d.y2 << "\n";
            std::cout << f + 3 * kStep << " release left\n";
            f += 4 * kStep;
        }
        // The script's next command must come after the last release (a "wait" starts a part
        // of its own, whose frames count from what it waits for).
        for (size_t j = i + 1; j < lines.size(); ++j) {
            const int next = frameOf(lines[j]);
            if (next < 0) continue;
            if (lines[j].find(" wait ") != std::string::npos) break;
            if (next <= f)
                return fail("line " + std::to_string(j + 1) + " (frame " + std::to_string(next) +
                            ") comes before the level's moves end at frame " + std::to_string(f));
            break;
        }
        std::cout << "# moves end at frame " << f << "\n";
    }
    return 0;
}
