#include <gtest/gtest.h>

#include <vector>

#include "render/models.h"
#include "sim/actors.h"

namespace {

constexpr int V = 4;              // a tiny model: four vertices
constexpr int BlockFloats = 8 * V;

// Blocks whose every position value tells its block: block b holds 100 b + index.
std::vector<float> makeBlocks(int blockCount)
{
    std::vector<float> data(BlockFloats * blockCount);
    for (int b = 0; b < blockCount; ++b) {
        for (int k = 0; k < 3 * V; ++k) {
            data[b * BlockFloats + k] = 100.0f * b + k;
        }
        for (int k = 0; k < 2 * V; ++k) {
            data[b * BlockFloats + 3 * V + k] = 0.01f + 0.1f * k + 0.001f * b;
        }
    }
    return data;
}

const float* positions(std::vector<float>& data, int block) { return data.data() + block * BlockFloats; }

// Kept for the whole run, like the game's models: a rebuild releases the previous in-betweens.
KeyframeModel monster;

TEST(InterpolateFrame, EndsCopyAndMiddleIsTheMean)
{
    const float from[5] = {0.0f, 1.0f, -2.0f, 10.0f, 3.5f};
    const float to[5] = {4.0f, 1.0f, 2.0f, -10.0f, 7.25f};
    float* start = interpolateFrame(5, from, to, 0.0f);
    float* end = interpolateFrame(5, from, to, 1.0f);
    float* middle = interpolateFrame(5, from, to, 0.5f);
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(start[k], from[k]);
        EXPECT_EQ(end[k], to[k]);
        EXPECT_FLOAT_EQ(middle[k], (from[k] + to[k]) / 2.0f);
    }
    EXPECT_NE(start, from);   // a fresh array, never the input itself
    EXPECT_NE(end, to);
    delete[] start;
    delete[] end;
    delete[] middle;
}

TEST(MonsterFrames, KeyFramesAreTheKeyArraysThemselves)
{
    std::vector<float> data = makeBlocks(4);
    KeyframeModel& model = monster;
    buildMonsterFrames(&model, data.data(), V);
    EXPECT_EQ(model.vertexCount, V);
    EXPECT_EQ(model.texCoords, data.data() + 3 * V);   // block 0's coordinates serve every frame
    EXPECT_EQ(model.frames[0], positions(data, 1));
    EXPECT_EQ(model.frames[20], positions(data, 2));
    EXPECT_EQ(model.frames[40], positions(data, 1));
    EXPECT_EQ(model.frames[60], positions(data, 3));
    EXPECT_EQ(model.frames[80], positions(data, 1));
}

TEST(MonsterFrames, InBetweensBlendAlongTheCycle)
{
    std::vector<float> data = makeBlocks(4);
    KeyframeModel& model = monster;
    buildMonsterFrames(&model, data.data(), V);
    for (int k = 0; k < 3 * V; ++k) {
        EXPECT_FLOAT_EQ(model.frames[10][k], 150.0f + k);            // halfway K1 -> K2
        EXPECT_FLOAT_EQ(model.frames[25][k], 200.0f - 25.0f + k);    // a quarter K2 -> K1
        EXPECT_FLOAT_EQ(model.frames[50][k], 200.0f + k);            // halfway K1 -> K3
        EXPECT_FLOAT_EQ(model.frames[79][k], 100.0f + 200.0f / 20.0f + k);  // last step K3 -> K1
    }
    // Every entry is set and the in-betweens are distinct arrays.
    for (int f = 0; f < MonsterFrameCount; ++f) {
        ASSERT_NE(model.frames[f], nullptr) << f;
    }
    EXPECT_NE(model.frames[1], model.frames[2]);
    // Rebuilding releases the previous in-betweens (checked by the sanitizer build) and gives equal frames.
    buildMonsterFrames(&model, data.data(), V);
    EXPECT_FLOAT_EQ(model.frames[10][0], 150.0f);
}

TEST(MonsterFrames, ARebuildAsAnotherKindFreesOnlyWhatTheModelOwns)
{
    std::vector<float> monsterData = makeBlocks(4);
    std::vector<float> heroData = makeBlocks(8);
    KeyframeModel model{};
    buildMonsterFrames(&model, monsterData.data(), V);
    // The hero's frames point into its data; the monster's in-betweens must not leak (the
    // sanitizer build checks both) ...
    buildHeroPoses(&model, heroData.data(), V);
    EXPECT_EQ(model.frames[1], positions(heroData, 2));
    // ... and building a monster over it must not free a pose of the hero's data.
    buildMonsterFrames(&model, monsterData.data(), V);
    EXPECT_FLOAT_EQ(model.frames[10][0], 150.0f);
    buildStaticModel(&model, monsterData.data(), V);
    EXPECT_EQ(model.frames[0], positions(monsterData, 0));
    EXPECT_EQ(model.frames[1], nullptr);
}

