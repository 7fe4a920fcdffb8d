#include "overlay/screen_draw.h"

#include <GL/gl.h>

#include "app/settings.h"

void setScreenProjection(float top, float left)
{
    glDisable(GL_DEPTH_TEST);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glScalef(1.0f, -1.0f, 1.0f);
    glTranslatef(-1.0f, -1.0f, 0.0f);
    glScalef(1.0f / ((settings.screenWidth - left) * 0.5f), 1.0f / ((settings.screenHeight - top) * 0.5f), 1.0f);
    glTranslatef(left, top, 0.0f);
}

void drawTexturedQuad(float x, float y, float w, float h, const TexQuad* texQuad)
{
    const float corners[8] = {
        x, y + h,
        x + w, y + h,
        x + w, y,
        x, y,
    };
    glVertexPointer(2, GL_FLOAT, 0, corners);
    glTexCoordPointer(2, GL_FLOAT, 0, texQuad->st);
    glDrawArrays(GL_QUADS, 0, 4);
}

void beginFlatDrawing(uint32_t texture, bool blended)
{
    setScreenProjection(0.0f, 0.0f);
    glBindTexture(GL_TEXTURE_2D, texture);
    glEnable(GL_TEXTURE_2D);
    if (blended) {
        glEnable(GL_BLEND);
        glEnable(GL_ALPHA_TEST);
    }
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
}

void endFlatDrawing()
{
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
}

void drawGlyphLine(const GlyphFont& font, float x, float y, const char* text)
{
    float pen = x;
    for (const char* c = text; *c != '\0'; ++c) {
        const int code = static_cast<unsigned char>(*c);
        if (code >= font.firstCode && code <= font.lastCode) {
            drawTexturedQuad(pen, y, font.width, font.height, &font.quads[code - font.firstCode]);
        }
        pen += font.advance;
    }
}
