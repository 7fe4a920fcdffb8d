// city/streets.h — road markings, kerbs, the walkable map and the monsters of the first frame.
#pragma once

// Marks the middle lane of roads and gives pavement kerb faces toward lower neighbours.
void finishStreets();
// blocked = 0 on roads and pavements, 1 on everything else.
void buildWalkableMap();
// Clears the ActorGrid and files 500 monsters on distinct walkable columns. The 500 Actor
// records are allocated on the first call and reused by later calls.
void placeInitialActors();
