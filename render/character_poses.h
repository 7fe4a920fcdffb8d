// render/character_poses.h — the joint turns of every pose block of the four characters: the
// rest pose (block 0), then the key poses the animation frames are made of (render/models.h).
#pragma once
#include "render/mesh_builder.h"
#include "render/model_meshes.h"

// Block 0 is the rest pose of each character; which blocks make which animation frames is
// decided in render/models.cpp.
extern const PoseDesc HeroKeyPoses[HeroBlockCount];
extern const PoseDesc ZombieKeyPoses[MonsterBlockCount];
extern const PoseDesc BigMonsterKeyPoses[MonsterBlockCount];
extern const PoseDesc RobotKeyPoses[MonsterBlockCount];
