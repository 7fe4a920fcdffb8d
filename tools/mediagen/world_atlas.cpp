// The city atlas: 8 x 8 tiles of 64 pixels in the upper half, the sky box picture in the lower.
#include "art.h"

#include <algorithm>
#include <cmath>

#include "render/sky_box_mesh.h"

namespace {

constexpr int Tile = 64;

enum WindowState { Dark, Warm, Cool, Dim };
enum WallStyle { StyleCorner, StylePlain, StyleStreet, StyleDoor };
enum Storey { StoreyTop, StoreyMiddle, StoreyGround };

const Colour WallColour = rgb(92, 88, 100);
const Colour MortarColour = rgb(70, 67, 78);
const Colour StoneColour = rgb(132, 128, 130);
const Colour PlinthColour = rgb(70, 66, 72);

// Brick courses of 4 rows and 8 columns, offset every other course; repeats every 64 pixels.
void paintBricks(Image& img, int x0, int y0, int w, int h, uint32_t seed)
{
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            int gx = x0 + x, gy = y0 + y;
            int course = (gy / 4) & 15;
            int bx = (gx + (course & 1) * 4) & 63;
            bool mortar = (gy % 4 == 3) || (bx % 8 == 7);
            float n = tiledNoise(float(gx & 63), float(gy & 63), 4, 64, seed) * 0.08f;
            float brick = ((course * 7 + bx / 8 * 3) % 5) * 0.018f;
            Colour c = mortar ? MortarColour : scaled(WallColour, 0.94f + brick + n);
            at(img, gx, gy) = c;
        }
    }
}

void paintWindow(Image& img, int x, int y, int w, int h, WindowState state, uint32_t seed)
{
    // Stone surround and sill.
    fillRect(img, x - 2, y - 2, w + 4, h + 4, scaled(StoneColour, 0.8f));
    fillRect(img, x - 3, y + h, w + 6, 3, StoneColour);
    fillRect(img, x - 3, y + h + 3, w + 6, 1, scaled(MortarColour, 0.6f));
    Colour top, bottom;
    switch (state) {
    case Warm: top = rgb(255, 226, 150); bottom = rgb(236, 158, 70); break;
    case Cool: top = rgb(170, 210, 255); bottom = rgb(90, 130, 210); break;
    case Dim: top = rgb(150, 110, 70); bottom = rgb(96, 64, 44); break;
    default: top = rgb(34, 42, 62); bottom = rgb(14, 18, 30); break;
    }
    gradientRect(img, x, y, w, h, top, bottom);
    if (state == Dark) {
        // A faint diagonal reflection of the street lights.
        for (int j = 0; j < h; ++j)
            for (int i = 0; i < w; ++i)
                if ((i + j) % 13 < 3)
                    blend(img, x + i, y + j, rgb(120, 140, 180), 0.18f);
    } else {
        // A curtain or a silhouette against the light, different for each window.
        Rng rng{seed * 2654435761u + 17};
        int side = int(nextRandom(rng) % 2);
        int cw = w / 4 + int(nextRandom(rng) % 3);
        fillRect(img, side ? x + w - cw : x, y, cw, h, scaled(bottom, 0.75f));
        if (nextRandom(rng) % 3 == 0)
            fillRect(img, x + w / 2 - 2, y + h - 9, 5, 9, scaled(bottom, 0.4f));
    }
    // Frame: mullion and transom.
    Colour frame = rgb(40, 38, 44);
    fillRect(img, x + w / 2 - 1, y, 2, h, frame);
    fillRect(img, x, y + h / 3, w, 1, frame);
}

void paintAwning(Image& img, int x, int y, int w, Colour stripe)
{
    for (int j = 0; j < 12; ++j) {
        float shade = 1.0f - j * 0.03f;
        for (int i = 0; i < w; ++i) {
            Colour c = ((x + i) / 8) % 2 ? stripe : rgb(226, 220, 206);
            at(img, x + i, y + j) = scaled(c, shade);
        }
    }
    // Scalloped lower edge and its shadow.
    for (int i = 0; i < w; ++i) {
        int dip = ((x + i) % 8) < 4 ? 2 : 0;
        Colour c = ((x + i) / 8) % 2 ? stripe : rgb(226, 220, 206);
        for (int j = 0; j < dip; ++j)
            at(img, x + i, y + 12 + j) = scaled(c, 0.6f);
        for (int j = dip; j < dip + 3; ++j)
            blend(img, x + i, y + 12 + j, rgb(0, 0, 0), 0.45f - 0.12f * (j - dip));
    }
}

