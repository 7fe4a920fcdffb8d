// app/plain_file.h — opening the files the game reads: settings.ini, the images and the music.
#pragma once
#include <cstdio>

struct SDL_Surface;
struct _Mix_Music;

// The file at path, opened for reading, when it is a plain file (links are followed); null for
// anything else. A FIFO, a device or a folder thus reads as a missing file: it can neither hold
// the start-up up nor feed it without end.
std::FILE* openPlainFile(const char* path);
// The two loaders are the platform's (app/platform.h): the desktop's open the plain file with
// openPlainFile, the browser's find the page's own preloaded files by name.
// The image in the plain file at path, checked and decoded by loadCheckedImage on the desktop, or
// null.
SDL_Surface* loadPlainImage(const char* path);
// The music in the plain file at path (Ogg Vorbis), kept open while the music lives, or null.
_Mix_Music* loadPlainMusic(const char* path);
