// tools/mediagen/art.h — the painters of the game's pictures and the composer of its music.
#pragma once
#include <string>

#include "image.h"

Image makeWorldTexture();
Image makeHudTexture();
Image makeSplashScreen();
Image makeDashboard();
// The game's icon at size x size pixels with alpha, cut from a painted splash screen.
Image makeIcon(const Image& splash, int size);
// character: a CharacterModel (render/character_parts.h).
Image makeCharacterSkin(int character);
// Writes the looping theme as Ogg Vorbis; returns false on failure.
bool writeMusic(const std::string& path);
