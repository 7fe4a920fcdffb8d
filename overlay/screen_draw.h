// overlay/screen_draw.h — pixel-space projection and the one textured 2D quad.
#pragma once

// Texture coordinates of a quad's corners: lower left, lower right, upper right, upper left.
struct TexQuad {
    float st[8];
};

void setScreenProjection(float top, float left);
void drawTexturedQuad(float x, float y, float w, float h, const TexQuad* texQuad);
