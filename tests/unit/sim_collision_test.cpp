#include <gtest/gtest.h>

#include <cmath>

#include "sim/collision.h"
#include "sim_test_world.h"

namespace {

CollisionMesh* meshOf(std::initializer_list<float> vertices)
{
    return buildCollisionMesh(static_cast<int32_t>(vertices.size() / 3), vertices.begin());
}

// One triangle of a roof slab at local height 5, listed counter-clockwise from above, so its
// collision normal points down (0, -1, 0).
const CollisionMesh& roofTriangle()
{
    static CollisionMesh* mesh = meshOf({-5, 5, 5, 5, 5, 5, 5, 5, -5});
    return *mesh;
}

Vec3 collided(Vec3 centre, const CollisionMesh& mesh, CollisionMode mode, Vec3 origin = Vec3{0, 0, 0})
{
    collideSphereWithMesh(centre, HeroRadius, origin, mesh, mode);
    return centre;
}

TEST(PlaneClassification, SeparatesNearFarAndBehind)
{
    float d = 0;
    EXPECT_EQ(classifyPlaneDistance(Vec3{0, 1, 0}, Vec3{0, 6, 0}, Vec3{0, 5, 0}, 2.75f, d), 1);
    EXPECT_FLOAT_EQ(d, 1.0f);
    EXPECT_EQ(classifyPlaneDistance(Vec3{0, 1, 0}, Vec3{0, 7.75f, 0}, Vec3{0, 5, 0}, 2.75f, d), 2);
    EXPECT_EQ(classifyPlaneDistance(Vec3{0, 1, 0}, Vec3{0, 1, 0}, Vec3{0, 5, 0}, 2.75f, d), 0);
    EXPECT_FLOAT_EQ(d, -4.0f);
}

TEST(PointInTriangle, InsideOnEdgeOutsideAndOnCorner)
{
    Vec3 a{0, 0, 0}, b{4, 0, 0}, c{0, 0, 4};
    EXPECT_TRUE(pointInTriangle(Vec3{1, 0, 1}, a, b, c));
    EXPECT_TRUE(pointInTriangle(Vec3{2, 0, 0}, a, b, c));
    EXPECT_FALSE(pointInTriangle(Vec3{3, 0, 3}, a, b, c));
    EXPECT_FALSE(pointInTriangle(Vec3{-1, 0, 1}, a, b, c));
    EXPECT_FALSE(pointInTriangle(a, a, b, c));
    EXPECT_FALSE(pointInTriangle(c, a, b, c));
}

TEST(ClosestPointOnSegment, ClampsToTheEndsAndProjectsBetween)
{
    Vec3 s{0, 0, 0}, e{10, 0, 0};
    Vec3 before = closestPointOnSegment(s, e, Vec3{-3, 2, 0});
    EXPECT_FLOAT_EQ(before.x, 0.0f);
    Vec3 beyond = closestPointOnSegment(s, e, Vec3{12, 2, 0});
    EXPECT_FLOAT_EQ(beyond.x, 10.0f);
    Vec3 between = closestPointOnSegment(s, e, Vec3{4, 2, 7});
    EXPECT_FLOAT_EQ(between.x, 4.0f);
    EXPECT_FLOAT_EQ(between.y, 0.0f);
    EXPECT_FLOAT_EQ(between.z, 0.0f);
    Vec3 point = closestPointOnSegment(s, s, Vec3{1, 1, 1});
    EXPECT_FLOAT_EQ(point.x, 0.0f);
    EXPECT_FALSE(std::isnan(point.y));
}

TEST(SphereAgainstMesh, RoofSlabLiftsOnlyACentreOnItsOpenSideWithinReach)
{
    EXPECT_FLOAT_EQ(collided(Vec3{1, 6, 2}, roofTriangle(), CollideFaces).y, 7.75f);
    EXPECT_FLOAT_EQ(collided(Vec3{1, 4, 2}, roofTriangle(), CollideFaces).y, 4.0f);
    EXPECT_FLOAT_EQ(collided(Vec3{1, 9, 2}, roofTriangle(), CollideFaces).y, 9.0f);
    // Face pushes belong to the face pass alone.
    EXPECT_FLOAT_EQ(collided(Vec3{1, 6, 2}, roofTriangle(), CollideEdges).y, 6.0f);
}

TEST(SphereAgainstMesh, CentreOnThePlaneEndsExactlyOneRadiusInFront)
{
    Vec3 moved = collided(Vec3{1, 5, 2}, roofTriangle(), CollideFaces);
    EXPECT_FLOAT_EQ(moved.y, 5.0f + HeroRadius);
    EXPECT_FLOAT_EQ(moved.x, 1.0f);
    EXPECT_FLOAT_EQ(moved.z, 2.0f);
}

TEST(SphereAgainstMesh, WorksInCellLocalCoordinates)
{
    Vec3 origin{1000, 10, 500};
    Vec3 moved = collided(Vec3{1001, 16, 502}, roofTriangle(), CollideFaces, origin);
    EXPECT_FLOAT_EQ(moved.y, 17.75f);
    EXPECT_FLOAT_EQ(moved.x, 1001.0f);
}

TEST(SphereAgainstMesh, EdgePassPushesAwayFromTheNearestEdgePoint)
{
    // Foot (5.6, 5, 0) is outside; the edge x = 5 is 1 unit away at (5, 5, 0), along (0.6, 0.8, 0).
    Vec3 start{5.6f, 5.8f, 0.0f};
    Vec3 moved = collided(start, roofTriangle(), CollideEdges);
    EXPECT_NEAR(moved.x, 5.0f + 0.6f * HeroRadius, 1e-5f);
    EXPECT_NEAR(moved.y, 5.0f + 0.8f * HeroRadius, 1e-5f);
    EXPECT_NEAR(moved.z, 0.0f, 1e-5f);
    Vec3 unmoved = collided(start, roofTriangle(), CollideFaces);
    EXPECT_FLOAT_EQ(unmoved.x, start.x);
    EXPECT_FLOAT_EQ(unmoved.y, start.y);
}

TEST(SphereAgainstMesh, DegenerateTrianglesAndEdgesMoveNothing)
{
    // Meshes live for the whole run, as the game's own do.
    static const CollisionMesh* collinear = meshOf({0, 5, 0, 2, 5, 0, 4, 5, 0});
    static const CollisionMesh* point = meshOf({1, 5, 1, 1, 5, 1, 1, 5, 1});
    static const CollisionMesh* sliver = meshOf({0, 5, 0, 0, 5, 0, 4, 5, 0});
    for (const CollisionMesh* mesh : {collinear, point, sliver}) {
        for (CollisionMode mode : {CollideFaces, CollideEdges}) {
            Vec3 moved = collided(Vec3{1, 5.5f, 0.5f}, *mesh, mode);
            EXPECT_FLOAT_EQ(moved.x, 1.0f);
            EXPECT_FLOAT_EQ(moved.y, 5.5f);
            EXPECT_FLOAT_EQ(moved.z, 0.5f);
        }
    }
}

TEST(SphereAgainstMesh, CentreExactlyOnAnEdgeStaysPut)
{
    // On the edge x = 5 the edge push has no direction; the face pass holds it inside too.
    Vec3 moved = collided(Vec3{5, 5, 0}, roofTriangle(), CollideEdges);
    EXPECT_FLOAT_EQ(moved.x, 5.0f);
    EXPECT_FLOAT_EQ(moved.y, 5.0f);
    EXPECT_FALSE(std::isnan(moved.z));
}

class HeroWorldCollision : public ::testing::Test {
protected:
    void SetUp() override { resetSimWorld(); }
};

TEST_F(HeroWorldCollision, StandsOnPavementRoadAndSunkenWater)
{
    fillGround(48, 48, 52, 52, CellType::Pavement);
    cityGrid.cells[60][GroundLevel][60] = GridCell{CellType::Road, 0};
    cityGrid.cells[70][GroundLevel][70] = GridCell{CellType::Water, 0};
    const float expected[3] = {5.0f, 4.0f, -0.5f};
    const float cells[3] = {500, 600, 700};
    for (int k = 0; k < 3; ++k) {
        hero.x = cells[k] + 1.0f;
        hero.z = cells[k] + 2.0f;
        hero.y = expected[k] - 0.5f;
        collideHeroWithWorld();
        EXPECT_NEAR(hero.y, expected[k], 1e-4f) << k;
        EXPECT_FLOAT_EQ(hero.x, cells[k] + 1.0f);
    }
}

TEST_F(HeroWorldCollision, WallStopsTheHeroFromTheOpenSide)
{
    // A side wall facing +z at cell (50, 1, 50): its face lies at z = 505.
    cityGrid.cells[50][GroundLevel][50] = GridCell{CellType::SideGround, 0};
    hero.x = 500;
    hero.y = 8;
    hero.z = 506;
    collideHeroWithWorld();
    EXPECT_NEAR(hero.z, 505.0f + HeroRadius, 1e-4f);
    EXPECT_FLOAT_EQ(hero.y, 8.0f);
}

TEST_F(HeroWorldCollision, FarOutsideAndHighAboveTheCityTouchesNothing)
{
    fillGround(0, 0, 4, 4, CellType::Water);
    fillGround(195, 195, 199, 199, CellType::Water);
    const float positions[][3] = {{-7, 5, -7}, {-50000, -3, 20}, {1e9f, 10, 1e9f}, {2500, 5, 1990},
                                  {1990, 5, 1995}, {20, 95, 20}, {20, 400, 20}, {20, -300, 20}};
    for (const auto& p : positions) {
        hero.x = p[0];
        hero.y = p[1];
        hero.z = p[2];
        collideHeroWithWorld();
        EXPECT_TRUE(std::isfinite(hero.x) && std::isfinite(hero.y) && std::isfinite(hero.z));
    }
    // Negative coordinates down to -5 still belong to cell 0, whose water holds the hero up.
    hero.x = -4;
    hero.y = -1;
    hero.z = -4;
    collideHeroWithWorld();
    EXPECT_NEAR(hero.y, -0.5f, 1e-4f);
}

class MonsterWalls : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetSimWorld();
        fillGround(45, 45, 55, 55, CellType::Pavement);
    }
};

