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
