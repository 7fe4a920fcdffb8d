#include "app/game_state.h"

#include <GL/gl.h>
#include <SDL/SDL.h>
#include <cstdlib>
#include <ctime>

#include "app/frame_clock.h"
#include "app/input.h"
#include "app/key_codes.h"
#include "app/settings.h"
#include "app/startup.h"
#include "app/video.h"
#include "overlay/dashboard.h"
#include "overlay/pause_menu.h"
#include "render/scene.h"
#include "render/screens.h"
#include "sim/world_update.h"

GameState gameState = GameState::Splash;
int32_t splashStartTicks = 0;
bool quitRequested = false;
static bool hasMouseFocus = false;
bool pastFirstFrame = false;

static constexpr int32_t SplashMillis = 5000;

void startGame()
{
    loadSettings();
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    openVideo();
    startInput();
    initOverlay();
    initPauseScreen();
    startUp();
}

float computeStepFactor(float fps)
{
    // Before the first paced frame fps is 0: the slowest step, as 60 / 0 would clamp to.
    if (!(fps > 0.0f)) {
        return 2.0f;
    }
    float factor = 60.0f / fps;
    if (factor < 0.2f) {
        factor = 0.2f;
    }
    if (factor > 2.0f) {
        factor = 2.0f;
    }
    return factor;
}

static bool advancePressed()
{
    return mouseButtonState[SDL_BUTTON_LEFT] == InputState::KeyPressed ||
           keyState[KeyAdvance] == InputState::KeyPressed;
}

void stepGameState()
{
    float stepFactor = computeStepFactor(framesPerSecond);
    if (splashStartTicks == 0) {
        splashStartTicks = lastTicks;
    }
    switch (gameState) {
    case GameState::Splash:
        drawSplashScreen();
        if (lastTicks > splashStartTicks + SplashMillis || advancePressed()) {
            gameState = GameState::Title;
        }
        break;
    case GameState::Title:
        drawTitleScreen();
        if (advancePressed()) {
            gameState = GameState::Playing;
        }
        break;
    case GameState::Playing:
        updateWorld(stepFactor);
        drawScene();
        drawHud();
        break;
    default:
        break;
    }
}

static void drainEventQueue()
{
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_ALLEVENTS) > 0) {
        if (event.type == SDL_QUIT) {
            quitRequested = true;
        }
    }
}

void runFrame()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    SDL_PumpEvents();
    updateInput();
    if (menuFade == 0.0f) {
        stepGameState();
    }
    paceFrame();
    updateMenu(1.0f);
    if (menuFade != 0.0f && runPauseMenu()) {
        quitRequested = true;
    }
    hasMouseFocus = (SDL_GetAppState() & SDL_APPMOUSEFOCUS) != 0;
    if (pastFirstFrame && hasMouseFocus) {
        drawPointer(mouseX, mouseY);
    }
    pastFirstFrame = true;
    SDL_GL_SwapBuffers();
    drainEventQueue();
}
