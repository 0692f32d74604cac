// The map's ambience. Waves and clouds are the effects layer's (listaFal, TChmura). Sparkles
// and the new-stage burst are its particles once their images are loaded; until then small
// sprites of our own in plain lists, moved per frame by delta and aged on the clock.
#include <algorithm>
#include <cmath>
#include <vector>

#include "effects/chmura.h"
#include "effects/fala.h"
#include "effects/particles.h"
#include "gui/frame/deltatime.h"
#include "gui/globals.h"
#include "platform/system.h"
#include "screens/map/mapa.h"

namespace {

struct Spark {
    float x, y, vx, vy;
    int32_t born, life;
    int r, g, b;
};

constexpr int32_t kSparkLife = 1000;
constexpr int32_t kBurstLife = 800;

class TBasicMapAmbience : public TMapAmbience {
public:
    void setup() override {
        spark_ = LoadImage(bDir + "gfx/gui/mapa/sparkle.png");
        if (spark_) MidHandleImage(spark_);
        TChmura::setup();
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

    void wave(float x, float y, float dir) override { createFala(x, y, dir); }
    void updateWaves() override { _updateFale(); }
    void drawWaves() override { _drawFale(); }

    void updateClouds(float wind) override { TChmura::updateAll(wind); }
    void drawClouds() override { TChmura::drawAll(); }

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

    TImage spark_;
    std::vector<Spark> sparks_, burst_;
    TParticleList morze_;
};

}  // namespace

std::unique_ptr<TMapAmbience> createBasicMapAmbience() { return std::make_unique<TBasicMapAmbience>(); }
