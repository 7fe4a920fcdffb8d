// render/model_meshes.h — the mesh data of the five models, in pose blocks of
// positions (3V floats), texture coordinates (2V, t from the image's bottom row) and normals (3V).
#pragma once

constexpr int SkyBoxVertexCount = 30;
constexpr int HeroVertexCount = 408;
constexpr int MonsterVertexCount = 372;
constexpr int HeroBlockCount = 8;
constexpr int MonsterBlockCount = 4;

// Each returns the model's blocks, built once on first use; the arrays live for the whole run.
float* skyBoxMeshData();
float* heroMeshData();
float* zombieMeshData();
float* bigMonsterMeshData();
float* robotMeshData();