TEST_F(MonsterWalls, SquareOfABlockedColumnPushesFromItsSides)
{
    cityGrid.blocked[50][50] = 1;
    // Centre strictly inside the square: not moved by it.
    float x = 501, z = 502, y = 5;
    pushOutOfBlockedCells(x, z, y, 2.8f);
    EXPECT_FLOAT_EQ(x, 501.0f);
    EXPECT_FLOAT_EQ(z, 502.0f);
    // One unit beyond the +z side.
    x = 500;
    z = 506;
    pushOutOfBlockedCells(x, z, y, 2.8f);
    EXPECT_FLOAT_EQ(x, 500.0f);
    EXPECT_FLOAT_EQ(z, 505.0f + 2.8f);
    // Exactly on the -z side line: not inside, pushed out to -z.
    x = 500;
    z = 495;
    pushOutOfBlockedCells(x, z, y, 2.8f);
    EXPECT_FLOAT_EQ(z, 495.0f - 2.8f);
    // Beside the -x side.
    x = 493;
    z = 500;
    pushOutOfBlockedCells(x, z, y, 2.8f);
    EXPECT_FLOAT_EQ(x, 495.0f - 2.8f);
}

TEST_F(MonsterWalls, CornersPushRadiallyAndExactCornerStays)
{
    cityGrid.blocked[50][50] = 1;
    float x = 506, z = 506, y = 5;
    pushOutOfBlockedCells(x, z, y, 2.8f);
    float r = 2.8f / std::sqrt(2.0f);
    EXPECT_NEAR(x, 505.0f + r, 1e-4f);
    EXPECT_NEAR(z, 505.0f + r, 1e-4f);
    x = 505;
    z = 505;
    pushOutOfBlockedCells(x, z, y, 2.8f);
    EXPECT_FLOAT_EQ(x, 505.0f);
    EXPECT_FLOAT_EQ(z, 505.0f);
}

