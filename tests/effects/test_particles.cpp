// Particles: their course by the clock, the list walk, drawing and the image table.
#include <filesystem>
#include <fstream>

#include "effects_fixture.h"
#include "gui/globals.h"

namespace fxtest {
namespace {

using ParticleTest = EffectsTest;

std::shared_ptr<TParticle> straight(int delay, int life, TParticleList* list = nullptr) {
    // From (0, 0) to (100, 200), control halfway: constant speed on a straight line.
    return createParticle(3, 0, 0, 100, 200, 50, 100, createRGB(10, 20, 30), 1, 0, 0.5f, 1.5f, 0,
                          360, kParticleLightBlend, delay, life, list);
}

TEST_F(ParticleTest, WaitsForItsDelayThenAgesFromItsFirstUpdate) {
    auto p = straight(500, 1000);
    struct Step {
        int at;          // clock of the update
        bool inList;
        float per, a, s, r, x, y;
    };
    // Created at 1000: waits until 1500; born at the first update after that (1600).
    const Step steps[] = {
        {1000, true, 0, 1, 0.5f, 0, 0, 0},
        {1499, true, 0, 1, 0.5f, 0, 0, 0},
        {1600, true, 0, 1, 0.5f, 0, 0, 0},
        {2100, true, 0.5f, 0.5f, 1.0f, 180, 50, 100},
        {2350, true, 0.75f, 0.25f, 1.25f, 270, 75, 150},
        {2600, true, 1, 0, 1.5f, 360, 100, 200},  // exactly its life: end values, kept
        {2601, false, 1, 0, 1.5f, 360, 100, 200},  // past it: gone
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.at);
        now = s.at;
        _updateParticles();
        EXPECT_EQ(particlesList.size(), s.inList ? 1u : 0u);
        EXPECT_FLOAT_EQ(p->lifePer, s.per);
        EXPECT_FLOAT_EQ(p->a, s.a);
        EXPECT_FLOAT_EQ(p->s, s.s);
        EXPECT_FLOAT_EQ(p->r, s.r);
        EXPECT_NEAR(p->x, s.x, 1e-3);
        EXPECT_NEAR(p->y, s.y, 1e-3);
    }
    EXPECT_EQ(p->bornTime, 1600);
}

TEST_F(ParticleTest, IsNotDrawnWhileWaitingNorInTheFrameItExpires) {
    straight(500, 400);
    _drawParticles();
    EXPECT_TRUE(RecordedDraws().empty()) << "drawn before its start time";
    now = 1500;
    _updateParticles();
    _drawParticles();
    EXPECT_EQ(RecordedDraws().size(), 1u);
    ClearRecordedDraws();
    now = 1901;
    _updateParticles();
    _drawParticles();
    EXPECT_TRUE(RecordedDraws().empty());
}

TEST_F(ParticleTest, ControlPointShapesTheSpeedAlongTheLine) {
    struct Case {
        const char* name;
        float mx;
        float xAtHalf;
    } cases[] = {{"halfway: constant speed", 50, 50},
                 {"on the start: speeds up", 0, 25},
                 {"on the end: slows down", 100, 75}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        resetParticles();
        TParticle::img.assign(22, nullptr);
        now = 1000;
        auto p = createParticle(0, 0, 0, 100, 0, c.mx, 0, createRGB(255, 255, 255), 1, 1, 1, 1, 0, 0,
                                kParticleLightBlend, 0, 1000);
        _updateParticles();
        now = 1500;
        _updateParticles();
        EXPECT_NEAR(p->x, c.xAtHalf, 1e-3);
    }
}

TEST_F(ParticleTest, AllPointsEqualStaysPutWhileItFadesGrowsAndTurns) {
    auto p = createParticle(0, 40, 60, 40, 60, 40, 60, createRGB(255, 255, 255), 1, 0, 1, 3, 10, 100,
                            kParticleAlphaBlend, 0, 1000);
    _updateParticles();
    now += 400;
    _updateParticles();
    EXPECT_FLOAT_EQ(p->x, 40);
    EXPECT_FLOAT_EQ(p->y, 60);
    EXPECT_FLOAT_EQ(p->a, 0.6f);
    EXPECT_FLOAT_EQ(p->s, 1.8f);
    EXPECT_FLOAT_EQ(p->r, 46);
}

TEST_F(ParticleTest, ExpiringParticlesDoNotMakeTheWalkSkipTheOthers) {
    // Short, long, short, long: both short ones leave in the same walk.
    auto a = straight(0, 10);
    auto b = straight(0, 1000);
    auto c = straight(0, 10);
    auto d = straight(0, 1000);
    _updateParticles();
    now += 100;
    _updateParticles();
    EXPECT_EQ(particlesList.size(), 2u);
    EXPECT_FLOAT_EQ(b->lifePer, 0.1f);
    EXPECT_FLOAT_EQ(d->lifePer, 0.1f);
    _drawParticles();
    EXPECT_EQ(RecordedDraws().size(), 2u);
}

TEST_F(ParticleTest, WithoutAListTheDefaultListIsUsedAndPrivateListsAreLeftAlone) {
    TParticleList mine;
    straight(0, 100);
    straight(0, 100, &mine);
    EXPECT_EQ(particlesList.size(), 1u);
    EXPECT_EQ(mine.size(), 1u);
    _updateParticles();
    now += 200;
    _updateParticles();
    EXPECT_TRUE(particlesList.empty());
    EXPECT_EQ(mine.size(), 1u);
    _updateParticles(&mine);
    now += 200;
    _updateParticles(&mine);
    EXPECT_TRUE(mine.empty());
}

TEST_F(ParticleTest, DrawsWithItsBlendColourAlphaScaleAndRotation) {
    auto p = createParticle(5, 10, 20, 10, 20, 10, 20, createRGB(200, 100, 50), 0.5f, 0.5f, 2, 2, 30,
                            30, kParticleAlphaBlend, 0, 1000);
    createParticle(6, 0, 0, 0, 0, 0, 0, createRGB(255, 255, 255), 1, 1, 1, 1, 0, 0,
                   kParticleLightBlend, 0, 1000);
    _updateParticles();
    _drawParticles();
    const auto& d = RecordedDraws();
    ASSERT_EQ(d.size(), 2u);
    EXPECT_EQ(d[0].blend, ALPHABLEND);
    EXPECT_EQ(d[1].blend, LIGHTBLEND);
    EXPECT_EQ(d[0].r, 200);
    EXPECT_EQ(d[0].g, 100);
    EXPECT_EQ(d[0].b, 50);
    EXPECT_FLOAT_EQ(d[0].alpha, 0.5f);
    EXPECT_FLOAT_EQ(d[0].scaleX, 2);
    EXPECT_FLOAT_EQ(d[0].scaleY, 2);
    EXPECT_FLOAT_EQ(d[0].rotation, 30);
    EXPECT_FLOAT_EQ(d[0].handleX, 4);  // the image's own handle
    (void)p;
}

TEST_F(ParticleTest, AnEmptyOrMissingImageEntryIsNeverDrawn) {
    TParticle::img[7] = nullptr;
    for (int n : {7, 22, -1, 1000}) createParticle(n, 0, 0, 0, 0, 0, 0, createRGB(1, 2, 3), 1, 1, 1, 1, 0, 0, 4, 0, 1000);
    _updateParticles();
    _drawParticles();
    EXPECT_TRUE(RecordedDraws().empty());
}

// ---- the image table ---------------------------------------------------------------------

class ParticleTableTest : public ParticleTest {
protected:
    std::filesystem::path root;

