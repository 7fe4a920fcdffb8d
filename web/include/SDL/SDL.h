// SDL as the game includes it, in the browser build. The browser's SDL headers take an event
// range (first and last type) where SDL 1.2 takes a bit mask of types. The game asks for one
// type of event at a time, so here each mask stands for its one type and a call with a mask
// becomes a call with the range of that single type.
#pragma once
#include_next <SDL/SDL.h>

#undef SDL_KEYDOWNMASK
#undef SDL_KEYUPMASK
#undef SDL_MOUSEBUTTONDOWNMASK
#undef SDL_MOUSEBUTTONUPMASK
#define SDL_KEYDOWNMASK SDL_KEYDOWN
#define SDL_KEYUPMASK SDL_KEYUP
#define SDL_MOUSEBUTTONDOWNMASK SDL_MOUSEBUTTONDOWN
#define SDL_MOUSEBUTTONUPMASK SDL_MOUSEBUTTONUP

inline int SDL_PeepEvents(SDL_Event* events, int count, SDL_eventaction action, Uint32 type)
{
    return SDL_PeepEvents(events, count, action, type, type);
}
