// The particle recipes, one row per factory: each is called many times around one point
// and every particle it makes must stay inside its recipe, reaching the ends of its
// ranges.
#include <cmath>
#include <functional>
#include <set>

#include "effects_fixture.h"

namespace fxtest {
namespace {

constexpr float PX = 100, PY = 200;
constexpr int kSamples = 700;

struct Span {
    float lo, hi;
    bool has(float v) const { return v >= lo - 1e-3f && v <= hi + 1e-3f; }
};
Span exact(float v) { return {v, v}; }

struct Box {
    Span x, y;  // offsets from the point of reference
};

enum class End { Box, Ray, Fixed, RayFromStart };
enum class Ctrl { MidPointEnd, Point, End, Ray, MidStartEnd };

struct Recipe {
    const char* name;
    std::function<void(TParticleList*)> make;
    std::set<int> images;
    Box start;
    End endKind;
    Box end;          // Box: offsets from P; Fixed: the point in lo
    Span endDist;     // Ray kinds
    Ctrl ctrlKind;
    Span ctrlDist;    // Ray
    std::function<bool(const TRGB&)> colour;
    float a0, a1;
    Span s0, s1, r0, r1;
    int blend;
    std::set<int> lives;
    bool givenList;
};

bool gold(const TRGB& c) {
    return std::abs(c.r - 247) <= 7 && std::abs(c.g - 222) <= 7 && std::abs(c.b - 113) <= 7;
}
bool white(const TRGB& c) { return c.r == 255 && c.g == 255 && c.b == 255; }
bool black(const TRGB& c) { return c.r == 0 && c.g == 0 && c.b == 0; }
bool v(int x, int lo = 150) { return x >= lo && x <= 255; }
// A palette colour (light sea, foam, pale gold) at a strength of 150..255 out of 255.
constexpr int kSeaLight[3] = {111, 178, 200}, kFoam[3] = {230, 244, 241}, kGoldLight[3] = {255, 242, 176},
              kGold[3] = {247, 222, 113}, kRedLit[3] = {226, 96, 78};
bool tintOf(const TRGB& c, const int (&t)[3], int lo = 150, int hi = 255) {
    for (int k = lo; k <= hi; ++k)
        if (c.r == t[0] * k / 255 && c.g == t[1] * k / 255 && c.b == t[2] * k / 255) return true;
    return false;
}
// Foam at half strength, so a hint trail's head keeps its colour.
bool hintCol(const TRGB& c) { return tintOf(c, kSeaLight) || tintOf(c, kFoam, 75, 127); }

bool livingTrail(const TRGB& c) { return tintOf(c, kSeaLight) || tintOf(c, kFoam) || tintOf(c, kGoldLight); }

const std::shared_ptr<TRGB> kGiven = createRGB(12, 34, 56);
bool given(const TRGB& c) { return &c == kGiven.get(); }

const Box kAt{exact(0), exact(0)};
const Box kJit10{{-10, 10}, {-10, 10}};
const Box kTrail{{-5, 5}, {50, 80}};
const Span k360{0, 360};

std::vector<Recipe> recipes() {
    auto L = kParticleLightBlend, A = kParticleAlphaBlend;
    return {
        {"createCircleParticle", [](TParticleList*) { createCircleParticle(5, kGiven, PX, PY, 90, 50); },
         {5}, kAt, End::Box, {exact(0), exact(50)}, {}, Ctrl::End, {}, given, 1, 0, exact(0.5f), {0.6f, 1},
         exact(0), exact(0), L, {700}, false},
        {"createSeaParticle", [](TParticleList* l) { createSeaParticle(PX, PY, l); }, {0, 1}, kAt, End::Box,
         kJit10, {}, Ctrl::Point, {},
         [](const TRGB& c) { return white(c) || (c.r == c.g && v(c.r, 200) && c.b == 255); }, 1, 0,
         exact(0.3f), exact(0), exact(0), exact(360), L, {1000}, true},
        {"createTresureParticle", [](TParticleList*) { createTresureParticle(PX, PY); }, {0, 1}, kJit10,
         End::Box, kTrail, {}, Ctrl::MidPointEnd, {}, gold, 1, 0, exact(0.5f), exact(0.3f), exact(0),
         exact(360), L, {400}, false},
        {"createSkarbParticle", [](TParticleList* l) { createSkarbParticle(PX, PY, l); }, {0}, kAt, End::Box,
         kAt, {}, Ctrl::Point, {}, [](const TRGB& c) { return tintOf(c, kGold, 200); }, 1, 0,
         exact(0), exact(1), exact(0), exact(30), L, {1000}, true},
        {"createTresureParticle2", [](TParticleList*) { createTresureParticle2(PX, PY); }, {0, 1}, kJit10,
         End::Box, kTrail, {}, Ctrl::MidPointEnd, {},
         [](const TRGB& c) { return tintOf(c, kGold); }, 1, 0, exact(1), exact(0.5f),
         exact(0), exact(360), L, {800}, false},
        {"createTresureParticle3", [](TParticleList*) { createTresureParticle3(PX, PY); }, {0, 1}, kJit10,
         End::Box, kTrail, {}, Ctrl::MidPointEnd, {}, white, 1, 0, exact(1), exact(0.5f), exact(0),
         exact(360), L, {800}, false},
        {"createSparkParticle", [](TParticleList* l) { createSparkParticle(PX, PY, l); }, {0}, kAt, End::Box,
         kAt, {}, Ctrl::Point, {}, white, 1, 0, exact(0.5f), exact(2), exact(0), exact(90), L, {1000}, true},
        {"createSwordParticle", [](TParticleList*) { createSwordParticle(PX, PY, kGiven); }, {0}, kJit10,
         End::Box, {{-5, 5}, {-10, 10}}, {}, Ctrl::MidPointEnd, {}, given, 1, 0, exact(0.5f), exact(0.3f),
         exact(1), exact(360), L, {800}, false},
        {"createMedalionParticle", [](TParticleList*) { createMedalionParticle(PX, PY, kGiven); }, {0},
         kJit10, End::Box, {{-5, 5}, {-10, 10}}, {}, Ctrl::MidPointEnd, {}, given, 1, 0, exact(0.5f),
         exact(0.3f), exact(1), exact(360), L, {400}, false},
        {"createOkoParticle w 30 h 21", [](TParticleList*) { createOkoParticle(PX, PY, 30, 21); }, {0, 1},
         {{-15, 15}, {-10, 10}}, End::Box, {{-15, 15}, {-10, 10}}, {}, Ctrl::MidPointEnd, {},
         [](const TRGB& c) { return tintOf(c, kSeaLight); }, 1, 0, exact(0.5f), exact(0.3f),
         exact(0), exact(360), L, {400}, false},
        {"createDrzazga", [](TParticleList*) { createDrzazga(PX, PY); }, {6, 7}, kJit10, End::Box,
         {{-30, 30}, {-30, 30}}, {}, Ctrl::MidPointEnd, {}, white, 1, 0, exact(0.5f), exact(0.3f), exact(0),
         exact(720), A, {400, 600, 800, 1000, 1200}, false},
        {"createKurz w 7.9", [](TParticleList*) { createKurz(PX, PY, 7.9f); }, {10}, {{-7, 7}, {-7, 7}},
         End::Box, {{-3, 3}, {70, 120}}, {}, Ctrl::MidPointEnd, {},
         [](const TRGB& c) { return c.r == c.g && c.g == c.b && v(c.r); }, 0.6f, 0, exact(1), exact(1),
         exact(0), exact(360), A, {200, 400, 600}, false},
        {"createDrzazga2", [](TParticleList*) { createDrzazga2(PX, PY); }, {8, 9}, kJit10, End::Box,
         {{-30, 30}, {-30, 30}}, {}, Ctrl::MidPointEnd, {}, white, 1, 0, exact(1), exact(1), exact(0),
         exact(720), A, {400, 600, 800, 1000, 1200}, false},
        {"createHintParticle", [](TParticleList*) { createHintParticle(PX, PY); }, {0, 1}, kAt, End::Ray, {},
         {5, 10}, Ctrl::Ray, {20, 30}, hintCol, 1, 0, exact(1), exact(1.3f), exact(0), exact(360), L, {500},
         false},
        {"createHintParticle1", [](TParticleList*) { createHintParticle1(PX, PY); }, {0, 1}, kAt, End::Ray,
         {}, {5, 10}, Ctrl::Ray, {5, 10}, hintCol, 1, 0, exact(1), exact(1.3f), exact(0), exact(360), L,
         {2000}, false},
        {"createHintParticle2", [](TParticleList*) { createHintParticle2(PX, PY); }, {0, 1}, kAt, End::Ray,
         {}, {10, 25}, Ctrl::Ray, {10, 20}, hintCol, 1, 0, exact(1), exact(1.3f), exact(0), exact(360), L,
         {2000}, false},
        {"createLivingParticle", [](TParticleList*) { createLivingParticle(PX, PY); }, {0, 1}, kAt, End::Ray,
         {}, {15, 100}, Ctrl::Ray, {20, 80},
         [](const TRGB& c) { return tintOf(c, kRedLit) || tintOf(c, kGold) || tintOf(c, kFoam); },
         1, 0, exact(1), exact(1.3f), exact(0), exact(360), L, {500}, false},
        {"createLivingParticle2", [](TParticleList*) { createLivingParticle2(PX, PY); }, {0, 1},
         {{-5, 5}, {-5, 5}}, End::RayFromStart, {}, {5, 20}, Ctrl::MidStartEnd, {},
         livingTrail, 1, 0, exact(1), exact(1), exact(0),
         exact(360), A, {1500}, false},
        {"createHOPickParticle0", [](TParticleList*) { createHOPickParticle0(PX, PY); }, {0, 1}, kAt,
         End::Ray, {}, {15, 40}, Ctrl::Ray, {20, 30}, hintCol, 1, 0, exact(1), exact(1.3f), exact(0),
         exact(360), L, {500}, false},
        {"createHOPickParticle1", [](TParticleList*) { createHOPickParticle1(PX, PY); }, {0, 1}, kAt,
         End::Ray, {}, {15, 40}, Ctrl::Ray, {20, 30},
         [](const TRGB& c) { return tintOf(c, kGold) || tintOf(c, kGoldLight); }, 1, 0, exact(1),
         exact(1.3f), exact(0), exact(360), L, {500}, false},
        {"createShipFireParticle", [](TParticleList* l) { createShipFireParticle(100, 200, l); }, {12, 13, 14},
         kAt, End::Box, {{-10, 10}, {-25, -15}}, {}, Ctrl::MidPointEnd, {}, white, 1, 0, exact(0.3f),
         exact(0.5f), exact(0), exact(720), L, {1000}, true},
        {"createBlastParticle", [](TParticleList* l) { createBlastParticle(100, 200, 300, 400, l); },
         {12, 13, 14}, kAt, End::Box, {exact(200), exact(200)}, {}, Ctrl::MidPointEnd, {}, white, 1, 0,
         exact(0.3f), exact(0.5f), {-10, 0}, {0, 10}, L, {1000}, true},
        {"createShipSmokeParticle", [](TParticleList* l) { createShipSmokeParticle(100, 200, l); }, {15, 16},
         kAt, End::Box, {{-5, 5}, {-250, -100}}, {}, Ctrl::MidPointEnd, {}, black, 1, 0, exact(0.3f),
         exact(0.5f), {-10, 0}, {0, 10}, A, {3000}, true},
        {"createCannonBallSmokeParticle", [](TParticleList* l) { createCannonBallSmokeParticle(100, 200, l); },
         {15, 16}, kAt, End::Box, {{-5, 5}, {-5, 5}}, {}, Ctrl::MidPointEnd, {}, black, 1, 0, exact(0.1f),
         exact(0.2f), {-10, 0}, {0, 10}, A, {1000}, true},
        {"createBankaParticle", [](TParticleList* l) { createBankaParticle(100, 200, l); }, {4, 19, 20, 21},
         kAt, End::Box, kAt, {}, Ctrl::Point, {}, white, 1, 0, exact(0.3f), exact(1), exact(0), exact(360), A,
         {500}, true},
        {"createCannonBallFireParticle", [](TParticleList* l) { createCannonBallFireParticle(100, 200, l); },
         {17, 18}, kAt, End::Box, {{-5, 5}, {-5, 5}}, {}, Ctrl::MidPointEnd, {}, white, 1, 0, exact(0.5f),
         exact(1), exact(0), {180, 360}, L, {500}, true},
        {"createMapStageParticle", [](TParticleList*) { createMapStageParticle(PX, PY, kGiven); }, {0},
         {{-20, 20}, {-20, 20}}, End::Box, {{-5, 5}, {-10, 10}}, {}, Ctrl::MidPointEnd, {}, given, 1, 0,
         exact(0.5f), exact(0.3f), exact(1), exact(360), L, {800}, false},
    };
}

float dist(float ax, float ay, float bx, float by) { return std::hypot(ax - bx, ay - by); }

struct Extremes {
    float lo = 1e9f, hi = -1e9f;
    void see(float v) { lo = std::min(lo, v), hi = std::max(hi, v); }
};

using FactoryTest = EffectsTest;

TEST_F(FactoryTest, EveryRecipeStaysInsideItsRangesAndReachesTheirEnds) {
    for (const Recipe& rc : recipes()) {
        SCOPED_TRACE(rc.name);
        TParticleList mine;
        particlesList.clear();
        Extremes sx, sy, ex, ey, ed, cd;
        std::set<int> images, lives;
        for (int i = 0; i < kSamples; ++i) {
            SeedRnd(1000 + i);
            rc.make(&mine);
            TParticleList& got = rc.givenList ? mine : particlesList;
            ASSERT_EQ(got.size(), 1u) << "one particle per call, in the "
                                      << (rc.givenList ? "given" : "global") << " list";
            ASSERT_TRUE((rc.givenList ? particlesList : mine).empty());
            const TParticle& p = *got.front();
            images.insert(p.n);
            lives.insert(p.lifeTime);
            const float rx = p.x1 - PX, ry = p.y1 - PY;
            EXPECT_TRUE(rc.start.x.has(rx) && rc.start.y.has(ry)) << rx << "," << ry;
            sx.see(rx), sy.see(ry);
            // The path begins on the start point.
            EXPECT_FLOAT_EQ(p.x, p.x1);
            EXPECT_FLOAT_EQ(p.y, p.y1);
            switch (rc.endKind) {
                case End::Box:
                    EXPECT_TRUE(rc.end.x.has(p.x2 - PX) && rc.end.y.has(p.y2 - PY)) << p.x2 << "," << p.y2;
                    ex.see(p.x2 - PX), ey.see(p.y2 - PY);
                    break;
                case End::Ray:
                case End::RayFromStart: {
                    const float d = rc.endKind == End::Ray ? dist(p.x2, p.y2, PX, PY)
                                                           : dist(p.x2, p.y2, p.x1, p.y1);
                    EXPECT_TRUE(rc.endDist.has(d)) << d;
                    ed.see(d);
                    break;
                }
                default: break;
            }
            switch (rc.ctrlKind) {
                case Ctrl::MidPointEnd:
                    EXPECT_NEAR(p.mx, PX + (p.x2 - PX) / 2, 1e-3);
                    EXPECT_NEAR(p.my, PY + (p.y2 - PY) / 2, 1e-3);
                    break;
                case Ctrl::Point:
                    EXPECT_FLOAT_EQ(p.mx, PX);
                    EXPECT_FLOAT_EQ(p.my, PY);
                    break;
                case Ctrl::End:
                    EXPECT_FLOAT_EQ(p.mx, p.x2);
                    EXPECT_FLOAT_EQ(p.my, p.y2);
                    break;
                case Ctrl::Ray: {
                    const float d = dist(p.mx, p.my, PX, PY);
                    EXPECT_TRUE(rc.ctrlDist.has(d)) << d;
                    cd.see(d);
                    break;
                }
                case Ctrl::MidStartEnd:
                    EXPECT_NEAR(p.mx, (p.x1 + p.x2) / 2, 1e-3);
                    EXPECT_NEAR(p.my, (p.y1 + p.y2) / 2, 1e-3);
                    break;
            }
            ASSERT_TRUE(p.rgb);
            EXPECT_TRUE(rc.colour(*p.rgb)) << p.rgb->r << "," << p.rgb->g << "," << p.rgb->b;
            EXPECT_FLOAT_EQ(p.startA, rc.a0);
            EXPECT_FLOAT_EQ(p.da, rc.a1);
            EXPECT_TRUE(rc.s0.has(p.startS) && rc.s1.has(p.ds)) << p.startS << " -> " << p.ds;
            EXPECT_TRUE(rc.r0.has(p.startR) && rc.r1.has(p.dr)) << p.startR << " -> " << p.dr;
            EXPECT_EQ(p.blend, rc.blend);
            EXPECT_EQ(p.startTime, now) << "no factory waits";
            got.clear();
            if (::testing::Test::HasFailure()) return;
        }
        EXPECT_EQ(images, rc.images);
        EXPECT_EQ(lives, rc.lives);
        auto reaches = [](const Extremes& e, Span s, const char* what) {
            EXPECT_NEAR(e.lo, s.lo, 0.5) << what;
            EXPECT_NEAR(e.hi, s.hi, 0.5) << what;
        };
        if (rc.start.x.lo != rc.start.x.hi) reaches(sx, rc.start.x, "start x");
        if (rc.start.y.lo != rc.start.y.hi) reaches(sy, rc.start.y, "start y");
        if (rc.endKind == End::Box && rc.end.x.lo != rc.end.x.hi) reaches(ex, rc.end.x, "end x");
        if (rc.endKind == End::Box && rc.end.y.lo != rc.end.y.hi) reaches(ey, rc.end.y, "end y");
    }
}

TEST_F(FactoryTest, BoomsMakeAnAlphaLayerThenALightLayerOverIt) {
    struct Case {
        const char* name;
        std::function<void()> make;
        float s0;
        int life;
    } cases[] = {{"createBoom", [] { createBoom(kGiven, 30, 40, 2); }, 0.1f, 1000},
                 {"createBoom2", [] { createBoom2(kGiven, 30, 40, 2, 0.7f); }, 0.7f, 400}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        particlesList.clear();
        c.make();
        ASSERT_EQ(particlesList.size(), 2u);
        const TParticle& first = *particlesList.front();
        const TParticle& second = *particlesList.back();
        EXPECT_EQ(first.blend, kParticleAlphaBlend);
        EXPECT_EQ(second.blend, kParticleLightBlend);
        EXPECT_FLOAT_EQ(first.startA, 1);
        EXPECT_FLOAT_EQ(second.startA, 0.3f);
        for (const TParticle* p : {&first, &second}) {
            EXPECT_EQ(p->n, 11);
            EXPECT_EQ(p->rgb, kGiven);
            EXPECT_FLOAT_EQ(p->startS, c.s0);
            EXPECT_FLOAT_EQ(p->ds, 3);
            EXPECT_FLOAT_EQ(p->x2, 30);
            EXPECT_FLOAT_EQ(p->my, 40);
            EXPECT_EQ(p->lifeTime, c.life);
        }
    }
}

TEST_F(FactoryTest, DustOfHalfAPixelStartsExactlyOnThePoint) {
    for (int i = 0; i < 50; ++i) {
        createKurz(PX, PY, 0.5f);
        EXPECT_FLOAT_EQ(particlesList.back()->x1, PX);
        EXPECT_FLOAT_EQ(particlesList.back()->y1, PY);
    }
}

TEST_F(FactoryTest, BubblesUseTheAlternateImageAboutTwoTimesInSeven) {
    TParticleList bubbles;
    const int n = 7000;
    for (int i = 0; i < n; ++i) createBankaParticle(0, 0, &bubbles);
    int alternate = 0;
    for (const auto& p : bubbles) alternate += p->n == 4;
    EXPECT_NEAR(double(alternate) / n, 2.0 / 7.0, 0.03);
}

TEST_F(FactoryTest, NoFactoryChangesTheColourItIsGiven) {
    createCircleParticle(0, kGiven, 0, 0, 0, 10);
    createSwordParticle(0, 0, kGiven);
    createMedalionParticle(0, 0, kGiven);
    createMapStageParticle(0, 0, kGiven);
    createBoom(kGiven, 0, 0, 1);
    createBoom2(kGiven, 0, 0, 1, 0.2f);
    for (int i = 0; i < 10; ++i) {
        _updateParticles();
        advance(100);
    }
    EXPECT_EQ(kGiven->r, 12);
    EXPECT_EQ(kGiven->g, 34);
    EXPECT_EQ(kGiven->b, 56);
}

TEST_F(FactoryTest, OwnColoursAreNewForEveryParticle) {
    createTresureParticle(0, 0);
    createTresureParticle(0, 0);
    EXPECT_NE(particlesList.front()->rgb, particlesList.back()->rgb);
}

}  // namespace
}  // namespace fxtest
