#include "city/tile_pieces.h"

#include <cmath>

#include "city/city_generation.h"

TilePiece tilePieces[CellTypeCount];

// One quad of a piece: corner positions around the cell centre and their atlas positions
// in 1/512 units of the texture, t counted from the top row.
struct AuthoredQuad {
    float corner[4][3];
    float atlas[4][2];
};

// The ground-storey walls end a little below the tile boundary at 256 (t = 0.50089).
static constexpr float B = 0.50089f * 512.0f;

static const AuthoredQuad RoofQuad = {{{-5, 5, 5}, {5, 5, 5}, {5, 5, -5}, {-5, 5, -5}}, {{128, 64}, {192, 64}, {192, 0}, {128, 0}}};
static const AuthoredQuad CornerTopWall = {{{-5, -5, 5}, {5, -5, 5}, {5, 5, 5}, {-5, 5, 5}}, {{0, 128}, {64, 128}, {64, 64}, {0, 64}}};
static const AuthoredQuad CornerTopRoof = {{{-5, 5, 5}, {5, 5, 5}, {5, 5, -5}, {-5, 5, -5}}, {{0, 0}, {0, 64}, {64, 64}, {64, 0}}};
static const AuthoredQuad CornerTopSide = {{{-5, -5, -5}, {-5, -5, 5}, {-5, 5, 5}, {-5, 5, -5}}, {{64, 128}, {0, 128}, {0, 64}, {64, 64}}};
static const AuthoredQuad SideTopWall = {{{-5, -5, 5}, {5, -5, 5}, {5, 5, 5}, {-5, 5, 5}}, {{64, 128}, {128, 128}, {128, 64}, {64, 64}}};
static const AuthoredQuad PlainRoof = {{{-5, 5, 5}, {5, 5, 5}, {5, 5, -5}, {-5, 5, -5}}, {{128, 0}, {64, 0}, {64, 64}, {128, 64}}};
static const AuthoredQuad StreetTopWall = {{{-5, -5, 5}, {5, -5, 5}, {5, 5, 5}, {-5, 5, 5}}, {{128, 128}, {192, 128}, {192, 64}, {128, 64}}};
static const AuthoredQuad CornerMiddleWall = {{{-5, -5, 5}, {5, -5, 5}, {5, 5, 5}, {-5, 5, 5}}, {{0, 192}, {64, 192}, {64, 128}, {0, 128}}};
static const AuthoredQuad CornerMiddleSide = {{{-5, -5, -5}, {-5, -5, 5}, {-5, 5, 5}, {-5, 5, -5}}, {{64, 192}, {0, 192}, {0, 128}, {64, 128}}};
static const AuthoredQuad SideMiddleWall = {{{-5, -5, 5}, {5, -5, 5}, {5, 5, 5}, {-5, 5, 5}}, {{64, 192}, {128, 192}, {128, 128}, {64, 128}}};
static const AuthoredQuad StreetMiddleWall = {{{-5, -5, 5}, {5, -5, 5}, {5, 5, 5}, {-5, 5, 5}}, {{128, 192}, {192, 192}, {192, 128}, {128, 128}}};
static const AuthoredQuad CornerGroundWall = {{{-5, -5, 5}, {5, -5, 5}, {5, 5, 5}, {-5, 5, 5}}, {{0, 256}, {64, 256}, {64, 192}, {0, 192}}};
static const AuthoredQuad CornerGroundSide = {{{-5, -5, -5}, {-5, -5, 5}, {-5, 5, 5}, {-5, 5, -5}}, {{64, 256}, {0, 256}, {0, 192}, {64, 192}}};
static const AuthoredQuad SideGroundWall = {{{-5, -5, 5}, {5, -5, 5}, {5, 5, 5}, {-5, 5, 5}}, {{64, B}, {128, B}, {128, 192}, {64, 192}}};
static const AuthoredQuad DoorWall = {{{-5, -5, 5}, {5, -5, 5}, {5, 5, 5}, {-5, 5, 5}}, {{192, B}, {256, B}, {256, 192}, {192, 192}}};
static const AuthoredQuad PavementSlab = {{{-5, -5, 5}, {5, -5, 5}, {5, -5, -5}, {-5, -5, -5}}, {{384, 64}, {448, 64}, {448, 0}, {384, 0}}};
static const AuthoredQuad KerbMinusX = {{{-5, -15, -5}, {-5, -15, 5}, {-5, -5, 5}, {-5, -5, -5}}, {{448, 64}, {512, 64}, {512, 0}, {448, 0}}};
static const AuthoredQuad KerbPlusZ = {{{-5, -15, 5}, {5, -15, 5}, {5, -5, 5}, {-5, -5, 5}}, {{448, 64}, {512, 64}, {512, 0}, {448, 0}}};
static const AuthoredQuad RoadSlab = {{{-5, -6, 5}, {5, -6, 5}, {5, -6, -5}, {-5, -6, -5}}, {{256, 64}, {320, 64}, {320, 0}, {256, 0}}};
static const AuthoredQuad RoadCentreSlab = {{{-5, -6, 5}, {5, -6, 5}, {5, -6, -5}, {-5, -6, -5}}, {{320, 64}, {384, 64}, {384, 0}, {320, 0}}};
static const AuthoredQuad WaterSlab = {{{-5, -7, 5}, {5, -7, 5}, {5, -7, -5}, {-5, -7, -5}}, {{192, 64}, {256, 64}, {256, 0}, {192, 0}}};
static const AuthoredQuad StreetGroundWall = {{{-5, -5, 5}, {5, -5, 5}, {5, 5, 5}, {-5, 5, 5}}, {{128, B}, {192, B}, {192, 192}, {128, 192}}};
static const AuthoredQuad KerbPlusX = {{{5, -15, 5}, {5, -15, -5}, {5, -5, -5}, {5, -5, 5}}, {{448, 64}, {512, 64}, {512, 0}, {448, 0}}};

