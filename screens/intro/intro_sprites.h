#pragma once
// The intro's sprites: the two ships of the sea battle, the cannon balls of the broadside,
// the burning spots, the banks of mist and the grid pictures of the map scene. The screen
// that owns them fills their shared pictures at set-up and receives their sound cues.
#include <array>
#include <cstdint>

#include "effects/list.h"
#include "effects/particles.h"
#include "platform/graphics.h"

class TIntroScreen;

class TIntroShip {
public:
    TIntroScreen* owner = nullptr;
    float x = 0, y = 0;
    float p = 0, dp = 0;
    float a = 0, da = 0;
    int n = 0;
    float dx = 0, dy = 0;
    float sx = 0, sy = 0;
    float rot = 0;
    float rotK = 0;
    float w = 1.5f;
    float rp = 0, drp = 0;
    float shadowA = 1;
    float pSpeed = 0.002f;
    float aSpeed = 0.02f;
    float sinkSpeed = 0.0002f;
    float startY = 0;
    int sinking = 0;
    float sinkp = 0;
    float sinkingStartRot = 0;
    int minieto = 0;

    static std::array<TImage, 2> img;
    static std::array<TImage, 2> shadow;

    int draw();
    int drawShadow();
    int hit(int hx, int hy);
    int _updateRotation();
    int update();
    int updateSinking();
    int sink();
};

class TCannonBall {
public:
    bool _dead = false;
    TIntroScreen* owner = nullptr;
    float x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    float mx = 0, my = 0;
    float x = 0, y = 0;
    float per = 0;
    int32_t startTime = 0;
    int32_t partTime = 0;
    float mySpeed = 0;
    int bylStrzal = 0;

    static TImage img;

    int draw();
    int update();
    int destroy();
};

class TFireSpot {
public:
    bool _dead = false;
    float x = 0, y = 0;
    float w = 0, h = 0;
    float odl = 0;
    float rot = 0;
    float startRot = 0;
    int32_t partTime = 0;
    TParticleList lista;
    int typ = 0;
    int32_t startTime = 0;
    int hiding = 0;

    int hide();
    int draw();
    int updateHiding();
    int update2();
    int update();
    int updateMyMove() { return 0; }
};

class TCloud {
public:
    float x = 0, y = 0;
    float ax = 0;
    float a = 0, da = 0;
    int n = 0;
    float speed = 0;
    float scale = 1;

    static std::array<TImage, 2> img;

    int draw();
    int update();
};

class TGameField {
public:
    bool _dead = false;
    TIntroScreen* owner = nullptr;
    float x = 0, y = 0;
    float rot = 0;
    float s = 0;
    float a = 0;
    float ds = 0;
    float da = 0;
    float rotD = 0;
    int n = 0;
    int32_t startTime = 0;
    int32_t endTime = 0;
    int started = 0;

    static std::array<TImage, 2> img;

    int draw();
    // 1 once the field has faded out for good.
    int update();
    static std::shared_ptr<TGameField> CreateIntroGF();
};

// Empty picture tables: for tests.
void resetIntroSprites();
