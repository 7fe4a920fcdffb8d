// render/screens.h — the splash and title screens and the heads-up display.
#pragma once
#include "overlay/screen_draw.h"

// Written by buildHudGlyphs at start-up; the HUD text only reads them.
extern TexQuad hudGlyphQuads[96];
extern float hudGlyphWidth;
extern float hudGlyphHeight;

void drawSplashScreen();
void drawTitleScreen();
void buildHudGlyphs();
void drawHudText(float x, float y, const char* text, float scale);
void drawHudPanel(float x, float y, float width, float height);
void drawHud();
