// sim/hero_movement.h — the hero's controls, jumping, flight, energy, facing and damping.
#pragma once
// The keys and buttons the hero answers to.
#include "app/key_codes.h"

// Reads the controls: flight, pending attacks, jump, walk, gravity and energy.
void steerHero(float f);
// After collision: ground contact, the velocity actually travelled, facing and damping.
void settleHeroMotion(float f, float x0, float y0, float z0);
