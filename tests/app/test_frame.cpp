// The frame step's global keys, the flip's pause overlay, the cursors and the small
// helpers of the frame.
#include "app/frame.h"

#include "app/ekran.h"
#include "app_fixture.h"
#include "gui/frame/modal.h"
#include "gui/text/type_style.h"
#include "platform/detail/audio_sound.h"

namespace {

class FrameTest : public AppTest {
protected:
    void openDisplay() {
        ASSERT_TRUE(Graphics(1280, 800, 0, 60));
        SetAspectResolution(1024, 768, 3);
    }
};

TEST_F(FrameTest, TimeStringTable) {
    const struct {
        int32_t seconds;
        const char* want;
    } cases[] = {{0, "00:00"}, {59, "00:59"}, {60, "01:00"}, {605, "10:05"}, {6000, "100:00"}};
    for (const auto& c : cases) EXPECT_EQ(getTimeString(c.seconds), c.want) << c.seconds;
}

TEST_F(FrameTest, CopyListKeepsOrderDropsEmptiesAndIsIndependent) {
    auto a = std::make_shared<int>(1), b = std::make_shared<int>(2);
    std::vector<std::shared_ptr<int>> list{a, nullptr, b};
    auto copy = copyList(list);
    ASSERT_EQ(copy.size(), 2u);
    EXPECT_EQ(copy[0], a);
    EXPECT_EQ(copy[1], b);
    copy.clear();
    EXPECT_EQ(list.size(), 3u);
    EXPECT_TRUE(copyList(std::vector<std::shared_ptr<int>>{}).empty());
}

// Which global key acts, and whether a lone letter is left for the screen.
TEST_F(FrameTest, GlobalKeysActOnlyWithTheirModifier) {
    const struct {
        const char* name;
        int modifier;  // 0 none
        int key;       // 0 none
        bool terminate;
        bool ends;
        bool toggles;
        bool hitLeft;  // the key's hit is still there for the screen afterwards
    } cases[] = {
        {"Alt+F4", KEY_LALT, 115, false, true, false, false},
        {"right Alt+F4", KEY_RALT, 115, false, true, false, false},
        {"F4 alone", 0, 115, false, false, false, true},
        {"Ctrl+Q", KEY_LCONTROL, 'Q', false, true, false, false},
        {"Q alone", 0, 'Q', false, false, false, true},
        {"Ctrl+F", KEY_LCONTROL, 'F', false, false, true, false},
        {"right Ctrl+F", KEY_RCONTROL, 'F', false, false, true, false},
        {"F alone", 0, 'F', false, false, false, true},
        {"window closed", 0, 0, true, true, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ResetInputState();
        options.fullScreen = 0;
        openDisplay();
        if (c.modifier) InjectKey(c.modifier, true);
        if (c.key) {
            InjectKey(c.key, true);
            InjectKey(c.key, false);
        }
        if (c.terminate) InjectTerminate();
        bool ended = false;
        try {
            _updateSystem(0);
        } catch (const ProcessEnded& e) {
            ended = true;
            EXPECT_EQ(e.code, 0);
        }
        EXPECT_EQ(ended, c.ends);
        EXPECT_EQ(options.fullScreen, c.toggles ? 1 : 0);
        if (c.key) {
            EXPECT_EQ(KeyHit(c.key) != 0, c.hitLeft);
        }
    }
}

TEST_F(FrameTest, QuittingNeverSaves) {
    write("u/Data/settings.dat", "settings {\n\tfullScreen = 0\n}\n\n");
    myDocsFolder = (dir / "u").string();
    options.soundVol = 0.9f;
    InjectKey(KEY_LCONTROL, true);
    InjectKey('Q', true);
    EXPECT_THROW(_updateSystem(0), ProcessEnded);
    EXPECT_EQ(read(settingsPath()), "settings {\n\tfullScreen = 0\n}\n\n");
}

// A screen that logs its pause hooks next to the cloud timers'.
struct LoggingScreen : TEkran {
    std::vector<std::string>* log;
    explicit LoggingScreen(std::vector<std::string>* l) : log(l) {}
    int PauseMyGame() override {
        log->push_back("screen-pause");
        return 0;
    }
    int ResumeMyGame() override {
        log->push_back("screen-resume");
        return 0;
    }
};

class PauseTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        openDisplay();
        SetCloudTimerHooks([this] { log.push_back("clouds-pause"); }, [this] { log.push_back("clouds-resume"); });
        pauseGameFont = CreateFixedFont(10, 20);
        txtPauseGame = "Paused";
    }
    // Suspended for `frames` frames of the overlay: each frame reads the clock once.
    void suspendFor(int frames) {
        InjectSuspended(true);
        SetClockSource([this, frames]() mutable {
            if (--frames <= 0) InjectSuspended(false);
            return now += 16;
        });
    }
    std::vector<std::string> log;
};

