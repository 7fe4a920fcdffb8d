#include "render/model_meshes.h"

#include "render/character_parts.h"
#include "render/mesh_builder.h"
#include "render/sky_box_mesh.h"

static float* buildCharacter(int character, int vertexCount, int blockCount)
{
    float* data = new float[8 * vertexCount * blockCount];
    buildModelBlocks(characterDescription(character), data);
    return data;
}

float* skyBoxMeshData()
{
    static float* data = buildSkyBoxMesh();
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
