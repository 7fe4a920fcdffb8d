// app/image_check.h — image files read whole and checked before they are decoded.
#pragma once
#include <cstdio>

struct SDL_Surface;

// Four times the widest of the game's own images, and a texture size nearly every GL takes.
constexpr int MaxImageSide = 4096;

// The image in file, read whole and decoded from memory, or null; the file is closed here (a
// null file gives null). A PNG is decoded only when it holds together: every chunk lies within
// the file, the header comes first with sides of 1 to MaxImageSide (and no larger than the GL's
// largest texture while a GL window is open), image data follows and an end chunk closes it.
// Read past its end, or trusting a huge header, the decoder would spin or take gigabytes.
SDL_Surface* loadCheckedImage(std::FILE* file);
