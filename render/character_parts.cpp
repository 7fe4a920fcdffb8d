#include "render/character_parts.h"

#include "render/character_poses.h"
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
    m.poses = HeroKeyPoses;
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
    m.poses = ZombieKeyPoses;
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
    m.poses = BigMonsterKeyPoses;
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
    m.poses = RobotKeyPoses;
    return m;
}

} // namespace

const ModelDesc& characterDescription(int character)
{
    static const ModelDesc models[CharacterCount] = {makeHero(), makeZombie(), makeBigMonster(), makeRobot()};
    return models[character];
}
