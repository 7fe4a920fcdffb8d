#include <gtest/gtest.h>

#include <GL/gl.h>
#include <SDL/SDL.h>
#include <cstring>

#include "city/city_generation.h"
#include "city/city_grid.h"
#include "city/tile_pieces.h"
#include "overlay/textures.h"
#include "render/city_drawing.h"
#include "render/game_textures.h"
#include "render/models.h"
#include "render/monster_drawing.h"
#include "render/scene.h"
#include "sim/actors.h"
#include "tests/gl/gl_test_window.h"

namespace {

const Rgb Black{0, 0, 0};
const Rgb Red{255, 0, 0};
const Rgb Blue{0, 0, 255};
const Rgb Green{0, 255, 0};

// A 4 x 4 texture of one colour.
uint32_t makePlainTexture(Rgb c)
{
    SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, 4, 4, 32, 0xFF, 0xFF00, 0xFF0000, 0xFF000000);
    SDL_FillRect(surface, nullptr, SDL_MapRGBA(surface->format, c.r, c.g, c.b, 255));
    uint32_t texture = textureFromSurface(surface);
    SDL_FreeSurface(surface);
    return texture;
}

// A 4 x 4 texture: the left half white, the right half blue.
uint32_t makeTwoColourTexture()
{
    SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, 4, 4, 32, 0xFF, 0xFF00, 0xFF0000, 0xFF000000);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            static_cast<Uint32*>(surface->pixels)[y * surface->pitch / 4 + x] =
                x < 2 ? SDL_MapRGBA(surface->format, 255, 255, 255, 255) : SDL_MapRGBA(surface->format, 0, 0, 255, 255);
        }
    }
    uint32_t texture = textureFromSurface(surface);
    SDL_FreeSurface(surface);
    return texture;
}

// A square on the plane x = at, facing -x (toward a camera looking along +x), spanning
// z in [-half, half] and y in [bottom, top]; its texture coordinates all at s.
void writeQuadFacingMinusX(float* positions, float* texCoords, float at, float half, float bottom, float top, float s)
{
    const float corners[4][3] = {{at, bottom, -half}, {at, bottom, half}, {at, top, half}, {at, top, -half}};
    const int order[6] = {0, 1, 2, 2, 3, 0};
    for (int v = 0; v < 6; ++v) {
        std::memcpy(positions + 3 * v, corners[order[v]], sizeof corners[0]);
        texCoords[2 * v] = s;
        texCoords[2 * v + 1] = 0.5f;
    }
}

// Model data in pose blocks of 8 V floats with V = 6: every block the same square.
constexpr int QuadVertices = 6;
float skyData[8 * QuadVertices];
float heroData[8 * 8 * QuadVertices];
float monsterData[8 * 4 * QuadVertices];
float wallPositions[3 * QuadVertices];
float wallTexCoords[2 * QuadVertices];

void fillBlocks(float* data, int blocks, float at, float half, float bottom, float top, float s)
{
    for (int b = 0; b < blocks; ++b) {
        float* block = data + b * 8 * QuadVertices;
        writeQuadFacingMinusX(block, block + 3 * QuadVertices, at, half, bottom, top, s);
    }
}

