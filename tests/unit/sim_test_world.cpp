#include "sim_test_world.h"

#include <cstring>
#include <map>

#include "app/input.h"
#include "app/settings.h"
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
    std::memset(keyState, 0, sizeof(int32_t) * KeyStateCount);
    std::memset(mouseButtonState, 0, sizeof(int32_t) * MouseButtonCount);
    settings.screenWidth = 640.0f;
    settings.screenHeight = 480.0f;
    mouseX = 320;
    mouseY = 240;
    installTileMeshes();
}

// The walkway, road, water, roof and wall pieces as laid out in the tile table, one quad each
// (c0, c1, c2, c2, c3, c0); the water's collision surface is sunk 3.5 below its drawn one.
struct Quad {
    float c[4][3];
};

static void quadVertices(const Quad& q, float* out)
{
    const int order[6] = {0, 1, 2, 2, 3, 0};
    for (int v = 0; v < 6; ++v) {
        for (int k = 0; k < 3; ++k) {
            out[v * 3 + k] = q.c[order[v]][k];
        }
    }
}

static Quad slabAt(float y)
{
    return Quad{{{-5, y, 5}, {5, y, 5}, {5, y, -5}, {-5, y, -5}}};
}

static void rotatePoint(const float* in, float* out, int r)
{
    // Quarter turns: (x cos a + z sin a, y, z cos a - x sin a).
    const int c[4] = {1, 0, -1, 0};
    const int s[4] = {0, 1, 0, -1};
    out[0] = in[0] * c[r] + in[2] * s[r];
    out[1] = in[1];
    out[2] = in[2] * c[r] - in[0] * s[r];
}

static void installType(CellType type, const Quad* quads, int quadCount)
{
    float vertices[4 * 18];
    for (int q = 0; q < quadCount; ++q) {
        quadVertices(quads[q], vertices + q * 18);
    }
    for (int r = 0; r < 4; ++r) {
        float rotated[4 * 18];
        for (int v = 0; v < quadCount * 6; ++v) {
            rotatePoint(vertices + v * 3, rotated + v * 3, r);
        }
        collisionMeshTable[type][r] = buildCollisionMesh(quadCount * 6, rotated);
    }
}

void installTileMeshes()
{
    static bool installed = false;
    if (installed) {
        return;
    }
    installed = true;
    const Quad wallPlusZ{{{-5, -5, 5}, {5, -5, 5}, {5, 5, 5}, {-5, 5, 5}}};
    const Quad wallMinusX{{{-5, -5, -5}, {-5, -5, 5}, {-5, 5, 5}, {-5, 5, -5}}};
    const Quad kerbMinusX{{{-5, -15, -5}, {-5, -15, 5}, {-5, -5, 5}, {-5, -5, -5}}};
    const Quad kerbPlusZ{{{-5, -15, 5}, {5, -15, 5}, {5, -5, 5}, {-5, -5, 5}}};
    const Quad kerbPlusX{{{5, -15, 5}, {5, -15, -5}, {5, -5, -5}, {5, -5, 5}}};
    const Quad roof = slabAt(5);
    const Quad slab = slabAt(-5);

    collisionMeshTable[Empty][0] = collisionMeshTable[Empty][1] = collisionMeshTable[Empty][2] =
        collisionMeshTable[Empty][3] = buildCollisionMesh(0, nullptr);
    const Quad roofOnly[] = {roof};
    installType(Roof, roofOnly, 1);
    const Quad cornerTop[] = {wallPlusZ, roof, wallMinusX};
    installType(CornerTop, cornerTop, 3);
    const Quad sideTop[] = {wallPlusZ, roof};
    installType(SideTop, sideTop, 2);
    installType(StreetTop, sideTop, 2);
    const Quad corner[] = {wallPlusZ, wallMinusX};
    installType(CornerMiddle, corner, 2);
    installType(CornerGround, corner, 2);
    const Quad wall[] = {wallPlusZ};
    installType(SideMiddle, wall, 1);
    installType(StreetMiddle, wall, 1);
    installType(SideGround, wall, 1);
    installType(DoorGround, wall, 1);
    installType(StreetGround, wall, 1);
    const Quad pavement[] = {slab};
    installType(Pavement, pavement, 1);
    const Quad kerbSide[] = {slab, kerbMinusX};
    installType(KerbSide, kerbSide, 2);
    const Quad kerbCorner[] = {slab, kerbMinusX, kerbPlusZ};
    installType(KerbCorner, kerbCorner, 3);
    const Quad kerbOpposite[] = {kerbPlusX, slab, kerbMinusX};
    installType(KerbOpposite, kerbOpposite, 3);
    const Quad road[] = {slabAt(-6)};
    installType(Road, road, 1);
    installType(RoadCentre, road, 1);
    const Quad water[] = {slabAt(-7 - 3.5f)};
    installType(Water, water, 1);
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
