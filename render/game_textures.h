// render/game_textures.h — the seven images the game draws with, loaded once at start-up.
#pragma once
#include <cstdint>

// Written by loadGameTextures; the screens and the scene only bind them.
extern uint32_t splashTexture;
extern uint32_t worldTexture;
extern uint32_t hudTexture;
extern uint32_t heroTexture;
extern uint32_t zombieTexture;
extern uint32_t bigMonsterTexture;
extern uint32_t robotTexture;

// Loads all seven in a fixed order; the splash and HUD never get mipmaps, the others when asked.
void loadGameTextures(bool mipmapped);
