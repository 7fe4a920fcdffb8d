// city/random_source.h — the one random source of the game: the C library's rand(),
// counted so that tools can tell how many draws each step took.
#pragma once
#include <cstdint>

// Written by randomValue; the city dump and the tests read it.
extern int64_t randomDrawCount;

// The next rand() value.
int randomValue();
// The next rand() value modulo n.
int randomBelow(int n);
