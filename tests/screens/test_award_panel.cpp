// The award-granted panel: it grants as it opens, slides in over a screen that keeps
// drawing, takes clicks only once it stands still, and shows nothing for no award.
#include "menus_fixture.h"

#include "gui/text/type_style.h"
#include "screens/awards/give_award.h"

namespace menutest {
namespace {

// The screen that opened the panel: it only counts how often it was drawn.
class BackScreen : public TEkran {
public:
    int draws = 0;
    int draw() override {
        ++draws;
        SetColor(40, 80, 120);
        DrawRect(0, 0, 1024, 768);
        return 0;
    }
};

class AwardPanelTest : public MenusTest {
protected:
    void SetUp() override {
        MenusTest::SetUp();
        SetEndHandler([](int code) { throw code; });
        resetAwards();
        resetGiveAward();
        write("txt/en/giveAward.txt", "Award\nCongratulations!\nA new award is yours:\n");
        writePng("gfx/gui/giveAward/panel.png", 380, 440);
        write("gfx/gui/giveAward/en/giveAward.gui", button("ok", "gfx/b/ok.png", 400, 541, 140, 42));
        writePng("gfx/awards/medal.png", 120, 120);
        giveAward.setup();
        award = std::make_shared<TAwardRecord>();
        award->id = 18;
        award->title = "Skull and Bones";
        award->img = LoadImage(bDir + "gfx/awards/medal.png");
        MidHandleImage(award->img);
        awardsList.push_back(award);
        p = makeProfile();
    }
    void TearDown() override {
        SetEndHandler(nullptr);
        resetGiveAward();
        resetAwards();
        MenusTest::TearDown();
    }
    static const DrawCall* find(const std::string& what) {
        for (const auto& d : RecordedDraws())
            if (d.what.find(what) != std::string::npos) return &d;
        return nullptr;
    }
    std::shared_ptr<TAwardRecord> award;
    std::shared_ptr<FakeProfile> p;
    BackScreen back;
};

TEST_F(AwardPanelTest, NoAwardShowsNothingAndGrantsNothing) {
    openDisplay();
    HarnessStart({}, 100);
    ClearRecordedDraws();
    EXPECT_EQ(giveAward.mainLoop(nullptr, &back), 0);
    EXPECT_EQ(HarnessFrameNumber(), 0);
    EXPECT_EQ(back.draws, 0);
    EXPECT_TRUE(RecordedDraws().empty());
    EXPECT_TRUE(p->awardy.empty());
}

TEST_F(AwardPanelTest, GrantsOnOpeningAndClosesOnTheFirstClickAfterItStands) {
    openDisplay();
    // A click while it slides in (frame 8) is ignored; the one at frame 40 closes it; one
    // while it slides out (frame 50) changes nothing.
    std::vector<ScriptCommand> script = clickAt(8, 700, 100);
    for (auto c : clickAt(40, 700, 100)) script.push_back(c);
    for (auto c : clickAt(50, 400, 541)) script.push_back(c);
    HarnessStart(script, 400);
    EXPECT_EQ(giveAward.mainLoop(award, &back), 0);
    const int frames = HarnessFrameNumber();
    EXPECT_GE(frames, 58);
    EXPECT_LE(frames, 64);
    // The caller went on drawing behind the panel every frame.
    EXPECT_EQ(back.draws, frames);
    EXPECT_EQ(giveAward.ekran, &back);
    EXPECT_EQ(giveAward.alpha, 0);
    // The very definition object is held, once.
    ASSERT_EQ(p->awardy.size(), 1u);
    EXPECT_EQ(p->awardy[0], awardsList[0]);
    EXPECT_EQ(mouse.leftPressed, 0);

    // A repeatable award granted again is held twice.
    HarnessStart(clickAt(30, 700, 100), 400);
    giveAward.mainLoop(award, &back);
    ASSERT_EQ(p->awardy.size(), 2u);
    EXPECT_EQ(p->awardy[1], award);
    EXPECT_EQ(p->countAward(18), 2);
}

TEST_F(AwardPanelTest, SlidesFromAboveToItsPlace) {
    giveAward.prepare(award, &back);
    auto ok = giveAward.Gui->getItem("ok");
    ASSERT_TRUE(ok);
    struct Case {
        float alpha;
        float panelY;
        float buttonTop;
    } cases[] = {{0, -16, 120}, {1.0f / 3, 184, 320}, {1, 384, 520}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.alpha);
        giveAward.alpha = c.alpha;
        giveAward._updateGUI();
        EXPECT_NEAR(ok->dim->y1, c.buttonTop, 0.01);
        ClearRecordedDraws();
        giveAward.draw();
        const DrawCall* panel = find("giveAward/panel.png");
        ASSERT_TRUE(panel);
        EXPECT_FLOAT_EQ(panel->x, 400);
        EXPECT_NEAR(panel->y, c.panelY, 0.01);
        EXPECT_NEAR(panel->alpha, c.alpha, 1e-6);
        const DrawCall* medal = find("gfx/awards/medal.png");
        ASSERT_TRUE(medal);
        EXPECT_FLOAT_EQ(medal->x, 400);
        EXPECT_NEAR(medal->y, c.panelY, 0.01);
    }
    // Arrived: the name in the game's gold at y 264, the heading at 194, the caller first.
    EXPECT_EQ(back.draws, 3);
    const DrawCall* name = nullptr;
    for (const auto& d : RecordedDraws())
        if (d.kind == DrawCall::Text && d.what == award->title && d.r == typestyle::kGold.r &&
            d.g == typestyle::kGold.g && d.b == typestyle::kGold.b)
            name = &d;
    ASSERT_TRUE(name);
    EXPECT_FLOAT_EQ(name->y, 264);
    int headings = 0;
    for (const auto& d : RecordedDraws())
        if (d.kind == DrawCall::Text && d.what == "Congratulations!" && d.r == typestyle::kBody.r &&
            d.g == typestyle::kBody.g && d.b == typestyle::kBody.b) {
            EXPECT_FLOAT_EQ(d.y, 194);
            ++headings;
        }
    EXPECT_EQ(headings, 1);
}

TEST_F(AwardPanelTest, AnAwardWithoutPictureStillShowsItsTexts) {
    award->img = nullptr;
    giveAward.prepare(award, &back);
    giveAward.alpha = 1;
    ClearRecordedDraws();
    giveAward.draw();
    EXPECT_FALSE(find("gfx/awards/medal.png"));
    EXPECT_TRUE(find("Skull and Bones"));
    EXPECT_TRUE(find("Congratulations!"));
}

}  // namespace
}  // namespace menutest
