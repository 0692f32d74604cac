// What one cell draws in each state of its move, the highlights over it, its editor look
// and the tutorial light, read back from the recorded draws of the headless backend.
#include <functional>
#include <string>
#include <vector>

#include "test_board_draw_support.h"

using namespace boardtest;

namespace {

class CellDraw : public DrawBoard {
protected:
    // One cell alone on a level of size class 0, laid out.
    TTile& lone(bool picture, bool withTreasure = false) {
        buildSized({picture ? "#" : "."}, 0, withTreasure);
        return cell(0, 0);
    }
    static const DrawCall& draw(size_t i) { return RecordedDraws().at(i); }
};

struct StateCase {
    const char* what;
    bool picture;
    bool treasure;
    std::function<void(TTile&)> setUp;
    std::vector<std::string> drawn;  // image names in order
    int lastFrame;                   // frame of the last draw (-1: nothing drawn)
};

TEST_F(CellDraw, EachStateDrawsItsOwnGraphics) {
    const std::vector<StateCase> cases = {
        {"covered picture", true, false, [](TTile&) {}, {"cover-50"}, 0},
        {"covered empty cell", false, false, [](TTile&) {}, {"cover-50"}, 0},
        {"treasure not yet under the opening cover", true, true,
         [](TTile& t) { t.animTime = 6; }, {"cover-50"}, 6},
        {"treasure plays over the last cover frames", true, true,
         [](TTile& t) { t.animTime = 8.5f; }, {"cover-50", "treasure-50"}, 2},
        {"stone under an empty cell's last cover frames", false, false,
         [](TTile& t) { t.animTime = 5; }, {"cover-50", "stone-50"}, 3},
        {"picture cell broken by mistake shows its broken picture", true, false,
         [](TTile& t) {
             t.setOdkrytyData(0, 1);
             t.animTime = 3;
         },
         {"picB-50"}, 0},
        // The wrong move's mark is there from the first frame, under the opening cover.
        {"empty cell uncovered by mistake: its mark under the opening cover", false, false,
         [](TTile& t) {
             t.setState(tilestate::ROZBIJ_3);
             t.animTime = 4;
         },
         {"emptyB-50", "cover-50"}, 4},
        {"empty cell uncovered by mistake keeps its mark", false, false,
         [](TTile& t) {
             t.setState(tilestate::ROZBIJ_3);
             t.setState(tilestate::ROZBITY);
         },
         {"emptyB-50"}, 0},
        {"empty cell restored as uncovered by mistake keeps its mark", false, false,
         [](TTile& t) { t.setOdkrytyData(1, 1); }, {"emptyB-50"}, 0},
        {"opened empty cell shows the board", false, false,
         [](TTile& t) { t.setOdkrytyData(1, 0); }, {}, -1},
        {"opened picture", true, false, [](TTile& t) { t.setOdkrytyData(1, 0); }, {"pic-50"}, 0},
        {"opened picture restored with its treasure", true, true,
         [](TTile& t) { t.setOdkrytyData(1, 0); }, {"pic-50", "treasure-50"}, 0},
    };
    for (const StateCase& k : cases) {
        SCOPED_TRACE(k.what);
        SetUp();
        TTile& t = lone(k.picture, k.treasure);
        k.setUp(t);
        ClearRecordedDraws();
        t.draw();
        EXPECT_EQ(names(), k.drawn);
        if (k.lastFrame >= 0 && !RecordedDraws().empty()) {
            EXPECT_EQ(RecordedDraws().back().frame, k.lastFrame);
            EXPECT_FLOAT_EQ(RecordedDraws().back().x, t.x());
            EXPECT_FLOAT_EQ(RecordedDraws().back().y, t.y());
        }
    }
}

TEST_F(CellDraw, TreasureAppearsFromItsFirstFrameOnceTheCoverPassesSix) {
    TTile& t = lone(true, true);
    ASSERT_EQ(t.odkryj(0), 50);
    float before = -1;
    bool seen = false;
    for (int i = 0; i < 40 && !seen; ++i) {
        before = t.animTime;
        frame();
        ClearRecordedDraws();
        t.draw();
        for (const DrawCall& d : RecordedDraws()) {
            if (nameOf(d) != "treasure-50") continue;
            seen = true;
            EXPECT_GT(t.animTime, 6.0f);
            EXPECT_LE(before, 6.0f) << "shown late";
            EXPECT_EQ(d.frame, 0);
            EXPECT_EQ(d.blend, ALPHABLEND);
            EXPECT_FLOAT_EQ(d.alpha, 1);
        }
    }
    EXPECT_TRUE(seen);
}

TEST_F(CellDraw, OpenedPictureFadesInWithItsOpacity) {
    TTile& t = lone(true);
    t.setState(tilestate::ODKRYJ_TILES);
    t.odkryty = 1;
    t.alpha = 0.8f;
    for (float a : {0.25f, 0.5f, 1.0f}) {
        t.odkrA = a;
        ClearRecordedDraws();
        t.draw();
        ASSERT_EQ(names(), std::vector<std::string>{"pic-50"});
        EXPECT_NEAR(draw(0).alpha, a * 0.8f, 1e-5f);
    }
}

TEST_F(CellDraw, CellStateIsSetBeforeItsImages) {
    TTile& t = lone(false);
    t.scale = 0.75f;
    t.rotation = 30;
    t.alpha = 0.6f;
    SetColor(10, 20, 30);
    SetBlend(LIGHTBLEND);
    t.draw();
    ASSERT_EQ(RecordedDraws().size(), 1u);
    EXPECT_FLOAT_EQ(draw(0).scaleX, 0.75f);
    EXPECT_FLOAT_EQ(draw(0).rotation, 30);
    EXPECT_FLOAT_EQ(draw(0).alpha, 0.6f);
    EXPECT_EQ(draw(0).blend, ALPHABLEND);
    EXPECT_EQ(draw(0).r + draw(0).g + draw(0).b, 3 * 255);
}

TEST_F(CellDraw, FlyingCellLeavesItsDrawingToTheCopy) {
    TTile& t = lone(true);
    int token = 0;
    t._flyingTile = reinterpret_cast<TFlyingTile*>(&token);
    dplay.over = &t;
    t.draw();
    EXPECT_TRUE(RecordedDraws().empty());
}

TEST_F(CellDraw, HoverFrameOnlyWhileNoLineIsHeld) {
    TTile& t = lone(true);
    dplay.over = &t;
    t.draw();
    ASSERT_EQ(names(), (std::vector<std::string>{"cover-50", "over-50"}));
    // The frame keeps its own palette colours: drawn untinted.
    const DrawCall& frameDraw = draw(1);
    EXPECT_EQ(frameDraw.r, 255);
    EXPECT_EQ(frameDraw.g, 255);
    EXPECT_EQ(frameDraw.b, 255);
    EXPECT_EQ(frameDraw.frame, 0);

    dplay.held = &t;
    ClearRecordedDraws();
    t.draw();
    EXPECT_EQ(names(), std::vector<std::string>{"cover-50"});

    // Another cell under the mouse: this one gets no frame.
    dplay.held = nullptr;
    TTile other;
    dplay.over = &other;
    ClearRecordedDraws();
    t.draw();
    EXPECT_EQ(names(), std::vector<std::string>{"cover-50"});
}

TEST_F(CellDraw, SpecialHoverFrameIgnoresTheCellsScaleAndAlpha) {
    TTile& t = lone(true);
    SetScale(2, 2);
    SetAlpha(0.1f);
    t.drawSPEcOver();
    ASSERT_EQ(names(), std::vector<std::string>{"over-50"});
    EXPECT_FLOAT_EQ(draw(0).scaleX, 1);
    EXPECT_FLOAT_EQ(draw(0).alpha, 1);
    int r, g, b;
    GetColor(r, g, b);
    EXPECT_EQ(r + g + b, 3 * 255);
}

TEST_F(CellDraw, HighlightAddsTheCellsOwnLookWithLight) {
    // Covered: the cover once more, added at 0.3 of the cell's alpha.
    TTile& t = lone(true);
    t.alpha = 0.5f;
    t.drawOverBlend();
    ASSERT_EQ(names(), std::vector<std::string>{"cover-50"});
    EXPECT_EQ(draw(0).blend, LIGHTBLEND);
    EXPECT_NEAR(draw(0).alpha, 0.15f, 1e-5f);

    // Opened picture: itself again, then a faint light copy.
    t.setOdkrytyData(1, 0);
    t.alpha = 1;
    t.odkrA = 1;
    ClearRecordedDraws();
    t.drawOverBlend();
    ASSERT_EQ(names(), (std::vector<std::string>{"pic-50", "pic-50"}));
    EXPECT_EQ(draw(0).blend, ALPHABLEND);
    EXPECT_FLOAT_EQ(draw(0).alpha, 1);
    EXPECT_EQ(draw(1).blend, LIGHTBLEND);
    EXPECT_NEAR(draw(1).alpha, 0.15f, 1e-5f);

    // Opened empty cell: nothing to light.
    SetUp();
    TTile& e = lone(false);
    e.setOdkrytyData(1, 0);
    e.drawOverBlend();
    EXPECT_TRUE(RecordedDraws().empty());
}

TEST_F(CellDraw, TutorialLightOnlyOnTutorialLevels) {
    TTile& t = lone(true);
    t.lightUPa = 0.5f;
    t.draw();
    EXPECT_EQ(names(), std::vector<std::string>{"cover-50"});

    level->tutorialLevel = 1;
    ClearRecordedDraws();
    t.draw();
    ASSERT_EQ(names(), (std::vector<std::string>{"cover-50", "rect"}));
    const DrawCall& light = draw(1);
    EXPECT_EQ(light.blend, LIGHTBLEND);
    EXPECT_NEAR(light.alpha, 0.2f, 1e-5f);
    EXPECT_FLOAT_EQ(light.x, t.x() - 25);
    EXPECT_FLOAT_EQ(light.y, t.y() - 25);
    EXPECT_FLOAT_EQ(light.w, 50);
    EXPECT_FLOAT_EQ(light.h, 50);
    EXPECT_EQ(GetBlend(), ALPHABLEND);
}

TEST_F(CellDraw, TutorialLightEasesInTwentyUpdatesAndBackFromWhereItGot) {
    TTile& t = lone(true);
    t.lightMeUp();
    for (int i = 0; i < 19; ++i) t.updateTutorial();
    EXPECT_LT(t.lightUPa, 1.0f);
    t.updateTutorial();
    EXPECT_FLOAT_EQ(t.lightUPa, 1.0f);

    t.lightMeDown();
    t.lightMeUp();
    t.lightMeDown();
    for (int i = 0; i < 5; ++i) t.updateTutorial();
    EXPECT_NEAR(t.lightUPa, 0.75f, 1e-5f);
    for (int i = 0; i < 20; ++i) t.updateTutorial();
    EXPECT_FLOAT_EQ(t.lightUPa, 0.0f);
}

TEST_F(CellDraw, GhostOfAFilledCellUsesPictureRecordOne) {
    TTile& t = lone(false);
    t.alpha = 0.8f;
    SetScale(3, 3);
    t.drawPosibility();
    ASSERT_EQ(names(), std::vector<std::string>{"pic-50"});
    EXPECT_EQ(draw(0).blend, LIGHTBLEND);
    EXPECT_NEAR(draw(0).alpha, 0.4f, 1e-5f);
    EXPECT_FLOAT_EQ(draw(0).scaleX, 1);
}

TEST_F(CellDraw, EditorShowsTheSolutionAtLastFrames) {
    buildSized({"#."}, 1, true);
    cell(0, 0).draweditor();
    cell(0, 1).draweditor();
    ASSERT_EQ(names(), (std::vector<std::string>{"pic-36", "treasure-36", "cover-36"}));
    EXPECT_EQ(draw(0).frame, 0);
    EXPECT_EQ(draw(1).frame, kTreasureFrames - 1);
    EXPECT_EQ(draw(2).frame, kCoverFrames - 1);
}

TEST_F(CellDraw, GreyFieldIsAHalfBlackSquareOfThePicture) {
    TTile& t = lone(true);
    t._drawGreyField();
    ASSERT_EQ(names(), std::vector<std::string>{"rect"});
    EXPECT_EQ(draw(0).r + draw(0).g + draw(0).b, 0);
    EXPECT_FLOAT_EQ(draw(0).alpha, 0.5f);
    EXPECT_FLOAT_EQ(draw(0).w, 50);
}

}  // namespace
