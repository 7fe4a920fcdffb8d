#include "city/city_grid.h"

CityGrid cityGrid;

void prepareCityGrid()
{
    for (int x = 0; x < GridSize; ++x) {
        for (int z = 0; z < GridSize; ++z) {
            cityGrid.tint[x][z] = Tint{1.0f, 1.0f, 1.0f};
            for (int level = 0; level < LevelCount; ++level) {
                cityGrid.cells[x][level][z] = GridCell{Empty, 0};
            }
        }
    }
}
