// app/startup.h — everything prepared once before the first frame.
#pragma once
#include <cstdint>

struct _Mix_Music;

extern char titleText[256];
extern float versionNumber;

extern uint32_t splashTexture;
extern uint32_t worldTexture;
extern uint32_t hudTexture;
extern uint32_t heroTexture;
extern uint32_t zombieTexture;
extern uint32_t bigMonsterTexture;
extern uint32_t robotTexture;

extern _Mix_Music* music;

// Titles, model frames, textures, glyphs, tile pieces, the city, the hero and the music.
void startUp();
