// The loading screen's table with the real set-ups plugged in: the award definitions are
// read before the profiles, so the awards a player saved come back as the game's own award
// objects.
#include "app/loading/loading_screen.h"
#include "app/test_profile_support.h"
#include "game/awards/awards.h"
#include "game/flow/flow_world.h"
#include "wiring/loading_units.h"

namespace {

class LoadingWiring : public ProfileTest {
protected:
    void SetUp() override {
        ProfileTest::SetUp();
        resetLoadingScreen();
        setLoadingTable(loadingUnits());
        resetAwards();
        // The program's world: it finds awards by id in the loaded definitions.
        setProfileWorld(&flowWorld);
        bDir = dir + "/tree/";
        lang = "en";
        write("/tree/data/awards.dat",
              "awards {\n i = 1\n award1 {\n  id = 7\n  typ = 2\n  level = 1\n  name = 1\n  opis = 2\n"
              "  otrzymanie = 3\n  img = \"\"\n  wielorazowy = 1\n  value = 5\n  dim = 10, 20\n }\n}\n");
        write("/tree/txt/en/awards.txt", "Sharp Eye\nFive levels without a mistake.\nWell spotted!\n");
    }
    void TearDown() override {
        resetLoadingScreen();
        resetAwards();
        ProfileTest::TearDown();
    }
    // Runs the named units of the default table, in the table's order.
    static void runUnits(const std::vector<std::string>& names) {
        for (auto& u : defaultLoadingUnits())
            for (const auto& n : names)
                if (u.name == n && u.action) u.action();
    }
    TFlowWorld flowWorld;
};

TEST_F(LoadingWiring, SavedAwardsResolveToTheDefinitionsReadBeforeTheProfiles) {
    // A player who holds award 7 twice, saved by an earlier run.
    auto held = std::make_shared<TAward>();
    held->id = 7;
    auto p = createNewProfile("Ann");
    p->awardy = {held, held};
    profileManager.listaProfili.push_back(p);
    profileManager.profile = p;
    ASSERT_EQ(p->save(), 0);
    ASSERT_EQ(profileManager.save(), 0);
    resetProfileManager();

    runUnits({"profileManager.loadProfiles", "awardScreen.setup"});

    ASSERT_EQ(awardsList.size(), 1u);
    EXPECT_EQ(awardsList[0]->title, "Sharp Eye");
    ASSERT_TRUE(profileManager.profile);
    const auto& awards = profileManager.profile->awardy;
    ASSERT_EQ(awards.size(), 2u);
    for (const auto& a : awards) EXPECT_EQ(a.get(), awardsList[0].get());
    EXPECT_EQ(profileManager.profile->countAward(7), 2);
}

// The loading sequence reads the definitions in its step for the award screen, which comes
// before the profiles are loaded; the award panels have their set-up too.
TEST_F(LoadingWiring, TheAwardScreensStepReadsTheDefinitionsBeforeTheProfiles) {
    int awardsAt = -1, profilesAt = -1, k = 0;
    for (const auto& u : defaultLoadingUnits()) {
        if (u.name == "awardScreen.setup") {
            awardsAt = k;
            ASSERT_TRUE(u.action);
            u.action();
        }
        if (u.name == "giveAward.setup") {
            EXPECT_TRUE(u.action);
        }
        if (u.name == "profileManager.loadProfiles") profilesAt = k;
        ++k;
    }
    ASSERT_GE(awardsAt, 0);
    EXPECT_LT(awardsAt, profilesAt);
    ASSERT_EQ(awardsList.size(), 1u);
    EXPECT_EQ(awardsList[0]->id, 7);
}

}  // namespace
