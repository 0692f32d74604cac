// Shape geometry, the board's lookup, fit test and snapping, picking and turning.
#include "pe_fixture.h"

#include "platform/collision.h"

namespace {

struct CellAt {
    float dir;
    int x0, y0, x1, y1;  // cells [0,0] and [0,1] from the origin
};

}  // namespace

TEST_F(PETest, DominoPivotAnglesAndDistancesFollowTheWorkedExample) {
    auto b = getBlockData(1);
    ASSERT_NE(b, nullptr);
    b->obliczKat();
    EXPECT_FLOAT_EQ(b->xo, 30);
    EXPECT_FLOAT_EQ(b->yo, 10);
    EXPECT_NEAR(b->katTab[0][0], 18.4349f, 1e-3);
    EXPECT_NEAR(b->odlTab[0][0], 31.6228f, 1e-3);  // pivot minus cell = (30, 10)
    EXPECT_NEAR(b->katTab[0][1], 135, 1e-3);  // pivot minus cell = (-10, 10)
    EXPECT_NEAR(b->odlTab[0][1], 14.1421f, 1e-3);
    const CellAt table[] = {
        {0, 60, 20, 20, 20}, {90, 20, 40, 20, 0}, {180, 0, 0, 40, 0}, {270, 39, -20, 40, 20}};
    const float x = 100, y = 0;
    for (const auto& t : table) {
        SCOPED_TRACE(t.dir);
        auto c0 = b->getDim(0, 0, x, y, t.dir);
        auto c1 = b->getDim(0, 1, x, y, t.dir);
        EXPECT_EQ(c0->x, int(x) + t.x0);
        EXPECT_EQ(c0->y, int(y) + t.y0);
        EXPECT_EQ(c1->x, int(x) + t.x1);
        EXPECT_EQ(c1->y, int(y) + t.y1);
    }
    // Running it again changes nothing.
    const auto kat = b->katTab;
    b->obliczKat();
    EXPECT_EQ(b->katTab, kat);
}

TEST_F(PETest, ShapeFileReadsKindsHolesAndBoundsItsSizes) {
    auto l = getBlockData(2);
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->rows, 2);
    EXPECT_EQ(l->cols, 2);
    EXPECT_TRUE(l->solid(0, 0));
    EXPECT_FALSE(l->solid(1, 1));
    EXPECT_EQ(l->tab[0][0], getPeTileData(1));
    EXPECT_EQ(getBlockData(99), nullptr);

    notices.clear();
    write("data/puzzleExpress-blocks.dat",
          "blocks {\n\ti = 100000\n\tblock1 {\n\t\tid = 7\n\t\ttabDim = 5000, -3\n\t}\n"
          "\tblock2 {\n\t\tid = 8\n\t\ttabDim = 1, 3\n\t\ttab0 = 1, 9\n\t}\n}\n");
    setupPEBlocks();
    EXPECT_EQ(int(blocksList.size()), kPEMaxKinds);
    auto big = getBlockData(7);
    EXPECT_EQ(big->rows, kPEMaxShapeSide);
    EXPECT_EQ(big->cols, 0);
    auto short8 = getBlockData(8);
    EXPECT_TRUE(short8->solid(0, 0));
    EXPECT_FALSE(short8->solid(0, 1));  // unknown kind: a hole
    EXPECT_FALSE(short8->solid(0, 2));  // past the values: a hole
    ASSERT_FALSE(notices.empty());
    EXPECT_NE(notices.back().find("no tile kind 9"), std::string::npos);
}

