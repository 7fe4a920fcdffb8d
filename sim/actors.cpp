#include "sim/actors.h"

const float KindRadius[ActorKindCount] = {2.8f, 5.0f, 2.8f};
const float KindHeight[ActorKindCount] = {7.5f, 15.0f, 7.5f};
const float KindChaseStep[ActorKindCount] = {0.15f, 0.16f, 0.25f};
const float KindAnimRate[ActorKindCount] = {0.075f, 0.035f, 0.075f};

ActorGrid actorGrid;
Hero hero;
FollowCamera followCamera;

void resetHeroAndCamera()
{
    hero = Hero{};
    followCamera = FollowCamera{};
}
