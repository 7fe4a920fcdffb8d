// SDL in the browser behaves like the desktop's where the game relies on it. The game calls SDL
// as everywhere; the linker routes the calls named __wrap_* here, and SDL_Delay is our own.
#include "web/browser_sdl.h"

#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <emscripten.h>
#include <emscripten/html5.h>

extern "C" SDL_Surface* __real_SDL_SetVideoMode(int width, int height, int bpp, Uint32 flags);
extern "C" int __real_SDL_PeepEvents(SDL_Event* events, int count, SDL_eventaction action,
    Uint32 firstType, Uint32 lastType);
extern "C" Uint8 __real_SDL_GetAppState();
extern "C" int __real_SDL_ShowCursor(int toggle);
extern "C" int __real_Mix_PlayMusic(Mix_Music* music, int loops);

static const char* const CanvasTarget = "#canvas";

// Frame pacing. Sleeping would freeze the page: the rest of a short frame is waited out by the
// frame loop, which skips the browser's frame callbacks until it has passed.
static Uint32 frameRestEnd = 0;

extern "C" void SDL_Delay(Uint32 millis)
{
    frameRestEnd = SDL_GetTicks() + millis;
}

bool frameRestPending()
{
    return static_cast<int32_t>(SDL_GetTicks() - frameRestEnd) < 0;
}

// The video mode.
extern "C" SDL_Surface* __wrap_SDL_SetVideoMode(int width, int height, int bpp, Uint32 flags)
{
    if ((flags & SDL_OPENGL) == 0 && width == 0 && height == 0) {
        // The desktop-size probe. The browser's SDL would give the page's canvas a 2D context
        // here, after which it can have no WebGL one: answer with the viewport's size instead.
        int viewportWidth = EM_ASM_INT({ return window.innerWidth; });
        int viewportHeight = EM_ASM_INT({ return window.innerHeight; });
        return SDL_CreateRGBSurface(SDL_SWSURFACE, viewportWidth, viewportHeight, 32,
            0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000);
    }
    SDL_Surface* surface = __real_SDL_SetVideoMode(width, height, bpp, flags);
    if (surface != nullptr && (flags & SDL_OPENGL) != 0 && emscripten_webgl_get_current_context() == 0) {
        return nullptr;   // no WebGL context: the game's "no video mode" exit
    }
    return surface;
}

// Keys. The browser's SDL reports keys without a character by newer SDL codes (scancode | 1 << 10);
// the game reads the SDL 1.2 codes, all below 500.

static int32_t classicKeyCode(int32_t code)
{
    switch (code) {
    case 1106: return 273;   // up
    case 1105: return 274;   // down
    case 1103: return 275;   // right
    case 1104: return 276;   // left
    case 1253: return 303;   // right shift
    case 1249: return 304;   // left shift
    case 1252: return 305;   // right ctrl
    case 1248: return 306;   // left ctrl
    case 1254: return 307;   // right alt
    case 1250: return 308;   // left alt
    default: return code;
    }
}

extern "C" int __wrap_SDL_PeepEvents(SDL_Event* events, int count, SDL_eventaction action,
    Uint32 firstType, Uint32 lastType)
{
    int taken = __real_SDL_PeepEvents(events, count, action, firstType, lastType);
    for (int i = 0; events != nullptr && i < taken; ++i) {
        if (events[i].type == SDL_KEYDOWN || events[i].type == SDL_KEYUP) {
            events[i].key.keysym.sym = static_cast<SDL_Keycode>(classicKeyCode(events[i].key.keysym.sym));
        }
    }
    return taken;
}

// The browser's SDL has no SDL_EventState, and its queue has no limit that pointer motion could
// fill: every kind of event stays queued as before.
extern "C" Uint8 SDL_EventState(Uint32, int)
{
    return SDL_ENABLE;
}

// Mouse focus. The browser's SDL reports it only under pointer lock; the game draws its pointer
// while the mouse is over the window, so report that, as the desktop does. Touches are no mouse
// there: on a touch device the game's pointer stays hidden.
static bool pointerOverCanvas = false;

static EM_BOOL onPointerCrossing(int eventType, const EmscriptenMouseEvent*, void*)
{
    pointerOverCanvas = eventType == EMSCRIPTEN_EVENT_MOUSEENTER || eventType == EMSCRIPTEN_EVENT_MOUSEMOVE;
    return EM_FALSE;
}

extern "C" Uint8 __wrap_SDL_GetAppState()
{
    static bool watching = false;
    if (!watching) {
        watching = true;
        emscripten_set_mouseenter_callback(CanvasTarget, nullptr, EM_FALSE, onPointerCrossing);
        emscripten_set_mousemove_callback(CanvasTarget, nullptr, EM_FALSE, onPointerCrossing);
        emscripten_set_mouseleave_callback(CanvasTarget, nullptr, EM_FALSE, onPointerCrossing);
    }
    Uint8 state = __real_SDL_GetAppState() & static_cast<Uint8>(~SDL_APPMOUSEFOCUS);
    return pointerOverCanvas ? static_cast<Uint8>(state | SDL_APPMOUSEFOCUS) : state;
}

