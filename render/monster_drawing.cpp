#include "render/monster_drawing.h"

#include <GL/gl.h>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "render/game_textures.h"
#include "render/models.h"
#include "render/view_volume.h"
#include "sim/actors.h"

int32_t monstersDrawn = 0;
int32_t monstersSent = 0;
static int drawCalls = 0;

static constexpr float DegreesPerRadian = 57.29578f;
static constexpr float RadiansPerDegree = 0.017453292f;

struct MonsterKindDrawing {
    const KeyframeModel* model;
    uint32_t texture;
};

// The monsters of one kind in view, with their distance from the eye.
struct SeenMonster {
    float distance;
    const Actor* monster;
};
static constexpr int WindowSide = 2 * MonsterDrawRadius + 1;
static SeenMonster seen[ActorKindCount][WindowSide * WindowSide * MaxActorsPerCell];
static int seenCount[ActorKindCount];
static int nextSeen[ActorKindCount];   // the first not yet drawn

static float batchPositions[MonsterBatchVertices * 3];
// Per kind, the model's texture coordinates once per monster a batch holds, filled at the
// modelsVersion named beside them and kept until it changes.
static float batchTexCoords[ActorKindCount][MonsterBatchVertices * 2];
static uint32_t batchFilledAt[ActorKindCount];

static void drawTriangles(int vertexCount)
{
    ++drawCalls;
    glDrawArrays(GL_TRIANGLES, 0, vertexCount);
}

// A monster as the matrix stack would place it: turned by minus its heading about the vertical
// axis, then moved to its feet.
static void placeMonster(const Actor& monster, const KeyframeModel& model, float* out)
{
    const float radians = -monster.heading * DegreesPerRadian * RadiansPerDegree;
    const float c = std::cos(radians);
    const float s = std::sin(radians);
    const float* frame = model.frames[monsterFrameIndex(monster.animPhase)];
    for (int v = 0; v < model.vertexCount; ++v) {
        const float x = frame[3 * v], y = frame[3 * v + 1], z = frame[3 * v + 2];
        out[3 * v] = c * x + s * z + monster.x;
        out[3 * v + 1] = y + monster.y;
        out[3 * v + 2] = c * z - s * x + monster.z;
    }
}

static void drawInPlace(const Actor& monster, const KeyframeModel& model)
{
    glTexCoordPointer(2, GL_FLOAT, 0, model.texCoords);
    glVertexPointer(3, GL_FLOAT, 0, model.frames[monsterFrameIndex(monster.animPhase)]);
    glPushMatrix();
    glTranslatef(monster.x, monster.y, monster.z);
    glRotatef(-monster.heading * DegreesPerRadian, 0.0f, 1.0f, 0.0f);
    drawTriangles(model.vertexCount);
    glPopMatrix();
}

static void fillBatchTexCoords(int kind, const KeyframeModel& model)
{
    if (batchFilledAt[kind] == modelsVersion) {
        return;
    }
    batchFilledAt[kind] = modelsVersion;
    const size_t bytes = sizeof(float) * 2 * model.vertexCount;
    for (int first = 0; first + model.vertexCount <= MonsterBatchVertices; first += model.vertexCount) {
        std::memcpy(batchTexCoords[kind] + 2 * first, model.texCoords, bytes);
    }
}

// Each kind's model and texture as the last gatherMonsters found them.
static MonsterKindDrawing kinds[ActorKindCount];

// The next monsters of a kind's list nearer than the limit (squared), in few draws.
static void drawKindNearerThan(int kind, float limit)
{
    const MonsterKindDrawing& drawing = kinds[kind];
    const KeyframeModel& model = *drawing.model;
    SeenMonster* list = seen[kind];
    int& next = nextSeen[kind];
    const int count = seenCount[kind];
    if (next >= count || !nearerThan(list[next].distance, limit) || model.vertexCount <= 0 || model.texCoords == nullptr) {
        return;
    }
    glBindTexture(GL_TEXTURE_2D, drawing.texture);
    if (model.vertexCount > MonsterBatchVertices) {
        for (; next < count && nearerThan(list[next].distance, limit); ++next) {
            drawInPlace(*list[next].monster, model);
        }
        return;
    }
    fillBatchTexCoords(kind, model);
    glVertexPointer(3, GL_FLOAT, 0, batchPositions);
    glTexCoordPointer(2, GL_FLOAT, 0, batchTexCoords[kind]);
    int filled = 0;
    for (; next < count && nearerThan(list[next].distance, limit); ++next) {
        if (filled + model.vertexCount > MonsterBatchVertices) {
            drawTriangles(filled);
            filled = 0;
        }
        placeMonster(*list[next].monster, model, batchPositions + 3 * filled);
        filled += model.vertexCount;
    }
    drawTriangles(filled);
}

void gatherMonsters(int cellX, int cellZ, const ViewVolume& view)
{
    monstersDrawn = 0;
    monstersSent = 0;
    kinds[0] = MonsterKindDrawing{&zombieModel, zombieTexture};
    kinds[1] = MonsterKindDrawing{&bigMonsterModel, bigMonsterTexture};
    kinds[2] = MonsterKindDrawing{&robotModel, robotTexture};
    for (int kind = 0; kind < ActorKindCount; ++kind) {
        seenCount[kind] = 0;
        nextSeen[kind] = 0;
    }
    IndexRange xs = clampedWindow(cellX, MonsterDrawRadius, GridSize);
    IndexRange zs = clampedWindow(cellZ, MonsterDrawRadius, GridSize);
    for (int x = xs.first; x <= xs.last; ++x) {
        for (int z = zs.first; z <= zs.last; ++z) {
            for (int slot = 0; slot < actorGrid.count[x][z]; ++slot) {
                const Actor* monster = actorGrid.slots[x][z][slot];
                const int kind = static_cast<int>(monster->kind);
                if (kind < 0 || kind >= ActorKindCount) {
                    continue;
                }
                ++monstersDrawn;
                const KeyframeModel& model = *kinds[kind].model;
                const float centreY = monster->y + model.boundCentreY;
                if (!sphereInView(view, monster->x, centreY, monster->z, model.boundRadius)) {
                    continue;
                }
                int& count = seenCount[kind];
                const float dx = monster->x - view.eye[0], dy = centreY - view.eye[1], dz = monster->z - view.eye[2];
                seen[kind][count++] = SeenMonster{dx * dx + dy * dy + dz * dz, monster};
                ++monstersSent;
            }
        }
    }
    // Nearest first, so the rasteriser rejects what they hide before texturing it.
    for (int kind = 0; kind < ActorKindCount; ++kind) {
        std::sort(seen[kind], seen[kind] + seenCount[kind],
            [](const SeenMonster& a, const SeenMonster& b) { return a.distance < b.distance; });
    }
}

int drawMonstersNearerThan(float distance)
{
    drawCalls = 0;
    const float limit = distance * distance;
    for (int kind = 0; kind < ActorKindCount; ++kind) {
        drawKindNearerThan(kind, limit);
    }
    return drawCalls;
}

int drawMonsters(int cellX, int cellZ, const ViewVolume& view)
{
    gatherMonsters(cellX, cellZ, view);
    return drawMonstersNearerThan(HUGE_VALF);
}
