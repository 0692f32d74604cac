#include "screens/intro/intro_sprites.h"

#include <cmath>

#include "app/ekran.h"
#include "effects/curve.h"
#include "gui/frame/deltatime.h"
#include "platform/system.h"
#include "screens/story/story_draw.h"
#include "screens/intro/intro_screen.h"

std::array<TImage, 2> TIntroShip::img{};
std::array<TImage, 2> TIntroShip::shadow{};
TImage TCannonBall::img;
std::array<TImage, 2> TCloud::img{};
std::array<TImage, 2> TGameField::img{};

namespace {

float cosDeg(float d) { return std::cos(d * fx::kDegToRad); }

using story::drawIf;
void look(float alpha, float scale, float rot) { story::whiteAt(alpha, scale, rot); }

const TImage& pick(const std::array<TImage, 2>& table, int n) { return table[n == 1 ? 1 : 0]; }

// Moves toward the target, stopping on it; true on the step that arrives.
bool stepTo(float& v, float target, float speed) {
    if (v == target) return false;
    easeToward(v, target, speed, delta);
    return v == target;
}

}  // namespace

// ---- ships ---------------------------------------------------------------------------

int TIntroShip::draw() {
    const float s = 0.5f + 0.5f * fx::sinDeg(90 * p);
    look(a * p, s, rot);
    drawIf(pick(img, n), x, y);
    return 0;
}

int TIntroShip::drawShadow() {
    const float s = 0.5f + 0.5f * fx::sinDeg(90 * p);
    look(a * shadowA * p, s, 0);
    drawIf(pick(shadow, n), x, y);
    return 0;
}

int TIntroShip::hit(int hx, int hy) {
    if (owner) owner->createFireSpot(hx, hy);
    return 0;
}

int TIntroShip::_updateRotation() {
    if (rp < drp) {
        rp += 0.02f * delta;
        if (rp > drp) rp = drp;
    }
    if (rp > drp) {
        rp -= 0.02f * delta;
        if (rp < drp) {
            rp = drp;
            rotK = rotK >= 0 ? -1.0f : 1.0f;
        }
    }
    if (rp == drp) drp = drp == 0 ? 1.0f : 0.0f;
    rot = w * rotK * fx::sinDeg(90 * rp);
    return 0;
}

int TIntroShip::update() {
    easeToward(a, da, aSpeed, delta);
    easeToward(p, dp, pSpeed, delta);
    if (sx != 0) {
        x = sx + (dx - sx) * p;
        y = sy + (dy - sy) * p;
    }
    _updateRotation();
    if (sinking == 1) updateSinking();
    return 0;
}

int TIntroShip::updateSinking() {
    sinkp += sinkSpeed * delta;
    sinkSpeed += 0.00001f * delta;
    if (sinkp > 0.3f && minieto == 0) {
        minieto = 1;
        if (owner) owner->SOUND_bubles();
    }
    if (sinkSpeed > 0.0016f) sinkSpeed = 0.0016f;
    if (sinkp > 1) sinkp = 1;
    const float turn = (-65 - sinkingStartRot) * sinkp;
    rot = sinkingStartRot + turn;
    if (sinkp > 0.3f) {
        y = startY + 150 * (sinkp - 0.3f) / 0.7f;
        shadowA -= 0.05f * delta;
        if (shadowA < 0) shadowA = 0;
    }
    if (owner) {
        fx::walk(owner->fireSpots, [&](TFireSpot& f) {
            f.rot = f.startRot + turn;
            f.x = x + cosDeg(f.rot) * f.odl;
            f.y = y + fx::sinDeg(f.rot) * f.odl;
        });
    }
    return 0;
}

int TIntroShip::sink() {
    sinking = 1;
    sinkp = 0;
    sinkingStartRot = rot;
    startY = y;
    if (!owner) return 0;
    // From here on the spots ride on the ship: each keeps its distance and angle from it.
    fx::walk(owner->fireSpots, [&](TFireSpot& f) {
        f.w = f.x - x;
        f.h = f.y - y;
        f.odl = std::sqrt(f.w * f.w + f.h * f.h);
        f.rot = f.startRot = std::atan2(f.h, f.w) / fx::kDegToRad;
        f.x = x + cosDeg(f.rot) * f.odl;
        f.y = y + fx::sinDeg(f.rot) * f.odl;
    });
    return 0;
}

// ---- cannon balls ----------------------------------------------------------------------

int TCannonBall::draw() {
    if (Millisecs() < startTime) return 0;
    look(1, 0.2f + 0.2f * fx::sinDeg(90 * (1 - per)), 360 * per);
    drawIf(img, x, y);
    return 0;
}

