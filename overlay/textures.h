// overlay/textures.h — images into OpenGL textures.
#pragma once
#include <cstdint>

struct SDL_Surface;

// A texture of a 3- or 4-byte surface; the surface stays with the caller.
uint32_t textureFromSurface(SDL_Surface* surface);
// A texture of a PNG file, or 0 (after one line on stderr) when the file cannot be loaded.
uint32_t loadTexture(const char* path, bool mipmapped);
