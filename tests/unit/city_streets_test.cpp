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
    fill(49, 53, 49, 53, Pavement);
    fill(50, 52, 50, 52, Road);
    finishStreets();
    // Pavement two steps away along both axes: first rotation 0, then rotation 1.
    EXPECT_EQ(groundType(51, 51), RoadCentre);
    EXPECT_EQ(cityGrid.cells[51][GroundLevel][51].rotation, 1);
    // Along x only, and along z only.
    EXPECT_EQ(groundType(51, 50), RoadCentre);
    EXPECT_EQ(cityGrid.cells[51][GroundLevel][50].rotation, 0);
    EXPECT_EQ(groundType(50, 51), RoadCentre);
    EXPECT_EQ(cityGrid.cells[50][GroundLevel][51].rotation, 1);
    EXPECT_EQ(groundType(50, 50), Road);
}

TEST(FinishStreets, KerbsFaceLowerNeighboursAndIgnoreDiagonals)
{
    prepareCityGrid();
    fill(60, 62, 60, 62, Pavement);
    setGround(59, 61, Road, 0);    // -x of (60, 61)
    setGround(61, 63, Water, 0);   // +z of (61, 62)
    setGround(63, 63, Road, 0);    // only diagonal to (62, 62)
    setGround(59, 59, Water, 0);   // only diagonal to (60, 60)
    finishStreets();
    EXPECT_EQ(groundType(60, 61), KerbSide);
    EXPECT_EQ(cityGrid.cells[60][GroundLevel][61].rotation, 0);
    EXPECT_EQ(groundType(61, 62), KerbSide);
    EXPECT_EQ(cityGrid.cells[61][GroundLevel][62].rotation, 1);
    EXPECT_EQ(groundType(62, 62), Pavement);
    EXPECT_EQ(groundType(60, 60), Pavement);
}

TEST(FinishStreets, CornerAndOppositeKerbsTakeTheLastMatchingRule)
{
    prepareCityGrid();
    fill(70, 80, 70, 80, Road);
    // Lower on -x and -z: a corner facing both.
    setGround(72, 72, Pavement, 0);
    setGround(73, 72, Pavement, 0);
    setGround(72, 73, Pavement, 0);
    // Lower on -x, +x and -z: the rules for W, N, S, W and N, W and S, N and S all match.
    setGround(76, 78, Pavement, 0);
    setGround(76, 79, Pavement, 0);
    finishStreets();
    EXPECT_EQ(groundType(72, 72), KerbCorner);
    EXPECT_EQ(cityGrid.cells[72][GroundLevel][72].rotation, 3);
    EXPECT_EQ(groundType(76, 78), KerbOpposite);
    EXPECT_EQ(cityGrid.cells[76][GroundLevel][78].rotation, 0);
}

}  // namespace