struct AuthoredPiece {
    int quadCount;
    const AuthoredQuad* quads[3];
};

static const AuthoredPiece authoredPieces[CellTypeCount] = {
    {0, {}},
    {1, {&RoofQuad}},
    {3, {&CornerTopWall, &CornerTopRoof, &CornerTopSide}},
    {2, {&SideTopWall, &PlainRoof}},
    {2, {&StreetTopWall, &PlainRoof}},
    {2, {&CornerMiddleWall, &CornerMiddleSide}},
    {1, {&SideMiddleWall}},
    {1, {&StreetMiddleWall}},
    {2, {&CornerGroundWall, &CornerGroundSide}},
    {1, {&SideGroundWall}},
    {1, {&DoorWall}},
    {1, {&PavementSlab}},
    {2, {&PavementSlab, &KerbMinusX}},
    {3, {&PavementSlab, &KerbMinusX, &KerbPlusZ}},
    {1, {&RoadSlab}},
    {1, {&RoadCentreSlab}},
    {1, {&WaterSlab}},
    {1, {&StreetGroundWall}},
    {3, {&KerbPlusX, &PavementSlab, &KerbMinusX}},
};

// Lays the authored quads out as triangles c0 c1 c2, c2 c3 c0.
static void fillAuthoredPiece(const AuthoredPiece& authored, TilePiece& piece)
{
    static const int cornerOrder[6] = {0, 1, 2, 2, 3, 0};
    piece.vertexCount = authored.quadCount * 6;
    piece.vertices[0] = new float[piece.vertexCount * 3];
    piece.texCoords = new float[piece.vertexCount * 2];
    int v = 0;
    for (int q = 0; q < authored.quadCount; ++q) {
        for (int corner : cornerOrder) {
            const AuthoredQuad& quad = *authored.quads[q];
            for (int axis = 0; axis < 3; ++axis) {
                piece.vertices[0][v * 3 + axis] = quad.corner[corner][axis];
            }
            piece.texCoords[v * 2] = quad.atlas[corner][0] / 512.0f;
            piece.texCoords[v * 2 + 1] = quad.atlas[corner][1] / 512.0f;
            ++v;
        }
    }
}

static void fillRotatedCopies(TilePiece& piece)
{
    for (int r = 1; r < 4; ++r) {
        float angle = 90.0f * r * 0.017453292f;
        double c = std::cos(angle);
        double s = std::sin(angle);
        const float* source = piece.vertices[0];
        float* target = new float[piece.vertexCount * 3];
        for (int v = 0; v < piece.vertexCount; ++v) {
            double x = source[v * 3], y = source[v * 3 + 1], z = source[v * 3 + 2];
            target[v * 3] = static_cast<float>(x * c + z * s);
            target[v * 3 + 1] = static_cast<float>(y);
            target[v * 3 + 2] = static_cast<float>(z * c - x * s);
        }
        piece.vertices[r] = target;
    }
}

// Pulls every triangle's texture rectangle 0.002 inward so neighbouring atlas tiles never bleed in.
static void insetTexCoords(TilePiece& piece)
{
    for (int first = 0; first < piece.vertexCount; first += 3) {
        float* tri = piece.texCoords + first * 2;
        for (int v = 0; v < 3; ++v) {
            for (int axis = 0; axis < 2; ++axis) {
                float value = tri[v * 2 + axis];
                bool smaller = false;
                for (int other = 0; other < 3; ++other) {
                    if (other != v && tri[other * 2 + axis] - value > 0.003f) {
                        smaller = true;
                    }
                }
                tri[v * 2 + axis] = smaller ? value + 0.002f : value - 0.002f;
            }
        }
    }
}

void buildTilePieces()
{
    // The pieces live for the whole run; building them again would inset twice.
    static bool built = false;
    if (built) {
        return;
    }
    built = true;

    for (int type = 0; type < CellTypeCount; ++type) {
        fillAuthoredPiece(authoredPieces[type], tilePieces[type]);
        fillRotatedCopies(tilePieces[type]);
    }
    for (TilePiece& piece : tilePieces) {
        insetTexCoords(piece);
    }
    ++cityVersion;
}
