#include "city/city_generation.h"

#include "city/buildings.h"
#include "city/land_roads.h"
#include "city/pavements.h"
#include "city/random_source.h"
#include "city/streets.h"
#include "sim/actors.h"

uint32_t cityVersion = 1;

static const struct {
    const char* name;
    void (*run)();
} GenerationSteps[] = {
    {"generateLandAndRoads", generateLandAndRoads},
    {"generatePavementsAndBlocks", generatePavementsAndBlocks},
    {"raiseBuildings", raiseBuildings},
    {"placeDoors", placeDoors},
    {"paintBuildings", paintBuildings},
    {"finishStreets", finishStreets},
    {"buildWalkableMap", buildWalkableMap},
    {"placeInitialActors", placeInitialActors},
};

void generateCity(GenerationStepDone stepDone, void* context)
{
    for (const auto& step : GenerationSteps) {
        step.run();
        if (stepDone) {
            stepDone(step.name, context);
        }
    }
    ++cityVersion;
}

static bool isFreeWalkable(int x, int z) { return cityGrid.blocked[x][z] == 0 && actorGrid.count[x][z] == 0; }

// The random search has no end of its own; after this many tries take the first free column
// in x-major order, or the centre when there is none at all.
static constexpr int HeroSearchLimit = 1000000;

static void firstFreeColumn(int& x, int& z)
{
    for (int cx = 0; cx < GridSize; ++cx) {
        for (int cz = 0; cz < GridSize; ++cz) {
            if (isFreeWalkable(cx, cz)) {
                x = cx;
                z = cz;
                return;
            }
        }
    }
    x = 100;
    z = 100;
}

void placeHero()
{
    int x = 100, z = 100;
    int tries = 0;
    while (!isFreeWalkable(x, z) && tries < HeroSearchLimit) {
        x = randomBelow(GridSize);
        z = randomBelow(GridSize);
        ++tries;
    }
    if (!isFreeWalkable(x, z)) {
        firstFreeColumn(x, z);
    }
    hero.x = 10.0f * x;
    hero.y = 10.0f;
    hero.z = 10.0f * z;
    followCamera.x = hero.x;
    followCamera.y = hero.y;
    followCamera.z = hero.z;
}
