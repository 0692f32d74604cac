#pragma once
// The effects layer as the rest of the game sees it: installing it behind the board's and
// the level file's seams (the praise caption of a finished line included), loading its
// images, and emptying the lists between levels.
//
//   start-up:               installEffects();
//   loading, second part:   setupParticles(); setupKamienie(); setupFlyingBonus(); setupCaptions();
//                           setupFlyingMiecz(); setupLivings(); setupPlates();
//   play screen:            clearLevelEffects() when a level starts and when its loop ends
//                           (the weather goes with it)
#include "effects/captions.h"
#include "effects/emitter.h"
#include "effects/flying_tile.h"
#include "effects/plate.h"
#include "effects/living.h"
#include "effects/miecz.h"
#include "effects/flying_bonus.h"
#include "effects/flying_hint.h"
#include "effects/flying_tresure.h"
#include "effects/kamien.h"
#include "effects/odpad.h"
#include "effects/particles.h"
#include "effects/pogoda.h"

// Installs the effects behind setEffectsLink and setLevelFileLink (the treasures of a saved
// level in progress): treasures, splinters, plates, creatures, stripes.
void installEffects();
// The board-side images: particles, stones and bonus icons.
int setupBoardEffects();
// Drops what would otherwise carry into the next level: stones, hints and bonus icons still
// under way (a stone would charge a mistake to the next level, a hint resolve a cell of a
// level gone, an icon re-enable a button whatever the new level's state).
void clearLevelEffects();
// Every list and image table empty, the seams back to their defaults (for tests).
void resetEffects();
