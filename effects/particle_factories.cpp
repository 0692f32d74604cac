// The particle recipes. Each draws its random values and makes one particle (the booms
// two); none waits before it begins and none changes a colour it is given.
#include <cmath>

#include "effects/particles.h"
#include "platform/system.h"

namespace {

constexpr float kPi = 3.14159265358979f;
constexpr int A = kParticleAlphaBlend;
constexpr int L = kParticleLightBlend;

struct Pt {
    float x, y;
};

float rnd(int lo, int hi) { return float(Rand(lo, hi)); }

// Q + (d cos t, d sin t), t in degrees.
Pt ray(Pt q, float d, float deg) {
    const float t = deg * kPi / 180.0f;
    return {q.x + d * std::cos(t), q.y + d * std::sin(t)};
}

Pt mid(Pt p, Pt e) { return {p.x + (e.x - p.x) / 2, p.y + (e.y - p.y) / 2}; }

std::shared_ptr<TRGB> rgb(int r, int g, int b) { return createRGB(r, g, b); }
std::shared_ptr<TRGB> white() { return rgb(255, 255, 255); }

void make(int n, Pt start, Pt end, Pt ctrl, std::shared_ptr<TRGB> colour, float a, float da,
          float s, float ds, float r, float dr, int blend, int life, TParticleList* list = nullptr) {
    createParticle(n, start.x, start.y, end.x, end.y, ctrl.x, ctrl.y, std::move(colour), a, da, s,
                   ds, r, dr, blend, 0, life, list);
}

// A palette colour at a strength of v out of 255.
std::shared_ptr<TRGB> tint(const int (&c)[3], int v) { return rgb(c[0] * v / 255, c[1] * v / 255, c[2] * v / 255); }

constexpr int kSeaLight[3] = {111, 178, 200};
constexpr int kFoam[3] = {230, 244, 241};
constexpr int kGoldLight[3] = {255, 242, 176};
constexpr int kGold[3] = {247, 222, 113};

// The sparkle colour of hints and finds: light sea or foam, the water's own glints. Foam
// at half strength: six of them are laid on one spot every frame, and at full strength the
// head of a hint's trail burns out to a white blob on the board.
std::shared_ptr<TRGB> hintColour() {
    const int v = Rand(150, 255);
    return Rand(0, 1) == 1 ? tint(kSeaLight, v) : tint(kFoam, v / 2);
}

// A sparkle bursting out of P: end and control in directions of their own.
void burst(float x, float y, int d1, int d2, int c1, int c2, std::shared_ptr<TRGB> (*colour)(),
           int life) {
    const int n = Rand(0, 1);
    const Pt p{x, y};
    const Pt end = ray(p, rnd(d1, d2), rnd(0, 360));
    const Pt ctrl = ray(p, rnd(c1, c2), rnd(0, 360));
    make(n, p, end, ctrl, colour(), 1, 0, 1, 1.3f, 0, 360, L, life);
}

// Jittered start, end below or around P, control halfway between P and the end.
void drift(int n, float x, float y, int jx, int jy, Pt end, std::shared_ptr<TRGB> colour, float a,
           float da, float s, float ds, float r, float dr, int blend, int life,
           TParticleList* list = nullptr) {
    const Pt start{x + rnd(-jx, jx), y + rnd(-jy, jy)};
    make(n, start, end, mid({x, y}, end), std::move(colour), a, da, s, ds, r, dr, blend, life, list);
}

}  // namespace

void createBoom(const std::shared_ptr<TRGB>& colour, int x, int y, float k) {
    const Pt p{float(x), float(y)};
    make(11, p, p, p, colour, 1, 0, 0.1f, 1.5f * k, 0, 360, A, 1000);
    make(11, p, p, p, colour, 0.3f, 0, 0.1f, 1.5f * k, 0, 360, L, 1000);
}

void createBoom2(const std::shared_ptr<TRGB>& colour, int x, int y, float k, float s0) {
    const Pt p{float(x), float(y)};
    make(11, p, p, p, colour, 1, 0, s0, 1.5f * k, 0, 360, A, 400);
    make(11, p, p, p, colour, 0.3f, 0, s0, 1.5f * k, 0, 360, L, 400);
}

void createCircleParticle(int n, const std::shared_ptr<TRGB>& colour, float x, float y, float angle,
                          float radius) {
    const Pt p{x, y};
    const Pt e = ray(p, radius, angle);
    make(n, p, e, e, colour, 1, 0, 0.5f, float(Rnd(0.6, 1.0)), 0, 0, L, 700);
}