class SceneDrawing : public ::testing::Test {
protected:
    void SetUp() override
    {
        openTestWindow();
        prepareCityGrid();
        std::memset(&actorGrid, 0, sizeof actorGrid);
        hero = Hero{};
        followCamera = FollowCamera{};

        // The sky: only the wall ahead (+x), sampling the blue half. Characters: white squares.
        fillBlocks(skyData, 1, 0.5f, 0.5f, -0.5f, 0.5f, 0.75f);
        fillBlocks(heroData, 8, 0.0f, 3.0f, 0.0f, 6.0f, 0.25f);
        fillBlocks(monsterData, 4, 0.0f, 3.0f, 0.0f, 6.0f, 0.25f);
        buildStaticModel(&skyBox, skyData, QuadVertices);
        buildHeroPoses(&heroModel, heroData, QuadVertices);
        buildMonsterFrames(&zombieModel, monsterData, QuadVertices);
        buildMonsterFrames(&bigMonsterModel, monsterData, QuadVertices);
        buildMonsterFrames(&robotModel, monsterData, QuadVertices);

        // One piece of our own: the wall on a cell's -x face, sampling the white half.
        writeQuadFacingMinusX(wallPositions, wallTexCoords, -5.0f, 5.0f, -5.0f, 5.0f, 0.25f);
        savedPiece = tilePieces[static_cast<int>(CellType::Roof)];
        tilePieces[static_cast<int>(CellType::Roof)].vertexCount = QuadVertices;
        for (float*& rotation : tilePieces[static_cast<int>(CellType::Roof)].vertices) {
            rotation = wallPositions;
        }
        tilePieces[static_cast<int>(CellType::Roof)].texCoords = wallTexCoords;
        // The drawing keeps what it built from the grid and the pieces until cityVersion
        // changes, so each edit of them here and in the cases below raises it.
        ++cityVersion;

        texture = makeTwoColourTexture();
        characterTexture = makePlainTexture(Green);
        savedTextures = {worldTexture, heroTexture, zombieTexture, bigMonsterTexture, robotTexture};
        worldTexture = texture;
        heroTexture = zombieTexture = bigMonsterTexture = robotTexture = characterTexture;
    }

    void TearDown() override
    {
        tilePieces[static_cast<int>(CellType::Roof)] = savedPiece;
        worldTexture = savedTextures.world;
        heroTexture = savedTextures.hero;
        zombieTexture = savedTextures.zombie;
        bigMonsterTexture = savedTextures.bigMonster;
        robotTexture = savedTextures.robot;
        glDeleteTextures(1, &texture);
        glDeleteTextures(1, &characterTexture);
        prepareCityGrid();
        ++cityVersion;
        std::memset(&actorGrid, 0, sizeof actorGrid);
    }

    void placeHeroAt(int cellX, int cellZ, float x, float y, float z)
    {
        hero.cellX = cellX;
        hero.cellZ = cellZ;
        hero.x = x;
        hero.y = y;
        hero.z = z;
    }

    Actor monsters[16] = {};
    int monsterCount = 0;
    void addMonster(ActorKind kind, int cellX, int cellZ, float x, float y, float z)
    {
        Actor* m = &monsters[monsterCount++];
        *m = Actor{kind, x, y, z, 0.0f, 0.0f};
        actorGrid.slots[cellX][cellZ][actorGrid.count[cellX][cellZ]++] = m;
    }

    TilePiece savedPiece{};
    struct {
        uint32_t world, hero, zombie, bigMonster, robot;
    } savedTextures{};
    uint32_t texture = 0;
    uint32_t characterTexture = 0;
};

// Screen row of a point at height y, `ahead` units in front of a level camera at height cameraY.
int rowOf(float y, float cameraY, float ahead)
{
    const float tanHalfFov = 0.46630766f;   // tan 25 degrees
    return static_cast<int>(240.0f - (y - cameraY) / (ahead * tanHalfFov) * 240.0f);
}

