#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/image_check.h"
#include "app/plain_file.h"
#include "render/sky_box_mesh.h"

namespace {

struct Rgba {
    int r, g, b, a;
    bool operator==(const Rgba& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
};

struct Picture {
    SDL_Surface* surface = nullptr;
    // A picture of the run folder's Media/, or of another folder of the build.
    explicit Picture(const char* name, const char* folder = "/Media/")
    {
        std::string path = std::string(LORNHAVEN_RUN_DIR) + folder + name;
        surface = IMG_Load(path.c_str());
    }
    ~Picture() { SDL_FreeSurface(surface); }
    Rgba at(int x, int y) const
    {
        const Uint8* row = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
        Uint32 value = 0;
        int bpp = surface->format->BytesPerPixel;
        for (int k = 0; k < bpp; ++k)
            value |= Uint32(row[x * bpp + k]) << (SDL_BYTEORDER == SDL_LIL_ENDIAN ? 8 * k : 8 * (bpp - 1 - k));
        Uint8 r, g, b, a;
        SDL_GetRGBA(value, surface->format, &r, &g, &b, &a);
        return {r, g, b, a};
    }
};

TEST(MediaImages, EveryImageHasItsPowerOfTwoSizeAndAFullColourFormat)
{
    const struct {
        const char* name;
        int width, height, bytes;
    } images[] = {
        {"splashscreen.png", 1024, 512, 3},
        {"worldtexture.png", 512, 512, 3},
        {"hudtexture.png", 512, 512, 3},
        {"dashboard.png", 1024, 256, 4},
        {"lowpolyherotexture.png", 256, 256, 3},
        {"lowpolyzombietexture.png", 256, 256, 3},
        {"lowpolybigmonstertexture.png", 256, 256, 3},
        {"lowpolyrobottexture.png", 256, 256, 3},
    };
    for (const auto& image : images) {
        Picture p(image.name);
        ASSERT_NE(p.surface, nullptr) << image.name;
        EXPECT_EQ(p.surface->w, image.width) << image.name;
        EXPECT_EQ(p.surface->h, image.height) << image.name;
        EXPECT_EQ(p.surface->format->BytesPerPixel, image.bytes) << image.name;
    }
}

TEST(MediaImages, EveryImagePassesTheGamesCheckedLoaderWellWithinItsLimit)
{
    const char* names[] = {"splashscreen.png", "worldtexture.png", "hudtexture.png", "dashboard.png",
        "lowpolyherotexture.png", "lowpolyzombietexture.png", "lowpolybigmonstertexture.png",
        "lowpolyrobottexture.png"};
    for (const char* name : names) {
        std::string path = std::string(LORNHAVEN_RUN_DIR) + "/Media/" + name;
        Picture direct(name);
        SDL_Surface* checked = loadPlainImage(path.c_str());
        ASSERT_NE(checked, nullptr) << name;
        ASSERT_NE(direct.surface, nullptr) << name;
        EXPECT_EQ(checked->w, direct.surface->w) << name;
        EXPECT_EQ(checked->h, direct.surface->h) << name;
        EXPECT_EQ(std::memcmp(checked->pixels, direct.surface->pixels, size_t(checked->pitch) * checked->h), 0)
            << name;
        EXPECT_LE(std::max(checked->w, checked->h), MaxImageSide / 2) << name;
        SDL_FreeSurface(checked);
    }
}

TEST(MediaImages, HudGlyphCellsShowThePanelFillAroundTheirInk)
{
    Picture hud("hudtexture.png");
    ASSERT_NE(hud.surface, nullptr);
    const Rgba fill = hud.at(502, 72);
    for (int y = 70; y < 76; ++y)
        for (int x = 500; x < 506; ++x)
            ASSERT_EQ(hud.at(x, y), fill);
    // Outside the 2-pixel inset every glyph cell is panel fill, and inside it the glyphs have ink.
    for (int g = 0; g < 96; ++g) {
        int cx = 16 * (g % 32), cy = 32 * (g / 32);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 16; ++x)
                if (x < 2 || x >= 14 || y < 2 || y >= 30) {
                    ASSERT_EQ(hud.at(cx + x, cy + y), fill) << "glyph " << g;
                }
    }
    int ink = 0;
    for (int y = 2; y < 30; ++y)
        for (int x = 258; x < 270; ++x)
            ink += !(hud.at(x, y) == fill);
    EXPECT_GT(ink, 20) << "the digit 0";
}

TEST(MediaImages, HudTitleAndPanelRegions)
{
    Picture hud("hudtexture.png");
    ASSERT_NE(hud.surface, nullptr);
    const Rgba background = hud.at(4, 292);
    for (int y = 292; y < 297; ++y)
        for (int x = 4; x < 7; ++x)
            EXPECT_EQ(hud.at(x, y), background);
    // The title picture fades into its background at the edges and has a bright name in it.
    EXPECT_EQ(hud.at(507, 454), background);
    int bright = 0;
    for (int y = 292; y < 455; ++y)
        for (int x = 4; x < 508; ++x) {
            Rgba c = hud.at(x, y);
            bright += c.r + c.g + c.b > 600;
        }
    EXPECT_GT(bright, 500);
    const Rgba border = hud.at(500, 490);
    for (int y = 490; y < 496; ++y)
        for (int x = 500; x < 506; ++x)
            EXPECT_EQ(hud.at(x, y), border);
    EXPECT_FALSE(border == hud.at(502, 72));
}

TEST(MediaImages, DashboardGlyphsKeepToTheirMiddleColumns)
{
    Picture atlas("dashboard.png");
    ASSERT_NE(atlas.surface, nullptr);
    for (int i = 0; i < 95; ++i) {
        int cx = 20 * (i % 32), cy = 20 * (i / 32), opaque = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x) {
                int a = atlas.at(cx + x, cy + y).a;
                if (x < 5 || x >= 15) {
                    ASSERT_EQ(a, 0) << "glyph " << i << " at " << x << "," << y;
                }
                opaque += a > 128;
            }
        if (i > 0)
            EXPECT_GT(opaque, 2) << "glyph " << i;
        else
            EXPECT_EQ(opaque, 0) << "space";
    }
}

