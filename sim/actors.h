// sim/actors.h — monsters, the hero and the follow camera.
#pragma once
#include <cstdint>
#include "city/city_grid.h"

enum ActorKind : int32_t { Zombie = 0, BigMonster = 1, Robot = 2 };
constexpr int ActorKindCount = 3;
extern const float KindRadius[ActorKindCount];
extern const float KindHeight[ActorKindCount];
extern const float KindChaseStep[ActorKindCount];
extern const float KindAnimRate[ActorKindCount];

struct Actor {
    int32_t kind;
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
extern ActorGrid actorGrid;

enum HeroAnimState : int32_t {
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
    float x, y, z;
    float velocityX, velocityY, velocityZ;
    float heading;
    float health;
    float energy;
    float restTimer;
    bool onGround;
    bool flying;
    bool primaryAttackPending;
    bool secondaryAttackPending;
    int32_t animState;
    int32_t prevAnimState;
    float animPhase;
    int32_t cellX, cellY, cellZ;
};
extern Hero hero;

struct FollowCamera {
    float yaw;
    float pitch;
    float distance;
    float x, y, z;
};
extern FollowCamera followCamera;

// Puts the hero and the camera back to their initial values (positions 0).
void resetHeroAndCamera();
