// What the play screen draws, read back from the headless recording: the panel's texts and
// their places, the chest frame, the bag with its dots, the held line's labels, and what
// each state leaves out.
#include "gui/text/type_style.h"
#include "test_play_support.h"

namespace {

using playtest::makeImage;
using playtest::PlayTest;

class PlayDrawTest : public PlayTest {
protected:
    void SetUp() override {
        PlayTest::SetUp();
        mainGame.chest[0] = playtest::makeStrip(200, 205, 7);
        mainGame.chest[1] = playtest::makeStrip(200, 205, 7);
        mainGame.worekPoint = makeImage(8, 8);
        mainGame.worek = makeImage(56, 56);
        for (auto& g : mainGame.gridImg) g = makeImage(50, 50);
    }
    void drawOnce() {
        ClearRecordedDraws();
        mainGame.draw();
    }
    std::vector<DrawCall> texts(const std::string& what) const {
        std::vector<DrawCall> out;
        for (const auto& d : RecordedDraws())
            if (d.kind == DrawCall::Text && d.what == what) out.push_back(d);
        return out;
    }
    // Image draws of one cell size at a spot.
    std::vector<DrawCall> imagesAt(float x, float y) const {
        std::vector<DrawCall> out;
        for (const auto& d : RecordedDraws())
            if (d.kind == DrawCall::Image && d.x == x && d.y == y) out.push_back(d);
        return out;
    }
};

TEST_F(PlayDrawTest, PanelShowsScoreTimeMistakesChestAndBag) {
    build({"#.", ".#"}, 4);
    mainGame.setState("NORMAL");
    profile->unlocked[PU_BAG] = 1;
    profile->kamienieWWorku = 2;
    profile->mistakes = 1;
    level->czas = 754;
    level->score = 25;
    mainGame.mnoznik = 2.5f;
    drawOnce();

    // Mistakes count bag stones and chest hits against both budgets, gold, centred (890, 367).
    auto mist = texts("Mistakes: 3/7");
    ASSERT_FALSE(mist.empty());
    const DrawCall& top = mist.back();
    EXPECT_EQ(top.x, 890 - 65);
    EXPECT_EQ(top.y, 367 - 10);
    EXPECT_EQ(top.r, 247);
    EXPECT_EQ(top.g, 222);
    EXPECT_EQ(top.b, 113);

    // Time 754 s: "12" ends at 905, ":" centred on 910, "34" starts at 915; top 65 - 10.
    auto mins = texts("12"), colon = texts(":"), secs = texts("34");
    ASSERT_EQ(mins.size(), 1u);
    ASSERT_EQ(colon.size(), 1u);
    ASSERT_EQ(secs.size(), 1u);
    EXPECT_EQ(mins[0].x, 905 - 20);
    EXPECT_EQ(colon[0].x, 910 - 5);
    EXPECT_EQ(secs[0].x, 915);
    EXPECT_EQ(mins[0].y, 55);

    // Score with its shadow, and the multiplier's whole part.
    auto score = texts("00000025");
    ASSERT_EQ(score.size(), 2u);
    EXPECT_EQ(score[1].x, 888 - 40);
    EXPECT_EQ(score[0].x, score[1].x + 1);
    auto mult = texts("x2");
    ASSERT_EQ(mult.size(), 1u);
    EXPECT_EQ(mult[0].x, 880);

    // Chest frame: 1 of 4 hits gives frame 1 (6 x 1 / 4 = 1.5, truncated), back and front.
    auto chest = imagesAt(789, 346);
    ASSERT_EQ(chest.size(), 2u);
    EXPECT_EQ(chest[0].frame, 1);
    EXPECT_EQ(chest[1].frame, 1);

    // One dot for the one free place in the bag.
    float bx = 0, by = 0;
    ASSERT_TRUE(mainGame.bonusPosition(PU_BAG, bx, by));
    EXPECT_EQ(imagesAt(bx - 15 + 8, by + 15).size(), 1u);
    EXPECT_TRUE(imagesAt(bx - 15 + 16, by + 15).empty());
}

TEST_F(PlayDrawTest, LockedBagShowsOnlyTheChestBudgetAndNoMultiplierAtOne) {
    build({"#."}, 3);
    profile->mistakes = 2;
    profile->kamienieWWorku = 0;
    mainGame.mnoznik = 1.0f;
    drawOnce();
    EXPECT_FALSE(texts("Mistakes: 2/3").empty());
    EXPECT_TRUE(texts("x1").empty());
    float bx = 0, by = 0;
    mainGame.bonusPosition(PU_BAG, bx, by);
    EXPECT_TRUE(imagesAt(bx, by).empty());
}

TEST_F(PlayDrawTest, StatesLeaveOutBoardOrChest) {
    struct Case {
        const char* state;
        bool chest;
        bool grid;
    };
    for (const Case k : {Case{"NORMAL", true, true}, Case{"WIN", true, false}, Case{"LOSE", false, true},
                         Case{"LOSE-END", false, true}}) {
        SCOPED_TRACE(k.state);
        build({"#."});
        mainGame.gridA = 1;
        mainGame.setState(k.state);
        drawOnce();
        EXPECT_EQ(!imagesAt(789, 346).empty(), k.chest);
        EXPECT_EQ(!imagesAt(cell(0, 0).x(), cell(0, 0).y()).empty(), k.grid);
    }
}

TEST_F(PlayDrawTest, GridIsBlackOnStageSeven) {
    for (int stage : {1, 7}) {
        build({"#"});
        profile->numerStageu = stage;
        mainGame.gridA = 1;
        mainGame.setState("NORMAL");
        drawOnce();
        auto at = imagesAt(cell(0, 0).x(), cell(0, 0).y());
        ASSERT_FALSE(at.empty());
        EXPECT_EQ(at.front().r, stage == 7 ? 0 : 255);
        EXPECT_FLOAT_EQ(at.front().alpha, 0.4f);
    }
}

TEST_F(PlayDrawTest, HeldLineLabelsStartAtTheDragStart) {
    build({"####"});
    mainGame.setState("NORMAL");
    struct Case {
        int from, to;
        int tool;
        std::vector<std::string> labels;  // left to right
        int red;
    };
    const Case cases[] = {
        {3, 0, 0, {"4", "3", "2", "1"}, 255},
        {0, 3, 0, {"1", "2", "3", "4"}, 255},
        {0, 2, 1, {"1", "2", "3"}, 255},
    };
    for (const auto& k : cases) {
        mainGame.startTile_ = nullptr;
        mainGame.setHand(k.tool);
        mainGame.holdOn(&cell(0, k.from));
        mainGame.holdOn(&cell(0, k.to));
        drawOnce();
        for (size_t i = 0; i < k.labels.size(); ++i) {
            auto drawn = texts(k.labels[i]);
            ASSERT_EQ(drawn.size(), 6u) << k.labels[i];  // shadow, four outline strokes, label
            const DrawCall& label = drawn.back();
            EXPECT_EQ(label.x, cell(0, int(i)).x() - 5);
            // Gold for the hand, the lit flag red for the hook.
            const TRGB& fill = k.tool == 1 ? typestyle::kHookRed : typestyle::kGold;
            EXPECT_EQ(label.r, fill.r);
            EXPECT_EQ(label.g, fill.g);
            EXPECT_EQ(label.b, fill.b);
        }
    }
}

TEST_F(PlayDrawTest, SpecArrowIsTwentyJoinedSegments) {
    ClearRecordedDraws();
    TRGB cyan;
    cyan.r = 0;
    cyan.g = 255;
    cyan.b = 255;
    mainGame._drawSpecArrow(0, 0, 100, 0, 50, 100, cyan);
    std::vector<DrawCall> lines;
    for (const auto& d : RecordedDraws())
        if (d.kind == DrawCall::Line) lines.push_back(d);
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(lines.front().x, 0);
    EXPECT_NEAR(lines.back().w + lines.back().x, 100, 1e-3);  // ends at (100, 0)
    EXPECT_EQ(lines.front().g, 255);
    EXPECT_EQ(lines.front().r, 0);
}

}  // namespace
