// sim/hero_movement.h — the hero's controls, jumping, flight, energy, facing and damping.
#pragma once

// Key codes and mouse buttons the hero answers to.
constexpr int KeyForward = 119;
constexpr int KeyBack = 115;
constexpr int KeyRight = 100;
constexpr int KeyLeft = 97;
constexpr int KeyArrowUp = 273;
constexpr int KeyArrowDown = 274;
constexpr int KeyArrowRight = 275;
constexpr int KeyArrowLeft = 276;
constexpr int KeyJump = 32;
constexpr int KeyFly = 304;
constexpr int ButtonPrimary = 1;
constexpr int ButtonSecondary = 3;

// Reads the controls: flight, pending attacks, jump, walk, gravity and energy.
void steerHero(float f);
// After collision: ground contact, the velocity actually travelled, facing and damping.
void settleHeroMotion(float f, float x0, float y0, float z0);
