// sim/world_update.h — the simulation step of the Playing state.
#pragma once

// Moves the hero, the monsters and the camera by one update scaled by f.
void updateWorld(float f);
