#include "game/flow/flow_install.h"

#include "app/router.h"
#include "game/flow/level_manager.h"
#include "game/map/mapa.h"

int setupGameFlow() {
    levelManager.setup();
    mapa.setup();
    return 0;
}

void bindGameFlowPlaces() {
    control::bind("MAPA", [] { return mapa.mainLoop(); });
}
