#pragma once
// What the block puzzle's readers share: counts held in range, and one report per file.
#include <string>
#include <vector>

// A count or size read from a file, held inside 0..hi; what was out of range is noted.
int peCount(float raw, int hi, const std::string& key, std::vector<std::string>& problems);
// One errorMsg naming the file with the first problems; nothing when there are none.
void peReport(const std::string& what, const std::vector<std::string>& problems);
