#include "city/pavements.h"

#include "city/ground_level.h"
#include "city/land_roads.h"
#include "city/random_source.h"

// True if any of the 8 neighbours of (x, z) is of type A or of type B.
static bool anyNeighbourIs(int x, int z, CellType typeA, CellType typeB)
{
    for (int dx = -1; dx <= 1; ++dx) {
        for (int dz = -1; dz <= 1; ++dz) {
            CellType type = groundType(x + dx, z + dz);
            if ((dx != 0 || dz != 0) && (type == typeA || type == typeB)) {
                return true;
            }
        }
    }
    return false;
}

// True if any of the 8 neighbours of (x, z) is neither Water nor Pavement.
static bool anyNeighbourIsLand(int x, int z)
{
    for (int dx = -1; dx <= 1; ++dx) {
        for (int dz = -1; dz <= 1; ++dz) {
            CellType type = groundType(x + dx, z + dz);
            if (type != CellType::Water && type != CellType::Pavement) {
                return true;
            }
        }
    }
    return false;
}

static void edgeRoadsAndShores()
{
    for (int x = 1; x <= 198; ++x) {
        for (int z = 1; z <= 198; ++z) {
            if (groundType(x, z) == CellType::Road && anyNeighbourIs(x, z, CellType::Empty, CellType::Water)) {
                groundType(x, z) = CellType::Pavement;
            }
        }
    }
    for (int x = 1; x <= 198; ++x) {
        for (int z = 1; z <= 198; ++z) {
            if (groundType(x, z) == CellType::Water && anyNeighbourIsLand(x, z)) {
                groundType(x, z) = CellType::Pavement;
            }
        }
    }
}

// Continues pavement from (x, z) in steps of (dx, dz) into Empty land; the side check keeps the
// walk from running alongside, or ending next to, pavement that is already there.
static void walkPavement(int x, int z, int dx, int dz)
{
    while (groundTypeAt(x + dx, z + dz) == CellType::Empty) {
        int nx = x + dx, nz = z + dz;
        if (groundTypeAt(nx + dz, nz + dx) == CellType::Pavement ||
            groundTypeAt(nx - dz, nz - dx) == CellType::Pavement) {
            return;
        }
        groundType(nx, nz) = CellType::Pavement;
        x = nx;
        z = nz;
    }
}

static void cutInwardCoastCorners()
{
    for (int cx = 1; cx <= 38; ++cx) {
        for (int cz = 1; cz <= 38; ++cz) {
            if (coarseWater[cx][cz] != 1) {
                continue;
            }
            bool n = coarseWater[cx - 1][cz] == 0, s = coarseWater[cx + 1][cz] == 0;
            bool w = coarseWater[cx][cz - 1] == 0, e = coarseWater[cx][cz + 1] == 0;
            int x0 = CoarseSpan * cx, x1 = x0 + 4, z0 = CoarseSpan * cz, z1 = z0 + 4;
            if (n && w) {
                walkPavement(x0, z0, -1, 0);
                walkPavement(x0, z0, 0, -1);
            }
            if (s && e) {
                walkPavement(x1, z1, 1, 0);
                walkPavement(x1, z1, 0, 1);
            }
            if (s && w) {
                walkPavement(x1, z0, 1, 0);
                walkPavement(x1, z0, 0, -1);
            }
            if (n && e) {
                walkPavement(x0, z1, -1, 0);
                walkPavement(x0, z1, 0, 1);
            }
        }
    }
}

// One cut attempt: a pavement line along (dx, dz) through a cell with three Empty cells on each side.
static void tryBlockCut(int dx, int dz)
{
    int x = randomBelow(GridSize);
    int z = randomBelow(GridSize);
    for (int k = -3; k <= 3; ++k) {
        if (groundTypeAt(x + k * dz, z + k * dx) != CellType::Empty) {
            return;
        }
    }
    groundType(x, z) = CellType::Pavement;
    for (int sign = -1; sign <= 1; sign += 2) {
        int nx = x + sign * dx, nz = z + sign * dz;
        while (groundTypeAt(nx, nz) == CellType::Empty) {
            groundType(nx, nz) = CellType::Pavement;
            nx += sign * dx;
            nz += sign * dz;
        }
    }
}

void generatePavementsAndBlocks()
{
    edgeRoadsAndShores();
    cutInwardCoastCorners();
    for (int n = 0; n < 6000; ++n) {
        tryBlockCut(0, 1);
        tryBlockCut(1, 0);
    }
}
