// The per-frame list walk: whatever the walked objects do to their list, no element is
// skipped, touched twice or touched after it left.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "effects/list.h"

namespace {

struct Item {
    int id = 0;
    bool _dead = false;
    std::function<void(Item&)> onUpdate;
};

struct Case {
    const char* name;
    // What item 1 (of items 0..3) does when it is walked.
    std::function<void(fx::List<Item>&, Item&)> act;
    std::vector<int> walked;  // ids updated in the first walk
    std::vector<int> left;    // ids in the list after it
};

TEST(FxListTest, WalkSurvivesAnythingAnElementDoesToItsList) {
    auto find = [](fx::List<Item>& l, int id) {
        for (auto& p : l)
            if (p->id == id) return p.get();
        return static_cast<Item*>(nullptr);
    };
    const Case cases[] = {
        {"removes itself", [](fx::List<Item>& l, Item& me) { fx::remove(l, &me); }, {0, 1, 2, 3}, {0, 2, 3}},
        {"removes the next one", [&](fx::List<Item>& l, Item&) { fx::remove(l, find(l, 2)); }, {0, 1, 3}, {0, 1, 3}},
        {"removes an earlier one", [&](fx::List<Item>& l, Item&) { fx::remove(l, find(l, 0)); }, {0, 1, 2, 3},
         {1, 2, 3}},
        {"adds one at the end",
         [](fx::List<Item>& l, Item&) {
             auto n = std::make_shared<Item>();
             n->id = 9;
             l.push_back(n);
         },
         {0, 1, 2, 3, 9}, {0, 1, 2, 3, 9}},
        {"empties the list", [](fx::List<Item>& l, Item&) { fx::clear(l); }, {0, 1}, {}},
        {"walks the list again inside",
         [](fx::List<Item>& l, Item& me) {
             fx::remove(l, &me);
             fx::walk(l, [](Item&) {});
         },
         {0, 1, 2, 3}, {0, 2, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fx::List<Item> list;
        for (int i = 0; i < 4; ++i) {
            auto it = std::make_shared<Item>();
            it->id = i;
            list.push_back(it);
        }
        std::vector<int> walked;
        fx::walk(list, [&](Item& it) {
            walked.push_back(it.id);
            if (it.id == 1) c.act(list, it);
        });
        EXPECT_EQ(walked, c.walked);
        std::vector<int> left;
        for (auto& p : list) left.push_back(p->id);
        EXPECT_EQ(left, c.left);
        EXPECT_EQ(fx::live(list), c.left.size());
    }
}

TEST(FxListTest, RemovingOutsideAWalkErasesAtOnce) {
    fx::List<Item> list{std::make_shared<Item>(), std::make_shared<Item>()};
    fx::remove(list, list.front().get());
    EXPECT_EQ(list.size(), 1u);
    fx::clear(list);
    EXPECT_TRUE(list.empty());
}

}  // namespace
