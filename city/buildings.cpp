#include "city/buildings.h"

#include "city/ground_level.h"
#include "city/random_source.h"

// Storey count per block column while raising, then unpainted building columns while painting.
static int32_t scratchMap[GridSize][GridSize];
// 1 for interior ground cells that placeDoors has not visited yet.
static uint8_t interiorMark[GridSize][GridSize];

static void assignStoreyCounts()
{
    for (int x = 0; x < GridSize; ++x) {
        for (int z = 0; z < GridSize; ++z) {
            scratchMap[x][z] = groundType(x, z) == CellType::Empty ? 1 : 0;
        }
    }
    // The first visited cell of a block is its -x, -z corner, so one draw fills the whole block.
    for (int x = 1; x <= 198; ++x) {
        for (int z = 1; z <= 198; ++z) {
            if (scratchMap[x][z] != 1) {
                continue;
            }
            int storeys = randomBelow(5) + 2;
            for (int r = x; r <= 198 && scratchMap[r][z] == 1; ++r) {
                scratchMap[r][z] = storeys;
                for (int c = z + 1; c < GridSize && scratchMap[r][c] == 1; ++c) {
                    scratchMap[r][c] = storeys;
                }
            }
        }
    }
}

// The ground storey of an Empty cell from its neighbours; later rules override earlier ones.
static void shapeGroundStorey(int x, int z)
{
    bool e = groundTypeAt(x, z + 1) == CellType::Pavement, s = groundTypeAt(x + 1, z) == CellType::Pavement;
    bool w = groundTypeAt(x, z - 1) == CellType::Pavement, n = groundTypeAt(x - 1, z) == CellType::Pavement;
    const CellRule rules[] = {
        {e, CellType::SideGround, 0},
        {s, CellType::SideGround, 1},
        {w, CellType::SideGround, 2},
        {n, CellType::SideGround, 3},
        {e && groundTypeAt(x, z + 2) == CellType::Road, CellType::StreetGround, 0},
        {s && groundTypeAt(x + 2, z) == CellType::Road, CellType::StreetGround, 1},
        {w && groundTypeAt(x, z - 2) == CellType::Road, CellType::StreetGround, 2},
        {n && groundTypeAt(x - 2, z) == CellType::Road, CellType::StreetGround, 3},
        {n && e, CellType::CornerGround, 0},
        {s && e, CellType::CornerGround, 1},
        {s && w, CellType::CornerGround, 2},
        {n && w, CellType::CornerGround, 3},
    };
    cityGrid.cells[x][GroundLevel][z] = lastMatchingRule(rules, CellType::Empty);
}

static CellType upperStorey(CellType groundTypeBelow, bool top)
{
    switch (groundTypeBelow) {
    case CellType::Empty: return top ? CellType::Roof : CellType::Empty;
    case CellType::CornerGround: return top ? CellType::CornerTop : CellType::CornerMiddle;
    case CellType::SideGround: return top ? CellType::SideTop : CellType::SideMiddle;
    case CellType::StreetGround: return top ? CellType::StreetTop : CellType::StreetMiddle;
    default: return CellType::Empty;
    }
}

void raiseBuildings()
{
    assignStoreyCounts();
    for (int x = 1; x <= 198; ++x) {
        for (int z = 1; z <= 198; ++z) {
            if (groundType(x, z) == CellType::Empty) {
                shapeGroundStorey(x, z);
            }
        }
    }
    for (int x = 0; x < GridSize; ++x) {
        for (int z = 0; z < GridSize; ++z) {
            int storeys = scratchMap[x][z];
            GridCell ground = cityGrid.cells[x][GroundLevel][z];
            for (int level = 2; level <= storeys; ++level) {
                cityGrid.cells[x][level][z] = GridCell{upperStorey(ground.type, level == storeys), ground.rotation};
            }
        }
    }
}

