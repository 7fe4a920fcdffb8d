#include <gtest/gtest.h>

#include <GL/gl.h>
#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

#include "app/startup.h"
#include "city/city_grid.h"
#include "city/tile_pieces.h"
#include "render/models.h"
#include "render/scene.h"
#include "render/screens.h"
#include "sim/actors.h"
#include "sim/world_update.h"
#include "tests/gl/gl_test_window.h"

namespace {

bool fileExists(const char* path) { return access(path, R_OK) == 0; }

void expectEveryTFlipped(const KeyframeModel& model)
{
    ASSERT_NE(model.texCoords, nullptr);
    for (int v = 0; v < model.vertexCount; ++v) {
        ASSERT_LE(model.texCoords[2 * v + 1], 0.0f) << v;   // stored t lies in 0.01..0.99
    }
}

int countCityCellsAround(int cx, int cz)
{
    int cells = 0;
    for (int level = 0; level < LevelCount; ++level) {
        for (int x = std::max(cx - 25, 0); x < std::min(cx + 26, GridSize); ++x) {
            for (int z = std::max(cz - 25, 0); z < std::min(cz + 26, GridSize); ++z) {
                cells += cityGrid.cells[x][level][z].type != Empty;
            }
        }
    }
    return cells;
}

int countMonstersAround(int cx, int cz)
{
    int monsters = 0;
    for (int x = std::max(cx - 15, 0); x < std::min(cx + 16, GridSize); ++x) {
        for (int z = std::max(cz - 15, 0); z < std::min(cz + 16, GridSize); ++z) {
            monsters += actorGrid.count[x][z];
        }
    }
    return monsters;
}

TEST(StartUp, PreparesARealCityAndPlacesTheHeroOnAFreeColumn)
{
    openTestWindow();
    std::srand(20261207);
    startUp();

    EXPECT_STREQ(titleText, "Lornhaven");
    EXPECT_FLOAT_EQ(versionNumber, 0.3f);
    EXPECT_EQ(hudGlyphWidth, 12.0f);
    EXPECT_EQ(tilePieces[Road].vertexCount, 6);
    const struct {
        uint32_t texture;
        const char* file;
    } textures[] = {{splashTexture, "Media/splashscreen.png"}, {worldTexture, "Media/worldtexture.png"},
        {hudTexture, "Media/hudtexture.png"}, {heroTexture, "Media/lowpolyherotexture.png"},
        {zombieTexture, "Media/lowpolyzombietexture.png"}, {bigMonsterTexture, "Media/lowpolybigmonstertexture.png"},
        {robotTexture, "Media/lowpolyrobottexture.png"}};
    for (const auto& t : textures) {
        EXPECT_EQ(glIsTexture(t.texture) == GL_TRUE, fileExists(t.file)) << t.file;
    }

    int x = cellIndexOf(hero.x);
    int z = cellIndexOf(hero.z);
    EXPECT_EQ(hero.x, 10.0f * x);
    EXPECT_EQ(hero.z, 10.0f * z);
    EXPECT_EQ(hero.y, 10.0f);
    EXPECT_EQ(cityGrid.blocked[x][z], 0);
    EXPECT_EQ(actorGrid.count[x][z], 0);
    EXPECT_EQ(followCamera.x, hero.x);
    EXPECT_EQ(followCamera.y, hero.y);
    EXPECT_EQ(followCamera.z, hero.z);

    expectEveryTFlipped(skyBox);
    expectEveryTFlipped(heroModel);
    expectEveryTFlipped(zombieModel);
    expectEveryTFlipped(bigMonsterModel);
    expectEveryTFlipped(robotModel);

    // The same seed builds the same city and start again, and no model is flipped back.
    std::srand(20261207);
    startUp();
    EXPECT_EQ(cellIndexOf(hero.x), x);
    EXPECT_EQ(cellIndexOf(hero.z), z);
    expectEveryTFlipped(heroModel);
    expectEveryTFlipped(robotModel);

    // The first frame of play draws every non-empty cell and monster in its windows.
    updateWorld(1.0f);
    drawScene();
    drawHud();
    EXPECT_EQ(sceneDrawCount, 2 + countCityCellsAround(hero.cellX, hero.cellZ) + countMonstersAround(hero.cellX, hero.cellZ));
    EXPECT_GT(sceneDrawCount, 1000);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(StartUp, CompletesWithoutSoundDeviceOrMedia)
{
    openTestWindow();
    // A fresh audio subsystem that finds no device.
    while (Mix_QuerySpec(nullptr, nullptr, nullptr) != 0) {
        Mix_CloseAudio();
    }
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    const char* driver = std::getenv("SDL_AUDIODRIVER");
    std::string savedDriver = driver != nullptr ? driver : "";
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);

    // The music is there but nothing can play it.
    startUp();
    EXPECT_EQ(Mix_PlayingMusic(), 0);
    EXPECT_EQ(hero.y, 10.0f);

    // Neither a device nor any file of Media.
    char saved[4096];
    ASSERT_NE(getcwd(saved, sizeof saved), nullptr);
    char empty[] = "/tmp/lornhaven-startup-XXXXXX";
    ASSERT_NE(mkdtemp(empty), nullptr);
    ASSERT_EQ(chdir(empty), 0);
    startUp();
    EXPECT_EQ(music, nullptr);
    EXPECT_EQ(hero.y, 10.0f);
    updateWorld(1.0f);
    drawScene();
    drawHud();
    EXPECT_GT(sceneDrawCount, 2);
    ASSERT_EQ(chdir(saved), 0);
    rmdir(empty);

    if (savedDriver.empty()) {
        unsetenv("SDL_AUDIODRIVER");
    } else {
        setenv("SDL_AUDIODRIVER", savedDriver.c_str(), 1);
    }
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

} // namespace