TEST_F(PauseTest, OverlayRunsTheHooksInOrderAndDrawsTheDarkenedPicture) {
    LoggingScreen screen(&log);
    TSound tune = audio_detail::MakeSound(std::vector<int16_t>(100000, 500), 1, 10000);
    globalSnd.newMusicCHN = PlaySound(tune);
    ASSERT_TRUE(ChannelPlaying(globalSnd.newMusicCHN));
    bool musicPausedDuringOverlay = false;
    SetCloudTimerHooks([&] { log.push_back("clouds-pause"); },
                       [&] {
                           musicPausedDuringOverlay = !ChannelPlaying(globalSnd.newMusicCHN);
                           log.push_back("clouds-resume");
                       });
    suspendFor(3);
    ClearRecordedDraws();
    myFlip(1, &screen);

    EXPECT_EQ(log, (std::vector<std::string>{"clouds-pause", "screen-pause", "clouds-resume", "screen-resume"}));
    EXPECT_TRUE(musicPausedDuringOverlay);
    EXPECT_TRUE(ChannelPlaying(globalSnd.newMusicCHN));

    // Every overlay frame: frozen picture, half black over it, the caption centred.
    bool sawFrozen = false, sawDark = false, sawCaption = false;
    for (const DrawCall& c : RecordedDraws()) {
        if (c.kind == DrawCall::Image && c.x == aspectOffsetX && c.y == aspectOffsetY) sawFrozen = true;
        if (c.kind == DrawCall::Rect && c.w == 1024 && c.h == 768 && c.r + c.g + c.b == 0 && c.alpha == kModalDim)
            sawDark = true;
        // The caption in the title role: shadow and outline first, the gold text last.
        if (c.kind == DrawCall::Text && c.what == "Paused" && c.r == typestyle::kGold.r &&
            c.g == typestyle::kGold.g && c.b == typestyle::kGold.b) {
            sawCaption = true;
            // Recorded positions include the letterbox offset of the picture.
            EXPECT_EQ(c.x - aspectOffsetX, 512 - 30);
            EXPECT_EQ(c.y - aspectOffsetY, 384 - 10);
        }
    }
    EXPECT_TRUE(sawFrozen);
    EXPECT_TRUE(sawDark);
    EXPECT_TRUE(sawCaption);
}

// The caption keeps its own face and size, not the title face of the other screens.
TEST_F(PauseTest, CaptionFontIsTheNumberFaceAt72) {
    std::vector<std::pair<std::string, int>> loads;
    SetFontCacheLoader([&](const std::string& url, int size, int) {
        loads.emplace_back(url, size);
        return CreateFixedFont(10, 20);
    });
    bDir = "tree/";
    loadPauseGameFont();
    SetFontCacheLoader(nullptr);
    EXPECT_EQ(loads, (std::vector<std::pair<std::string, int>>{{"tree/gfx/fonts/font.ttf", 72}}));
    EXPECT_TRUE(pauseGameFont);
}

TEST_F(PauseTest, BarsTurnDarkRedAtTheFirstPauseAndStaySo) {
    EXPECT_EQ(aspectBorderRed + aspectBorderGreen + aspectBorderBlue, 0);
    myFlip(1, nullptr);  // not suspended: no overlay, bars still black
    EXPECT_EQ(aspectBorderRed + aspectBorderGreen + aspectBorderBlue, 0);
    suspendFor(2);
    myFlip(1, nullptr);
    EXPECT_EQ(aspectBorderRed, 90);
    EXPECT_EQ(aspectBorderGreen, 30);
    EXPECT_EQ(aspectBorderBlue, 30);
    myFlip(1, nullptr);
    EXPECT_EQ(aspectBorderRed, 90);
}

TEST_F(PauseTest, NoOverlayWhenTheCallerForbidsIt) {
    LoggingScreen screen(&log);
    InjectSuspended(true);
    myFlip(0, &screen);
    EXPECT_TRUE(log.empty());
    InjectSuspended(false);
}

TEST_F(PauseTest, WithoutAScreenOnlyTheCloudsPause) {
    suspendFor(2);
    myFlip(1, nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"clouds-pause", "clouds-resume"}));
}

TEST_F(PauseTest, ClosingTheWindowDuringThePauseEndsTheGame) {
    InjectSuspended(true);
    InjectTerminate();
    EXPECT_THROW(myFlip(1, nullptr), ProcessEnded);
    InjectSuspended(false);
}

TEST_F(FrameTest, SeventeenCursorsWithTheirHotSpotsAndHandSelected) {
    loadMouseCursors();
    ASSERT_EQ(mouse.listaKursorow.size(), 17u);
    const struct {
        size_t index;
        const char* name;
        int hx, hy;
    } probes[] = {{0, "HOOK", 10, 12}, {1, "HAND", 2, 2}, {6, "OKO-4", 6, 7}, {7, "CZASZKA-0", 21, 17}, {16, "MAPA-4", 5, 4}};
    for (const auto& p : probes) {
        EXPECT_EQ(mouse.listaKursorow[p.index]->_id, p.name);
        EXPECT_EQ(mouse.listaKursorow[p.index]->_hx, p.hx);
        EXPECT_EQ(mouse.listaKursorow[p.index]->_hy, p.hy);
    }
    ASSERT_TRUE(mouse.cur);
    EXPECT_EQ(mouse.cur->_id, "HAND");
}

}  // namespace

