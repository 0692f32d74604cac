// Sea creatures through the real play screen: placed after a move, collected by a right
// move, each kind paying its bonus when its flight ends; lost by a wrong move; a seahorse
// still paying out when the level is lost does not keep the lose screen away. And the
// creature kinds read from "data/livings.dat", bad counts and missing pictures included.
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "effects/flying_tresure.h"
#include "effects/living.h"
#include "effects/odpad.h"
#include "gui/globals.h"
#include "screens/play/special_tip.h"
#include "test_play_support.h"

namespace {

using playtest::PlayTest;

class LivingsTest : public PlayTest {
protected:
    void SetUp() override {
        PlayTest::SetUp();
        SeedRnd(11);
        installPlayLivingHost();
        installEffects();
        mainGame.hintAnim = playtest::makeStrip(80, 54, 8);
        MidHandleImage(mainGame.hintAnim);
        for (int id = 1; id <= 4; ++id) {
            auto t = std::make_shared<TTresureData>();
            t->id = id;
            for (auto& i : t->normalImg) i = playtest::makeImage(20, 20);
            tresuresList.push_back(t);
        }
    }
    void TearDown() override {
        tresuresList.clear();
        PlayTest::TearDown();
    }
    std::shared_ptr<TLivingData> kind(int id) {
        auto k = std::make_shared<TLivingData>();
        k->id = id;
        k->frames = 6;
        k->animFrames = 8;
        for (int s = 0; s < 5; ++s) {
            k->img[size_t(s)] = playtest::makeStrip(50, 50, 6);
            k->animImg[size_t(s)] = playtest::makeStrip(50, 50, 8);
        }
        return k;
    }
    // A creature of kind `id` on cell (r, c) of the level being played.
    std::shared_ptr<TLiving> place(int id, int r, int c) {
        auto l = createLiving(kind(id), level->tileAt(r, c));
        level->livings.push_back(l);
        return l;
    }
    void playLevel(const std::vector<std::string>& picture, int maxMistakes = 3) {
        build(picture, maxMistakes);
        start();
        ASSERT_TRUE(runUntilState("NORMAL"));
    }
};

TEST_F(LivingsTest, MovesPlaceCreaturesOnUntouchedCellsAtFivePercent) {
    livingList = {kind(3), kind(5)};
    playLevel({"#....", "#####"});
    int placed = 0;
    for (int i = 0; i < 400; ++i) {
        mainGame.checkLivings();
        placed = int(level->livings.size());
    }
    // Ten cells: about 5 % of 400 moves find a kind, until every cell holds one.
    EXPECT_GE(placed, 5);
    EXPECT_LE(placed, 10);
    EXPECT_GE(mainGame.allLivingsN, placed);
    EXPECT_EQ(level->byloZwierzatko, 1);
    EXPECT_GE(services.count("living"), placed);
    for (const auto& l : level->livings) EXPECT_EQ(l->tile.lock()->_living, l);
    // A tutorial level never gets one.
    level->tutorialLevel = 1;
    const int before = mainGame.allLivingsN;
    for (int i = 0; i < 200; ++i) mainGame.checkLivings();
    EXPECT_EQ(mainGame.allLivingsN, before);
}

TEST_F(LivingsTest, EachKindPaysWhenItsFlightEnds) {
    struct Case {
        int id;
        bool hintSpent;  // shell: a spent slot to give back
        float mnoznik;
        int score;       // the bonus points, beyond the 25 of the move
        int maxMistakes;
        bool slotBack;
    };
    const Case cases[] = {
        {1, false, 2.0f, 0, 3, false},    // starfish: the multiplier
        {3, false, 1.0f, 1000, 3, false}, // turtle
        {4, false, 1.0f, 500, 3, false},  // shell, no hint used: points
        {4, true, 1.0f, 0, 3, true},      // shell: the spent slot comes back
        {5, false, 1.0f, 0, 4, false},    // crab: one more mistake allowed
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        playLevel({"##...", "#####"});
        if (c.hintSpent) {
            runFrames(30);
            moveTo(840, 700);  // slot 2
            press(1);
            frame();
            release(1);
            runFrames(150);  // the hint's cells are resolved, the slot's glow is gone
        }
        TTile* target = nullptr;
        for (auto& t : level->tile)
            if (!target && t->isPicture() && t->state.empty()) target = t.get();
        ASSERT_TRUE(target);
        auto l = place(c.id, target->r, target->c);
        const int scoreBefore = level->score;
        click(*target);
        ASSERT_EQ(l->start, 1);
        EXPECT_EQ(level->livingsCount, 1);
        EXPECT_FALSE(target->_living);
        for (int i = 0; i < 200 && !l->_dead; ++i) frame();
        EXPECT_TRUE(l->_dead);
        frame();
        EXPECT_TRUE(level->livings.empty());
        EXPECT_FLOAT_EQ(mainGame.mnoznik, c.mnoznik);
        EXPECT_EQ(level->score - scoreBefore, 25 + c.score);
        EXPECT_EQ(level->maxMistakes, c.maxMistakes);
        if (c.slotBack) {
            EXPECT_EQ(mainGame.hintUsed[2], 0);
            EXPECT_EQ(level->hintUsed[2], 0);
            EXPECT_FLOAT_EQ(mainGame.dhintT[2], 1);
        }
        EXPECT_EQ(services.count("HO_ok"), 1);
        services.sounds.clear();
        mainGame.finish();
    }
}

TEST_F(LivingsTest, SeahorseSendsFiveTreasuresToThePile) {
    playLevel({"##...", "#####"});
    auto l = place(2, 1, 1);
    click(cell(1, 1));
    const size_t before = level->flyingTresures.size();
    for (int i = 0; i < 200 && !l->_dead; ++i) frame();
    EXPECT_TRUE(l->_dead);
    EXPECT_EQ(level->flyingTresures.size(), before + 5);
}

TEST_F(LivingsTest, WrongMoveLosesTheCreatureWithoutBonus) {
    playLevel({"##...", "#####"});
    auto l = place(3, 0, 3);
    click(cell(0, 3));  // an empty cell uncovered: a mistake
    EXPECT_FALSE(cell(0, 3)._living);
    EXPECT_TRUE(level->livings.empty());
    EXPECT_EQ(fx::live(listaOdpadow), 1u);
    runFrames(200);
    EXPECT_EQ(level->score, 0);
    EXPECT_EQ(l->start, 0);
}

TEST_F(LivingsTest, LostLevelWithASeahorseStillPayingReachesTheLoseScreen) {
    playLevel({"##...", "#####"}, 0);
    auto l = place(2, 1, 0);
    click(cell(0, 2));  // a mistake with no hit to spare: its stone is on the way
    int k = 0;
    for (; mainGame.state == "NORMAL" && k < 300; ++k) frame();
    // Once more, with the seahorse collected so that it pays out just after the loss.
    ASSERT_GT(k, 80);
    playLevel({"##...", "#####"}, 0);
    l = place(2, 1, 0);
    click(cell(0, 2));
    runFrames(k - 73);
    click(cell(1, 0));
    ASSERT_EQ(l->start, 1);
    ASSERT_TRUE(runUntilState("LOSE", 60));
    EXPECT_EQ(std::count(l->all.begin(), l->all.end(), 1), 0);
    ASSERT_GT(runToEnd(3000), 0) << mainGame.state << " treasures " << fx::live(level->flyingTresures);
    EXPECT_TRUE(l->_dead);
    EXPECT_EQ(loseShown, 1);
    EXPECT_EQ(mainGame.wynik, "RESTART-LEVEL");
}

// ---- the data file ------------------------------------------------------------------------

class LivingsFileTest : public ::testing::Test {
protected:
    std::filesystem::path dir;
    void SetUp() override {
        InitPlatform(true);
        resetLivings();
        dir = std::filesystem::path(::testing::TempDir()) / "zerkon_livings";
        std::filesystem::create_directories(dir / "data");
        std::filesystem::create_directories(dir / "gfx");
        bDir = dir.string() + "/";
    }
    void TearDown() override {
        resetLivings();
        bDir.clear();
        std::filesystem::remove_all(dir);
    }
    void write(const std::string& text) { std::ofstream(dir / "data" / "livings.dat") << text; }
    void strip(const std::string& name, int w, int h) {
        Pixmap pm;
        pm.width = w;
        pm.height = h;
        pm.pixels.assign(size_t(w) * size_t(h), 0xFF808080u);
        ASSERT_TRUE(SavePixmapPNG(pm, (dir / "gfx" / name).string()));
    }
};

TEST_F(LivingsFileTest, KindsStripsAndBadCounts) {
    for (int s = 0; s < 5; ++s) {
        strip("star_" + std::to_string(s) + ".png", 300, 50);
        strip("star-idle-" + std::to_string(s) + ".png", 400, 50);
    }
    // The crab's strips are missing and its counts are 0: it loads, with nothing to draw.
    write("livings {\n i = 2\n l1 {\n  id = 1\n  frames = 6\n  animFrames = 8\n"
          "  img = \"gfx/star\"\n  anim = \"gfx/star-idle\"\n  animY = -4\n }\n"
          " l2 {\n  id = 5\n  frames = 0\n  img = \"gfx/crab\"\n  anim = \"gfx/crab-idle\"\n }\n}\n");
    setupLivings();
    ASSERT_EQ(livingList.size(), 3u);  // the starfish twice
    EXPECT_EQ(livingList[0], livingList[1]);
    const auto& star = *livingList[0];
    EXPECT_EQ(ImageWidth(star.img[0]), 50);
    EXPECT_EQ(ImageFrames(star.img[0]), 6);
    EXPECT_EQ(ImageFrames(star.animImg[4]), 8);
    EXPECT_FLOAT_EQ(star.animY, -4);
    const auto& crab = *livingList[2];
    EXPECT_EQ(crab.frames, 1);
    EXPECT_EQ(crab.animFrames, 1);
    EXPECT_FALSE(crab.img[0]);
    EXPECT_EQ(getLivingDataById(5), livingList[2]);
    // A creature of the crab draws and flies without pictures.
    TLiving l;
    l.ld = livingList[2];
    l.draw();
    l.start = 1;
    l.drawUse();
}

TEST_F(LivingsFileTest, MissingFileMeansNoCreatures) {
    setupLivings();
    EXPECT_TRUE(livingList.empty());
}

}  // namespace

