#include "render/city_drawing.h"

#include <GL/gl.h>
#include <algorithm>
#include <cmath>
#include <vector>

#include "city/city_generation.h"
#include "city/city_grid.h"
#include "city/tile_pieces.h"
#include "render/view_volume.h"

int32_t cityCellsDrawn = 0;
int32_t cityChunksDrawn = 0;
static int drawCalls = 0;

static_assert(GridSize % CityChunkSize == 0, "chunks tile the grid");
static constexpr int ChunksPerSide = GridSize / CityChunkSize;
static constexpr int CellsPerChunk = CityChunkSize * CityChunkSize * LevelCount;

// One chunk's pieces, moved to their cells: positions, texture coordinates and the column's tint
// per vertex (floats, so the tint reaches the rasteriser exactly as glColor would), in the order
// column x, column z, level.
struct CityChunk {
    bool built;
    int32_t cellStart[CellsPerChunk + 1];   // first vertex of each cell in that order
    int32_t pieceCount[CityChunkSize][CityChunkSize];
    float low[3], high[3];
    std::vector<float> positions, texCoords, colours;
};
static CityChunk chunks[ChunksPerSide][ChunksPerSide];

// The cityVersion the chunks were built at; a new one forgets them all.
static uint32_t builtVersion = 0;

static void forgetChunksOfAnOlderCity()
{
    if (builtVersion == cityVersion) {
        return;
    }
    builtVersion = cityVersion;
    for (auto& row : chunks) {
        for (CityChunk& chunk : row) {
            chunk.built = false;
        }
    }
}

static int cellOrder(int lx, int lz, int level) { return (lx * CityChunkSize + lz) * LevelCount + level; }

static const TilePiece* drawnPiece(const GridCell& cell)
{
    int type = static_cast<int>(cell.type);
    if (type <= 0 || type >= CellTypeCount) {
        return nullptr;
    }
    const TilePiece& piece = tilePieces[type];
    if (piece.vertexCount <= 0 || piece.vertices[cell.rotation & 3] == nullptr || piece.texCoords == nullptr) {
        return nullptr;
    }
    return &piece;
}

static void buildChunk(CityChunk& chunk, int chunkX, int chunkZ)
{
    chunk.positions.clear();
    chunk.texCoords.clear();
    chunk.colours.clear();
    for (int axis = 0; axis < 3; ++axis) {
        chunk.low[axis] = 1.0e30f;
        chunk.high[axis] = -1.0e30f;
    }
    int vertexCount = 0;
    for (int lx = 0; lx < CityChunkSize; ++lx) {
        for (int lz = 0; lz < CityChunkSize; ++lz) {
            const int x = chunkX * CityChunkSize + lx;
            const int z = chunkZ * CityChunkSize + lz;
            const Tint& tint = cityGrid.tint[x][z];
            chunk.pieceCount[lx][lz] = 0;
            for (int level = 0; level < LevelCount; ++level) {
                const GridCell& cell = cityGrid.cells[x][level][z];
                chunk.cellStart[cellOrder(lx, lz, level)] = vertexCount;
                const TilePiece* piece = drawnPiece(cell);
                if (piece == nullptr) {
                    continue;
                }
                ++chunk.pieceCount[lx][lz];
                const float offset[3] = {static_cast<float>(CellSize * x), static_cast<float>(CellSize * level),
                    static_cast<float>(CellSize * z)};
                const float* vertices = piece->vertices[cell.rotation & 3];
                for (int v = 0; v < piece->vertexCount; ++v) {
                    for (int axis = 0; axis < 3; ++axis) {
                        float p = vertices[3 * v + axis] + offset[axis];
                        chunk.positions.push_back(p);
                        chunk.low[axis] = std::min(chunk.low[axis], p);
                        chunk.high[axis] = std::max(chunk.high[axis], p);
                    }
                    chunk.texCoords.push_back(piece->texCoords[2 * v]);
                    chunk.texCoords.push_back(piece->texCoords[2 * v + 1]);
                    chunk.colours.push_back(tint.red);
                    chunk.colours.push_back(tint.green);
                    chunk.colours.push_back(tint.blue);
                }
                vertexCount += piece->vertexCount;
            }
        }
    }
    chunk.cellStart[CellsPerChunk] = vertexCount;
    chunk.built = true;
}

// The chunk, built the first time it is needed since the city last changed.
static CityChunk& currentChunk(int chunkX, int chunkZ)
{
    CityChunk& chunk = chunks[chunkX][chunkZ];
    if (!chunk.built) {
        buildChunk(chunk, chunkX, chunkZ);
    }
    return chunk;
}

static void drawVertices(int first, int count)
{
    if (count > 0) {
        ++drawCalls;
        glDrawArrays(GL_TRIANGLES, first, count);
    }
}

// The cells [firstCell, endCell) of the chunk in draws of at most CityBatchVertices vertices,
// cut between pieces.
static void drawCells(const CityChunk& chunk, int firstCell, int endCell)
{
    int start = chunk.cellStart[firstCell];
    for (int cell = firstCell; cell < endCell; ++cell) {
        if (chunk.cellStart[cell + 1] - start > CityBatchVertices && chunk.cellStart[cell] > start) {
            drawVertices(start, chunk.cellStart[cell] - start);
            start = chunk.cellStart[cell];
        }
    }
    drawVertices(start, chunk.cellStart[endCell] - start);
}

