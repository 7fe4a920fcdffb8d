// overlay/screen_draw.h — pixel-space projection, the one textured 2D quad, the state flat
// drawing runs in and a line of glyphs.
#pragma once
#include <cstdint>

// Texture coordinates of a quad's corners: lower left, lower right, upper right, upper left.
struct TexQuad {
    float st[8];
};

void setScreenProjection(float top, float left);
void drawTexturedQuad(float x, float y, float w, float h, const TexQuad* texQuad);

// The state every flat screen, the HUD and the overlay draw in: the pixel projection with no
// depth test, TEXTURE bound and on, quads from client arrays; BLENDED also turns on blending and
// the alpha test (their functions are set once with the window). endFlatDrawing turns off all
// that beginFlatDrawing may have turned on, and is where the 3D scene hands over to them too.
void beginFlatDrawing(uint32_t texture, bool blended);
void endFlatDrawing();

// A font of one line: the quads of codes FIRSTCODE to LASTCODE in order, each drawn WIDTH x
// HEIGHT pixels, the pen moving ADVANCE to the right after every byte.
struct GlyphFont {
    const TexQuad* quads;
    int firstCode, lastCode;
    float width, height, advance;
};
// TEXT from (x, y), its top left, in the current state; a byte the font has no glyph for leaves
// a gap of one advance.
void drawGlyphLine(const GlyphFont& font, float x, float y, const char* text);
