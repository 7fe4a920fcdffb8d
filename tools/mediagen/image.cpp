#include "image.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include <png.h>

Colour rgb(int r, int g, int b, float a)
{
    return {r / 255.0f, g / 255.0f, b / 255.0f, a};
}

Colour mix(Colour x, Colour y, float t)
{
    return {x.r + (y.r - x.r) * t, x.g + (y.g - x.g) * t, x.b + (y.b - x.b) * t, x.a + (y.a - x.a) * t};
}

Colour scaled(Colour c, float k)
{
    return {c.r * k, c.g * k, c.b * k, c.a};
}

Image makeImage(int width, int height, Colour fill)
{
    Image image;
    image.width = width;
    image.height = height;
    image.pixels.assign(static_cast<size_t>(width) * height, fill);
    return image;
}

Colour& at(Image& image, int x, int y)
{
    return image.pixels[static_cast<size_t>(y) * image.width + x];
}

Colour pixel(const Image& image, int x, int y)
{
    x = std::clamp(x, 0, image.width - 1);
    y = std::clamp(y, 0, image.height - 1);
    return image.pixels[static_cast<size_t>(y) * image.width + x];
}

void blend(Image& image, int x, int y, Colour c, float k)
{
    if (x < 0 || y < 0 || x >= image.width || y >= image.height)
        return;
    Colour& d = at(image, x, y);
    float a = std::clamp(c.a * k, 0.0f, 1.0f);
    float outA = a + d.a * (1.0f - a);
    if (outA <= 0.0f) {
        d = {0, 0, 0, 0};
        return;
    }
    d.r = (c.r * a + d.r * d.a * (1.0f - a)) / outA;
    d.g = (c.g * a + d.g * d.a * (1.0f - a)) / outA;
    d.b = (c.b * a + d.b * d.a * (1.0f - a)) / outA;
    d.a = outA;
}

void fillRect(Image& image, int x, int y, int w, int h, Colour c)
{
    for (int j = std::max(y, 0); j < std::min(y + h, image.height); ++j)
        for (int i = std::max(x, 0); i < std::min(x + w, image.width); ++i)
            at(image, i, j) = c;
}

void blendRect(Image& image, int x, int y, int w, int h, Colour c, float k)
{
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            blend(image, i, j, c, k);
}

void gradientRect(Image& image, int x, int y, int w, int h, Colour top, Colour bottom)
{
    for (int j = 0; j < h; ++j) {
        Colour c = mix(top, bottom, h > 1 ? j / float(h - 1) : 0.0f);
        for (int i = 0; i < w; ++i)
            if (x + i >= 0 && y + j >= 0 && x + i < image.width && y + j < image.height)
                at(image, x + i, y + j) = c;
    }
}

static bool insidePolygon(const float* xy, int count, float px, float py)
{
    bool inside = false;
    for (int i = 0, j = count - 1; i < count; j = i++) {
        float xi = xy[2 * i], yi = xy[2 * i + 1], xj = xy[2 * j], yj = xy[2 * j + 1];
        if ((yi > py) != (yj > py) && px < (xj - xi) * (py - yi) / (yj - yi) + xi)
            inside = !inside;
    }
    return inside;
}

void fillPolygon(Image& image, const float* xy, int count, Colour c)
{
    float x0 = 1e9f, y0 = 1e9f, x1 = -1e9f, y1 = -1e9f;
    for (int i = 0; i < count; ++i) {
        x0 = std::min(x0, xy[2 * i]);
        x1 = std::max(x1, xy[2 * i]);
        y0 = std::min(y0, xy[2 * i + 1]);
        y1 = std::max(y1, xy[2 * i + 1]);
    }
    for (int y = int(std::floor(y0)); y <= int(std::ceil(y1)); ++y) {
        for (int x = int(std::floor(x0)); x <= int(std::ceil(x1)); ++x) {
            int hits = 0;
            for (int sy = 0; sy < 4; ++sy)
                for (int sx = 0; sx < 4; ++sx)
                    hits += insidePolygon(xy, count, x + (sx + 0.5f) / 4, y + (sy + 0.5f) / 4);
            if (hits)
                blend(image, x, y, c, hits / 16.0f);
        }
    }
}

