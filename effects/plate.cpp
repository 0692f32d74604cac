#include "effects/plate.h"

#include "gui/frame/deltatime.h"
#include "gui/globals.h"
#include "platform/system.h"

std::array<TImage, 10> TPlate::platesPack{};
std::array<int, 10> TPlate::rows{};
std::array<int, 10> TPlate::cols{};
TPlateList platesList;

namespace {
struct PlateClass {
    const char* path;
    int square;
    int frames;
    int grid;
};
constexpr PlateClass kClasses[5] = {{"gfx/particles/tiles/wood-50.png", 10, 25, 5},
                                    {"gfx/particles/tiles/wood-36.png", 6, 36, 6},
                                    {"gfx/particles/tiles/wood-30.png", 5, 36, 6},
                                    {"gfx/particles/tiles/wood-24.png", 6, 16, 4},
                                    {"gfx/particles/tiles/wood-20.png", 5, 16, 4}};
}  // namespace

int setupPlates() {
    for (size_t s = 0; s < 5; ++s) {
        const PlateClass& k = kClasses[s];
        TPlate::platesPack[s] = LoadAnimImage(bDir + k.path, k.square, k.square, 0, k.frames);
        if (TPlate::platesPack[s]) MidHandleImage(TPlate::platesPack[s]);
        TPlate::rows[s] = TPlate::cols[s] = k.grid;
    }
    return 0;
}

void resetPlates() {
    platesList.clear();
    TPlate::platesPack = {};
    TPlate::rows = {};
    TPlate::cols = {};
}

std::shared_ptr<TPlate> createPlate(int imgN, int frameN, float x, float y, float ax) {
    auto p = std::make_shared<TPlate>();
    p->imgN = imgN;
    p->frameN = frameN;
    p->x = x;
    p->y = y;
    p->ax = 1.5f * ax;
    p->ay = float(Rnd(-4.0, -3.0));
    p->aSpeed = float(Rnd(0.02, 0.03));
    platesList.push_back(p);
    return p;
}

void createPlatesQ(int size, float x, float y) {
    if (size < 0 || size >= int(TPlate::rows.size())) return;
    const TImage& img = TPlate::platesPack[size_t(size)];
    // Without its strip a class has no squares to throw.
    if (!img) return;
    const float w = float(ImageWidth(img)), h = float(ImageHeight(img));
    int frame = 0;
    for (int i = 0; i < TPlate::rows[size_t(size)]; ++i)
        for (int j = 0; j < TPlate::cols[size_t(size)]; ++j) {
            const int push = Rand(0, 1) == 0 ? Rand(-1, 0) : Rand(0, 1);
            createPlate(size, frame++, x + float(j) * w, y + float(i) * h, float(push));
        }
}

void TPlate::update() {
    if (firstTime) {
        firstTime = 0;
        return;
    }
    x += ax * delta;
    y += ay * delta;
    a -= aSpeed * delta;
    r += rSpeed * delta;
    if (a < 0) destroy();
    ay += 0.4f * delta;
}

void TPlate::draw() {
    SetBlend(ALPHABLEND);
    SetScale(1, 1);
    SetAlpha(a);
    SetColor(255, 255, 255);
    SetRotation(r);
    if (imgN >= 0 && imgN < int(platesPack.size())) DrawImage(platesPack[size_t(imgN)], x, y, frameN);
}

void TPlate::destroy() {
    fx::remove(platesList, this);  // may release this object: nothing after it
}

void _updatePlates() {
    fx::walk(platesList, [](TPlate& p) { p.update(); });
}

void _drawPlates() {
    fx::each(platesList, [](TPlate& p) { p.draw(); });
}