TEST(MediaImages, DashboardPointerFramesAndPanels)
{
    Picture atlas("dashboard.png");
    ASSERT_NE(atlas.surface, nullptr);
    EXPECT_EQ(atlas.at(440 + 12, 60 + 10).a, 255);
    EXPECT_EQ(atlas.at(440, 60).a, 0);
    // Both frame styles: opaque border and a see-through but visible centre, clear outer corners.
    for (int s = 0; s < 2; ++s) {
        EXPECT_EQ(atlas.at(60 * s, 60).a, 0);
        EXPECT_EQ(atlas.at(60 * s + 30, 61).a, 255);
        int centre = atlas.at(60 * s + 30, 90).a;
        EXPECT_GT(centre, 150);
    }
    EXPECT_FALSE(atlas.at(30, 61) == atlas.at(90, 61));
    for (int y = 120; y < 240; y += 7)
        for (int x = 0; x < 640; x += 13)
            EXPECT_GT(atlas.at(x, y).a, 200);
}

int difference(Rgba a, Rgba b)
{
    return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
}

// Mean colour step across the tile's wrap-around edge (63 to 0), across its middle (31 to 32)
// and across all its inner neighbours, along x or along y.
void seamSteps(const Picture& p, int col, int row, bool alongX, double& edge, double& middle, double& inner)
{
    int x0 = col * 64, y0 = row * 64;
    edge = middle = inner = 0;
    for (int i = 0; i < 64; ++i) {
        for (int k = 0; k < 64; ++k) {
            int next = (k + 1) % 64;
            int step = alongX ? difference(p.at(x0 + k, y0 + i), p.at(x0 + next, y0 + i))
                              : difference(p.at(x0 + i, y0 + k), p.at(x0 + i, y0 + next));
            (next == 0 ? edge : inner) += step;
            if (k == 31)
                middle += step;
        }
    }
    edge /= 64;
    middle /= 64;
    inner /= 64 * 63;
}

