// What each button kind does under the pointer, frame by frame at delta 1.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fixtures/widget_env.h"
#include "gui/widgets/button.h"

namespace {

using widgettest::WidgetEnv;

class ButtonBehaviour : public WidgetEnv {
protected:
    void SetUp() override {
        WidgetEnv::SetUp();
        writeImage("gfx/b.png", 40, 20);
        writeImage("gfx/steps.png", 160, 20);
    }
    // One frame with the pointer over the button (at 100, 100) or away from it.
    void frame(TButton& b, bool over, bool pressed = false, bool held = false) {
        if (over)
            pointer(100, 100, pressed, held);
        else
            pointer(900, 700, 0, held);
        b.update(0, 0);
    }
    std::shared_ptr<TButton> imageButton(int typ) {
        auto b = button("b", "gfx/b.png", 100, 100, 1, 1);
        b->_typ = typ;
        return b;
    }
};

TEST_F(ButtonBehaviour, ScaleTargetsPerType) {
    struct Case {
        int typ;
        float hoverTarget;
        bool pinnedWhileHeld;  // else only the click frame resets the scale
    };
    const Case cases[] = {
        {BT_SIMPLE, 1.1f, false},     {BT_TEXT_SPEC3, 1.3f, false}, {BT_TEXT, 1.1f, true},
        {BT_TEXT_SPEC4, 1.1f, true},  {BT_TEXT_SPEC5, 1.3f, true},  {BT_TEXT_SPEC6, 2.0f, true},
        {BT_TEXT_SPEC7, 1.1f, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.typ);
        auto b = imageButton(c.typ);
        frame(*b, true);
        EXPECT_NEAR(b->_buttonScale, 1.05f, 1e-5);
        for (int i = 0; i < 40; ++i) frame(*b, true);
        EXPECT_NEAR(b->_buttonScale, c.hoverTarget, 1e-5);
        frame(*b, true, true, true);  // click: back to 1, then one easing step
        EXPECT_NEAR(b->_buttonScale, 1.05f, 1e-5);
        frame(*b, true, false, true);  // held
        EXPECT_NEAR(b->_buttonScale, c.pinnedWhileHeld ? 1.05f : 1.1f, 1e-5);
        for (int i = 0; i < 40; ++i) frame(*b, false);
        EXPECT_NEAR(b->_buttonScale, 1.0f, 1e-5);
    }
}

TEST_F(ButtonBehaviour, GlowOpacityOfSpec2AndLight) {
    for (int typ : {BT_TEXT_SPEC2, BT_TEXT_LIGHT}) {
        SCOPED_TRACE(typ);
        auto b = imageButton(typ);
        b->_buttonAlpha = 0;
        for (int i = 0; i < 20; ++i) frame(*b, true);
        EXPECT_NEAR(b->_buttonAlpha, 0.4f, 1e-5);
        frame(*b, true, true, true);
        EXPECT_NEAR(b->_buttonAlpha, 0.65f, 1e-5);  // 0.7, eased one step back
        frame(*b, true);
        EXPECT_NEAR(b->_buttonAlpha, 0.6f, 1e-5);
        for (int i = 0; i < 20; ++i) frame(*b, false);
        EXPECT_NEAR(b->_buttonAlpha, 0.0f, 1e-5);
    }
}

TEST_F(ButtonBehaviour, BlendButtonFadesByBothSteps) {
    auto b = button1("b", "gfx/b.png", 100, 100, 1, 1);
    frame(*b, false);
    EXPECT_NEAR(b->_buttonAlpha, 0.92f, 1e-5);  // starts at 1, falls 0.03 + 0.05
    for (int i = 0; i < 20; ++i) frame(*b, false);
    frame(*b, true);
    EXPECT_NEAR(b->_buttonAlpha, 0.08f, 1e-5);
    frame(*b, true);
    EXPECT_NEAR(b->_buttonAlpha, 0.16f, 1e-5);
}

TEST_F(ButtonBehaviour, FourStepCrossFade) {
    auto b = fStepBlendButton("b", "gfx/steps.png", 100, 100, 0, 1, 1);
    frame(*b, true);
    EXPECT_EQ(b->_old4StepB, 0);
    EXPECT_EQ(b->_new4StepB, 1);
    EXPECT_NEAR(b->_newAlpha, 0.05f, 1e-5);
    for (int i = 0; i < 19; ++i) frame(*b, true);
    EXPECT_NEAR(b->_newAlpha, 1.0f, 1e-5);

    frame(*b, true, true, true);
    EXPECT_EQ(b->_old4StepB, 1);
    EXPECT_EQ(b->_new4StepB, 2);
    EXPECT_NEAR(b->_newAlpha, 0.05f, 1e-5);
    frame(*b, true, true, true);  // pressing again does not restart the fade
    EXPECT_NEAR(b->_newAlpha, 0.1f, 1e-5);

    b->setState(1, 0);
    frame(*b, true);
    EXPECT_EQ(b->_new4StepB, 3);  // inactive: never over, step 3
}

TEST_F(ButtonBehaviour, ZerkonButtonIsLockedUntilFull) {
    auto gui = layout("BUTTON power { TYP = FSTEP_BUTTON_ZERKON GFX = gfx/steps.png POSITION = \"100 100\" }");
    auto b = gui->getItemAs<TButton>("power");
    ASSERT_NE(b, nullptr);
    b->stan = 0.99f;
    pointer(100, 100, 1, 1);
    gui->update();
    EXPECT_EQ(b->_over + b->_clicked + b->_holded, 0);
    EXPECT_EQ(gui->_clicked, "");
    EXPECT_EQ(hovers, 0);
    b->stan = 1;
    gui->update();
    EXPECT_EQ(gui->_clicked, "power");
    EXPECT_EQ(gui->clickedItem("power"), 1);
}

TEST_F(ButtonBehaviour, LetterWaveWalksAlongTheCaption) {
    auto b = specTextButton1("w", "ab", fixed, 100, 100, nullptr, nullptr, 1, 1);
    b->dim = createDim(0, 0, 1024, 768);  // anywhere is over it
    struct Step {
        int frames;  // frames so far
        float chrN, s0, s1;
    };
    const Step steps[] = {
        {1, 0.08f, 1.16f, 1.0f},  {6, 0.48f, 1.96f, 1.0f}, {7, 0.56f, 1.38f, 1.0f},
        {12, 0.96f, 0.58f, 1.0f}, {13, 1.04f, 1.0f, 1.08f}, {20, 1.60f, 1.0f, 1.3f},
    };
    int done = 0;
    for (const auto& s : steps) {
        for (; done < s.frames; ++done) frame(*b, true);
        EXPECT_NEAR(b->_chrN, s.chrN, 1e-4) << s.frames;
        EXPECT_NEAR(b->_textScale[0], s.s0, 1e-4) << s.frames;
        EXPECT_NEAR(b->_textScale[1], s.s1, 1e-4) << s.frames;
    }
    for (; done < 30; ++done) frame(*b, true);
    EXPECT_LT(b->_chrN, 0.5f);  // started again at the first letter
    pointer(2000, 2000);
    b->update(0, 0);
    EXPECT_EQ(b->_chrN, 0);
    EXPECT_EQ(b->_textScale[0], 1);
    EXPECT_EQ(b->_textScale[1], 1);
}

TEST_F(ButtonBehaviour, LetterWaveSkipsBlanks) {
    auto b = specTextButton1("w", "a b", fixed, 100, 100, nullptr, nullptr, 1, 1);
    b->dim = createDim(0, 0, 1024, 768);
    b->_chrN = 0.95f;
    frame(*b, true);
    EXPECT_NEAR(b->_chrN, 2.03f, 1e-4);
    EXPECT_NEAR(b->_textScale[2], 1.06f, 1e-4);
    EXPECT_EQ(b->_textScale[1], 1);
}

class AnimButton : public ButtonBehaviour {
protected:
    void SetUp() override {
        ButtonBehaviour::SetUp();
        writeImage("gfx/anim.png", 50, 10);
    }
    std::string playing(const TButton& b) { return b._animData.animName[size_t(b.aktAnim)]; }
    void completeRun(TButton& b, bool over) {
        for (int i = 0; i < 4; ++i) {
            clock += 600;
            frame(b, over);
        }
    }
};

TEST_F(AnimButton, WithoutActiveTheNormalRunMustCompleteBeforeOver) {
    auto b = animButton("a", "gfx/anim.png", 100, 100, "NORMAL 1 2 OVER 3 4", 0, 1, 1);
    EXPECT_EQ(playing(*b), "NORMAL");
    frame(*b, true);
    EXPECT_EQ(playing(*b), "NORMAL");  // hovered, but the run is not complete
    clock += 600;
    frame(*b, true);  // frame 2
    clock += 600;
    frame(*b, true);  // wraps: complete
    EXPECT_EQ(b->_wykonano, 1);
    frame(*b, true);
    EXPECT_EQ(playing(*b), "OVER");
    frame(*b, false);
    EXPECT_EQ(playing(*b), "NORMAL");  // leaving starts NORMAL at once
    frame(*b, true, true, true);
    EXPECT_EQ(playing(*b), "NORMAL");  // a click starts nothing
}

TEST_F(AnimButton, ActiveDeclaredFirst) {
    auto b = animButton("a", "gfx/anim.png", 100, 100, "ACTIVE 5 NORMAL 1 2 OVER 3 4", 0, 1, 1);
    EXPECT_EQ(playing(*b), "NORMAL");
    frame(*b, true);
    EXPECT_EQ(playing(*b), "OVER");
    frame(*b, true, true, true);
    EXPECT_EQ(playing(*b), "ACTIVE");
    completeRun(*b, false);
    EXPECT_EQ(playing(*b), "NORMAL");

    // Hover and click reaching NORMAL in the same frame: ACTIVE, then OVER, which runs.
    auto c = animButton("c", "gfx/anim.png", 100, 100, "ACTIVE 5 NORMAL 1 2 OVER 3 4", 0, 1, 1);
    frame(*c, true, true, true);
    EXPECT_EQ(playing(*c), "OVER");
}

TEST_F(AnimButton, FramesAdvanceOnTheClockOnePerUpdate) {
    auto b = animButton("a", "gfx/anim.png", 100, 100, "NORMAL(100) 3 4 5", 0, 1, 1);
    EXPECT_EQ(b->currentAnimCell(), 2);
    clock += 99;
    frame(*b, false);
    EXPECT_EQ(b->aktFrame, 0);
    clock += 1000;  // late: still one frame
    frame(*b, false);
    EXPECT_EQ(b->aktFrame, 1);
    EXPECT_EQ(b->currentAnimCell(), 3);
}

TEST_F(AnimButton, InactiveButtonPlaysUnactive) {
    auto b = animButton("a", "gfx/anim.png", 100, 100, "NORMAL 1 2 UNACTIVE 5", 0, 1, 0);
    frame(*b, false);
    EXPECT_EQ(playing(*b), "UNACTIVE");
    b->_a = 1;
    completeRun(*b, false);
    EXPECT_EQ(playing(*b), "NORMAL");
}

}  // namespace