void createSeaParticle(float x, float y, TParticleList* list) {
    const int n = Rand(0, 1);
    const Pt p{x, y};
    const Pt e{x + rnd(-10, 10), y + rnd(-10, 10)};
    std::shared_ptr<TRGB> colour = white();
    if (Rand(0, 5) == 0) {
        const int v = Rand(200, 255);
        colour = rgb(v, v, 255);
    }
    make(n, p, e, p, colour, 1, 0, 0.3f, 0, 0, 360, L, 1000, list);
}

void createTresureParticle(float x, float y) {
    const int n = Rand(0, 1);
    const Pt start{x + rnd(-10, 10), y + rnd(-10, 10)};
    const Pt end{x + rnd(-5, 5), y + rnd(50, 80)};
    auto colour = rgb(247 + Rand(-7, 7), 222 + Rand(-7, 7), 113 + Rand(-7, 7));
    make(n, start, end, mid({x, y}, end), colour, 1, 0, 0.5f, 0.3f, 0, 360, L, 400);
}

void createSkarbParticle(float x, float y, TParticleList* list) {
    const Pt p{x, y};
    make(0, p, p, p, tint(kGold, Rand(200, 255)), 1, 0, 0, 1, 0, 30, L, 1000, list);
}

namespace {
// The treasure trail's path with a colour and look of its own.
void tresureTrail(float x, float y, std::shared_ptr<TRGB> colour) {
    const int n = Rand(0, 1);
    const Pt start{x + rnd(-10, 10), y + rnd(-10, 10)};
    const Pt end{x + rnd(-5, 5), y + rnd(50, 80)};
    make(n, start, end, mid({x, y}, end), std::move(colour), 1, 0, 1, 0.5f, 0, 360, L, 800);
}
}  // namespace

void createTresureParticle2(float x, float y) {
    tresureTrail(x, y, tint(kGold, Rand(150, 255)));
}

void createTresureParticle3(float x, float y) { tresureTrail(x, y, white()); }

void createSparkParticle(float x, float y, TParticleList* list) {
    const Pt p{x, y};
    make(0, p, p, p, white(), 1, 0, 0.5f, 2, 0, 90, L, 1000, list);
}

void createSwordParticle(float x, float y, const std::shared_ptr<TRGB>& colour) {
    const Pt end{x + rnd(-5, 5), y + rnd(-10, 10)};
    drift(0, x, y, 10, 10, end, colour, 1, 0, 0.5f, 0.3f, 1, 360, L, 800);
}

void createMedalionParticle(float x, float y, const std::shared_ptr<TRGB>& colour) {
    const Pt end{x + rnd(-5, 5), y + rnd(-10, 10)};
    drift(0, x, y, 10, 10, end, colour, 1, 0, 0.5f, 0.3f, 1, 360, L, 400);
}

void createOkoParticle(float x, float y, float w, float h) {
    const int n = Rand(0, 1);
    const int hw = int(w / 2), hh = int(h / 2);
    const Pt start{x + rnd(-hw, hw), y + rnd(-hh, hh)};
    const Pt end{x + rnd(-hw, hw), y + rnd(-hh, hh)};
    make(n, start, end, mid({x, y}, end), tint(kSeaLight, Rand(150, 255)), 1, 0, 0.5f, 0.3f, 0, 360, L, 400);
}

void createDrzazga(float x, float y) {
    const int n = Rand(6, 7);
    const Pt start{x + rnd(-10, 10), y + rnd(-10, 10)};
    const Pt end{x + rnd(-30, 30), y + rnd(-30, 30)};
    make(n, start, end, mid({x, y}, end), white(), 1, 0, 0.5f, 0.3f, 0, 720, A, 200 * Rand(2, 6));
}

void createKurz(float x, float y, float w) {
    const int iw = int(w), hw = int(w / 2);
    const Pt start{x + rnd(-iw, iw), y + rnd(-iw, iw)};
    const Pt end{x + rnd(-hw, hw), y + rnd(70, 120)};
    const int v = Rand(150, 255);
    make(10, start, end, mid({x, y}, end), rgb(v, v, v), 0.6f, 0, 1, 1, 0, 360, A, 200 * Rand(1, 3));
}

void createDrzazga2(float x, float y) {
    const int n = Rand(8, 9);
    const Pt start{x + rnd(-10, 10), y + rnd(-10, 10)};
    const Pt end{x + rnd(-30, 30), y + rnd(-30, 30)};
    make(n, start, end, mid({x, y}, end), white(), 1, 0, 1, 1, 0, 720, A, 200 * Rand(2, 6));
}

void createHintParticle(float x, float y) { burst(x, y, 5, 10, 20, 30, hintColour, 500); }

void createHintParticle1(float x, float y) { burst(x, y, 5, 10, 5, 10, hintColour, 2000); }

void createHintParticle2(float x, float y) { burst(x, y, 10, 25, 10, 20, hintColour, 2000); }