class PEBoardTest : public PETest {
protected:
    void SetUp() override {
        PETest::SetUp();
        // 2 x 3, cell [1,2] outside the field.
        write("l.lvl", peLevelText(2, 3, "\tfield {\n\t\trow0 = 1, 1, 1\n\t\trow1 = 1, 1, 0\n\t}\n",
                                   "\tblocks {\n\t\ti = 2\n\t\tbl1 = 1, 0, 0, 0, 1\n\t\tbl2 = 2, 0, 0, 0, 2\n\t}\n"));
        level = loadPuzzleExpressLevel(path("l.lvl"));
        level->setPosition(250, 140);
        pePlay().level = level;
        domino = level->blocks[0];
        ell = level->blocks[1];
    }
    // Moves the block so its cell [r, c] sits (dx, dy) off the centre of board cell [br, bc].
    void dropOn(const std::shared_ptr<TBlock>& b, int r, int c, int br, int bc, float dx = 0, float dy = 0) {
        float px = 0, py = 0;
        b->bd->cellAt(r, c, 0, 0, b->dir, px, py);
        b->x = level->at(br, bc)->x - px + dx;
        b->y = level->at(br, bc)->y - py + dy;
    }
    std::shared_ptr<TPELevel> level;
    std::shared_ptr<TBlock> domino, ell;
};

TEST_F(PEBoardTest, CellCentresAreCentredOnTheBoardAndLookupIsStrict) {
    // Grid centres centred on (502, 340): columns at 462, 502, 542; rows at 320, 360.
    EXPECT_FLOAT_EQ(level->at(0, 0)->x, 462);
    EXPECT_FLOAT_EQ(level->at(0, 0)->y, 320);
    EXPECT_FLOAT_EQ(level->at(1, 2)->x, 542);
    auto d = level->getRCFromXY(470, 330);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->x, 0);
    EXPECT_EQ(d->y, 0);
    EXPECT_EQ(d->w, 8);
    EXPECT_EQ(d->h, 10);
    EXPECT_EQ(level->getRCFromXY(482, 320), nullptr);  // exactly 20 away
    auto off = level->getRCFromXY(542, 360);           // outside the field, still found
    ASSERT_NE(off, nullptr);
    EXPECT_EQ(off->x, 2);
    EXPECT_EQ(off->y, 1);
}

TEST_F(PEBoardTest, FitTestRejectsOffFieldOccupiedAndMissedCellsAndChangesNothing) {
    struct Case {
        const char* what;
        float dir;
        int br, bc;  // where cell [0,0] goes
        float dx;
        bool fits;
    };
    // At angle 0 the domino's cell [0,1] lies one cell left of [0,0].
    const Case cases[] = {
        {"on the field", 0, 0, 1, 0, true},        {"off the grid", 0, 0, 0, 0, false},
        {"a cell outside the field", 0, 1, 2, 0, false}, {"too far from the centres", 0, 0, 1, 15, false},
        {"turned upright", 90, 1, 0, 0, true},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(t.what);
        level->cleanTileFromBlock(domino.get());
        domino->dir = domino->dDir = t.dir;
        dropOn(domino, 0, 0, t.br, t.bc, t.dx, t.dx);
        const float x0 = domino->x;
        EXPECT_EQ(level->checkPut(domino), t.fits ? 1 : 0);
        EXPECT_EQ(domino->onPlace, t.fits ? 1 : 0);
        if (!t.fits) {
            EXPECT_FLOAT_EQ(domino->x, x0);
            for (auto& row : level->tile)
                for (auto& cell : row) EXPECT_EQ(cell->wskaznik, nullptr);
        }
    }
}

TEST_F(PEBoardTest, DropSnapsOntoCellCentresAndOccupiedCellsRefuseAnother) {
    dropOn(domino, 0, 0, 0, 1, 7, -6);
    ASSERT_EQ(level->checkPut(domino), 1);
    EXPECT_EQ(level->at(0, 1)->wskaznik, domino);
    EXPECT_EQ(level->at(0, 0)->wskaznik, domino);
    float px = 0, py = 0;
    domino->bd->cellAt(0, 0, domino->x, domino->y, 0, px, py);
    EXPECT_NEAR(px, level->at(0, 1)->x, 1.0f);
    EXPECT_NEAR(py, level->at(0, 1)->y, 1.0f);

    // The L (its hole at the lower right of the table, so upper left on screen) over the
    // domino's cell is refused, also when it bears the domino's id.
    ell->id = domino->id;
    dropOn(ell, 0, 0, 1, 1);
    EXPECT_EQ(level->checkPut(ell), 0);
    ell->id = 2;
    // Turned a quarter, the L covers [0,0], [1,0] and [1,1]; its hole lies on [0,1], taken.
    level->cleanTileFromBlock(domino.get());
    dropOn(domino, 0, 0, 0, 2);
    ASSERT_EQ(level->checkPut(domino), 1);
    ell->dir = ell->dDir = 90;
    dropOn(ell, 0, 0, 1, 0);
    ASSERT_EQ(level->checkPut(ell), 1);
    EXPECT_TRUE(level->complete());
}

