// overlay/dashboard.h — the dashboard atlas and its text, frame, button and pointer widgets.
#pragma once
#include <cstdint>
#include "overlay/screen_draw.h"

struct SDL_Surface;

constexpr int AtlasWidth = 1024;
constexpr int AtlasHeight = 256;
// Written by initOverlay; the widgets below only read them.
extern SDL_Surface* dashboardAtlas;
extern uint32_t atlasTexture;
extern TexQuad glyphQuads[95];
extern TexQuad frameQuads[2][9];
extern TexQuad pointerQuad;

// The font is monospaced: each glyph sits in a 20-pixel cell but the pen moves by half of it.
constexpr int GlyphAdvance = 10;

// Builds the atlas, its texture and the widget quads; the pause menu's set-up runs after it.
void initOverlay();
void makeAtlasQuad(TexQuad& out, float x, float y, float w, float h);
void beginOverlayDrawing();
void endOverlayDrawing();
void drawText(const char* text, int x, int y);
void drawFrame(int x, int y, uint8_t style);
bool menuButton(const char* label, int rowY);
void drawPointer(int x, int y);
