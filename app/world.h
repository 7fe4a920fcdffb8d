// app/world.h — the world of a seed: the city with its monsters and the hero at its start, built
// the one way the game, the tools, the benchmarks and the tests all build it.
#pragma once
#include "city/city_generation.h"

// The pieces every world is built from: the tile pieces, then their collision meshes.
void buildWorldPieces();

// From the random generator as it stands: prepares the grid, runs the eight generation steps and
// places the hero and the camera; STEPDONE hears of each step, of the placement as "hero".
// Start-up calls it, after buildWorldPieces, once the generator is seeded from the clock.
void generateWorld(GenerationStepDone stepDone = nullptr, void* context = nullptr);

// The world of SEED as the game starts it: srand(SEED), buildWorldPieces, the hero and camera
// back to their initial values, no key or button held, then generateWorld.
void startWorld(unsigned seed, GenerationStepDone stepDone = nullptr, void* context = nullptr);
