#include <gtest/gtest.h>

#include <GL/gl.h>
#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

#include "app/startup.h"
#include "city/city_grid.h"
#include "city/tile_pieces.h"
#include "render/city_drawing.h"
#include "render/game_textures.h"
#include "render/models.h"
#include "render/monster_drawing.h"
#include "render/scene.h"
#include "render/view_volume.h"
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
    const IndexRange xs = clampedWindow(cx, CityDrawRadius, GridSize);
    const IndexRange zs = clampedWindow(cz, CityDrawRadius, GridSize);
    for (int level = 0; level < LevelCount; ++level) {
        for (int x = xs.first; x <= xs.last; ++x) {
            for (int z = zs.first; z <= zs.last; ++z) {
                cells += cityGrid.cells[x][level][z].type != CellType::Empty;
            }
        }
    }
    return cells;
}

int countMonstersAround(int cx, int cz)
{
    int monsters = 0;
    const IndexRange xs = clampedWindow(cx, MonsterDrawRadius, GridSize);
    const IndexRange zs = clampedWindow(cz, MonsterDrawRadius, GridSize);
    for (int x = xs.first; x <= xs.last; ++x) {
        for (int z = zs.first; z <= zs.last; ++z) {
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
    EXPECT_EQ(tilePieces[static_cast<int>(CellType::Road)].vertexCount, 6);
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
    EXPECT_EQ(cityCellsDrawn, countCityCellsAround(hero.cellX, hero.cellZ));
    EXPECT_GT(cityCellsDrawn, 1000);
    EXPECT_EQ(monstersDrawn, countMonstersAround(hero.cellX, hero.cellZ));
    // A few large draws carry the city and the monsters: at most one per row of columns of each
    // chunk in view, one per monster kind in each ring of distance, the sky and the hero.
    EXPECT_GE(cityChunksDrawn, 1);
    EXPECT_LE(sceneDrawCount, 2 + ActorKindCount * DrawingRingCount + cityChunksDrawn * CityChunkSize);
    EXPECT_LT(sceneDrawCount, cityCellsDrawn / 20);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

std::vector<uint8_t> readWindow()
{
    std::vector<uint8_t> pixels(TestWindowWidth * TestWindowHeight * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, TestWindowWidth, TestWindowHeight, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

std::vector<uint8_t> drawCityView(bool batched, float pitch, float yaw)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    setPerspectiveCamera(pitch, yaw, 50.0f);
    glEnable(GL_TEXTURE_2D);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glBindTexture(GL_TEXTURE_2D, worldTexture);
    if (batched) {
        drawCityCells(hero.cellX, hero.cellZ, currentViewVolume());
    } else {
        drawCityCellByCell(hero.cellX, hero.cellZ);
    }
    endSceneDrawing();
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    return readWindow();
}

TEST(StartUp, BatchedCityLooksLikeTheCityDrawnCellByCell)
{
    openTestWindow();
    std::srand(20261208);
    startUp();
    // From above the hero, looking down the street at a slant and level, in four directions.
    hero.cellX = cellIndexOf(hero.x);
    hero.cellZ = cellIndexOf(hero.z);
    followCamera.x = hero.x;
    followCamera.y = hero.y + 30.0f;
    followCamera.z = hero.z;
    const float pitches[2] = {0.6f, 0.1f};
    for (float pitch : pitches) {
        for (int quarter = 0; quarter < 4; ++quarter) {
            float yaw = 1.5707963f * quarter;
            std::vector<uint8_t> batched = drawCityView(true, pitch, yaw);
            std::vector<uint8_t> reference = drawCityView(false, pitch, yaw);
            int differing = 0;
            int lit = 0;
            for (size_t i = 0; i < batched.size(); i += 3) {
                int d = std::max({std::abs(batched[i] - reference[i]), std::abs(batched[i + 1] - reference[i + 1]),
                    std::abs(batched[i + 2] - reference[i + 2])});
                differing += d > 24;
                lit += reference[i] + reference[i + 1] + reference[i + 2] > 0;
            }
            // Rounding differs where the pieces are moved into place, so an edge pixel may flip.
            EXPECT_LE(differing, TestWindowWidth * TestWindowHeight / 5000) << "pitch " << pitch << ", yaw " << yaw;
            EXPECT_GT(lit, TestWindowWidth * TestWindowHeight / 4);
        }
    }
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
