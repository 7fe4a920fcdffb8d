#include "render/game_textures.h"

#include "overlay/textures.h"

uint32_t splashTexture = 0;
uint32_t worldTexture = 0;
uint32_t hudTexture = 0;
uint32_t heroTexture = 0;
uint32_t zombieTexture = 0;
uint32_t bigMonsterTexture = 0;
uint32_t robotTexture = 0;

void loadGameTextures(bool mipmapped)
{
    splashTexture = loadTexture("Media/splashscreen.png", false);
    worldTexture = loadTexture("Media/worldtexture.png", mipmapped);
    hudTexture = loadTexture("Media/hudtexture.png", false);
    heroTexture = loadTexture("Media/lowpolyherotexture.png", mipmapped);
    zombieTexture = loadTexture("Media/lowpolyzombietexture.png", mipmapped);
    bigMonsterTexture = loadTexture("Media/lowpolybigmonstertexture.png", mipmapped);
    robotTexture = loadTexture("Media/lowpolyrobottexture.png", mipmapped);
}
