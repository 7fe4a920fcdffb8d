#include "sim/hero_animation.h"

#include <cmath>

#include "sim/actors.h"

static bool isWalkState(HeroAnimState state) { return state >= HeroAnimState::Walk0 && state <= HeroAnimState::Walk3; }

static HeroAnimState nextAnimState(HeroAnimState old)
{
    if (hero.primaryAttackPending || hero.secondaryAttackPending) {
        HeroAnimState attack =
            hero.primaryAttackPending ? HeroAnimState::PrimaryAttack : HeroAnimState::SecondaryAttack;
        hero.primaryAttackPending = false;
        hero.secondaryAttackPending = false;
        return attack;
    }
    if (!hero.onGround) {
        return hero.flying ? HeroAnimState::Flying : HeroAnimState::Airborne;
    }
    switch (old) {
    case HeroAnimState::Walk0:
        return HeroAnimState::Walk1;
    case HeroAnimState::Walk1:
        return HeroAnimState::Walk2;
    case HeroAnimState::Walk2:
        return HeroAnimState::Walk3;
    default:
        return HeroAnimState::Walk0;
    }
}

void updateHeroAnimation(float f)
{
    float rate = 0.075f;
    if (hero.primaryAttackPending || hero.secondaryAttackPending) {
        rate = 0.15f;
    } else if (hero.onGround && isWalkState(hero.prevAnimState) && isWalkState(hero.animState)) {
        rate = 0.4f * std::sqrt(hero.velocityX * hero.velocityX + hero.velocityZ * hero.velocityZ);
    }
    hero.animPhase += rate * f;
    if (hero.animPhase >= 1.0f) {
        HeroAnimState old = hero.animState;
        hero.prevAnimState = old;
        hero.animPhase = 0.0f;
        hero.animState = nextAnimState(old);
        // The same pose again is held, and decided afresh next update.
        if (hero.animState == old) {
            hero.animPhase = 1.0f;
        }
    }
}
