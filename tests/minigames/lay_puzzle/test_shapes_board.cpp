// Triangle geometry, the inlay's layout and searches, placement, the shelf, blocks and the
// hammer.
#include "lp_fixture.h"

#include "effects/list.h"

namespace {

struct Offset {
    int r, c, x, y;
    float kier;
};

}  // namespace

TEST_F(LPTest, ShapeOffsetsTurnsAndPivotFollowTheTriangleGrid) {
    auto s = getLayBlockById(3);
    ASSERT_NE(s, nullptr);
    ASSERT_EQ(layCellW(), 32);
    const Offset table[] = {{0, 0, 0, 0, 0},   {0, 1, 16, -8, 60}, {0, 2, 32, 0, 0},
                            {1, 0, 0, 18, 60}, {1, 1, 16, 26, 0},  {1, 2, 32, 18, 60}};
    for (const auto& t : table) {
        SCOPED_TRACE(std::to_string(t.r) + "," + std::to_string(t.c));
        EXPECT_EQ(s->pomTab[size_t(t.r)][size_t(t.c)]->x, t.x);
        EXPECT_EQ(s->pomTab[size_t(t.r)][size_t(t.c)]->y, t.y);
        EXPECT_EQ(s->kier[size_t(t.r)][size_t(t.c)], t.kier);
    }
    // The angle of a triangle: the block's turn plus its own, truncated.
    EXPECT_EQ(s->getSpecRot(0, 0, 60), 60);
    EXPECT_EQ(s->getSpecRot(0, 1, 60), 120);
    EXPECT_EQ(s->getSpecRot(0, 0, 59.9f), 59);
    EXPECT_EQ(s->getSpecRot(1, 2, 300), 360);

    // With no turn a centre is the pivot's place plus the offset from the pivot.
    auto c = s->getTileDim(100, 200, 1, 1, 0);
    EXPECT_EQ(c->x, 100);
    EXPECT_EQ(c->y, 200 + 26 - 9);
    // Half a turn mirrors it through the pivot.
    c = s->getTileDim(100, 200, 1, 1, 180);
    EXPECT_NEAR(c->x, 100, 1);
    EXPECT_NEAR(c->y, 200 - 17, 1);

    // A pivot on the only triangle: it stays there whatever the turn.
    auto one = getLayBlockById(1);
    EXPECT_FLOAT_EQ(one->odl[0][0], 0);
    for (float dir : {0.0f, 60.0f, 120.0f, 300.0f}) {
        auto d = one->getTileDim(50.7f, 60.2f, 0, 0, dir);
        EXPECT_EQ(d->x, 50);
        EXPECT_EQ(d->y, 60);
    }
}

TEST_F(LPTest, ShapeFileBoundsSizesAndReportsMissingPictures) {
    EXPECT_EQ(layBlocksList.size(), 4u);
    EXPECT_EQ(getLayBlockById(99), nullptr);
    EXPECT_TRUE(notices.empty());
    write("data/layPuzzle-blocks.dat",
          "layBlocks {\n\ti = 3\n\tblock1 {\n\t\tid = 5\n\t\tdims = 500, -2\n\t\timg = \"gfx/none.png\"\n\t}\n"
          "\tblock2 {\n\t\tid = 5\n\t\tdims = 1, 3\n\t\timg = \"gfx/lp/tri.png\"\n\t\ttab0 = 1\n\t}\n}\n");
    loadLayBlocksData();
    ASSERT_EQ(layBlocksList.size(), 3u);
    EXPECT_EQ(layBlocksList[0]->rows, kLayMaxShapeSide);
    EXPECT_EQ(layBlocksList[0]->cols, 0);
    EXPECT_EQ(layBlocksList[0]->img, nullptr);
    EXPECT_EQ(getLayBlockById(5), layBlocksList[0]);  // the first of two with one id
    // A short row reads its missing values as holes.
    EXPECT_EQ(layBlocksList[1]->tab[0], (std::vector<int>{1, 0, 0}));
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].find("gfx/none.png"), std::string::npos);

    write("data/layPuzzle-blocks.dat", "");
    loadLayBlocksData();
    EXPECT_TRUE(layBlocksList.empty());
}

