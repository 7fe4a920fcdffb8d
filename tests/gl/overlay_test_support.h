// tests/gl/overlay_test_support.h — a dashboard image of known colours and real input for the overlay tests.
#pragma once
#include "tests/gl/gl_test_window.h"

// Picture layout of the test image (640 x 240, smaller than the atlas so the padding is exercised):
// glyph cells opaque only in their middle 10 columns, frame pieces and panels opaque in one colour
// each, the pointer opaque in its left 30 columns with a marked hot spot.
Rgb glyphColour(int code);
Rgb frameColour(int style, int piece);
const Rgb PointerColour{255, 0, 255};
const Rgb HotSpotColour{0, 255, 255};
const Rgb TopPanelColour{0, 0, 180};
const Rgb BottomPanelColour{0, 120, 0};
const Rgb ClearColour{0, 0, 0};
// The one half-transparent texel of the picture, inside the pointer's transparent columns.
constexpr int HalfAlphaX = 440 + 35;
constexpr int HalfAlphaY = 60 + 50;
constexpr int HalfAlpha = 128;

// Opens the test window and runs initOverlay and initPauseScreen on the test image (as
// Media/dashboard.png of a scratch working folder); the atlas and texture of an earlier call are
// freed first.
void useTestDashboard();
// The same with no Media/dashboard.png at all; returns what initOverlay wrote to stderr.
const char* useMissingDashboard();

// Moves the real pointer (SDL_WarpMouse) and waits until SDL reports the new position.
void moveMouseTo(int x, int y);
// Queues a real key or left-button event, as the window system would.
void pushKey(int sym, bool down);
void pushLeftButton(bool down, int x, int y);