void paintShopFront(Image& img, int x0, int y0, Colour stripe, Colour light, uint32_t seed)
{
    // Fascia with a glowing sign, awning, shop window and plinth.
    fillRect(img, x0, y0, Tile, 8, rgb(40, 36, 44));
    fillRect(img, x0 + 6, y0 + 2, 52, 4, scaled(light, 0.9f));
    paintAwning(img, x0, y0 + 8, Tile, stripe);
    int top = y0 + 23, bottom = y0 + 56;
    gradientRect(img, x0 + 3, top, 58, bottom - top, rgb(255, 236, 190), light);
    Rng rng{seed};
    // Goods on shelves, seen against the lit interior.
    for (int shelf = 0; shelf < 2; ++shelf) {
        int sy = top + 12 + shelf * 11;
        fillRect(img, x0 + 3, sy, 58, 2, rgb(90, 70, 60));
        for (int i = 0; i < 7; ++i) {
            int gx = x0 + 5 + i * 8, gh = 3 + int(nextRandom(rng) % 5);
            Colour goods = mix(rgb(150, 60, 50), rgb(60, 90, 150), randomUnit(rng));
            fillRect(img, gx, sy - gh, 5, gh, goods);
        }
    }
    // Frames of the glazing.
    Colour frame = rgb(36, 34, 40);
    fillRect(img, x0, top, 3, bottom - top, frame);
    fillRect(img, x0 + 61, top, 3, bottom - top, frame);
    fillRect(img, x0 + 31, top, 2, bottom - top, frame);
    fillRect(img, x0, bottom, Tile, 8, PlinthColour);
    fillRect(img, x0, bottom, Tile, 1, StoneColour);
}

void paintDoor(Image& img, int x0, int y0)
{
    int dx = x0 + 18, dy = y0 + 18, dw = 28, dh = 46;
    // Canopy and lamp.
    fillRect(img, dx - 6, dy - 8, dw + 12, 4, rgb(50, 46, 54));
    fillRect(img, dx - 6, dy - 4, dw + 12, 1, rgb(20, 20, 24));
    addGlow(img, x0 + 32.0f, dy - 2.0f, 22.0f, rgb(255, 200, 120), 0.55f);
    fillCircle(img, x0 + 32.0f, float(dy - 2), 2.2f, rgb(255, 244, 210));
    fillRect(img, dx - 3, dy - 2, dw + 6, dh + 2, StoneColour);
    fillRect(img, dx, dy, dw, dh, rgb(70, 40, 30));
    // Two leaves with lit glass panes.
    for (int leaf = 0; leaf < 2; ++leaf) {
        int lx = dx + 2 + leaf * 13;
        fillRect(img, lx, dy + 2, 11, dh - 4, rgb(96, 56, 38));
        gradientRect(img, lx + 2, dy + 5, 7, 18, rgb(255, 222, 150), rgb(220, 150, 70));
        fillRect(img, lx + 2, dy + 27, 7, 12, rgb(80, 46, 32));
    }
    fillRect(img, dx + 14, dy, 1, dh, rgb(30, 18, 14));
    fillRect(img, dx + 11, dy + 26, 2, 3, rgb(230, 200, 110));
    fillRect(img, dx + 16, dy + 26, 2, 3, rgb(230, 200, 110));
}

