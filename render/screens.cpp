#include "render/screens.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "app/settings.h"
#include "render/game_textures.h"
#include "sim/actors.h"

TexQuad hudGlyphQuads[96];
float hudGlyphWidth = 16.0f;
float hudGlyphHeight = 32.0f;

static constexpr float HudTextureSize = 512.0f;
static constexpr int GlyphCellWidth = 16;
static constexpr int GlyphCellHeight = 32;
static constexpr int GlyphInset = 2;
static constexpr float TitleWidth = 504.0f;
static constexpr float TitleHeight = 163.0f;
static constexpr float HudNumberRight = 240.0f;

// A region of a texture given by its s and t ranges (t = 0 at the image's top), mapped upright.
static constexpr TexQuad regionQuad(float s0, float s1, float t0, float t1)
{
    return TexQuad{{s0, t1, s1, t1, s1, t0, s0, t0}};
}

// The same, in pixels of the 512 x 512 HUD image.
static constexpr TexQuad hudRegion(float left, float right, float top, float bottom)
{
    return regionQuad(left / HudTextureSize, right / HudTextureSize, top / HudTextureSize, bottom / HudTextureSize);
}

static constexpr TexQuad SplashPicture = regionQuad(0.0f, 0.625f, 0.0f, 0.9375f);
static constexpr TexQuad TitleBackground = hudRegion(4, 6, 292, 296);
static constexpr TexQuad TitlePicture = hudRegion(4, 508, 292, 455);
static constexpr TexQuad PanelBorder = hudRegion(500, 505, 490, 495);
static constexpr TexQuad PanelFill = hudRegion(500, 505, 70, 75);

void drawSplashScreen()
{
    beginFlatDrawing(splashTexture, false);
    drawTexturedQuad(0.0f, 0.0f, settings.screenWidth, settings.screenHeight, &SplashPicture);
    endFlatDrawing();
}

void drawTitleScreen()
{
    beginFlatDrawing(hudTexture, false);
    drawTexturedQuad(0.0f, 0.0f, settings.screenWidth, settings.screenHeight, &TitleBackground);
    drawTexturedQuad((settings.screenWidth - TitleWidth) / 2.0f, (settings.screenHeight - TitleHeight) / 2.0f,
        TitleWidth, TitleHeight, &TitlePicture);
    endFlatDrawing();
}

void buildHudGlyphs()
{
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 32; ++column) {
            float left = static_cast<float>(GlyphCellWidth * column + GlyphInset);
            float right = static_cast<float>(GlyphCellWidth * (column + 1) - GlyphInset);
            float top = static_cast<float>(GlyphCellHeight * row + GlyphInset);
            float bottom = static_cast<float>(GlyphCellHeight * (row + 1) - GlyphInset);
            hudGlyphQuads[32 * row + column] = hudRegion(left, right, top, bottom);
        }
    }
    // Drawn at the size of the inset rectangle, one texel per pixel. Set, not shrunk, so that a
    // second call cannot shrink the glyphs again.
    hudGlyphWidth = static_cast<float>(GlyphCellWidth - 2 * GlyphInset);
    hudGlyphHeight = static_cast<float>(GlyphCellHeight - 2 * GlyphInset);
}

void drawHudText(float x, float y, const char* text, float scale)
{
    // The font has codes 32..127 only; anything else leaves a blank of one glyph.
    const float w = hudGlyphWidth * scale;
    drawGlyphLine(GlyphFont{hudGlyphQuads, 32, 127, w, hudGlyphHeight * scale, w}, x, y, text);
}

void drawHudPanel(float x, float y, float width, float height)
{
    drawTexturedQuad(x - 2.0f, y - 2.0f, width + 4.0f, height + 4.0f, &PanelBorder);
    drawTexturedQuad(x, y, width, height, &PanelFill);
}

// A value rounded up and drawn so that it ends at the panel's right margin.
static void drawHudNumber(float value, float y)
{
    char text[32];
    std::snprintf(text, sizeof text, "%i", static_cast<int>(std::ceil(value)));
    float length = static_cast<float>(std::strlen(text));
    drawHudText(HudNumberRight - length * hudGlyphWidth, y, text, 1.0f);
}

void drawHud()
{
    beginFlatDrawing(hudTexture, false);
    drawHudPanel(20.0f, 30.0f, 230.0f, hudGlyphHeight + 20.0f);
    drawHudText(30.0f, 30.0f, "health:", 1.0f);
    drawHudText(30.0f, 50.0f, "energy:", 1.0f);
    drawHudNumber(hero.health, 30.0f);
    drawHudNumber(hero.energy, 50.0f);
    endFlatDrawing();
}