    void SetUp() override {
        ParticleTest::SetUp();
        root = std::filesystem::path(::testing::TempDir()) / "fx_particles_tree";
        std::filesystem::remove_all(root);
        std::filesystem::create_directories(root / "data");
        std::filesystem::create_directories(root / "gfx");
        bDir = root.string() + "/";
        SavePixmapPNG(whitePixmap(20, 30), (root / "gfx" / "spark.png").string());
    }
    void TearDown() override {
        resetGuiGlobals();
        std::filesystem::remove_all(root);
        ParticleTest::TearDown();
    }
    void writeDat(const std::string& body) {
        std::ofstream((root / "data" / "particles.dat").string()) << body;
    }
};

TEST_F(ParticleTableTest, ReadsImagesAndHandlesAndReportsMissingOnes) {
    writeDat(
        "particles {\n"
        "\ti = 3\n"
        "\tp0 = \"gfx/spark.png\"\n"
        "\tp0handle = 0, 12\n"
        "\tp1 = \"gfx/spark.png\"\n"
        "\tp1handle = 8, 12\n"
        "\tp2 = \"gfx/nothing-here.png\"\n"
        "\tp3 = \"gfx/spark.png\"\n"
        "}\n");
    setupParticles();
    ASSERT_EQ(TParticle::img.size(), 4u);
    float hx = 0, hy = 0;
    GetImageHandle(TParticle::img[0], hx, hy);
    EXPECT_FLOAT_EQ(hx, 10);  // a first value of 0: centred
    EXPECT_FLOAT_EQ(hy, 15);
    GetImageHandle(TParticle::img[1], hx, hy);
    EXPECT_FLOAT_EQ(hx, 8);
    EXPECT_FLOAT_EQ(hy, 12);
    EXPECT_EQ(TParticle::img[2], nullptr);
    GetImageHandle(TParticle::img[3], hx, hy);  // no handle entry: centred
    EXPECT_FLOAT_EQ(hx, 10);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0], "Pictures named in \"" + bDir +
                              "data/particles.dat\" are missing or damaged, so those sparkles are not drawn:\n"
                              "- NO PARTICLE IMG: gfx/nothing-here.png");

    // The entry that failed is skipped when drawn; its neighbours draw.
    createParticle(2, 0, 0, 0, 0, 0, 0, createRGB(1, 1, 1), 1, 1, 1, 1, 0, 0, 4, 0, 100);
    createParticle(3, 0, 0, 0, 0, 0, 0, createRGB(1, 1, 1), 1, 1, 1, 1, 0, 0, 4, 0, 100);
    _updateParticles();
    _drawParticles();
    EXPECT_EQ(RecordedDraws().size(), 1u);
}

