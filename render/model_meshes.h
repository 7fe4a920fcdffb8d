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

// The part-and-joint descriptions the characters are built from (render/mesh_builder.h),
// shared with the media generator, which paints the skins to match.
enum CharacterModel { CharacterHero, CharacterZombie, CharacterBigMonster, CharacterRobot, CharacterCount };
struct ModelDesc;
const ModelDesc& characterDescription(int character);

// Where the sky box samples the world atlas, in atlas pixels (y from the top row): the four
// sides side by side as one panorama, then the top.
constexpr int SkyPanoramaX = 16, SkyPanoramaY = 264, SkySideWidth = 120, SkySideHeight = 120;
constexpr int SkyTopX = 16, SkyTopY = 388, SkyTopSize = 116;
