#include <gtest/gtest.h>

#include <cmath>

#include "render/character_parts.h"
#include "render/mesh_builder.h"
#include "render/model_meshes.h"

namespace {

struct Character {
    const char* name;
    int model;
    float* (*data)();
    int vertexCount;
    int blockCount;
    float minHeight, maxHeight;
};

const Character Characters[] = {
    {"hero", CharacterHero, heroMeshData, HeroVertexCount, HeroBlockCount, 6.2f, 6.8f},
    {"zombie", CharacterZombie, zombieMeshData, MonsterVertexCount, MonsterBlockCount, 6.2f, 6.8f},
    {"big monster", CharacterBigMonster, bigMonsterMeshData, MonsterVertexCount, MonsterBlockCount, 13.0f, 13.8f},
    {"robot", CharacterRobot, robotMeshData, MonsterVertexCount, MonsterBlockCount, 6.2f, 6.8f},
};

const float* positionsOf(const Character& c, int block)
{
    return c.data() + block * 8 * c.vertexCount;
}

void cross(const float* a, const float* b, const float* c, float* out)
{
    float u[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
    float v[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
    out[0] = u[1] * v[2] - u[2] * v[1];
    out[1] = u[2] * v[0] - u[0] * v[2];
    out[2] = u[0] * v[1] - u[1] * v[0];
}

// Lowest and highest y, and the x of the lowest vertex of the parts named `part` on one side.
void extent(const Character& c, int block, float& low, float& high)
{
    const float* p = positionsOf(c, block);
    low = 1e9f;
    high = -1e9f;
    for (int i = 0; i < c.vertexCount; ++i) {
        low = std::fmin(low, p[3 * i + 1]);
        high = std::fmax(high, p[3 * i + 1]);
    }
}

TEST(CharacterMeshes, DescriptionsExpandToTheFixedVertexCounts)
{
    for (const Character& c : Characters) {
        const ModelDesc& desc = characterDescription(c.model);
        EXPECT_EQ(modelTriangleCount(desc) * 3, c.vertexCount) << c.name;
        EXPECT_EQ(desc.poseCount, c.blockCount) << c.name;
    }
}

TEST(CharacterMeshes, EveryTriangleOfEveryPoseFacesAwayFromItsPart)
{
    for (const Character& c : Characters) {
        const ModelDesc& desc = characterDescription(c.model);
        for (int b = 0; b < c.blockCount; ++b) {
            const float* p = positionsOf(c, b);
            for (int part = 0; part < desc.partCount; ++part) {
                int first = partFirstTriangle(desc, part);
                int last = partFirstTriangle(desc, part + 1);
                if (part + 1 == desc.partCount)
                    last = c.vertexCount / 3;
                float centre[3] = {0, 0, 0};
                for (int v = first * 3; v < last * 3; ++v)
                    for (int k = 0; k < 3; ++k)
                        centre[k] += p[3 * v + k] / ((last - first) * 3);
                for (int t = first; t < last; ++t) {
                    const float* a = p + 9 * t;
                    float n[3];
                    cross(a, a + 3, a + 6, n);
                    float out = 0;
                    for (int k = 0; k < 3; ++k)
                        out += n[k] * ((a[k] + a[3 + k] + a[6 + k]) / 3.0f - centre[k]);
                    ASSERT_GT(out, 0.0f) << c.name << " block " << b << " part " << part << " triangle " << t;
                }
            }
        }
    }
}

TEST(CharacterMeshes, NormalsAreUnitAndMatchTheWinding)
{
    for (const Character& c : Characters) {
        for (int b = 0; b < c.blockCount; ++b) {
            const float* p = positionsOf(c, b);
            const float* normals = p + 5 * c.vertexCount;
            for (int v = 0; v < c.vertexCount; ++v) {
                const float* n = normals + 3 * v;
                float length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
                ASSERT_NEAR(length, 1.0f, 1e-4f) << c.name;
                float w[3];
                const float* a = p + 9 * (v / 3);
                cross(a, a + 3, a + 6, w);
                ASSERT_GT(w[0] * n[0] + w[1] * n[1] + w[2] * n[2], 0.0f) << c.name;
            }
        }
    }
}

TEST(CharacterMeshes, TexCoordsStayInsideTheSkinAndAreSharedByAllPoses)
{
    for (const Character& c : Characters) {
        for (int b = 0; b < c.blockCount; ++b) {
            const float* st = positionsOf(c, b) + 3 * c.vertexCount;
            const float* rest = positionsOf(c, 0) + 3 * c.vertexCount;
            for (int i = 0; i < 2 * c.vertexCount; ++i) {
                ASSERT_GE(st[i], 0.01f) << c.name;
                ASSERT_LE(st[i], 0.99f) << c.name;
                ASSERT_EQ(st[i], rest[i]) << c.name;
            }
        }
    }
}

TEST(CharacterMeshes, StandOnTheGroundAtTheirHeight)
{
    for (const Character& c : Characters) {
        float low, high;
        extent(c, 0, low, high);
        EXPECT_FLOAT_EQ(low, 0.0f) << c.name;
        EXPECT_GE(high, c.minHeight) << c.name;
        EXPECT_LE(high, c.maxHeight) << c.name;
        // The walking keys keep their feet on the ground too.
        for (int b = 1; b <= 3; ++b) {
            extent(c, b, low, high);
            EXPECT_NEAR(low, 0.0f, 1e-4f) << c.name << " block " << b;
        }
    }
}

// The two stepping keys put opposite feet forward, so K1 K2 K1 K3 reads as a walk toward +x.
TEST(CharacterMeshes, SteppingKeysSwapTheLeadingFoot)
{
    for (const Character& c : Characters) {
        float lead[2];
        for (int k = 0; k < 2; ++k) {
            const float* p = positionsOf(c, 2 + k);
            float right = -1e9f, left = -1e9f;
            for (int i = 0; i < c.vertexCount; ++i) {
                if (p[3 * i + 1] > 0.5f)
                    continue;
                float& side = p[3 * i + 2] > 0 ? right : left;
                side = std::fmax(side, p[3 * i]);
            }
            lead[k] = right - left;
        }
        EXPECT_GT(lead[0], 0.3f) << c.name;
        EXPECT_LT(lead[1], -0.3f) << c.name;
    }
}

TEST(SkyBoxMesh, FiveFacesOfTheUnitCubeSeenFromInside)
{
    const float* p = skyBoxMeshData();
    int tops = 0;
    for (int t = 0; t < SkyBoxVertexCount / 3; ++t) {
        const float* a = p + 9 * t;
        float n[3], centre[3];
        cross(a, a + 3, a + 6, n);
        bool bottom = true;
        for (int k = 0; k < 3; ++k)
            centre[k] = (a[k] + a[3 + k] + a[6 + k]) / 3.0f;
        for (int v = 0; v < 9; ++v)
            EXPECT_EQ(std::fabs(a[v]), 0.5f);
        for (int v = 0; v < 3; ++v)
            bottom = bottom && a[3 * v + 1] == -0.5f;
        EXPECT_FALSE(bottom);
        EXPECT_LT(n[0] * centre[0] + n[1] * centre[1] + n[2] * centre[2], 0.0f) << "triangle " << t;
        if (centre[1] == 0.5f)
            ++tops;
    }
    EXPECT_EQ(tops, 2);
}

TEST(SkyBoxMesh, SamplesTheLowerHalfOfTheWorldAtlas)
{
    const float* st = skyBoxMeshData() + 3 * SkyBoxVertexCount;
    for (int v = 0; v < SkyBoxVertexCount; ++v) {
        EXPECT_GE(st[2 * v], 0.01f);
        EXPECT_LE(st[2 * v], 0.99f);
        EXPECT_GE(st[2 * v + 1], 0.01f);
        // t counts from the bottom row, so the lower half of the image is t below 0.5.
        EXPECT_LE(st[2 * v + 1], 0.49f);
    }
}

} // namespace
