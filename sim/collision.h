// sim/collision.h — the hero's sphere against cell meshes, monsters' circles against blocked columns.
#pragma once
#include <cstdint>
#include "city/city_grid.h"
#include "sim/vector_math.h"

struct CollisionMesh {
    int32_t triangleCount;
    Vec3* cornerA;
    Vec3* cornerB;
    Vec3* cornerC;
    Vec3* normal;
};
// Written by buildCollisionMeshes at start-up; the hero's collision reads it.
extern CollisionMesh* collisionMeshTable[CellTypeCount][4];

constexpr float HeroRadius = 2.75f;
// How far below its drawn surface water stops the hero.
constexpr float WaterSink = 3.5f;

enum CollisionMode { CollideFaces, CollideEdges };

CollisionMesh* buildCollisionMesh(int32_t vertexCount, const float* vertices);
// The mesh of every tile piece and rotation, water sunk by WaterSink; after buildTilePieces.
void buildCollisionMeshes();
// d = N.P - N.A; returns 1 if |d| < r, 2 if d >= r, 0 otherwise.
int classifyPlaneDistance(Vec3 normal, Vec3 point, Vec3 cornerA, float radius, float& distance);
bool pointInTriangle(Vec3 f, Vec3 a, Vec3 b, Vec3 c);
Vec3 closestPointOnSegment(Vec3 start, Vec3 end, Vec3 point);
void collideSphereWithMesh(Vec3& centre, float radius, Vec3 origin, const CollisionMesh& mesh, CollisionMode mode);
void collideHeroWithWorld();
void pushOutOfBlockedCells(float& x, float& z, float& y, float radius);
