// Shared set-up of the simulation tests: the real tile meshes, an empty city, no monsters, the hero and camera at
// their initial values, no input, a 640 x 480 window with the cursor at its centre.
#pragma once
#include "city/city_grid.h"
#include "sim/actors.h"

#include <vector>

void resetSimWorld();
// Sets the ground-level cell type of every column in [x0, x1] x [z0, z1], walkable or not.
void fillGround(int x0, int z0, int x1, int z1, CellType type);
// Files a monster of the given kind at (x, y, z) in the cell of its position.
Actor* addMonster(ActorKind kind, float x, float y, float z);
// Holds the listed key down (KeyHeld) or releases it.
void holdKey(int code, bool held);
// Every monster filed in exactly one slot, no cell over ten: the index is consistent.
bool actorGridConsistent(int expectedMonsters);

// The monsters of a generated city, for checking the index after every update cheaply.
struct ActorCensus {
    std::vector<const Actor*> sorted;
};
void takeActorCensus(ActorCensus& census);
// Every census monster filed in exactly one slot, no other references, no cell over ten.
bool censusStillFiled(const ActorCensus& census);
// No NaN or infinity in the hero, the camera or any census monster.
bool simulationFinite(const ActorCensus& census);
