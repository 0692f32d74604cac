#pragma once
// The screen router: holds the current place name and runs, pass after pass, the screen,
// progression step or text interlude of that name, until the place is "END" (or empty).
// Screens never call each other; they return the next place name here.
#include <functional>
#include <string>
#include <vector>

#include "platform/graphics.h"

class control {
public:
    static std::string where;
    static TImageFont font;  // the text interludes' font

    // Runs from "MAIN-MENU" until "END" or an empty name; returns 0.
    static int mainloop();
    // Flushes mouse and keyboard and stores the name upper-cased.
    static int setWhere(const std::string& name);
    // Shows a language text file as white lines until Space, Enter or a click.
    static int notify2(const std::string& path);

    // One pass for the current place.
    static int runPass();
    // What a place runs: the screens and the profile plug their loops in here; the result
    // is the next place. False for a name that is not a place (or a fixed one).
    static bool bind(const std::string& place, std::function<std::string()> action);
    static bool isBound(const std::string& place);
    // Every place name, in the order they are tested.
    static const std::vector<std::string>& placeNames();
    // Before the map and each game screen every profile and the list are written.
    static void setProfileSaver(std::function<void()> saver);
    // No bound places, no saver, "MAIN-MENU": for tests.
    static void reset();
};
