#include "sim/collision.h"

#include <cmath>

#include "city/city_grid.h"
#include "city/tile_pieces.h"
#include "sim/actors.h"

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
        mesh->cornerA[i] = vec3At(p);
        mesh->cornerB[i] = vec3At(p + 3);
        mesh->cornerC[i] = vec3At(p + 6);
        mesh->normal[i] = triangleNormal(mesh->cornerA[i], mesh->cornerB[i], mesh->cornerC[i]);
    }
    return mesh;
}

int classifyPlaneDistance(Vec3 normal, Vec3 point, Vec3 cornerA, float radius, float& distance)
{
    distance = dot(normal, point) - dot(normal, cornerA);
    if (std::fabs(distance) < radius) {
        return 1;
    }
    return distance >= radius ? 2 : 0;
}

bool pointInTriangle(Vec3 f, Vec3 a, Vec3 b, Vec3 c)
{
    const Vec3 corners[3] = {a, b, c};
    double sum = 0.0;
    for (int k = 0; k < 3; ++k) {
        sum += angleBetween(minus(corners[k], f), minus(corners[(k + 1) % 3], f));
    }
    // 0.99 of a full turn; a NaN angle (F on a corner) fails the test.
    return sum >= 6.220353454107791;
}

Vec3 closestPointOnSegment(Vec3 start, Vec3 end, Vec3 point)
{
    Vec3 along = minus(end, start);
    float segmentLength = length(along);
    if (!(segmentLength > 0.0f)) {
        return start;
    }
    Vec3 dir = normalize(along);
    float t = dot(dir, minus(point, start));
    if (t <= 0.0f) {
        return start;
    }
    if (segmentLength <= t) {
        return end;
    }
    return plus(start, scaled(dir, t));
}

// Pushes the centre away from Q to distance r; a centre exactly on Q has no direction and stays.
static void pushAwayFromEdge(Vec3& centre, Vec3 start, Vec3 end, float radius)
{
    if (!(length(minus(end, start)) > 0.0f)) {
        return;
    }
    Vec3 q = closestPointOnSegment(start, end, centre);
    Vec3 away = minus(centre, q);
    float d = length(away);
    if (d < radius && d > 0.0f) {
        centre = plus(q, scaled(away, radius / d));
    }
}

void collideSphereWithMesh(Vec3& centre, float radius, Vec3 origin, const CollisionMesh& mesh, CollisionMode mode)
{
    Vec3 p = minus(centre, origin);
    for (int i = 0; i < mesh.triangleCount; ++i) {
        Vec3 a = mesh.cornerA[i];
        Vec3 b = mesh.cornerB[i];
        Vec3 c = mesh.cornerC[i];
        Vec3 n = mesh.normal[i];
        // A triangle of zero area has no normal and never pushes.
        if (!isFinite(n)) {
            continue;
        }
        float d = 0.0f;
        if (classifyPlaneDistance(n, p, a, radius, d) != 1 || d > 0.0f) {
            continue;
        }
        Vec3 foot = minus(p, scaled(n, d));
        if (pointInTriangle(foot, a, b, c)) {
            if (mode == CollideFaces) {
                p = minus(p, scaled(n, radius + d));
            }
            continue;
        }
        if (mode == CollideEdges) {
            pushAwayFromEdge(p, a, b, radius);
            pushAwayFromEdge(p, b, c, radius);
            pushAwayFromEdge(p, c, a, radius);
        }
    }
    centre = plus(p, origin);
}

// Runs one pass over the cells around the centre, in x, level, z order.
static void collideWithCells(Vec3& centre, IndexRange xs, IndexRange levels, IndexRange zs, CollisionMode mode)
{
    for (int bx = xs.first; bx <= xs.last; ++bx) {
        for (int by = levels.first; by <= levels.last; ++by) {
            for (int bz = zs.first; bz <= zs.last; ++bz) {
                const GridCell& cell = cityGrid.cells[bx][by][bz];
                int type = static_cast<int>(cell.type);
                if (type <= 0 || type >= CellTypeCount) {
                    continue;
                }
                const CollisionMesh* mesh = collisionMeshTable[type][cell.rotation & 3];
                if (mesh == nullptr) {
                    continue;
                }
                Vec3 origin{10.0f * bx, 10.0f * by, 10.0f * bz};
                collideSphereWithMesh(centre, HeroRadius, origin, *mesh, mode);
            }
        }
    }
}

