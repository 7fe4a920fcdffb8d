#include "overlay/dashboard.h"

#include <SDL/SDL.h>
#include <SDL/SDL_image.h>
#include <cstdio>
#include <cstring>

#include "app/input.h"
#include "app/plain_file.h"
#include "overlay/textures.h"

SDL_Surface* dashboardAtlas = nullptr;
uint32_t atlasTexture = 0;
TexQuad glyphQuads[95];
TexQuad frameQuads[2][9];
TexQuad pointerQuad;

static const char* const DashboardPath = "Media/dashboard.png";

static constexpr int GlyphCount = 95;
static constexpr int GlyphSize = 20;
static constexpr int FirstGlyphCode = 32;
static constexpr int LastGlyphCode = 126;

static constexpr int FramePiece = 20;
static constexpr int FrameInnerWidth = 300;
static constexpr int FrameInnerHeight = 15;
static constexpr int FrameInnerPieces = 15;

static constexpr int ButtonLeft = 156;
static constexpr int ButtonRight = 483;
static constexpr int ButtonHalfHeight = 21;

// An atlas with nothing on it: every widget still draws, but only transparent texels.
static SDL_Surface* transparentAtlas()
{
    SDL_Surface* atlas = SDL_CreateRGBSurface(SDL_SWSURFACE, AtlasWidth, AtlasHeight, 32,
        0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000);
    if (atlas != nullptr) {
        SDL_FillRect(atlas, nullptr, 0);
    }
    return atlas;
}

// The dashboard image in the display's alpha format, or null after one line on stderr.
static SDL_Surface* loadDashboardImage()
{
    // Only a plain file: a FIFO or a device in its place reads as a missing image.
    SDL_Surface* loaded = loadPlainImage(DashboardPath);
    if (loaded == nullptr) {
        std::fprintf(stderr, "Lornhaven: cannot load %s; the overlay has no pictures\n", DashboardPath);
        return nullptr;
    }
    SDL_Surface* converted = SDL_DisplayFormatAlpha(loaded);
    SDL_FreeSurface(loaded);
    if (converted == nullptr) {
        std::fprintf(stderr, "Lornhaven: cannot convert %s; the overlay has no pictures\n", DashboardPath);
    }
    return converted;
}

// The image padded to the power-of-two atlas size that OpenGL 1.1 needs.
static SDL_Surface* paddedAtlas(SDL_Surface* image)
{
    const SDL_PixelFormat* format = image->format;
    SDL_Surface* atlas = SDL_CreateRGBSurface(image->flags, AtlasWidth, AtlasHeight, format->BitsPerPixel,
        format->Rmask, format->Gmask, format->Bmask, format->Amask);
    if (atlas == nullptr) {
        return nullptr;
    }
    // Without SDL_SRCALPHA on either side the blit copies colour and alpha instead of blending.
    SDL_SetAlpha(image, SDL_RLEACCEL, 0);
    SDL_SetAlpha(atlas, SDL_RLEACCEL, 0);
    SDL_Rect at = {0, 0, 0, 0};
    SDL_UpperBlit(image, nullptr, atlas, &at);
    return atlas;
}

void initOverlay()
{
    SDL_Surface* atlas = nullptr;
    SDL_Surface* image = loadDashboardImage();
    if (image != nullptr) {
        atlas = paddedAtlas(image);
        SDL_FreeSurface(image);
    }
    dashboardAtlas = atlas != nullptr ? atlas : transparentAtlas();
    atlasTexture = dashboardAtlas != nullptr ? textureFromSurface(dashboardAtlas) : 0;

    makeAtlasQuad(pointerQuad, 440, 60, 40, 60);
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 32; ++column) {
            int index = 32 * row + column;
            if (index < GlyphCount) {
                makeAtlasQuad(glyphQuads[index], 20.0f * column, 20.0f * row, 20, 20);
            }
        }
    }
    for (int style = 0; style < 2; ++style) {
        for (int column = 0; column < 3; ++column) {
            for (int row = 0; row < 3; ++row) {
                makeAtlasQuad(frameQuads[style][3 * column + row],
                    60.0f * style + 20.0f * column, 60.0f + 20.0f * row, 20, 20);
            }
        }
    }
}

void makeAtlasQuad(TexQuad& out, float x, float y, float w, float h)
{
    const float corners[8] = {x, y + h, x + w, y + h, x + w, y, x, y};
    for (int i = 0; i < 8; i += 2) {
        out.st[i] = corners[i] / AtlasWidth;
        out.st[i + 1] = corners[i + 1] / AtlasHeight;
    }
}

void beginOverlayDrawing() { beginFlatDrawing(atlasTexture, true); }

void endOverlayDrawing() { endFlatDrawing(); }

void drawText(const char* text, int x, int y)
{
    // Bytes without a glyph (control codes, the upper half) leave a gap of one advance.
    static const GlyphFont font{glyphQuads, FirstGlyphCode, LastGlyphCode, GlyphSize, GlyphSize, GlyphAdvance};
    beginOverlayDrawing();
    drawGlyphLine(font, static_cast<float>(x - 5), static_cast<float>(y), text);
    endOverlayDrawing();
}

static void drawFramePiece(const TexQuad* pieces, int k, int x, int y, int w, int h)
{
    drawTexturedQuad(static_cast<float>(x), static_cast<float>(y), static_cast<float>(w),
        static_cast<float>(h), &pieces[k]);
}

void drawFrame(int x, int y, uint8_t style)
{
    const TexQuad* pieces = frameQuads[style > 1 ? 1 : style];
    const int right = x + FrameInnerWidth;
    const int below = y + FrameInnerHeight;
    beginOverlayDrawing();
    drawFramePiece(pieces, 0, x - FramePiece, y - FramePiece, FramePiece, FramePiece);
    drawFramePiece(pieces, 2, x - FramePiece, below, FramePiece, FramePiece);
    drawFramePiece(pieces, 6, right, y - FramePiece, FramePiece, FramePiece);
    drawFramePiece(pieces, 8, right, below, FramePiece, FramePiece);
    for (int i = 0; i < FrameInnerPieces; ++i) {
        drawFramePiece(pieces, 5, x + FramePiece * i, below, FramePiece, FramePiece);
    }
    for (int i = 0; i < FrameInnerPieces; ++i) {
        drawFramePiece(pieces, 3, x + FramePiece * i, y - FramePiece, FramePiece, FramePiece);
    }
    drawFramePiece(pieces, 7, right, y, FramePiece, FrameInnerHeight);
    drawFramePiece(pieces, 1, x - FramePiece, y, FramePiece, FrameInnerHeight);
    for (int i = 0; i < FrameInnerPieces; ++i) {
        drawFramePiece(pieces, 4, x + FramePiece * i, y, FramePiece, FrameInnerHeight);
    }
    endOverlayDrawing();
}

bool menuButton(const char* label, int rowY)
{
    bool over = mouseX > ButtonLeft && mouseX < ButtonRight
        && mouseY > rowY - ButtonHalfHeight && mouseY < rowY + ButtonHalfHeight;
    bool clicked = over && mouseButtonState[SDL_BUTTON_LEFT] == InputState::KeyPressed;
    drawFrame(170, rowY - 7, over ? 1 : 0);
    int halfWidth = static_cast<int>(std::strlen(label) * GlyphAdvance * 0.5);
    drawText(label, 320 - halfWidth, rowY - 10);
    return clicked;
}

void drawPointer(int x, int y)
{
    beginOverlayDrawing();
    drawTexturedQuad(static_cast<float>(x - 12), static_cast<float>(y - 10), 40, 60, &pointerQuad);
    endOverlayDrawing();
}
