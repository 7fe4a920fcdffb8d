#include <gtest/gtest.h>

#include <cmath>

#include "city/tile_pieces.h"
#include "sim/collision.h"

namespace {

struct Vec {
    double x, y, z;
};

Vec vertexOf(int type, int rotation, int v)
{
    const float* p = tilePieces[type].vertices[rotation] + 3 * v;
    return Vec{p[0], p[1], p[2]};
}

Vec sub(Vec a, Vec b) { return Vec{a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec cross(Vec a, Vec b) { return Vec{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }

// The unit axis a face points along, from the counter-clockwise (OpenGL front-face) winding.
Vec frontNormal(int type, int rotation, int triangle)
{
    Vec a = vertexOf(type, rotation, 3 * triangle);
    Vec n = cross(sub(vertexOf(type, rotation, 3 * triangle + 1), a), sub(vertexOf(type, rotation, 3 * triangle + 2), a));
    double length = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
    return Vec{n.x / length, n.y / length, n.z / length};
}

// The side a triangle lies on, from its centre: a slab lies inside the cell and faces up,
// a wall or kerb face lies on the cell's side plane and faces out of the cell.
Vec outwardDirection(int type, int rotation, int triangle)
{
    Vec c{0, 0, 0};
    for (int k = 0; k < 3; ++k) {
        Vec v = vertexOf(type, rotation, 3 * triangle + k);
        c = Vec{c.x + v.x / 3, c.y + v.y / 3, c.z + v.z / 3};
    }
    if (std::fabs(c.x) > 4.9 && std::fabs(c.x) >= std::fabs(c.z)) return Vec{c.x > 0 ? 1.0 : -1.0, 0, 0};
    if (std::fabs(c.z) > 4.9) return Vec{0, 0, c.z > 0 ? 1.0 : -1.0};
    return Vec{0, 1, 0};
}

class TilePieces : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        buildTilePieces();
        buildCollisionMeshes();
    }
};

TEST_F(TilePieces, VertexCountsAndCollisionTriangles)
{
    const int expected[CellTypeCount] = {0, 6, 18, 12, 12, 12, 6, 6, 12, 6, 6, 6, 12, 18, 6, 6, 6, 6, 18};
    for (int type = 0; type < CellTypeCount; ++type) {
        EXPECT_EQ(tilePieces[type].vertexCount, expected[type]) << "type " << type;
        for (int r = 0; r < 4; ++r) {
            ASSERT_NE(collisionMeshTable[type][r], nullptr);
            EXPECT_EQ(collisionMeshTable[type][r]->triangleCount, expected[type] / 3) << "type " << type;
        }
    }
}

TEST_F(TilePieces, RoadQuadTexCoordsAreInsetByTwoThousandths)
{
    const TilePiece& road = tilePieces[static_cast<int>(CellType::Road)];
    float minS = 1, maxS = 0, minT = 1, maxT = 0;
    for (int v = 0; v < road.vertexCount; ++v) {
        minS = std::fmin(minS, road.texCoords[2 * v]);
        maxS = std::fmax(maxS, road.texCoords[2 * v]);
        minT = std::fmin(minT, road.texCoords[2 * v + 1]);
        maxT = std::fmax(maxT, road.texCoords[2 * v + 1]);
    }
    EXPECT_NEAR(minS, 0.502f, 1e-6);
    EXPECT_NEAR(maxS, 0.623f, 1e-6);
    EXPECT_NEAR(minT, 0.002f, 1e-6);
    EXPECT_NEAR(maxT, 0.123f, 1e-6);
    // Every corner moved inward: the first triangle's corners (c0, c1, c2) are
    // (left, bottom), (right, bottom), (right, top) of the tile.
    EXPECT_NEAR(road.texCoords[0], 0.502f, 1e-6);
    EXPECT_NEAR(road.texCoords[1], 0.123f, 1e-6);
    EXPECT_NEAR(road.texCoords[2], 0.623f, 1e-6);
    EXPECT_NEAR(road.texCoords[5], 0.002f, 1e-6);
}

TEST_F(TilePieces, BuildingAgainChangesNothing)
{
    float before = tilePieces[static_cast<int>(CellType::Road)].texCoords[0];
    CollisionMesh* mesh = collisionMeshTable[static_cast<int>(CellType::Water)][0];
    float waterY = mesh->cornerA[0].y;
    buildTilePieces();
    buildCollisionMeshes();
    EXPECT_EQ(tilePieces[static_cast<int>(CellType::Road)].texCoords[0], before);
    EXPECT_EQ(collisionMeshTable[static_cast<int>(CellType::Water)][0], mesh);
    EXPECT_EQ(mesh->cornerA[0].y, waterY);
}

TEST_F(TilePieces, GroundWallsReachBelowTheirTile)
{
    for (CellType wall : {CellType::SideGround, CellType::DoorGround, CellType::StreetGround}) {
        int type = static_cast<int>(wall);
        // c0 of the wall quad is its lower left corner: t = 0.50089 before the inset, raised by it.
        EXPECT_NEAR(tilePieces[type].texCoords[1], 0.50089f - 0.002f, 1e-5) << "type " << type;
    }
}

TEST_F(TilePieces, WaterCollidesLowerThanItIsDrawn)
{
    for (int r = 0; r < 4; ++r) {
        const CollisionMesh& mesh = *collisionMeshTable[static_cast<int>(CellType::Water)][r];
        for (int i = 0; i < mesh.triangleCount; ++i) {
            EXPECT_FLOAT_EQ(mesh.cornerA[i].y, -10.5f);
            EXPECT_FLOAT_EQ(mesh.cornerB[i].y, -10.5f);
            EXPECT_FLOAT_EQ(mesh.cornerC[i].y, -10.5f);
            EXPECT_NEAR(mesh.normal[i].y, -1.0f, 1e-6);
        }
        for (int v = 0; v < tilePieces[static_cast<int>(CellType::Water)].vertexCount; ++v) {
            EXPECT_FLOAT_EQ(tilePieces[static_cast<int>(CellType::Water)].vertices[r][3 * v + 1], -7.0f);
        }
    }
    // At the ground level (centre y 10) that is y -0.5 for collision and y 3 for drawing.
    EXPECT_FLOAT_EQ(10.0f * GroundLevel + collisionMeshTable[static_cast<int>(CellType::Water)][0]->cornerA[0].y,
                    -0.5f);
}

TEST_F(TilePieces, RotationsTurnTheLocalFacesByQuarterTurns)
{
    // The +z wall of a side piece faces +z, +x, -z, -x; the -x kerb face of a kerb faces -x, +z, +x, -z.
    const Vec plusZFaces[4] = {{0, 0, 1}, {1, 0, 0}, {0, 0, -1}, {-1, 0, 0}};
    const Vec minusXFaces[4] = {{-1, 0, 0}, {0, 0, 1}, {1, 0, 0}, {0, 0, -1}};
    for (int r = 0; r < 4; ++r) {
        Vec wall = frontNormal(static_cast<int>(CellType::SideGround), r, 0);
        EXPECT_NEAR(wall.x, plusZFaces[r].x, 1e-5) << "rotation " << r;
        EXPECT_NEAR(wall.z, plusZFaces[r].z, 1e-5) << "rotation " << r;
        Vec kerb = frontNormal(static_cast<int>(CellType::KerbSide), r, 2);
        EXPECT_NEAR(kerb.x, minusXFaces[r].x, 1e-5) << "rotation " << r;
        EXPECT_NEAR(kerb.z, minusXFaces[r].z, 1e-5) << "rotation " << r;
    }
}

TEST_F(TilePieces, RotatedCopiesKeepTheVertexOrder)
{
    for (int type = 1; type < CellTypeCount; ++type) {
        for (int v = 0; v < tilePieces[type].vertexCount; ++v) {
            Vec p = vertexOf(type, 0, v);
            // A quarter turn maps (x, y, z) to (z, y, -x).
            Vec expected[4] = {p, {p.z, p.y, -p.x}, {-p.x, p.y, -p.z}, {-p.z, p.y, p.x}};
            for (int r = 1; r < 4; ++r) {
                Vec q = vertexOf(type, r, v);
                ASSERT_NEAR(q.x, expected[r].x, 1e-5) << "type " << type << " rotation " << r;
                ASSERT_NEAR(q.y, expected[r].y, 1e-5) << "type " << type << " rotation " << r;
                ASSERT_NEAR(q.z, expected[r].z, 1e-5) << "type " << type << " rotation " << r;
            }
        }
    }
}

TEST_F(TilePieces, EveryTriangleFacesOutOfTheCellAndCollidesFromThatSide)
{
    for (int type = 1; type < CellTypeCount; ++type) {
        for (int r = 0; r < 4; ++r) {
            for (int t = 0; t < tilePieces[type].vertexCount / 3; ++t) {
                Vec front = frontNormal(type, r, t);
                Vec out = outwardDirection(type, r, t);
                EXPECT_GT(front.x * out.x + front.y * out.y + front.z * out.z, 0.999)
                    << "type " << type << " rotation " << r << " triangle " << t;
                // The collision normal points into the solid side, against the drawn front.
                Vec3 n = collisionMeshTable[type][r]->normal[t];
                EXPECT_LT(n.x * out.x + n.y * out.y + n.z * out.z, -0.999)
                    << "type " << type << " rotation " << r << " triangle " << t;
            }
        }
    }
}

TEST_F(TilePieces, KerbFacesDropIntoTheLevelBelow)
{
    for (CellType kerb : {CellType::KerbSide, CellType::KerbCorner, CellType::KerbOpposite}) {
        int type = static_cast<int>(kerb);
        float lowest = 0;
        for (int v = 0; v < tilePieces[type].vertexCount; ++v) {
            lowest = std::fmin(lowest, tilePieces[type].vertices[0][3 * v + 1]);
        }
        EXPECT_FLOAT_EQ(lowest, -15.0f) << "type " << type;
    }
}

}  // namespace