void paintWall(Image& img, int column, Storey storey, WallStyle style)
{
    const int x0 = column * Tile, y0 = (1 + storey) * Tile;
    const uint32_t seed = 100 + column * 7 + storey * 31;
    paintBricks(img, x0, y0, Tile, Tile, 11);
    // Window states per facade and storey: lit and dark mixed so facades do not read as one block.
    static const WindowState states[4][3][2] = {
        {{Dark, Warm}, {Warm, Dark}, {Dim, Dark}},
        {{Warm, Dark}, {Dark, Cool}, {Dark, Dim}},
        {{Cool, Warm}, {Warm, Dim}, {Dark, Dark}},
        {{Dark, Dark}, {Dark, Dark}, {Dark, Dark}},
    };
    const WindowState* s = states[style][storey];
    if (storey == StoreyTop) {
        // Cornice under the roof edge.
        fillRect(img, x0, y0, Tile, 6, StoneColour);
        fillRect(img, x0, y0 + 6, Tile, 2, scaled(StoneColour, 0.7f));
        fillRect(img, x0, y0 + 8, Tile, 2, rgb(40, 38, 46));
    } else {
        // The floor band between storeys.
        fillRect(img, x0, y0, Tile, 3, scaled(StoneColour, 0.85f));
        fillRect(img, x0, y0 + 3, Tile, 1, rgb(52, 50, 58));
    }
    if (storey == StoreyGround && style == StyleStreet) {
        paintShopFront(img, x0, y0, rgb(170, 36, 40), rgb(236, 170, 90), seed);
        return;
    }
    if (storey == StoreyGround) {
        fillRect(img, x0, y0 + 54, Tile, 10, PlinthColour);
        fillRect(img, x0, y0 + 54, Tile, 1, StoneColour);
    }
    if (style == StyleDoor) {
        paintDoor(img, x0, y0);
        return;
    }
    const int wy = storey == StoreyTop ? y0 + 18 : y0 + 14;
    const int wh = storey == StoreyGround ? 26 : 26;
    if (style == StyleStreet) {
        paintWindow(img, x0 + 6, wy, 20, wh, s[0], seed);
        paintWindow(img, x0 + 38, wy, 20, wh, s[1], seed + 1);
    } else {
        paintWindow(img, x0 + 9, wy, 14, wh, s[0], seed);
        paintWindow(img, x0 + 41, wy, 14, wh, s[1], seed + 1);
    }
    if (style == StyleCorner) {
        // Quoins on the building's corner edge (the tile's left edge on both walls of a corner).
        for (int j = 0; j < Tile; ++j) {
            int width = ((y0 + j) / 8) % 2 ? 5 : 7;
            for (int i = 0; i < width; ++i) {
                float edge = (j % 8 == 7) ? 0.7f : 1.0f;
                at(img, x0 + i, y0 + j) = scaled(StoneColour, edge * (0.95f - i * 0.02f));
            }
        }
    }
}

void paintRoof(Image& img, int column, bool parapetTop, bool parapetLeft)
{
    const int x0 = column * Tile;
    for (int y = 0; y < Tile; ++y)
        for (int x = 0; x < Tile; ++x) {
            float n = tiledNoise(float(x), float(y), 2, 64, 5) * 0.12f + tiledNoise(float(x), float(y), 16, 64, 6) * 0.1f;
            at(img, x0 + x, y) = scaled(rgb(66, 66, 74), 0.85f + n);
        }
    // Seams of the roofing felt.
    for (int y = 15; y < Tile; y += 16)
        for (int x = 0; x < Tile; ++x)
            blend(img, x0 + x, y, rgb(30, 30, 36), 0.5f);
    const Colour coping = rgb(150, 146, 150);
    if (parapetTop) {
        fillRect(img, x0, 0, Tile, 6, coping);
        for (int j = 6; j < 10; ++j)
            blendRect(img, x0, j, Tile, 1, rgb(0, 0, 0), 0.5f - (j - 6) * 0.11f);
    }
    if (parapetLeft) {
        fillRect(img, x0, 0, 6, Tile, coping);
        for (int i = 6; i < 10; ++i)
            blendRect(img, x0 + i, parapetTop ? 6 : 0, 1, Tile, rgb(0, 0, 0), 0.5f - (i - 6) * 0.11f);
    }
}

void paintWater(Image& img, int x0)
{
    // Long, low swells with short streaks of reflected city light on their crests.
    for (int y = 0; y < Tile; ++y)
        for (int x = 0; x < Tile; ++x) {
            float swell = stretchedNoise(float(x), float(y), 16, 4, 64, 21) * 0.65f + stretchedNoise(float(x), float(y), 8, 2, 64, 22) * 0.35f;
            Colour c = mix(rgb(8, 18, 34), rgb(24, 50, 78), swell);
            float streak = stretchedNoise(float(x), float(y), 8, 1, 64, 23);
            if (streak > 0.8f && swell > 0.5f)
                c = mix(c, rgb(230, 170, 100), std::min(1.0f, (streak - 0.8f) * 4.0f));
            else if (streak < 0.1f && swell > 0.55f)
                c = mix(c, rgb(110, 170, 220), (0.1f - streak) * 5.0f);
            at(img, x0 + x, y) = c;
        }
}

void paintAsphalt(Image& img, int x0, uint32_t seed)
{
    for (int y = 0; y < Tile; ++y)
        for (int x = 0; x < Tile; ++x) {
            float n = tiledNoise(float(x), float(y), 1, 64, seed) * 0.14f + tiledNoise(float(x), float(y), 16, 64, seed + 1) * 0.12f;
            at(img, x0 + x, y) = scaled(rgb(50, 50, 56), 0.85f + n);
        }
}

