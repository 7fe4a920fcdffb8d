#include "sim_test_world.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <map>

#include "app/input.h"
#include "app/settings.h"
#include "city/streets.h"
#include "city/tile_pieces.h"
#include "sim/collision.h"

static Actor testActors[600];
static int testActorCount = 0;

void resetSimWorld()
{
    prepareCityGrid();
    std::memset(cityGrid.blocked, 0, sizeof cityGrid.blocked);
    std::memset(&actorGrid, 0, sizeof actorGrid);
    testActorCount = 0;
    resetHeroAndCamera();
    std::memset(keyState, 0, sizeof keyState);
    std::memset(mouseButtonState, 0, sizeof mouseButtonState);
    settings.screenWidth = 640.0f;
    settings.screenHeight = 480.0f;
    mouseX = 320;
    mouseY = 240;
    buildTilePieces();
    buildCollisionMeshes();
}

void fillGround(int x0, int z0, int x1, int z1, CellType type)
{
    for (int x = x0; x <= x1; ++x) {
        for (int z = z0; z <= z1; ++z) {
            cityGrid.cells[x][GroundLevel][z] = GridCell{type, 0};
            cityGrid.blocked[x][z] = isWalkable(type) ? 0 : 1;
        }
    }
}

Actor* addMonster(ActorKind kind, float x, float y, float z)
{
    Actor* actor = &testActors[testActorCount++];
    *actor = Actor{kind, x, y, z, 0.0f, 0.0f};
    int cx = cellIndexOf(x);
    int cz = cellIndexOf(z);
    actorGrid.slots[cx][cz][actorGrid.count[cx][cz]++] = actor;
    return actor;
}

void holdKey(int code, bool held) { keyState[code] = held ? InputState::KeyHeld : InputState::KeyUp; }

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

void takeActorCensus(ActorCensus& census)
{
    census.sorted.clear();
    for (int x = 0; x < GridSize; ++x) {
        for (int z = 0; z < GridSize; ++z) {
            for (int s = 0; s < actorGrid.count[x][z]; ++s) {
                census.sorted.push_back(actorGrid.slots[x][z][s]);
            }
        }
    }
    std::sort(census.sorted.begin(), census.sorted.end());
}

bool censusStillFiled(const ActorCensus& census)
{
    static std::vector<char> seen;
    seen.assign(census.sorted.size(), 0);
    size_t total = 0;
    const int8_t* counts = &actorGrid.count[0][0];
    for (int cell = 0; cell < GridSize * GridSize; cell += 8) {
        // Most cells are empty: skip eight counts at a time.
        uint64_t word = 0;
        std::memcpy(&word, counts + cell, sizeof word);
        if (word == 0) {
            continue;
        }
        for (int k = cell; k < cell + 8; ++k) {
            int count = counts[k];
            if (count < 0 || count > MaxActorsPerCell) {
                return false;
            }
            for (int s = 0; s < count; ++s) {
                const Actor* actor = actorGrid.slots[k / GridSize][k % GridSize][s];
                auto found = std::lower_bound(census.sorted.begin(), census.sorted.end(), actor);
                if (found == census.sorted.end() || *found != actor || seen[found - census.sorted.begin()]) {
                    return false;
                }
                seen[found - census.sorted.begin()] = 1;
            }
            total += static_cast<size_t>(count);
        }
    }
    return total == census.sorted.size();
}

static bool finite(float value) { return std::isfinite(value); }

bool simulationFinite(const ActorCensus& census)
{
    const float heroValues[] = {hero.x, hero.y, hero.z, hero.velocityX, hero.velocityY, hero.velocityZ,
                                hero.heading, hero.health, hero.energy, hero.restTimer, hero.animPhase,
                                followCamera.yaw, followCamera.pitch, followCamera.distance, followCamera.x,
                                followCamera.y, followCamera.z};
    for (float value : heroValues) {
        if (!finite(value)) {
            return false;
        }
    }
    for (const Actor* actor : census.sorted) {
        if (!finite(actor->x) || !finite(actor->y) || !finite(actor->z) || !finite(actor->heading)
            || !finite(actor->animPhase)) {
            return false;
        }
    }
    return true;
}
