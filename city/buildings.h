// city/buildings.h — one hollow, tinted building of 2 to 6 storeys on every block.
#pragma once
#include <cstdint>
#include "city/city_grid.h"

// Storey count per block column while raising, then unpainted building columns while painting.
extern int32_t scratchMap[GridSize][GridSize];
// 1 for interior ground cells that placeDoors has not visited yet.
extern uint8_t interiorMark[GridSize][GridSize];

// Gives every block a storey count and stacks its facade pieces and roof.
void raiseBuildings();
// Replaces ground-storey walls by doors: on every side facing a road, at least one per building.
void placeDoors();
// Gives every building one tint colour.
void paintBuildings();