// Outside full screen the browser's SDL leaves the system cursor on; hide it over the canvas.
extern "C" int __wrap_SDL_ShowCursor(int toggle)
{
    if (toggle == SDL_DISABLE) {
        EM_ASM({ Module['canvas'].style.cursor = "none"; });
        return SDL_DISABLE;
    }
    if (toggle == SDL_ENABLE) {
        EM_ASM({ Module['canvas'].style.cursor = ""; });
    }
    return __real_SDL_ShowCursor(toggle);
}

// Music. Browsers play no sound before the player has clicked or pressed a key on the page: the
// game's request to play is kept and carried out at the first such gesture.

static Mix_Music* requestedMusic = nullptr;
static int requestedLoops = 0;
static bool musicRequested = false;
static bool gestureSeen = false;

static void playRequestedMusic()
{
    if (!musicRequested || requestedMusic == nullptr) {
        return;
    }
    musicRequested = false;
    __real_Mix_PlayMusic(requestedMusic, requestedLoops);
    // Keep the playing element in the page, where the player's browser shows and controls it.
    EM_ASM({
        var audio = SDL.music.audio;
        if (audio && audio.nodeType) {
            audio.id = 'music';
            document.body.appendChild(audio);
        }
    });
}

extern "C" int __wrap_Mix_PlayMusic(Mix_Music* music, int loops)
{
    requestedMusic = music;
    requestedLoops = loops;
    musicRequested = true;
    if (gestureSeen) {
        playRequestedMusic();
    }
    return music != nullptr ? 0 : -1;
}

// Escape and a few other keys do not count as the player's activation in browsers.
static bool pageActivated()
{
    return EM_ASM_INT({
        return (navigator.userActivation === undefined || navigator.userActivation.isActive) ? 1 : 0;
    }) != 0;
}

static void onGesture()
{
    if (gestureSeen || !pageActivated()) {
        return;
    }
    gestureSeen = true;
    playRequestedMusic();
}

static EM_BOOL onMouseDown(int, const EmscriptenMouseEvent*, void*)
{
    onGesture();
    return EM_FALSE;
}

static EM_BOOL onKeyDown(int, const EmscriptenKeyboardEvent*, void*)
{
    onGesture();
    return EM_FALSE;
}

static EM_BOOL onTouchEnd(int, const EmscriptenTouchEvent*, void*)
{
    onGesture();
    return EM_FALSE;
}

void watchForFirstGesture()
{
    emscripten_set_mousedown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, onMouseDown);
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, onKeyDown);
    emscripten_set_touchend_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, onTouchEnd);
}

// The page's touch controls (touch_controls.js) reach the game through Module.lornhavenKey,
// lornhavenButton and lornhavenPointer. Each puts into SDL's queue the event that the keyboard or
// the mouse would, so the game reads a touch exactly as it reads them: keys by the game's SDL 1.2
// code, buttons 1 and 3, and the pointer in canvas pixels.
EM_JS(void, exportTouchInput, (), {
    // The browser's key code of each key the controls press (shift on its left).
    var domKeys = { 119: 87, 97: 65, 115: 83, 100: 68, 32: 32, 304: 16, 27: 27 };
    var pointer = { x: 0, y: 0 };
    // SDL maps page coordinates back to the canvas and truncates: aim at the pixel's middle.
    function pagePoint(x, y) {
        var canvas = Module["canvas"];
        var box = canvas.getBoundingClientRect();
        return {
            pageX: window.scrollX + box.left + (x + 0.5) * box.width / canvas.width,
            pageY: window.scrollY + box.top + (y + 0.5) * box.height / canvas.height
        };
    }
    Module["lornhavenKey"] = function(code, down) {
        if (domKeys[code] !== undefined) {
            SDL.events.push({ type: down ? "keydown" : "keyup", keyCode: domKeys[code], location: 1 });
        }
    };
    Module["lornhavenPointer"] = function(x, y) {
        pointer = { x: Math.round(x), y: Math.round(y) };
        var at = pagePoint(pointer.x, pointer.y);
        SDL.events.push({ type: "mousemove", pageX: at.pageX, pageY: at.pageY });
    };
    // A button is pressed where the pointer is, so that pressing it does not move the view.
    Module["lornhavenButton"] = function(button, down) {
        var at = pagePoint(pointer.x, pointer.y);
        SDL.events.push({ type: down ? "mousedown" : "mouseup", button: button - 1,
            pageX: at.pageX, pageY: at.pageY });
    };
});
