// Road markings and kerbs on small hand-laid patches of ground.
#include <gtest/gtest.h>

#include "city/ground_level.h"
#include "city/streets.h"

namespace {

void fill(int x0, int x1, int z0, int z1, CellType type)
{
    for (int x = x0; x <= x1; ++x) {
        for (int z = z0; z <= z1; ++z) setGround(x, z, type, 0);
    }
}

TEST(FinishStreets, RoadCentreTestsAreIndependentAndTheZTestWins)
{
    prepareCityGrid();
    fill(49, 53, 49, 53, CellType::Pavement);
    fill(50, 52, 50, 52, CellType::Road);
    finishStreets();
    // Pavement two steps away along both axes: first rotation 0, then rotation 1.
    EXPECT_EQ(groundType(51, 51), CellType::RoadCentre);
    EXPECT_EQ(cityGrid.cells[51][GroundLevel][51].rotation, 1);
    // Along x only, and along z only.
    EXPECT_EQ(groundType(51, 50), CellType::RoadCentre);
    EXPECT_EQ(cityGrid.cells[51][GroundLevel][50].rotation, 0);
    EXPECT_EQ(groundType(50, 51), CellType::RoadCentre);
    EXPECT_EQ(cityGrid.cells[50][GroundLevel][51].rotation, 1);
    EXPECT_EQ(groundType(50, 50), CellType::Road);
}

TEST(FinishStreets, KerbsFaceLowerNeighboursAndIgnoreDiagonals)
{
    prepareCityGrid();
    fill(60, 62, 60, 62, CellType::Pavement);
    setGround(59, 61, CellType::Road, 0);    // -x of (60, 61)
    setGround(61, 63, CellType::Water, 0);   // +z of (61, 62)
    setGround(63, 63, CellType::Road, 0);    // only diagonal to (62, 62)
    setGround(59, 59, CellType::Water, 0);   // only diagonal to (60, 60)
    finishStreets();
    EXPECT_EQ(groundType(60, 61), CellType::KerbSide);
    EXPECT_EQ(cityGrid.cells[60][GroundLevel][61].rotation, 0);
    EXPECT_EQ(groundType(61, 62), CellType::KerbSide);
    EXPECT_EQ(cityGrid.cells[61][GroundLevel][62].rotation, 1);
    EXPECT_EQ(groundType(62, 62), CellType::Pavement);
    EXPECT_EQ(groundType(60, 60), CellType::Pavement);
}

TEST(FinishStreets, CornerAndOppositeKerbsTakeTheLastMatchingRule)
{
    prepareCityGrid();
    fill(70, 80, 70, 80, CellType::Road);
    // Lower on -x and -z: a corner facing both.
    setGround(72, 72, CellType::Pavement, 0);
    setGround(73, 72, CellType::Pavement, 0);
    setGround(72, 73, CellType::Pavement, 0);
    // Lower on -x, +x and -z: the rules for W, N, S, W and N, W and S, N and S all match.
    setGround(76, 78, CellType::Pavement, 0);
    setGround(76, 79, CellType::Pavement, 0);
    finishStreets();
    EXPECT_EQ(groundType(72, 72), CellType::KerbCorner);
    EXPECT_EQ(cityGrid.cells[72][GroundLevel][72].rotation, 3);
    EXPECT_EQ(groundType(76, 78), CellType::KerbOpposite);
    EXPECT_EQ(cityGrid.cells[76][GroundLevel][78].rotation, 0);
}

}  // namespace
