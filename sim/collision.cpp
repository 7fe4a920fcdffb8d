#include "sim/collision.h"

CollisionMesh* collisionMeshTable[CellTypeCount][4];

CollisionMesh* buildCollisionMesh(int32_t vertexCount, const float* vertices)
{
    CollisionMesh* mesh = new CollisionMesh{};
    mesh->triangleCount = vertexCount / 3;
    mesh->cornerA = new Vec3[mesh->triangleCount];
    mesh->cornerB = new Vec3[mesh->triangleCount];
    mesh->cornerC = new Vec3[mesh->triangleCount];
    mesh->normal = new Vec3[mesh->triangleCount];
    for (int i = 0; i < mesh->triangleCount; ++i) {
        const float* p = vertices + 9 * i;
        mesh->cornerA[i] = Vec3{p[0], p[1], p[2]};
        mesh->cornerB[i] = Vec3{p[3], p[4], p[5]};
        mesh->cornerC[i] = Vec3{p[6], p[7], p[8]};
        mesh->normal[i] = triangleNormal(mesh->cornerA[i], mesh->cornerB[i], mesh->cornerC[i]);
    }
    return mesh;
}