namespace {
// A creature's burst: the flag red lit up, gold or foam.
std::shared_ptr<TRGB> livingColour() {
    static constexpr int kRedLit[3] = {226, 96, 78};
    const int v = Rand(150, 255);
    switch (Rand(0, 2)) {
        case 0: return tint(kRedLit, v);
        case 1: return tint(kGold, v);
        default: return tint(kFoam, v);
    }
}

// A found object's sparkle: gold or pale gold, never a pure yellow.
std::shared_ptr<TRGB> pickColour() { return tint(Rand(0, 1) == 1 ? kGold : kGoldLight, Rand(150, 255)); }
}  // namespace

void createLivingParticle(float x, float y) { burst(x, y, 15, 100, 20, 80, livingColour, 500); }

namespace {
// A creature's trail glints in the sea's own colours (light sea, foam, pale gold), at a
// random strength, laid over the board rather than added to it, so it keeps its colours
// where it is dense instead of burning out to a neon or white streak.
std::shared_ptr<TRGB> livingTrailColour() {
    const int which = Rand(0, 2);
    return tint(which == 0 ? kSeaLight : which == 1 ? kFoam : kGoldLight, Rand(150, 255));
}
}  // namespace

void createLivingParticle2(float x, float y) {
    const int n = Rand(0, 1);
    const Pt s{x + rnd(-5, 5), y + rnd(-5, 5)};
    const float d = rnd(5, 20);
    const float t = rnd(0, 360);
    make(n, s, ray(s, d, t), ray(s, d / 2, t), livingTrailColour(), 1, 0, 1, 1, 0, 360, A, 1500);
}

void createHOPickParticle0(float x, float y) { burst(x, y, 15, 40, 20, 30, hintColour, 500); }

void createHOPickParticle1(float x, float y) { burst(x, y, 15, 40, 20, 30, pickColour, 500); }

void createShipFireParticle(int x, int y, TParticleList* list) {
    const int n = Rand(12, 14);
    const Pt p{float(x), float(y)};
    const Pt end{p.x + rnd(-10, 10), p.y - rnd(15, 25)};
    make(n, p, end, mid(p, end), white(), 1, 0, 0.3f, 0.5f, 0, 720, L, 1000, list);
}

void createBlastParticle(int x, int y, int x2, int y2, TParticleList* list) {
    const int n = Rand(12, 14);
    const Pt p{float(x), float(y)};
    const Pt end{float(x2), float(y2)};
    const float r0 = rnd(-10, 0);
    const float r1 = rnd(0, 10);
    make(n, p, end, mid(p, end), white(), 1, 0, 0.3f, 0.5f, r0, r1, L, 1000, list);
}

void createShipSmokeParticle(int x, int y, TParticleList* list) {
    const int n = Rand(15, 16);
    const Pt p{float(x), float(y)};
    const Pt end{p.x + rnd(-5, 5), p.y - rnd(100, 250)};
    const float r0 = rnd(-10, 0);
    const float r1 = rnd(0, 10);
    make(n, p, end, mid(p, end), rgb(0, 0, 0), 1, 0, 0.3f, 0.5f, r0, r1, A, 3000, list);
}

void createCannonBallSmokeParticle(int x, int y, TParticleList* list) {
    const int n = Rand(15, 16);
    const Pt p{float(x), float(y)};
    const Pt end{p.x + rnd(-5, 5), p.y + rnd(-5, 5)};
    const float r0 = rnd(-10, 0);
    const float r1 = rnd(0, 10);
    make(n, p, end, mid(p, end), rgb(0, 0, 0), 1, 0, 0.1f, 0.2f, r0, r1, A, 1000, list);
}

void createBankaParticle(int x, int y, TParticleList* list) {
    int n = Rand(19, 21);
    if (Rand(0, 6) < 2) n = 4;
    const Pt p{float(x), float(y)};
    make(n, p, p, p, white(), 1, 0, 0.3f, 1, 0, 360, A, 500, list);
}

void createCannonBallFireParticle(int x, int y, TParticleList* list) {
    const int n = Rand(17, 18);
    const Pt p{float(x), float(y)};
    const Pt end{p.x + rnd(-5, 5), p.y + rnd(-5, 5)};
    make(n, p, end, mid(p, end), white(), 1, 0, 0.5f, 1, 0, rnd(180, 360), L, 500, list);
}

void createMapStageParticle(float x, float y, const std::shared_ptr<TRGB>& colour) {
    const Pt end{x + rnd(-5, 5), y + rnd(-10, 10)};
    drift(0, x, y, 20, 20, end, colour, 1, 0, 0.5f, 0.3f, 1, 360, L, 800);
}
