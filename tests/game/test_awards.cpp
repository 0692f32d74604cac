// The 25 award rules, run as the win screen runs them, against one table of profile states.
#include <functional>

#include "test_flow_support.h"

using namespace flowtest;

namespace {

// Thresholds of the test award list, by id (index 0 unused).
constexpr int kValue[26] = {0,  1,    5,    10,    1000, 5000, 10000, 3,  4,  2,  0,  5,  0,
                            1,  1,    2,    5,     10,   10,   10,    10, 10, 10, 5,  15, 30};

struct Play {
    float mnoznik = 1;
    int32_t maxMistakes = 3;
};

class AwardsTest : public FlowTest {
protected:
    void SetUp() override {
        FlowTest::SetUp();
        play = Play{};
        for (int id = 1; id <= 25; ++id) {
            auto a = std::make_shared<TAwardRecord>();
            a->id = id;
            a->value = kValue[id];
            awardsList.push_back(a);
        }
        setAwardPlaySource([this] {
            TAwardPlayState s;
            s.mnoznik = play.mnoznik;
            s.maxMistakes = play.maxMistakes;
            return s;
        });
        profile = makeProfile("HARD", 1, 1);
        // A win that earns nothing: one chest hit, nothing counted up.
        profile->mistakes = 1;
    }
    void hold(std::initializer_list<int> ids) {
        for (int id : ids) profile->awardy.push_back(getAwardByID(id));
    }
    std::vector<int> run() {
        std::vector<int> ids;
        for (const auto& a : runAwardRules()) ids.push_back(a->id);
        return ids;
    }

