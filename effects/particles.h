#pragma once
// Particles: short-lived tinted sprites from one shared image table. Each moves along a
// quadratic Bezier curve over a life in milliseconds while its alpha, scale and rotation
// go linearly from start to end values; it may wait before it begins. Lives run on the
// millisecond clock, motion does not depend on the frame rate.
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "effects/list.h"
#include "gui/core/dim.h"
#include "platform/graphics.h"

struct TParticle;
using TParticleList = fx::List<TParticle>;

// Blend codes of a particle (what the data and the factories use).
constexpr int kParticleAlphaBlend = 3;
constexpr int kParticleLightBlend = 4;

struct TParticle {
    float startA = 0, startS = 0, startR = 0;
    float a = 0, da = 0;
    float s = 0, ds = 0;
    float r = 0, dr = 0;
    int n = 0;                       // index into img
    std::shared_ptr<TRGB> rgb;       // tint; kept as given, never changed
    float x = 0, y = 0;
    int blend = kParticleLightBlend;
    int32_t startTime = 0;           // creation time + delay
    int32_t bornTime = 0;            // first update at or after startTime
    int32_t lifeTime = 1;            // ms, at least 1
    float lifePer = 0;               // 0..1
    int giveBonusC = 0;
    float x1 = 0, y1 = 0;
    float x2 = 0, y2 = 0;
    float per = 0;
    float mx = 0, my = 0;
    TParticleList* list = nullptr;   // the list that holds it
    bool _dead = false;
    bool _born = false;              // bornTime is set (a clock of 0 is a valid birth)

    // The image table, filled by setup from data/particles.dat. An entry is null when its
    // image failed to load; such particles are never drawn.
    static std::vector<TImage> img;
    static int setup();

    virtual ~TParticle() = default;
    virtual void _updateTime();
    virtual void _updateAlpha();
    virtual void _updateScale();
    virtual void _updatePosition();
    virtual void _updateMove();
    virtual void update();
    virtual void draw();
    virtual void destroy();
};

// The default list, updated and drawn by the play screen, the map and others.
extern TParticleList particlesList;

// Makes a particle (delay and life in ms) and appends it to `list` (particlesList when
// null). Its position starts on the start point.
std::shared_ptr<TParticle> createParticle(int n, float x1, float y1, float x2, float y2, float mx,
                                          float my, std::shared_ptr<TRGB> rgb, float a, float da,
                                          float s, float ds, float r, float dr, int blend,
                                          int delay, int life, TParticleList* list = nullptr);
// Update / draw every particle of the list (particlesList when null), first to last.
void _updateParticles(TParticleList* list = nullptr);
void _drawParticles(TParticleList* list = nullptr);
// Reads the image table; run once by the loading screen.
int setupParticles();

// ---- factories: one recipe each, all with no start delay ---------------------------------
void createBoom(const std::shared_ptr<TRGB>& rgb, int x, int y, float k);
void createBoom2(const std::shared_ptr<TRGB>& rgb, int x, int y, float k, float s0);
void createCircleParticle(int n, const std::shared_ptr<TRGB>& rgb, float x, float y, float angle,
                          float radius);
void createSeaParticle(float x, float y, TParticleList* list);
void createTresureParticle(float x, float y);
void createSkarbParticle(float x, float y, TParticleList* list);
void createTresureParticle2(float x, float y);
void createTresureParticle3(float x, float y);
void createSparkParticle(float x, float y, TParticleList* list);
void createSwordParticle(float x, float y, const std::shared_ptr<TRGB>& rgb);
void createMedalionParticle(float x, float y, const std::shared_ptr<TRGB>& rgb);
void createOkoParticle(float x, float y, float w, float h);
void createDrzazga(float x, float y);
void createKurz(float x, float y, float w);
void createDrzazga2(float x, float y);
void createHintParticle(float x, float y);
void createHintParticle1(float x, float y);
void createHintParticle2(float x, float y);
void createLivingParticle(float x, float y);
void createLivingParticle2(float x, float y);
void createHOPickParticle0(float x, float y);
void createHOPickParticle1(float x, float y);
void createShipFireParticle(int x, int y, TParticleList* list);
void createBlastParticle(int x, int y, int x2, int y2, TParticleList* list);
void createShipSmokeParticle(int x, int y, TParticleList* list);
void createCannonBallSmokeParticle(int x, int y, TParticleList* list);
void createBankaParticle(int x, int y, TParticleList* list);
void createCannonBallFireParticle(int x, int y, TParticleList* list);
void createMapStageParticle(float x, float y, const std::shared_ptr<TRGB>& rgb);

// Empty particlesList and image table (for tests).
void resetParticles();