void paintPavement(Image& img, int x0)
{
    for (int y = 0; y < Tile; ++y)
        for (int x = 0; x < Tile; ++x) {
            int slab = (x / 16) * 5 + (y / 16) * 3;
            float n = tiledNoise(float(x), float(y), 2, 64, 41) * 0.1f + (slab % 4) * 0.025f;
            Colour c = scaled(rgb(96, 95, 102), 0.88f + n);
            if (x % 16 == 15 || y % 16 == 15)
                c = rgb(56, 56, 64);
            else if (x % 16 == 0 || y % 16 == 0)
                c = scaled(c, 1.08f);
            at(img, x0 + x, y) = c;
        }
}

void paintKerb(Image& img, int x0)
{
    for (int y = 0; y < Tile; ++y)
        for (int x = 0; x < Tile; ++x) {
            float n = tiledNoise(float(x), float(y), 2, 64, 51) * 0.12f;
            Colour c;
            if (y < 2)
                c = rgb(150, 148, 150);
            else if (y < 8)
                c = scaled(rgb(124, 122, 126), 0.9f + n);
            else
                c = scaled(mix(rgb(86, 86, 90), rgb(40, 44, 50), (y - 8) / 56.0f), 0.9f + n);
            if (x % 32 == 31)
                c = scaled(c, 0.55f);
            at(img, x0 + x, y) = c;
        }
}

// The night sky around the city: a panorama of the four sides, continuous across all of them.
Colour skyAt(float u, float v)  // u: 0..1 around, v: 0 top .. 1 bottom
{
    const Colour top = rgb(6, 8, 24), middle = rgb(26, 24, 62), low = rgb(92, 52, 72);
    Colour c = v < 0.6f ? mix(top, middle, v / 0.6f) : mix(middle, low, (v - 0.6f) / 0.4f);
    float cloud = tiledNoise(u * 480.0f, v * 120.0f * 3.0f, 24, 480, 61) * 0.7f + tiledNoise(u * 480.0f, v * 360.0f, 8, 480, 62) * 0.3f;
    float band = std::clamp((v - 0.25f) * 2.0f, 0.0f, 1.0f) * std::clamp((0.95f - v) * 4.0f, 0.0f, 1.0f);
    if (cloud > 0.55f)
        c = mix(c, rgb(80, 58, 88), (cloud - 0.55f) * 1.6f * band);
    return c;
}

