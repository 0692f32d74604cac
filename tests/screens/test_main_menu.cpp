// The title screen: the logo's bounce, the buttons' slide, and where the play button leads.
#include <cmath>

#include "menus_fixture.h"

namespace menutest {
namespace {

class MainMenuTest : public MenusTest {};

TEST_F(MainMenuTest, LogoDropsFrom400AndBouncesLowerAndQuickerUntilItRests) {
    TMainMenu& m = mainMenu;
    m._prepareLogoJump();
    EXPECT_FLOAT_EQ(m.jump, 400);
    EXPECT_FLOAT_EQ(m.jSpeed, 0.06f);
    EXPECT_EQ(m.logoStart, now + 500);

    // Nothing moves before the logo's start.
    now += 499;
    m._updateJump();
    EXPECT_FLOAT_EQ(m.jumpPer, 1);
    EXPECT_FLOAT_EQ(m.jumpH, 0);

    now += 1;
    std::vector<float> peaks;
    std::vector<float> speeds;
    float lastJump = m.jump;
    float top = 0;
    for (int frame = 0; frame < 2000 && m.jump > 0; ++frame) {
        const float before = m.jump;
        m._updateJump();
        top = std::max(top, m.jumpH);
        if (m.jump != before) {
            // A bounce is cut only when the logo lands.
            EXPECT_FLOAT_EQ(m.jumpPer, 0) << "frame " << frame;
            peaks.push_back(m.jump);
            speeds.push_back(m.jSpeed);
            lastJump = m.jump;
        }
    }
    EXPECT_GT(top, 395);  // the first frame already moves 6 % of the way down
    const std::vector<float> wantPeaks = {160, 64, 25.6f, 10.24f, 4.096f, 1.6384f, 0};
    const std::vector<float> wantSpeeds = {0.09f, 0.135f, 0.2025f, 0.30375f, 0.455625f, 0.6834375f, 1};
    ASSERT_EQ(peaks.size(), wantPeaks.size());
    for (size_t i = 0; i < peaks.size(); ++i) {
        EXPECT_NEAR(peaks[i], wantPeaks[i], 1e-3f) << i;
        EXPECT_NEAR(speeds[i], wantSpeeds[i], 1e-5f) << i;
    }
    EXPECT_FLOAT_EQ(lastJump, 0);
    for (int i = 0; i < 20; ++i) m._updateJump();
    EXPECT_FLOAT_EQ(m.jumpH, 0);
}

TEST_F(MainMenuTest, SlidePositionRunsFromOffTheRightEdgeToItsColumn) {
    struct Case {
        float per, x;
    } cases[] = {{0, 1285}, {1, 735}, {0.5f, 735 + (1 - std::sqrt(0.5f)) * 550}, {1.0f / 3, 735 + 0.5f * 550}};
    for (const Case& c : cases) EXPECT_NEAR(TMainMenu::slideX(c.per), c.x, 1e-3f) << c.per;
}

TEST_F(MainMenuTest, ButtonsSlideInOneAfterAnotherAndAFifthWidgetStaysPut) {
    TMainMenu& m = mainMenu;
    m.Gui = createGui();
    for (const char* id : {"play", "options", "awards", "exit", "extra"}) {
        auto w = std::make_shared<TGuiObject>();
        w->_id = id;
        w->dim = createDim(500, 100, 10, 10);
        m.Gui->addItem(w);
    }
    auto& items = m.Gui->_listaObiektow;
    m._prepareLogoJump();
    m._updateGUI();
    for (int k = 0; k < 4; ++k) EXPECT_FLOAT_EQ(items[size_t(k)]->dim->x, 1285) << k;

    now = m.logoStart + 1;
    // Button k sets off only in the frame after button k - 1 passed half way.
    for (int frame = 1; frame <= 90; ++frame) {
        m._updateGUI();
        for (int k = 1; k < 4; ++k) {
            if (m.guiPer[size_t(k - 1)] < 0.5f) {
                EXPECT_FLOAT_EQ(m.guiPer[size_t(k)], 0) << frame << " " << k;
            }
        }
        for (int k = 0; k < 4; ++k)
            EXPECT_NEAR(items[size_t(k)]->dim->x, TMainMenu::slideX(m.guiPer[size_t(k)]), 1e-3f);
    }
    for (int k = 0; k < 4; ++k) {
        EXPECT_FLOAT_EQ(m.guiPer[size_t(k)], 1) << k;
        EXPECT_FLOAT_EQ(items[size_t(k)]->dim->x, 735) << k;
    }
    EXPECT_FLOAT_EQ(items[4]->dim->x, 500);

    // Space (the same preparation) puts every button back off the edge at once.
    m._prepareLogoJump();
    m._updateGUI();
    for (int k = 0; k < 4; ++k) EXPECT_FLOAT_EQ(items[size_t(k)]->dim->x, 1285) << k;
}

TEST_F(MainMenuTest, EveryMotionStopsExactlyOnItsTargetWithALargeFrameFactor) {
    TMainMenu& m = mainMenu;
    m._prepareLogoJump();
    now = m.logoStart + 1;
    delta = 7.3f;
    for (int i = 0; i < 200; ++i) {
        m._updateGUI();
        m._updateJump();
    }
    for (int k = 0; k < 4; ++k) EXPECT_FLOAT_EQ(m.guiPer[size_t(k)], 1);
    EXPECT_FLOAT_EQ(m.jump, 0);
    // The second cloud layer lands on its target and turns back in the same frame.
    m.skyA = 0.99f;
    m.dSkyA = 1;
    m._updateSky();
    EXPECT_FLOAT_EQ(m.skyA, 1);
    EXPECT_FLOAT_EQ(m.dSkyA, 0);
}

TEST_F(MainMenuTest, GreetingNamesTheCurrentPlayer) {
    TMainMenu& m = mainMenu;
    m.txtHello = "Welcome, stranger";
    m.txtHello1 = "Ahoy, ";
    m.txtHello2 = "!";
    m._prepareManagerButton();
    EXPECT_EQ(m.txtManager, "Welcome, stranger");
    makeProfile("Anna");
    m._prepareManagerButton();
    EXPECT_EQ(m.txtManager, "Ahoy, Anna!");
}

// goPlay with the two overlays answered by the test.
class RoutedMenu : public TMainMenu {
public:
    std::string continueAnswer, flowAnswer = "START-NEW-GAME";
    int continueAsked = 0, flowAsked = 0;
    std::string askContinue() override {
        ++continueAsked;
        return continueAnswer;
    }
    std::string askFlow() override {
        ++flowAsked;
        return flowAnswer;
    }
};

TEST_F(MainMenuTest, PlayRoutesByWhetherTheGameCanContinueAndTheOverlaysAnswer) {
    struct Case {
        const char* what;
        int canContinue;
        const char* overlay;
        const char* continueResult;
        int flowSequence;
        // expected
        int continueAsked, flowAsked;
        const char* wynik;
        float dFade;
        bool musicDown;
    } cases[] = {
        {"nothing to continue", 0, "", "", 0, 0, 1, "START-NEW-GAME", 1, false},
        {"continue", 1, "CONTINUE", "MAIN-GAME", 3, 1, 0, "MAIN-GAME", 1, true},
        {"continue a tutorial level", 1, "CONTINUE", "RESTART-LEVEL", 1, 1, 0, "RESTART-LEVEL", 1, true},
        {"continue without a game type", 1, "CONTINUE", "", 4, 1, 0, "RESTART-LEVEL", 1, true},
        {"continue before any entry", 1, "CONTINUE", "", 0, 1, 0, "GET-NEXT-LEVEL", 1, true},
        {"new game", 1, "NEW", "", 2, 1, 1, "START-NEW-GAME", 1, false},
        {"overlay closed", 1, "", "", 2, 1, 0, "", 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto p = makeProfile();
        p->continueFlag = c.canContinue;
        p->continueResult = c.continueResult;
        p->flowSequence = c.flowSequence;
        globalSnd.dNewPer = 1;
        globalSnd.dOldPer = 1;
        RoutedMenu m;
        m.continueAnswer = c.overlay;
        m.goPlay();
        EXPECT_EQ(m.continueAsked, c.continueAsked);
        EXPECT_EQ(m.flowAsked, c.flowAsked);
        EXPECT_EQ(m.wynik, c.wynik);
        EXPECT_FLOAT_EQ(m.dFade, c.dFade);
        EXPECT_EQ(globalSnd.dNewPer == 0, c.musicDown);
    }
}

TEST_F(MainMenuTest, FirstStartAsksForANameOnlyOnceTheFadeInHasEnded) {
    write("txt/en/mainMenu.txt", "Ahoy, \n!\nWelcome aboard\n\n\n\n\n\n\nQuit?\nNew?\n");
    int askedAtFrame = -1;
    profileDialogs().menuRefresh = [] { mainMenu._prepareManagerButton(); };
    profileDialogs().enterName = [&](TEkran& screen, const std::string&, int32_t, const std::string&) {
        askedAtFrame = HarnessFrameNumber();
        EXPECT_EQ(mainMenu.fade, 0);
        EXPECT_EQ(mainMenu.txtManager, "Welcome aboard");
        (void)screen;
        mainMenu.wynik = "END";
        mainMenu.dFade = 1;  // leave right after, as the exit button would
        return std::string("Anna");
    };
    HarnessStart({}, -1);
    frameClock();
    EXPECT_EQ(mainMenu.mainLoop(), "END");
    // fSpeed 0.02: the fade-in takes 50 frames.
    EXPECT_GE(askedAtFrame, 47);
    EXPECT_LE(askedAtFrame, 53);
    ASSERT_TRUE(profileManager.profile);
    EXPECT_EQ(profileManager.profile->name, "Anna");
    EXPECT_EQ(mainMenu.txtManager, "Ahoy, Anna!");
}

class MenuLoopTest : public MainMenuTest {
protected:
    void SetUp() override {
        MainMenuTest::SetUp();
        SetEndHandler([](int code) { throw code; });
        write("txt/en/mainMenu.txt", "Ahoy, \n!\nWelcome aboard\n\n\n\n\n\n\nQuit?\nNew?\n");
        write("gfx/gui/mainMenu/en/mainMenu.gui",
              button("play", "gfx/b/play.png", 1285, 330) + button("options", "gfx/b/options.png", 1285, 400) +
                  button("awards", "gfx/b/awards.png", 1285, 470) + button("exit", "gfx/b/exit.png", 1285, 540));
        makeProfile("Anna");
        profileDialogs().yesOrNo = [this](const std::string& q, TEkran&) {
            questions.push_back(q);
            return answer;
        };
        openDisplay();
    }
    void TearDown() override {
        SetEndHandler(nullptr);
        MainMenuTest::TearDown();
    }
    std::vector<std::string> questions;
    int answer = 0;
};

TEST_F(MenuLoopTest, ButtonsAnswerOnlyOnceTheFadeInHasEnded) {
    RoutedMenu m;
    // Play clicked while the screen still fades in (frame 45) does nothing; at frame 100
    // it opens the choice, and the screen then fades out.
    std::vector<ScriptCommand> script = clickAt(45, 860, 330);  // the button slides past here
    for (auto& c : clickAt(100, 735, 330)) script.push_back(c);
    HarnessStart(script, 600);
    EXPECT_EQ(m.mainLoop(), "START-NEW-GAME");
    EXPECT_EQ(m.flowAsked, 1);
    EXPECT_GE(HarnessFrameNumber(), 145);
}

TEST_F(MenuLoopTest, ExitAsksFirstAndEndsOnlyOnYes) {
    RoutedMenu m;
    std::vector<ScriptCommand> script = clickAt(100, 735, 540);
    for (auto& c : clickAt(130, 735, 540)) script.push_back(c);
    HarnessStart(script, 600);
    int asked = 0;
    profileDialogs().yesOrNo = [&](const std::string& q, TEkran&) {
        questions.push_back(q);
        return ++asked == 2 ? 1 : 0;  // no, then yes
    };
    EXPECT_EQ(m.mainLoop(), "END");
    EXPECT_EQ(questions, (std::vector<std::string>{"Quit?", "Quit?"}));
    EXPECT_EQ(m.flowAsked + m.continueAsked, 0);
}

TEST_F(MainMenuTest, NoPlayerMeansNoOverlayAndNoRoute) {
    RoutedMenu m;
    m.goPlay();
    EXPECT_EQ(m.flowAsked + m.continueAsked, 0);
    EXPECT_EQ(m.wynik, "");
    EXPECT_FLOAT_EQ(m.dFade, 0);
}

}  // namespace
}  // namespace menutest