void collideHeroWithWorld()
{
    Vec3 centre{hero.x, hero.y + HeroRadius, hero.z};
    // Windows are clamped, so a hero far outside the city or above it meets no cells at all.
    IndexRange xs = clampedWindow(cellIndexOf(centre.x), 2, GridSize);
    IndexRange levels = clampedWindow(cellIndexOf(centre.y), 2, LevelCount);
    IndexRange zs = clampedWindow(cellIndexOf(centre.z), 2, GridSize);
    collideWithCells(centre, xs, levels, zs, CollideFaces);
    collideWithCells(centre, xs, levels, zs, CollideEdges);
    hero.x = centre.x;
    hero.y = centre.y - HeroRadius;
    hero.z = centre.z;
}

// Columns outside the city count as blocked, as its water border is.
static bool columnBlocked(int i, int j)
{
    if (i < 0 || i >= GridSize || j < 0 || j >= GridSize) {
        return true;
    }
    return cityGrid.blocked[i][j] != 0;
}

static float floorHeight(int i, int j)
{
    if (i < 0 || i >= GridSize || j < 0 || j >= GridSize) {
        return 0.0f;
    }
    switch (cityGrid.cells[i][GroundLevel][j].type) {
    case CellType::Pavement:
    case CellType::KerbSide:
    case CellType::KerbCorner:
    case CellType::KerbOpposite:
        return 5.0f;
    case CellType::Road:
    case CellType::RoadCentre:
        return 4.0f;
    default:
        return 0.0f;
    }
}

void pushOutOfBlockedCells(float& x, float& z, float& y, float radius)
{
    int cx = cellIndexOf(x);
    int cz = cellIndexOf(z);
    for (int i = cx - 1; i <= cx + 1; ++i) {
        for (int j = cz - 1; j <= cz + 1; ++j) {
            if (!columnBlocked(i, j)) {
                continue;
            }
            float xmin = 10.0f * i - 5.0f;
            float xmax = 10.0f * i + 5.0f;
            float zmin = 10.0f * j - 5.0f;
            float zmax = 10.0f * j + 5.0f;
            if (!(xmin < x + radius && xmax > x - radius && zmin < z + radius && zmax > z - radius)) {
                continue;
            }
            bool insideX = xmin < x && x < xmax;
            bool insideZ = zmin < z && z < zmax;
            if (insideX && insideZ) {
                continue;
            }
            if (insideX) {
                z = z < 10.0f * j ? zmin - radius : zmax + radius;
            } else if (insideZ) {
                x = x < 10.0f * i ? xmin - radius : xmax + radius;
            } else {
                float cornerX = x > xmax ? xmax : xmin;
                float cornerZ = z > zmax ? zmax : zmin;
                float dx = x - cornerX;
                float dz = z - cornerZ;
                float d = std::sqrt(dx * dx + dz * dz);
                // Exactly on the corner there is no direction to push along: stay.
                if (d < radius && d > 0.0f) {
                    x = cornerX + dx * radius / d;
                    z = cornerZ + dz * radius / d;
                }
            }
        }
    }
    float floor = floorHeight(cx, cz);
    if (floor > y) {
        y = floor;
    }
}

void buildCollisionMeshes()
{
    // The meshes live for the whole run; a second pass would sink the water twice.
    if (collisionMeshTable[static_cast<int>(CellType::Empty)][0] != nullptr) {
        return;
    }
    for (int type = 0; type < CellTypeCount; ++type) {
        for (int r = 0; r < 4; ++r) {
            collisionMeshTable[type][r] = buildCollisionMesh(tilePieces[type].vertexCount, tilePieces[type].vertices[r]);
        }
    }
    // Only the corners move: the shift is a translation, so the normals still hold.
    for (CollisionMesh* mesh : collisionMeshTable[static_cast<int>(CellType::Water)]) {
        for (int i = 0; i < mesh->triangleCount; ++i) {
            mesh->cornerA[i].y -= WaterSink;
            mesh->cornerB[i].y -= WaterSink;
            mesh->cornerC[i].y -= WaterSink;
        }
    }
}
