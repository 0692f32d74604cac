// Settings: the file at first start, what loading makes of stored values, and the choice
// of display mode against a fake display.
#include "app/options.h"

#include "app_fixture.h"

namespace {

class OptionsTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        myDocsFolder = (dir / "user").string();
        std::filesystem::create_directories(dir / "user" / "Data");
    }
};

const char* const kFirstStart =
    "settings {\n"
    "\tfullScreen = 1\n"
    "\twideScreen = 1\n"
    "\tcustomCursor = 1\n"
    "\tmusicVolume = 0.500000000\n"
    "\tsoundVolume = 0.500000000\n"
    "}\n"
    "\n";

TEST_F(OptionsTest, FirstStartWritesTheDefaultsByteForByte) {
    options.loadOptions();
    EXPECT_EQ(read(settingsPath()), kFirstStart);
    EXPECT_EQ(options.fullScreen, 1);
    EXPECT_FLOAT_EQ(options.soundVol, 0.5f);
    EXPECT_FLOAT_EQ(globalSnd.musicVol, 0.5f);
}

TEST_F(OptionsTest, LoadingAppliesTheQuietThresholdReadsMissingKeysAsZeroAndClampsTheRest) {
    const struct {
        const char* name;
        const char* body;
        int full, wide, cursor;
        float music, sound;
        const char* told;  // what the one notice says was mended, "" for none
    } cases[] = {
        {"below the threshold", "fullScreen = 1\n\twideScreen = 0\n\tcustomCursor = 1\n\tmusicVolume = 0.04\n\tsoundVolume = 0.0499\n",
         1, 0, 1, 0.0f, 0.0f, ""},
        {"on the threshold", "fullScreen = 0\n\twideScreen = 1\n\tcustomCursor = 0\n\tmusicVolume = 0.05\n\tsoundVolume = 0.0500000007\n",
         0, 1, 0, 0.05f, 0.05f, ""},
        {"keys missing", "musicVolume = 0.8\n", 0, 0, 0, 0.8f, 0.0f, ""},
        {"fractions truncated", "fullScreen = 0.9\n\twideScreen = 1.9\n\tcustomCursor = -0.5\n", 0, 1, 0, 0.0f, 0.0f, ""},
        {"above one is as loud as it goes", "fullScreen = 2\n\twideScreen = 1\n\tcustomCursor = 1\n\tmusicVolume = 1.7\n\tsoundVolume = 3\n",
         1, 1, 1, 1.0f, 1.0f, "fullScreen 2 is read as 1, musicVolume 1.7 is read as 1, soundVolume 3 is read as 1"},
        {"far out of range", "fullScreen = -999\n\twideScreen = 1e30\n\tcustomCursor = 1\n\tmusicVolume = 1e30\n\tsoundVolume = 1e99\n",
         1, 1, 1, 1.0f, 1.0f,
         "fullScreen -999 is read as 1, wideScreen 1e30 is read as 1, musicVolume 1e30 is read as 1, soundVolume 1e99 is read as 1"},
        // No volume at all is not a wish for silence: the first start's volume.
        {"negative and not a number", "fullScreen = 1\n\twideScreen = 1\n\tcustomCursor = 1\n\tmusicVolume = -1\n\tsoundVolume = nan\n",
         1, 1, 1, 0.5f, 0.5f, "musicVolume -1 is read as 0.5, soundVolume is not a number and is read as 0.5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        write("user/Data/settings.dat", std::string("settings {\n\t") + c.body + "}\n\n");
        std::vector<std::string> notices;
        SetNotifyHandler([&](const std::string& t) { notices.push_back(t); });
        options.loadOptions();
        EXPECT_EQ(options.fullScreen, c.full);
        EXPECT_EQ(options.wideScreen, c.wide);
        EXPECT_EQ(options.customCursor, c.cursor);
        EXPECT_FLOAT_EQ(options.musicVol, c.music);
        EXPECT_FLOAT_EQ(options.soundVol, c.sound);
        EXPECT_FLOAT_EQ(globalSnd.musicVol, c.music);
        if (*c.told) {
            ASSERT_EQ(notices.size(), 1u);
            EXPECT_EQ(notices[0], "The settings file \"" + settingsPath() + "\" holds values out of range: " + c.told + ".");
            // Written back in range at once: the next start is quiet and reads the same.
            notices.clear();
            options.loadOptions();
            EXPECT_EQ(options.fullScreen, c.full);
            EXPECT_FLOAT_EQ(options.musicVol, c.music);
        }
        EXPECT_TRUE(notices.empty());
        SetNotifyHandler(nullptr);
    }
}

TEST_F(OptionsTest, BrokenSettingsFileGivesTheDefaultsAndIsKept) {
    const std::string junk = "settings {\n\tfullScreen = 0\n";  // unbalanced braces
    write("user/Data/settings.dat", junk);
    std::vector<std::string> notices;
    SetNotifyHandler([&](const std::string& t) { notices.push_back(t); });
    options.loadOptions();
    SetNotifyHandler(nullptr);
    EXPECT_EQ(options.fullScreen, 1);
    EXPECT_EQ(options.wideScreen, 1);
    EXPECT_EQ(options.customCursor, 1);
    EXPECT_FLOAT_EQ(options.musicVol, 0.5f);
    EXPECT_FLOAT_EQ(options.soundVol, 0.5f);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].find("is damaged, so the default settings are used"), std::string::npos);
    EXPECT_EQ(read(settingsPath() + ".corrupt"), junk);
}