TEST_F(LPTest, AngleCompatibilityAndSectors) {
    TLayLevel l;
    struct Case {
        int a, t, fits;
    } cases[] = {{0, 0, 1},    {120, 0, 1},  {240, 0, 1},  {360, 0, 1}, {60, 0, 0},  {180, 0, 0},
                 {300, 0, 0},  {59, 0, 0},   {60, 60, 1},  {180, 60, 1}, {300, 60, 1}, {0, 60, 0},
                 {120, 60, 0}, {360, 60, 0}, {420, 60, 0}};
    for (const auto& c : cases) EXPECT_EQ(l.zgodneKaty(c.a, c.t), c.fits) << c.a << " in " << c.t;
    const std::pair<float, int> sectors[] = {{0, 0},     {49.9f, 0}, {50, 60},   {109.9f, 60}, {110, 120},
                                             {170, 180}, {230, 240}, {290, 300}, {349, 300},   {350, 0},
                                             {-1, 0}};
    for (const auto& [a, k] : sectors) EXPECT_EQ(l.getKier(a), k) << a;
}

TEST_F(LPTest, BoardLaysCellsOnTheTriangleGridAndSlidesUpFromBelow) {
    auto l = board(2, 3, 300, 300);
    struct Cell {
        int r, c, rot;
        float x, y;
    } cells[] = {{0, 0, 0, 300, 300},    {0, 1, 60, 317.5f, 291.5f}, {0, 2, 0, 332, 300},
                 {1, 0, 60, 301, 317.5f}, {1, 1, 0, 316, 326},        {1, 2, 60, 333, 317.5f}};
    for (const auto& c : cells) {
        SCOPED_TRACE(std::to_string(c.r) + "," + std::to_string(c.c));
        EXPECT_EQ(l->at(c.r, c.c)->rot, c.rot);
        EXPECT_FLOAT_EQ(l->at(c.r, c.c)->x, c.x);
        EXPECT_FLOAT_EQ(l->at(c.r, c.c)->y, c.y);
    }
    l->setPosition(0);
    EXPECT_FLOAT_EQ(l->at(0, 0)->y, 1000);
    EXPECT_FLOAT_EQ(l->at(1, 1)->x, 316);
}

