#include "render/city_drawing.h"

#include <GL/gl.h>

#include "city/city_grid.h"
#include "city/tile_pieces.h"

int32_t cityCellsDrawn = 0;

// The batch being filled: positions already moved to their cells, texture coordinates, and the
// column's tint per vertex (floats, so the tint reaches the rasteriser exactly as glColor would).
static float batchPositions[CityBatchVertices * 3];
static float batchTexCoords[CityBatchVertices * 2];
static float batchColours[CityBatchVertices * 3];
static int batchCount = 0;
static int drawCalls = 0;

static void flushBatch()
{
    if (batchCount == 0) {
        return;
    }
    ++drawCalls;
    glDrawArrays(GL_TRIANGLES, 0, batchCount);
    batchCount = 0;
}

static void pointAtBatch()
{
    glVertexPointer(3, GL_FLOAT, 0, batchPositions);
    glTexCoordPointer(2, GL_FLOAT, 0, batchTexCoords);
    glColorPointer(3, GL_FLOAT, 0, batchColours);
}

// A piece too large for any batch (none of the game's own) is drawn by itself in place.
static void drawOversizedPiece(const TilePiece& piece, const float* vertices, const Tint& tint, int x, int level, int z)
{
    flushBatch();
    glDisableClientState(GL_COLOR_ARRAY);
    glColor4f(tint.red, tint.green, tint.blue, 1.0f);
    glVertexPointer(3, GL_FLOAT, 0, vertices);
    glTexCoordPointer(2, GL_FLOAT, 0, piece.texCoords);
    glPushMatrix();
    glTranslatef(static_cast<float>(CellSize * x), static_cast<float>(CellSize * level), static_cast<float>(CellSize * z));
    ++drawCalls;
    glDrawArrays(GL_TRIANGLES, 0, piece.vertexCount);
    glPopMatrix();
    glEnableClientState(GL_COLOR_ARRAY);
    pointAtBatch();
}

static void appendPiece(const TilePiece& piece, const float* vertices, const Tint& tint, int x, int level, int z)
{
    if (batchCount + piece.vertexCount > CityBatchVertices) {
        flushBatch();
    }
    const float offsetX = static_cast<float>(CellSize * x);
    const float offsetY = static_cast<float>(CellSize * level);
    const float offsetZ = static_cast<float>(CellSize * z);
    float* position = batchPositions + 3 * batchCount;
    float* texCoord = batchTexCoords + 2 * batchCount;
    float* colour = batchColours + 3 * batchCount;
    for (int v = 0; v < piece.vertexCount; ++v) {
        position[3 * v] = vertices[3 * v] + offsetX;
        position[3 * v + 1] = vertices[3 * v + 1] + offsetY;
        position[3 * v + 2] = vertices[3 * v + 2] + offsetZ;
        texCoord[2 * v] = piece.texCoords[2 * v];
        texCoord[2 * v + 1] = piece.texCoords[2 * v + 1];
        colour[3 * v] = tint.red;
        colour[3 * v + 1] = tint.green;
        colour[3 * v + 2] = tint.blue;
    }
    batchCount += piece.vertexCount;
}

// Every level of column (x, z), bottom to top, if the column lies inside the window.
static void appendColumn(int x, int z, IndexRange xs, IndexRange zs)
{
    if (x < xs.first || x > xs.last || z < zs.first || z > zs.last) {
        return;
    }
    for (int level = 0; level < LevelCount; ++level) {
        const GridCell& cell = cityGrid.cells[x][level][z];
        int type = static_cast<int>(cell.type);
        if (type <= 0 || type >= CellTypeCount) {
            continue;
        }
        const TilePiece& piece = tilePieces[type];
        const float* vertices = piece.vertices[cell.rotation & 3];
        if (piece.vertexCount <= 0 || vertices == nullptr || piece.texCoords == nullptr) {
            continue;
        }
        ++cityCellsDrawn;
        if (piece.vertexCount > CityBatchVertices) {
            drawOversizedPiece(piece, vertices, cityGrid.tint[x][z], x, level, z);
        } else {
            appendPiece(piece, vertices, cityGrid.tint[x][z], x, level, z);
        }
    }
}

int drawCityCells(int cellX, int cellZ)
{
    drawCalls = 0;
    cityCellsDrawn = 0;
    IndexRange xs = clampedWindow(cellX, CityDrawRadius, GridSize);
    IndexRange zs = clampedWindow(cellZ, CityDrawRadius, GridSize);
    glEnableClientState(GL_COLOR_ARRAY);
    pointAtBatch();
    batchCount = 0;
    // Nearest columns first, in square rings around the hero's column: the software rasteriser
    // tests depth before it textures, so what the near buildings hide then costs it little.
    appendColumn(cellX, cellZ, xs, zs);
    for (int ring = 1; ring <= CityDrawRadius; ++ring) {
        for (int x = cellX - ring; x <= cellX + ring; ++x) {
            appendColumn(x, cellZ - ring, xs, zs);
            appendColumn(x, cellZ + ring, xs, zs);
        }
        for (int z = cellZ - ring + 1; z < cellZ + ring; ++z) {
            appendColumn(cellX - ring, z, xs, zs);
            appendColumn(cellX + ring, z, xs, zs);
        }
    }
    flushBatch();
    glDisableClientState(GL_COLOR_ARRAY);
    return drawCalls;
}

void drawCityCellByCell(int cellX, int cellZ)
{
    IndexRange xs = clampedWindow(cellX, CityDrawRadius, GridSize);
    IndexRange zs = clampedWindow(cellZ, CityDrawRadius, GridSize);
    for (int level = 0; level < LevelCount; ++level) {
        for (int x = xs.first; x <= xs.last; ++x) {
            for (int z = zs.first; z <= zs.last; ++z) {
                const GridCell& cell = cityGrid.cells[x][level][z];
                int type = static_cast<int>(cell.type);
                if (type <= 0) {
                    continue;
                }
                const Tint& tint = cityGrid.tint[x][z];
                const TilePiece& piece = tilePieces[type];
                glColor4f(tint.red, tint.green, tint.blue, 1.0f);
                glPushMatrix();
                glTranslatef(static_cast<float>(CellSize * x), static_cast<float>(CellSize * level),
                    static_cast<float>(CellSize * z));
                glVertexPointer(3, GL_FLOAT, 0, piece.vertices[cell.rotation & 3]);
                glTexCoordPointer(2, GL_FLOAT, 0, piece.texCoords);
                glDrawArrays(GL_TRIANGLES, 0, piece.vertexCount);
                glPopMatrix();
            }
        }
    }
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}