TEST_F(ParticleTableTest, HighestIndexTwentyOneGivesTwentyTwoEntries) {
    std::string body = "particles {\n\ti = 21\n";
    for (int i = 0; i <= 21; ++i) body += "\tp" + std::to_string(i) + " = \"gfx/spark.png\"\n";
    writeDat(body + "}\n");
    setupParticles();
    EXPECT_EQ(TParticle::img.size(), 22u);
    for (const auto& i : TParticle::img) EXPECT_NE(i, nullptr);
    EXPECT_TRUE(notices.empty());
}

TEST_F(ParticleTableTest, AMissingFileGivesOneEmptyEntryAndOneNoticeAndDrawsNothing) {
    setupParticles();
    ASSERT_EQ(TParticle::img.size(), 1u);
    EXPECT_EQ(TParticle::img[0], nullptr);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].find("\n- NO PARTICLE IMG: "), std::string::npos) << notices[0];
    createTresureParticle(100, 100);
    createDrzazga(100, 100);
    _updateParticles();
    _drawParticles();
    EXPECT_TRUE(RecordedDraws().empty());
}

TEST_F(ParticleTableTest, AnAbsurdCountIsCutInsteadOfLoadingForever) {
    writeDat("particles {\n\ti = 99999999\n}\n");
    setupParticles();
    EXPECT_EQ(TParticle::img.size(), 256u);
    writeDat("particles {\n\ti = -4\n}\n");
    setupParticles();
    EXPECT_EQ(TParticle::img.size(), 1u);
}

}  // namespace
}  // namespace fxtest
