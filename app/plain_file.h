// app/plain_file.h — opening the files the game reads: settings.ini, the images and the music.
#pragma once
#include <cstdio>

struct SDL_RWops;

// The file at path, opened for reading, when it is a plain file (links are followed); null for
// anything else. A FIFO, a device or a folder thus reads as a missing file: it can neither hold
// the start-up up nor feed it without end.
std::FILE* openPlainFile(const char* path);
// openPlainFile as an SDL data source that closes the file when the source is closed, or null.
SDL_RWops* openPlainFileSource(const char* path);
