// render/sky_box_mesh.h — the sky box: five faces of a unit cube seen from inside, textured from
// the lower half of the world atlas.
#pragma once

// Where the sky box samples the world atlas, in atlas pixels (y from the top row): the four
// sides side by side as one panorama, then the top.
constexpr int SkyPanoramaX = 16, SkyPanoramaY = 264, SkySideWidth = 120, SkySideHeight = 120;
constexpr int SkyTopX = 16, SkyTopY = 388, SkyTopSize = 116;

// A new block of 8 x SkyBoxVertexCount floats: positions, texture coordinates, normals.
float* buildSkyBoxMesh();
