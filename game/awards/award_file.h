#pragma once
// The award definitions: "data/awards.dat" (identity, kind, tier, picture, gallery place,
// threshold, repeat flag) with the three texts of each award from "txt/<lang>/awards.txt",
// read into awardsList. Loaded once, before the profiles, so that saved award ids resolve.
#include <cstdint>
#include <string>

#include "game/awards/awards.h"

class TQCMFile;
class TTxtFile;

// Replaces awardsList with the definitions of the file, in the file's numbering order.
// Bad records are reported on the console and read with defaults: a missing group or key
// gives 0 / "", a picture that is missing or does not load leaves the award without one
// (a zero box that draws nothing), a count above the groups present is cut to them.
// `dataDir` is the folder the "img" paths are relative to. Returns the number read.
int32_t readAwardDefinitions(const TQCMFile& file, const TTxtFile* texts, const std::string& dataDir);

// bDir + "data/awards.dat" with bDir + "txt/#LANG#/awards.txt". The award screen's set-up
// runs this; the loading screen must run it before it loads the profiles.
int32_t loadAwardDefinitions();
