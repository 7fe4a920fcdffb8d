// tools/mediagen/image.h — an RGBA picture in floats, painting helpers and the PNG writer.
#pragma once
#include <cstdint>
#include <vector>

struct Colour {
    float r, g, b, a;
};

Colour rgb(int r, int g, int b, float a = 1.0f);
Colour mix(Colour x, Colour y, float t);
Colour scaled(Colour c, float k);

struct Image {
    int width = 0, height = 0;
    std::vector<Colour> pixels;
};

Image makeImage(int width, int height, Colour fill);
Colour& at(Image& image, int x, int y);
Colour pixel(const Image& image, int x, int y);
// Paints c over the pixel with coverage k (0..1), honouring c.a.
void blend(Image& image, int x, int y, Colour c, float k = 1.0f);
void fillRect(Image& image, int x, int y, int w, int h, Colour c);
void blendRect(Image& image, int x, int y, int w, int h, Colour c, float k = 1.0f);
// Vertical gradient from top to bottom colour over the rectangle.
void gradientRect(Image& image, int x, int y, int w, int h, Colour top, Colour bottom);
// Anti-aliased filled polygon (4x4 samples per pixel), points in pixel units.
void fillPolygon(Image& image, const float* xy, int count, Colour c);
void fillCircle(Image& image, float cx, float cy, float radius, Colour c);
// Adds a soft round glow: colour c scaled by strength falling off to zero at radius.
void addGlow(Image& image, float cx, float cy, float radius, Colour c, float strength);
// Copies src into dst at (x, y).
void paste(Image& dst, const Image& src, int x, int y);

// Deterministic pseudo-random numbers for the painters.
struct Rng {
    uint32_t state;
};
uint32_t nextRandom(Rng& rng);
float randomUnit(Rng& rng);                  // 0..1
float randomRange(Rng& rng, float lo, float hi);
// Smooth value noise that repeats every `period` pixels (period a multiple of cell).
float tiledNoise(float x, float y, int cell, int period, uint32_t seed);
// The same with cells of cellX by cellY pixels (both dividing period).
float stretchedNoise(float x, float y, int cellX, int cellY, int period, uint32_t seed);

// Writes an 8-bit RGB or RGBA PNG; returns false on failure.
bool writePng(const char* path, const Image& image, bool withAlpha);
