#include "render/model_meshes.h"

#include "render/mesh_builder.h"

namespace {

PartDesc box(const char* name, int parent, float px, float py, float pz,
             float x0, float y0, float z0, float x1, float y1, float z1, float topScale,
             int sx, int sy, int sw, int sh)
{
    PartDesc p = {};
    p.name = name;
    p.parent = parent;
    p.pivot[0] = px;
    p.pivot[1] = py;
    p.pivot[2] = pz;
    p.shape = ShapeBox;
    p.lo[0] = x0;
    p.lo[1] = y0;
    p.lo[2] = z0;
    p.hi[0] = x1;
    p.hi[1] = y1;
    p.hi[2] = z1;
    p.topScale = topScale;
    p.skin[0] = sx;
    p.skin[1] = sy;
    p.skin[2] = sw;
    p.skin[3] = sh;
    return p;
}

// The same box on the other side of the body (z mirrored).
PartDesc mirrored(const PartDesc& src, const char* name, int parent, int sx, int sy)
{
    PartDesc p = src;
    p.name = name;
    p.parent = parent;
    p.pivot[2] = -src.pivot[2];
    p.lo[2] = -src.hi[2];
    p.hi[2] = -src.lo[2];
    for (int k = 0; k < 4; ++k)
        p.spike[k][2] = -src.spike[k][2];
    p.skin[0] = sx;
    p.skin[1] = sy;
    return p;
}

PartDesc spike(const char* name, int parent, const float corners[4][3], int sx, int sy, int sw, int sh)
{
    PartDesc p = {};
    p.name = name;
    p.parent = parent;
    p.shape = ShapeSpike;
    for (int k = 0; k < 4; ++k)
        for (int c = 0; c < 3; ++c)
            p.spike[k][c] = corners[k][c];
    for (int c = 0; c < 3; ++c)
        p.pivot[c] = corners[0][c];
    p.skin[0] = sx;
    p.skin[1] = sy;
    p.skin[2] = sw;
    p.skin[3] = sh;
    return p;
}

// Hero parts: 0 pelvis, 1 torso, 2 head, 3/4 right arm, 5/6 left arm, 7/8 right leg, 9/10 left leg, 11 cape.
const PoseDesc HeroPoses[HeroBlockCount] = {
    {true, 0, 4, {{3, -6, 0, 0}, {5, 6, 0, 0}, {4, 0, 0, 6}, {6, 0, 0, 6}}},
    {true, 0, 9, {{1, 0, 0, -6}, {7, 0, 0, 6}, {8, 0, 0, -28}, {9, 0, 0, -4}, {3, -5, 0, 4}, {5, 5, 0, -4},
                  {4, 0, 0, 12}, {6, 0, 0, 12}, {11, 0, 0, -10}}},
    {true, 0, 11, {{0, 0, -6, 0}, {1, 0, 10, -8}, {7, 0, 0, 32}, {8, 0, 0, -12}, {9, 0, 0, -26}, {10, 0, 0, -22},
                   {3, -6, 0, -28}, {4, 0, 0, 12}, {5, 6, 0, 32}, {6, 0, 0, 28}, {11, 0, 0, -18}}},
    {true, 0, 11, {{0, 0, 6, 0}, {1, 0, -10, -8}, {9, 0, 0, 32}, {10, 0, 0, -12}, {7, 0, 0, -26}, {8, 0, 0, -22},
                   {5, 6, 0, -28}, {6, 0, 0, 12}, {3, -6, 0, 32}, {4, 0, 0, 28}, {11, 0, 0, -18}}},
    {true, 0.4f, 9, {{7, 0, 0, 62}, {8, 0, 0, -85}, {9, 0, 0, 18}, {10, 0, 0, -45}, {3, -25, 0, 150},
                     {4, 0, 0, 15}, {5, 35, 0, 40}, {6, 0, 0, 30}, {11, 0, 0, -35}}},
    {false, 0.6f, 10, {{0, 0, 0, -80}, {2, 0, 0, 45}, {3, -8, 0, 172}, {5, 12, 0, 8}, {6, 0, 0, 10},
                       {7, 0, 0, 4}, {9, 0, 0, -6}, {10, 0, 0, -18}, {11, 0, 0, -18}, {1, 0, 0, 0}}},
    {true, 0, 10, {{1, 0, 28, -6}, {2, 0, -18, 0}, {3, -4, 0, 92}, {4, 0, 0, 0}, {5, 4, 0, -15}, {6, 0, 0, 110},
                   {7, 0, 0, -22}, {8, 0, 0, -8}, {9, 0, 0, 28}, {10, 0, 0, -30}}},
    {true, 0, 10, {{1, 0, -10, 14}, {7, 0, 0, 95}, {8, 0, 0, -4}, {9, 0, 0, -8}, {3, -65, 0, -10},
                   {5, 65, 0, -10}, {4, 0, 0, 20}, {6, 0, 0, 20}, {11, 0, 0, -25}, {2, 0, 0, -8}}},
};

// Zombie parts: 0 pelvis, 1 torso, 2 head, 3 jaw, 4 right arm, 5 left arm, 6/7 right leg, 8/9 left leg, 10 rag.
const PoseDesc ZombiePoses[MonsterBlockCount] = {
    {true, 0, 0, {}},
    {true, 0, 10, {{1, 0, 0, -18}, {2, 12, 0, 12}, {3, 0, 0, -12}, {4, -5, 0, 82}, {5, 6, 0, 70},
                   {6, 0, 0, 0}, {7, 0, 0, -8}, {8, 0, 0, 6}, {9, 0, 0, -16}, {10, 0, 0, 0}}},
    {true, 0, 10, {{1, -4, 8, -22}, {2, 18, 0, 10}, {3, 0, 0, -20}, {4, -5, 0, 90}, {5, 6, 0, 60},
                   {6, 0, 0, 24}, {7, 0, 0, -6}, {8, 0, 0, -18}, {9, 0, 0, -26}, {10, 0, 0, 8}}},
    {true, 0, 10, {{1, 4, -8, -22}, {2, 5, 0, 14}, {3, 0, 0, -6}, {4, -5, 0, 62}, {5, 6, 0, 88},
                   {8, 0, 0, 24}, {9, 0, 0, -6}, {6, 0, 0, -18}, {7, 0, 0, -26}, {10, 0, 0, -8}}},
};

// Big monster parts: 0 pelvis, 1 torso, 2 head, 3/4 right arm, 5/6 left arm, 7 right leg, 8 left leg,
// 9/10 horns, 11/12 back spikes.
const PoseDesc BigMonsterPoses[MonsterBlockCount] = {
    {true, 0, 0, {}},
    {true, 0, 7, {{1, 0, 0, -14}, {2, 0, 0, 10}, {3, -8, 0, 16}, {4, 0, 0, 22}, {5, 8, 0, 16}, {6, 0, 0, 22},
                  {7, 0, 0, 0}}},
    {true, 0, 8, {{1, -5, 10, -17}, {2, 0, -6, 12}, {3, -8, 0, -12}, {4, 0, 0, 30}, {5, 8, 0, 36}, {6, 0, 0, 36},
                  {7, 0, 0, 20}, {8, 0, 0, -18}}},
    {true, 0, 8, {{1, 5, -10, -17}, {2, 0, 6, 12}, {5, 8, 0, -12}, {6, 0, 0, 30}, {3, -8, 0, 36}, {4, 0, 0, 36},
                  {8, 0, 0, 20}, {7, 0, 0, -18}}},
};

// Robot parts: 0 pelvis, 1 torso, 2 head, 3 backpack, 4 right arm, 5 left arm, 6/7 right leg, 8/9 left leg,
// 10 antenna.
const PoseDesc RobotPoses[MonsterBlockCount] = {
    {true, 0, 0, {}},
    {true, 0, 4, {{4, -4, 0, 10}, {5, 4, 0, 10}, {7, 0, 0, -4}, {9, 0, 0, -4}}},
    {true, 0, 7, {{1, 0, 6, 0}, {6, 0, 0, 26}, {7, 0, 0, -12}, {8, 0, 0, -20}, {9, 0, 0, -14},
                  {4, -4, 0, -22}, {5, 4, 0, 28}}},
    {true, 0, 7, {{1, 0, -6, 0}, {8, 0, 0, 26}, {9, 0, 0, -12}, {6, 0, 0, -20}, {7, 0, 0, -14},
                  {5, 4, 0, -22}, {4, -4, 0, 28}}},
};

ModelDesc makeHero()
{
    ModelDesc m = {};
    PartDesc* p = m.parts;
    p[0] = box("pelvis", -1, 0, 3.2f, 0, -0.42f, 2.85f, -0.62f, 0.42f, 3.45f, 0.62f, 1.0f, 196, 4, 54, 40);
    p[1] = box("torso", 0, 0, 3.45f, 0, -0.45f, 3.4f, -0.7f, 0.45f, 5.2f, 0.7f, 1.25f, 4, 4, 96, 64);
    p[2] = box("head", 1, 0, 5.2f, 0, -0.4f, 5.15f, -0.36f, 0.4f, 6.5f, 0.36f, 0.95f, 100, 4, 96, 64);
    p[3] = box("upperarm", 1, 0, 5.0f, 0.98f, -0.22f, 3.9f, 0.78f, 0.22f, 5.15f, 1.2f, 1.1f, 4, 68, 48, 48);
    p[4] = box("forearm", 3, 0, 3.95f, 0.99f, -0.2f, 2.75f, 0.8f, 0.2f, 3.98f, 1.18f, 1.05f, 52, 68, 48, 48);
    p[5] = mirrored(p[3], "upperarm", 1, 100, 68);
    p[6] = mirrored(p[4], "forearm", 5, 148, 68);
    p[7] = box("thigh", 0, 0, 2.95f, 0.33f, -0.27f, 1.55f, 0.08f, 0.27f, 3.0f, 0.6f, 1.1f, 4, 116, 48, 48);
    p[8] = box("shin", 7, 0, 1.6f, 0.34f, -0.3f, 0.0f, 0.1f, 0.34f, 1.62f, 0.58f, 0.85f, 52, 116, 48, 48);
    p[9] = mirrored(p[7], "thigh", 0, 100, 116);
    p[10] = mirrored(p[8], "shin", 9, 148, 116);
    const float cape[4][3] = {{-0.5f, 5.15f, 0.8f}, {-0.5f, 5.15f, -0.8f}, {-0.78f, 1.3f, 0}, {-0.25f, 4.6f, 0}};
    p[11] = spike("cape", 1, cape, 4, 164, 128, 88);
    p[11].pivot[2] = 0;
    m.partCount = 12;
    m.poseCount = HeroBlockCount;
    m.poses = HeroPoses;
    return m;
}

ModelDesc makeZombie()
{
    ModelDesc m = {};
    PartDesc* p = m.parts;
    p[0] = box("pelvis", -1, 0, 3.1f, 0, -0.4f, 2.75f, -0.6f, 0.4f, 3.35f, 0.6f, 1.0f, 196, 4, 54, 40);
    p[1] = box("torso", 0, 0, 3.35f, 0, -0.45f, 3.3f, -0.68f, 0.45f, 5.05f, 0.68f, 1.12f, 4, 4, 96, 64);
    p[2] = box("head", 1, 0, 5.1f, 0, -0.38f, 5.25f, -0.34f, 0.42f, 6.4f, 0.34f, 1.0f, 100, 4, 96, 64);
    p[3] = box("jaw", 2, -0.1f, 5.3f, 0, 0.0f, 4.98f, -0.27f, 0.47f, 5.3f, 0.27f, 1.0f, 196, 48, 54, 16);
    p[4] = box("arm", 1, 0, 4.85f, 0.92f, -0.2f, 3.0f, 0.74f, 0.2f, 4.95f, 1.1f, 1.1f, 4, 68, 48, 96);
    p[5] = mirrored(p[4], "arm", 1, 52, 68);
    p[6] = box("thigh", 0, 0, 2.85f, 0.32f, -0.26f, 1.5f, 0.08f, 0.26f, 2.9f, 0.56f, 1.0f, 100, 68, 48, 48);
    p[7] = box("shin", 6, 0, 1.55f, 0.32f, -0.26f, 0.0f, 0.09f, 0.32f, 1.57f, 0.55f, 0.9f, 148, 68, 48, 48);
    p[8] = mirrored(p[6], "thigh", 0, 100, 116);
    p[9] = mirrored(p[7], "shin", 8, 148, 116);
    const float rag[4][3] = {{0.44f, 3.0f, 0.25f}, {0.44f, 3.0f, -0.45f}, {0.55f, 1.95f, -0.15f}, {0.2f, 2.9f, -0.1f}};
    p[10] = spike("rag", 0, rag, 196, 68, 56, 40);
    m.partCount = 11;
    m.poseCount = MonsterBlockCount;
    m.poses = ZombiePoses;
    return m;
}

ModelDesc makeBigMonster()
{
    ModelDesc m = {};
    PartDesc* p = m.parts;
    p[0] = box("pelvis", -1, 0, 5.6f, 0, -0.9f, 4.9f, -1.3f, 0.9f, 6.3f, 1.3f, 1.0f, 196, 4, 54, 40);
    p[1] = box("torso", 0, 0, 6.2f, 0, -1.1f, 6.1f, -1.4f, 1.1f, 10.6f, 1.4f, 1.35f, 4, 4, 96, 64);
    p[2] = box("head", 1, 0.3f, 10.4f, 0, -0.2f, 10.1f, -0.7f, 1.3f, 11.7f, 0.7f, 0.85f, 100, 4, 96, 64);
    p[3] = box("upperarm", 1, 0, 10.0f, 2.2f, -0.55f, 7.2f, 1.7f, 0.55f, 10.4f, 2.7f, 1.1f, 4, 68, 48, 48);
    p[4] = box("forearm", 3, 0, 7.3f, 2.2f, -0.7f, 3.6f, 1.65f, 0.7f, 7.4f, 2.75f, 0.85f, 52, 68, 48, 48);
    p[5] = mirrored(p[3], "upperarm", 1, 100, 68);
    p[6] = mirrored(p[4], "forearm", 5, 148, 68);
    p[7] = box("leg", 0, 0, 5.2f, 0.75f, -0.7f, 0.0f, 0.2f, 0.7f, 5.3f, 1.3f, 0.9f, 4, 116, 96, 64);
    p[8] = mirrored(p[7], "leg", 0, 100, 116);
    const float horn[4][3] = {{0.45f, 11.55f, 0.3f}, {0.95f, 11.55f, 0.42f}, {0.6f, 11.55f, 0.68f}, {0.75f, 13.4f, 1.15f}};
    p[9] = spike("horn", 2, horn, 196, 68, 56, 40);
    p[10] = mirrored(p[9], "horn", 2, 196, 112);
    const float spike1[4][3] = {{-1.0f, 9.6f, -0.5f}, {-1.0f, 9.6f, 0.5f}, {-1.2f, 8.5f, 0}, {-2.4f, 10.1f, 0}};
    const float spike2[4][3] = {{-0.95f, 8.0f, -0.4f}, {-0.95f, 8.0f, 0.4f}, {-1.05f, 7.0f, 0}, {-2.05f, 8.3f, 0}};
    p[11] = spike("spike", 1, spike1, 4, 184, 120, 64);
    p[12] = spike("spike", 1, spike2, 128, 184, 120, 64);
    m.partCount = 13;
    m.poseCount = MonsterBlockCount;
    m.poses = BigMonsterPoses;
    return m;
}

ModelDesc makeRobot()
{
    ModelDesc m = {};
    PartDesc* p = m.parts;
    p[0] = box("pelvis", -1, 0, 3.0f, 0, -0.45f, 2.6f, -0.6f, 0.45f, 3.3f, 0.6f, 1.0f, 196, 4, 54, 40);
    p[1] = box("torso", 0, 0, 3.2f, 0, -0.55f, 3.25f, -0.8f, 0.55f, 5.1f, 0.8f, 1.1f, 4, 4, 96, 64);
    p[2] = box("head", 1, 0, 5.1f, 0, -0.42f, 5.05f, -0.42f, 0.42f, 5.95f, 0.42f, 0.9f, 100, 4, 96, 64);
    p[3] = box("backpack", 1, 0, 3.2f, 0, -0.98f, 3.7f, -0.55f, -0.45f, 4.95f, 0.55f, 1.0f, 196, 48, 54, 36);
    p[4] = box("arm", 1, 0, 4.85f, 1.05f, -0.25f, 2.9f, 0.88f, 0.25f, 5.0f, 1.3f, 1.0f, 4, 68, 48, 96);
    p[5] = mirrored(p[4], "arm", 1, 52, 68);
    p[6] = box("thigh", 0, 0, 2.7f, 0.35f, -0.28f, 1.45f, 0.1f, 0.28f, 2.75f, 0.6f, 1.0f, 100, 68, 48, 48);
    p[7] = box("shin", 6, 0, 1.5f, 0.35f, -0.36f, 0.0f, 0.06f, 0.36f, 1.52f, 0.64f, 0.75f, 148, 68, 48, 48);
    p[8] = mirrored(p[6], "thigh", 0, 100, 116);
    p[9] = mirrored(p[7], "shin", 8, 148, 116);
    const float antenna[4][3] = {{-0.12f, 5.93f, 0.12f}, {0.08f, 5.93f, 0.12f}, {-0.02f, 5.93f, 0.32f}, {-0.05f, 6.55f, 0.22f}};
    p[10] = spike("antenna", 2, antenna, 196, 88, 56, 40);
    m.partCount = 11;
    m.poseCount = MonsterBlockCount;
    m.poses = RobotPoses;
    return m;
}

float* buildCharacter(int character, int vertexCount, int blockCount)
{
    float* data = new float[8 * vertexCount * blockCount];
    buildModelBlocks(characterDescription(character), data);
    return data;
}

// One side of the sky box seen from inside: corners bottom-left, bottom-right, top-right, top-left,
// with their atlas pixels.
void skyQuad(float* out, int& n, const float corners[4][3], const float px[4][2])
{
    const int order[6] = {0, 1, 2, 2, 3, 0};
    float* positions = out;
    float* texCoords = out + 3 * SkyBoxVertexCount;
    float* normals = out + 5 * SkyBoxVertexCount;
    // Inward normal from the first three corners (counter-clockwise seen from inside).
    float u[3], v[3];
    for (int k = 0; k < 3; ++k) {
        u[k] = corners[1][k] - corners[0][k];
        v[k] = corners[2][k] - corners[0][k];
    }
    float normal[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
    for (int k = 0; k < 6; ++k) {
        int c = order[k];
        for (int i = 0; i < 3; ++i) {
            positions[3 * n + i] = corners[c][i];
            normals[3 * n + i] = normal[i] > 0.5f ? 1.0f : (normal[i] < -0.5f ? -1.0f : 0.0f);
        }
        texCoords[2 * n] = px[c][0] / 512.0f;
        texCoords[2 * n + 1] = 1.0f - px[c][1] / 512.0f;
        ++n;
    }
}

float* buildSkyBox()
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

} // namespace

const ModelDesc& characterDescription(int character)
{
    static const ModelDesc models[CharacterCount] = {makeHero(), makeZombie(), makeBigMonster(), makeRobot()};
    return models[character];
}

float* skyBoxMeshData()
{
    static float* data = buildSkyBox();
    return data;
}

float* heroMeshData()
{
    static float* data = buildCharacter(CharacterHero, HeroVertexCount, HeroBlockCount);
    return data;
}

float* zombieMeshData()
{
    static float* data = buildCharacter(CharacterZombie, MonsterVertexCount, MonsterBlockCount);
    return data;
}

float* bigMonsterMeshData()
{
    static float* data = buildCharacter(CharacterBigMonster, MonsterVertexCount, MonsterBlockCount);
    return data;
}

float* robotMeshData()
{
    static float* data = buildCharacter(CharacterRobot, MonsterVertexCount, MonsterBlockCount);
    return data;
}