TEST_F(MonsterWalls, FloorHeightsOfRoadKerbAndWater)
{
    const CellType types[] = {CellType::Road,         CellType::RoadCentre, CellType::KerbSide, CellType::KerbCorner,
                              CellType::KerbOpposite, CellType::Pavement,   CellType::Water,    CellType::Empty};
    const float floors[] = {4, 4, 5, 5, 5, 5, 0, 0};
    for (int k = 0; k < 8; ++k) {
        cityGrid.cells[50][GroundLevel][50] = GridCell{types[k], 0};
        float x = 500, z = 500, y = 0;
        pushOutOfBlockedCells(x, z, y, 2.8f);
        EXPECT_FLOAT_EQ(y, floors[k]) << k;
        y = 6;
        pushOutOfBlockedCells(x, z, y, 2.8f);
        EXPECT_FLOAT_EQ(y, 6.0f) << k;
    }
}

TEST_F(MonsterWalls, ColumnsOutsideTheGridCountAsBlocked)
{
    fillGround(0, 40, 3, 60, CellType::Road);
    float x = -3, z = 500, y = 0;
    pushOutOfBlockedCells(x, z, y, 2.8f);
    EXPECT_FLOAT_EQ(x, -5.0f + 2.8f);
    EXPECT_FLOAT_EQ(y, 4.0f);
    // Far outside: nothing read out of range, floor 0.
    x = -5000;
    z = 1e7f;
    y = -20;
    pushOutOfBlockedCells(x, z, y, 5.0f);
    EXPECT_FLOAT_EQ(y, 0.0f);
    EXPECT_TRUE(std::isfinite(x) && std::isfinite(z));
}

}  // namespace
