// The screen base: eased values with their speeds, the layout hooks, the grab and the
// dialogue hook.
#include "app/ekran.h"

#include "app_fixture.h"
#include "gui/core/gui.h"
#include "gui/core/guiobject.h"

namespace {

class EkranTest : public AppTest {};

TEST_F(EkranTest, StepRuleReachesTargetsExactlyFromEitherSide) {
    const struct {
        float v, t, s, d, want;
    } cases[] = {
        {0.98f, 1.0f, 0.05f, 3.0f, 1.0f},   // a slow frame stops on the target, not beyond
        {0.0f, 1.0f, 0.05f, 1.0f, 0.05f},   // one step up
        {1.0f, 0.0f, 0.05f, 1.0f, 0.95f},   // one step down
        {0.02f, 0.0f, 0.05f, 1.0f, 0.0f},   // overshoot below is caught too
        {0.5f, 0.5f, 0.05f, 5.0f, 0.5f},    // on the target: stays
        {0.99f, 1.5f, 0.05f, 20.0f, 1.5f},  // targets beyond 0..1 are reached, not clamped
        {0.0f, -0.5f, 0.05f, 20.0f, -0.5f},
    };
    for (const auto& c : cases) {
        float v = c.v;
        easeToward(v, c.t, c.s, c.d);
        EXPECT_EQ(v, c.want) << c.v << " -> " << c.t << " speed " << c.s << " delta " << c.d;
    }
}

TEST_F(EkranTest, FadesTakeTwentyFramesAndProgressTwoHundred) {
    TEkran s;
    EXPECT_EQ(s.id, "Screen Object");
    EXPECT_EQ(s.alpha, 1.0f);
    EXPECT_EQ(s.fade, 0.0f);
    EXPECT_EQ(s.p, 0.0f);
    s.alpha = 0;
    s.dFade = 1;
    s.dp = 1;
    delta = 1;
    int alphaFrames = 0, fadeFrames = 0, pFrames = 0;
    for (int frame = 1; frame <= 300; ++frame) {
        s._updateAlpha();
        s._updateFade();
        s._updatePer();
        if (!alphaFrames && s.alpha == 1.0f) alphaFrames = frame;
        if (!fadeFrames && s.fade == 1.0f) fadeFrames = frame;
        if (!pFrames && s.p == 1.0f) pFrames = frame;
    }
    EXPECT_EQ(alphaFrames, 20);
    EXPECT_EQ(fadeFrames, 20);
    // 0.005 has no exact 32-bit float: the 200th sum lands a hair short of 1.
    EXPECT_GE(pFrames, 200);
    EXPECT_LE(pFrames, 201);
}

TEST_F(EkranTest, TargetReversedWhileRisingFallsNextFrameAndEndsAtZero) {
    TEkran s;
    s.alpha = 0;
    s.dAlpha = 1;
    delta = 1;
    for (int i = 0; i < 5; ++i) s._updateAlpha();
    float risen = s.alpha;
    s.dAlpha = 0;
    s._updateAlpha();
    EXPECT_LT(s.alpha, risen);
    for (int i = 0; i < 10; ++i) s._updateAlpha();
    EXPECT_EQ(s.alpha, 0.0f);
    EXPECT_EQ(s.dAlpha, 0.0f);
}

TEST_F(EkranTest, LayoutWidgetsFollowTheScreensOpacity) {
    TEkran s;
    s._updateGui();  // no layout: nothing to do, nothing drawn
    s._drawGui();
    EXPECT_TRUE(RecordedDraws().empty());

    s.Gui = std::make_shared<TGui>();
    auto a = std::make_shared<TGuiObject>();
    auto b = std::make_shared<TGuiObject>();
    a->_alpha = b->_alpha = 1;
    s.Gui->_listaObiektow = {a, b};
    s.alpha = 0.25f;
    s._updateGui();
    for (auto& w : {a, b}) {
        EXPECT_FLOAT_EQ(w->_alpha, 0.25f);
        EXPECT_FLOAT_EQ(w->_dAlpha, 0.25f);
    }
}

TEST_F(EkranTest, FadeCoversThePictureInBlackAtTheFadeLevel) {
    ASSERT_TRUE(Graphics(1280, 800, 0, 60));
    SetAspectResolution(1024, 768, 3);
    TEkran s;
    s.fade = 0.4f;
    ClearRecordedDraws();
    s._drawFade();
    ASSERT_EQ(RecordedDraws().size(), 1u);
    const DrawCall& r = RecordedDraws()[0];
    EXPECT_EQ(r.kind, DrawCall::Rect);
    EXPECT_EQ(r.w, 1024);
    EXPECT_EQ(r.h, 768);
    EXPECT_FLOAT_EQ(r.alpha, 0.4f);
    EXPECT_EQ(r.r + r.g + r.b, 0);
}

TEST_F(EkranTest, ScreenGrabIsOneShortOfThePicture) {
    ASSERT_TRUE(Graphics(1024, 768, 0, 60));
    SetAspectResolution(1024, 768, 3);
    TEkran s;
    TImage shot = s._getMyScreen();
    EXPECT_EQ(ImageWidth(shot), 1023);
    EXPECT_EQ(ImageHeight(shot), 767);
}

TEST_F(EkranTest, DialogueOpensOnlyWhenTheProfileHasOne) {
    std::vector<std::string> asked;
    std::vector<int> shown;
    TEkran s;
    SetDialogService(
        [&](const std::string& which) {
            asked.push_back(which);
            return which == "END" ? 7 : 0;
        },
        [&](TEkran& over, int n) {
            EXPECT_EQ(&over, &s);
            shown.push_back(n);
        });
    s.checkDialogs("BEGIN");
    s.checkDialogs("END");
    EXPECT_EQ(asked, (std::vector<std::string>{"BEGIN", "END"}));
    EXPECT_EQ(shown, std::vector<int>{7});
    SetDialogService(nullptr, nullptr);
}

}  // namespace