void fillCircle(Image& image, float cx, float cy, float radius, Colour c)
{
    for (int y = int(cy - radius - 1); y <= int(cy + radius + 1); ++y) {
        for (int x = int(cx - radius - 1); x <= int(cx + radius + 1); ++x) {
            float d = std::sqrt((x + 0.5f - cx) * (x + 0.5f - cx) + (y + 0.5f - cy) * (y + 0.5f - cy));
            float k = std::clamp(radius - d + 0.5f, 0.0f, 1.0f);
            if (k > 0)
                blend(image, x, y, c, k);
        }
    }
}

void addGlow(Image& image, float cx, float cy, float radius, Colour c, float strength)
{
    for (int y = int(cy - radius); y <= int(cy + radius); ++y) {
        for (int x = int(cx - radius); x <= int(cx + radius); ++x) {
            if (x < 0 || y < 0 || x >= image.width || y >= image.height)
                continue;
            float d = std::sqrt((x + 0.5f - cx) * (x + 0.5f - cx) + (y + 0.5f - cy) * (y + 0.5f - cy)) / radius;
            if (d >= 1.0f)
                continue;
            float k = (1.0f - d) * (1.0f - d) * strength;
            Colour& p = at(image, x, y);
            p.r = std::min(1.0f, p.r + c.r * k);
            p.g = std::min(1.0f, p.g + c.g * k);
            p.b = std::min(1.0f, p.b + c.b * k);
        }
    }
}

void paste(Image& dst, const Image& src, int x, int y)
{
    for (int j = 0; j < src.height; ++j)
        for (int i = 0; i < src.width; ++i)
            if (x + i < dst.width && y + j < dst.height)
                at(dst, x + i, y + j) = src.pixels[static_cast<size_t>(j) * src.width + i];
}

uint32_t nextRandom(Rng& rng)
{
    uint32_t x = rng.state;
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    rng.state = x;
    return x;
}

float randomUnit(Rng& rng)
{
    return (nextRandom(rng) >> 8) / 16777216.0f;
}

float randomRange(Rng& rng, float lo, float hi)
{
    return lo + (hi - lo) * randomUnit(rng);
}

static float lattice(int x, int y, uint32_t seed)
{
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xffff) / 65535.0f;
}

float tiledNoise(float x, float y, int cell, int period, uint32_t seed)
{
    return stretchedNoise(x, y, cell, cell, period, seed);
}

float stretchedNoise(float x, float y, int cellX, int cellY, int period, uint32_t seed)
{
    int cellsX = period / cellX, cellsY = period / cellY;
    float fx = x / cellX, fy = y / cellY;
    int ix = int(std::floor(fx)), iy = int(std::floor(fy));
    float tx = fx - ix, ty = fy - iy;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    auto wrapX = [cellsX](int v) { return ((v % cellsX) + cellsX) % cellsX; };
    auto wrapY = [cellsY](int v) { return ((v % cellsY) + cellsY) % cellsY; };
    float a = lattice(wrapX(ix), wrapY(iy), seed), b = lattice(wrapX(ix + 1), wrapY(iy), seed);
    float c = lattice(wrapX(ix), wrapY(iy + 1), seed), d = lattice(wrapX(ix + 1), wrapY(iy + 1), seed);
    return (a + (b - a) * tx) * (1 - ty) + (c + (d - c) * tx) * ty;
}

bool writePng(const char* path, const Image& image, bool withAlpha)
{
    FILE* file = std::fopen(path, "wb");
    if (!file)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, image.width, image.height, 8, withAlpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const int channels = withAlpha ? 4 : 3;
    std::vector<png_byte> row(static_cast<size_t>(image.width) * channels);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            Colour c = image.pixels[static_cast<size_t>(y) * image.width + x];
            float v[4] = {c.r, c.g, c.b, c.a};
            for (int k = 0; k < channels; ++k)
                row[x * channels + k] = static_cast<png_byte>(std::lround(std::clamp(v[k], 0.0f, 1.0f) * 255.0f));
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}
