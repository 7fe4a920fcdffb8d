#include "sim/hero_movement.h"

#include <cmath>

#include "app/input.h"
#include "sim/actors.h"
#include "sim/vector_math.h"

static bool keyHeld(int code) { return keyState[code] != InputState::KeyUp; }

static void regenerate(float f)
{
    if (!hero.onGround) {
        return;
    }
    hero.restTimer += 0.1f * f;
    if (hero.restTimer > 5.0f) {
        hero.energy += 0.5f * f;
    }
    if (hero.energy > 100.0f) {
        hero.energy = 100.0f;
    }
}

static void thrust(float f)
{
    // The thrust is per update, not scaled by f.
    addAlongView(hero.velocityX, hero.velocityY, hero.velocityZ, 0.05f);
    hero.energy -= 0.1f * f;
    if (hero.energy < 0.0f) {
        hero.energy = 0.0f;
    }
    hero.restTimer = 0.0f;
}

static void fall(float f) { hero.velocityY -= 0.04f * f; }

static void walk(float f)
{
    float forward = (keyHeld(KeyForward) || keyHeld(KeyArrowUp) ? 1.0f : 0.0f)
        - (keyHeld(KeyBack) || keyHeld(KeyArrowDown) ? 1.0f : 0.0f);
    float side = (keyHeld(KeyRight) || keyHeld(KeyArrowRight) ? 1.0f : 0.0f)
        - (keyHeld(KeyLeft) || keyHeld(KeyArrowLeft) ? 1.0f : 0.0f);
    float m = std::sqrt(forward * forward + side * side);
    if (m > 1.0f) {
        m = 1.0f;
    }
    if (m > 0.1f) {
        float a = followCamera.yaw + std::atan2(side, forward);
        hero.velocityX += std::cos(a) * m * 0.04f * f;
        hero.velocityZ += std::sin(a) * m * 0.04f * f;
    }
    fall(f);
}

void steerHero(float f)
{
    hero.flying = hero.energy > 0.0f && keyHeld(KeyFly);
    if (!hero.primaryAttackPending && !hero.secondaryAttackPending) {
        if (mouseButtonState[ButtonPrimary] == InputState::KeyPressed) {
            hero.primaryAttackPending = true;
        } else if (mouseButtonState[ButtonSecondary] == InputState::KeyPressed) {
            hero.secondaryAttackPending = true;
        }
    }
    if (!hero.onGround) {
        hero.primaryAttackPending = false;
        hero.secondaryAttackPending = false;
    }
    bool jump = keyHeld(KeyJump);
    if (hero.flying) {
        hero.primaryAttackPending = false;
        hero.secondaryAttackPending = false;
        regenerate(f);
        thrust(f);
    } else if (hero.primaryAttackPending || hero.secondaryAttackPending) {
        // No steering until the attack pose starts.
        regenerate(f);
        fall(f);
    } else if (jump && hero.onGround) {
        hero.velocityY = 0.65f;
        regenerate(f);
        walk(f);
    } else if (jump) {
        // Holding jump carries the jump higher until it slows to 0.1.
        if (hero.velocityY > 0.1f) {
            hero.velocityY += (0.08f * hero.velocityY + 0.015f) * f;
        }
        walk(f);
    } else {
        regenerate(f);
        walk(f);
    }
}

void settleHeroMotion(float f, float x0, float y0, float z0)
{
    // On the ground when the world pushed the hero up past where its own speed took it.
    hero.onGround = y0 + hero.velocityY * f + 0.0001f < hero.y;
    hero.velocityX = (hero.x - x0) / f;
    hero.velocityY = (hero.y - y0) / f;
    hero.velocityZ = (hero.z - z0) / f;

    float s = std::sqrt(hero.velocityX * hero.velocityX + hero.velocityZ * hero.velocityZ);
    if (s > 0.0f) {
        hero.heading += 0.25f * s * wrappedAngleDelta(hero.heading, std::atan2(hero.velocityZ, hero.velocityX));
    }

    if (hero.flying) {
        hero.velocityX -= f * 0.02f * hero.velocityX;
        hero.velocityY -= f * 0.02f * hero.velocityY;
        hero.velocityZ -= f * 0.02f * hero.velocityZ;
    } else {
        hero.velocityX -= f * 0.09f * hero.velocityX;
        hero.velocityZ -= f * 0.09f * hero.velocityZ;
        hero.velocityY -= f * 0.04f * hero.velocityY;
    }
}
