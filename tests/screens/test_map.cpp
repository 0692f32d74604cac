// The stage map: which markers open, the new stage and its burst, the arrow, clicks on
// markers and buttons, the sea sparkles and the shark; and whole runs of the screen headless.
#include <algorithm>
#include <set>

#include "gui/frame/letterbox.h"
#include "map_fixture.h"

using namespace flowtest;

namespace {

// Counts what the map asks of its ambience.
class RecordingAmbience : public TMapAmbience {
public:
    std::vector<std::pair<float, float>> sparkles;
    int bursts = 0;
    int waves = 0;
    int dropped = 0;
    int fakeCount = -1;  // >= 0: the sparkle count to report
    void seaSparkle(float x, float y) override { sparkles.emplace_back(x, y); }
    int sparkleCount() const override { return fakeCount >= 0 ? fakeCount : int(sparkles.size()); }
    void wave(float, float, float) override { ++waves; }
    void burstParticle(float, float, int, int, int) override { ++bursts; }
    void dropBurst() override { ++dropped; }
};

class MapTest : public MapFlowTest {
protected:
    void SetUp() override {
        MapFlowTest::SetUp();
        // Markers 2 and 3 overlap; stage 7 has a marker but no stage data.
        write("data/mapStages.dat",
              "mapStages {\n\ti = 4\n"
              "\tstage1 {\n\t\tposition = 100, 100\n\t\tid = 1\n\t\tname = 2\n\t}\n\n"
              "\tstage2 {\n\t\tposition = 300, 300\n\t\tid = 2\n\t\tname = 3\n\t}\n\n"
              "\tstage3 {\n\t\tposition = 310, 300\n\t\tid = 3\n\t\tname = 4\n\t}\n\n"
              "\tstage4 {\n\t\tposition = 700, 500\n\t\tid = 7\n\t\tname = 9\n\t}\n\n}\n");
        write("txt/en/stageScreen.txt", "Level\nOne\nTwo\nThree\n");
        write("txt/en/casual-level-names.txt", "A\n");
        write("txt/en/hard-level-names.txt", "A\n");
        write("data/flow_hard.dat", "flow {\n\ti = 6\n" + entry(1, 1, "MAPA", 1) +
                                        entry(2, 1, "MAIN-GAME", 1, "data/h1.lvl") + entry(3, 1, "MAPA", 2) +
                                        entry(4, 1, "MAIN-GAME", 2, "data/h2.lvl") +
                                        entry(5, 2, "MAIN-GAME", 2, "data/h3.lvl") +
                                        entry(6, 1, "MAIN-GAME", 3, "data/h4.lvl") + "}\n");
        writePng("gfx/gui/mapa/stage-0.png", 40, 40);
        writePng("gfx/gui/mapa/stage-1.png", 40, 40);
        writePng("gfx/gui/mapa/mapa.jpg", 1024, 768, 0xFF2A78B0u);
        levelManager.setup();
        auto rec = std::make_unique<RecordingAmbience>();
        amb = rec.get();
        mapa.ambience = std::move(rec);
        mapa.setup();
    }

    std::set<int> available() const {
        std::set<int> out;
        for (const auto& s : mapa.mapStages)
            if (s->isAvailable) out.insert(s->id);
        return out;
    }
    void pointAt(int x, int y, bool pressed) {
        mouse.x = x;
        mouse.y = y;
        mouse.leftPressed = pressed ? 1 : 0;
    }

