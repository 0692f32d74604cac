// The loading screen over a table of its own shape: its units in order, the bar's fraction after each, the closing fade,
// input discarded at the end, no pause while loading, and missing pictures.
#include <map>

#include "app/app_fixture.h"
#include "app/loading/loading_screen.h"

namespace {

class LoadingScreen : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        // The clock that follows the flips, so the closing fade takes its frames.
        InitPlatform(true);
        resetLoadingScreen();
        setLoadingTable(standInTable());
        bDir = dir.string() + "/";
        lang = "en";
    }
    void TearDown() override {
        resetLoadingScreen();
        setLoadingTable({});
        AppTest::TearDown();
    }

    // A table shaped as the game's: 52 units, 13, 14, 11, 8 and 6 in the five parts, named
    // "unit1.setup" to "unit52.setup", none with a set-up of its own.
    static std::vector<TLoadingScreen::Unit> standInTable() {
        std::vector<TLoadingScreen::Unit> table;
        const int perPart[] = {13, 14, 11, 8, 6};
        for (int part = 1; part <= 5; ++part)
            for (int k = 0; k < perPart[part - 1]; ++k)
                table.push_back({part, "unit" + std::to_string(table.size() + 1) + ".setup", nullptr});
        return table;
    }

    void writeImage(const std::string& rel, int w, int h) { writePng(rel, w, h, 0xFF3070A0u); }
    void writeAllImages() {
        writeImage("gfx/gui/loading/back.jpg", 64, 48);  // a PNG under the .jpg name decodes too
        writeImage("gfx/gui/loading/false.png", 8, 8);
        writeImage("gfx/gui/loading/true.png", 8, 8);
        writeImage("gfx/gui/loading/loading.png", 520, 30);
        writeImage("gfx/gui/loading/en/logo.png", 300, 100);
    }
    // The table's names, each unit's action replaced by `probe`.
    void probeUnits(std::function<void(const std::string&)> probe) {
        for (auto& u : loadingScreen.units) {
            std::string name = u.name;
            u.action = [probe, name] { probe(name); };
        }
    }
    // Runs the first four parts (46 units); the frames they present.
    static int framesOfFirstFourParts() {
        const int before = HarnessFrameNumber();
        loadingScreen.PART1();
        loadingScreen.PART2();
        loadingScreen.PART3();
        loadingScreen.PART4();
        return HarnessFrameNumber() - before;
    }
    // The width of the solid part of the bar in the draws recorded since the last clear
    // (-1 when only the faint track was drawn).
    static float solidWidth() {
        float w = -1;
        for (const DrawCall& d : RecordedDraws())
            if (d.kind == DrawCall::SubImage && d.what.find("loading.png") != std::string::npos) w = d.sw;
        return w;
    }
};

TEST_F(LoadingScreen, PartsRunInOrderWithTheBarGrowingAStepEach) {
    writeAllImages();
    loadingScreen.loadImages();
    std::vector<std::string> ran;
    std::vector<int32_t> pSeen;
    std::vector<float> solidSeen;
    probeUnits([&](const std::string& name) {
        ran.push_back(name);
        pSeen.push_back(loadingScreen.p);
        solidSeen.push_back(solidWidth());  // the frame flipped just before this unit
        ClearRecordedDraws();
    });
    ClearRecordedDraws();
    loadingScreen.run();

    std::vector<std::string> want;
    for (const auto& u : defaultLoadingUnits()) want.push_back(u.name);
    EXPECT_EQ(ran, want);
    EXPECT_EQ(loadingScreen.done, want);
    ASSERT_EQ(pSeen.size(), 52u);
    for (size_t i = 0; i < pSeen.size(); ++i) {
        SCOPED_TRACE(want[i]);
        // Two frames before any work (empty bar, then 1/52); each unit adds one step.
        EXPECT_EQ(pSeen[i], int32_t(i + 1));
        EXPECT_NEAR(solidSeen[i], 520.0f * float(i + 1) / 52.0f, 1e-3);
    }
    // Full once the waves are loaded, before the rules screen; the 53rd call stays full.
    EXPECT_EQ(pSeen[51], 52);
    EXPECT_EQ(loadingScreen.p, 52);
    EXPECT_EQ(loadingScreen.la, 0);
}

TEST_F(LoadingScreen, FirstFramesShowAnEmptyThenAOneStepBar) {
    writeAllImages();
    loadingScreen.loadImages();
    loadingScreen.units.clear();  // no work: only the frames of the first part
    std::vector<float> perFrame;
    loadingScreen.drawNormal();
    perFrame.push_back(solidWidth());
    ClearRecordedDraws();
    loadingScreen.progress();
    perFrame.push_back(solidWidth());
    EXPECT_EQ(perFrame[0], -1) << "no solid part before any step";
    EXPECT_NEAR(perFrame[1], 10.0f, 1e-3);
    // The faint full track under it, centred on (512, 685).
    bool track = false;
    for (const DrawCall& d : RecordedDraws())
        if (d.kind == DrawCall::Image && d.what.find("loading.png") != std::string::npos) {
            track = true;
            EXPECT_FLOAT_EQ(d.x, 512 - 260);
            EXPECT_FLOAT_EQ(d.y, 685 - 15);
            EXPECT_NEAR(d.alpha, 0.3f, 1e-6);
        }
    EXPECT_TRUE(track);
}

