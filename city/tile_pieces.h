// city/tile_pieces.h — the textured triangle list of every cell type, in four rotations.
#pragma once
#include <cstdint>
#include "city/city_grid.h"

struct TilePiece {
    int32_t vertexCount;
    float* vertices[4];   // vertexCount x 3 floats per rotation; rotation 0 is the authored data
    float* texCoords;     // vertexCount x 2 floats, shared by all rotations
};
// Written by buildTilePieces at start-up (which raises cityVersion); the city drawing and the
// collision meshes only read it.
extern TilePiece tilePieces[CellTypeCount];

// Rotated copies and texture inset of every type.
void buildTilePieces();
