// render/models.h — keyframe models and their animation frame tables.
#pragma once
#include <cstdint>

constexpr int MonsterFrameCount = 81;

struct KeyframeModel {
    int32_t vertexCount;
    float* texCoords;
    float* frames[MonsterFrameCount];
};
extern KeyframeModel skyBox;
extern KeyframeModel heroModel;
extern KeyframeModel zombieModel;
extern KeyframeModel bigMonsterModel;
extern KeyframeModel robotModel;
// The hero's eight key poses, indexed by HeroAnimState (the frames of heroModel).
extern float** heroPoses;

// A new array of n floats blended from `from` to `to` at t; the caller frees it with delete[].
float* interpolateFrame(int n, const float* from, const float* to, float t);
void buildModelFrames();
// Negates every t once, because textures are uploaded top row first.
void flipModelTexCoords();
