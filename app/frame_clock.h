// app/frame_clock.h — frame pacing at one frame per 16 ms, and the date and clock texts.
#pragma once
#include <cstdint>
#include <ctime>

// Written by paceFrame; the game state reads the ticks and the rate, the pause menu the texts.
extern int32_t lastTicks;
extern int32_t frameMillis;
extern float framesPerSecond;
extern char dateText[256];
extern char clockText[256];

// Advances the frame mark for a frame that ended at nowTicks; returns the milliseconds to wait.
int32_t advanceFrameMark(int32_t nowTicks);
// Writes dateText and clockText for a broken-down local time.
void buildClockTexts(const std::tm& localTime);
// Waits so a frame lasts at least 16 ms, measures it and rebuilds the texts.
void paceFrame();
