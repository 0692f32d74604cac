#pragma once
// A plan that solves a block puzzle level: an exact-cover search over the turned shapes,
// giving for each block its angle and which of its cells goes onto which board cell.
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "minigames/puzzle_express/pe_level.h"

namespace peplan {

struct Placement {
    size_t block;
    float dir;
    int r, c;     // the shape cell put on the board cell
    int br, bc;
};

// A shape's tile cells at one angle as board steps relative to its first tile cell.
inline std::vector<std::pair<int, int>> stepsAt(const TBlockData& bd, float dir, std::pair<int, int>& anchor) {
    std::vector<std::pair<int, int>> out;
    float ax = 0, ay = 0;
    bool first = true;
    for (int r = 0; r < bd.rows; ++r)
        for (int c = 0; c < bd.cols; ++c) {
            if (!bd.solid(r, c)) continue;
            float px = 0, py = 0;
            bd.cellAt(r, c, 0, 0, dir, px, py);
            if (first) {
                ax = px;
                ay = py;
                anchor = {r, c};
                first = false;
            }
            out.push_back({int(std::lround((py - ay) / float(peCellH()))), int(std::lround((px - ax) / float(peCellW())))});
        }
    return out;
}

inline bool search(const TPELevel& level, std::vector<std::vector<int>>& cover, std::vector<bool>& used,
            std::vector<Placement>& plan) {
    int fr = -1, fc = -1;
    for (int r = 0; r < level.rows && fr < 0; ++r)
        for (int c = 0; c < level.cols; ++c)
            if (level.at(r, c)->spot != 0 && !cover[size_t(r)][size_t(c)]) {
                fr = r;
                fc = c;
                break;
            }
    if (fr < 0) return true;
    for (size_t i = 0; i < level.blocks.size(); ++i) {
        if (used[i]) continue;
        for (float dir : {0.0f, 90.0f, 180.0f, 270.0f}) {
            std::pair<int, int> anchor;
            const auto steps = stepsAt(*level.blocks[i]->bd, dir, anchor);
            // The first uncovered cell in reading order takes the shape's topmost-leftmost cell.
            const auto top = *std::min_element(steps.begin(), steps.end());
            std::vector<std::pair<int, int>> cells;
            bool fits = true;
            for (auto [dr, dc] : steps) {
                const int r = fr + dr - top.first, c = fc + dc - top.second;
                const TPETile* t = level.at(r, c);
                if (!t || t->spot == 0 || cover[size_t(r)][size_t(c)]) {
                    fits = false;
                    break;
                }
                cells.push_back({r, c});
            }
            if (!fits) continue;
            for (auto [r, c] : cells) cover[size_t(r)][size_t(c)] = 1;
            used[i] = true;
            plan.push_back({i, dir, anchor.first, anchor.second, fr - top.first, fc - top.second});
            if (search(level, cover, used, plan)) return true;
            plan.pop_back();
            used[i] = false;
            for (auto [r, c] : cells) cover[size_t(r)][size_t(c)] = 0;
        }
    }
    return false;
}


}  // namespace peplan
