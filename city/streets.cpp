#include "city/streets.h"

#include <cstring>

#include "city/ground_level.h"
#include "city/random_source.h"
#include "sim/actors.h"

static void markRoadCentres()
{
    for (int x = 2; x <= 197; ++x) {
        for (int z = 2; z <= 197; ++z) {
            if (groundType(x, z) != CellType::Road) {
                continue;
            }
            // Two independent tests: a cell that passes both ends with rotation 1.
            if (groundType(x - 2, z) == CellType::Pavement && groundType(x + 2, z) == CellType::Pavement) {
                setGround(x, z, CellType::RoadCentre, 0);
            }
            if (groundType(x, z - 2) == CellType::Pavement && groundType(x, z + 2) == CellType::Pavement) {
                setGround(x, z, CellType::RoadCentre, 1);
            }
        }
    }
}

static bool isLower(CellType type)
{
    return type == CellType::Road || type == CellType::RoadCentre || type == CellType::Water;
}

static void addKerbs()
{
    for (int x = 1; x <= 198; ++x) {
        for (int z = 1; z <= 198; ++z) {
            if (groundType(x, z) != CellType::Pavement) {
                continue;
            }
            bool w = isLower(groundType(x, z - 1)), e = isLower(groundType(x, z + 1));
            bool n = isLower(groundType(x - 1, z)), s = isLower(groundType(x + 1, z));
            const CellRule rules[] = {
                {w, CellType::KerbSide, 3},
                {e, CellType::KerbSide, 1},
                {n, CellType::KerbSide, 0},
                {s, CellType::KerbSide, 2},
                {w && n, CellType::KerbCorner, 3},
                {e && s, CellType::KerbCorner, 1},
                {e && n, CellType::KerbCorner, 0},
                {w && s, CellType::KerbCorner, 2},
                {n && s, CellType::KerbOpposite, 0},
                {w && e, CellType::KerbOpposite, 1},
            };
            cityGrid.cells[x][GroundLevel][z] = lastMatchingRule(rules, CellType::Pavement);
        }
    }
}

void finishStreets()
{
    markRoadCentres();
    addKerbs();
}

bool isWalkable(CellType type)
{
    return type == CellType::Pavement || type == CellType::KerbSide || type == CellType::KerbCorner ||
           type == CellType::Road || type == CellType::RoadCentre || type == CellType::KerbOpposite;
}

void buildWalkableMap()
{
    for (int x = 0; x < GridSize; ++x) {
        for (int z = 0; z < GridSize; ++z) {
            cityGrid.blocked[x][z] = isWalkable(groundType(x, z)) ? 0 : 1;
        }
    }
}

// The monsters live for the whole run; a second city reuses the same records.
static Actor* actorPool[MonsterCount];

void placeInitialActors()
{
    std::memset(actorGrid.count, 0, sizeof actorGrid.count);
    std::memset(actorGrid.slots, 0, sizeof actorGrid.slots);

    int walkable = 0;
    for (int x = 0; x < GridSize; ++x) {
        for (int z = 0; z < GridSize; ++z) {
            walkable += cityGrid.blocked[x][z] == 0 ? 1 : 0;
        }
    }
    // The search below only ends on a free walkable column, so never ask for more than exist.
    int monsters = walkable < MonsterCount ? walkable : MonsterCount;

    for (int placed = 0; placed < monsters;) {
        int x = randomBelow(GridSize);
        int z = randomBelow(GridSize);
        if (cityGrid.blocked[x][z] == 1 || actorGrid.count[x][z] >= 1) {
            continue;
        }
        if (actorPool[placed] == nullptr) {
            actorPool[placed] = new Actor{};
        }
        Actor* actor = actorPool[placed];
        *actor = Actor{};
        actorGrid.slots[x][z][actorGrid.count[x][z]] = actor;
        actor->kind = static_cast<ActorKind>(randomBelow(ActorKindCount));
        actor->x = 10.0f * x;
        actor->y = 0.0f;
        actor->z = 10.0f * z;
        ++actorGrid.count[x][z];
        ++placed;
    }
}
