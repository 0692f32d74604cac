#include "screens/map/map_world.h"

#include "app/router.h"
#include "screens/map/mapa.h"

void TMapWorld::mapSetNewStage(int32_t stageN) { mapa.setNewStageById(stageN); }

void bindGameFlowPlaces() {
    control::bind("MAPA", [] { return mapa.mainLoop(); });
}