    RecordingAmbience* amb = nullptr;
};

TEST_F(MapTest, ReadsMarkersWithTitlesAndPositions) {
    ASSERT_EQ(mapa.mapStages.size(), 4u);
    EXPECT_EQ(mapa.mapStages[0]->title, "One");
    EXPECT_EQ(mapa.mapStages[2]->x, 310);
    EXPECT_EQ(mapa.mapStages[3]->id, 7);
    EXPECT_EQ(mapa.mapStages[3]->title, "(BEYOND TEXT ARRAY LENGTH!)");
    EXPECT_EQ(mapa.txtLevel, "Level");
    EXPECT_EQ(mapa.getMapStage(3), mapa.mapStages[2]);
    EXPECT_EQ(mapa.getMapStage(4), nullptr);
}

struct PrepareCase {
    const char* name;
    bool profile;
    int stage;                                    // the profile's current stage
    std::vector<std::array<int, 3>> records;      // level, stage, passed
    int presetNewStage;                           // 0: none
    std::set<int> open;
    int newStage;                                 // 0: none after prepare
    float arX;
};

TEST_F(MapTest, PrepareDecidesOpenMarkersNewStageAndArrow) {
    const PrepareCase cases[] = {
        {"fresh player on stage 1", true, 1, {}, 0, {1}, 1, 100},
        {"passed level in the current stage", true, 2, {{1, 2, 1}}, 0, {2}, 0, 300},
        {"current stage started but not passed", true, 2, {{1, 1, 1}, {1, 2, 0}}, 0, {1, 2}, 2, 300},
        {"stage without a marker clears the new stage", true, 5, {{1, 1, 1}}, 2, {1}, 0, -100},
        {"marker without stage data counts as nothing passed", true, 7, {{1, 1, 1}}, 0, {1, 7}, 7, 700},
        {"new stage set by the progression stays", true, 1, {{1, 1, 1}}, 3, {1, 3}, 3, 100},
        {"no profile", false, 0, {}, 0, {}, 0, -100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        profileManager.profile = nullptr;
        if (c.profile) {
            auto p = makeProfile("HARD", c.stage, 1);
            for (const auto& r : c.records) addRecord(*p, r[0], r[1], r[2]);
        }
        mapa.newStage = c.presetNewStage ? mapa.getMapStage(c.presetNewStage) : nullptr;
        mapa.prepare();
        EXPECT_EQ(available(), c.open);
        EXPECT_EQ(mapa.newStage ? mapa.newStage->id : 0, c.newStage);
        EXPECT_EQ(mapa.arX, c.arX);
        if (c.arX != -100) {
            EXPECT_EQ(mapa.ary, c.arX == 700 ? 460 : (c.arX == 100 ? 60 : 260));
        }
        EXPECT_EQ(mapa.wynik, "MAIN-GAME");
        EXPECT_EQ(mapa.fade, 1);
        EXPECT_EQ(mapa.alpha, 0);
        for (const auto& s : mapa.mapStages) EXPECT_EQ(s->wolny, 1);
    }
}

TEST_F(MapTest, NewStageBurstsForFourSecondsAfterEachVisit) {
    makeProfile("HARD", 1, 1);
    mapa.prepare();
    ASSERT_NE(mapa.newStage, nullptr);
    mapa._updateNewStage();
    EXPECT_EQ(amb->bursts, 7);
    mapa._updateNewStage();  // same millisecond: no second batch
    EXPECT_EQ(amb->bursts, 7);
    now += 3990;
    mapa._updateNewStage();
    EXPECT_EQ(amb->bursts, 14);
    now += 20;
    mapa._updateNewStage();
    EXPECT_EQ(amb->bursts, 14);
    // Entering the map again restarts it while it is still the new stage.
    mapa.prepare();
    now += 1;
    mapa._updateNewStage();
    EXPECT_EQ(amb->bursts, 21);
}

TEST_F(MapTest, ClickOpensTheLastOpenMarkerUnderTheMouse) {
    auto p = makeProfile("HARD", 3, 1);
    addRecord(*p, 1, 2, 1);
    std::vector<int> opened;
    setStageScreenRunner([&](TMapStage& s) {
        opened.push_back(s.id);
        return TStageChoice{};  // the player went back
    });
    mapa.prepare();
    ASSERT_EQ(available(), (std::set<int>{2, 3}));
    pointAt(305, 300, true);
    mapa._updateStages();
    EXPECT_EQ(mapa.overStage, mapa.getMapStage(3));
    EXPECT_EQ(opened, std::vector<int>{3});
    // Going back leaves the map running as it was.
    EXPECT_EQ(mapa.wynik, "MAIN-GAME");
    EXPECT_EQ(mapa.dFade, 0);

    mapa.getMapStage(3)->isAvailable = 0;
    mapa._updateStages();
    EXPECT_EQ(opened, (std::vector<int>{3, 2}));

    // A closed marker glows under the mouse but does not open.
    mapa.getMapStage(2)->isAvailable = 0;
    mapa._updateStages();
    EXPECT_EQ(opened.size(), 2u);
    EXPECT_EQ(mapa.getMapStage(2)->dOverA, 1);
    pointAt(500, 500, false);
    mapa._updateStages();
    EXPECT_EQ(mapa.getMapStage(2)->dOverA, 0);
}

TEST_F(MapTest, PlayingAChosenLevelEndsTheMapAtOnce) {
    auto p = makeProfile("HARD", 2, 1);
    setStageScreenRunner([](TMapStage&) {
        return TStageChoice{"PLAY", levelManager.getHardLevelData(2, 2)};
    });
    mapa.prepare();
    mapa.clickStage(*mapa.getMapStage(2));
    EXPECT_EQ(mapa.fade, 1);
    EXPECT_EQ(mapa.dFade, 1);
    EXPECT_EQ(mapa.wynik, "MAIN-GAME");
    EXPECT_EQ(p->numerLevelu, 2);
    EXPECT_EQ(p->numerStageu, 2);
    EXPECT_EQ(p->flowSequence, 5);
    EXPECT_EQ(world.loadedUrls, std::vector<std::string>{bDir + "data/h3.lvl"});
}

TEST_F(MapTest, StandInStageScreenPlaysTheFirstLevelNotYetPassed) {
    auto p = makeProfile("HARD", 2, 1);
    addRecord(*p, 1, 2, 1);
    mapa.prepare();
    mapa.clickStage(*mapa.getMapStage(2));
    EXPECT_EQ(mapa.wynik, "MAIN-GAME");
    EXPECT_EQ(p->flowSequence, 5);
    // A stage with nothing to play leaves the map as it is.
    mapa.prepare();
    mapa.clickStage(*mapa.getMapStage(7));
    EXPECT_EQ(mapa.wynik, "MAIN-GAME");
    EXPECT_EQ(mapa.dFade, 0);
}

TEST_F(MapTest, SeaSparklesComeOnlyFromBlueWaterOfTheChart) {
    struct Chart {
        const char* name;
        int w, h;
        uint32_t argb;
        int fakeCount;
        bool expectAny;
    };
    const Chart charts[] = {
        {"small water chart", 200, 100, 0xFF2A78B0u, -1, true},
        {"red land", 1024, 768, 0xFFC09060u, -1, false},
        {"light water too red", 1024, 768, 0xFF6FB2C8u, -1, false},
        {"list full", 1024, 768, 0xFF2A78B0u, 300, false},
    };
    for (const auto& c : charts) {
        SCOPED_TRACE(c.name);
        Pixmap pm;
        pm.width = c.w;
        pm.height = c.h;
        pm.pixels.assign(size_t(c.w) * size_t(c.h), c.argb);
        mapa.img = CreateImageFromPixmap(pm);
        MidHandleImage(mapa.img);
        amb->sparkles.clear();
        amb->fakeCount = c.fakeCount;
        for (int i = 0; i < 400; ++i) {
            now += 11;
            mapa._updateMorze();
        }
        EXPECT_EQ(!amb->sparkles.empty(), c.expectAny);
        for (const auto& [x, y] : amb->sparkles) {
            EXPECT_GE(x, 512 - c.w / 2);
            EXPECT_LT(x, 512 + c.w / 2);
            EXPECT_GE(y, 384 - c.h / 2);
            EXPECT_LT(y, 384 + c.h / 2);
        }
    }
    // At most one batch per 10 ms.
    amb->fakeCount = -1;
    amb->sparkles.clear();
    now += 11;
    mapa._updateMorze();
    size_t first = amb->sparkles.size();
    mapa._updateMorze();
    EXPECT_EQ(amb->sparkles.size(), first);
}

TEST_F(MapTest, SharkSurfacesSwimsAndDives) {
    mapa._prepareRekin();
    EXPECT_EQ(mapa.sharkX, 525);
    EXPECT_GE(mapa.sharkTime, now + 10000);
    EXPECT_LE(mapa.sharkTime, now + 15000);
    struct Step {
        float before, alpha, dy;
    };
    const Step steps[] = {{0.145f, 0.5f, -2.5f}, {0.495f, 1.0f, -5.0f}, {0.845f, 0.5f, -2.5f}};
    for (const auto& s : steps) {
        mapa.sharkTime = 0;
        mapa.sharkPer = s.before;
        mapa._updateRekin();
        EXPECT_NEAR(mapa.sharkA, s.alpha, 1e-4);
        EXPECT_NEAR(mapa.sharkAdy, s.dy, 1e-4);
    }
    // The end of a swim waits for the next one.
    mapa.sharkTime = 0;
    mapa.sharkPer = 0.999f;
    mapa._updateRekin();
    EXPECT_EQ(mapa.sharkPer, 0);
    EXPECT_GT(mapa.sharkTime, now);
}

TEST_F(MapTest, WavesComeEvery700msAtTheWavePoints) {
    for (int i = 0; i < 10; ++i) {
        now += 100;
        mapa._updateEfekty();
    }
    EXPECT_EQ(amb->waves, 2);
    EXPECT_EQ(mapa.waveDim[6]->w, -1);
    EXPECT_EQ(mapa.waveDim[0]->x, 881);
}

// Whole runs of the screen in the headless backend, with the buttons of a real layout.
class MapLoopTest : public MapTest {
protected:
    void SetUp() override {
        MapTest::SetUp();
        writePng("gfx/gui/mapa/menu.png", 400, 40);
        writePng("gfx/gui/mapa/playnext.png", 400, 40);
        write("gfx/gui/mapa/en/mapa.gui",
              "BUTTON menu\n{\n\tTYP = FSTEP_BUTTON\n\tGFX = gfx/gui/mapa/menu.png\n\tPOSITION = \"90 736\"\n}\n\n"
              "BUTTON playnext\n{\n\tTYP = FSTEP_BUTTON\n\tGFX = gfx/gui/mapa/playnext.png\n"
              "\tPOSITION = \"934 736\"\n}\n");
        ASSERT_TRUE(Graphics(1024, 768, 0, 60));
        SetAspectResolution(1024, 768, 3);
        InitPlatform(true);  // the headless clock again: 1000/60 ms per flip
        mapa._setupSelf();
        ASSERT_NE(mapa.Gui->getItem("menu"), nullptr);
        ASSERT_NE(mapa.Gui->getItem("playnext"), nullptr);
    }
    void TearDown() override {
        CloseGraphics();
        MapTest::TearDown();
    }
    static ScriptCommand cmd(int frame, const std::string& verb, std::vector<std::string> args) {
        ScriptCommand c;
        c.frame = frame;
        c.verb = verb;
        c.args = std::move(args);
        return c;
    }
    // Points and clicks at a frame; the loop must end well before the limit.
    std::string runClicking(int x, int y) {
        HarnessStart({cmd(118, "move", {std::to_string(x), std::to_string(y)}), cmd(120, "click", {"left"})}, 600);
        std::string result = mapa.mainLoop();
        EXPECT_LT(HarnessFrameNumber(), 600);
        return result;
    }
};

TEST_F(MapLoopTest, MenuButtonReturnsToTheMainMenu) {
    makeProfile("HARD", 1, 1);
    EXPECT_EQ(runClicking(110, 745), "MAIN-MENU");
    EXPECT_EQ(amb->dropped, 1);
}

TEST_F(MapLoopTest, PlayNextGoesOnWithTheProgressionOrResumes) {
    auto p = makeProfile("HARD", 1, 1);
    EXPECT_EQ(runClicking(950, 745), "GET-NEXT-LEVEL");

    // With a level in progress, what the profile's Continue gives.
    ResetHarness();
    p->gameType = "MAIN-GAME";
    p->actLevel = std::make_shared<StubLevel>("MAIN-GAME");
    EXPECT_EQ(runClicking(950, 745), "MAIN-GAME");
}

TEST_F(MapLoopTest, ClickingAnOpenMarkerPlaysTheChosenLevel) {
    auto p = makeProfile("HARD", 1, 1);
    int runs = 0;
    setStageScreenRunner([&](TMapStage& s) {
        ++runs;
        EXPECT_EQ(s.id, 1);
        return TStageChoice{"PLAY", levelManager.getHardLevelsByStage(1).front()};
    });
    HarnessStart({cmd(10, "move", {"300", "300"}), cmd(12, "click", {"left"}),  // closed: nothing
                  cmd(30, "move", {"100", "100"}), cmd(32, "click", {"left"})},
                 600);
    EXPECT_EQ(mapa.mainLoop(), "MAIN-GAME");
    EXPECT_EQ(runs, 1);
    // No fade-out: the loop ends in the frame of the choice.
    EXPECT_LE(HarnessFrameNumber(), 34);
    EXPECT_EQ(p->flowSequence, 2);
}

TEST_F(MapLoopTest, DrawsChartMarkersArrowAndPanelText) {
    makeProfile("HARD", 1, 1);
    writePng("gfx/gui/mapa/arrow.png", 40, 40);
    writePng("gfx/gui/mapa/panel.png", 1024, 64);
    mapa._setupSelf();
    mapa.prepare();
    ClearRecordedDraws();
    mapa.draw();
    const auto& calls = RecordedDraws();
    auto drawnAt = [&](const std::string& file, float x, float y, float tolerance = 0.5f) {
        return std::any_of(calls.begin(), calls.end(), [&](const DrawCall& d) {
            return d.kind == DrawCall::Image && d.what.find(file) != std::string::npos && std::abs(d.x - x) < tolerance &&
                   std::abs(d.y - y) < tolerance;
        });
    };
    EXPECT_TRUE(drawnAt("mapa.jpg", 512, 384));
    EXPECT_TRUE(drawnAt("panel.png", 0, 704));
    EXPECT_TRUE(drawnAt("arrow.png", 100, 60, 2));  // bobbing just begun
    // Open marker 1 with its cross at full opacity; closed marker 2 the dull mark, faded.
    auto markerAt = [&](float x, float y) -> const DrawCall* {
        for (const auto& d : calls)
            if (d.kind == DrawCall::Image && d.blend == ALPHABLEND && d.x == x && d.y == y &&
                d.what.find("gfx/gui/mapa/stage-") != std::string::npos)
                return &d;
        return nullptr;
    };
    const DrawCall* open = markerAt(100, 100);
    const DrawCall* closed = markerAt(300, 300);
    ASSERT_NE(open, nullptr);
    ASSERT_NE(closed, nullptr);
    EXPECT_NE(open->what.find("stage-1.png"), std::string::npos) << open->what;
    EXPECT_FLOAT_EQ(open->alpha, 1.0f);
    EXPECT_NE(closed->what.find("stage-0.png"), std::string::npos) << closed->what;
    EXPECT_FLOAT_EQ(closed->alpha, 0.3f);
    bool panelText = std::any_of(calls.begin(), calls.end(), [](const DrawCall& d) {
        return d.kind == DrawCall::Text && d.what == "Level 1 - 1" && d.y == 720 && d.r == 247;
    });
    EXPECT_TRUE(panelText);
}

}  // namespace

namespace {

// The map on the shipped tree, when a built one is at hand (ZERKON_ASSET_TREE or the build's
// own assets/): everything it loads is there, the sea sparkles, and "playnext" goes on.
TEST_F(MapFlowTest, MapRunsOnTheBuiltTree) {
    if (std::string why = setupMapOnBuiltTree("gfx/gui/mapa/mapa.jpg"); !why.empty()) GTEST_SKIP() << why;
    ASSERT_EQ(mapa.mapStages.size(), 10u);
    ASSERT_NE(mapa.img, nullptr);
    EXPECT_EQ(ImageWidth(mapa.img), 1024);
    ASSERT_NE(mapa.Gui->getItem("playnext"), nullptr);
    makeProfile("CASUAL", 1, 1);

    ScriptCommand move, click;
    move.frame = 148;
    move.verb = "move";
    move.args = {"934", "736"};
    click.frame = 150;
    click.verb = "click";
    click.args = {"left"};
    HarnessStart({move, click}, 600);
    EXPECT_EQ(mapa.mainLoop(), "GET-NEXT-LEVEL");
    EXPECT_GT(mapa.ambience->sparkleCount(), 50) << HarnessFrameNumber() << " " << Millisecs();
    EXPECT_TRUE(notices.empty()) << notices.front();
    CloseGraphics();
}

}  // namespace
