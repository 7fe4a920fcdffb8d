#include "render/sky_box_mesh.h"

#include "render/model_meshes.h"
#include "render/tex_coords.h"
#include "sim/vector_math.h"

namespace {

constexpr float WorldAtlasSize = 512.0f;   // pixels along either side

// One side of the sky box seen from inside: corners bottom-left, bottom-right, top-right, top-left,
// with their atlas pixels.
void skyQuad(float* out, int& n, const float corners[4][3], const float px[4][2])
{
    const int order[6] = {0, 1, 2, 2, 3, 0};
    float* positions = out;
    float* texCoords = out + 3 * SkyBoxVertexCount;
    float* normals = out + 5 * SkyBoxVertexCount;
    // Inward normal from the first three corners (counter-clockwise seen from inside).
    Vec3 inward = cross(minus(vec3At(corners[1]), vec3At(corners[0])), minus(vec3At(corners[2]), vec3At(corners[0])));
    const float normal[3] = {inward.x, inward.y, inward.z};
    for (int k = 0; k < 6; ++k) {
        int c = order[k];
        for (int i = 0; i < 3; ++i) {
            positions[3 * n + i] = corners[c][i];
            normals[3 * n + i] = normal[i] > 0.5f ? 1.0f : (normal[i] < -0.5f ? -1.0f : 0.0f);
        }
        texCoords[2 * n] = px[c][0] / WorldAtlasSize;
        texCoords[2 * n + 1] = texCoordTOfRow(px[c][1], WorldAtlasSize);
        ++n;
    }
}

} // namespace

float* buildSkyBoxMesh()
{
    float* data = new float[8 * SkyBoxVertexCount];
    int n = 0;
    // Walls in turning order, each from its left to its right corner as seen from the centre.
    const float ring[5][2] = {{0.5f, -0.5f}, {0.5f, 0.5f}, {-0.5f, 0.5f}, {-0.5f, -0.5f}, {0.5f, -0.5f}};
    const float bottom = SkyPanoramaY + SkySideHeight - 0.5f, top = SkyPanoramaY + 0.5f;
    for (int side = 0; side < 4; ++side) {
        const float* l = ring[side];
        const float* r = ring[side + 1];
        const float corners[4][3] = {{l[0], -0.5f, l[1]}, {r[0], -0.5f, r[1]}, {r[0], 0.5f, r[1]}, {l[0], 0.5f, l[1]}};
        float x0 = SkyPanoramaX + side * SkySideWidth, x1 = x0 + SkySideWidth;
        const float px[4][2] = {{x0, bottom}, {x1, bottom}, {x1, top}, {x0, top}};
        skyQuad(data, n, corners, px);
    }
    // The top seen from below, with +x toward the top of its picture.
    const float corners[4][3] = {{-0.5f, 0.5f, 0.5f}, {-0.5f, 0.5f, -0.5f}, {0.5f, 0.5f, -0.5f}, {0.5f, 0.5f, 0.5f}};
    const float x0 = SkyTopX + 0.5f, x1 = SkyTopX + SkyTopSize - 0.5f;
    const float y0 = SkyTopY + 0.5f, y1 = SkyTopY + SkyTopSize - 0.5f;
    const float px[4][2] = {{x0, y1}, {x1, y1}, {x1, y0}, {x0, y0}};
    skyQuad(data, n, corners, px);
    return data;
}
