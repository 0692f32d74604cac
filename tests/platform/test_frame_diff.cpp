// What a frame has alone against the last one: the matched steps must be a longest common
// subsequence (checked against a plain table on random frames), every step left unmatched
// marked, and the rectangles drawn again must cover all that changed; the cheaper marking
// must leave a common subsequence or give up, and the display's tiles a copy goes over must
// be exactly those touched.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "platform/detail/frame_diff.h"

namespace {

using gfx::Rect;

size_t lcs(const std::vector<uint64_t>& a, const std::vector<uint64_t>& b) {
    std::vector<std::vector<size_t>> t(a.size() + 1, std::vector<size_t>(b.size() + 1, 0));
    for (size_t i = 1; i <= a.size(); ++i)
        for (size_t j = 1; j <= b.size(); ++j)
            t[i][j] = a[i - 1] == b[j - 1] ? t[i - 1][j - 1] + 1 : std::max(t[i - 1][j], t[i][j - 1]);
    return t[a.size()][b.size()];
}

// The steps left unmarked, in order, are the same keys in both.
std::vector<uint64_t> kept(const std::vector<uint64_t>& s, const std::vector<bool>& alone) {
    std::vector<uint64_t> out;
    for (size_t i = 0; i < s.size(); ++i)
        if (!alone[i]) out.push_back(s[i]);
    return out;
}

size_t count(const std::vector<bool>& v) { return size_t(std::count(v.begin(), v.end(), true)); }

TEST(FrameDiff, MarksWhatEachFrameHasAlone) {
    struct Case {
        std::vector<uint64_t> before, now;
        std::vector<bool> beforeAlone, nowAlone;
    };
    const std::vector<Case> cases = {
        {{1, 2, 3}, {1, 2, 3}, {0, 0, 0}, {0, 0, 0}},
        {{}, {}, {}, {}},
        {{}, {7, 8}, {}, {1, 1}},
        {{7, 8}, {}, {1, 1}, {}},
        // The pointer's cell drawn differently in the middle of the board.
        {{1, 2, 3, 4, 5}, {1, 2, 9, 4, 5}, {0, 0, 1, 0, 0}, {0, 0, 1, 0, 0}},
        // Two changes apart: what lies between them stays matched.
        {{1, 2, 3, 4, 5, 6}, {1, 8, 3, 4, 9, 6}, {0, 1, 0, 0, 1, 0}, {0, 1, 0, 0, 1, 0}},
        // A particle more, one fewer.
        {{1, 2, 3, 4}, {1, 2, 5, 3}, {0, 0, 0, 1}, {0, 0, 1, 0}},
        // The same key drawn twice (a stamp) and one of them gone.
        {{4, 4, 4, 5}, {4, 4, 5}, {1, 0, 0, 0}, {0, 0, 0}},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        std::vector<bool> ba, na;
        ASSERT_TRUE(gfx::stepsAlone(c.before, c.now, 64, ba, na)) << "case " << i;
        EXPECT_EQ(kept(c.before, ba), kept(c.now, na)) << "case " << i;
        EXPECT_EQ(count(ba), count(c.beforeAlone)) << "case " << i;
        EXPECT_EQ(count(na), count(c.nowAlone)) << "case " << i;
        if (i != cases.size() - 1) {  // which of the equal stamps goes is free
            EXPECT_EQ(ba, c.beforeAlone) << "case " << i;
            EXPECT_EQ(na, c.nowAlone) << "case " << i;
        }
    }
}

TEST(FrameDiff, MatchesALongestCommonSubsequenceOnRandomFrames) {
    std::mt19937 rng(41);
    for (int round = 0; round < 400; ++round) {
        std::uniform_int_distribution<int> len(0, 40), key(1, round % 3 == 0 ? 3 : 12);
        std::vector<uint64_t> a(size_t(len(rng))), b;
        for (auto& k : a) k = uint64_t(key(rng));
        // Mostly the same frame with some steps changed, dropped and added.
        for (uint64_t k : a) {
            const int roll = key(rng);
            if (roll == 1) continue;
            b.push_back(roll == 2 ? uint64_t(key(rng)) : k);
            if (roll == 3) b.push_back(uint64_t(key(rng)));
        }
        if (round % 5 == 0) std::shuffle(b.begin(), b.end(), rng);
        std::vector<bool> ba, na;
        ASSERT_TRUE(gfx::stepsAlone(a, b, 200, ba, na));
        ASSERT_EQ(kept(a, ba), kept(b, na)) << "round " << round;
        const size_t common = lcs(a, b);
        EXPECT_EQ(count(ba), a.size() - common) << "round " << round;
        EXPECT_EQ(count(na), b.size() - common) << "round " << round;
    }
}

TEST(FrameDiff, GivesUpPastTheLimit) {
    std::vector<uint64_t> a, b;
    for (uint64_t i = 0; i < 50; ++i) {
        a.push_back(i);
        b.push_back(i + 100);
    }
    std::vector<bool> ba, na;
    EXPECT_FALSE(gfx::stepsAlone(a, b, 99, ba, na));
    EXPECT_EQ(count(ba) + count(na), 0u);
    EXPECT_TRUE(gfx::stepsAlone(a, b, 100, ba, na));
    EXPECT_EQ(count(ba) + count(na), 100u);
    // Only additions, past the limit, in the middle of a long common run.
    std::vector<uint64_t> c(a), d(a);
    d.insert(d.begin() + 20, 30, 7);
    EXPECT_FALSE(gfx::stepsAlone(c, d, 29, ba, na));
    EXPECT_TRUE(gfx::stepsAlone(c, d, 30, ba, na));
    EXPECT_EQ(count(na), 30u);
}

// The cheaper marking: any common subsequence will do, but what it leaves unmarked must be
// one, and keys drawn in another order must make it give up.
TEST(FrameDiff, ByCountLeavesACommonSubsequenceOrGivesUp) {
    struct Case {
        std::vector<uint64_t> before, now;
        bool found;
        size_t beforeAlone, nowAlone;
    };
    const std::vector<Case> cases = {
        {{1, 2, 3}, {1, 2, 3}, true, 0, 0},
        {{}, {5, 6}, true, 0, 2},
        {{1, 2, 3, 4, 5}, {1, 9, 3, 8, 5}, true, 2, 2},
        // A stamp drawn once more: every one of that key is alone.
        {{4, 4, 5}, {4, 4, 4, 5}, true, 2, 3},
        // Two drawn over each other in the other order.
        {{1, 2, 3, 7}, {1, 3, 2, 8}, false, 0, 0},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        std::vector<bool> ba, na;
        EXPECT_EQ(gfx::stepsAloneByCount(c.before, c.now, ba, na), c.found) << "case " << i;
        EXPECT_EQ(count(ba), c.beforeAlone) << "case " << i;
        EXPECT_EQ(count(na), c.nowAlone) << "case " << i;
    }
    std::mt19937 rng(5);
    for (int round = 0; round < 300; ++round) {
        std::uniform_int_distribution<int> len(0, 60), key(1, 20);
        std::vector<uint64_t> a(size_t(len(rng))), b;
        for (auto& k : a) k = uint64_t(key(rng));
        for (uint64_t k : a) b.push_back(key(rng) < 6 ? uint64_t(key(rng)) : k);
        if (round % 4 == 0 && b.size() > 1) std::swap(b.front(), b.back());
        std::vector<bool> ba, na;
        if (gfx::stepsAloneByCount(a, b, ba, na)) {
            EXPECT_EQ(kept(a, ba), kept(b, na)) << "round " << round;
        } else {
            EXPECT_EQ(count(ba) + count(na), 0u) << "round " << round;
        }
    }
}

bool covers(const std::vector<Rect>& out, const Rect& r) {
    // Every pixel of r lies in some rectangle of out.
    for (int y = r.y; y < r.y + r.h; ++y)
        for (int x = r.x; x < r.x + r.w; ++x)
            if (std::none_of(out.begin(), out.end(), [&](const Rect& o) {
                    return x >= o.x && x < o.x + o.w && y >= o.y && y < o.y + o.h;
                }))
                return false;
    return true;
}

TEST(FrameDiff, CoverRectsCoversEverythingWithFewRectangles) {
    // Overlapping and touching ones are one; far apart ones stay apart while allowed.
    const std::vector<Rect> rects = {{10, 10, 20, 20}, {25, 25, 10, 10}, {30, 10, 5, 5},
                                     {200, 200, 8, 8}, {400, 20, 4, 4},  {0, 0, 0, 5}};
    const std::vector<Rect> out = gfx::coverRects(rects, 8);
    EXPECT_EQ(out.size(), 3u);
    for (const Rect& r : rects) {
        if (r.w > 0 && r.h > 0) {
            EXPECT_TRUE(covers(out, r));
        }
    }
    std::mt19937 rng(7);
    for (int round = 0; round < 100; ++round) {
        std::uniform_int_distribution<int> pos(0, 300), size(1, 30), many(0, 40);
        std::vector<Rect> in(size_t(many(rng)));
        for (Rect& r : in) r = Rect{pos(rng), pos(rng), size(rng), size(rng)};
        const size_t most = size_t(1 + round % 8);
        const std::vector<Rect> got = gfx::coverRects(in, most);
        EXPECT_LE(got.size(), most);
        for (const Rect& r : in) EXPECT_TRUE(covers(got, r)) << "round " << round;
        // No two of them overlap: nothing is drawn twice.
        for (size_t i = 0; i < got.size(); ++i)
            for (size_t j = i + 1; j < got.size(); ++j) {
                const Rect &p = got[i], &q = got[j];
                EXPECT_FALSE(p.x < q.x + q.w && q.x < p.x + p.w && p.y < q.y + q.h && q.y < p.y + p.h);
            }
    }
}

// The display's tiles a copy must go over: every touched tile once, whole (but at the
// area's edge), however the rectangles lie; untouched ones only as far as allowed for the
// rectangles saved.
TEST(FrameDiff, TouchedTilesAreThoseTouched) {
    std::mt19937 rng(11);
    const int tile = 16;
    for (int round = 0; round < 200; ++round) {
        const int w = 100 + round % 37, h = 90 + round % 23;
        std::uniform_int_distribution<int> pos(-20, 140), size(0, 40), many(0, 12);
        std::vector<Rect> in(size_t(many(rng)));
        for (Rect& r : in) r = Rect{pos(rng), pos(rng), size(rng), size(rng)};
        const std::vector<Rect> exact = gfx::touchedTiles(in, w, h, tile, 0);
        for (const long spare : {0L, 400L}) {
            const std::vector<Rect> got = gfx::touchedTiles(in, w, h, tile, spare);
            long untouched = 0;
            for (int ty = 0; ty * tile < h; ++ty)
                for (int tx = 0; tx * tile < w; ++tx) {
                    const Rect cell{tx * tile, ty * tile, std::min(tile, w - tx * tile), std::min(tile, h - ty * tile)};
                    const bool touched = std::any_of(in.begin(), in.end(), [&](const Rect& r) {
                        return r.w > 0 && r.h > 0 && r.x < cell.x + cell.w && cell.x < r.x + r.w &&
                               r.y < cell.y + cell.h && cell.y < r.y + r.h;
                    });
                    int holders = 0;
                    for (const Rect& o : got)
                        if (o.x <= cell.x && cell.x + cell.w <= o.x + o.w && o.y <= cell.y && cell.y + cell.h <= o.y + o.h)
                            ++holders;
                    if (!touched && holders) untouched += long(cell.w) * cell.h;
                    EXPECT_EQ(holders, touched || (spare && holders) ? 1 : 0)
                        << "round " << round << " spare " << spare << " tile " << tx << "," << ty;
                }
            EXPECT_LE(untouched, spare * long(exact.size() - got.size())) << "round " << round;
            for (const Rect& o : got) {
                EXPECT_EQ(o.x % tile, 0);
                EXPECT_EQ(o.y % tile, 0);
                EXPECT_TRUE(o.x + o.w == w || o.w % tile == 0);
                EXPECT_TRUE(o.y + o.h == h || o.h % tile == 0);
                EXPECT_LE(o.x + o.w, w);
                EXPECT_LE(o.y + o.h, h);
            }
        }
    }
    // A column of touched tiles is one rectangle.
    EXPECT_EQ(gfx::touchedTiles({{20, 5, 3, 60}}, 100, 100, 16, 0).size(), 1u);
    // Allowed a tile's worth of untouched ones for each rectangle saved: two tiles a tile
    // apart are one, three tiles apart stay two; an L is one box.
    EXPECT_EQ(gfx::touchedTiles({{0, 0, 4, 4}, {32, 0, 4, 4}}, 100, 100, 16, 256).size(), 1u);
    EXPECT_EQ(gfx::touchedTiles({{0, 0, 4, 4}, {64, 0, 4, 4}}, 100, 100, 16, 256).size(), 2u);
    EXPECT_EQ(gfx::touchedTiles({{0, 0, 20, 4}, {0, 16, 4, 4}}, 100, 100, 16, 256).size(), 1u);
}

}  // namespace
