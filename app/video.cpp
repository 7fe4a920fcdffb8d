#include "app/video.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <SDL/SDL.h>
#include <cstdio>
#include <cstdlib>

#include "app/platform.h"
#include "app/settings.h"

static SDL_Surface* screenSurface = nullptr;
const char* const WindowCaption = "Lornhaven - a night in the city of monsters";

// Neither X nor OpenGL draws a window side longer than this; X wraps a larger size (a height of
// 99999 becomes 34463) into a window that never shows a picture.
static constexpr int MaxWindowSide = 16384;

// Ends the game with status 3 after one line naming the mode asked for (0 x 0: the desktop's
// size, asked for to learn it) and the keys that choose it.
[[noreturn]] static void noVideoMode(int width, int height, const char* reason)
{
    char depth[32];
    if (settings.screenBpp == 0) {
        std::snprintf(depth, sizeof depth, "the desktop's depth");
    } else {
        std::snprintf(depth, sizeof depth, "%d bits per pixel", static_cast<int>(settings.screenBpp));
    }
    char mode[96];
    if (width == 0 && height == 0) {
        std::snprintf(mode, sizeof mode, "a window of the desktop's size");
    } else if (settings.fullscreen) {
        std::snprintf(mode, sizeof mode, "a %d x %d OpenGL mode in full screen", width, height);
    } else {
        std::snprintf(mode, sizeof mode, "a %d x %d OpenGL window", width, height);
    }
    std::fprintf(stderr,
        "Lornhaven: cannot open %s at %s (%s); change screenw, screenh, screenbpp or fullscreen in settings.ini\n",
        mode, depth, reason);
    SDL_Quit();
    std::exit(3);
}

static void requestMultisampling(bool on)
{
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, on ? 1 : 0);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, on ? 4 : 0);
}

static SDL_Surface* setGlMode(int width, int height)
{
    Uint32 flags = settings.fullscreen ? (SDL_OPENGL | SDL_FULLSCREEN) : SDL_OPENGL;
    beginGlModeSet();
    SDL_Surface* surface = SDL_SetVideoMode(width, height, settings.screenBpp, flags);
    endGlModeSet();
    return surface;
}

static void setGlobalDrawingState()
{
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClearDepth(1000.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glFrontFace(GL_CCW);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glAlphaFunc(GL_GREATER, 0.0f);
}

void openGlWindow()
{
    prepareWindowSystem();
    if (SDL_Init(SDL_INIT_VIDEO) < 0) {
        std::fprintf(stderr, "Lornhaven: the video system could not start (%s); the game needs an X display\n",
            SDL_GetError());
        std::exit(1);
    }
    SDL_WM_SetCaption(WindowCaption, nullptr);

    // Context attributes only take effect before the mode is set.
    if (settings.antialiasing) {
        requestMultisampling(true);
        SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 5);
        SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 5);
        SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 5);
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    }

    if (static_cast<int>(settings.screenWidth) == 0 || static_cast<int>(settings.screenHeight) == 0) {
        // Asking for a 0 size makes SDL 1.2 answer with the desktop's size, but only in the
        // dimension that is 0: ask with both at 0 so that the whole request is replaced.
        SDL_Surface* desktop = SDL_SetVideoMode(0, 0, settings.screenBpp, SDL_DOUBLEBUF);
        if (desktop == nullptr) {
            noVideoMode(0, 0, SDL_GetError());
        }
        settings.screenWidth = static_cast<float>(desktop->w);
        settings.screenHeight = static_cast<float>(desktop->h);
        settings.screenAspect = settings.screenWidth / settings.screenHeight;
        SDL_FreeSurface(desktop);
    }

    int width = static_cast<int>(settings.screenWidth);
    int height = static_cast<int>(settings.screenHeight);
    if (width > MaxWindowSide || height > MaxWindowSide) {
        noVideoMode(width, height, "wider or taller than the 16384 pixels X and OpenGL can draw");
    }
    screenSurface = setGlMode(width, height);
    if (screenSurface == nullptr && settings.antialiasing) {
        // A display without multisampled visuals still gets a window, only without smoothing.
        requestMultisampling(false);
        screenSurface = setGlMode(width, height);
    }
    if (screenSurface == nullptr) {
        noVideoMode(width, height, SDL_GetError());
    }

    if (settings.antialiasing) {
        glEnable(GL_MULTISAMPLE);
        glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
        glHint(GL_POLYGON_SMOOTH_HINT, GL_NICEST);
        glEnable(GL_LINE_SMOOTH);
        glEnable(GL_POLYGON_SMOOTH);
    }

    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, settings.screenAspect, 1.0, 1000.0);
    glMatrixMode(GL_MODELVIEW);
    setGlobalDrawingState();
}

void openVideo()
{
    openGlWindow();
    settings.screenWidth = static_cast<float>(screenSurface->w);
    settings.screenHeight = static_cast<float>(screenSurface->h);
    settings.screenBpp = screenSurface->format->BitsPerPixel;
    settings.screenAspect = settings.screenWidth / settings.screenHeight;
    SDL_ShowCursor(settings.showCursor ? 1 : 0);
}
