#include "tests/gl/gl_test_window.h"

#include <GL/gl.h>
#include <SDL/SDL.h>
#include <cstdlib>

#include "app/settings.h"
#include "app/video.h"

void openTestWindow()
{
    static bool opened = false;
    if (!opened) {
        settings = Settings{};
        settings.screenWidth = TestWindowWidth;
        settings.screenHeight = TestWindowHeight;
        settings.screenAspect = settings.screenWidth / settings.screenHeight;
        openVideo();
        opened = true;
    }
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

Rgb readPixel(int x, int y)
{
    unsigned char pixel[4] = {0, 0, 0, 0};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(x, TestWindowHeight - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    return Rgb{pixel[0], pixel[1], pixel[2]};
}

bool closeTo(Rgb a, Rgb b, int tolerance)
{
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}
