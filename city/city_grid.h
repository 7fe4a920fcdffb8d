// city/city_grid.h — the 200 x 9 x 200 grid of city cells, filled once at start-up.
#pragma once
#include <cstdint>

constexpr int GridSize = 200;
constexpr int LevelCount = 9;
constexpr int CellSize = 10;
constexpr int GroundLevel = 1;
constexpr int CoarseSize = 40;
constexpr int CoarseSpan = 5;

enum class CellType : int8_t {
    Empty = 0,
    Roof = 1,
    CornerTop = 2,
    SideTop = 3,
    StreetTop = 4,
    CornerMiddle = 5,
    SideMiddle = 6,
    StreetMiddle = 7,
    CornerGround = 8,
    SideGround = 9,
    DoorGround = 10,
    Pavement = 11,
    KerbSide = 12,
    KerbCorner = 13,
    Road = 14,
    RoadCentre = 15,
    Water = 16,
    StreetGround = 17,
    KerbOpposite = 18,
};
constexpr int CellTypeCount = 19;

struct GridCell {
    CellType type;
    uint8_t rotation;
};

struct Tint {
    float red, green, blue;
};

struct CityGrid {
    GridCell cells[GridSize][LevelCount][GridSize];
    Tint tint[GridSize][GridSize];
    uint8_t blocked[GridSize][GridSize];
};
// Written by prepareCityGrid and the generation steps at start-up; drawing and simulation read it.
// Whatever edits it later raises cityVersion (city/city_generation.h), or the drawing keeps its
// chunks as they were.
extern CityGrid cityGrid;

// The cell index of a world coordinate: trunc((c + 5) / 10), toward zero. A hero flung far
// away (or a NaN) must not overflow the conversion, so the quotient is saturated at a million
// cells first; NaN gives 0.
inline int cellIndexOf(float c)
{
    float index = (c + 5.0f) / 10.0f;
    if (!(index == index)) {
        return 0;
    }
    if (index > 1.0e6f) {
        index = 1.0e6f;
    } else if (index < -1.0e6f) {
        index = -1.0e6f;
    }
    return static_cast<int>(index);
}

// The window [centre - half, centre + half] cut to [0, limit - 1]; empty (first > last)
// when the centre lies entirely outside.
struct IndexRange {
    int first, last;
};
inline IndexRange clampedWindow(int centre, int half, int limit)
{
    return IndexRange{centre - half < 0 ? 0 : centre - half,
                      centre + half > limit - 1 ? limit - 1 : centre + half};
}

// Start-up's preparation: every tint white, every cell Empty with rotation 0.
void prepareCityGrid();