TEST(MonsterFrames, PhaseSelectsFrame)
{
    EXPECT_EQ(monsterFrameIndex(0.0f), 0);
    EXPECT_EQ(monsterFrameIndex(0.5f), 10);
    EXPECT_EQ(monsterFrameIndex(3.999f), 79);
    EXPECT_EQ(monsterFrameIndex(4.0f), 80);
    // A phase that strays past the cycle still selects a frame of the table.
    EXPECT_EQ(monsterFrameIndex(4.2f), 80);
    EXPECT_EQ(monsterFrameIndex(-0.1f), 0);
}

TEST(HeroPoses, StateIndexesItsKeyBlock)
{
    std::vector<float> data = makeBlocks(8);
    KeyframeModel model{};
    buildHeroPoses(&model, data.data(), V);
    const int expectedBlock[8] = {1, 2, 1, 3, 4, 5, 6, 7};
    for (int state = 0; state < 8; ++state) {
        EXPECT_EQ(model.frames[state], positions(data, expectedBlock[state])) << state;
    }
    EXPECT_EQ(model.texCoords, data.data() + 3 * V);
}

TEST(HeroPoses, StartUpBlendIsHalfwayBetweenBlocksTwoAndOne)
{
    std::vector<float> data = makeBlocks(8);
    KeyframeModel model{};
    buildHeroPoses(&model, data.data(), V);
    Hero start;
    float* frame = interpolateFrame(3 * V, model.frames[static_cast<int>(start.prevAnimState)],
                                    model.frames[static_cast<int>(start.animState)], start.animPhase);
    for (int k = 0; k < 3 * V; ++k) {
        EXPECT_FLOAT_EQ(frame[k], 150.0f + k);   // blocks 2 (200 + k) and 1 (100 + k)
    }
    delete[] frame;
}

TEST(ModelFrames, RealMeshesGiveTheDocumentedTables)
{
    buildModelFrames();
    EXPECT_EQ(skyBox.vertexCount, 30);
    EXPECT_EQ(heroModel.vertexCount, 408);
    EXPECT_EQ(heroPoses, heroModel.frames);
    EXPECT_EQ(heroPoses[0], heroPoses[2]);   // Walk0 and Walk2 share block 1
    const KeyframeModel* monsters[] = {&zombieModel, &bigMonsterModel, &robotModel};
    for (const KeyframeModel* m : monsters) {
        EXPECT_EQ(m->vertexCount, 372);
        EXPECT_EQ(m->frames[0], m->frames[40]);
        EXPECT_EQ(m->frames[0], m->frames[80]);
        for (int k = 0; k < 3 * 372; ++k) {
            ASSERT_FLOAT_EQ(m->frames[10][k], 0.5f * m->frames[0][k] + 0.5f * m->frames[20][k]) << k;
        }
    }
}

// Static arrays: the flip remembers arrays by address, so these must not be recycled heap.
float skyData[8 * V];
float heroData[8 * V * 8];
float zombieData[8 * V * 4];
float bigData[8 * V * 4];
float robotData[8 * V * 4];

TEST(FlipTexCoords, NegatesEveryTOnceAndLeavesS)
{
    float* all[] = {skyData, heroData, zombieData, bigData, robotData};
    for (float* d : all) {
        for (int v = 0; v < V; ++v) {
            d[3 * V + 2 * v] = 0.25f + v;      // s
            d[3 * V + 2 * v + 1] = 0.5f + v;   // t
        }
    }
    buildStaticModel(&skyBox, skyData, V);
    buildHeroPoses(&heroModel, heroData, V);
    buildMonsterFrames(&zombieModel, zombieData, V);
    buildMonsterFrames(&bigMonsterModel, bigData, V);
    buildMonsterFrames(&robotModel, robotData, V);
    flipModelTexCoords();
    flipModelTexCoords();   // a second call must not flip back
    // Rebuilding the tables over the same data does not reopen the data to another flip.
    buildHeroPoses(&heroModel, heroData, V);
    flipModelTexCoords();
    for (float* d : all) {
        for (int v = 0; v < V; ++v) {
            EXPECT_EQ(d[3 * V + 2 * v], 0.25f + v);
            EXPECT_EQ(d[3 * V + 2 * v + 1], -(0.5f + v));
        }
    }
}

} // namespace
