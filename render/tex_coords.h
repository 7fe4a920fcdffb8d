// render/tex_coords.h — which way the models' texture coordinate t counts. The mesh data count t
// from the image's bottom row; textures are uploaded top row first with repeat wrapping, so t is
// negated once before drawing: -t samples the same texel row as 1 - t.
#pragma once

// t, counted from the bottom, of pixel row y (counted from the top) of an image of that height.
inline float texCoordTOfRow(float y, float imageHeight) { return 1.0f - y / imageHeight; }

// Turns every t of vertexCount (s, t) pairs to count from the top row, as the textures are uploaded.
inline void flipTexCoordRows(float* texCoords, int vertexCount)
{
    for (int v = 0; v < vertexCount; ++v) {
        texCoords[2 * v + 1] = -texCoords[2 * v + 1];
    }
}
