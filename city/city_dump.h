// city/city_dump.h — a generated city as plain text, so that two cities compare by diff.
#pragma once
#include <cstdio>

// Seeds rand() with SEED, prepares the grid, runs the eight generation steps and the hero
// placement, and writes the draw counts, all levels, tints, the walkable map, the monsters and
// the hero's column to OUT.
void dumpCity(unsigned seed, std::FILE* out);
