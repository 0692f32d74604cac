#pragma once
// Wood plates: a broken cell's cover falls apart into small squares that jump up and out,
// fall, turn slowly and fade away.
#include <array>
#include <memory>

#include "effects/list.h"
#include "platform/graphics.h"

struct TPlate;
using TPlateList = fx::List<TPlate>;

struct TPlate {
    int imgN = 0;       // size class
    int frameN = 0;     // which square of the cover
    float x = 0, y = 0;
    float ax = 0, ay = 0;
    float a = 1;
    float r = 0;
    float rSpeed = 0.5f;
    float aSpeed = 0.01f;
    int firstTime = 1;  // a new plate stands still for one update
    bool _dead = false;

    // Per size class (room for ten): the cover cut into squares, and its grid.
    static std::array<TImage, 10> platesPack;
    static std::array<int, 10> rows, cols;

    virtual ~TPlate() = default;
    virtual void draw();
    virtual void update();
    virtual void destroy();
};

extern TPlateList platesList;

// The cell of size class `size` whose top-left corner is (x, y) breaks into plates.
void createPlatesQ(int size, float x, float y);
std::shared_ptr<TPlate> createPlate(int imgN, int frameN, float x, float y, float ax);
void _updatePlates();
void _drawPlates();
int setupPlates();
void resetPlates();