// Neighbouring cells show the same tile side by side: its opposite edges must meet without a seam.
TEST(MediaImages, WorldTilesRepeatWithoutSeams)
{
    Picture world("worldtexture.png");
    ASSERT_NE(world.surface, nullptr);
    struct {
        int col, row;
        bool alongX, alongY;
    } tiles[] = {
        {2, 0, true, true},   // roof
        {3, 0, true, true},   // water
        {4, 0, true, true},   // road
        {5, 0, true, true},   // road with centre marking
        {6, 0, true, true},   // pavement
        {7, 0, true, false},  // kerb face
        {1, 1, true, false}, {2, 1, true, false}, {1, 2, true, false},
        {2, 2, true, false}, {1, 3, true, false}, {2, 3, true, false},
    };
    for (const auto& t : tiles)
        for (int axis = 0; axis < 2; ++axis) {
            if (!(axis == 0 ? t.alongX : t.alongY))
                continue;
            // Patterns of joints repeat every 16 or 32 pixels, so the edge may step like the middle.
            double edge, middle, inner;
            seamSteps(world, t.col, t.row, axis == 0, edge, middle, inner);
            EXPECT_LE(edge, std::max(2.0 * inner, 1.5 * middle) + 6.0) << "tile " << t.col << "," << t.row << (axis == 0 ? " along x" : " along y");
        }
}

TEST(MediaImages, WorldAtlasKeepsGroundWallsCleanBelowTheirTiles)
{
    Picture world("worldtexture.png");
    ASSERT_NE(world.surface, nullptr);
    for (int x = 0; x < 256; ++x)
        for (int y = 256; y < 259; ++y)
            ASSERT_EQ(world.at(x, y), world.at(x, 255)) << x;
    // The sky's top and the upper edge of its sides meet in one colour, and it is a night sky.
    Rgba top = world.at(SkyTopX + 1, SkyTopY + SkyTopSize / 2);
    Rgba side = world.at(SkyPanoramaX + 3, SkyPanoramaY);
    EXPECT_NEAR(top.r, side.r, 3);
    EXPECT_NEAR(top.g, side.g, 3);
    EXPECT_NEAR(top.b, side.b, 3);
    EXPECT_LT(side.r + side.g + side.b, 120);
    // The panorama wraps: its margins repeat the far end.
    for (int y = SkyPanoramaY; y < SkyPanoramaY + SkySideHeight; y += 5)
        EXPECT_EQ(world.at(SkyPanoramaX - 1, y), world.at(SkyPanoramaX + 4 * SkySideWidth - 1, y));
}

TEST(MediaImages, IconsShowTheHeroAgainstTheMoonInARoundedSquare)
{
    // The desktop's sizes, and the page's for its web app manifest.
    for (int size : {48, 64, 128, 256, 192, 512}) {
        const bool web = size == 192 || size == 512;
        const std::string name = web ? "icon-" + std::to_string(size) + ".png"
                                     : std::to_string(size) + "x" + std::to_string(size) + "/apps/lornhaven.png";
        Picture icon(name.c_str(), web ? "/../web-icons/" : "/../icons/");
        ASSERT_NE(icon.surface, nullptr) << name;
        EXPECT_EQ(icon.surface->w, size) << name;
        EXPECT_EQ(icon.surface->h, size) << name;
        ASSERT_EQ(icon.surface->format->BytesPerPixel, 4) << name;
        // Clear rounded corners, and the panel's border colour round an opaque inside.
        for (int corner = 0; corner < 4; ++corner)
            EXPECT_EQ(icon.at(corner % 2 * (size - 1), corner / 2 * (size - 1)).a, 0) << name;
        const Rgba edge = icon.at(1, size / 2);
        EXPECT_EQ(edge.a, 255) << name;
        EXPECT_NEAR(edge.r, 110, 12) << name;
        EXPECT_NEAR(edge.g, 168, 12) << name;
        EXPECT_NEAR(edge.b, 214, 12) << name;
        // The moon's pale disc and the hero's dark figure before it, both large enough to read.
        int opaque = 0, pale = 0, dark = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const Rgba c = icon.at(x, y);
                opaque += c.a == 255;
                pale += c.a == 255 && c.r > 200 && c.g > 200 && c.b > 190;
                dark += c.a == 255 && c.r + c.g + c.b < 40;
            }
        EXPECT_GT(opaque, size * size * 85 / 100) << name;
        EXPECT_GT(pale, size * size / 20) << name;
        EXPECT_GT(dark, size * size / 20) << name;
    }
}

} // namespace
