// app/key_codes.h — the SDL key codes and mouse buttons the game answers to, as indices into
// keyState and mouseButtonState (app/input.h).
#pragma once

// Play: walking, turning, jumping and flight.
constexpr int KeyForward = 119;     // w
constexpr int KeyBack = 115;        // s
constexpr int KeyRight = 100;       // d
constexpr int KeyLeft = 97;         // a
constexpr int KeyArrowUp = 273;
constexpr int KeyArrowDown = 274;
constexpr int KeyArrowRight = 275;
constexpr int KeyArrowLeft = 276;
constexpr int KeyJump = 32;         // space
constexpr int KeyFly = 304;         // left shift
// The hero's two attacks.
constexpr int ButtonPrimary = 1;
constexpr int ButtonSecondary = 3;

// Leaves the splash and the title screen (the same a that walks left in play).
constexpr int KeyAdvance = 97;
// Opens and closes the pause menu: Escape.
constexpr int KeyMenu = 27;
