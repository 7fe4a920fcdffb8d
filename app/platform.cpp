// The desktop's side of app/platform.h: Linux with glibc, SDL on X11.
#include "app/platform.h"

#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <SDL/SDL_rwops.h>
#include <X11/Xlib.h>
#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "app/image_check.h"
#include "app/plain_file.h"

// A launcher or service may start the game with a standard descriptor closed. The next file or
// socket opened would take its number: with 2 closed, the X connection did, every line meant for
// standard error went into the X stream, and the game hung in its next X call.
static void openClosedStandardDescriptors()
{
    for (int fd = 0; fd <= 2; ++fd) {
        if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) {
            continue;
        }
        // The lowest free number, which is fd itself, since the ones below it are open by now.
        int opened = open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
        if (opened > fd) {
            dup2(opened, fd);
            close(opened);
        }
    }
}

// Without a handler a failed allocation throws, and nothing catches it: the C++ runtime aborts
// with its own words. write() and _exit() need no memory of their own to say so and end.
[[noreturn]] static void outOfMemory()
{
    static const char line[] =
        "Lornhaven: out of memory; close other programs or raise the memory limit (ulimit -v) and start again\n";
    ssize_t written = write(STDERR_FILENO, line, sizeof line - 1);
    (void)written;
    _exit(OutOfMemoryStatus);
}

// The software renderer allocates and frees a block for every draw call. With glibc's default
// trimming the top of the heap goes back to the system after each and is faulted in again by the
// next, which made a frame of a few thousand small draws (a crowd of monsters is one each)
// several times slower than the drawing itself.
static void keepFreedMemory()
{
    mallopt(M_TRIM_THRESHOLD, 256 * 1024 * 1024);
}

void prepareProcess()
{
    openClosedStandardDescriptors();
    std::set_new_handler(outOfMemory);
    keepFreedMemory();
}

// Without a display SDL 1.2 falls back from X11 to its text-mode drivers (libcaca, aalib), which
// take over the player's terminal and can never give an OpenGL window; SDL 2 under sdl12-compat
// (1.2.50 on) falls back to drivers that draw nowhere, and the game would run unseen. Unless the
// player names a driver in SDL_VIDEODRIVER, only the window systems are tried.
static void keepToWindowSystem()
{
    const SDL_version* linked = SDL_Linked_Version();
    bool overSdl2 = linked->major > 1 || linked->minor > 2 || linked->patch >= 50;
    setenv("SDL_VIDEODRIVER", overSdl2 ? "x11,wayland" : "x11", 0);
}

// SDL 1.2 asks GLX for a DirectColor visual first, to set gamma ramps through its colour map,
// and fills that map from a table of 256 entries on its stack; a 30-bit screen's visuals have
// 1024, and the game died on its own overwritten stack. The game sets no gamma: a TrueColor
// visual shows the same pixels on every depth. (SDL 2 reads no such variable.)
static void avoidColourMappedVisuals()
{
    setenv("SDL_VIDEO_X11_NODIRECTCOLOR", "1", 0);
}

static XErrorHandler earlierXErrorHandler = nullptr;
static bool settingGlMode = false;

// Xlib's own handler prints the raw request and ends with status 1. While the OpenGL mode is
// being set an error means the server refused what OpenGL needs; the usual case is indirect GLX
// (LIBGL_ALWAYS_INDIRECT, often set for ssh -X, or no direct driver to fall back on), which
// current servers refuse unless started with +iglx. A handler may make no X request, and the
// game cannot go on: one line, status 3.
static int onXError(Display* display, XErrorEvent* error)
{
    if (!settingGlMode) {
        return earlierXErrorHandler != nullptr ? earlierXErrorHandler(display, error) : 0;
    }
    char text[128];
    XGetErrorText(display, error->error_code, text, sizeof text);
    std::fprintf(stderr,
        "Lornhaven: the X server refused the OpenGL window (%s, request %d.%d); where OpenGL has to "
        "go through the X server (LIBGL_ALWAYS_INDIRECT set, or Mesa's drivers missing) the server "
        "must allow indirect GLX (+iglx): unset LIBGL_ALWAYS_INDIRECT, or play on the machine the "
        "display belongs to\n",
        text, error->request_code, error->minor_code);
    std::exit(3);
}

void prepareWindowSystem()
{
    keepToWindowSystem();
    avoidColourMappedVisuals();
    // SDL keeps the handler it finds and hands it every error it does not expect itself.
    if (earlierXErrorHandler == nullptr) {
        earlierXErrorHandler = XSetErrorHandler(onXError);
    }
}

void beginGlModeSet()
{
    settingGlMode = true;
}

void endGlModeSet()
{
    settingGlMode = false;
}

// openPlainFile as an SDL data source that closes the file when the source is closed, or null.
static SDL_RWops* openPlainFileSource(const char* path)
{
    std::FILE* file = openPlainFile(path);
    if (file == nullptr) {
        return nullptr;
    }
    SDL_RWops* source = SDL_RWFromFP(file, SDL_TRUE);
    if (source == nullptr) {
        std::fclose(file);
    }
    return source;
}

SDL_Surface* loadPlainImage(const char* path)
{
    return loadCheckedImage(openPlainFile(path));
}

_Mix_Music* loadPlainMusic(const char* path)
{
    SDL_RWops* source = openPlainFileSource(path);
    return source != nullptr ? Mix_LoadMUSType_RW(source, MUS_OGG, 1) : nullptr;
}
