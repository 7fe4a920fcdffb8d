// Lornhaven in the browser: the same start-up and frames as the desktop game, but the browser
// calls each frame, as a page must return to it between frames instead of looping for ever.
#include <GL/gl.h>
#include <SDL/SDL.h>
#include <emscripten.h>
#include <emscripten/html5.h>
#include <cstdlib>
#include <vector>

#include "app/game_state.h"
#include "overlay/pause_menu.h"
#include "sim/actors.h"
#include "web/browser_sdl.h"

// The frame-time measurement (bench/web) and the browser tests set Module.lornhavenFrames to an
// array: each frame then adds its start and its duration in milliseconds, and the hero's x, z,
// pose and height and the camera's yaw after it (where a touch took the hero, what it did). With
// Module.lornhavenFrameSync set the duration runs until the browser has drawn the frame (a
// one-pixel read waits for that), as the desktop benchmark's runs up to glFinish.
static void recordFrame(double start)
{
    if (EM_ASM_INT({ return Module['lornhavenFrameSync'] ? 1 : 0; }) != 0) {
        unsigned char pixel[4];
        glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    }
    double end = emscripten_get_now();
    EM_ASM({
        if (Module['lornhavenFrames']) {
            Module['lornhavenFrames'].push([$0, $1, $2, $3, $4, $5, $6]);
        }
    }, start, end - start, hero.x, hero.z, followCamera.yaw, static_cast<int>(hero.animState), hero.y);
}

// The page's touch controls depend on the screen: taps are clicks on the splash, the title and
// the pause menu, and only the controls act in play. Each change is told to the page as a
// "lornhavenscreen" event carrying splash, title, play or menu.
EM_JS(void, announceScreen, (int screen), {
    var name = ["splash", "title", "play", "menu"][screen];
    Module["lornhavenScreen"] = name;
    window.dispatchEvent(new CustomEvent("lornhavenscreen", { detail: name }));
});

static void tellScreen()
{
    static int told = -1;
    int screen = (menuOpen || menuFade != 0.0f) ? 3 : static_cast<int>(gameState);
    if (screen == told) {
        return;
    }
    told = screen;
    announceScreen(screen);
}

// The browser tests judge the picture the game drew at its own size, whatever the page's zoom:
// Module.lornhavenGrab, when set to a function, is called once with the canvas's width, height
// and RGBA pixels, bottom row first.
EM_JS(void, handOverGrab, (int width, int height, const unsigned char* pixels), {
    var grab = Module["lornhavenGrab"];
    Module["lornhavenGrab"] = null;
    grab(width, height, HEAPU8.slice(pixels, pixels + width * height * 4));
});

static void grabIfAsked()
{
    if (EM_ASM_INT({ return Module['lornhavenGrab'] ? 1 : 0; }) == 0) {
        return;
    }
    int width = 0;
    int height = 0;
    emscripten_get_canvas_element_size("#canvas", &width, &height);
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    handOverGrab(width, height, pixels.data());
}

static void browserFrame()
{
    if (frameRestPending()) {
        return;
    }
    double start = emscripten_get_now();
    runFrame();
    grabIfAsked();
    recordFrame(start);
    tellScreen();
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
    exportTouchInput();
    emscripten_set_main_loop(browserFrame, 0, 1);
    return 0;
}
