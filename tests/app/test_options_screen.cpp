// The options screen over its callers: which buttons it offers, what each returns, the
// switches and volume steps it writes to the settings file when it closes, the sliders.
#include <cmath>

#include "app/app_fixture.h"
#include "app/options_screen/options_screen.h"
#include "gui/core/gui.h"
#include "gui/core/guiobject.h"
#include "gui/data/qcmfile.h"

namespace {

const char* const kWidgets[] = {"on",     "off",    "onW",    "offW",    "onC",      "offC",
                                "plus1",  "minus1", "plus2",  "minus2",  "ok",       "credits",
                                "restart", "mainMenu", "backToMap", "rules"};

class OptionsScreen : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        resetOptionsScreen();
        // Back to the clock that follows the flips, so fades take their 20 frames.
        InitPlatform(true);
        bDir = dir.string() + "/";
        lang = "en";
        myDocsFolder = (dir / "user").string();
        std::filesystem::create_directories(dir / "user" / "Data");
        writeImage("gfx/b.png", 40, 20);
        writeImage("gfx/gui/options/pasek.png", 395, 18);
        writeImage("gfx/gui/options/bar.png", 415, 28);
        writeImage("gfx/gui/options/suwak.png", 30, 40);
        // Every widget in its own row so a click hits exactly one.
        std::string layout;
        int y = 20;
        for (const char* name : kWidgets) {
            layout += std::string("BUTTON ") + name + " { GFX = gfx/b.png POSITION = \"40 " +
                      std::to_string(y) + "\" }\n";
            y += 40;
        }
        write("gfx/gui/options/en/options.gui", layout);
        // A 1024 x 768 window whatever an earlier case left open: picture = virtual space.
        Graphics(1024, 768, 0, 60);
        SetDisplayOpener([this](int w, int h, int depth, int) {
            opened.push_back({w, h, depth});
            return true;
        });
        options.fullScreen = 0;
        options.wideScreen = 0;
        options.customCursor = 1;
        options.musicVol = 0.5f;
        options.soundVol = 0.5f;
        options.openScreen();
        opened.clear();
        options.setup();
        SetOptionsGameScreens({&miniGame, &playScreen}, &playScreen);
    }
    void TearDown() override {
        resetOptionsScreen();
        AppTest::TearDown();
    }

    void writeImage(const std::string& rel, int w, int h) { writePng(rel, w, h, 0xFF808080u); }
    std::shared_ptr<TGuiObject> widget(const std::string& name) { return options.Gui->getItem(name); }
    bool shown(const std::string& name) {
        auto w = widget(name);
        return w && w->_v == 1 && w->_a == 1;
    }
    // Script commands that click a widget of the layout at a frame.
    std::vector<ScriptCommand> clickOn(const std::string& name, int frame) {
        auto w = widget(name);
        EXPECT_TRUE(w) << name;
        if (!w) return {};
        const int x = int(w->dim->x1 + w->dim->x2) / 2, y = int(w->dim->y1 + w->dim->y2) / 2;
        return {{frame, "move", {std::to_string(x), std::to_string(y)}, 1},
                {frame + 1, "click", {"left"}, 2}};
    }
    std::string settingsText() { return read(settingsPath()); }
    float setting(const std::string& key) {
        return loadQCMFile(settingsPath())->getFloat("settings::" + key, 0);
    }

    struct Mode {
        int w, h, depth;
    };
    std::vector<Mode> opened;
    TEkran mainMenu, miniGame, playScreen;
};

TEST_F(OptionsScreen, ButtonsOfferedDependOnTheCaller) {
    struct Case {
        const char* caller;
        TEkran* screen;
        bool credits, restart, mainMenu, backToMap, rules;
    } cases[] = {
        {"main menu", &mainMenu, true, false, false, false, false},
        {"mini-game", &miniGame, false, true, true, true, false},
        {"play screen", &playScreen, false, true, true, true, true},
        {"main menu again", &mainMenu, true, false, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caller);
        options.prepare(c.screen);
        EXPECT_EQ(shown("credits"), c.credits);
        EXPECT_EQ(shown("restart"), c.restart);
        EXPECT_EQ(shown("MAINMENU"), c.mainMenu);
        EXPECT_EQ(shown("backToMap"), c.backToMap);
        EXPECT_EQ(shown("rules"), c.rules);
        EXPECT_EQ(options.alpha, 0);
        EXPECT_EQ(options.dAlpha, 1);
        EXPECT_FLOAT_EQ(options.dFade, 0.5f);
        EXPECT_EQ(options.ekran, c.screen);
    }
}

