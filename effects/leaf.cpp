#include "effects/leaf.h"

#include "effects/curve.h"
#include "game/board/ease.h"
#include "effects/picture.h"
#include "gui/frame/deltatime.h"
#include "gui/globals.h"
#include "platform/system.h"

std::array<TImage, 2> TLeaf::img;

int setupLeafs() {
    TLeaf::img[0] = LoadImage(bDir + "gfx/efekty/leaf-1.png", FILTEREDIMAGE);
    if (TLeaf::img[0]) SetImageHandle(TLeaf::img[0], 148, 231);
    TLeaf::img[1] = LoadImage(bDir + "gfx/efekty/leaf-2.png", FILTEREDIMAGE);
    if (TLeaf::img[1]) SetImageHandle(TLeaf::img[1], 55, 263);
    return 0;
}

std::shared_ptr<TLeaf> createLeafObj(int n, float x, float y, float str, float maxRot) {
    auto l = std::make_shared<TLeaf>();
    l->n = n;
    l->x = x;
    l->y = y;
    l->str = str;
    l->maxRot = maxRot;
    l->s = 1;
    l->p = 0;
    l->randKier();
    return l;
}

void TLeaf::randKier() {
    pKier = Rand(0, 1) == 1 ? 1.0f : -1.0f;
    speed = float(Rnd(0.0025, 0.005));
    state = 1;
}

void TLeaf::setkier() {
    pKier = -pKier;
    speed = float(Rnd(0.01, 0.02));
    state = 1;
}

// The swing back starts the frame after the swing out reaches its end.
void TLeaf::update() {
    if (state == 1) {
        easeToward(p, 1, speed * delta);
        if (p == 1) state = 0;
    } else {
        easeToward(p, 0, speed * delta);
        if (p == 0) setkier();
    }
    r = str + fx::sinDeg(90 * p) * pKier * maxRot;
}

void TLeaf::draw() {
    const TImage pic = fx::pictureAt(img, n);
    if (!pic) return;
    SetAlpha(1);
    SetBlend(ALPHABLEND);
    SetColor(255, 255, 255);
    SetScale(s, s);
    SetRotation(r);
    DrawImage(pic, x, y);
}

void resetLeafs() { TLeaf::img.fill(nullptr); }
