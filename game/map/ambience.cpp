// The map's ambience. Sparkles and the new-stage burst are the effects layer's particles
// once their images are loaded; until then (and for waves and clouds) small sprites of our
// own in plain lists, moved per frame by delta and aged on the millisecond clock.
#include <algorithm>
#include <cmath>
#include <vector>

#include "effects/particles.h"
#include "game/map/mapa.h"
#include "gui/frame/deltatime.h"
#include "gui/globals.h"
#include "platform/system.h"

namespace {

struct Spark {
    float x, y, vx, vy;
    int32_t born, life;
    int r, g, b;
};

struct Wave {
    float x, y, dir;
    int32_t born;
};

struct Cloud {
    float x, y, speed;
    int which;
    float a;
};

constexpr int32_t kSparkLife = 1000;
constexpr int32_t kBurstLife = 800;
constexpr int32_t kWaveLife = 2400;
constexpr size_t kMaxClouds = 8;

class TBasicMapAmbience : public TMapAmbience {
public:
    void setup() override {
        spark_ = LoadImage(bDir + "gfx/gui/mapa/sparkle.png");
        if (spark_) MidHandleImage(spark_);
        wave_ = LoadImage(bDir + "gfx/efekty/fala.png");
        if (wave_) MidHandleImage(wave_);
        cloud_[0] = LoadImage(bDir + "gfx/efekty/chmura-1.png");
        cloud_[1] = LoadImage(bDir + "gfx/efekty/chmura-2.png");
        for (auto& c : cloud_)
            if (c) MidHandleImage(c);
    }

    void seaSparkle(float x, float y) override {
        if (effectParticles()) {
            createSeaParticle(x, y, &morze_);
            return;
        }
        bool blue = Rand(1, 6) == 1;
        float ang = float(Rnd(0, 6.2831853));
        float dist = float(Rnd(2, 10));
        sparks_.push_back({x, y, std::cos(ang) * dist / 60.0f, std::sin(ang) * dist / 60.0f, Millisecs(), kSparkLife,
                           blue ? 170 : 255, blue ? 220 : 255, 255});
    }
    int sparkleCount() const override { return int(sparks_.size() + fx::live(morze_)); }
    void updateSparkles() override {
        age(sparks_);
        _updateParticles(&morze_);
    }
    void drawSparkles() override {
        drawSparks(sparks_, 0.6f, 0.55f);
        _drawParticles(&morze_);
    }

    void wave(float x, float y, float dir) override { waves_.push_back({x, y, dir, Millisecs()}); }
    void updateWaves() override {
        int32_t now = Millisecs();
        waves_.erase(std::remove_if(waves_.begin(), waves_.end(),
                                    [now](const Wave& w) { return now - w.born > kWaveLife; }),
                     waves_.end());
        for (auto& w : waves_) w.x += 0.15f * w.dir * delta;
    }
    void drawWaves() override {
        if (!wave_) return;
        int32_t now = Millisecs();
        SetBlend(ALPHABLEND);
        SetColor(255, 255, 255);
        SetRotation(0);
        for (const auto& w : waves_) {
            float t = float(now - w.born) / float(kWaveLife);
            float a = t < 0.5f ? t * 2 : (1 - t) * 2;
            SetAlpha(std::clamp(a, 0.0f, 1.0f) * 0.8f);
            SetScale(w.dir * (0.7f + 0.3f * t), 0.7f + 0.3f * t);
            DrawImage(wave_, w.x, w.y);
        }
        SetScale(1, 1);
    }

    void updateClouds(float wind) override {
        for (auto& c : clouds_) {
            c.x += c.speed * wind * delta;
            c.a = std::min(1.0f, c.a + 0.005f * delta);
        }
        clouds_.erase(std::remove_if(clouds_.begin(), clouds_.end(),
                                     [](const Cloud& c) { return c.x < -250 || c.x > 1274; }),
                      clouds_.end());
        while (clouds_.size() < kMaxClouds) {
            // The first clouds scatter over the chart; later ones drift in from the windward edge.
            float x = seeded_ ? (wind > 0 ? -200.0f : 1224.0f) : float(Rand(-100, 1124));
            clouds_.push_back({x, float(Rand(40, 640)), float(Rnd(0.15, 0.45)), Rand(0, 1), seeded_ ? 0.0f : 1.0f});
        }
        seeded_ = true;
    }
    void drawClouds() override {
        SetBlend(ALPHABLEND);
        SetColor(255, 255, 255);
        SetRotation(0);
        SetScale(1, 1);
        for (const auto& c : clouds_) {
            const TImage& im = cloud_[size_t(c.which)];
            if (!im) continue;
            SetAlpha(0.75f * c.a);
            DrawImage(im, c.x, c.y);
        }
    }

    void burstParticle(float x, float y, int r, int g, int b) override {
        if (effectParticles()) {
            createMapStageParticle(x, y, createRGB(r, g, b));
            return;
        }
        float ang = float(Rnd(0, 6.2831853));
        float sp = float(Rnd(0.2, 1.2));
        burst_.push_back({x + float(Rand(-20, 20)), y + float(Rand(-20, 20)), std::cos(ang) * sp, std::sin(ang) * sp,
                          Millisecs(), kBurstLife, r, g, b});
    }
    // The burst lives in the global particle list, which the map updates and draws.
    void updateBurst() override {
        age(burst_);
        _updateParticles();
    }
    void drawBurst() override {
        SetBlend(LIGHTBLEND);
        drawSparks(burst_, 1.0f, 0.6f);
        SetBlend(ALPHABLEND);
        _drawParticles();
    }
    void dropBurst() override {
        burst_.clear();
        fx::clear(particlesList);
    }

private:
    static bool effectParticles() { return !TParticle::img.empty(); }
    void age(std::vector<Spark>& list) {
        int32_t now = Millisecs();
        list.erase(std::remove_if(list.begin(), list.end(), [now](const Spark& s) { return now - s.born > s.life; }),
                   list.end());
        for (auto& s : list) {
            s.x += s.vx * delta;
            s.y += s.vy * delta;
        }
    }
    void drawSparks(const std::vector<Spark>& list, float strength, float size) {
        if (!spark_) return;
        int32_t now = Millisecs();
        SetRotation(0);
        for (const auto& s : list) {
            float t = float(now - s.born) / float(s.life);
            float a = t < 0.3f ? t / 0.3f : (1 - t) / 0.7f;
            SetAlpha(std::clamp(a, 0.0f, 1.0f) * strength);
            SetColor(s.r, s.g, s.b);
            float sc = size * (0.5f + 0.5f * std::clamp(a, 0.0f, 1.0f));
            SetScale(sc, sc);
            DrawImage(spark_, s.x, s.y);
        }
        SetScale(1, 1);
        SetColor(255, 255, 255);
    }

    TImage spark_, wave_;
    TImage cloud_[2];
    std::vector<Spark> sparks_, burst_;
    std::vector<Wave> waves_;
    std::vector<Cloud> clouds_;
    TParticleList morze_;
    bool seeded_ = false;
};

}  // namespace

std::unique_ptr<TMapAmbience> createBasicMapAmbience() { return std::make_unique<TBasicMapAmbience>(); }
