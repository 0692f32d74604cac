// The story start and the outro under the frame clock: the story start's ten states in order
// and their lengths, the lid going with the pistol, the plane's path and its smoke, the skip
// after 2 s; the outro's four scenes, cross-fades and closing; and the router's roads from a
// new game through the story start, and from the last level through the outro and the
// credits to the main menu and, past the end, the end of the levels.
#include <cmath>
#include <map>

#include "app/profile/profile_world.h"
#include "app/router.h"
#include "effects/leaf.h"
#include "screens/story/plane_smoke.h"
#include "screens/story/story_install.h"
#include "screens/story/story_outro.h"
#include "screens/story/story_start.h"
#include "story_fixture.h"

namespace storytest {
namespace {

class SequenceTest : public StoryTest {
protected:
    void SetUp() override {
        StoryTest::SetUp();
        resetStoryStart();
        resetStoryOutro();
        openDisplay();
    }
    void TearDown() override {
        resetStoryStart();
        resetStoryOutro();
        StoryTest::TearDown();
    }
    // Starts the harness with `script` and lets the clock settle.
    void startScript(std::vector<ScriptCommand> script, int limit = 20000) {
        ResetHarness();
        HarnessStart(std::move(script), limit);
        settleDelta();
    }
    // The recorded image draws of the last frame whose file name holds `part`.
    static std::vector<DrawCall> imageDraws(const std::string& part) {
        std::vector<DrawCall> out;
        for (const auto& d : RecordedDraws())
            if (d.kind == DrawCall::Image && d.what.find(part) != std::string::npos) out.push_back(d);
        return out;
    }
};

class StoryStartTest : public SequenceTest {
protected:
    void SetUp() override {
        SequenceTest::SetUp();
        writePng("gfx/story/start/back-01-up.jpg", 1024, 600);
        writePng("gfx/story/start/back-01-down.jpg", 1024, 600);
        writePng("gfx/story/start/chest.png", 860, 520);
        writePng("gfx/story/start/pistol.png", 360, 170);
        for (int i = 1; i <= 3; ++i) writePng("gfx/story/start/back-03-" + std::to_string(i) + ".jpg", 1100, 448);
        writePng("gfx/story/start/plane.png", 240, 120);
        write("txt/en/story-start.txt", "Once\n");
        write("data/story-start.dat", storyFile({{1, 512, 688, 1000, 3000, 0}}));
    }
};

TEST_F(StoryStartTest, TenStatesInOrderEachForItsTime) {
    startScript({});
    TStoryStart s;
    s.prepare();
    std::vector<std::pair<std::string, int>> seen;  // state and the frame it began
    int frame = 0;
    while (s.frame()) {
        ++frame;
        if (seen.empty() || seen.back().first != s.state) seen.emplace_back(s.state, frame);
    }
    const struct {
        const char* state;
        float seconds;  // how long it lasts at 60 frames a second
    } expected[] = {
        {"SCENE-1-BEGIN", 8.33f}, {"SCENE-1-CHEST", 3.33f}, {"SCENE-1-WAIT", 0.017f}, {"SCENE-1-PISTOL", 2.38f},
        {"SCENE-2-BEGIN", 6.67f}, {"SCENE-2-HERO", 8.33f},  {"SCENE-2-WAIT", 1.0f},   {"SCENE-3-BEGIN", 1.67f},
        {"SCENE-3-FLY", 31.67f},  {"SCENE-3-IN", 11.67f + 1.67f},
    };
    ASSERT_EQ(seen.size(), std::size(expected));
    for (size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i].first, expected[i].state);
        const int end = i + 1 < seen.size() ? seen[i + 1].second : frame + 1;
        const float frames = float(end - seen[i].second);
        EXPECT_NEAR(frames, expected[i].seconds * 60, 4 + expected[i].seconds * 60 * 0.03f) << expected[i].state;
    }
    EXPECT_FLOAT_EQ(s.moveP, 1);
    EXPECT_FLOAT_EQ(s.scene3X, 1024 - 3300) << "the pan ends on the panorama's right end";
}

TEST_F(StoryStartTest, AClickSkipsOnlyAfterTwoSeconds) {
    struct Case {
        int clickFrame;
        int minFrames, maxFrames;
    };
    // 1 s: nothing happens (ended by the second click at 3 s); 2.5 s: 100 frames of fade.
    for (const Case& c : {Case{60, 270, 290}, Case{150, 240, 260}}) {
        SCOPED_TRACE(c.clickFrame);
        auto script = clickAt(c.clickFrame, 500, 400);
        if (c.clickFrame < 120)
            for (auto& cmd : clickAt(180, 500, 400)) script.push_back(cmd);
        startScript(script);
        const int before = HarnessFrameNumber();
        TStoryStart s;
        EXPECT_EQ(s.mainLoop(), "GET-NEXT-LEVEL");
        const int frames = HarnessFrameNumber() - before;
        EXPECT_GE(frames, c.minFrames);
        EXPECT_LE(frames, c.maxFrames);
        EXPECT_EQ(s.state, "SCENE-1-BEGIN");
    }
}