    Play play;
    std::shared_ptr<TProfile> profile;
};

struct RuleCase {
    const char* name;
    std::function<void(TProfile&, Play&)> state;
    std::vector<int> held;
    std::vector<int> granted;
};

TEST_F(AwardsTest, TableOfProfileStatesAndGrants) {
    const RuleCase cases[] = {
        {"nothing earned", [](TProfile&, Play&) {}, {}, {}},
        {"brainiac bronze", [](TProfile& p, Play&) { p.mistakes = 0, p.noMistakesOnLevel = 1; }, {}, {1}},
        {"brainiac needs this win clean", [](TProfile& p, Play&) { p.noMistakesOnLevel = 10; }, {}, {}},
        {"all brainiac tiers due: gold only", [](TProfile& p, Play&) { p.mistakes = 0, p.noMistakesOnLevel = 10; },
         {}, {3}},
        {"brainiac silver after bronze", [](TProfile& p, Play&) { p.mistakes = 0, p.noMistakesOnLevel = 5; }, {1}, {2}},
        {"brainiac blocked on casual stage 1 while bronze held",
         [](TProfile& p, Play&) { p.flowType = "CASUAL", p.mistakes = 0, p.noMistakesOnLevel = 10; }, {1}, {}},
        {"brainiac on casual stage 3 while bronze held",
         [](TProfile& p, Play&) {
             p.flowType = "CASUAL", p.numerStageu = 3, p.mistakes = 0, p.noMistakesOnLevel = 10;
         },
         {1}, {3}},
        {"casual stage 1 without bronze",
         [](TProfile& p, Play&) { p.flowType = "CASUAL", p.mistakes = 0, p.noMistakesOnLevel = 1; }, {}, {1}},
        {"points killer silver", [](TProfile& p, Play&) { p.score = 5000; }, {}, {5}},
        {"points killer gold blocks the rest", [](TProfile& p, Play&) { p.score = 20000; }, {}, {6}},
        {"points killer all held", [](TProfile& p, Play&) { p.score = 20000; }, {4, 5, 6}, {}},
        {"dedicated pirate", [](TProfile& p, Play&) { addRecord(p, 1, 1, 1, 3); }, {}, {7}},
        {"dedicated pirate one short", [](TProfile& p, Play&) { addRecord(p, 1, 1, 1, 2); }, {}, {}},
        {"dedicated pirate: record of another stage", [](TProfile& p, Play&) { addRecord(p, 1, 2, 1, 9); }, {}, {}},
        {"both combo maniacs", [](TProfile&, Play& s) { s.mnoznik = 4; }, {}, {8, 9}},
        {"combo maniac only", [](TProfile&, Play& s) { s.mnoznik = 3.99f; }, {}, {9}},
        {"power-up: all six unlocked", [](TProfile& p, Play&) { p.unlocked.fill(1); }, {}, {10}},
        {"power-up: five unlocked",
         [](TProfile& p, Play&) {
             p.unlocked.fill(1);
             p.unlocked[PU_BAG] = 0;
         },
         {}, {}},
        {"hint maniac", [](TProfile& p, Play&) { p.hintsUsed = 5; }, {}, {11}},
        {"risky bronze: one stone to spare", [](TProfile& p, Play&) { p.mistakes = 3, p.kamienieWWorku = 2; }, {},
         {12}},
        {"risky: two stones to spare", [](TProfile& p, Play&) { p.mistakes = 2, p.kamienieWWorku = 2; }, {}, {}},
        {"risky silver after bronze", [](TProfile& p, Play&) { p.mistakes = 3, p.kamienieWWorku = 3; }, {12}, {13}},
        {"risky gold after silver", [](TProfile& p, Play&) { p.mistakes = 4, p.kamienieWWorku = 2; }, {12, 13}, {14}},
        {"risky all held", [](TProfile& p, Play&) { p.mistakes = 4, p.kamienieWWorku = 2; }, {12, 13, 14}, {}},
        {"risky with a crab-raised allowance",
         [](TProfile& p, Play& s) { s.maxMistakes = 4, p.mistakes = 3, p.kamienieWWorku = 2; }, {}, {}},
        {"treasure bronze on its stage", [](TProfile& p, Play&) { p.numerStageu = 2; }, {}, {15}},
        {"treasure silver on its stage", [](TProfile& p, Play&) { p.numerStageu = 5; }, {}, {16}},
        {"treasure: bronze's stage with gold held", [](TProfile& p, Play&) { p.numerStageu = 2; }, {17}, {}},
        {"treasure: past its stage", [](TProfile& p, Play&) { p.numerStageu = 3; }, {}, {}},
        {"skull", [](TProfile& p, Play&) { p.useOfSkull = 10; }, {}, {18}},
        {"sabre", [](TProfile& p, Play&) { p.useOfSword = 12; }, {}, {19}},
        {"medallion", [](TProfile& p, Play&) { p.useOfMedalion = 10; }, {}, {20}},
        {"eye", [](TProfile& p, Play&) { p.useOfEye = 10; }, {}, {21}},
        {"map", [](TProfile& p, Play&) { p.useOfMap = 10; }, {}, {22}},
        {"skull one short", [](TProfile& p, Play&) { p.useOfSkull = 9; }, {}, {}},
        {"skull held, not repeatable", [](TProfile& p, Play&) { p.useOfSkull = 30; }, {18}, {}},
        {"sea life silver", [](TProfile& p, Play&) { p.allLivings = 15; }, {}, {24}},
        {"sea life gold after silver", [](TProfile& p, Play&) { p.allLivings = 30; }, {24}, {25}},
        {"sea life all held", [](TProfile& p, Play&) { p.allLivings = 99; }, {25}, {}},
        {"many at once, in the win screen's order",
         [](TProfile& p, Play& s) {
             p.mistakes = 0, p.noMistakesOnLevel = 1, p.score = 1000, s.mnoznik = 2, p.hintsUsed = 5;
             p.useOfEye = 10, p.useOfMedalion = 10, p.allLivings = 5, p.numerStageu = 10;
         },
         {}, {1, 4, 9, 11, 17, 21, 20, 23}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        for (int id : c.held) hold({id});
        c.state(*profile, play);
        size_t before = profile->awardy.size();
        EXPECT_EQ(run(), c.granted);
        // Every grant is recorded in the profile, in order.
        ASSERT_EQ(profile->awardy.size(), before + c.granted.size());
        for (size_t i = 0; i < c.granted.size(); ++i) EXPECT_EQ(profile->awardy[before + i]->id, c.granted[i]);
    }
}

TEST_F(AwardsTest, PowerUpCountersRestartOnlyWhenGranted) {
    profile->useOfSkull = 9;
    profile->useOfMap = 14;
    EXPECT_EQ(run(), std::vector<int>{22});
    EXPECT_EQ(profile->useOfSkull, 9);
    EXPECT_EQ(profile->useOfMap, 0);

    // A repeatable power-up award needs ten further uses for its next grant.
    getAwardByID(22)->wielorazowy = 1;
    profile->useOfMap = 9;
    EXPECT_TRUE(run().empty());
    profile->useOfMap = 10;
    EXPECT_EQ(run(), std::vector<int>{22});
    EXPECT_EQ(profile->countAward(22), 2);
}

TEST_F(AwardsTest, RepeatableAwardIsGrantedAgainWhileItsTestHolds) {
    getAwardByID(11)->wielorazowy = 1;
    profile->hintsUsed = 7;
    EXPECT_EQ(run(), std::vector<int>{11});
    EXPECT_EQ(run(), std::vector<int>{11});
    EXPECT_EQ(profile->countAward(11), 2);
    EXPECT_EQ(profile->awardy[0], profile->awardy[1]);  // the same record, twice
}

TEST_F(AwardsTest, RiskyFamilyClimbsOneTierPerRiskyWin) {
    profile->mistakes = 3;
    profile->kamienieWWorku = 2;
    EXPECT_EQ(run(), std::vector<int>{12});
    EXPECT_EQ(run(), std::vector<int>{13});
    EXPECT_EQ(run(), std::vector<int>{14});
    EXPECT_TRUE(run().empty());
}

TEST_F(AwardsTest, MissingAwardsGrantNothingAndNeverCrash) {
    profile->score = 20000;
    profileManager.profile = nullptr;
    EXPECT_TRUE(runAwardRules().empty());
    profileManager.profile = profile;

    // Points killer silver is missing from the list: its rule gives none, bronze still comes.
    awardsList.erase(awardsList.begin() + 4);
    profile->score = 5000;
    EXPECT_EQ(run(), std::vector<int>{4});
    profile->awardy.clear();
    EXPECT_EQ(CAN_GIVE_AWARD_points_killer_SILVER(), nullptr);

    awardsList.clear();
    profile->mistakes = 0;
    profile->noMistakesOnLevel = 99;
    profile->unlocked.fill(1);
    EXPECT_TRUE(run().empty());
    EXPECT_EQ(getAwardByID(1), nullptr);
}

TEST_F(AwardsTest, GiveAwardHookSeesEachGrantBeforeTheNextRule) {
    profile->mistakes = 0;
    profile->noMistakesOnLevel = 10;
    std::vector<int> seen;
    auto granted = runAwardRules([&](const std::shared_ptr<TAwardRecord>& a) {
        seen.push_back(a->id);
        profile->awardy.push_back(a);
    });
    EXPECT_EQ(seen, std::vector<int>{3});
    EXPECT_EQ(granted.size(), 1u);
}

TEST_F(AwardsTest, LabelFadesStopOnTheirTargetsAndTitleSitsBelowTheIcon) {
    TAwardRecord a;
    a.toolA = 0.99f;
    a.dToolA = 1;
    a.dOverA = 1;
    a.update();
    EXPECT_EQ(a.toolA, 1.0f);
    EXPECT_FLOAT_EQ(a.overA, 0.05f);
    a.dToolA = 0;
    delta = 100;
    a.update();
    EXPECT_EQ(a.toolA, 0.0f);

    SetImageFont(CreateFixedFont(10, 20));
    a.title = "Sabre";  // 50 x 20
    a.x = 200;
    a.y = 100;
    auto d = a.getProperTitleDim();
    EXPECT_EQ(d->x, 175);
    EXPECT_EQ(d->y, 130);
}

}  // namespace
