#include "render/mesh_builder.h"

#include <cmath>
#include <cstring>

#include "render/tex_coords.h"
#include "sim/vector_math.h"

namespace {

struct Mat {
    float m[3][4];
};

Mat identity()
{
    Mat r = {};
    r.m[0][0] = r.m[1][1] = r.m[2][2] = 1.0f;
    return r;
}

Mat multiply(const Mat& a, const Mat& b)
{
    Mat r = {};
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 4; ++j) {
            float v = j == 3 ? a.m[i][3] : 0.0f;
            for (int k = 0; k < 3; ++k)
                v += a.m[i][k] * b.m[k][j];
            r.m[i][j] = v;
        }
    }
    return r;
}

Mat translation(float x, float y, float z)
{
    Mat r = identity();
    r.m[0][3] = x;
    r.m[1][3] = y;
    r.m[2][3] = z;
    return r;
}

// Rotation about axis 0 (x), 1 (y) or 2 (z) by degrees, right-handed.
Mat rotation(int axis, float degrees)
{
    float a = degrees * 0.017453292f;
    float c = std::cos(a), s = std::sin(a);
    Mat r = identity();
    int i = (axis + 1) % 3, j = (axis + 2) % 3;
    r.m[i][i] = c;
    r.m[i][j] = -s;
    r.m[j][i] = s;
    r.m[j][j] = c;
    return r;
}

void apply(const Mat& m, const float* p, float* out)
{
    for (int i = 0; i < 3; ++i)
        out[i] = m.m[i][0] * p[0] + m.m[i][1] * p[1] + m.m[i][2] * p[2] + m.m[i][3];
}

struct Corner {
    float p[3];
    float st[2];
};

int partTriangles(const PartDesc& part)
{
    return part.shape == ShapeBox ? BoxTriangles : SpikeTriangles;
}

void toTexCoord(float px, float py, float* st)
{
    st[0] = px / SkinSize;
    st[1] = texCoordTOfRow(py, SkinSize);
}

// The eight corners of a box: index bit 0 = x high, bit 1 = y high, bit 2 = z high.
void boxCorner(const PartDesc& part, int index, float* out)
{
    float cx = 0.5f * (part.lo[0] + part.hi[0]), cz = 0.5f * (part.lo[2] + part.hi[2]);
    float scale = (index & 2) ? part.topScale : 1.0f;
    float x = (index & 1) ? part.hi[0] : part.lo[0];
    float z = (index & 4) ? part.hi[2] : part.lo[2];
    out[0] = cx + (x - cx) * scale;
    out[1] = (index & 2) ? part.hi[1] : part.lo[1];
    out[2] = cz + (z - cz) * scale;
}

// Corners of each face as seen from outside: bottom-left, bottom-right, top-right, top-left,
// so that the face's picture in its skin cell stands upright (tops and bottoms: front up).
const int FaceCorners[6][4] = {
    {5, 1, 3, 7},  // front, +x: the model's right side (+z) on the left
    {1, 0, 2, 3},  // left, -z
    {0, 4, 6, 2},  // back, -x
    {4, 5, 7, 6},  // right, +z
    {2, 6, 7, 3},  // top
    {4, 0, 1, 5},  // bottom
};

// Appends the rest-pose triangles of one part, each wound counter-clockwise from outside.
int partCorners(const PartDesc& part, Corner* out)
{
    int n = 0;
    if (part.shape == ShapeBox) {
        for (int f = 0; f < 6; ++f) {
            int rect[4];
            faceSkinRect(part, f, rect);
            float x0 = rect[0] + 1.0f, x1 = rect[0] + rect[2] - 1.0f;
            float y0 = rect[1] + 1.0f, y1 = rect[1] + rect[3] - 1.0f;
            Corner c[4];
            for (int k = 0; k < 4; ++k)
                boxCorner(part, FaceCorners[f][k], c[k].p);
            toTexCoord(x0, y1, c[0].st);
            toTexCoord(x1, y1, c[1].st);
            toTexCoord(x1, y0, c[2].st);
            toTexCoord(x0, y0, c[3].st);
            const int order[6] = {0, 1, 2, 2, 3, 0};
            for (int k = 0; k < 6; ++k)
                out[n++] = c[order[k]];
        }
    } else {
        const int faces[4][3] = {{0, 1, 2}, {0, 3, 1}, {1, 3, 2}, {2, 3, 0}};
        for (int f = 0; f < 4; ++f) {
            int rect[4];
            faceSkinRect(part, f, rect);
            float x0 = rect[0] + 1.0f, x1 = rect[0] + rect[2] - 1.0f;
            float y0 = rect[1] + 1.0f, y1 = rect[1] + rect[3] - 1.0f;
            for (int k = 0; k < 3; ++k)
                std::memcpy(out[n + k].p, part.spike[faces[f][k]], sizeof(float) * 3);
            toTexCoord(x0, y1, out[n].st);
            toTexCoord(x1, y1, out[n + 1].st);
            toTexCoord(0.5f * (x0 + x1), y0, out[n + 2].st);
            n += 3;
        }
    }
    // Convex parts: a triangle faces outward when its normal points away from the centre.
    float centre[3] = {0, 0, 0};
    for (int i = 0; i < n; ++i)
        for (int k = 0; k < 3; ++k)
            centre[k] += out[i].p[k] / n;
    for (int i = 0; i < n; i += 3) {
        Vec3 a = vec3At(out[i].p), b = vec3At(out[i + 1].p), c = vec3At(out[i + 2].p);
        Vec3 middle{(a.x + b.x + c.x) / 3.0f, (a.y + b.y + c.y) / 3.0f, (a.z + b.z + c.z) / 3.0f};
        Vec3 normal = cross(minus(b, a), minus(c, a));
        if (dot(normal, minus(middle, vec3At(centre))) < 0.0f) {
            Corner swap = out[i + 1];
            out[i + 1] = out[i + 2];
            out[i + 2] = swap;
        }
    }
    return n;
}

