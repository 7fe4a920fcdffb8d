#include "render/models.h"

#include "render/model_meshes.h"
#include "render/tex_coords.h"

#include <algorithm>
#include <cmath>

KeyframeModel skyBox;
KeyframeModel heroModel;
KeyframeModel zombieModel;
KeyframeModel bigMonsterModel;
KeyframeModel robotModel;
float** heroPoses = heroModel.frames;
uint32_t modelsVersion = 1;

static constexpr int HeroPoseCount = 8;
static constexpr int HeroPoseBlocks[HeroPoseCount] = {1, 2, 1, 3, 4, 5, 6, 7};
// The monsters' looping key sequence, one segment between each neighbouring pair.
static constexpr int MonsterKeyBlocks[5] = {1, 2, 1, 3, 1};
static constexpr int MonsterSegmentCount = 4;

static float* positionsOf(float* blocks, int vertexCount, int block) { return blocks + 8 * vertexCount * block; }
static float* texCoordsOf(float* blocks, int vertexCount, int block) { return blocks + 8 * vertexCount * block + 3 * vertexCount; }

static void blendInto(float* out, int n, const float* from, const float* to, float t)
{
    for (int k = 0; k < n; ++k) {
        out[k] = from[k] * (1.0f - t) + to[k] * t;
    }
}

static void boundFrames(KeyframeModel* model)
{
    float low = 0.0f, high = 0.0f;
    bool any = false;
    for (const float* frame : model->frames) {
        for (int v = 0; frame != nullptr && v < model->vertexCount; ++v) {
            low = any ? std::min(low, frame[3 * v + 1]) : frame[3 * v + 1];
            high = any ? std::max(high, frame[3 * v + 1]) : frame[3 * v + 1];
            any = true;
        }
    }
    model->boundCentreY = 0.5f * (low + high);
    float squared = 0.0f;
    for (const float* frame : model->frames) {
        for (int v = 0; frame != nullptr && v < model->vertexCount; ++v) {
            float dy = frame[3 * v + 1] - model->boundCentreY;
            squared = std::max(squared, frame[3 * v] * frame[3 * v] + dy * dy + frame[3 * v + 2] * frame[3 * v + 2]);
        }
    }
    // A hair more than the farthest vertex, for the rounding of the square root.
    model->boundRadius = std::sqrt(squared) * 1.0001f + 1.0e-4f;
}

float* interpolateFrame(int n, const float* from, const float* to, float t)
{
    float* out = new float[n];
    blendInto(out, n, from, to, t);
    return out;
}

// Frees what an earlier build left and empties the record.
static void resetModel(KeyframeModel* model)
{
    delete[] model->inBetweenFrames;
    *model = KeyframeModel{};
    ++modelsVersion;
}

void buildStaticModel(KeyframeModel* model, float* blocks, int vertexCount)
{
    resetModel(model);
    model->vertexCount = vertexCount;
    model->texCoords = texCoordsOf(blocks, vertexCount, 0);
    model->frames[0] = positionsOf(blocks, vertexCount, 0);
    boundFrames(model);
}

void buildHeroPoses(KeyframeModel* model, float* blocks, int vertexCount)
{
    resetModel(model);
    model->vertexCount = vertexCount;
    model->texCoords = texCoordsOf(blocks, vertexCount, 0);
    for (int pose = 0; pose < HeroPoseCount; ++pose) {
        model->frames[pose] = positionsOf(blocks, vertexCount, HeroPoseBlocks[pose]);
    }
    boundFrames(model);
}

void buildMonsterFrames(KeyframeModel* model, float* blocks, int vertexCount)
{
    resetModel(model);
    model->vertexCount = vertexCount;
    model->texCoords = texCoordsOf(blocks, vertexCount, 0);

    // The in-between frames of one model share one allocation.
    int n = 3 * vertexCount;
    float* inBetween = new float[MonsterSegmentCount * (MonsterFramesPerKey - 1) * n];
    model->inBetweenFrames = inBetween;
    for (int segment = 0; segment < MonsterSegmentCount; ++segment) {
        const float* from = positionsOf(blocks, vertexCount, MonsterKeyBlocks[segment]);
        const float* to = positionsOf(blocks, vertexCount, MonsterKeyBlocks[segment + 1]);
        model->frames[MonsterFramesPerKey * segment] = const_cast<float*>(from);
        for (int i = 1; i < MonsterFramesPerKey; ++i) {
            float t = static_cast<float>(i) / static_cast<float>(MonsterFramesPerKey);
            float* frame = inBetween + (segment * (MonsterFramesPerKey - 1) + (i - 1)) * n;
            blendInto(frame, n, from, to, t);
            model->frames[MonsterFramesPerKey * segment + i] = frame;
        }
    }
    model->frames[MonsterFrameCount - 1] = positionsOf(blocks, vertexCount, MonsterKeyBlocks[4]);
    boundFrames(model);
}

void buildModelFrames()
{
    buildStaticModel(&skyBox, skyBoxMeshData(), SkyBoxVertexCount);
    buildHeroPoses(&heroModel, heroMeshData(), HeroVertexCount);
    buildMonsterFrames(&zombieModel, zombieMeshData(), MonsterVertexCount);
    buildMonsterFrames(&bigMonsterModel, bigMonsterMeshData(), MonsterVertexCount);
    buildMonsterFrames(&robotModel, robotMeshData(), MonsterVertexCount);
}

void flipModelTexCoords()
{
    // The coordinates live in the mesh data, which outlives any rebuild of the models: remember
    // which arrays are already flipped so that no array is ever flipped back.
    static const float* flipped[32];
    static int flippedCount = 0;
    KeyframeModel* models[] = {&skyBox, &heroModel, &zombieModel, &bigMonsterModel, &robotModel};
    for (KeyframeModel* model : models) {
        bool done = model->texCoords == nullptr;
        for (int i = 0; i < flippedCount && !done; ++i) {
            done = flipped[i] == model->texCoords;
        }
        if (done) {
            continue;
        }
        flipTexCoordRows(model->texCoords, model->vertexCount);
        ++modelsVersion;
        if (flippedCount < 32) {
            flipped[flippedCount++] = model->texCoords;
        }
    }
}