TEST_F(StoryStartTest, TheLidGrowsAndFadesWithThePistol) {
    startScript({});
    TStoryStart s;
    s.prepare();
    while (s.state != "SCENE-1-PISTOL") ASSERT_TRUE(s.frame());
    while (s.p < 0.75f) {
        ClearRecordedDraws();
        ASSERT_TRUE(s.frame());
    }
    auto lid = imageDraws("chest.png");
    auto gun = imageDraws("pistol.png");
    ASSERT_EQ(lid.size(), 1u);
    ASSERT_EQ(gun.size(), 1u);
    EXPECT_LT(s.pistolA, 0.6f);
    EXPECT_FLOAT_EQ(lid[0].alpha, gun[0].alpha);
    EXPECT_FLOAT_EQ(lid[0].scaleX, gun[0].scaleX);
    EXPECT_NEAR(lid[0].rotation, 35, 1e-3) << "the lid keeps its own angle";
    EXPECT_FLOAT_EQ(lid[0].x, 1024 + 300);
}

TEST_F(StoryStartTest, ThePlaneCrossesThePanoramaTrailingPairsOfPuffs) {
    startScript({});
    TStoryStart s;
    s.prepare();
    while (s.state != "SCENE-3-FLY") ASSERT_TRUE(s.frame());
    for (int i = 0; i < 300; ++i) ASSERT_TRUE(s.frame());
    const float w = 3300;
    EXPECT_NEAR(s.px, s.scene3X + 200 + w * s.moveP, 1e-2);
    EXPECT_NEAR(s.py, 280 + 50 * std::cos(720 * s.moveP * 3.14159265f / 180), 1e-2);
    // A pair once the clock is past the last pair by 50 ms: every fourth frame at 60 frames a
    // second. Each puff lives about 150 frames, so about 37 pairs are alive.
    const size_t puffs = fx::live(TPlaneSmoke::planeSmokes);
    EXPECT_GE(puffs, 70u);
    EXPECT_LE(puffs, 80u);
    ClearRecordedDraws();
    ASSERT_TRUE(s.frame());
    // The newest pair stands 43 px behind and 10 px ahead of the plane's place on the panorama.
    auto last = TPlaneSmoke::planeSmokes.back();
    auto before = *std::prev(TPlaneSmoke::planeSmokes.end(), 2);
    EXPECT_NEAR(last->x - before->x, 53, 1.01);
    EXPECT_EQ(imageDraws("plane.png").size(), 1u);
}

TEST(PlaneSmoke, GrowsThenFadesAndLeavesTheList) {
    resetPlaneSmoke();
    delta = 1;
    auto a = TPlaneSmoke::createNewPlaneSmoke(10, 20);
    auto b = TPlaneSmoke::createNewPlaneSmoke(30, 40);
    int frames = 0;
    while (!TPlaneSmoke::planeSmokes.empty() && frames < 1000) {
        TPlaneSmoke::updateAll();
        ++frames;
        if (a->s <= 1.5f) {
            EXPECT_FLOAT_EQ(a->a, 1);
        }
    }
    // 100 frames to reach 1.5 times its size, 50 to fade: both leave together.
    EXPECT_NEAR(frames, 151, 1);
    EXPECT_FLOAT_EQ(a->a, 0);
    EXPECT_NEAR(a->r, 0.5f * float(frames), 1e-3);
    EXPECT_TRUE(b->_dead);
    resetPlaneSmoke();
}

class OutroTest : public SequenceTest {
protected:
    void SetUp() override {
        SequenceTest::SetUp();
        writePng("gfx/story/Outro/sc1/background.png", 2500, 600);
        writePng("gfx/story/Outro/sc1/bags.png", 1800, 600);
        writePng("gfx/story/Outro/sc2/background.png", 2400, 600);
        writePng("gfx/story/Outro/sc2/plane.png", 240, 120);
        writePng("gfx/story/Outro/sc3/background.png", 1024, 768);
        writePng("gfx/story/Outro/sc3/plane.png", 240, 120);
        writePng("gfx/story/Outro/sc4/background.png", 1024, 768);
        write("txt/en/storyOutro.txt", "The end\n");
        write("data/storyOutro.dat", storyFile({{1, 512, 688, 1000, 3000, 0}}));
    }
};

