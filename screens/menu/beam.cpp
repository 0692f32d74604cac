#include "screens/menu/beam.h"

#include "app/ekran.h"
#include "gui/frame/deltatime.h"
#include "gui/globals.h"
#include "platform/system.h"

std::shared_ptr<TBeam> TBeam::createBeam(const std::string& path, int x, int y) {
    auto b = std::make_shared<TBeam>();
    b->img = LoadImage(bDir + path);
    if (!b->img) Print("Missing beam image : " + bDir + path);
    b->x = x;
    b->y = y;
    b->a = float(Rand(0, 1));
    b->da = b->a == 0 ? 1.0f : 0.0f;
    b->speed = float(Rnd(0.01, 0.02));
    return b;
}

int TBeam::update() {
    easeToward(a, da, speed, delta);
    if (a == da) da = da == 0 ? 1.0f : 0.0f;
    return 0;
}

int TBeam::draw() {
    if (!img) return 0;
    SetColor(255, 255, 255);
    SetBlend(LIGHTBLEND);
    SetAlpha(0.3f + 0.7f * a);
    SetScale(1, 1);
    SetRotation(0);
    DrawImage(img, float(x), float(y));
    return 0;
}
