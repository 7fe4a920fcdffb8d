// app/input.h — per-frame keyboard and mouse-button state, polled by every other subsystem.
#pragma once
#include <cstdint>

enum class InputState : int32_t { KeyUp = 0, KeyHeld = 1, KeyPressed = 2 };

constexpr int KeyStateCount = 500;
constexpr int MouseButtonCount = 10;
// Written by updateInput (and by replays and tests in its place); everything else only reads.
extern InputState keyState[KeyStateCount];
extern InputState mouseButtonState[MouseButtonCount];
extern int32_t mouseX;
extern int32_t mouseY;

// Takes key and mouse-button events out of SDL's queue and reads the mouse position.
void updateInput();
