// city/buildings.h — one hollow, tinted building of 2 to 6 storeys on every block.
#pragma once
#include <cstdint>
#include "city/city_grid.h"

// Gives every block a storey count and stacks its facade pieces and roof.
void raiseBuildings();
// Replaces ground-storey walls by doors: on every side facing a road, at least one per building.
void placeDoors();
// Gives every building one tint colour.
void paintBuildings();