TEST_F(SceneDrawing, TintedColumnIsRedAtEveryLevelButCharactersAndSkyAreNot)
{
    // Camera 145 units before the wall of column (100, 100), looking along +x.
    followCamera.x = 850.0f;
    followCamera.y = 40.0f;
    followCamera.z = 1000.0f;
    placeHeroAt(100, 100, 960.0f, 10.0f, 1010.0f);
    for (int level = 0; level < LevelCount; ++level) {
        cityGrid.cells[100][level][100] = GridCell{CellType::Roof, 0};
    }
    // The column itself and the columns the characters stand in are all tinted red.
    cityGrid.tint[100][100] = Tint{1.0f, 0.0f, 0.0f};
    cityGrid.tint[99][100] = Tint{1.0f, 0.0f, 0.0f};
    cityGrid.tint[96][101] = Tint{1.0f, 0.0f, 0.0f};
    ++cityVersion;
    addMonster(ActorKind::Zombie, 99, 100, 985.0f, 10.0f, 1000.0f);
    // Whatever was bound before (the overlay's atlas in the game), the city shows its own texture.
    glBindTexture(GL_TEXTURE_2D, characterTexture);

    drawScene();

    for (int level = 0; level < LevelCount; ++level) {
        if (level == 1) {
            continue;   // the monster stands in front of this one
        }
        int row = rowOf(10.0f * level, 40.0f, 145.0f);
        EXPECT_TRUE(closeTo(readPixel(320, row), Red)) << "level " << level;
    }
    EXPECT_TRUE(closeTo(readPixel(320, rowOf(13.0f, 40.0f, 135.0f)), Green));   // the monster
    EXPECT_TRUE(closeTo(readPixel(367, rowOf(13.0f, 40.0f, 110.0f)), Green));   // the hero
    EXPECT_TRUE(closeTo(readPixel(100, 100), Blue));                           // the sky ahead
    EXPECT_EQ(cityCellsDrawn, LevelCount);
    EXPECT_EQ(sceneDrawCount, 1 + 1 + 1 + 1);   // sky, the city in one draw, the monster, the hero
}

TEST_F(SceneDrawing, SkyBoxFloorStaysAtGroundWhileTheHeroFlies)
{
    // The hero (and the camera) 200 above the ground; the sky's far wall is 250 ahead, so its
    // lower edge, at height 0, lies 38.66 degrees below the horizon.
    placeHeroAt(100, 100, 1000.0f, 200.0f, 1000.0f);
    followCamera.x = 1000.0f;
    followCamera.y = 200.0f;
    followCamera.z = 1000.0f;
    followCamera.pitch = -0.674741f;   // atan(200 / 250), looking down at that edge
    heroModel.vertexCount = 0;         // nothing in the way

    drawScene();

    EXPECT_TRUE(closeTo(readPixel(320, 225), Blue));
    EXPECT_TRUE(closeTo(readPixel(320, 255), Black));
}

