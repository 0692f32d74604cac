#pragma once
// The sea map joins the program: the router's "MAPA" runs it, and the profile's world tells
// it which stage was newly reached.
#include "game/flow/flow_world.h"

// The progressions' world with the map: the program's world derives from this one.
class TMapWorld : public TFlowWorld {
public:
    void mapSetNewStage(int32_t stageN) override;
};

// Binds the router's "MAPA" to the map's loop (replacing its stand-in).
void bindGameFlowPlaces();