int TCannonBall::update() {
    const int32_t now = Millisecs();
    if (now < startTime) return 0;
    if (bylStrzal == 0) {
        bylStrzal = 1;
        if (owner) owner->SOUND_cannon_Fire();
    }
    per += mySpeed * delta;
    if (per > 1) per = 1;
    x = fx::bezier(x1, mx, x2, per);
    y = fx::bezier(y1, my, y2, per);
    if (per == 1) destroy();
    if (now > partTime) {
        partTime = now + 25;
        createCannonBallSmokeParticle(int(x + Rand(-5, 5)), int(y + Rand(-5, 5)), &particlesList);
        if (Rand(0, 1) == 1)
            createCannonBallFireParticle(int(x + Rand(-1, 1)), int(y + Rand(-1, 1)), &particlesList);
    }
    return 0;
}

int TCannonBall::destroy() {
    if (owner && owner->ship2) owner->ship2->hit(int(x), int(y));
    for (int i = 0; i < 100; ++i) {
        // The blast never flies toward the upper right: the angles stop at 260 degrees.
        const float th = float(Rand(1, 260));
        const float d = float(Rand(1, 40));
        createBlastParticle(int(x), int(y), int(x + cosDeg(th) * d), int(y + fx::sinDeg(th) * d),
                            &particlesList);
    }
    if (owner) {
        owner->SOUND_blast();
        fx::remove(owner->balls, this);
    }
    return 0;
}

// ---- fire spots ------------------------------------------------------------------------

int TFireSpot::hide() {
    hiding = 1;
    return 0;
}

int TFireSpot::draw() {
    _drawParticles(&lista);
    SetScale(1, 1);
    SetAlpha(1);
    SetBlend(ALPHABLEND);
    SetRotation(0);
    return 0;
}

int TFireSpot::updateHiding() {
    if (hiding == 1) fx::walk(lista, [](TParticle& p) { p.da = 0; });
    return 0;
}

int TFireSpot::update2() {
    const int32_t now = Millisecs();
    if (now < startTime) return 0;
    if (now > partTime) {
        partTime = now + 50;
        if (hiding != 1)
            for (int i = 0; i < 12; ++i)
                createShipFireParticle(int(x + Rand(-50, 50)), int(y + Rand(-50, 50)), &lista);
    }
    _updateParticles(&lista);
    return 0;
}

int TFireSpot::update() {
    if (typ == 1) {
        update2();
        updateHiding();
        return 0;
    }
    const int32_t now = Millisecs();
    if (now > partTime) {
        partTime = now + 50;
        // Flames above the waterline, smoke at it, nothing under it.
        for (int i = 0; i < 2; ++i) {
            const int px = int(x + Rand(-5, 5));
            const int py = int(y + Rand(-5, 5));
            if (y > 540 && y < 560) createShipSmokeParticle(px, py, &lista);
            else if (y <= 540) createShipFireParticle(px, py, &lista);
        }
    }
    _updateParticles(&lista);
    return 0;
}

// ---- mist ------------------------------------------------------------------------------

int TCloud::draw() {
    look(0.9f + 0.1f * a, scale, 0);
    drawIf(pick(img, n), x, y);
    return 0;
}

int TCloud::update() {
    if (a == da) da = da == 0 ? 1.0f : 0.0f;
    else if (stepTo(a, da, 0.005f)) da = da == 0 ? 1.0f : 0.0f;
    x += ax * speed * delta;
    return 0;
}

// ---- game fields -----------------------------------------------------------------------

int TGameField::draw() {
    if (Millisecs() < startTime) return 0;
    look(a, s, rot);
    drawIf(pick(img, n), x, y);
    return 0;
}

int TGameField::update() {
    const int32_t now = Millisecs();
    if (now < startTime) return 0;
    if (started == 0 && now > startTime + 1000) {
        if (owner) owner->SOUND_grid();
        started = 1;
    }
    easeToward(a, da, 0.005f, delta);
    easeToward(s, ds, 0.005f, delta);
    rot += rotD * 0.5f * delta;
    if (now > endTime) da = 0;
    return da == 0 && a == 0 ? 1 : 0;
}

std::shared_ptr<TGameField> TGameField::CreateIntroGF() {
    auto f = std::make_shared<TGameField>();
    f->x = float(Rand(100, 924));
    f->y = float(Rand(200, 568));
    f->s = 0.5f;
    f->ds = 10;
    f->da = 1;
    f->rotD = Rand(0, 1) == 0 ? -1.0f : 1.0f;
    f->n = Rand(0, 1);
    f->startTime = Millisecs() + Rand(1, 6) * 1000;
    f->endTime = f->startTime + 4000;
    return f;
}

void resetIntroSprites() {
    TIntroShip::img = {};
    TIntroShip::shadow = {};
    TCannonBall::img = nullptr;
    TCloud::img = {};
    TGameField::img = {};
}
