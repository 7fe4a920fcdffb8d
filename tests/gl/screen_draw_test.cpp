#include <gtest/gtest.h>

#include <GL/gl.h>
#include <SDL/SDL.h>

#include "overlay/screen_draw.h"
#include "overlay/textures.h"
#include "tests/gl/gl_test_window.h"

namespace {

// A 4 x 4 picture: top half red, bottom half blue, its top-left texel green.
SDL_Surface* makeTestSurface(Uint32 rmask, Uint32 gmask, Uint32 bmask, Uint32 amask)
{
    SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, 4, 4, 32, rmask, gmask, bmask, amask);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            Uint32 colour = y < 2 ? SDL_MapRGBA(surface->format, 255, 0, 0, 255)
                                  : SDL_MapRGBA(surface->format, 0, 0, 255, 255);
            if (x == 0 && y == 0) {
                colour = SDL_MapRGBA(surface->format, 0, 255, 0, 255);
            }
            static_cast<Uint32*>(surface->pixels)[y * (surface->pitch / 4) + x] = colour;
        }
    }
    return surface;
}

const TexQuad WholeImage = {{0, 1, 1, 1, 1, 0, 0, 0}};

void drawWithTexture(uint32_t texture, float x, float y, float w, float h)
{
    beginFlatDrawing(texture, false);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    drawTexturedQuad(x, y, w, h, &WholeImage);
    endFlatDrawing();
}

const Rgb Black{0, 0, 0};
const Rgb Red{255, 0, 0};
const Rgb Blue{0, 0, 255};
const Rgb Green{0, 255, 0};

TEST(ScreenDrawing, QuadLandsOnItsPixelRectangleUpright)
{
    openTestWindow();
    SDL_Surface* surface = makeTestSurface(0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000);
    uint32_t texture = textureFromSurface(surface);
    SDL_FreeSurface(surface);
    drawWithTexture(texture, 100, 50, 40, 80);

    EXPECT_TRUE(closeTo(readPixel(100, 50), Green));    // top-left texel at the top-left corner
    EXPECT_TRUE(closeTo(readPixel(139, 60), Red));      // top half red
    EXPECT_TRUE(closeTo(readPixel(139, 129), Blue));    // bottom half blue
    EXPECT_TRUE(closeTo(readPixel(99, 60), Black));     // nothing left of it
    EXPECT_TRUE(closeTo(readPixel(140, 60), Black));    // nor right of it
    EXPECT_TRUE(closeTo(readPixel(120, 49), Black));    // nor above
    EXPECT_TRUE(closeTo(readPixel(120, 130), Black));   // nor below
    glDeleteTextures(1, &texture);
}

TEST(ScreenDrawing, RgbaAndBgraSurfacesOfOnePictureLookTheSame)
{
    openTestWindow();
    SDL_Surface* rgba = makeTestSurface(0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000);
    SDL_Surface* bgra = makeTestSurface(0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000);
    uint32_t first = textureFromSurface(rgba);
    uint32_t second = textureFromSurface(bgra);
    SDL_FreeSurface(rgba);
    SDL_FreeSurface(bgra);
    drawWithTexture(first, 0, 0, 40, 40);
    drawWithTexture(second, 100, 0, 40, 40);
    for (int y = 0; y < 40; y += 10) {
        for (int x = 0; x < 40; x += 10) {
            Rgb a = readPixel(x, y);
            Rgb b = readPixel(100 + x, y);
            EXPECT_TRUE(closeTo(a, b, 0)) << "at " << x << "," << y;
        }
    }
    EXPECT_TRUE(closeTo(readPixel(130, 30), Blue));
    glDeleteTextures(1, &first);
    glDeleteTextures(1, &second);
}

TEST(ScreenDrawing, ZeroSizedQuadDrawsNothing)
{
    openTestWindow();
    SDL_Surface* surface = makeTestSurface(0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000);
    uint32_t texture = textureFromSurface(surface);
    SDL_FreeSurface(surface);
    drawWithTexture(texture, 200, 200, 0, 50);
    drawWithTexture(texture, 300, 200, 50, 0);
    EXPECT_TRUE(closeTo(readPixel(200, 210), Black));
    EXPECT_TRUE(closeTo(readPixel(310, 200), Black));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    glDeleteTextures(1, &texture);
}

TEST(TextureLoading, MissingFileGivesNoTexture)
{
    openTestWindow();
    EXPECT_EQ(loadTexture("Media/no-such-image.png", false), 0u);
    EXPECT_EQ(loadTexture("Media/no-such-image.png", true), 0u);
}

} // namespace
