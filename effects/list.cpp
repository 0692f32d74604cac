#include "effects/list.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace fx::detail {

namespace {
// Lists being walked with their depth; a handful at most, so a small vector.
std::vector<std::pair<const void*, int>>& walks() {
    static std::vector<std::pair<const void*, int>> w;
    return w;
}
}  // namespace

int walkDepth(const void* list) {
    for (const auto& [l, d] : walks())
        if (l == list) return d;
    return 0;
}

void enterWalk(const void* list) {
    for (auto& [l, d] : walks())
        if (l == list) {
            ++d;
            return;
        }
    walks().emplace_back(list, 1);
}

void leaveWalk(const void* list) {
    auto& w = walks();
    for (auto it = w.begin(); it != w.end(); ++it)
        if (it->first == list) {
            if (--it->second <= 0) w.erase(it);
            return;
        }
}

}  // namespace fx::detail
