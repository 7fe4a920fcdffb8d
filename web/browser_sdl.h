// web/browser_sdl.h — what the browser build's SDL layer tells its frame loop.
#pragma once
#include <cstdint>

// True while the rest of the last frame's 16 ms has not yet passed.
bool frameRestPending();
// Starts listening for the player's first click or key, which lets the page play music.
void watchForFirstGesture();
// Gives the page's touch controls Module.lornhavenKey(code, down), lornhavenButton(button, down)
// and lornhavenPointer(x, y), which feed SDL's queue as the keyboard and the mouse do.
extern "C" void exportTouchInput();
