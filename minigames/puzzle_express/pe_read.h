#pragma once
// What the block games' readers and writers share: counts held in range, positions and
// whole numbers from a file kept sane, one report per file, and the parts both level files
// write alike (the found object, the board's two numbers a cell).
#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/graphics.h"

class TPEObj;
class TQCMFile;

// A position from a file: off the plane pulled onto its edge, not a number read as 0.
inline float pePosition(float v) { return std::isfinite(v) ? std::clamp(v, -2048.0f, 4096.0f) : 0.0f; }
// A whole number from a file, kept in int range.
inline int peWhole(float v) { return std::isfinite(v) ? int(std::clamp(v, -1e9f, 1e9f)) : 0; }

// A count or size read from a file, held inside 0..hi; what was out of range is noted.
int peCount(float raw, int hi, const std::string& key, std::vector<std::string>& problems);
// The picture a level file names, from the asset tree; none, after a problem noted under
// `key`, when the name is empty, would lead out of the tree (a saved level is the player's
// file) or gives no picture.
TImage pePicture(const std::string& url, const std::string& key, std::vector<std::string>& problems);
// One errorMsg naming the file with the first problems; nothing when there are none.
void peReport(const std::string& what, const std::vector<std::string>& problems);
// Writes the found object under "<group>::object" (null writes an empty one).
void peWriteObject(TQCMFile& f, const std::string& group, const TPEObj* object);
// Writes rows x cols cells, row by row, as the lists "<fieldKey><r>" and "<tileKey><r>";
// `cell` gives a cell's two numbers (its field value and what covers it).
void peWriteGrid(TQCMFile& f, int rows, int cols, const std::string& fieldKey, const std::string& tileKey,
                 const std::function<std::pair<float, float>(int r, int c)>& cell);
