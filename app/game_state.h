// app/game_state.h — the top-level game state and the frame loop.
#pragma once
#include <cstdint>

enum class GameState : int32_t { Splash = 0, Title = 1, Playing = 2 };

// Written by the frame loop and the game-state step; main reads quitRequested.
extern GameState gameState;
extern int32_t splashStartTicks;
extern bool quitRequested;
extern bool pastFirstFrame;

// Everything before the first frame, in this order: settings, the random seed from the clock,
// the window, the overlay and the pause menu, then start-up (textures, models, city, music).
// The desktop's main and the browser's both begin with it.
void startGame();
// 60 / fps clamped to [0.2, 2]: how many 60 Hz ticks the last frame took.
float computeStepFactor(float fps);
// Advances and draws the current game state.
void stepGameState();
// One pass of the frame loop, from the clear to the drained event queue.
void runFrame();
