#include "game/board/numberline.h"

#include "game/board/level.h"
#include "game/board/links.h"

namespace {
// A finished line's numbers fade toward this and vanish.
constexpr float kGoneAlpha = -1.0f;
// Where the caption goes when no level is in play (the middle of the screen).
constexpr int kScreenCentreX = 512;
}  // namespace

int TNumberLine::check() {
    bool all = true;
    for (const auto& n : lista) {
        n->updateTilesy2();
        if (!n->cleared()) all = false;
    }
    if (all) wszystkie = 1;
    return 0;
}

int TNumberLine::update() {
    const int earlier = wszystkie;
    bool all = true;
    for (const auto& n : lista) {
        n->update();
        if (!n->cleared()) all = false;
    }
    if (all) wszystkie = 1;

    // Only the frame the line becomes finished, and only after a right move: a line
    // finished by a mistake gets no praise, then or later.
    if (earlier == 0 && wszystkie != 0 && playLink().lastMove() == 0) {
        TLevel* lvl = playLink().level();
        effectsLink().createGreatCaption(lvl ? lvl->getGridXCenter() : kScreenCentreX);
    }
    // Runs after the numbers' own update, which holds a resolved run at 0.3.
    if (wszystkie != 0) setDAlpha(kGoneAlpha);
    return 0;
}

int TNumberLine::setMajorNAlpha(float a) {
    for (const auto& n : lista) n->setMajorNAlpha(a);
    return 0;
}

int TNumberLine::setMajorAlpha(float a) {
    for (const auto& n : lista) n->setMajorAlpha(a);
    return 0;
}

int TNumberLine::setDAlpha(float a) {
    for (const auto& n : lista) n->dAlpha = a;
    return 0;
}

int TNumberLine::setNAlpha(float a) {
    for (const auto& n : lista) n->alpha = a;
    return 0;
}