TEST_F(SceneDrawing, WindowsClampAtTheGridsEdges)
{
    // A piece on the ground level and a monster in every column.
    static Actor everywhere[GridSize][GridSize];
    for (int x = 0; x < GridSize; ++x) {
        for (int z = 0; z < GridSize; ++z) {
            cityGrid.cells[x][GroundLevel][z] = GridCell{CellType::Roof, 0};
            everywhere[x][z] = Actor{ActorKind::Robot, 10.0f * x, 10.0f, 10.0f * z, 0.0f, 0.0f};
            actorGrid.slots[x][z][0] = &everywhere[x][z];
            actorGrid.count[x][z] = 1;
        }
    }
    ++cityVersion;
    // 0..25 or 174..199 on both axes for the city, 0..15 or 184..199 for the monsters.
    const int cityColumns = (CityDrawRadius + 1) * (CityDrawRadius + 1);
    const int monsterColumns = (MonsterDrawRadius + 1) * (MonsterDrawRadius + 1);
    const int corners[3][2] = {{0, 0}, {199, 199}, {0, 199}};
    for (const auto& corner : corners) {
        placeHeroAt(corner[0], corner[1], 10.0f * corner[0], 10.0f, 10.0f * corner[1]);
        drawScene();
        EXPECT_EQ(cityCellsDrawn, cityColumns) << corner[0] << ", " << corner[1];
        EXPECT_EQ(monstersDrawn, monsterColumns) << corner[0] << ", " << corner[1];
    }
    // In the middle the full windows: 51 x 51 and 31 x 31.
    placeHeroAt(100, 100, 1000.0f, 10.0f, 1000.0f);
    drawScene();
    EXPECT_EQ(cityCellsDrawn, (2 * CityDrawRadius + 1) * (2 * CityDrawRadius + 1));
    EXPECT_EQ(monstersDrawn, (2 * MonsterDrawRadius + 1) * (2 * MonsterDrawRadius + 1));
    // A hero flown far outside the grid has no cells around it to draw.
    placeHeroAt(-40, 260, -400.0f, 10.0f, 2600.0f);
    drawScene();
    EXPECT_EQ(cityCellsDrawn, 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(SceneDrawing, AFullWindowIsDrawnInSeveralBatchesWithNothingLost)
{
    // Every cell around holds the wall piece at every level, except the row the camera looks
    // along (z = 100, in front of column 100), so column 100's nine walls are in sight. Nearest
    // columns go first: seen from hero columns 0, 17 and 25 columns away, column 100 falls into
    // the first, the middle and the last of the batches.
    for (int level = 0; level < LevelCount; ++level) {
        for (int x = 50; x <= 125; ++x) {
            for (int z = 75; z <= 125; ++z) {
                if (z != 100 || x >= 100) {
                    cityGrid.cells[x][level][z] = GridCell{CellType::Roof, 0};
                }
            }
        }
    }
    cityGrid.tint[100][100] = Tint{1.0f, 0.0f, 0.0f};
    ++cityVersion;
    followCamera.x = 850.0f;
    followCamera.y = 40.0f;
    followCamera.z = 1000.0f;
    heroModel.vertexCount = 0;
    const int heroColumns[3] = {100, 83, 75};
    for (int heroColumn : heroColumns) {
        placeHeroAt(heroColumn, 100, 10.0f * heroColumn, 10.0f, 1000.0f);
        int cells = 0;
        for (int x = heroColumn - CityDrawRadius; x <= heroColumn + CityDrawRadius; ++x) {
            for (int z = 75; z <= 125; ++z) {
                cells += (cityGrid.cells[x][0][z].type != CellType::Empty) * LevelCount;
            }
        }

        drawScene();

        EXPECT_EQ(cityCellsDrawn, cells);
        const int batches = (cells * QuadVertices + CityBatchVertices - 1) / CityBatchVertices;
        ASSERT_EQ(batches, 3);
        // Every chunk in view costs a draw, and at most one per row of its columns in the window.
        EXPECT_GE(cityChunksDrawn, 1);
        EXPECT_GE(sceneDrawCount, 1 + cityChunksDrawn + 1);
        EXPECT_LE(sceneDrawCount, 1 + cityChunksDrawn * CityChunkSize + 1);
        for (int level = 0; level < LevelCount; ++level) {
            EXPECT_TRUE(closeTo(readPixel(320, rowOf(10.0f * level, 40.0f, 145.0f)), Red))
                << "hero in column " << heroColumn << ", level " << level;
        }
    }
}

TEST_F(SceneDrawing, APieceTooLargeForABatchIsDrawnInPlace)
{
    // The wall quad followed by degenerate triangles, one vertex more than a batch holds.
    static float bigPositions[3 * (CityBatchVertices + QuadVertices)];
    static float bigTexCoords[2 * (CityBatchVertices + QuadVertices)];
    std::memcpy(bigPositions, wallPositions, sizeof wallPositions);
    std::memcpy(bigTexCoords, wallTexCoords, sizeof wallTexCoords);
    tilePieces[static_cast<int>(CellType::Roof)].vertexCount = CityBatchVertices + QuadVertices;
    for (float*& rotation : tilePieces[static_cast<int>(CellType::Roof)].vertices) {
        rotation = bigPositions;
    }
    tilePieces[static_cast<int>(CellType::Roof)].texCoords = bigTexCoords;
    followCamera.x = 850.0f;
    followCamera.y = 40.0f;
    followCamera.z = 1000.0f;
    placeHeroAt(100, 100, 960.0f, 10.0f, 1000.0f);
    heroModel.vertexCount = 0;
    for (int level = 0; level < LevelCount; ++level) {
        cityGrid.cells[100][level][100] = GridCell{CellType::Roof, 0};
    }
    cityGrid.tint[100][100] = Tint{1.0f, 0.0f, 0.0f};
    ++cityVersion;

    drawScene();

    EXPECT_EQ(cityCellsDrawn, LevelCount);
    EXPECT_EQ(sceneDrawCount, 1 + LevelCount + 1);
    for (int level = 0; level < LevelCount; ++level) {
        EXPECT_TRUE(closeTo(readPixel(320, rowOf(10.0f * level, 40.0f, 145.0f)), Red)) << "level " << level;
    }
    EXPECT_FALSE(glIsEnabled(GL_COLOR_ARRAY));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(SceneDrawing, EmptyCellsAndEmptyColumnsCostNoDraw)
{
    placeHeroAt(100, 100, 1000.0f, 10.0f, 1000.0f);
    drawScene();
    EXPECT_EQ(cityCellsDrawn, 0);
    EXPECT_EQ(sceneDrawCount, 2);   // the sky and the hero only
    // Pieces and monsters just outside the windows do not count either, though in view: the
    // camera looks down on all of them from high above.
    followCamera.x = 1000.0f;
    followCamera.y = 900.0f;
    followCamera.z = 1000.0f;
    followCamera.pitch = -1.5f;
    cityGrid.cells[74][GroundLevel][100] = GridCell{CellType::Roof, 0};
    cityGrid.cells[100][8][126] = GridCell{CellType::Roof, 0};
    cityGrid.cells[75][8][125] = GridCell{CellType::Roof, 0};   // inside, at the top level
    ++cityVersion;
    addMonster(ActorKind::Zombie, 84, 100, 840.0f, 10.0f, 1000.0f);
    addMonster(ActorKind::BigMonster, 116, 116, 1160.0f, 10.0f, 1160.0f);
    addMonster(ActorKind::Robot, 85, 115, 850.0f, 10.0f, 1150.0f);   // inside
    addMonster(ActorKind::Zombie, 85, 115, 851.0f, 10.0f, 1150.0f);  // inside, same column, other pass
    drawScene();
    EXPECT_EQ(cityCellsDrawn, 1);
    EXPECT_EQ(monstersDrawn, 2);
    EXPECT_EQ(monstersSent, 2);
    EXPECT_EQ(sceneDrawCount, 2 + 1 + 2);
}

TEST_F(SceneDrawing, CountsWhatTheWindowsHoldAndDrawsOnlyWhatIsInView)
{
    // A wall on every level of a column and a monster of each kind, all ahead of the hero.
    placeHeroAt(100, 100, 1000.0f, 10.0f, 1000.0f);
    heroModel.vertexCount = 0;
    for (int level = 0; level < LevelCount; ++level) {
        cityGrid.cells[110][level][100] = GridCell{CellType::Roof, 0};
    }
    ++cityVersion;
    addMonster(ActorKind::Zombie, 105, 100, 1050.0f, 10.0f, 1000.0f);
    addMonster(ActorKind::BigMonster, 105, 102, 1050.0f, 10.0f, 1020.0f);
    addMonster(ActorKind::Robot, 106, 99, 1060.0f, 10.0f, 990.0f);
    followCamera.x = 950.0f;
    followCamera.y = 40.0f;
    followCamera.z = 1000.0f;
    // Looking away: everything is named, nothing is sent but the sky and the hero.
    followCamera.yaw = 3.1415927f;
    drawScene();
    EXPECT_EQ(cityCellsDrawn, LevelCount);
    EXPECT_EQ(monstersDrawn, 3);
    EXPECT_EQ(cityChunksDrawn, 0);
    EXPECT_EQ(monstersSent, 0);
    EXPECT_EQ(sceneDrawCount, 2);
    // Looking at them: one draw for the column, one per kind.
    followCamera.yaw = 0.0f;
    drawScene();
    EXPECT_EQ(cityCellsDrawn, LevelCount);
    EXPECT_EQ(monstersDrawn, 3);
    EXPECT_EQ(cityChunksDrawn, 1);
    EXPECT_EQ(monstersSent, 3);
    EXPECT_EQ(sceneDrawCount, 2 + 1 + 3);
    EXPECT_TRUE(closeTo(readPixel(320, rowOf(13.0f, 40.0f, 100.0f)), Green));
}

TEST_F(SceneDrawing, DropsNothingThatReachesIntoTheView)
{
    // Each case shows one thing of which only a strip one unit wide lies inside an edge of the
    // view, and looks for it in the window's outermost pixels: a column of walls (red) 105
    // ahead of a level camera looking along +x, or a monster (green) 100 ahead.
    const float tanHalfHeight = 0.46630766f;               // tan 25 degrees
    const float tanHalfWidth = tanHalfHeight * 640.0f / 480.0f;
    const float wallAhead = 105.0f, monsterAhead = 100.0f;
    placeHeroAt(100, 100, 1000.0f, 10.0f, 1000.0f);
    heroModel.vertexCount = 0;
    struct Case {
        const char* what;
        int level, cellZ;           // a wall cell of column (96, cellZ), or level -1 for none
        float monsterY, monsterZ;   // a monster at x = 950, or monsterY < 0 for none
        float cameraY, cameraZ;
        int pixelX, pixelY;
        Rgb colour;
    };
    const Case cases[] = {
        {"wall at the right", 4, 107, -1.0f, 0.0f, 40.0f, 1066.0f - wallAhead * tanHalfWidth, 638, 240, Red},
        {"wall at the left", 4, 93, -1.0f, 0.0f, 40.0f, 934.0f + wallAhead * tanHalfWidth, 1, 240, Red},
        {"wall at the top", 8, 100, -1.0f, 0.0f, 76.0f - wallAhead * tanHalfHeight, 1000.0f, 320, 1, Red},
        {"wall at the bottom", 0, 100, -1.0f, 0.0f, 4.0f + wallAhead * tanHalfHeight, 1000.0f, 320, 478, Red},
        {"monster at the right", -1, 0, 37.0f, 1002.0f + monsterAhead * tanHalfWidth, 40.0f, 1000.0f, 638, 240, Green},
        {"monster at the left", -1, 0, 37.0f, 998.0f - monsterAhead * tanHalfWidth, 40.0f, 1000.0f, 1, 240, Green},
        {"monster at the top", -1, 0, 39.0f + monsterAhead * tanHalfHeight, 1000.0f, 40.0f, 1000.0f, 320, 1, Green},
    };
    for (const Case& c : cases) {
        prepareCityGrid();
        for (int z = 90; z <= 110; ++z) {
            cityGrid.tint[96][z] = Tint{1.0f, 0.0f, 0.0f};
        }
        std::memset(&actorGrid, 0, sizeof actorGrid);
        monsterCount = 0;
        if (c.level >= 0) {
            cityGrid.cells[96][c.level][c.cellZ] = GridCell{CellType::Roof, 0};
        }
        ++cityVersion;
        if (c.monsterY >= 0.0f) {
            addMonster(ActorKind::Robot, 95, cellIndexOf(c.monsterZ), 950.0f, c.monsterY, c.monsterZ);
        }
        followCamera.x = 850.0f;
        followCamera.y = c.cameraY;
        followCamera.z = c.cameraZ;

        drawScene();

        EXPECT_TRUE(closeTo(readPixel(c.pixelX, c.pixelY), c.colour)) << c.what;
    }
}

TEST_F(SceneDrawing, LeavesTheStateCleanFor2D)
{
    placeHeroAt(100, 100, 1000.0f, 10.0f, 1000.0f);
    cityGrid.cells[101][GroundLevel][100] = GridCell{CellType::Roof, 0};
    cityGrid.tint[101][100] = Tint{0.0f, 1.0f, 0.0f};
    ++cityVersion;
    drawScene();
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));
    EXPECT_FALSE(glIsEnabled(GL_COLOR_ARRAY));
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(colour[0], 1.0f);
    EXPECT_EQ(colour[1], 1.0f);
    EXPECT_EQ(colour[2], 1.0f);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

} // namespace
