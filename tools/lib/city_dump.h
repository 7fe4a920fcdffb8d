// tools/lib/city_dump.h — a generated city as plain text, so that two cities compare by diff.
#pragma once
#include <cstdio>

// Builds the world of SEED and writes the draws of each step, all levels, tints, the walkable
// map, the monsters and the hero's column to OUT.
void dumpCity(unsigned seed, std::FILE* out);
