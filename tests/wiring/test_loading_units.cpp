// The game's loading table: 52 units in five parts, in the order the set-ups need.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "wiring/loading_units.h"

namespace {

TEST(LoadingUnits, FiftyTwoUnitsInFivePartsInTheOrderTheSetUpsNeed) {
    auto units = loadingUnits();
    ASSERT_EQ(units.size(), 52u);
    std::map<int, int> perPart;
    std::map<std::string, size_t> at;
    for (size_t i = 0; i < units.size(); ++i) {
        ++perPart[units[i].part];
        at[units[i].name] = i;
        if (i > 0) {
            EXPECT_GE(units[i].part, units[i - 1].part) << units[i].name;
        }
    }
    EXPECT_EQ(perPart, (std::map<int, int>{{1, 13}, {2, 14}, {3, 11}, {4, 8}, {5, 6}}));
    // Order that matters: the frame's share first; the profiles only after everything they
    // refer to (awards, tips, the play screen, the progressions); the waves fill the bar.
    EXPECT_EQ(units.front().name, "globalSnd.setup");
    for (const char* before : {"mainGame.setup", "windowTheme", "levelManager.setup", "awardScreen.setup",
                               "tutorial.setup", "profileManager.setup"})
        EXPECT_LT(at[before], at["profileManager.loadProfiles"]) << before;
    EXPECT_EQ(at["setupFala"], 50u);
    EXPECT_EQ(units.back().name, "rulesScreen.setup");
    for (const char* track : {"music6", "music7", "music8", "music9", "music5"}) EXPECT_TRUE(at.count(track)) << track;
}

}  // namespace
