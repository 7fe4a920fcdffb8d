#include "app/world.h"

#include <cstdlib>
#include <cstring>

#include "app/input.h"
#include "city/city_grid.h"
#include "city/tile_pieces.h"
#include "sim/actors.h"
#include "sim/collision.h"

void buildWorldPieces()
{
    buildTilePieces();
    buildCollisionMeshes();
}

void generateWorld(GenerationStepDone stepDone, void* context)
{
    prepareCityGrid();
    generateCity(stepDone, context);
    placeHero();
    if (stepDone) {
        stepDone("hero", context);
    }
}

void startWorld(unsigned seed, GenerationStepDone stepDone, void* context)
{
    std::srand(seed);
    buildWorldPieces();
    resetHeroAndCamera();
    std::memset(keyState, 0, sizeof keyState);
    std::memset(mouseButtonState, 0, sizeof mouseButtonState);
    generateWorld(stepDone, context);
}