void partTransforms(const ModelDesc& model, const PoseDesc& pose, Mat* out)
{
    for (int p = 0; p < model.partCount; ++p) {
        const PartDesc& part = model.parts[p];
        Mat turn = identity();
        for (int i = 0; i < pose.turnCount; ++i) {
            const JointTurn& j = pose.turns[i];
            if (j.part == p)
                turn = multiply(rotation(1, j.y), multiply(rotation(0, j.x), rotation(2, j.z)));
        }
        Mat local = multiply(translation(part.pivot[0], part.pivot[1], part.pivot[2]),
                             multiply(turn, translation(-part.pivot[0], -part.pivot[1], -part.pivot[2])));
        out[p] = part.parent < 0 ? local : multiply(out[part.parent], local);
    }
}

} // namespace

int modelTriangleCount(const ModelDesc& model)
{
    int n = 0;
    for (int p = 0; p < model.partCount; ++p)
        n += partTriangles(model.parts[p]);
    return n;
}

int partFirstTriangle(const ModelDesc& model, int p)
{
    int n = 0;
    for (int i = 0; i < p; ++i)
        n += partTriangles(model.parts[i]);
    return n;
}

void faceSkinRect(const PartDesc& part, int f, int rect[4])
{
    const int* s = part.skin;
    if (part.shape == ShapeBox) {
        int w = s[2] / 3, h = s[3] / 2;
        rect[0] = s[0] + (f % 3) * w;
        rect[1] = s[1] + (f / 3) * h;
        rect[2] = w;
        rect[3] = h;
    } else {
        int w = s[2] / 4;
        rect[0] = s[0] + f * w;
        rect[1] = s[1];
        rect[2] = w;
        rect[3] = s[3];
    }
}

void buildModelBlocks(const ModelDesc& model, float* out)
{
    const int triangles = modelTriangleCount(model);
    const int v = triangles * 3;
    static Corner rest[MaxParts * BoxTriangles * 3];
    static int partOf[MaxParts * BoxTriangles * 3];
    int n = 0;
    for (int p = 0; p < model.partCount; ++p) {
        int added = partCorners(model.parts[p], rest + n);
        for (int i = 0; i < added; ++i)
            partOf[n + i] = p;
        n += added;
    }
    for (int b = 0; b < model.poseCount; ++b) {
        const PoseDesc& pose = model.poses[b];
        Mat transforms[MaxParts];
        partTransforms(model, pose, transforms);
        float* positions = out + b * 8 * v;
        float* texCoords = positions + 3 * v;
        float* normals = texCoords + 2 * v;
        float lowest = 1e9f;
        for (int i = 0; i < v; ++i) {
            apply(transforms[partOf[i]], rest[i].p, positions + 3 * i);
            lowest = std::fmin(lowest, positions[3 * i + 1]);
            texCoords[2 * i] = rest[i].st[0];
            texCoords[2 * i + 1] = rest[i].st[1];
        }
        float shift = pose.lift - (pose.grounded ? lowest : 0.0f);
        for (int i = 0; i < v; ++i)
            positions[3 * i + 1] += shift;
        for (int i = 0; i < v; i += 3) {
            const float* a = positions + 3 * i;
            Vec3 normal = cross(minus(vec3At(a + 3), vec3At(a)), minus(vec3At(a + 6), vec3At(a)));
            // A degenerate triangle gets an upward normal.
            Vec3 unit = length(normal) > 0.0f ? normalize(normal) : Vec3{0.0f, 1.0f, 0.0f};
            for (int k = 0; k < 3; ++k) {
                normals[3 * (i + k)] = unit.x;
                normals[3 * (i + k) + 1] = unit.y;
                normals[3 * (i + k) + 2] = unit.z;
            }
        }
    }
}
