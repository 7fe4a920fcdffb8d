// tests/gl/gl_test_window.h — the one real OpenGL window that the GL tests share.
#pragma once
#include <cstdint>

struct Rgb {
    int r, g, b;
};

constexpr int TestWindowWidth = 640;
constexpr int TestWindowHeight = 480;

// Opens (once per test program) a 640 x 480 window the way the game does, and clears it.
void openTestWindow();
// The colour of window pixel (x, y), counted from the top-left corner; read before swapping.
Rgb readPixel(int x, int y);
// True when every channel of a is within tolerance of b.
bool closeTo(Rgb a, Rgb b, int tolerance = 8);
