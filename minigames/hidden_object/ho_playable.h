#pragma once
// When a hidden-object scene can be played, and when a saved one (a player's scene in
// progress, "level.lvl") can be taken up again.
//
// A scene can be played when it can be won: it hides at least one object; every object's
// state is one the objects know ("", "PICK", "PICK-2", "PICK-3", "DONE" exactly: any other,
// "done" too, never becomes "DONE"); and every object still to find (state "") has its
// picture in the scene and its centre on the 1024 x 768 picture, where a click reaches it.
//
// A saved scene must also read as the writer wrote it: a group "level"; object and group
// counts that are whole numbers from 0 up with every counted record there; each object's
// hiding place and slot as two numbers; each group entry a number.
#include <string>

#include "minigames/hidden_object/ho_level.h"

class TQCMFile;

// "" when the scene can be won, else why not (the first fault, in plain English).
std::string hoUnplayable(const THOLevel& level);
// "" when the saved file holds what the writer writes, else the first fault found.
std::string hoSaveDamage(const TQCMFile& file);
