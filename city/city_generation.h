// city/city_generation.h — the eight generation steps in their order, and the hero's start column.
#pragma once

// generateLandAndRoads ... placeInitialActors, in start-up's order.
void generateCity();
// Puts the hero (and the camera) on a free walkable column at ground height.
void placeHero();
