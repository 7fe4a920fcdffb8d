// render/city_drawing.h — the city cells around the hero, gathered into a few large draws.
#pragma once
#include <cstdint>

// Vertices one city draw carries at most; a window holds more, so it is drawn in several.
constexpr int CityBatchVertices = 49152;
// Columns drawn around the given column in each direction.
constexpr int CityDrawRadius = 25;

// Draws every non-empty cell within CityDrawRadius columns of (cellX, cellZ), at every level, in
// its column's tint, with the bound texture: nearest columns first, each from the ground up.
// Each cell's piece is moved to its place on the CPU, so a few thousand cells cost a few draws
// instead of a few thousand. Leaves the colour array disabled; returns its glDrawArrays calls.
int drawCityCells(int cellX, int cellZ);

// City cells submitted by the last drawCityCells, which alone writes it; tests read it.
extern int32_t cityCellsDrawn;

// The plain drawing the batches stand in for, as a reference to compare with: the same cells,
// level by level, each piece in place in its column's tint with a draw of its own. Leaves the
// colour white.
void drawCityCellByCell(int cellX, int cellZ);
