#include "sim_test_world.h"

#include <cstring>
#include <map>

#include "app/input.h"
#include "app/settings.h"
#include "city/tile_pieces.h"

static Actor testActors[600];
static int testActorCount = 0;

void resetSimWorld()
{
    prepareCityGrid();
    std::memset(cityGrid.blocked, 0, sizeof cityGrid.blocked);
    std::memset(&actorGrid, 0, sizeof actorGrid);
    testActorCount = 0;
    resetHeroAndCamera();
    std::memset(keyState, 0, sizeof(int32_t) * KeyStateCount);
    std::memset(mouseButtonState, 0, sizeof(int32_t) * MouseButtonCount);
    settings.screenWidth = 640.0f;
    settings.screenHeight = 480.0f;
    mouseX = 320;
    mouseY = 240;
    buildTilePieces();
}

static bool walkableType(CellType type)
{
    return type == Pavement || type == KerbSide || type == KerbCorner || type == Road || type == RoadCentre
        || type == KerbOpposite;
}

void fillGround(int x0, int z0, int x1, int z1, CellType type)
{
    for (int x = x0; x <= x1; ++x) {
        for (int z = z0; z <= z1; ++z) {
            cityGrid.cells[x][GroundLevel][z] = GridCell{type, 0};
            cityGrid.blocked[x][z] = walkableType(type) ? 0 : 1;
        }
    }
}

Actor* addMonster(int kind, float x, float y, float z)
{
    Actor* actor = &testActors[testActorCount++];
    *actor = Actor{kind, x, y, z, 0.0f, 0.0f};
    int cx = cellIndexOf(x);
    int cz = cellIndexOf(z);
    actorGrid.slots[cx][cz][actorGrid.count[cx][cz]++] = actor;
    return actor;
}

void holdKey(int code, bool held) { keyState[code] = held ? KeyHeld : KeyUp; }

bool actorGridConsistent(int expectedMonsters)
{
    std::map<const Actor*, int> seen;
    int total = 0;
    for (int x = 0; x < GridSize; ++x) {
        for (int z = 0; z < GridSize; ++z) {
            int count = actorGrid.count[x][z];
            if (count < 0 || count > MaxActorsPerCell) {
                return false;
            }
            for (int s = 0; s < count; ++s) {
                if (actorGrid.slots[x][z][s] == nullptr || ++seen[actorGrid.slots[x][z][s]] > 1) {
                    return false;
                }
            }
            total += count;
        }
    }
    return total == expectedMonsters;
}