struct VisibleChunk {
    float distance;
    int chunkX, chunkZ;
};

// The columns of a chunk that lie inside the window, in the chunk's own indices.
struct ChunkPart {
    int firstX, lastX, firstZ, lastZ;
};
static ChunkPart partInWindow(int chunkX, int chunkZ, IndexRange xs, IndexRange zs)
{
    const int baseX = chunkX * CityChunkSize, baseZ = chunkZ * CityChunkSize;
    return ChunkPart{std::max(xs.first - baseX, 0), std::min(xs.last - baseX, CityChunkSize - 1),
        std::max(zs.first - baseZ, 0), std::min(zs.last - baseZ, CityChunkSize - 1)};
}

// The chunks in view of the window the last gatherCityChunks covered, nearest first, and the
// first of them not drawn yet.
static VisibleChunk visible[ChunksPerSide * ChunksPerSide];
static int visibleCount = 0;
static int nextVisible = 0;
static IndexRange windowXs{0, -1}, windowZs{0, -1};

void gatherCityChunks(int cellX, int cellZ, const ViewVolume& view)
{
    cityCellsDrawn = 0;
    cityChunksDrawn = 0;
    visibleCount = 0;
    nextVisible = 0;
    const IndexRange xs = clampedWindow(cellX, CityDrawRadius, GridSize);
    const IndexRange zs = clampedWindow(cellZ, CityDrawRadius, GridSize);
    windowXs = xs;
    windowZs = zs;
    if (xs.first > xs.last || zs.first > zs.last) {
        return;
    }
    forgetChunksOfAnOlderCity();
    for (int chunkX = xs.first / CityChunkSize; chunkX <= xs.last / CityChunkSize; ++chunkX) {
        for (int chunkZ = zs.first / CityChunkSize; chunkZ <= zs.last / CityChunkSize; ++chunkZ) {
            const CityChunk& chunk = currentChunk(chunkX, chunkZ);
            const ChunkPart part = partInWindow(chunkX, chunkZ, xs, zs);
            int cells = 0;
            for (int lx = part.firstX; lx <= part.lastX; ++lx) {
                for (int lz = part.firstZ; lz <= part.lastZ; ++lz) {
                    cells += chunk.pieceCount[lx][lz];
                }
            }
            cityCellsDrawn += cells;
            if (cells == 0 || !boxInView(view, chunk.low, chunk.high)) {
                continue;
            }
            float dx = 0.5f * (chunk.low[0] + chunk.high[0]) - view.eye[0];
            float dz = 0.5f * (chunk.low[2] + chunk.high[2]) - view.eye[2];
            visible[visibleCount++] = VisibleChunk{dx * dx + dz * dz, chunkX, chunkZ};
        }
    }
    // Nearest chunks first: the software rasteriser tests depth before it textures, so what the
    // near buildings hide then costs it little.
    std::sort(visible, visible + visibleCount,
        [](const VisibleChunk& a, const VisibleChunk& b) { return a.distance < b.distance; });
}

int drawCityChunksNearerThan(float distance)
{
    drawCalls = 0;
    const float limit = distance * distance;
    if (nextVisible >= visibleCount || !nearerThan(visible[nextVisible].distance, limit)) {
        return 0;
    }
    glEnableClientState(GL_COLOR_ARRAY);
    for (; nextVisible < visibleCount && nearerThan(visible[nextVisible].distance, limit); ++nextVisible) {
        const VisibleChunk& seen = visible[nextVisible];
        const CityChunk& chunk = chunks[seen.chunkX][seen.chunkZ];
        const ChunkPart part = partInWindow(seen.chunkX, seen.chunkZ, windowXs, windowZs);
        ++cityChunksDrawn;
        glVertexPointer(3, GL_FLOAT, 0, chunk.positions.data());
        glTexCoordPointer(2, GL_FLOAT, 0, chunk.texCoords.data());
        glColorPointer(3, GL_FLOAT, 0, chunk.colours.data());
        if (part.firstZ == 0 && part.lastZ == CityChunkSize - 1) {
            // Whole rows of columns lie one after the other.
            drawCells(chunk, cellOrder(part.firstX, 0, 0), cellOrder(part.lastX + 1, 0, 0));
            continue;
        }
        for (int lx = part.firstX; lx <= part.lastX; ++lx) {
            drawCells(chunk, cellOrder(lx, part.firstZ, 0), cellOrder(lx, part.lastZ + 1, 0));
        }
    }
    glDisableClientState(GL_COLOR_ARRAY);
    return drawCalls;
}

int drawCityCells(int cellX, int cellZ, const ViewVolume& view)
{
    gatherCityChunks(cellX, cellZ, view);
    return drawCityChunksNearerThan(HUGE_VALF);
}

int drawCityCellByCell(int cellX, int cellZ)
{
    int draws = 0;
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
                ++draws;
                glDrawArrays(GL_TRIANGLES, 0, piece.vertexCount);
                glPopMatrix();
            }
        }
    }
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    return draws;
}
