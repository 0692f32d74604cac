#pragma once
// How the progressions and the map join the running program.
//
//   loading, third part:   setupGameFlow();          // progressions, then the map
//   before the router:     bindGameFlowPlaces();     // "MAPA" runs the map
//   the profile's world:   derive the program's TProfileWorld from TFlowWorld
//                          (game/flow/flow_world.h) and install it with setProfileWorld.

// Reads the progressions, stage backgrounds and level names, then sets up the map.
int setupGameFlow();
// Binds the router's "MAPA" to the map's loop (replacing its stand-in).
void bindGameFlowPlaces();