TEST_F(LoadingScreen, AFrameComesOnlyWhenTheBarVisiblyMoves) {
    writeAllImages();
    writeImage("gfx/gui/loading/loading.png", 26, 30);  // half a pixel a unit
    loadingScreen.loadImages();
    probeUnits([](const std::string&) {});
    script({}, -1);
    const int frames = framesOfFirstFourParts();
    EXPECT_EQ(loadingScreen.done.size(), 46u) << "every unit still runs";
    // The first frame, then one each time the bar gains a whole pixel (46 units, 23 pixels).
    EXPECT_GE(frames, 23);
    EXPECT_LE(frames, 25);
}

TEST_F(LoadingScreen, FramesComeNoFasterThanTheDisplayCanShowThem) {
    writeAllImages();  // ten display pixels a unit: the bar moves at every one
    loadingScreen.loadImages();
    // A clock that only the work moves (a real display's flips take no time here).
    int32_t now = 1000;
    SetClockSource([&now] { return now; });
    struct Case {
        int32_t unitMs;
        int minFrames, maxFrames;
    };
    // 46 units of the first four parts, after the first frame; 60 frames a second at most.
    for (const Case& c : {Case{4, 11, 14}, Case{8, 22, 25}, Case{20, 46, 48}}) {
        SCOPED_TRACE(c.unitMs);
        resetLoadingScreen();
        loadingScreen.loadImages();
        probeUnits([&](const std::string&) { now += c.unitMs; });
        script({}, -1);
        const int frames = framesOfFirstFourParts();
        EXPECT_EQ(loadingScreen.done.size(), 46u) << "every unit still runs";
        EXPECT_GE(frames, c.minFrames);
        EXPECT_LE(frames, c.maxFrames);
    }
    SetClockSource(nullptr);
}

TEST_F(LoadingScreen, InputDuringLoadingIsDiscardedAndNothingPauses) {
    writeAllImages();
    loadingScreen.loadImages();
    int pauses = 0;
    SetCloudTimerHooks([&] {
        ++pauses;
        InjectSuspended(false);  // a pause would otherwise wait for the focus forever
    }, nullptr);
    probeUnits([&](const std::string& name) {
        if (name == "setupNumbers") {
            InjectSuspended(true);  // the player switches away while loading
            InjectKey(KEY_SPACE, true);
            InjectKey(KEY_SPACE, false);
            InjectMouseButton(1, true);
            InjectMouseButton(1, false);
        }
        if (name == "music9") InjectSuspended(false);
    });
    loadingScreen.run();
    EXPECT_EQ(pauses, 0);
    EXPECT_EQ(loadingScreen.done.size(), 52u);
    EXPECT_EQ(KeyHit(KEY_SPACE), 0);
    EXPECT_EQ(MouseHit(1), 0);
}

TEST_F(LoadingScreen, ClosingFadeTakesAboutFiftyFramesAndKeepsTheBackground) {
    writeAllImages();
    loadingScreen.loadImages();
    loadingScreen.p = 52;
    script({}, -1);
    const int before = HarnessFrameNumber();
    loadingScreen.EndMe();
    const int frames = HarnessFrameNumber() - before;
    EXPECT_GE(frames, 48);
    EXPECT_LE(frames, 53);
    EXPECT_EQ(loadingScreen.la, 0);
    ClearRecordedDraws();
    loadingScreen.draw();
    bool back = false;
    for (const DrawCall& d : RecordedDraws()) {
        if (d.what.find("back.jpg") != std::string::npos) back = d.alpha == 1;
        if (d.what.find("logo.png") != std::string::npos) {
            EXPECT_EQ(d.alpha, 0);
        }
    }
    EXPECT_TRUE(back);
}

TEST_F(LoadingScreen, MissingPicturesAreReportedOnlyForBackgroundAndMarkers) {
    // Nothing on disk at all: the three reported files, then a drawn stand-in bar.
    loadingScreen.loadImages();
    int reported = 0;
    for (const auto& n : notices)
        for (const char* f : {"back.jpg", "false.png", "true.png", "loading.png", "logo.png"})
            if (n.find(f) != std::string::npos) {
                ++reported;
                EXPECT_TRUE(std::string(f) != "loading.png" && std::string(f) != "logo.png") << n;
            }
    EXPECT_EQ(reported, 3);
    loadingScreen.p = 26;
    ClearRecordedDraws();
    loadingScreen.draw();
    float solid = -1;
    for (const DrawCall& d : RecordedDraws())
        if (d.kind == DrawCall::Rect && d.alpha == 1 && d.y > 600) solid = d.w;
    EXPECT_NEAR(solid, 200.0f, 1e-3);
}

TEST_F(LoadingScreen, LaterScreensPlugTheirSetUpInByName) {
    int calls = 0;
    EXPECT_FALSE(setLoadingStep("noSuchScreen.setup", [&] { ++calls; }));
    EXPECT_TRUE(setLoadingStep("UNIT7.setup", [&] { ++calls; }));
    // The current table and every fresh one carry it.
    for (auto& u : loadingScreen.units)
        if (u.name == "unit7.setup") {
            ASSERT_TRUE(u.action);
            u.action();
        }
    for (auto& u : defaultLoadingUnits())
        if (u.name == "unit7.setup") u.action();
    EXPECT_EQ(calls, 2);
}

}  // namespace