// A door replaces only a ground-storey wall: a block that is not a ringed rectangle would
// otherwise get doors on its pavement or inside it.
static void makeDoor(int x, int z)
{
    CellType type = groundTypeAt(x, z);
    if (type == CellType::SideGround || type == CellType::StreetGround || type == CellType::DoorGround) {
        groundType(x, z) = CellType::DoorGround;
    }
}

static int emptyRun(int x, int z, int dx, int dz)
{
    int n = 0;
    while (groundTypeAt(x + n * dx, z + n * dz) == CellType::Empty) {
        ++n;
    }
    return n;
}

static void placeDoorsOfInterior(int x, int z)
{
    int rows = emptyRun(x, z, 1, 0);
    int cols = emptyRun(x, z, 0, 1);
    for (int r = x; r <= x + rows && r < GridSize; ++r) {
        for (int c = z; c <= z + cols && c < GridSize; ++c) {
            interiorMark[r][c] = 0;
        }
    }
    if (rows == 0 || cols == 0) {
        return;
    }

    int r1 = x + randomBelow(rows);
    int c1 = z + randomBelow(cols);
    int k = 0;
    const int streetProbe[4][4] = {
        {x - 3, c1, x - 1, c1},
        {x + rows + 2, c1, x + rows, c1},
        {r1, z - 3, r1, z - 1},
        {r1, z + cols + 2, r1, z + cols},
    };
    for (const int* probe : streetProbe) {
        if (groundTypeAt(probe[0], probe[1]) == CellType::Road) {
            makeDoor(probe[2], probe[3]);
            ++k;
        }
    }

    int r2 = x + randomBelow(rows);
    int c2 = z + randomBelow(cols);
    const int extraDoor[4][2] = {{x - 1, c2}, {x + rows, c2}, {r2, z - 1}, {r2, z + cols}};
    for (const int* door : extraDoor) {
        if (k == 0 || randomBelow(5) == 0) {
            makeDoor(door[0], door[1]);
            ++k;
        }
    }
}

void placeDoors()
{
    for (int x = 0; x < GridSize; ++x) {
        for (int z = 0; z < GridSize; ++z) {
            interiorMark[x][z] = groundType(x, z) == CellType::Empty ? 1 : 0;
        }
    }
    for (int x = 0; x < GridSize; ++x) {
        for (int z = 0; z < GridSize; ++z) {
            if (interiorMark[x][z] == 1) {
                placeDoorsOfInterior(x, z);
            }
        }
    }
}

static bool isBuildingColumn(CellType type)
{
    return type == CellType::Empty || type == CellType::CornerGround || type == CellType::SideGround ||
           type == CellType::DoorGround || type == CellType::StreetGround;
}

static Tint drawBuildingColour()
{
    if (randomBelow(4) == 0) {
        return Tint{0.855f, 0.786f, 0.742f};
    }
    float red = static_cast<float>((900 + randomBelow(100)) * 0.001);
    float green = static_cast<float>((900 + randomBelow(100)) * 0.001);
    float blue = static_cast<float>((900 + randomBelow(100)) * 0.001);
    return Tint{red, green, blue};
}

void paintBuildings()
{
    for (int x = 0; x < GridSize; ++x) {
        for (int z = 0; z < GridSize; ++z) {
            scratchMap[x][z] = isBuildingColumn(groundType(x, z)) ? 1 : 0;
        }
    }
    for (int x = 0; x < GridSize; ++x) {
        for (int z = 0; z < GridSize; ++z) {
            if (scratchMap[x][z] != 1) {
                continue;
            }
            int rows = 0, cols = 0;
            while (x + rows < GridSize && scratchMap[x + rows][z] == 1) ++rows;
            while (z + cols < GridSize && scratchMap[x][z + cols] == 1) ++cols;
            Tint colour = drawBuildingColour();
            for (int r = x; r < x + rows; ++r) {
                for (int c = z; c < z + cols; ++c) {
                    scratchMap[r][c] = 0;
                    cityGrid.tint[r][c] = colour;
                }
            }
        }
    }
}
