#include "app/video.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <SDL/SDL.h>
#include <cstdlib>

#include "app/settings.h"

#ifndef GL_MULTISAMPLE
#define GL_MULTISAMPLE 0x809D
#endif

static SDL_Surface* screenSurface = nullptr;
const char* const WindowCaption = "Lornhaven - a night in the city of monsters";

static void requestMultisampling(bool on)
{
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, on ? 1 : 0);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, on ? 4 : 0);
}

static SDL_Surface* setGlMode(int width, int height)
{
    Uint32 flags = settings.fullscreen ? (SDL_OPENGL | SDL_FULLSCREEN) : SDL_OPENGL;
    return SDL_SetVideoMode(width, height, settings.screenBpp, flags);
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
    if (SDL_Init(SDL_INIT_VIDEO) < 0) {
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
            SDL_Quit();
            std::exit(3);
        }
        settings.screenWidth = static_cast<float>(desktop->w);
        settings.screenHeight = static_cast<float>(desktop->h);
        settings.screenAspect = settings.screenWidth / settings.screenHeight;
        SDL_FreeSurface(desktop);
    }

    int width = static_cast<int>(settings.screenWidth);
    int height = static_cast<int>(settings.screenHeight);
    screenSurface = setGlMode(width, height);
    if (screenSurface == nullptr && settings.antialiasing) {
        // A display without multisampled visuals still gets a window, only without smoothing.
        requestMultisampling(false);
        screenSurface = setGlMode(width, height);
    }
    if (screenSurface == nullptr) {
        SDL_Quit();
        std::exit(3);
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
