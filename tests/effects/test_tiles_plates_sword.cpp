// Flying tiles at a level's start, the wood plates of a broken cover, emitters, and the
// sword with no cell to reveal.
#include "effects_fixture.h"
#include "game/board/tile.h"

namespace {

using fxtest::EffectsTest;

class BoardEffectsTest : public EffectsTest {
protected:
    std::shared_ptr<TLevel> level;
    void SetUp() override {
        EffectsTest::SetUp();
        level = std::make_shared<TLevel>();
        level->rows = 1;
        level->cols = 2;
        level->createTilesTab();
        for (auto& t : level->tile) {
            t->dim = createSimpleDim(100 + 50 * t->c, 200);
            t->td = std::make_shared<TTileData>();
            t->tdHide = std::make_shared<TTileHideGFX>();
        }
        play.lvl = level.get();
    }
    void TearDown() override {
        play.lvl = nullptr;
        EffectsTest::TearDown();
    }
};

TEST_F(BoardEffectsTest, FlyingTileWaitsFliesRestsAndLetsGoOfItsCell) {
    auto cell = level->tileAt(0, 1);
    auto f = createFlyingTile(cell);
    flyingTiles.push_back(f);
    f->startFrom(cell->x(), cell->y() + 800, 100);
    f->rotate = 0;
    f->perSpeed = 0.02f;
    EXPECT_EQ(cell->_flyingTile, f.get());
    // Before its start: motionless.
    for (int i = 0; i < 5; ++i) {
        advance(17);
        _updateFlyingTiles();
    }
    EXPECT_EQ(f->per, 0);
    EXPECT_FLOAT_EQ(f->y, 1000);
    advance(20);
    int updates = 0;
    while (!flyingTiles.empty() && updates < 200) {
        advance(17);
        _updateFlyingTiles();
        ++updates;
    }
    EXPECT_EQ(updates, 51);  // 50 to arrive, one resting on the cell
    EXPECT_FLOAT_EQ(f->y, 200);
    EXPECT_EQ(cell->_flyingTile, nullptr);
}

TEST_F(BoardEffectsTest, ClearingFlyingTilesLetsEveryCellDrawItself) {
    for (auto& t : level->tile) {
        auto f = createFlyingTile(t);
        flyingTiles.push_back(f);
        f->startFromRandomPosition(0);
        EXPECT_TRUE(f->x1 < -49 || f->x1 > 1149 || f->y1 < -99 || f->y1 > 899);
    }
    clearFlyingTiles();
    EXPECT_TRUE(flyingTiles.empty());
    for (auto& t : level->tile) EXPECT_EQ(t->_flyingTile, nullptr);
}

TEST_F(BoardEffectsTest, PlatesCoverTheCellThenJumpFallAndFade) {
    TPlate::platesPack[0] = fxtest::makeImage(10, 10, 25);
    MidHandleImage(TPlate::platesPack[0]);
    TPlate::rows[0] = TPlate::cols[0] = 5;
    createPlatesQ(0, 75, 175);
    ASSERT_EQ(platesList.size(), 25u);
    int k = 0;
    for (auto& p : platesList) {
        EXPECT_EQ(p->frameN, k);
        EXPECT_FLOAT_EQ(p->x, 75 + 10 * (k % 5));
        EXPECT_FLOAT_EQ(p->y, 175 + 10 * (k / 5));
        EXPECT_TRUE(p->ax == -1.5f || p->ax == 0 || p->ax == 1.5f);
        ++k;
    }
    auto first = platesList.front();
    _updatePlates();
    EXPECT_FLOAT_EQ(first->y, 175);  // a new plate stands still once
    int updates = 1;
    while (!platesList.empty() && updates < 200) {
        _updatePlates();
        ++updates;
    }
    EXPECT_GE(updates, 35);
    EXPECT_LE(updates, 53);
    // A class without its strip throws nothing.
    createPlatesQ(3, 0, 0);
    createPlatesQ(12, 0, 0);
    EXPECT_TRUE(platesList.empty());
}

TEST_F(BoardEffectsTest, EmitterOrdersRevealOnlyTheirOwnLevelsCell) {
    auto cell = level->tileAt(0, 0);
    auto e = createEmitter(13, 0, 0, 0, 25, 50);
    e->useString = "REVEAL_TILE";
    e->useTile = cell;
    // A row and column outside the grid, or another level's cell, reveal nothing.
    e->useDataR = 3;
    auto other = std::make_shared<TLevel>();
    other->rows = other->cols = 1;
    other->createTilesTab();
    auto stranger = createEmitter(1, 0, 0, 0, 25, 50);
    stranger->useString = "REVEAL_TILE";
    stranger->useTile = other->tileAt(0, 0);
    auto good = createEmitter(1, 0, 0, 10, 25, 50);
    good->useString = "REVEAL_TILE";
    good->useTile = level->tileAt(0, 1);
    good->useDataC = 1;
    for (int i = 0; i < 10; ++i) {
        advance(17);
        _updateEmitters();
    }
    EXPECT_TRUE(emittersList.empty());
    EXPECT_EQ(cell->state, "");
    EXPECT_EQ(other->tileAt(0, 0)->state, "");
    EXPECT_EQ(level->tileAt(0, 1)->state, "ODKRYJ-1");
}

// Each burst of a bow or a sword strand lays three sparks, in their palette colours: none a
// full white, which by the hundred burns the crates under a bow white.
TEST_F(BoardEffectsTest, EveryEmitterBurstLaysThreeSparksAndNoneWhite) {
    for (int typ : {1, 10, 11, 12}) {
        particlesList.clear();
        emittersList.clear();
        createEmitter(typ, 0, 0, 0, 25, 1000);
        advance(17);
        _updateEmitters();
        EXPECT_EQ(particlesList.size(), 3u) << "kind " << typ;
        for (const auto& p : particlesList) {
            const TRGB& c = *p->rgb;
            EXPECT_LT(c.r + c.g + c.b, 3 * 200) << "kind " << typ << ": " << c.r << "," << c.g << "," << c.b;
        }
    }
    emittersList.clear();
}

TEST_F(BoardEffectsTest, SwordWithoutCellsStillFliesTurnsAndFades) {
    auto m = createMiecz({});
    EXPECT_FLOAT_EQ(m->x, fxtest::bonusX(0));
    int updates = 0;
    bool boomed = false;
    while (!m->_dead && updates < 400) {
        advance(17);
        m->update();
        boomed |= m->state == "WAIT";
        ++updates;
    }
    EXPECT_TRUE(boomed);
    EXPECT_GT(updates, 150);
    EXPECT_LT(updates, 190);
    EXPECT_FLOAT_EQ(m->per, 1);
    EXPECT_FLOAT_EQ(m->rot, 360);
}

}  // namespace
