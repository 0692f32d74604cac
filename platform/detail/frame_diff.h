#pragma once
// A frame that draws much as the last one did need only be drawn again where the two differ:
// the gl backend keys everything a frame does (a clear, a draw, each with the mapping and
// clip it was made under), and where no step either frame has alone reaches, the picture the
// last frame left is already this one's. Pure, no GL.
#include <cstdint>
#include <vector>

#include "platform/detail/gfx_internal.h"

namespace gfx {

// Marks the steps each sequence has alone; the others are matched in order (a longest common
// subsequence of the keys). False, with nothing marked, when more than maxAlone steps of the
// two together would be alone.
bool stepsAlone(const std::vector<uint64_t>& before, const std::vector<uint64_t>& now, size_t maxAlone,
                std::vector<bool>& beforeAlone, std::vector<bool>& nowAlone);

// A cheaper marking for frames too unlike for stepsAlone's limit: every step whose key the
// two frames hold a different number of times is alone; true when the others then come in
// the same order in both (a common subsequence, if not the longest), else false with
// nothing marked.
bool stepsAloneByCount(const std::vector<uint64_t>& before, const std::vector<uint64_t>& now,
                       std::vector<bool>& beforeAlone, std::vector<bool>& nowAlone);

// The smallest rectangle holding both; an empty `a` gives `b`.
Rect joinRect(const Rect& a, const Rect& b);

// At most `most` rectangles covering every non-empty one of `rects`: those that overlap or
// touch are joined, then, while too many remain, the two whose joining adds the least area.
std::vector<Rect> coverRects(const std::vector<Rect>& rects, size_t most);

// The tile x tile cells of a w x h area that any of `rects` touches, as rectangles of whole
// cells (clipped to the area) that do not overlap: runs of touched cells in a row, joined
// with the same run of the rows below, then joined further wherever that takes in at most
// `spare` pixels of untouched cells for each rectangle it saves.
std::vector<Rect> touchedTiles(const std::vector<Rect>& rects, int w, int h, int tile, long spare);

}  // namespace gfx