TEST_F(OutroTest, FourScenesCrossFadeAndTheCreditsFollow) {
    startScript({});
    credits.wynik = "";
    storyOutro.prepare();
    const int32_t start = Millisecs();
    std::map<int, int32_t> began;  // scene -> ms after the start
    bool scene1UnderScene2 = false, scene1AfterFade = false;
    while (storyOutro.frame()) {
        if (!began.count(storyOutro.scene)) began[storyOutro.scene] = Millisecs() - start;
        const bool sc1 = !imageDraws("sc1/background").empty();
        if (storyOutro.scene == 2 && storyOutro.a > 0 && storyOutro.a < 1 && sc1) scene1UnderScene2 = true;
        if (storyOutro.scene == 2 && storyOutro.a == 1 && sc1) scene1AfterFade = true;
        ClearRecordedDraws();
    }
    EXPECT_NEAR(began[2], 23000, 40);
    EXPECT_NEAR(began[3], 38000, 60);
    EXPECT_NEAR(began[4], 48000, 80);
    EXPECT_TRUE(scene1UnderScene2) << "scene 1 goes on beneath the cross-fade";
    EXPECT_FALSE(scene1AfterFade);
    // 13 s of scene 4, then 200 frames of closing veil.
    const int32_t total = Millisecs() - start;
    EXPECT_NEAR(total, 61000 + 3333, 150);
}

TEST_F(OutroTest, AClickClosesItKeysDoNotAndTheCreditsReturnToTheMenu) {
    auto script = std::vector<ScriptCommand>{cmd(100, "key", {"ESCAPE"}), cmd(110, "key", {"SPACE"}),
                                             cmd(120, "key", {"ENTER"})};
    for (auto& c : clickAt(400, 500, 400)) script.push_back(c);
    startScript(script);
    const int before = HarnessFrameNumber();
    EXPECT_EQ(storyOutro.mainLoop(), "CREDITS");
    const int frames = HarnessFrameNumber() - before;
    EXPECT_GE(frames, 590) << "no key closed it";
    EXPECT_LE(frames, 610);
    EXPECT_EQ(credits.wynik, "NONE");
    // A second run starts again from the first scene with the texts read again.
    startScript({cmd(5, "click", {"left"})});
    storyOutro.prepare();
    EXPECT_EQ(storyOutro.scene, 1);
    EXPECT_FLOAT_EQ(storyOutro.a3, 0);
    EXPECT_EQ(storyOutro.storyTexts.size(), 1u);
}

// A progression of the test's making: the story start, the map; or the outro at the end.
class WalkWorld : public TProfileWorld {
public:
    TLevelDataList entries;
    std::shared_ptr<TLevelData> flowEntry(const std::string& flowType, int32_t nr) override {
        if (flowType != "CASUAL") return nullptr;
        for (auto& e : entries)
            if (e->nr == nr) return e;
        return nullptr;
    }
};

class RouterWalkTest : public SequenceTest {
protected:
    void SetUp() override {
        SequenceTest::SetUp();
        setProfileWorld(&world);
        control::reset();
        installProfilePlaces();
        installStoryScreens();
        // The places outside the story end the walk where they are reached.
        for (const char* place : {"MAPA", "MAIN-MENU"}) control::bind(place, [] { return std::string("END"); });
        world.entries = {entry(1, 1, "STORY-START", 1), entry(2, 1, "MAPA", 1), entry(3, 3, "STORY-OUTRO", 10)};
        player = makeProfile();
        player->flowType = "CASUAL";
    }
    void TearDown() override {
        control::reset();
        setProfileWorld(nullptr);
        SequenceTest::TearDown();
    }
    std::vector<std::string> walk(const std::string& from) {
        std::vector<std::string> road;
        control::where = from;
        while (control::where != "END" && road.size() < 20) {
            road.push_back(control::where);
            control::runPass();
        }
        return road;
    }
    WalkWorld world;
    std::shared_ptr<menutest::FakeProfile> player;
};

TEST_F(RouterWalkTest, ANewGameOpensWithTheStoryThenTheMap) {
    startScript(clickAt(150, 500, 400));
    EXPECT_EQ(walk("START-NEW-GAME"),
              (std::vector<std::string>{"START-NEW-GAME", "GET-NEXT-LEVEL", "STORY-START", "GET-NEXT-LEVEL", "MAPA"}));
    EXPECT_EQ(player->flowSequence, 2);
}

TEST_F(RouterWalkTest, TheLastLevelLeadsThroughTheOutroAndCreditsToTheMenuThenTheEnd) {
    player->flowSequence = 2;
    // Click through the outro (after its fade-in) and the credits.
    auto script = clickAt(300, 500, 400);
    for (auto& c : clickAt(700, 500, 400)) script.push_back(c);
    startScript(script);
    EXPECT_EQ(walk("GET-NEXT-LEVEL"),
              (std::vector<std::string>{"GET-NEXT-LEVEL", "STORY-OUTRO", "CREDITS", "MAIN-MENU"}));
    // Continuing past the end: the end of the levels, and the voyage starts over.
    player->numerStageu = 10;
    startScript(clickAt(60, 500, 400));
    EXPECT_EQ(walk("GET-NEXT-LEVEL"), (std::vector<std::string>{"GET-NEXT-LEVEL", "END-OF-LEVELS", "MAIN-MENU"}));
    EXPECT_EQ(player->flowSequence, 0);
    EXPECT_EQ(player->numerStageu, 1);
}

}  // namespace
}  // namespace storytest
