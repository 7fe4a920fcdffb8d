// Software surfaces in the browser. The browser's SDL keeps each surface twice, as a 2D canvas
// and as pixels in memory, and converts and blits through the canvas; but in OpenGL mode it
// drops the canvas of a loaded image, and a canvas round trip alters the colour of translucent
// pixels. Every surface here is 32-bit RGBA in memory, so conversions, blits and fills work on
// the pixels directly, which is what the game's textures are made from.
#include <SDL/SDL.h>

#include <cstdint>
#include <cstring>

static bool isPlain32(const SDL_Surface* surface)
{
    return surface != nullptr && surface->pixels != nullptr && surface->format->BytesPerPixel == 4;
}

static SDL_Surface* copyOf(SDL_Surface* source)
{
    if (!isPlain32(source)) {
        return nullptr;
    }
    const SDL_PixelFormat* format = source->format;
    SDL_Surface* copy = SDL_CreateRGBSurface(SDL_SWSURFACE, source->w, source->h, 32,
        format->Rmask, format->Gmask, format->Bmask, format->Amask);
    if (copy == nullptr || copy->pixels == nullptr) {
        return copy;
    }
    for (int y = 0; y < source->h; ++y) {
        std::memcpy(static_cast<uint8_t*>(copy->pixels) + y * copy->pitch,
            static_cast<const uint8_t*>(source->pixels) + y * source->pitch, static_cast<size_t>(source->w) * 4);
    }
    return copy;
}

// Every surface of the browser's SDL already is in the one format it draws with.
extern "C" SDL_Surface* __wrap_SDL_DisplayFormatAlpha(SDL_Surface* surface)
{
    return copyOf(surface);
}

extern "C" SDL_Surface* __wrap_SDL_ConvertSurface(SDL_Surface* surface, const SDL_PixelFormat*, Uint32)
{
    return copyOf(surface);
}

// Cuts the W x H rectangle at (x, y) to a surface of the given size, moving the matching corner
// of the other side (ox, oy) along; false when nothing is left.
static bool clip(int& x, int& y, int& w, int& h, int& ox, int& oy, int width, int height)
{
    if (x < 0) {
        w += x;
        ox -= x;
        x = 0;
    }
    if (y < 0) {
        h += y;
        oy -= y;
        y = 0;
    }
    w = x + w > width ? width - x : w;
    h = y + h > height ? height - y : h;
    return w > 0 && h > 0;
}

// A copy of colour and alpha, as SDL 1.2 blits RGBA to RGBA when the source has no SDL_SRCALPHA,
// which is how the game blits.
extern "C" int __wrap_SDL_UpperBlit(SDL_Surface* source, const SDL_Rect* sourceRect, SDL_Surface* target,
    SDL_Rect* targetRect)
{
    if (!isPlain32(source) || !isPlain32(target)) {
        return -1;
    }
    int sx = sourceRect != nullptr ? sourceRect->x : 0;
    int sy = sourceRect != nullptr ? sourceRect->y : 0;
    int w = sourceRect != nullptr ? sourceRect->w : source->w;
    int h = sourceRect != nullptr ? sourceRect->h : source->h;
    int tx = targetRect != nullptr ? targetRect->x : 0;
    int ty = targetRect != nullptr ? targetRect->y : 0;
    bool visible = clip(sx, sy, w, h, tx, ty, source->w, source->h) &&
        clip(tx, ty, w, h, sx, sy, target->w, target->h);
    if (!visible) {
        w = 0;
        h = 0;
    }
    for (int row = 0; row < h; ++row) {
        std::memcpy(static_cast<uint8_t*>(target->pixels) + (ty + row) * target->pitch + tx * 4,
            static_cast<const uint8_t*>(source->pixels) + (sy + row) * source->pitch + sx * 4,
            static_cast<size_t>(w) * 4);
    }
    if (targetRect != nullptr) {
        *targetRect = SDL_Rect{tx, ty, w, h};
    }
    return 0;
}

extern "C" int __wrap_SDL_FillRect(SDL_Surface* surface, SDL_Rect* rect, Uint32 colour)
{
    if (!isPlain32(surface)) {
        return -1;
    }
    int x = rect != nullptr ? rect->x : 0;
    int y = rect != nullptr ? rect->y : 0;
    int w = rect != nullptr ? rect->w : surface->w;
    int h = rect != nullptr ? rect->h : surface->h;
    int unusedX = 0;
    int unusedY = 0;
    if (!clip(x, y, w, h, unusedX, unusedY, surface->w, surface->h)) {
        return 0;
    }
    for (int row = 0; row < h; ++row) {
        Uint32* pixels = reinterpret_cast<Uint32*>(static_cast<uint8_t*>(surface->pixels) + (y + row) * surface->pitch);
        for (int column = 0; column < w; ++column) {
            pixels[x + column] = colour;
        }
    }
    return 0;
}
