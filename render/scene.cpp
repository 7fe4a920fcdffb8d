#include "render/scene.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <cmath>

#include "app/settings.h"
#include "city/city_grid.h"
#include "overlay/screen_draw.h"
#include "render/city_drawing.h"
#include "render/game_textures.h"
#include "render/models.h"
#include "render/monster_drawing.h"
#include "render/view_volume.h"
#include "sim/actors.h"

int32_t sceneDrawCount = 0;

static constexpr float DegreesPerRadian = 57.29578f;
static constexpr float HalfPi = 1.5707963f;
static constexpr float NearPlane = 1.0f;
static constexpr float FarPlane = 1000.0f;
static constexpr float FieldOfView = 50.0f;
static constexpr float SkyBoxScale = 500.0f;
static constexpr float SkyBoxHeight = 250.0f;
// Outer edges of the rings of distance from the eye the scene is drawn in (world units); the
// last takes the rest.
static const float DrawingRings[DrawingRingCount] = {40.0f, 80.0f, 160.0f, HUGE_VALF};

static void drawTriangles(int vertexCount)
{
    ++sceneDrawCount;
    glDrawArrays(GL_TRIANGLES, 0, vertexCount);
}

void setPerspectiveCamera(float pitch, float yaw, float fieldOfView)
{
    glEnable(GL_DEPTH_TEST);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(fieldOfView, settings.screenAspect, NearPlane, FarPlane);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glRotatef(pitch * DegreesPerRadian, 1.0f, 0.0f, 0.0f);
    glRotatef(yaw * DegreesPerRadian, 0.0f, 1.0f, 0.0f);
    glTranslatef(-followCamera.x, -followCamera.y, -followCamera.z);
}

static void drawSkyBox()
{
    glBindTexture(GL_TEXTURE_2D, worldTexture);
    glPushMatrix();
    glTranslatef(hero.x, SkyBoxHeight, hero.z);
    glScalef(SkyBoxScale, SkyBoxScale, SkyBoxScale);
    glVertexPointer(3, GL_FLOAT, 0, skyBox.frames[0]);
    glTexCoordPointer(2, GL_FLOAT, 0, skyBox.texCoords);
    drawTriangles(skyBox.vertexCount);
    glPopMatrix();
}

// One monster kind as the scene names it: each monster of the window in grid order, in place
// through the matrix stack, with a draw of its own.
static void drawMonsterPass(ActorKind kind, uint32_t texture, const KeyframeModel& model)
{
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexCoordPointer(2, GL_FLOAT, 0, model.texCoords);
    IndexRange xs = clampedWindow(hero.cellX, MonsterDrawRadius, GridSize);
    IndexRange zs = clampedWindow(hero.cellZ, MonsterDrawRadius, GridSize);
    for (int x = xs.first; x <= xs.last; ++x) {
        for (int z = zs.first; z <= zs.last; ++z) {
            for (int slot = 0; slot < actorGrid.count[x][z]; ++slot) {
                const Actor* monster = actorGrid.slots[x][z][slot];
                if (monster->kind != kind) {
                    continue;
                }
                glPushMatrix();
                glTranslatef(monster->x, monster->y, monster->z);
                glRotatef(-monster->heading * DegreesPerRadian, 0.0f, 1.0f, 0.0f);
                glVertexPointer(3, GL_FLOAT, 0, model.frames[monsterFrameIndex(monster->animPhase)]);
                drawTriangles(model.vertexCount);
                glPopMatrix();
            }
        }
    }
}

static void drawHero()
{
    // The one allocation of a frame: the hero's blend of its two current poses.
    float* frame = interpolateFrame(3 * heroModel.vertexCount, heroPoses[static_cast<int>(hero.prevAnimState)],
        heroPoses[static_cast<int>(hero.animState)],
        hero.animPhase);
    glBindTexture(GL_TEXTURE_2D, heroTexture);
    glPushMatrix();
    glTranslatef(hero.x, hero.y, hero.z);
    glRotatef(-hero.heading * DegreesPerRadian, 0.0f, 1.0f, 0.0f);
    glVertexPointer(3, GL_FLOAT, 0, frame);
    glTexCoordPointer(2, GL_FLOAT, 0, heroModel.texCoords);
    drawTriangles(heroModel.vertexCount);
    glPopMatrix();
    delete[] frame;
}

void beginSceneDrawing()
{
    sceneDrawCount = 0;
    setPerspectiveCamera(-followCamera.pitch, followCamera.yaw + HalfPi, FieldOfView);
    glEnable(GL_TEXTURE_2D);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
}

void endSceneDrawing()
{
    endFlatDrawing();
    // What only a 3D view might have turned on, off too, so the flat drawing starts clean.
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisable(GL_LIGHTING);
    glDisable(GL_LIGHT0);
}

void drawScene()
{
    beginSceneDrawing();
    const ViewVolume view = currentViewVolume();

    // Depth testing gives the same picture in any order, so the nearest things go first: the
    // software renderer tests depth before it textures, so what the hero, the crowd and the
    // city hide of one another, and of the sky, then costs it little. Monsters and chunks go in
    // rings of distance, so that near buildings also hide the crowd behind them.
    gatherMonsters(hero.cellX, hero.cellZ, view);
    gatherCityChunks(hero.cellX, hero.cellZ, view);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    drawHero();
    for (float ring : DrawingRings) {
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        sceneDrawCount += drawMonstersNearerThan(ring);
        glBindTexture(GL_TEXTURE_2D, worldTexture);
        sceneDrawCount += drawCityChunksNearerThan(ring);
    }
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    drawSkyBox();
    endSceneDrawing();
}

void drawSceneOneByOne()
{
    beginSceneDrawing();
    drawSkyBox();
    glBindTexture(GL_TEXTURE_2D, worldTexture);
    sceneDrawCount += drawCityCellByCell(hero.cellX, hero.cellZ);
    drawMonsterPass(ActorKind::Zombie, zombieTexture, zombieModel);
    drawMonsterPass(ActorKind::BigMonster, bigMonsterTexture, bigMonsterModel);
    drawMonsterPass(ActorKind::Robot, robotTexture, robotModel);
    drawHero();
    endSceneDrawing();
}
