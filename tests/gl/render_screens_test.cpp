#include <gtest/gtest.h>

#include <GL/gl.h>
#include <SDL/SDL.h>

#include "overlay/textures.h"
#include "render/game_textures.h"
#include "render/screens.h"
#include "sim/actors.h"
#include "tests/gl/gl_test_window.h"

namespace {

const Rgb Black{0, 0, 0};

SDL_Surface* newSurface(int w, int h)
{
    return SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0xFF, 0xFF00, 0xFF0000, 0xFF000000);
}

void fillRect(SDL_Surface* s, int x, int y, int w, int h, Rgb c)
{
    SDL_Rect r{static_cast<Sint16>(x), static_cast<Sint16>(y), static_cast<Uint16>(w), static_cast<Uint16>(h)};
    SDL_FillRect(s, &r, SDL_MapRGBA(s->format, c.r, c.g, c.b, 255));
}

uint32_t textureOf(SDL_Surface* s)
{
    uint32_t texture = textureFromSurface(s);
    SDL_FreeSurface(s);
    return texture;
}

// Every glyph cell of our test HUD image has a colour of its own, told from the character.
Rgb glyphColour(char c) { return Rgb{(c * 2) & 0xFF, 40, 255 - c}; }
const Rgb TitleBackground{30, 160, 30};
const Rgb TitlePicture{200, 120, 10};
const Rgb PanelBorder{250, 250, 0};
const Rgb PanelFill{0, 0, 120};

uint32_t makeHudTexture()
{
    SDL_Surface* s = newSurface(512, 512);
    for (int code = 32; code < 128; ++code) {
        int g = code - 32;
        fillRect(s, 16 * (g % 32), 32 * (g / 32), 16, 32, glyphColour(static_cast<char>(code)));
    }
    fillRect(s, 496, 64, 16, 32, PanelFill);   // the fill region lies in the last glyph cell
    fillRect(s, 0, 286, 512, 176, TitlePicture);
    fillRect(s, 0, 286, 14, 16, TitleBackground);   // the background region is the picture's corner
    fillRect(s, 490, 484, 22, 18, PanelBorder);
    return textureOf(s);
}

class HudScreens : public ::testing::Test {
protected:
    void SetUp() override
    {
        openTestWindow();
        buildHudGlyphs();
        savedHud = hudTexture;
        savedSplash = splashTexture;
        hudTexture = makeHudTexture();
        hero = Hero{};
    }
    void TearDown() override
    {
        glDeleteTextures(1, &hudTexture);
        hudTexture = savedHud;
        splashTexture = savedSplash;
    }
    uint32_t savedHud = 0;
    uint32_t savedSplash = 0;
};

TEST_F(HudScreens, SplashIsStretchedOverTheWholeWindow)
{
    // The picture is the top-left 640 x 480 of a 1024 x 512 image; the rest must never show.
    SDL_Surface* s = newSurface(1024, 512);
    const Rgb Outside{255, 0, 255};
    const Rgb Picture{10, 200, 200};
    const Rgb TopLeft{255, 255, 255};
    const Rgb BottomRight{255, 128, 0};
    fillRect(s, 0, 0, 1024, 512, Outside);
    fillRect(s, 0, 0, 640, 480, Picture);
    fillRect(s, 0, 0, 64, 48, TopLeft);
    fillRect(s, 576, 432, 64, 48, BottomRight);
    splashTexture = textureOf(s);

    drawSplashScreen();

    EXPECT_TRUE(closeTo(readPixel(1, 1), TopLeft));
    EXPECT_TRUE(closeTo(readPixel(638, 478), BottomRight));
    EXPECT_TRUE(closeTo(readPixel(320, 240), Picture));
    EXPECT_TRUE(closeTo(readPixel(639, 100), Picture));
    EXPECT_TRUE(closeTo(readPixel(100, 479), Picture));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    glDeleteTextures(1, &splashTexture);
}

