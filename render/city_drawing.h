// render/city_drawing.h — the city cells around the hero, kept in place across frames.
#pragma once
#include <cstdint>

struct ViewVolume;

// Columns drawn around the given column in each direction.
constexpr int CityDrawRadius = 25;
// Columns per side of a chunk: the city's geometry is kept per chunk, moved into place once.
constexpr int CityChunkSize = 4;
// Vertices one city draw carries at most; a piece larger than that is drawn by itself.
constexpr int CityBatchVertices = 49152;

// Draws every non-empty cell within CityDrawRadius columns of (cellX, cellZ), at every level, in
// its column's tint, with the bound texture. The chunks wholly outside the view are skipped and
// the rest go nearest first. A chunk is built the first time the window reaches it and again
// only after cityVersion has changed (city/city_generation.h), so nothing is rebuilt while the
// hero walks and a frame reads only the chunks it draws. Leaves the colour array disabled;
// returns its glDrawArrays calls.
int drawCityCells(int cellX, int cellZ, const ViewVolume& view);
// The same in steps, so that the scene can draw other things between them: gatherCityChunks
// counts the window's cells and finds its chunks in view, then each drawCityChunksNearerThan
// draws those not drawn yet whose centre lies less than the given distance from the eye along
// the ground (world units), with the bound texture, and returns its glDrawArrays calls. The
// steps up to an infinite distance draw every chunk in view once.
void gatherCityChunks(int cellX, int cellZ, const ViewVolume& view);
int drawCityChunksNearerThan(float distance);

// City cells of the window the last gatherCityChunks covered (what the scene names, in view or
// not), and the chunks of it in view sent since; the drawing above alone writes them, tests and
// benchmarks read them.
extern int32_t cityCellsDrawn;
extern int32_t cityChunksDrawn;

// The plain drawing the chunks stand in for, as a reference to compare with: the same cells,
// level by level, each piece in place in its column's tint with a draw of its own. Leaves the
// colour white; returns its glDrawArrays calls.
int drawCityCellByCell(int cellX, int cellZ);
