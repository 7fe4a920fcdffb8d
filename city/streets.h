// city/streets.h — road markings, kerbs, the walkable map and the monsters of the first frame.
#pragma once
#include "city/city_grid.h"

// Marks the middle lane of roads and gives pavement kerb faces toward lower neighbours.
void finishStreets();
// Roads, pavements and kerbs: the ground the hero and the monsters may walk on.
bool isWalkable(CellType type);
// blocked = 0 where the ground level is walkable, 1 everywhere else.
void buildWalkableMap();
// Clears the ActorGrid and files 500 monsters on distinct walkable columns. The 500 Actor
// records are allocated on the first call and reused by later calls.
void placeInitialActors();
