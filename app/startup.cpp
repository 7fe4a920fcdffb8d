#include "app/startup.h"

#include <SDL/SDL_mixer.h>
#include <cstdio>

#include "app/plain_file.h"
#include "app/settings.h"
#include "app/version.h"
#include "app/world.h"
#include "render/game_textures.h"
#include "render/models.h"
#include "render/screens.h"

char titleText[256];
float versionNumber = 0.0f;

Mix_Music* music = nullptr;

// Without a sound device or without the file every call fails quietly and the game plays silent.
static void startMusic()
{
    // Opening the mixer brings up SDL's audio subsystem itself; zeros take the library's defaults.
    Mix_OpenAudio(0, 0, 0, 0);
    if (music != nullptr) {
        Mix_FreeMusic(music);   // only a repeated start-up (the tests) holds one already
    }
    // Only a plain file: a FIFO or a device in its place reads as missing music.
    music = loadPlainMusic("Media/music.ogg");
    Mix_PlayMusic(music, -1);
}

void startUp()
{
    std::snprintf(titleText, sizeof titleText, "%s", "Lornhaven");
    versionNumber = GameVersion;
    buildModelFrames();
    loadGameTextures(settings.mipmapping);
    buildHudGlyphs();
    buildWorldPieces();
    flipModelTexCoords();
    generateWorld();
    startMusic();
}