TEST_F(OptionsScreen, EachWayOutReturnsItsWordAndSavesTheSettings) {
    struct Case {
        const char* button;  // nullptr: the Esc key
        const char* result;
    } cases[] = {
        {"ok", ""}, {nullptr, ""}, {"restart", "RESTART"}, {"mainMenu", "MAIN-MENU"}, {"backToMap", "MAPA"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button ? c.button : "Esc");
        std::filesystem::remove(settingsPath());
        ResetHarness();
        if (c.button) script(clickOn(c.button, 30), 400);
        else script({{30, "key", {"ESCAPE"}, 1}}, 400);
        EXPECT_EQ(options.mainLoop(&miniGame), c.result);
        // Closed by fading out, not by the frame limit; unchanged settings are written too.
        EXPECT_LT(HarnessFrameNumber(), 100);
        EXPECT_EQ(options.alpha, 0);
        EXPECT_NE(settingsText().find("musicVolume"), std::string::npos);
    }
}

TEST_F(OptionsScreen, ClicksWaitForTheFadeInButEscIsKept) {
    // A click on "restart" while fading in is lost; an Esc hit then is answered once the
    // screen is fully shown.
    auto cmds = clickOn("restart", 2);
    cmds.push_back({6, "key", {"ESCAPE"}, 3});
    script(cmds, 400);
    EXPECT_EQ(options.mainLoop(&miniGame), "");
    // Fade-in (about 20 frames) and fade-out (about 20), nothing more.
    EXPECT_GT(HarnessFrameNumber(), 30);
    EXPECT_LT(HarnessFrameNumber(), 60);
}

TEST_F(OptionsScreen, VolumeStepsAreClampedAndWrittenOnClose) {
    struct Case {
        const char* button;
        float music, sound;          // before
        float wantMusic, wantSound;  // after one click
    } cases[] = {
        {"plus1", 0.98f, 0.5f, 1.0f, 0.5f},
        {"minus2", 0.5f, 0.02f, 0.5f, 0.0f},
        {"plus2", 0.5f, 0.5f, 0.5f, 0.55f},
        {"minus1", 0.5f, 0.5f, 0.45f, 0.5f},
        {"minus1", 0.0f, 1.0f, 0.0f, 1.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        options.musicVol = c.music;
        options.soundVol = c.sound;
        ResetHarness();
        auto cmds = clickOn(c.button, 30);
        cmds.push_back({40, "key", {"ESCAPE"}, 3});
        script(cmds, 400);
        options.mainLoop(&mainMenu);
        EXPECT_NEAR(options.musicVol, c.wantMusic, 1e-5);
        EXPECT_NEAR(options.soundVol, c.wantSound, 1e-5);
        EXPECT_NEAR(setting("musicVolume"), c.wantMusic, 1e-4);
        EXPECT_NEAR(setting("soundVolume"), c.wantSound, 1e-4);
        EXPECT_NEAR(globalSnd.musicVol, c.wantMusic, 1e-5);
    }
}

TEST_F(OptionsScreen, SwitchesToggleAndAreWrittenOnClose) {
    // Windowed: wide screen changes the setting only; full screen reopens at once.
    auto cmds = clickOn("offW", 30);
    for (auto more : {clickOn("onC", 36), clickOn("ok", 44)}) cmds.insert(cmds.end(), more.begin(), more.end());
    script(cmds, 400);
    EXPECT_EQ(options.mainLoop(&mainMenu), "");
    EXPECT_EQ(options.wideScreen, 1);
    EXPECT_EQ(options.customCursor, 0);
    EXPECT_TRUE(opened.empty()) << "toggling wide screen while windowed reopened the display";
    EXPECT_EQ(setting("wideScreen"), 1);
    EXPECT_EQ(setting("customCursor"), 0);
    EXPECT_EQ(setting("fullScreen"), 0);
    EXPECT_EQ(mouse._v, 0);  // the system pointer is back

    // The full-screen switch reopens the display at once, and the switch shown follows.
    ResetHarness();
    cmds = clickOn("off", 30);
    auto ok = clickOn("ok", 40);
    cmds.insert(cmds.end(), ok.begin(), ok.end());
    script(cmds, 400);
    options.mainLoop(&mainMenu);
    EXPECT_EQ(options.fullScreen, 1);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].depth, 32);
    EXPECT_EQ(setting("fullScreen"), 1);
    EXPECT_TRUE(shown("on"));
    EXPECT_FALSE(shown("off"));

    // In full screen the wide-screen switch reopens at once, at the desktop's size.
    ResetHarness();
    opened.clear();
    cmds = clickOn("onW", 30);
    ok = clickOn("ok", 40);
    cmds.insert(cmds.end(), ok.begin(), ok.end());
    script(cmds, 400);
    options.mainLoop(&mainMenu);
    EXPECT_EQ(options.wideScreen, 0);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].w, 1024);
    EXPECT_EQ(opened[0].depth, 32);
    EXPECT_EQ(setting("wideScreen"), 0);
}

