#include "city/land_roads.h"

#include <cstring>

#include "city/ground_level.h"
#include "city/random_source.h"

uint8_t coarseWater[CoarseSize][CoarseSize];
// 1 = road or water, 0 = free land.
static uint8_t coarseRoads[CoarseSize][CoarseSize];

// Marks free squares from (i, j) in steps of (di, dj) until the next one is road or water.
static void extendRoad(int i, int j, int di, int dj)
{
    for (i += di, j += dj; coarseRoads[i][j] == 0; i += di, j += dj) {
        coarseRoads[i][j] = 1;
    }
}

// One road attempt: a line along (di, dj) whose start square and both its side squares are free.
static void tryRoadLine(int di, int dj)
{
    int i = randomBelow(38) + 1;
    int j = randomBelow(38) + 1;
    if (coarseRoads[i][j] != 0 || coarseRoads[i - dj][j - di] != 0 || coarseRoads[i + dj][j + di] != 0) {
        return;
    }
    coarseRoads[i][j] = 1;
    extendRoad(i, j, -di, -dj);
    extendRoad(i, j, di, dj);
}

void generateLandAndRoads()
{
    std::memset(coarseWater, 1, sizeof coarseWater);
    for (int n = 0; n < 30; ++n) {
        int cx = randomBelow(20) + 10;
        int cz = randomBelow(20) + 10;
        int hx = randomBelow(4) + 2;
        int hz = randomBelow(4) + 2;
        for (int i = cx - hx; i <= cx + hx; ++i) {
            for (int j = cz - hz; j <= cz + hz; ++j) {
                coarseWater[i][j] = 0;
            }
        }
    }

    std::memcpy(coarseRoads, coarseWater, sizeof coarseRoads);
    for (int n = 0; n < 160; ++n) {
        tryRoadLine(1, 0);
        tryRoadLine(0, 1);
    }

    for (int x = 0; x < GridSize; ++x) {
        for (int z = 0; z < GridSize; ++z) {
            int cx = x / CoarseSpan, cz = z / CoarseSpan;
            if (coarseRoads[cx][cz] != 0) {
                groundType(x, z) = CellType::Road;
            }
            if (coarseWater[cx][cz] != 0) {
                groundType(x, z) = CellType::Water;
            }
        }
    }
}
