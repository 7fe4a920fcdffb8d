#include "overlay/pause_menu.h"

#include <cstdio>
#include <cstring>

#include "app/frame_clock.h"
#include "app/input.h"
#include "app/key_codes.h"
#include "app/startup.h"
#include "app/video.h"
#include "overlay/dashboard.h"

bool menuOpen = false;
float menuFade = 0.0f;
char captionLine1[256];
char captionLine2[256];
TexQuad topPanelQuad;
TexQuad bottomPanelQuad;

static constexpr float FadePerStep = 5.0f;
static constexpr float FadeOpen = 100.0f;
static constexpr int PanelWidth = 640;
static constexpr int PanelHeight = 60;
static constexpr int TextRight = 620;

void initPauseScreen()
{
    menuFade = 0.0f;
    menuOpen = false;
    makeAtlasQuad(topPanelQuad, 0, 120, 640, 60);
    makeAtlasQuad(bottomPanelQuad, 0, 180, 640, 60);
    captionLine1[0] = '\0';
    std::snprintf(captionLine2, sizeof captionLine2, "%s", WindowCaption);
}

void updateMenu(float step)
{
    if (keyState[KeyMenu] == InputState::KeyPressed) {
        menuOpen = !menuOpen;
    }
    menuFade += menuOpen ? FadePerStep * step : -FadePerStep * step;
    if (menuFade > FadeOpen) {
        menuFade = FadeOpen;
    } else if (menuFade < 0.0f) {
        menuFade = 0.0f;
    }
    if (menuFade != menuFade) {
        menuFade = 0.0f;
    }
}

void formatVersionText(float version, char* out, int size)
{
    if (size <= 0) {
        return;
    }
    std::snprintf(out, static_cast<size_t>(size), "%s%f", "v", static_cast<double>(version));
    size_t length = std::strlen(out);
    while (length > 2 && out[length - 2] != '.' && out[length - 1] == '0') {
        out[--length] = '\0';
    }
}

// Fades outside 0..100 (or not a number) are read as the nearest end, so the casts below stay defined.
static double clampedFade(float fade)
{
    if (!(fade > 0.0f)) {
        return 0.0;
    }
    return fade > FadeOpen ? 100.0 : static_cast<double>(fade);
}

// Both positions are linear in the fade with slopes that are not binary fractions (4.8 and 0.6):
// scaling to whole hundredths first keeps the exact integers exact instead of a hair below them.
int buttonRowY(float fade)
{
    return static_cast<int>((59500.0 - 480.0 * clampedFade(fade)) / 100.0);
}

int panelSlide(float fade)
{
    return static_cast<int>((6000.0 - 60.0 * clampedFade(fade)) / 100.0);
}

static int rightAligned(const char* text)
{
    return TextRight - GlyphAdvance * static_cast<int>(std::strlen(text));
}

static void drawPanel(const TexQuad* quad, int y)
{
    beginOverlayDrawing();
    drawTexturedQuad(0, static_cast<float>(y), PanelWidth, PanelHeight, quad);
    endOverlayDrawing();
}

void drawPausePanels()
{
    const int d = panelSlide(menuFade);
    char versionText[256];
    formatVersionText(versionNumber, versionText, sizeof versionText);

    drawPanel(&topPanelQuad, -d);
    drawText(titleText, 20, 18 - d);
    drawText(versionText, 20, 38 - d);
    drawText(dateText, rightAligned(dateText), 18 - d);
    drawText(clockText, rightAligned(clockText), 38 - d);

    drawPanel(&bottomPanelQuad, 420 + d);
    drawText(captionLine1, 20, 422 + d);
    drawText(captionLine2, 20, 442 + d);
}

bool runPauseMenu()
{
    drawPausePanels();
    const int rowY = buttonRowY(menuFade);
    if (menuButton("Resume game", rowY)) {
        menuOpen = false;
    }
    return menuButton("Exit", rowY + 50);
}
