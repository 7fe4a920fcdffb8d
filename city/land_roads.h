// city/land_roads.h — the coarse plan of land, water and roads, and its ground-level cells.
#pragma once
#include <cstdint>
#include "city/city_grid.h"

// 1 = water, 0 = land, per coarse square of 5 x 5 cells; written by generateLandAndRoads,
// read again by the pavement step.
extern uint8_t coarseWater[CoarseSize][CoarseSize];

// Random land rectangles in open water, straight roads across them, written as Water, Road or Empty.
void generateLandAndRoads();