TEST_F(OptionsScreen, SlidersFollowTheHeldPointerAndPinAtTheEnds) {
    options.prepare(&mainMenu);
    const float mid = (600.0f - 390.0f) / 395.0f;
    struct Step {
        int x, y;
        bool held;
        float wantMusic, wantSound;
    } steps[] = {
        {390 + 79, 224, true, 0.2f, 0.5f},  // press on the music track
        {300, 230, true, 0.0f, 0.5f},       // dragged past the left end within the band
        {900, 212, true, 1.0f, 0.5f},       // past the right end
        {600, 260, true, 1.0f, 0.5f},       // between the two bands: no follow
        {600, 225, true, mid, 0.5f},        // back on the track
        {600, 225, false, mid, 0.5f},       // released
        {100, 305, true, mid, 0.5f},        // a new press off the track moves nothing
        {785, 300, true, mid, 1.0f},        // dragged onto the sound track's right end
        {390, 320, true, mid, 0.0f},        // and its left end
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(std::to_string(s.x) + "," + std::to_string(s.y));
        mouse.x = s.x;
        mouse.y = s.y;
        mouse.leftHolded = s.held ? 1 : 0;
        options._updateGUIOperations();
        EXPECT_NEAR(options.musicVol, s.wantMusic, 1e-5);
        EXPECT_NEAR(options.soundVol, s.wantSound, 1e-5);
    }
}

TEST_F(OptionsScreen, FillStripAndKnobFollowTheVolume) {
    struct Case {
        float vol;
        float fillWidth, knobX;
    } cases[] = {
        {0.5f, 197.5f, 587.5f},
        {0.0f, 0.0f, 390.0f},
        {1.0f, 395.0f, 785.0f},
        {3.0f, 395.0f, 785.0f},  // a hand-edited settings file: never past the strip
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.vol);
        options.musicVol = c.vol;
        options.soundVol = 0;
        options.alpha = 1;
        ClearRecordedDraws();
        options._drawBars();
        float fill = 0, knob = -1;
        for (const DrawCall& d : RecordedDraws()) {
            if (d.kind == DrawCall::SubImage && d.y == 215) fill = d.sw;
            if (d.kind == DrawCall::Image && d.what.find("suwak") != std::string::npos && d.y == 224) knob = d.x;
        }
        EXPECT_NEAR(fill, c.fillWidth, 1e-3);
        EXPECT_NEAR(knob, c.knobX, 1e-3);
    }
}

TEST_F(OptionsScreen, ALayoutWithoutTheWidgetsStillOpensAndCloses) {
    write("gfx/gui/options/en/options.gui", "");
    options.setup();
    script({{25, "key", {"ESCAPE"}, 1}}, 400);
    EXPECT_EQ(options.mainLoop(&playScreen), "");
    EXPECT_NE(settingsText().find("fullScreen"), std::string::npos);
}

TEST_F(OptionsScreen, CreditsAndRulesRunOverTheOpenScreen) {
    int credits = 0;
    TEkran* rulesBehind = nullptr;
    SetOptionsCreditsRunner([&] { ++credits; });
    SetOptionsRulesRunner([&](TEkran& behind) { rulesBehind = &behind; });
    auto cmds = clickOn("credits", 30);
    cmds.push_back({40, "key", {"ESCAPE"}, 3});
    script(cmds, 400);
    EXPECT_EQ(options.mainLoop(&mainMenu), "");
    EXPECT_EQ(credits, 1);

    ResetHarness();
    cmds = clickOn("rules", 30);
    cmds.push_back({40, "key", {"ESCAPE"}, 3});
    script(cmds, 400);
    EXPECT_EQ(options.mainLoop(&playScreen), "");
    EXPECT_EQ(rulesBehind, &options);
}

}  // namespace
