// city/city_generation.h — the eight generation steps in their order, and the hero's start column.
#pragma once
#include <cstdint>

// Told after a generation step with its name (the step's function name), for tools that follow
// the steps one by one.
using GenerationStepDone = void (*)(const char* step, void* context);

// generateLandAndRoads ... placeInitialActors, in start-up's order; STEPDONE hears of each.
void generateCity(GenerationStepDone stepDone = nullptr, void* context = nullptr);
// Puts the hero (and the camera) on a free walkable column at ground height.
void placeHero();

// Raised whenever the grid's cells or tints or the tile pieces change: by generateCity and
// buildTilePieces, which alone change them in the game, and by a test after it edits them. What
// the drawing built from them is kept until it moves, so a frame reads only what it draws.
extern uint32_t cityVersion;
