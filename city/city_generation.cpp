#include "city/city_generation.h"

#include "city/buildings.h"
#include "city/land_roads.h"
#include "city/pavements.h"
#include "city/random_source.h"
#include "city/streets.h"
#include "sim/actors.h"

void generateCity()
{
    generateLandAndRoads();
    generatePavementsAndBlocks();
    raiseBuildings();
    placeDoors();
    paintBuildings();
    finishStreets();
    buildWalkableMap();
    placeInitialActors();
}

static bool isFreeWalkable(int x, int z) { return cityGrid.blocked[x][z] == 0 && actorGrid.count[x][z] == 0; }

// The random search has no end of its own; after this many tries take the first free column.
static constexpr int HeroSearchLimit = 1000000;

void placeHero()
{
    int x = 100, z = 100;
    for (int tries = 0; !isFreeWalkable(x, z) && tries < HeroSearchLimit; ++tries) {
        x = randomBelow(GridSize);
        z = randomBelow(GridSize);
    }
    for (int cx = 0; cx < GridSize && !isFreeWalkable(x, z); ++cx) {
        for (int cz = 0; cz < GridSize; ++cz) {
            if (isFreeWalkable(cx, cz)) {
                x = cx;
                z = cz;
                break;
            }
        }
    }
    hero.x = 10.0f * x;
    hero.y = 10.0f;
    hero.z = 10.0f * z;
    followCamera.x = hero.x;
    followCamera.y = hero.y;
    followCamera.z = hero.z;
}
