// The game's scene drawing (chunks kept across frames, what lies outside the view skipped, the
// monsters in batches, nearest first) against the scene drawn as it names it, one by one, in a
// generated city with all its monsters crowding the hero.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "app/startup.h"
#include "bench/crowd.h"
#include "city/city_generation.h"
#include "city/city_grid.h"
#include "city/tile_pieces.h"
#include "render/city_drawing.h"
#include "render/monster_drawing.h"
#include "render/scene.h"
#include "sim/actors.h"
#include "sim/follow_camera.h"
#include "tests/gl/gl_test_window.h"

namespace {

std::vector<uint8_t> drawnPicture(void (*draw)())
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    draw();
    std::vector<uint8_t> pixels(TestWindowWidth * TestWindowHeight * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, TestWindowWidth, TestWindowHeight, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

// The hero at (x, z) on the ground, the follow camera behind it at the given angles.
void standHeroAt(float x, float z, float yaw, float pitch)
{
    hero.x = x;
    hero.y = 10.0f;
    hero.z = z;
    hero.cellX = std::clamp(cellIndexOf(x), 0, GridSize - 1);
    hero.cellZ = std::clamp(cellIndexOf(z), 0, GridSize - 1);
    hero.heading = yaw;
    followCamera.yaw = yaw;
    followCamera.pitch = pitch;
    followCamera.distance = 30.0f;
    placeFollowCamera(0.0f);
}

// Draws the view both ways; fails if more than 0.1 % of the pixels differ, from rounding where
// the pieces and monsters are moved into place, or if the game's drawing named other cells or
// monsters than the windows hold.
void expectSamePicture(const char* where)
{
    std::vector<uint8_t> reference = drawnPicture(drawSceneOneByOne);
    std::vector<uint8_t> game = drawnPicture(drawScene);
    int differing = 0;
    for (size_t i = 0; i < game.size(); i += 3) {
        int d = std::max({std::abs(game[i] - reference[i]), std::abs(game[i + 1] - reference[i + 1]),
            std::abs(game[i + 2] - reference[i + 2])});
        differing += d > 24;
    }
    EXPECT_LE(differing, TestWindowWidth * TestWindowHeight / 1000)
        << where << ": hero " << hero.x << ", " << hero.z << ", yaw " << followCamera.yaw << ", pitch "
        << followCamera.pitch;
}

class CulledScene : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        openTestWindow();
        std::srand(20261209);
        startUp();
        standHeroAt(hero.x, hero.z, 0.0f, -0.35f);
        packMonstersAroundHero();
        crowdX = hero.x;
        crowdZ = hero.z;
    }
    static float crowdX, crowdZ;
};
float CulledScene::crowdX = 0.0f;
float CulledScene::crowdZ = 0.0f;

TEST_F(CulledScene, LooksLikeTheSceneDrawnOneByOneInTheCrowdAtEveryHeadingAndPitch)
{
    const float pitches[4] = {-1.3f, -0.6f, -0.2f, 0.25f};
    for (float pitch : pitches) {
        for (int eighth = 0; eighth < 8; ++eighth) {
            standHeroAt(crowdX, crowdZ, 0.7853982f * eighth + 0.1f, pitch);
            expectSamePicture("crowd");
            EXPECT_EQ(monstersDrawn, MonsterCount);
            EXPECT_LT(monstersSent, MonsterCount);   // some stand behind the camera
        }
    }
}

TEST_F(CulledScene, LooksLikeTheSceneDrawnOneByOneWhileWalkingAcrossChunkBorders)
{
    // Two units a step, diagonally over a chunk corner and on along both axes; the chunks are
    // kept from step to step.
    const float startX = CellSize * (CityChunkSize * (hero.cellX / CityChunkSize) - 1.5f);
    const float startZ = CellSize * (CityChunkSize * (hero.cellZ / CityChunkSize) - 1.5f);
    for (int step = 0; step < 24; ++step) {
        const float along = 2.0f * step;
        standHeroAt(startX + along, startZ + (step < 12 ? along : 24.0f), 0.3f * step, -0.3f);
        expectSamePicture("walking");
    }
}

TEST_F(CulledScene, LooksLikeTheSceneDrawnOneByOneAtTheGridsEdges)
{
    const float spots[4][2] = {{10.0f, 10.0f}, {1985.0f, 1200.0f}, {700.0f, 1992.0f}, {-30.0f, 1000.0f}};
    for (const auto& spot : spots) {
        for (int quarter = 0; quarter < 4; ++quarter) {
            standHeroAt(spot[0], spot[1], 1.5707963f * quarter + 0.4f, -0.45f);
            expectSamePicture("edge");
        }
    }
}

TEST_F(CulledScene, FollowsAnEditOfTheGridAndThePiecesOnceTheCityVersionIsRaised)
{
    // The chunks around the hero are built by the first picture; then the window's columns lose
    // their upper storeys and turn red, and the roads show the water's part of the texture.
    standHeroAt(crowdX, crowdZ, 0.1f, -0.6f);
    const std::vector<uint8_t> before = drawnPicture(drawScene);
    static CityGrid saved;
    saved = cityGrid;
    TilePiece& road = tilePieces[static_cast<int>(CellType::Road)];
    float* const roadTexCoords = road.texCoords;
    road.texCoords = tilePieces[static_cast<int>(CellType::Water)].texCoords;
    const IndexRange xs = clampedWindow(hero.cellX, CityDrawRadius, GridSize);
    const IndexRange zs = clampedWindow(hero.cellZ, CityDrawRadius, GridSize);
    for (int x = xs.first; x <= xs.last; ++x) {
        for (int z = zs.first; z <= zs.last; ++z) {
            cityGrid.tint[x][z] = Tint{1.0f, 0.0f, 0.0f};
            for (int level = GroundLevel + 1; level < LevelCount; ++level) {
                cityGrid.cells[x][level][z] = GridCell{CellType::Empty, 0};
            }
        }
    }
    ++cityVersion;

    const std::vector<uint8_t> after = drawnPicture(drawScene);
    expectSamePicture("edited");
    int changed = 0;
    for (size_t i = 0; i < after.size(); i += 3) {
        changed += after[i] != before[i] || after[i + 1] != before[i + 1] || after[i + 2] != before[i + 2];
    }
    EXPECT_GT(changed, TestWindowWidth * TestWindowHeight / 4);

    road.texCoords = roadTexCoords;
    cityGrid = saved;
    ++cityVersion;
}

} // namespace