TEST_F(PEBoardTest, PickingUnlinksEveryCellOfTheIdAndCountsTheKindOfPick) {
    dropOn(domino, 0, 0, 0, 1);
    ASSERT_EQ(level->checkPut(domino), 1);
    auto twin = block(1, 0, 0, 0, domino->id);
    mouse.x = 10;
    mouse.y = 20;
    twin->click(1);  // another object with the domino's id
    EXPECT_EQ(level->at(0, 0)->wskaznik, nullptr);
    EXPECT_EQ(level->at(0, 1)->wskaznik, nullptr);
    EXPECT_EQ(domino->onPlace, 1);  // only the picked object is marked loose
    EXPECT_EQ(pePlay().statWyjete, 1);
    ell->click(1);
    EXPECT_EQ(pePlay().statPicked, 1);
    EXPECT_FLOAT_EQ(ell->adX, 10 - ell->x);
    EXPECT_FLOAT_EQ(ell->dClickedA, 1);
    ell->click(0);
    EXPECT_FLOAT_EQ(ell->dClickedA, 0);
    EXPECT_FLOAT_EQ(ell->adX, 0);
}

TEST_F(PEBoardTest, HeldBlockFollowsTheMouseAndHoverIsPixelPrecise) {
    mousePoint = solidImage(1, 1);
    float px = 0, py = 0;
    domino->bd->cellAt(0, 0, domino->x, domino->y, 0, px, py);
    mouse.x = int(px);
    mouse.y = int(py);
    EXPECT_EQ(domino->update(), 1);
    mouse.x = int(px) + 21;  // the gap right of the domino
    EXPECT_EQ(domino->update(), 0);
    auto hole = block(3, 0, 0, 0, 9);
    mouse.x = 20;
    mouse.y = 20;
    EXPECT_EQ(hole->update(), 0);  // a shape of holes is never hovered

    mouse.x = 300;
    mouse.y = 300;
    domino->click(1);
    pePlay().clickedBlock = domino;
    const float adX = domino->adX;
    mouse.x = 400;
    mouse.y = 350;
    domino->update();
    EXPECT_FLOAT_EQ(domino->x, 400 - adX);
    EXPECT_GT(domino->dOverA, 0);  // a held block glows
    mousePoint = nullptr;
}

TEST_F(PETest, TurnsEaseInEighteenFramesAndWrapOnlyWhenTheyPassTheTarget) {
    struct Turn {
        float from;
        bool clockwise;
        float d;
        float endDir;
    };
    const Turn turns[] = {
        {0, true, 1, 90},        // lands exactly on the target: no wrap needed
        {0, false, 1, -90},      // lands exactly: stays below 0 until a later turn
        {0, false, 0.7f, 270},   // passes the target: wrapped the long way
        {360, true, 0.7f, 90},   // 360 to 450, wrapped
    };
    for (const auto& t : turns) {
        SCOPED_TRACE(t.from);
        delta = t.d;
        auto b = block(1, 0, 0, t.from, 1);
        if (t.clockwise)
            b->rotate();
        else
            b->rotate2();
        int frames = 0;
        while (b->dir != b->dDir && frames < 100) {
            b->update();
            ++frames;
        }
        EXPECT_FLOAT_EQ(b->dir, t.endDir);
        EXPECT_FLOAT_EQ(b->dDir, t.endDir);
        if (t.d == 1) {
            EXPECT_EQ(frames, 18);
        }
    }
}
