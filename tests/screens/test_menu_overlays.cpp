// The continue-or-new overlay and the casual-or-hard choice, driven by scripted clicks.
#include "menus_fixture.h"

#include "gui/frame/modal.h"
#include "screens/panels/popup.h"

namespace menutest {
namespace {

class OverlaysTest : public MenusTest {
protected:
    void SetUp() override {
        MenusTest::SetUp();
        SetEndHandler([](int code) { throw code; });
        openDisplay();
        write("gfx/gui/continueQuest/en/continue.gui",
              button("resume", "gfx/b/resume.png", 512, 300) + button("new", "gfx/b/new.png", 512, 360) +
                  button("exit", "gfx/b/exit.png", 512, 420));
        write("gfx/gui/pickFlow/en/pickFlow.gui",
              button("casual", "gfx/b/casual.png", 400, 430) + button("hard", "gfx/b/hard.png", 624, 430));
        mainMenu.txtAreYouSure2 = "Start over?";
        profileDialogs().yesOrNo = [this](const std::string& q, TEkran&) {
            questions.push_back(q);
            return answers.empty() ? 0 : answers[questions.size() - 1];
        };
    }
    void TearDown() override {
        SetEndHandler(nullptr);
        MenusTest::TearDown();
    }
    std::vector<ScriptCommand> clicks(std::vector<std::pair<int, std::pair<int, int>>> at) {
        std::vector<ScriptCommand> out;
        for (auto& [frame, xy] : at)
            for (auto& c : clickAt(frame, xy.first, xy.second)) out.push_back(c);
        return out;
    }
    std::vector<std::string> questions;
    std::vector<int> answers;
};

TEST_F(OverlaysTest, ContinueOrNewAnswersWithTheButtonsLastClicked) {
    const std::pair<int, int> resume{512, 300}, nowy{512, 360}, exitB{512, 420};
    struct Case {
        const char* what;
        std::vector<std::pair<int, std::pair<int, int>>> clicks;
        std::vector<int> answers;
        std::string result;
        size_t questions;
    } cases[] = {
        {"resume", {{25, resume}}, {}, "CONTINUE", 0},
        {"exit", {{25, exitB}}, {}, "", 0},
        {"new, yes", {{25, nowy}}, {1}, "NEW", 1},
        {"new, no, then exit", {{25, nowy}, {40, exitB}}, {0}, "", 1},
        {"new, no, then new, yes", {{25, nowy}, {40, nowy}}, {0, 1}, "NEW", 2},
        {"resume, then exit while fading out", {{25, resume}, {30, exitB}}, {}, "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        questions.clear();
        answers = c.answers;
        ResetHarness();
        HarnessStart(clicks(c.clicks), 400);
        EXPECT_EQ(continueQuest.mainLoop(), c.result);
        EXPECT_EQ(questions.size(), c.questions);
        for (const auto& q : questions) EXPECT_EQ(q, "Start over?");
        EXPECT_FLOAT_EQ(continueQuest.alpha, 0);
        EXPECT_FLOAT_EQ(continueQuest.fade, 0);
    }
}

TEST_F(OverlaysTest, ContinueOrNewFadesInDarkensToHalfAndEndsTheFrameItIsClear) {
    HarnessStart(clicks({{40, {512, 300}}}), 400);
    EXPECT_EQ(continueQuest.mainLoop(), "CONTINUE");
    const int frames = HarnessFrameNumber();
    // 20 frames to close after the click at 40: the last flip shows alpha 0.
    EXPECT_GE(frames, 58);
    EXPECT_LE(frames, 63);
}

TEST_F(OverlaysTest, CasualOrHardKeepsTheLastChoiceAndEndsTheTitleScreen) {
    auto p = makeProfile();
    HarnessStart(clicks({{25, {400, 430}}, {30, {624, 430}}}), 400);
    EXPECT_EQ(pickFlow.mainLoop(), "START-NEW-GAME");
    EXPECT_EQ(p->flowType, "HARD");
    EXPECT_FLOAT_EQ(pickFlow.fade, 1);
    EXPECT_FLOAT_EQ(mainMenu.fade, 1);
    EXPECT_FLOAT_EQ(mainMenu.dFade, 1);

    ResetHarness();
    HarnessStart(clicks({{25, {400, 430}}}), 400);
    EXPECT_EQ(pickFlow.mainLoop(), "START-NEW-GAME");
    EXPECT_EQ(p->flowType, "CASUAL");
}

TEST_F(OverlaysTest, CasualOrHardWithoutAPlayerGoesBackToTheMenu) {
    HarnessStart({}, 5);
    EXPECT_EQ(pickFlow.mainLoop(), "MAIN-MENU");
    EXPECT_EQ(HarnessFrameNumber(), 0);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].find("no current player"), std::string::npos);
}

// Whatever stands behind a shown overlay is dimmed by the one modal amount: the overlays
// that dim through their own fade and those that dim for themselves alike.
TEST_F(OverlaysTest, EveryOverlayDimsWhatIsBehindItByTheOneModalAmount) {
    auto p = makeProfile();
    auto dims = [] {
        int n = 0;
        for (const DrawCall& d : RecordedDraws())
            if (d.kind == DrawCall::Rect && d.w >= 1024 && d.h >= 768 && d.r + d.g + d.b == 0 &&
                d.alpha == kModalDim)
                ++n;
        return n;
    };
    continueQuest.prepare();
    pickFlow.prepare();
    struct Case {
        const char* what;
        TTitleOverlay* overlay;
    } cases[] = {{"continue or new", &continueQuest}, {"casual or hard", &pickFlow}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.overlay->alpha = c.overlay->dAlpha;
        c.overlay->fade = c.overlay->dFade;
        ClearRecordedDraws();
        c.overlay->draw();
        EXPECT_EQ(dims(), 1);
    }
    // A question asked over one of them dims it once more by the same amount.
    popUp.prepare("Start over?", &pickFlow, 1);
    ClearRecordedDraws();
    popUp.draw();
    EXPECT_EQ(dims(), 2);
}

}  // namespace
}  // namespace menutest