// ---- the tip bubble ---------------------------------------------------------------------------

namespace {

class TipBubbleTest : public playtest::PlayTest {
protected:
    void SetUp() override {
        PlayTest::SetUp();
        TSpecialTip::texts = {"Uncover this tile!", "Break this tile!"};
        TSpecialTip::font = CreateFixedFont(10, 20);
    }
};

TEST_F(TipBubbleTest, RefusedMoveOnATaskCellShowsTheBubbleInTheCellsQuarter) {
    build({"#.", "##"});
    start();
    ASSERT_TRUE(runUntilState("NORMAL"));
    cell(0, 1).zadanie = "UNCOVER";
    click(cell(0, 1), 2);  // the hook's break on a cell that must be uncovered
    ASSERT_TRUE(mainGame.specialTip);
    EXPECT_EQ(mainGame.specialTip->textN, 0);
    const bool right = cell(0, 1).x() >= 512, low = cell(0, 1).y() >= 384;
    EXPECT_FLOAT_EQ(mainGame.specialTip->x, right ? 750 : 150);
    EXPECT_FLOAT_EQ(mainGame.specialTip->y, low ? 600 : 150);
    EXPECT_EQ(cell(0, 1).state, "");  // refused
    // A second refusal replaces it, starting from nothing.
    runFrames(10);
    cell(1, 0).zadanie = "BROKE";
    click(cell(1, 0), 1);
    ASSERT_TRUE(mainGame.specialTip);
    EXPECT_EQ(mainGame.specialTip->textN, 1);
    EXPECT_LT(mainGame.specialTip->alpha, 0.2f);
    runFrames(30);
    EXPECT_FLOAT_EQ(mainGame.specialTip->alpha, 1);
    // Four seconds, then 20 frames of fading, and it is gone.
    runFrames(4000 / 17 - 30);
    ASSERT_TRUE(mainGame.specialTip);
    runFrames(25);
    EXPECT_FALSE(mainGame.specialTip);
}

TEST_F(TipBubbleTest, LeftClickSendsItAwayAndTheQuarterTable) {
    build({"#"});
    start();
    ASSERT_TRUE(runUntilState("NORMAL"));
    TTile& t = cell(0, 0);
    struct Case {
        float x, y, bx, by;
    };
    for (const Case& c : {Case{100, 100, 150, 150}, Case{512, 100, 750, 150}, Case{100, 384, 150, 600},
                          Case{512, 384, 750, 600}}) {
        t.dim->x = c.x;
        t.dim->y = c.y;
        TSpecialTip tip;
        tip.countPosition(t);
        EXPECT_FLOAT_EQ(tip.x, c.bx);
        EXPECT_FLOAT_EQ(tip.y, c.by);
    }
    mainGame.showTipToBroke(t);
    runFrames(5);
    moveTo(600, 700);
    press(1);
    frame();
    release(1);
    runFrames(25);
    EXPECT_FALSE(mainGame.specialTip);
}

}  // namespace
