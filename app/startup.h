// app/startup.h — everything prepared once before the first frame.
#pragma once
#include <cstdint>

struct _Mix_Music;

// Written by startUp; the pause menu reads the title and version, the music is only kept.
extern char titleText[256];
extern float versionNumber;

extern _Mix_Music* music;

// Titles, model frames, textures, glyphs, tile pieces, the city, the hero and the music.
void startUp();
