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

// Once SDL's video has started: SDL stops queueing pointer motion, which the game never takes
// out (it reads the position with SDL_GetMouseState, which still follows the pointer). A burst
// of motion would otherwise fill SDL's queue of 128 events and key releases behind it be lost.
void startInput();
// Takes key and mouse-button events out of SDL's queue and reads the mouse position.
void updateInput();
