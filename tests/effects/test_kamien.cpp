// Stones: the pulse over the cell, the flight to the chest or the bag, what each arrival
// finishes on the play screen, the fall, and the dust.
#include <algorithm>

#include "effects_fixture.h"

namespace fxtest {
namespace {

constexpr float kChestX = 850, kChestY = 400;

class KamienTest : public EffectsTest {
protected:
    std::shared_ptr<TKamien> chestStone(int size = 0) {
        return createKamien(0, 300, 300, kChestX, kChestY, size);
    }
    std::shared_ptr<TKamien> bagStone() {
        auto k = createKamien(0, 300, 300, bonusX(5), kBonusY, 0);
        k->gotoworek = 1;
        return k;
    }
    // One frame of the play screen's stone step, the clock moving on by a frame.
    void frame() {
        advance(16);
        _updateKamienie();
    }
    int splinters() const {
        return int(std::count_if(particlesList.begin(), particlesList.end(),
                                 [](const auto& p) { return p->n == 6 || p->n == 7; }));
    }
};

TEST_F(KamienTest, IsInvisibleBeforeItsFirstUpdate) {
    chestStone();
    _drawKamienie();
    ASSERT_EQ(RecordedDraws().size(), 1u);
    EXPECT_FLOAT_EQ(RecordedDraws()[0].alpha, 0);
    EXPECT_FLOAT_EQ(RecordedDraws()[0].scaleX, 0);
}

TEST_F(KamienTest, PulsesTwentyUpdatesUpAndTwentyDownBeforeItFlies) {
    auto k = chestStone();
    for (int i = 1; i <= 20; ++i) {
        EXPECT_EQ(k->state, "START") << "update " << i;
        frame();
    }
    EXPECT_EQ(k->state, "HIDE");
    EXPECT_FLOAT_EQ(k->s, 1.3f);
    EXPECT_FLOAT_EQ(k->a, 1);
    for (int i = 1; i <= 20; ++i) {
        EXPECT_EQ(k->state, "HIDE") << "update " << i;
        frame();
    }
    EXPECT_EQ(k->state, "FLY");
    EXPECT_FLOAT_EQ(k->s, 1);
    EXPECT_FLOAT_EQ(k->x, 300) << "it does not move while it pulses";
    EXPECT_FLOAT_EQ(k->x2, kChestX);
    EXPECT_FLOAT_EQ(k->mx, 300 + (kChestX - 300) / 2);
    EXPECT_GE(300 - k->my, 100);
    EXPECT_LE(300 - k->my, 150);
}

TEST_F(KamienTest, ChestStoneHitsOnceShedsFiftySplintersAndFallsOutAtTheBottom) {
    for (float d : {1.0f, 5.0f, 200.0f}) {
        SCOPED_TRACE(d);
        resetKamienie();
        particlesList.clear();
        play.chestHits = 0;
        delta = d;
        auto k = chestStone();
        while (k->state != "FLY-DOWN" && !listaKamieni.empty()) frame();
        EXPECT_EQ(play.chestHits, 1) << "the hit comes at the end of the flight";
        EXPECT_FLOAT_EQ(k->x1, kChestX);
        EXPECT_FLOAT_EQ(k->y1, kChestY);
        EXPECT_EQ(splinters(), 50);
        for (const auto& p : particlesList)
            if (p->n == 6 || p->n == 7) {
                EXPECT_LE(std::abs(p->x1 - kChestX), 10);  // from where the stone struck
            }
        int guard = 0;
        while (!listaKamieni.empty() && ++guard < 1000) frame();
        EXPECT_TRUE(listaKamieni.empty());
        EXPECT_EQ(play.chestHits, 1) << "never a second hit";
        EXPECT_FLOAT_EQ(k->y, 800);
        EXPECT_GE(k->x, 400);
        EXPECT_LE(k->x, 800);
        EXPECT_TRUE(play.bagCountAtCheck.empty());
        EXPECT_EQ(profileManager.profile->kamienieWWorku, 0);
    }
}

TEST_F(KamienTest, BagStoneRaisesTheCountBeforeTheBagChecksAndNeverHitsTheChest) {
    profileManager.profile->kamienieWWorku = 2;
    auto k = bagStone();
    int updates = 0;
    while (!listaKamieni.empty() && updates < 1000) {
        // The bag bobs while the stone flies; the stone follows it.
        play.worekY = kBonusY - float(updates % 10);
        const bool flying = k->state == "FLY-TO-WOREK";
        frame();
        ++updates;
        if (flying && !listaKamieni.empty()) {
            EXPECT_FLOAT_EQ(k->y2, play.worekY);
            EXPECT_FLOAT_EQ(k->x2, bonusX(5));
        }
    }
    EXPECT_TRUE(listaKamieni.empty());
    EXPECT_EQ(play.chestHits, 0);
    EXPECT_EQ(profileManager.profile->kamienieWWorku, 3);
    ASSERT_EQ(play.bagCountAtCheck.size(), 1u);
    EXPECT_EQ(play.bagCountAtCheck[0], 3) << "the stone that fills the bag is already counted";
    EXPECT_EQ(services.count("bonus_bag"), 1);
    EXPECT_EQ(splinters(), 0);
}

TEST_F(KamienTest, FlightLengthFollowsItsSpeed) {
    auto k = chestStone();
    for (int i = 0; i < 40; ++i) frame();
    ASSERT_EQ(k->state, "FLY");
    int flight = 0;
    while (k->state == "FLY") {
        frame();
        ++flight;
    }
    EXPECT_GE(k->speed, 0.5f);
    EXPECT_LT(k->speed, 1.0f);
    EXPECT_NEAR(flight, 50.0f / k->speed, 1.5f);
    frame();
    EXPECT_NEAR(k->rot, 1440 * 0.02f * k->speed, 1e-3) << "the fall turns again from 0";
}

TEST_F(KamienTest, DustPuffsPerBurstFollowTheSizeAtMostOneBurstPer25Ms) {
    for (int size = 0; size < kTileSizeClasses; ++size) {
        SCOPED_TRACE(size);
        resetKamienie();
        for (int s = 0; s < kTileSizeClasses; ++s) TKamien::gfx[size_t(s)] = makeImage(40 - 4 * s, 8);
        particlesList.clear();
        auto k = chestStone(size);
        k->state = "FLY";
        k->x2 = kChestX;
        k->y2 = kChestY;
        _updateKamienie();  // the first flight update bursts at once
        ASSERT_EQ(particlesList.size(), size_t(7 - size));
        const int spread = (40 - 4 * size) / 4;
        for (const auto& p : particlesList) {
            EXPECT_EQ(p->n, 10);
            EXPECT_LE(std::abs(p->x1 - k->x), float(spread));
        }
        advance(25);
        _updateKamienie();
        EXPECT_EQ(particlesList.size(), size_t(7 - size)) << "not yet past the 25 ms";
        advance(1);
        _updateKamienie();
        EXPECT_EQ(particlesList.size(), size_t(2 * (7 - size)));
    }
}

TEST_F(KamienTest, DrawLeavesAPlainDrawingState) {
    auto k = chestStone();
    frame();
    SetBlend(LIGHTBLEND);
    _drawKamienie();
    EXPECT_EQ(GetBlend(), ALPHABLEND);
    EXPECT_FLOAT_EQ(GetRotation(), 0);
    EXPECT_FLOAT_EQ(GetAlpha(), 1);
    float sx = 0, sy = 0;
    GetScale(sx, sy);
    EXPECT_FLOAT_EQ(sx, 1);
    ASSERT_EQ(RecordedDraws().size(), 1u);
    EXPECT_FLOAT_EQ(RecordedDraws()[0].scaleX, k->s);
}

TEST_F(KamienTest, StonesHintsAndIconsInFlightDoNotCarryIntoTheNextLevel) {
    chestStone();
    bagStone();
    createFlyingBonus(2, 10, 10);
    auto lvl = std::make_unique<TLevel>();
    lvl->rows = lvl->cols = 1;
    lvl->createTilesTab();
    TDim target;
    createFlyingHint(lvl->tileAt(0, 0), 0, 0, target);
    EXPECT_EQ(stonesFlyingToWorek(), 1);

    clearLevelEffects();
    for (int i = 0; i < 400; ++i) {
        frame();
        _updateFlyingHints();
        _updateFlyingBonus();
    }
    EXPECT_EQ(play.chestHits, 0);
    EXPECT_EQ(profileManager.profile->kamienieWWorku, 0);
    EXPECT_TRUE(play.enabled.empty());
    EXPECT_EQ(lvl->at(0, 0)->state, "");
    EXPECT_EQ(stonesFlyingToWorek(), 0);
}

TEST_F(KamienTest, ClearingFromInsideTheWalkIsSafe) {
    // A play screen that leaves the level on the first hit, from within the stones' update.
    struct Leaving : FakePlay {
        void uszkodzSkrzynie() override {
            ++chestHits;
            clearLevelEffects();
        }
    } leaving;
    setPlayLink(&leaving);
    for (int i = 0; i < 3; ++i) chestStone();
    for (int i = 0; i < 400 && !listaKamieni.empty(); ++i) frame();
    EXPECT_TRUE(listaKamieni.empty());
    EXPECT_EQ(leaving.chestHits, 1);
}

TEST_F(KamienTest, TheBoardReachesRockStripsSplintersAndSparklesThroughItsLink) {
    TKamien::img[2] = makeImage(30, 30, 8);
    TKamien::img[4] = makeImage(20, 20, 8);
    EXPECT_EQ(effectsLink().stoneImage(2), TKamien::img[2]);
    EXPECT_EQ(effectsLink().stoneImage(99), TKamien::img[4]) << "a size class from bad data is folded";
    EXPECT_EQ(effectsLink().stoneFrames(), 8);
    effectsLink().createDrzazga(5, 5);
    effectsLink().createOkoParticle(5, 5, 30, 30);
    ASSERT_EQ(particlesList.size(), 2u);
    EXPECT_TRUE(particlesList.front()->n == 6 || particlesList.front()->n == 7);
    // The eye's sparkle is light sea: blue over red, unlike the white splinter.
    EXPECT_GT(particlesList.back()->rgb->b, particlesList.back()->rgb->r);
}

}  // namespace
}  // namespace fxtest
