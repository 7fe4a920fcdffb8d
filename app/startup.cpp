#include "app/startup.h"

#include <SDL/SDL_mixer.h>
#include <cstdio>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "app/plain_file.h"
#include "app/settings.h"
#include "app/version.h"
#include "app/world.h"
#include "city/tile_pieces.h"
#include "render/game_textures.h"
#include "render/models.h"
#include "render/screens.h"
#include "sim/collision.h"

char titleText[256];
float versionNumber = 0.0f;

Mix_Music* music = nullptr;

// The software renderer allocates and frees a block for every draw call. With glibc's default
// trimming the top of the heap goes back to the system after each and is faulted in again by the
// next, which made a frame of a few thousand small draws (a crowd of monsters is one each)
// several times slower than the drawing itself.
static void keepFreedMemory()
{
#ifdef __GLIBC__
    mallopt(M_TRIM_THRESHOLD, 256 * 1024 * 1024);
#endif
}

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
    keepFreedMemory();
    std::snprintf(titleText, sizeof titleText, "%s", "Lornhaven");
    versionNumber = GameVersion;
    buildModelFrames();
    loadGameTextures(settings.mipmapping);
    buildHudGlyphs();
    buildTilePieces();
    buildCollisionMeshes();
    flipModelTexCoords();
    generateWorld();
    startMusic();
}
