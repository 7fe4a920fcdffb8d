// Lornhaven in the browser: the same start-up and frames as the desktop game, but the browser
// calls each frame, as a page must return to it between frames instead of looping for ever.
#include <GL/gl.h>
#include <SDL/SDL.h>
#include <emscripten.h>
#include <cstdlib>

#include "app/game_state.h"
#include "web/browser_sdl.h"

// The frame-time measurement (bench/web) sets Module.lornhavenFrames to an array: each frame
// then adds its start and its duration in milliseconds, and with Module.lornhavenFrameSync set
// the duration runs until the browser has drawn the frame (a one-pixel read waits for that),
// as the desktop benchmark's runs up to glFinish.
static void recordFrame(double start)
{
    if (EM_ASM_INT({ return Module['lornhavenFrameSync'] ? 1 : 0; }) != 0) {
        unsigned char pixel[4];
        glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    }
    double end = emscripten_get_now();
    EM_ASM({
        if (Module['lornhavenFrames']) {
            Module['lornhavenFrames'].push([$0, $1]);
        }
    }, start, end - start);
}

static void browserFrame()
{
    if (frameRestPending()) {
        return;
    }
    double start = emscripten_get_now();
    runFrame();
    recordFrame(start);
    if (quitRequested) {
        emscripten_cancel_main_loop();
        SDL_Quit();
        std::exit(0);   // the page shows that the game has ended
    }
}

int main(int, char**)
{
    startGame();
    watchForFirstGesture();
    emscripten_set_main_loop(browserFrame, 0, 1);
    return 0;
}
