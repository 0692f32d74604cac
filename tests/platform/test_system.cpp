#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <string>
#include <vector>

#include "platform/system.h"

namespace {

class SystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetClockSource(nullptr);
        SetNotifyHandler(nullptr);
        SeedRnd(1);
    }
    void TearDown() override {
        SetClockSource(nullptr);
        SetNotifyHandler(nullptr);
    }
};

TEST_F(SystemTest, ClockSourceReplacesAndRestoresRealClock) {
    const int32_t a = Millisecs();
    EXPECT_GE(a, 0);
    int32_t fake = INT32_MAX;
    SetClockSource([&] { return fake; });
    EXPECT_EQ(Millisecs(), INT32_MAX);
    fake = INT32_MIN;  // a wrapped count passes through untouched
    EXPECT_EQ(Millisecs(), INT32_MIN);
    SetClockSource(nullptr);
    const int32_t b = Millisecs();
    EXPECT_GE(b, a);
    EXPECT_LT(b - a, 60000);
}

TEST_F(SystemTest, SameSeedSameSequence) {
    SeedRnd(77);
    EXPECT_EQ(RndSeed(), 77);
    std::vector<double> first;
    for (int i = 0; i < 50; ++i) first.push_back(Rand(0, 1000) + Rnd());
    SeedRnd(77);
    std::vector<double> second;
    for (int i = 0; i < 50; ++i) second.push_back(Rand(0, 1000) + Rnd());
    EXPECT_EQ(first, second);
    SeedRnd(78);
    std::vector<double> other;
    for (int i = 0; i < 50; ++i) other.push_back(Rand(0, 1000) + Rnd());
    EXPECT_NE(first, other);
}

TEST_F(SystemTest, RangesAreInclusiveOrHalfOpen) {
    struct Range {
        int32_t lo;
        int32_t hi;
    };
    const Range ranges[] = {{1, 6}, {6, 1}, {-3, -3}, {INT32_MIN, INT32_MAX}, {-1, 1}};
    for (const Range& r : ranges) {
        const int32_t lo = std::min(r.lo, r.hi);
        const int32_t hi = std::max(r.lo, r.hi);
        std::set<int32_t> seen;
        for (int i = 0; i < 2000; ++i) {
            const int32_t v = Rand(r.lo, r.hi);
            ASSERT_GE(v, lo);
            ASSERT_LE(v, hi);
            seen.insert(v);
        }
        if (static_cast<int64_t>(hi) - lo < 10) {
            EXPECT_EQ(seen.size(), static_cast<size_t>(hi - lo + 1)) << lo << ".." << hi;
        }
    }
    double low = 1.0;
    double high = 0.0;
    for (int i = 0; i < 5000; ++i) {
        const double v = Rnd(2.0, 3.0);
        ASSERT_GE(v, 2.0);
        ASSERT_LT(v, 3.0);
        low = std::min(low, v - 2.0);
        high = std::max(high, v - 2.0);
    }
    EXPECT_LT(low, 0.01);
    EXPECT_GT(high, 0.99);
    const double d = Rnd();
    EXPECT_GE(d, 0.0);
    EXPECT_LT(d, 1.0);
}

TEST_F(SystemTest, NotifyGoesToHandlerElseStandardError) {
    std::vector<std::string> seen;
    SetNotifyHandler([&](const std::string& text) { seen.push_back(text); });
    Notify(" >> BLAD! << : x", true);
    Notify("second");
    EXPECT_EQ(seen, (std::vector<std::string>{" >> BLAD! << : x", "second"}));

    SetNotifyHandler(nullptr);
    testing::internal::CaptureStderr();
    Notify("headless notice");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Notify: headless notice\n");
    EXPECT_EQ(seen.size(), 2u);
}

TEST_F(SystemTest, PrintWritesOneLine) {
    testing::internal::CaptureStdout();
    Print("Napotkano problem : x");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Napotkano problem : x\n");
}

}  // namespace
