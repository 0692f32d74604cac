// The pop-up question and notice over another screen, answered by click and key.
#include "panels_fixture.h"

namespace paneltest {
namespace {

const std::pair<int, int> kYes{512, 440}, kNo{512, 488};

TEST_F(PanelsTest, PopUpAnswers) {
    struct Case {
        const char* what;
        int withNo;
        std::vector<ScriptCommand> script;
        int answer;
        int frame;  // the frame that answered: a key is read right after its flip, a click by the
                    // next frame's layout update
    } cases[] = {
        {"question, Enter", 1, {key(10, "ENTER")}, 1, 10},
        {"question, Escape", 1, {key(10, "ESCAPE")}, 0, 10},
        {"question, yes clicked", 1, clickAt(10, kYes.first, kYes.second), 1, 11},
        {"question, no clicked", 1, clickAt(10, kNo.first, kNo.second), 0, 11},
        {"question, Enter and Escape together: yes first", 1, {key(10, "ESCAPE"), key(10, "ENTER")}, 1, 10},
        {"notice, Enter", 0, {key(10, "ENTER")}, 1, 10},
        {"notice, Escape still closes it", 0, {key(10, "ESCAPE")}, 0, 10},
        // A notice's one answer stands where a question's "no" stands; nothing is left where
        // a question's "yes" stands.
        {"notice, its answer clicked in the place of no", 0, clickAt(10, kNo.first, kNo.second), 1, 11},
        {"notice, nothing answers in the place of yes", 0,
         join({clickAt(10, kYes.first, kYes.second), {key(20, "ENTER")}}), 1, 20},
        {"keys before the box opened are flushed", 1, {key(0, "ESCAPE"), key(0, "ENTER"), key(8, "ESCAPE")}, 0, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ResetHarness();
        ResetInputState();
        beneath.draws = 0;
        HarnessStart(c.script, 100);
        const int start = HarnessFrameNumber();
        EXPECT_EQ(popUp.mainLoop("Leave the ship?", &beneath, c.withNo), c.answer);
        EXPECT_EQ(HarnessFrameNumber(), c.frame);
        // Shown complete from the first frame, over a screen that keeps drawing.
        EXPECT_EQ(beneath.draws, HarnessFrameNumber() - start);
        EXPECT_EQ(popUp.noButton()->_v, c.withNo);
        EXPECT_EQ(popUp.noButton()->_a, c.withNo);
        EXPECT_EQ(popUp.t1()->_txt, "Leave the ship?");
    }
}

TEST_F(PanelsTest, PopUpIsDrawnOverTheScreenBeneathAndLeavesInputAsItWas) {
    HarnessStart({key(3, "ENTER"), key(3, "SPACE")}, 100);
    EXPECT_EQ(yesOrNo("Sure?", &beneath), 1);
    // The panel at its corner, then the text, in the frame that answered.
    bool panel = false;
    for (const auto& d : RecordedDraws())
        if (d.kind == DrawCall::Image && d.what.find("popUp/panel.png") != std::string::npos) {
            panel = true;
            EXPECT_FLOAT_EQ(d.x, 265);
            EXPECT_FLOAT_EQ(d.y, 215);
            EXPECT_FLOAT_EQ(d.alpha, 1);
        }
    EXPECT_TRUE(panel);
    // Nothing is flushed on the way out: the caller still sees the other key.
    EXPECT_EQ(KeyHit(KEY_SPACE), 1);

    // No screen given: the box over the cleared frame alone.
    ResetHarness();
    HarnessStart({key(2, "ESCAPE")}, 100);
    EXPECT_EQ(showInfo("Alone", nullptr), 0);
}

TEST_F(PanelsTest, PopUpWithAnIncompleteLayoutIsReportedAndStillAnswersKeys) {
    writePopUpLayout(false, false, false);
    popUp.setup();
    ASSERT_EQ(notices.size(), 3u);
    EXPECT_NE(notices[0].find("t1"), std::string::npos);
    EXPECT_NE(notices[1].find("yes"), std::string::npos);
    EXPECT_NE(notices[2].find("no"), std::string::npos);

    HarnessStart({key(5, "ENTER")}, 100);
    EXPECT_EQ(yesOrNo("A plain question", &beneath), 1);
    // The message is still shown, by the box itself.
    bool text = false;
    for (const auto& d : RecordedDraws())
        if (d.kind == DrawCall::Text && d.what.find("question") != std::string::npos) text = true;
    EXPECT_TRUE(text);

    // No layout file at all.
    std::filesystem::remove(dir / "gfx/gui/popUp/en/popUp.gui");
    resetPopUp();
    ResetHarness();
    HarnessStart({key(4, "ESCAPE")}, 100);
    EXPECT_EQ(yesOrNo("Still?", nullptr), 0);
}

TEST_F(PanelsTest, AClickThatAnsweredOneCallNeverAnswersTheNext) {
    HarnessStart(join({clickAt(5, kYes.first, kYes.second), {key(30, "ESCAPE")}}), 100);
    EXPECT_EQ(yesOrNo("First?", &beneath), 1);
    EXPECT_EQ(yesOrNo("Second?", &beneath), 0);
    EXPECT_EQ(HarnessFrameNumber(), 30);
}

}  // namespace
}  // namespace paneltest
