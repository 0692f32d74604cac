#include "game/board/links.h"

#include "game/board/tile.h"

namespace {

TPlayLink gDefaultPlay;
TEffectsLink gDefaultEffects;
TServicesLink gDefaultServices;

TPlayLink* gPlay = &gDefaultPlay;
TEffectsLink* gEffects = &gDefaultEffects;
TServicesLink* gServices = &gDefaultServices;

}  // namespace

int TPlayLink::getOverUp() {
    TTile* t = overTile();
    return t ? t->c : -1;
}

int TPlayLink::getOverLeft() {
    TTile* t = overTile();
    return t ? t->r : -1;
}

TPlayLink& playLink() { return *gPlay; }
TEffectsLink& effectsLink() { return *gEffects; }
TServicesLink& servicesLink() { return *gServices; }

void setPlayLink(TPlayLink* link) { gPlay = link ? link : &gDefaultPlay; }
void setEffectsLink(TEffectsLink* link) { gEffects = link ? link : &gDefaultEffects; }
void setServicesLink(TServicesLink* link) { gServices = link ? link : &gDefaultServices; }

void resetBoardLinks() {
    gDefaultPlay = TPlayLink();
    gPlay = &gDefaultPlay;
    gEffects = &gDefaultEffects;
    gServices = &gDefaultServices;
}
