// city/ground_level.h — short access to the ground level of the city grid for the generation steps.
#pragma once
#include "city/city_grid.h"

inline bool insideGrid(int x, int z) { return x >= 0 && x < GridSize && z >= 0 && z < GridSize; }

// The type of ground cell (x, z); the caller keeps the indices inside the grid.
inline CellType& groundType(int x, int z) { return cityGrid.cells[x][GroundLevel][z].type; }

// Stands for the ground outside the grid: a value that matches no cell type.
constexpr CellType OutsideGrid = static_cast<CellType>(-1);

// The type of ground cell (x, z), or OutsideGrid outside the grid.
inline CellType groundTypeAt(int x, int z) { return insideGrid(x, z) ? groundType(x, z) : OutsideGrid; }

inline void setGround(int x, int z, CellType type, int rotation)
{
    cityGrid.cells[x][GroundLevel][z] = GridCell{type, static_cast<uint8_t>(rotation)};
}

// One line of a rule list: when it matches, the cell becomes (type, rotation).
struct CellRule {
    bool matches;
    CellType type;
    int rotation;
};

// Applies RULES in order, each later match replacing the earlier result; FALLBACK if none matches.
template <int N>
inline GridCell lastMatchingRule(const CellRule (&rules)[N], CellType fallback)
{
    GridCell result{fallback, 0};
    for (const CellRule& rule : rules) {
        if (rule.matches) {
            result = GridCell{rule.type, static_cast<uint8_t>(rule.rotation)};
        }
    }
    return result;
}