TEST_F(OptionsTest, SavingReplacesTheWholeFileInTableOrder) {
    write("user/Data/settings.dat", "settings {\n\tsomethingElse = 4\n}\n\n");
    options.fullScreen = 0;
    options.customCursor = 0;
    options.musicVol = 0.25f;
    options.soundVol = 1;
    options.saveOptions();
    EXPECT_EQ(read(settingsPath()),
              "settings {\n\tfullScreen = 0\n\twideScreen = 1\n\tcustomCursor = 0\n"
              "\tmusicVolume = 0.250000000\n\tsoundVolume = 1\n}\n\n");
}

TEST_F(OptionsTest, VolumesClampIntoRangeWhenChangedOnScreen) {
    options.musicVol = 1.3f;
    options.soundVol = -0.2f;
    options.checkSoundStuff();
    EXPECT_EQ(options.musicVol, 1.0f);
    EXPECT_EQ(options.soundVol, 0.0f);
    EXPECT_EQ(globalSnd.musicVol, 1.0f);
}

struct Mode {
    int w, h, depth;
    bool operator==(const Mode&) const = default;
};

class DisplayTest : public OptionsTest {
protected:
    void SetUp() override {
        OptionsTest::SetUp();
        SetDisplayOpener([this](int w, int h, int depth, int hz) {
            EXPECT_EQ(hz, 60);
            tried.push_back({w, h, depth});
            for (const Mode& m : refused)
                if (m == Mode{w, h, depth}) return false;
            return Graphics(w, h, depth, hz);
        });
    }
    std::vector<Mode> tried;
    std::vector<Mode> refused;
};

TEST_F(DisplayTest, DecisionTable) {
    const struct {
        const char* name;
        int full, wide, dw, dh;
        std::vector<Mode> refuse;
        std::vector<Mode> want;
    } cases[] = {
        {"full wide", 1, 1, 1920, 1080, {}, {{1920, 1080, 32}}},
        {"full wide refused once", 1, 1, 1920, 1080, {{1920, 1080, 32}}, {{1920, 1080, 32}, {1920, 1080, 32}, {1024, 768, 0}}},
        {"full not wide", 1, 0, 1920, 1080, {}, {{1024, 768, 32}}},
        {"full 1024x768 refused", 1, 0, 1920, 1080, {{1024, 768, 32}}, {{1024, 768, 32}, {800, 600, 32}}},
        {"both full modes refused: window", 1, 0, 1280, 768, {{1024, 768, 32}, {800, 600, 32}},
         {{1024, 768, 32}, {800, 600, 32}, {819, 614, 0}}},
        {"window, tall desktop", 0, 1, 1280, 800, {}, {{1024, 768, 0}}},
        {"window, desktop of 768", 0, 1, 1024, 768, {}, {{819, 614, 0}}},
        {"window, desktop of 601", 0, 0, 1024, 601, {}, {{819, 614, 0}}},
        {"window, desktop of 600", 0, 0, 800, 600, {}, {{640, 480, 0}}},
        {"window refused: next size", 0, 0, 1280, 800, {{1024, 768, 0}}, {{1024, 768, 0}, {819, 614, 0}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        tried.clear();
        refused = c.refuse;
        _START_DESKTOP_WIDTH = c.dw;
        _START_DESKTOP_HEIGHT = c.dh;
        openScreenASPECT(1024, 768, c.full, c.wide);
        EXPECT_EQ(tried, c.want);
        // Whatever opened, the game draws a 1024 x 768 picture.
        EXPECT_EQ(AspectResolutionWidth(), 1024);
        EXPECT_EQ(AspectResolutionHeight(), 768);
    }
    EXPECT_TRUE(notices.empty());
}

TEST_F(DisplayTest, NoDisplayAtAllIsReportedAndEndsCleanly) {
    refused = {{1920, 1080, 32}, {1024, 768, 0}, {819, 614, 0}, {640, 480, 0}};
    _START_DESKTOP_WIDTH = 1920;
    _START_DESKTOP_HEIGHT = 1080;
    try {
        openScreenASPECT(1024, 768, 1, 1);
        FAIL() << "went on without a display";
    } catch (const ProcessEnded& e) {
        EXPECT_EQ(e.code, 1);
    }
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].find("display"), std::string::npos);
}

TEST_F(DisplayTest, SwitchingReopensAtOnceWithoutSaving) {
    _START_DESKTOP_WIDTH = 1920;
    _START_DESKTOP_HEIGHT = 1080;
    options.loadOptions();  // first start: full screen, wide
    const std::string before = read(settingsPath());
    tried.clear();
    options.fullScreen = 2;  // any non-zero value counts as full screen
    options.switchScreen();
    EXPECT_EQ(options.fullScreen, 0);
    EXPECT_EQ(tried, (std::vector<Mode>{{1024, 768, 0}}));
    options.switchScreen();
    EXPECT_EQ(options.fullScreen, 1);
    EXPECT_EQ(tried.back(), (Mode{1920, 1080, 32}));
    EXPECT_EQ(read(settingsPath()), before);
}

TEST_F(OptionsTest, CursorSettingChoosesOurCursorOrTheSystems) {
    options.customCursor = 0;
    options.setupMouse();
    EXPECT_EQ(mouse._v, 0);
    options.customCursor = 3;
    options.setupMouse();
    EXPECT_EQ(mouse._v, 1);
}

}  // namespace
