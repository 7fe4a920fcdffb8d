#include "sim/hero_animation.h"

#include <cmath>

#include "sim/actors.h"

static bool isWalkState(int32_t state) { return state >= Walk0 && state <= Walk3; }

static int32_t nextAnimState(int32_t old)
{
    if (hero.primaryAttackPending || hero.secondaryAttackPending) {
        int32_t attack = hero.primaryAttackPending ? PrimaryAttack : SecondaryAttack;
        hero.primaryAttackPending = false;
        hero.secondaryAttackPending = false;
        return attack;
    }
    if (!hero.onGround) {
        return hero.flying ? Flying : Airborne;
    }
    switch (old) {
    case Walk0:
        return Walk1;
    case Walk1:
        return Walk2;
    case Walk2:
        return Walk3;
    default:
        return Walk0;
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
        int32_t old = hero.animState;
        hero.prevAnimState = old;
        hero.animPhase = 0.0f;
        hero.animState = nextAnimState(old);
        // The same pose again is held, and decided afresh next update.
        if (hero.animState == old) {
            hero.animPhase = 1.0f;
        }
    }
}