TEST_F(HudScreens, TitlePictureIsCentredOnItsBackground)
{
    drawTitleScreen();
    // The picture covers x 68..572 and y 158.5..321.5.
    EXPECT_TRUE(closeTo(readPixel(67, 240), TitleBackground));
    EXPECT_TRUE(closeTo(readPixel(69, 240), TitlePicture));
    EXPECT_TRUE(closeTo(readPixel(571, 240), TitlePicture));
    EXPECT_TRUE(closeTo(readPixel(572, 240), TitleBackground));
    // The half-pixel edges fall on pixel centres, which the rasteriser gives to the row below.
    EXPECT_TRUE(closeTo(readPixel(320, 158), TitleBackground));
    EXPECT_TRUE(closeTo(readPixel(320, 159), TitlePicture));
    EXPECT_TRUE(closeTo(readPixel(320, 321), TitlePicture));
    EXPECT_TRUE(closeTo(readPixel(320, 322), TitleBackground));
    EXPECT_TRUE(closeTo(readPixel(0, 0), TitleBackground));
    EXPECT_TRUE(closeTo(readPixel(639, 479), TitleBackground));
}

TEST_F(HudScreens, PanelFrameAndRightAlignedNumbers)
{
    hero.health = 99.2f;   // shows 100
    hero.energy = 7.0f;
    drawHud();

    // The frame spans (18, 28) to (252, 80), two pixels wide around the fill.
    EXPECT_TRUE(closeTo(readPixel(18, 60), PanelBorder));
    EXPECT_TRUE(closeTo(readPixel(17, 60), Black));
    EXPECT_TRUE(closeTo(readPixel(251, 79), PanelBorder));
    EXPECT_TRUE(closeTo(readPixel(252, 60), Black));
    EXPECT_TRUE(closeTo(readPixel(100, 28), PanelBorder));
    EXPECT_TRUE(closeTo(readPixel(100, 27), Black));
    EXPECT_TRUE(closeTo(readPixel(100, 79), PanelBorder));
    EXPECT_TRUE(closeTo(readPixel(100, 80), Black));
    EXPECT_TRUE(closeTo(readPixel(245, 70), PanelFill));

    // "health:" from x 30, then 1, 0, 0 at x 204, 216, 228, ending at 240.
    EXPECT_TRUE(closeTo(readPixel(36, 40), glyphColour('h')));
    EXPECT_TRUE(closeTo(readPixel(108, 40), glyphColour(':')));
    EXPECT_TRUE(closeTo(readPixel(203, 40), PanelFill));
    EXPECT_TRUE(closeTo(readPixel(204, 40), glyphColour('1')));
    EXPECT_TRUE(closeTo(readPixel(215, 40), glyphColour('1')));
    EXPECT_TRUE(closeTo(readPixel(217, 40), glyphColour('0')));
    EXPECT_TRUE(closeTo(readPixel(239, 40), glyphColour('0')));
    EXPECT_TRUE(closeTo(readPixel(240, 40), PanelFill));
    // "energy:" 20 pixels lower, drawn over the lower 8 rows of the health line; 7 at x 228.
    EXPECT_TRUE(closeTo(readPixel(36, 54), glyphColour('e')));
    EXPECT_TRUE(closeTo(readPixel(222, 65), PanelFill));
    EXPECT_TRUE(closeTo(readPixel(229, 65), glyphColour('7')));
    EXPECT_TRUE(closeTo(readPixel(239, 65), glyphColour('7')));
}

TEST_F(HudScreens, ZeroHealthShowsOneDigit)
{
    hero.health = 0.0f;
    hero.energy = 100.0f;
    drawHud();
    EXPECT_TRUE(closeTo(readPixel(226, 40), PanelFill));
    EXPECT_TRUE(closeTo(readPixel(230, 40), glyphColour('0')));
    EXPECT_TRUE(closeTo(readPixel(205, 65), glyphColour('1')));
}

TEST_F(HudScreens, CharactersOutsideTheFontDrawNothing)
{
    beginFlatDrawing(hudTexture, false);
    const char text[] = {'A', '\x01', '\x7f', static_cast<char>(0xE9), 'B', '\0'};
    drawHudText(100.0f, 200.0f, text, 2.0f);
    endFlatDrawing();
    // Glyphs of 24 x 56 at scale 2: A, a blank, DEL (in the font), a blank, then B.
    EXPECT_TRUE(closeTo(readPixel(110, 220), glyphColour('A')));
    EXPECT_TRUE(closeTo(readPixel(134, 220), Black));
    EXPECT_TRUE(closeTo(readPixel(158, 220), PanelFill));
    EXPECT_TRUE(closeTo(readPixel(182, 220), Black));
    EXPECT_TRUE(closeTo(readPixel(206, 220), glyphColour('B')));
}

} // namespace