void paintSky(Image& img)
{
    const int px = SkyPanoramaX, py = SkyPanoramaY, width = 4 * SkySideWidth, height = SkySideHeight;
    const Colour topColour = skyAt(0, 0);
    fillRect(img, 0, 256, 512, 256, topColour);
    // Panorama with a wrapped margin either side for filtering.
    for (int y = 0; y < height; ++y)
        for (int x = -px; x < width + px; ++x) {
            float u = float(((x % width) + width) % width) / width;
            at(img, px + x, py + y) = skyAt(u, float(y) / (height - 1));
        }
    Rng rng{777};
    for (int i = 0; i < 150; ++i) {
        int x = int(nextRandom(rng) % width), y = 4 + int(nextRandom(rng) % (height * 6 / 10));
        float b = randomRange(rng, 0.2f, 0.8f);
        b *= b;
        for (int wrap = -1; wrap <= 1; ++wrap)
            blend(img, px + x + wrap * width, py + y, rgb(230, 232, 255), b);
    }
    // The moon over one side, with a halo.
    for (int wrap = -1; wrap <= 1; ++wrap) {
        float mx = px + 190.0f + wrap * width, my = py + 34.0f;
        addGlow(img, mx, my, 34.0f, rgb(120, 120, 150), 0.5f);
        fillCircle(img, mx, my, 8.5f, rgb(236, 232, 214));
        fillCircle(img, mx + 2.5f, my - 2.0f, 2.0f, rgb(200, 196, 184));
        fillCircle(img, mx - 3.0f, my + 2.5f, 1.5f, rgb(206, 200, 190));
    }
    // A distant skyline along the horizon, with sparse lit windows and aircraft-warning lights.
    int x = 0;
    while (x < width) {
        int w = 4 + int(nextRandom(rng) % 9);
        int h = 4 + int(nextRandom(rng) % 11);
        if (nextRandom(rng) % 7 == 0)
            h += 8;
        Colour body = mix(rgb(10, 10, 20), rgb(22, 18, 34), randomUnit(rng));
        for (int j = 0; j < h; ++j)
            for (int i = 0; i < w && x + i < width; ++i) {
                int gx = x + i, gy = height - 1 - j;
                at(img, px + gx, py + gy) = body;
                bool lit = (nextRandom(rng) % 14 == 0) && (i % 2 == 1) && (j % 3 == 1);
                if (lit)
                    at(img, px + gx, py + gy) = mix(body, nextRandom(rng) % 3 ? rgb(230, 190, 110) : rgb(160, 200, 240), 0.6f);
                if (gx < px)
                    at(img, px + gx + width, py + gy) = pixel(img, px + gx, py + gy);
                if (gx >= width - px)
                    at(img, gx - width + px, py + gy) = pixel(img, px + gx, py + gy);
            }
        if (h > 16)
            blend(img, px + x + w / 2, py + height - h - 1, rgb(255, 60, 50), 1.0f);
        x += w + int(nextRandom(rng) % 3);
    }
    // The top of the box: the same colour as the panorama's upper edge, darkest overhead.
    for (int y = 0; y < SkyTopSize; ++y)
        for (int x2 = 0; x2 < SkyTopSize; ++x2) {
            float dx = (x2 + 0.5f) / SkyTopSize - 0.5f, dy = (y + 0.5f) / SkyTopSize - 0.5f;
            float edge = std::clamp(std::max(std::fabs(dx), std::fabs(dy)) * 2.0f, 0.0f, 1.0f);
            at(img, SkyTopX + x2, SkyTopY + y) = mix(rgb(3, 4, 14), topColour, edge * edge);
        }
    for (int i = 0; i < 70; ++i) {
        int sx = 6 + int(nextRandom(rng) % (SkyTopSize - 12)), sy = 6 + int(nextRandom(rng) % (SkyTopSize - 12));
        float b = randomRange(rng, 0.2f, 0.9f);
        blend(img, SkyTopX + sx, SkyTopY + sy, rgb(230, 232, 255), b * b);
    }
}

} // namespace

Image makeWorldTexture()
{
    Image img = makeImage(512, 512, rgb(0, 0, 0));
    paintRoof(img, 0, true, true);
    paintRoof(img, 1, true, false);
    paintRoof(img, 2, false, false);
    paintWater(img, 3 * Tile);
    paintAsphalt(img, 4 * Tile, 31);
    paintAsphalt(img, 5 * Tile, 31);
    // The centre marking runs along the tile's height, which is along the road.
    for (int y = 0; y < Tile; ++y) {
        if ((y + 4) % 32 >= 24)
            continue;
        for (int x = 30; x < 34; ++x) {
            float wear = tiledNoise(float(x), float(y), 2, 64, 33);
            blend(img, 5 * Tile + x, y, rgb(232, 214, 140), 0.65f + 0.35f * wear);
        }
    }
    paintPavement(img, 6 * Tile);
    paintKerb(img, 7 * Tile);
    for (int storey = 0; storey < 3; ++storey) {
        for (int style = 0; style < 3; ++style)
            paintWall(img, style, Storey(storey), WallStyle(style));
    }
    paintWall(img, 3, StoreyGround, StyleDoor);
    // Unused tiles mirror their used neighbours above and to the left, so that the blurred
    // levels of the mipmap blend every used tile's edge with more of itself.
    for (int row = 1; row < 4; ++row)
        for (int col = (row == 3 ? 4 : 3); col < 8; ++col) {
            bool above = row == 1, left = col == 3 || (row == 3 && col == 4);
            paintBricks(img, col * Tile, row * Tile, Tile, Tile, 11);
            for (int y = 0; y < Tile; ++y)
                for (int x = 0; x < Tile; ++x) {
                    bool fromAbove = above && (!left || y <= x);
                    bool fromLeft = left && !fromAbove;
                    if (fromAbove)
                        at(img, col * Tile + x, row * Tile + y) = pixel(img, col * Tile + x, row * Tile - 1 - y);
                    else if (fromLeft)
                        at(img, col * Tile + x, row * Tile + y) = pixel(img, col * Tile - 1 - x, row * Tile + y);
                }
        }
    paintSky(img);
    // The ground storeys sample a little below their tile: continue their bottom rows there.
    for (int y = 256; y < SkyPanoramaY; ++y)
        for (int x = 0; x < 4 * Tile; ++x)
            at(img, x, y) = pixel(img, x, 255);
    return img;
}
