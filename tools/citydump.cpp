// citydump SEED: generates the city of one seed and prints it as text, so cities compare by diff.
#include <cstdio>
#include <cstdlib>

#include "city/buildings.h"
#include "city/city_generation.h"
#include "city/land_roads.h"
#include "city/pavements.h"
#include "city/random_source.h"
#include "city/streets.h"
#include "sim/actors.h"

static void runCounted(const char* name, void (*step)())
{
    int64_t before = randomDrawCount;
    step();
    std::printf("draws %s %lld\n", name, static_cast<long long>(randomDrawCount - before));
}

static void printLevels()
{
    for (int level = 0; level < LevelCount; ++level) {
        std::printf("level %d\n", level);
        for (int x = 0; x < GridSize; ++x) {
            for (int z = 0; z < GridSize; ++z) {
                const GridCell& cell = cityGrid.cells[x][level][z];
                std::printf(z == 0 ? "%d" : " %d", cell.type);
                if (cell.rotation != 0) {
                    std::printf("r%d", cell.rotation);
                }
            }
            std::printf("\n");
        }
    }
}

static void printTints()
{
    std::printf("tint\n");
    for (int x = 0; x < GridSize; ++x) {
        for (int z = 0; z < GridSize; ++z) {
            const Tint& t = cityGrid.tint[x][z];
            if (t.red != 1.0f || t.green != 1.0f || t.blue != 1.0f) {
                std::printf("%d %d %.3f %.3f %.3f\n", x, z, t.red, t.green, t.blue);
            }
        }
    }
}

static void printBlocked()
{
    std::printf("blocked\n");
    char line[GridSize + 2];
    for (int x = 0; x < GridSize; ++x) {
        for (int z = 0; z < GridSize; ++z) {
            line[z] = cityGrid.blocked[x][z] ? '1' : '0';
        }
        line[GridSize] = '\n';
        line[GridSize + 1] = '\0';
        std::fputs(line, stdout);
    }
}

static void printActors()
{
    std::printf("actors\n");
    for (int x = 0; x < GridSize; ++x) {
        for (int z = 0; z < GridSize; ++z) {
            for (int slot = 0; slot < actorGrid.count[x][z]; ++slot) {
                const Actor* a = actorGrid.slots[x][z][slot];
                std::printf("%d %d %d %.1f %.1f %.1f\n", x, z, a->kind, a->x, a->y, a->z);
            }
        }
    }
}

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: citydump SEED\n");
        return 2;
    }
    std::srand(static_cast<unsigned>(std::strtoul(argv[1], nullptr, 10)));
    prepareCityGrid();
    runCounted("generateLandAndRoads", generateLandAndRoads);
    runCounted("generatePavementsAndBlocks", generatePavementsAndBlocks);
    runCounted("raiseBuildings", raiseBuildings);
    runCounted("placeDoors", placeDoors);
    runCounted("paintBuildings", paintBuildings);
    runCounted("finishStreets", finishStreets);
    runCounted("buildWalkableMap", buildWalkableMap);
    runCounted("placeInitialActors", placeInitialActors);
    runCounted("hero", placeHero);

    printLevels();
    printTints();
    printBlocked();
    printActors();
    std::printf("hero %d %d\n", cellIndexOf(hero.x), cellIndexOf(hero.z));
    return 0;
}