TEST_F(LPTest, ClosestCellSearchesKeepTheirRadiiTiesAndAngles) {
    auto l = board(2, 3, 300, 300);
    struct Case {
        const char* what;
        float x, y, rot;
        int r, c;  // -1: none
    } cases[] = {
        {"exactly 20 px away", 280, 300, 0, -1, -1},
        {"just inside 20 px", 280.5f, 300, 0, 0, 0},
        {"a tie goes to the earlier cell", 308, 313, 0, 0, 0},
        {"an upright triangle skips the turned cell it lies on", 317, 292, 0, 0, 2},
        {"a turned triangle takes it", 317, 292, 60, 0, 1},
        {"360 degrees fits an upright cell", 316, 326, 360, 1, 1},
        {"no fitting angle", 300, 300, 30, -1, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        lpPlay().punkty.clear();
        auto d = l->getClosestDim(c.x, c.y, c.rot);
        if (c.r < 0) {
            EXPECT_EQ(d, nullptr);
            EXPECT_TRUE(lpPlay().punkty.empty());
            continue;
        }
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(int(d->h), c.r);
        EXPECT_EQ(int(d->w), c.c);
        EXPECT_FLOAT_EQ(d->x1, l->at(c.r, c.c)->x - c.x);
        EXPECT_FLOAT_EQ(d->y1, l->at(c.r, c.c)->y - c.y);
        EXPECT_EQ(d->x, float(int(l->at(c.r, c.c)->x)));
        ASSERT_EQ(lpPlay().punkty.size(), 1u);
    }
    // The near search: strictly under 8 px, first in grid order, any angle.
    EXPECT_EQ(l->getClosestDim2(308, 300, 0), nullptr);
    auto d = l->getClosestDim2(307.9f, 300, 0);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(int(d->w), 0);
    d = l->getClosestDim2(317, 292, 0);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(int(d->w), 1);
}

TEST_F(LPTest, PutBlockSnapsByTheFirstTriangleAndFillsFreeCellsOnly) {
    auto l = board(2, 3, 300, 300);
    // A pair, dropped 3 px off: the upright triangle finds (0, 0), the other (0, 1).
    auto pair = block(2, 311, 294);
    l->blocks.push_back(pair);
    ASSERT_EQ(l->putBlock(pair.get()), 1);
    EXPECT_EQ(pair->state, "PUT");
    EXPECT_FLOAT_EQ(pair->x, 308);
    EXPECT_FLOAT_EQ(pair->y, 296);
    EXPECT_TRUE(l->blocks.empty());
    EXPECT_EQ(l->at(0, 0)->wskaznik, getLayBlockById(2));
    EXPECT_EQ(l->at(0, 1)->wskaznik, getLayBlockById(2));
    EXPECT_EQ(l->at(0, 2)->wskaznik, nullptr);

    struct Fail {
        const char* what;
        int shape;
        float x, y, dir;
    } fails[] = {
        {"the nearest fitting cell is filled, though another lies as near", 1, 308, 313, 0},
        {"the second triangle lands on a filled cell", 3, 316, 309, 180},
        {"nothing near", 2, 600, 600, 0},
        {"a turn between steps fits no cell", 1, 316, 326, 30},
        {"a shape without triangles", 4, 316, 326, 0},
    };
    for (const auto& f : fails) {
        SCOPED_TRACE(f.what);
        auto b = block(f.shape, f.x, f.y, f.dir, "FREE-3");
        l->blocks.push_back(b);
        EXPECT_EQ(l->putBlock(b.get()), 0);
        EXPECT_EQ(b->state, "FREE-3");
        EXPECT_FLOAT_EQ(b->x, f.x);
        EXPECT_FLOAT_EQ(b->y, f.y);
        EXPECT_EQ(l->blocks.size(), 1u);
        EXPECT_EQ(l->at(1, 1)->wskaznik, nullptr);
        l->blocks.clear();
    }
    // A cell that is not part of the inlay is never filled.
    l->at(1, 1)->stan = 0;
    auto b = block(1, 316, 326);
    l->blocks.push_back(b);
    EXPECT_EQ(l->putBlock(b.get()), 0);
    EXPECT_EQ(l->_updateWin(), 0);
    for (auto [r, c] : {std::pair{0, 2}, {1, 0}, {1, 2}}) l->at(r, c)->wskaznik = getLayBlockById(1);
    EXPECT_EQ(l->_updateWin(), 1);  // every cell to fill is filled
}

TEST_F(LPTest, SpawnedBlocksFallLineUpOnTheShelfAndTheFifteenthLoses) {
    auto l = board(1, 1);
    l->createNewBlock();
    ASSERT_EQ(l->blocks.size(), 1u);
    auto first = l->blocks[0];
    EXPECT_EQ(first->state, "FREE");
    EXPECT_FLOAT_EQ(first->x, 80);
    EXPECT_FLOAT_EQ(first->y, -60);
    EXPECT_EQ(first->id, 1);
    EXPECT_EQ(lpPlay().statSpadniete, 1);
    frames(*l, 380);
    EXPECT_EQ(first->state, "FREE");
    EXPECT_FLOAT_EQ(first->y, 700);
    frames(*l, 1);
    EXPECT_EQ(first->state, "FREE-2");
    EXPECT_FLOAT_EQ(first->dx, 80);
    frames(*l, 1);
    EXPECT_EQ(first->state, "FREE-3");  // the first spot is the spawn x: no slide

    // Fourteen more land together and take 140, 200, ..., 920 in list order.
    for (int i = 0; i < 14; ++i) l->blocks.push_back(block(1, 80, 700));
    frames(*l, 1);
    for (size_t i = 0; i < l->blocks.size(); ++i) EXPECT_FLOAT_EQ(l->blocks[i]->dx, 80 + 60 * float(i)) << i;
    frames(*l, 167);
    EXPECT_EQ(l->_updateLose(), 0);  // the last is still sliding toward 920
    frames(*l, 1);
    EXPECT_FLOAT_EQ(l->blocks.back()->x, 920);
    EXPECT_EQ(l->_updateLose(), 1);

    // Picking the second closes the gap: the others land again from 80 upward.
    mouse.x = 500;
    mouse.y = 400;
    auto held = l->blocks[1];
    lpPlay().click = held;
    held->pick(0, 0);
    EXPECT_FLOAT_EQ(held->dClickP, 1);
    EXPECT_EQ(l->blocks[0]->state, "FREE");
    frames(*l, 1);
    std::vector<float> spots;
    for (auto& b : l->blocks)
        if (b != held) spots.push_back(b->dx);
    ASSERT_EQ(spots.size(), 14u);
    for (size_t i = 0; i < spots.size(); ++i) EXPECT_FLOAT_EQ(spots[i], 80 + 60 * float(i));
    frames(*l, 200);
    EXPECT_EQ(l->_updateLose(), 0);  // fourteen on the shelf end at 860
}

TEST_F(LPTest, SpawnTimerWaitsForItsDeadlineAndNeverMakesShapelessBlocks) {
    auto l = board(1, 1);
    l->blockTime = now + 5000;
    now += 5000;
    l->_updateNextBlock();
    EXPECT_TRUE(l->blocks.empty());
    now += 1;
    l->_updateNextBlock();
    ASSERT_EQ(l->blocks.size(), 1u);
    EXPECT_EQ(l->blockTime, now + 5000);
    l->_updateNextBlock();
    EXPECT_EQ(l->blocks.size(), 1u);

    // Shapes numbered other than 1..n: a block still gets a real shape.
    for (auto& s : layBlocksList) s->id += 10;
    for (int i = 0; i < 20; ++i) l->createNewBlock();
    for (auto& b : l->blocks) EXPECT_NE(b->bd, nullptr);

    // No shapes at all: nothing falls, and that is said once.
    layBlocksList.clear();
    notices.clear();
    const size_t before = l->blocks.size();
    for (int i = 0; i < 3; ++i) l->createNewBlock();
    EXPECT_EQ(l->blocks.size(), before);
    EXPECT_EQ(notices.size(), 1u);
    EXPECT_EQ(lpPlay().statSpadniete, 21);
}

TEST_F(LPTest, TurnsGoInSixtyDegreeStepsAndTheLongWayAcrossZero) {
    auto b = block(2, 300, 300, 0, "FREE-3");
    b->moveDir();
    EXPECT_FLOAT_EQ(b->dDir, 60);
    b->moveDir();  // still turning: ignored
    EXPECT_FLOAT_EQ(b->dDir, 60);
    int n = 0;
    while (b->dir != b->dDir && n < 100) {
        b->update();
        ++n;
    }
    EXPECT_EQ(n, 12);
    b->dir = b->dDir = 300;
    b->moveDir();
    EXPECT_FLOAT_EQ(b->dDir, 0);
    n = 0;
    while (b->dir != b->dDir && n < 100) {
        b->update();
        ++n;
    }
    EXPECT_EQ(n, 60);  // back through 300 degrees
    b->moveDir2(-1);
    EXPECT_FLOAT_EQ(b->dDir, 300);
    b->dir = 360;
    b->dDir = 420;
    b->checkDir();
    EXPECT_FLOAT_EQ(b->dir, 0);
    EXPECT_FLOAT_EQ(b->dDir, 60);
}

TEST_F(LPTest, HoverFollowsTheTrianglePixelsNotTheBox) {
    auto shape = getLayBlockById(1);
    shape->img = layPicture(32, 26, true, 16, 17);
    auto b = block(1, 300, 300, 0, "FREE-3");
    mouse.x = 300;
    mouse.y = 300;
    EXPECT_EQ(b->update(), 1);
    mouse.x = 300 - 16 + 1;  // the picture's top left corner, outside the triangle
    mouse.y = 300 - 17 + 1;
    EXPECT_EQ(b->over(), 0);
    mouse.x = 300;
    mouse.y = 311;  // just under the base: inside the copies shifted down
    EXPECT_EQ(b->over(), 1);
    mouse.x = 280;
    mouse.y = 312;  // by the left corner of the base
    EXPECT_EQ(b->over(), 1);
    // Turned half round, the apex points down and that corner is empty.
    b->dir = b->dDir = 180;
    EXPECT_EQ(b->over(), 0);
    mouse.x = 300;
    mouse.y = 288;  // where the turned base now lies
    EXPECT_EQ(b->over(), 1);
    // Placed blocks are not hovered.
    b->state = "PUT";
    mouse.y = 300;
    EXPECT_EQ(b->update(), 0);
}

TEST_F(LPTest, DropGoesToTheAnvilThenTheBoardThenBackToTheShelf) {
    auto l = board(2, 3, 300, 300);
    auto& v = lpPlay();
    auto& h = v.hammer;
    struct Case {
        const char* what;
        float x, y, mp, dmp;
        int result;
        const char* state;
        int rozbite, wlozone, upuszczone;
    } cases[] = {
        {"on the anvil with the hammer up", 850, 540, 1, 1, 1, "DESTROY", 1, 0, 0},
        {"on the anvil while the hammer rises: tried on the board", 850, 540, 0.5f, 1, 0, "FREE-3", 0, 0, 1},
        {"just outside the anvil", 840 + 64, 530, 1, 1, 0, "FREE-3", 0, 0, 1},
        {"into the inlay", 302, 301, 1, 1, 1, "PUT", 0, 1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        v.statRozbite = v.statWlozone = v.statUpuszczone = 0;
        h.mp = c.mp;
        h.dmp = c.dmp;
        auto b = block(1, c.x, c.y, 0, "FREE-3");
        b->dClickP = 1;
        l->blocks.push_back(b);
        EXPECT_EQ(b->put(), c.result);
        EXPECT_EQ(b->state, c.state);
        EXPECT_EQ(v.statRozbite, c.rozbite);
        EXPECT_EQ(v.statWlozone, c.wlozone);
        EXPECT_EQ(v.statUpuszczone, c.upuszczone);
        if (std::string(c.state) == "DESTROY") {
            EXPECT_FLOAT_EQ(b->x, 840);
            EXPECT_FLOAT_EQ(b->y, 530);
            EXPECT_FLOAT_EQ(h.dmp, 0);
        }
        if (c.result == 0) {
            EXPECT_FLOAT_EQ(b->x, c.x);
            EXPECT_FLOAT_EQ(b->dClickP, 0);  // it falls back unlifted
        }
        l->blocks.clear();
    }
}

TEST_F(LPTest, ABlockOnTheAnvilBurstsOnceTheHammerPassesSevenTenthsAndCannotBePicked) {
    auto l = board(1, 1);
    auto& h = lpPlay().hammer;
    h.mp = h.dmp = 1;
    auto b = block(1, 850, 540, 0, "FREE-3");
    l->blocks.push_back(b);
    lpPlay().click = b;
    ASSERT_EQ(b->put(), 1);
    mouse.x = 840;
    mouse.y = 530;
    EXPECT_EQ(b->update(), 0);  // under the mouse, but not to be picked again
    int frames = 0;
    while (!l->blocks.empty() && frames < 50) {
        h.update(1);
        b->update();
        ++frames;
    }
    EXPECT_EQ(frames, 4);  // 1 - 4 x 0.08 is the first value under 0.7
    EXPECT_TRUE(l->blocks.empty());
    EXPECT_EQ(lpPlay().click, nullptr);
    EXPECT_FALSE(particlesList.empty());
}

TEST_F(LPTest, HammerFallsInThirteenFramesAndRisesInFourHundred) {
    TLayHammer h;
    h.mp = h.dmp = 1;
    h.update(1);
    EXPECT_FLOAT_EQ(h.mRot, 0);
    h.dmp = 0;
    int fall = 0;
    while (h.mp > 0 && fall < 100) {
        h.update(1);
        ++fall;
        if (h.mp > 0) {
            EXPECT_FLOAT_EQ(h.dmp, 0);
            EXPECT_LT(h.mRot, 0);
        }
    }
    EXPECT_EQ(fall, 13);
    EXPECT_FLOAT_EQ(h.dmp, 1);
    EXPECT_FLOAT_EQ(h.mRot, -60);
    EXPECT_FALSE(h.kowadloOk());
    int rise = 0;
    while (h.mp < 1 && rise < 1000) {
        h.update(1);
        ++rise;
    }
    EXPECT_NEAR(rise, 400, 1);
    EXPECT_TRUE(h.kowadloOk());
    EXPECT_FLOAT_EQ(h.mRot, 0);
    // The ring pulses up and down in legs of 20 frames.
    TLayHammer ring;
    ring.update(1);  // at its target: the target flips first
    EXPECT_FLOAT_EQ(ring.dmle, 1);
    for (int i = 0; i < 19; ++i) ring.update(1);
    EXPECT_LT(ring.mle, 1);
    ring.update(1);
    EXPECT_FLOAT_EQ(ring.mle, 1);
    EXPECT_FLOAT_EQ(ring.dmle, 0);
    // The anvil's catch: strictly under 64 px from the smash point.
    EXPECT_TRUE(h.inKowadlo(840 + 63.9f, 530));
    EXPECT_FALSE(h.inKowadlo(840, 530 + 64));
}
