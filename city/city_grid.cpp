#include "city/city_grid.h"

#include <cstring>

CityGrid cityGrid;

void prepareCityGrid()
{
    // Empty is 0 and so is rotation 0: the cells clear as bytes.
    std::memset(cityGrid.cells, 0, sizeof cityGrid.cells);
    for (int x = 0; x < GridSize; ++x) {
        for (int z = 0; z < GridSize; ++z) {
            cityGrid.tint[x][z] = Tint{1.0f, 1.0f, 1.0f};
        }
    }
}
