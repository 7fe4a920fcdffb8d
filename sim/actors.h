// sim/actors.h — monsters, the hero and the follow camera.
#pragma once
#include <cstdint>
#include "city/city_grid.h"

enum class ActorKind : int32_t { Zombie = 0, BigMonster = 1, Robot = 2 };
constexpr int ActorKindCount = 3;
extern const float KindRadius[ActorKindCount];
extern const float KindHeight[ActorKindCount];
extern const float KindChaseStep[ActorKindCount];
extern const float KindAnimRate[ActorKindCount];

struct Actor {
    ActorKind kind;
    float x, y, z;
    float heading;
    float animPhase;
};

constexpr int MaxActorsPerCell = 10;
constexpr int MonsterCount = 500;
struct ActorGrid {
    int8_t count[GridSize][GridSize];
    Actor* slots[GridSize][GridSize][MaxActorsPerCell];
};
// Filled by placeInitialActors at start-up, refiled by the monster update; drawing reads it.
extern ActorGrid actorGrid;

enum class HeroAnimState : int32_t {
    Walk0 = 0,
    Walk1 = 1,
    Walk2 = 2,
    Walk3 = 3,
    Airborne = 4,
    Flying = 5,
    PrimaryAttack = 6,
    SecondaryAttack = 7,
};

struct Hero {
    float x = 0, y = 0, z = 0;
    float velocityX = 0, velocityY = 0, velocityZ = 0;
    float heading = 0;
    float health = 100.0f;
    float energy = 100.0f;
    float restTimer = 0;
    bool onGround = false;
    bool flying = false;
    bool primaryAttackPending = false;
    bool secondaryAttackPending = false;
    HeroAnimState animState = HeroAnimState::Walk2;
    HeroAnimState prevAnimState = HeroAnimState::Walk1;
    float animPhase = 0.5f;
    // Cell and level of the position, clamped to the grid while the hero is outside the city.
    int32_t cellX = 0, cellY = 0, cellZ = 0;
};
// Placed by placeHero at start-up, moved by the world update; drawing and the HUD only read it.
extern Hero hero;

struct FollowCamera {
    float yaw = 0;
    float pitch = 0;
    float distance = 45.0f;
    float x = 0, y = 0, z = 0;
};
// Placed with the hero at start-up, moved by the world update; the scene only reads it.
extern FollowCamera followCamera;

// Puts the hero and the camera back to their initial values (positions 0).
void resetHeroAndCamera();
