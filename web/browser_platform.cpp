// The browser's side of app/platform.h. The page has no descriptors to guard, no X server and no
// choice of visual: the canvas has one WebGL context or none, and the video wrapper turns none
// into the game's "no video mode" exit. A failed allocation ends in the runtime's own abort,
// which the page shows.
#include "app/platform.h"

#include <SDL/SDL_image.h>
#include <SDL/SDL_mixer.h>

#include "app/plain_file.h"

void prepareProcess() {}

void prepareWindowSystem() {}

void beginGlModeSet() {}

void endGlModeSet() {}

// The page's files are preloaded and decoded by the browser, and its SDL finds them only by
// name: there is no FIFO or device among them to guard against.
SDL_Surface* loadPlainImage(const char* path)
{
    return IMG_Load(path);
}

_Mix_Music* loadPlainMusic(const char* path)
{
    return Mix_LoadMUS(path);
}
