// render/models.h — keyframe models and their animation frame tables.
#pragma once
#include <cstdint>

constexpr int MonsterFrameCount = 81;
constexpr int MonsterFramesPerKey = 20;

struct KeyframeModel {
    int32_t vertexCount;
    float* texCoords;
    float* frames[MonsterFrameCount];
    // The one allocation the model owns: a monster's in-between frames; null for the sky box and
    // the hero, whose frames all point into the mesh data.
    float* inBetweenFrames;
    // A sphere on the vertical axis round every vertex of every frame, so it holds the model at
    // any heading: its centre's height and its radius, in model units; set by the builders.
    float boundCentreY;
    float boundRadius;
};
// Written by buildModelFrames and flipModelTexCoords at start-up; the scene only reads them.
// modelsVersion is raised by every builder below and by each flip, so that what the drawing
// derives from a model is kept until it changes.
extern KeyframeModel skyBox;
extern KeyframeModel heroModel;
extern KeyframeModel zombieModel;
extern KeyframeModel bigMonsterModel;
extern KeyframeModel robotModel;
// The hero's eight key poses, indexed by HeroAnimState (the frames of heroModel).
extern float** heroPoses;
extern uint32_t modelsVersion;

// A new array of n floats blended from `from` to `to` at t; the caller frees it with delete[].
float* interpolateFrame(int n, const float* from, const float* to, float t);
void buildModelFrames();
// Negates every t once, because textures are uploaded top row first.
void flipModelTexCoords();

// The pieces of buildModelFrames, for mesh data in pose blocks of 8 V floats. Each releases what
// the model owned from an earlier build first (tests build more than once).
// The sky box: its one block's positions and texture coordinates.
void buildStaticModel(KeyframeModel* model, float* blocks, int vertexCount);
// The hero: key poses from blocks 1, 2, 1, 3, 4, 5, 6, 7, texture coordinates of block 0.
void buildHeroPoses(KeyframeModel* model, float* blocks, int vertexCount);
// A monster: the 81-frame cycle K1, K2, K1, K3, K1 with 19 blended frames per segment.
void buildMonsterFrames(KeyframeModel* model, float* blocks, int vertexCount);
// The frame of a monster at animation phase p in [0, 4]; a phase outside it stays on the table.
inline int monsterFrameIndex(float animPhase)
{
    int frame = static_cast<int>(animPhase * MonsterFramesPerKey);
    return frame < 0 ? 0 : (frame >= MonsterFrameCount ? MonsterFrameCount - 1 : frame);
}
