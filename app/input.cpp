#include "app/input.h"

#include <SDL/SDL.h>
#include <cstring>

InputState keyState[KeyStateCount];
InputState mouseButtonState[MouseButtonCount];
int32_t mouseX = 0;
int32_t mouseY = 0;

static void settlePressed(InputState* states, int count)
{
    for (int i = 0; i < count; ++i) {
        if (states[i] == InputState::KeyPressed) {
            states[i] = InputState::KeyHeld;
        }
    }
}

// Codes outside the tables are dropped rather than written past their end.
static void takeKeyEvents(Uint32 mask, InputState newState)
{
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, mask) > 0) {
        // Read the code as a plain number: a stray value need not be a valid SDLKey.
        int32_t code = 0;
        static_assert(sizeof code == sizeof event.key.keysym.sym, "SDLKey is 32 bits");
        std::memcpy(&code, &event.key.keysym.sym, sizeof code);
        if (code >= 0 && code < KeyStateCount) {
            keyState[code] = newState;
        }
    }
}

static void takeButtonEvents(Uint32 mask, InputState newState)
{
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, mask) > 0) {
        int button = event.button.button;
        if (button >= 0 && button < MouseButtonCount) {
            mouseButtonState[button] = newState;
        }
    }
}

void startInput()
{
    SDL_EventState(SDL_MOUSEMOTION, SDL_IGNORE);
}

void updateInput()
{
    settlePressed(keyState, KeyStateCount);
    takeKeyEvents(SDL_KEYDOWNMASK, InputState::KeyPressed);
    takeKeyEvents(SDL_KEYUPMASK, InputState::KeyUp);
    settlePressed(mouseButtonState, MouseButtonCount);
    takeButtonEvents(SDL_MOUSEBUTTONDOWNMASK, InputState::KeyPressed);
    takeButtonEvents(SDL_MOUSEBUTTONUPMASK, InputState::KeyUp);
    int x = 0;
    int y = 0;
    SDL_GetMouseState(&x, &y);
    mouseX = x;
    mouseY = y;
}
