#include <gtest/gtest.h>

#include <GL/gl.h>
#include <SDL/SDL.h>
#include <string>

#include "app/input.h"
#include "overlay/dashboard.h"
#include "overlay/pause_menu.h"
#include "tests/gl/overlay_test_support.h"

namespace {

struct Texel {
    int r, g, b, a;
};

Texel atlasTexel(int x, int y)
{
    SDL_LockSurface(dashboardAtlas);
    const auto* row = static_cast<const uint8_t*>(dashboardAtlas->pixels) + y * dashboardAtlas->pitch;
    Uint32 value = reinterpret_cast<const Uint32*>(row)[x];
    SDL_UnlockSurface(dashboardAtlas);
    Uint8 r = 0;
    Uint8 g = 0;
    Uint8 b = 0;
    Uint8 a = 0;
    SDL_GetRGBA(value, dashboardAtlas->format, &r, &g, &b, &a);
    return Texel{r, g, b, a};
}

void expectPixel(int x, int y, Rgb expected)
{
    Rgb seen = readPixel(x, y);
    EXPECT_TRUE(closeTo(seen, expected))
        << "pixel " << x << "," << y << " is " << seen.r << "," << seen.g << "," << seen.b
        << ", expected " << expected.r << "," << expected.g << "," << expected.b;
}

void mouseAway()
{
    mouseX = 0;
    mouseY = 0;
    mouseButtonState[SDL_BUTTON_LEFT] = InputState::KeyUp;
}

TEST(DashboardAtlas, ImageIsPaddedTo1024By256WithItsAlphaCopiedUnchanged)
{
    useTestDashboard();
    ASSERT_NE(dashboardAtlas, nullptr);
    EXPECT_EQ(dashboardAtlas->w, AtlasWidth);
    EXPECT_EQ(dashboardAtlas->h, AtlasHeight);
    ASSERT_EQ(dashboardAtlas->format->BytesPerPixel, 4);
    EXPECT_NE(dashboardAtlas->format->Amask, 0u);
    EXPECT_NE(atlasTexture, 0u);

    Texel glyph = atlasTexel(5, 0);
    EXPECT_EQ(glyph.r, 32);
    EXPECT_EQ(glyph.g, 255);
    EXPECT_EQ(glyph.a, 255);
    EXPECT_EQ(atlasTexel(4, 0).a, 0);                    // transparent edge of a glyph cell
    Texel half = atlasTexel(HalfAlphaX, HalfAlphaY);     // copied, not blended onto the padding
    EXPECT_EQ(half.a, HalfAlpha);
    EXPECT_EQ(half.r, 255);
    EXPECT_EQ(half.b, 255);
    EXPECT_EQ(atlasTexel(700, 10).a, 0);                 // padding right of the image
    EXPECT_EQ(atlasTexel(10, 250).a, 0);                 // and below it
}

TEST(DashboardAtlas, MissingImageGivesOneLineAndATransparentAtlas)
{
    std::string message = useMissingDashboard();
    EXPECT_NE(message.find("Media/dashboard.png"), std::string::npos) << message;
    ASSERT_FALSE(message.empty());
    EXPECT_EQ(message.find('\n'), message.size() - 1) << message;
    ASSERT_NE(dashboardAtlas, nullptr);
    EXPECT_EQ(dashboardAtlas->w, AtlasWidth);
    EXPECT_EQ(dashboardAtlas->h, AtlasHeight);
    for (int y = 0; y < AtlasHeight; y += 5) {
        for (int x = 0; x < AtlasWidth; x += 5) {
            ASSERT_EQ(atlasTexel(x, y).a, 0) << x << "," << y;
        }
    }
    openTestWindow();
    mouseAway();
    menuButton("Exit", 165);
    drawPointer(200, 150);
    for (int y = 130; y < 200; y += 3) {
        for (int x = 140; x < 500; x += 3) {
            ASSERT_TRUE(closeTo(readPixel(x, y), ClearColour)) << x << "," << y;
        }
    }
    useTestDashboard();
}

TEST(DashboardAtlas, QuadsPickTheirAtlasRectanglesInDrawingCornerOrder)
{
    useTestDashboard();
    // Corners: lower left, lower right, upper right, upper left, in 1/1024 and 1/256 units.
    const float pointer[8] = {440 / 1024.0f, 120 / 256.0f, 480 / 1024.0f, 120 / 256.0f,
        480 / 1024.0f, 60 / 256.0f, 440 / 1024.0f, 60 / 256.0f};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(pointerQuad.st[i], pointer[i]) << i;
    }
    // 'A' (65) is the second cell of the second row; the last glyph '~' the 31st of the third.
    EXPECT_EQ(glyphQuads['A' - 32].st[6], 20 / 1024.0f);
    EXPECT_EQ(glyphQuads['A' - 32].st[7], 20 / 256.0f);
    EXPECT_EQ(glyphQuads['~' - 32].st[6], 600 / 1024.0f);
    EXPECT_EQ(glyphQuads['~' - 32].st[7], 40 / 256.0f);
    // Highlighted bottom edge: style 1, middle column, bottom row.
    EXPECT_EQ(frameQuads[1][5].st[6], 80 / 1024.0f);
    EXPECT_EQ(frameQuads[1][5].st[7], 100 / 256.0f);
    EXPECT_EQ(topPanelQuad.st[7], 120 / 256.0f);
    EXPECT_EQ(bottomPanelQuad.st[1], 240 / 256.0f);
}

TEST(DashboardText, GlyphsShowTenPixelsApartFromTheGivenX)
{
    useTestDashboard();
    openTestWindow();
    drawText("AB", 100, 200);
    expectPixel(99, 210, ClearColour);
    expectPixel(100, 210, glyphColour('A'));
    expectPixel(109, 210, glyphColour('A'));
    expectPixel(110, 210, glyphColour('B'));
    expectPixel(119, 219, glyphColour('B'));
    expectPixel(120, 210, ClearColour);
    expectPixel(105, 199, ClearColour);
    expectPixel(105, 200, glyphColour('A'));
    expectPixel(105, 220, ClearColour);
}

TEST(DashboardText, BytesWithoutAGlyphDrawNothingButStillAdvance)
{
    useTestDashboard();
    openTestWindow();
    drawText("A\x01" "B\xC3" "C", 100, 200);
    expectPixel(105, 210, glyphColour('A'));
    expectPixel(115, 210, ClearColour);
    expectPixel(125, 210, glyphColour('B'));
    expectPixel(135, 210, ClearColour);
    expectPixel(145, 210, glyphColour('C'));
}

TEST(DashboardText, EmptyTextDrawsNothingAndLeavesTheStateOff)
{
    useTestDashboard();
    openTestWindow();
    drawText("", 100, 200);
    for (int x = 90; x < 130; x += 2) {
        ASSERT_TRUE(closeTo(readPixel(x, 210), ClearColour)) << x;
    }
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
    EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
}

TEST(DashboardFrame, NinePiecesSpanFromTwentyBeforeToTwentyAfterTheInnerArea)
{
    useTestDashboard();
    openTestWindow();
    drawFrame(170, 108, 0);
    // Covers x 150..489 and y 88..142.
    expectPixel(150, 88, frameColour(0, 0));
    expectPixel(149, 88, ClearColour);
    expectPixel(150, 87, ClearColour);
    expectPixel(150, 142, frameColour(0, 2));
    expectPixel(150, 143, ClearColour);
    expectPixel(489, 88, frameColour(0, 6));
    expectPixel(490, 88, ClearColour);
    expectPixel(489, 142, frameColour(0, 8));
    expectPixel(300, 95, frameColour(0, 3));
    expectPixel(300, 135, frameColour(0, 5));
    expectPixel(160, 115, frameColour(0, 1));
    expectPixel(480, 115, frameColour(0, 7));
    expectPixel(170, 115, frameColour(0, 4));
    expectPixel(469, 115, frameColour(0, 4));

    openTestWindow();
    drawFrame(170, 108, 1);
    expectPixel(150, 88, frameColour(1, 0));
    expectPixel(300, 115, frameColour(1, 4));
    expectPixel(489, 142, frameColour(1, 8));
}

TEST(MenuButton, LabelsAreCentredOnX320)
{
    useTestDashboard();
    openTestWindow();
    mouseAway();
    EXPECT_FALSE(menuButton("Exit", 165));
    EXPECT_FALSE(menuButton("Resume game", 115));
    // "Exit": pen at 295, glyphs from 300 to 339, on the centre pieces of an unlit frame.
    expectPixel(299, 165, frameColour(0, 4));
    expectPixel(300, 165, glyphColour('E'));
    expectPixel(339, 165, glyphColour('t'));
    expectPixel(340, 165, frameColour(0, 4));
    expectPixel(300, 155, glyphColour('E'));    // text from rowY - 10
    expectPixel(300, 174, glyphColour('E'));
    // "Resume game": pen at 260, glyphs from 265 to 374.
    expectPixel(264, 115, frameColour(0, 4));
    expectPixel(265, 115, glyphColour('R'));
    expectPixel(374, 115, glyphColour('e'));
    expectPixel(375, 115, frameColour(0, 4));
    expectPixel(150, 88, frameColour(0, 0));    // frames from rowY - 27
    expectPixel(150, 87, ClearColour);
    expectPixel(489, 192, frameColour(0, 8));   // to rowY + 28, exclusive
    expectPixel(489, 193, ClearColour);
}

TEST(MenuButton, HitRectangleIsStrictOnAllFourEdges)
{
    useTestDashboard();
    openTestWindow();
    const int rowY = 300;
    mouseButtonState[SDL_BUTTON_LEFT] = InputState::KeyPressed;
    const int inside[][2] = {{157, 300}, {482, 300}, {320, 280}, {320, 320}};
    for (const auto& at : inside) {
        mouseX = at[0];
        mouseY = at[1];
        EXPECT_TRUE(menuButton("Exit", rowY)) << at[0] << "," << at[1];
    }
    const int outside[][2] = {{156, 300}, {483, 300}, {320, 279}, {320, 321}};
    for (const auto& at : outside) {
        mouseX = at[0];
        mouseY = at[1];
        EXPECT_FALSE(menuButton("Exit", rowY)) << at[0] << "," << at[1];
    }
    mouseAway();
}

TEST(MenuButton, FrameIsLitWheneverTheMouseIsOverPressedOrNot)
{
    useTestDashboard();
    openTestWindow();
    mouseX = 200;
    mouseY = 300;
    mouseButtonState[SDL_BUTTON_LEFT] = InputState::KeyUp;
    EXPECT_FALSE(menuButton("Exit", 300));
    expectPixel(150, 273, frameColour(1, 0));
    mouseButtonState[SDL_BUTTON_LEFT] = InputState::KeyHeld;
    EXPECT_FALSE(menuButton("Exit", 100));
    expectPixel(150, 73, frameColour(0, 0));
    mouseAway();
}

TEST(MenuButton, ClicksOnlyInTheFrameTheButtonWentDownOverIt)
{
    useTestDashboard();
    openTestWindow();
    moveMouseTo(320, 300);
    pushLeftButton(true, 320, 300);
    updateInput();
    EXPECT_TRUE(menuButton("Exit", 300));
    updateInput();
    EXPECT_FALSE(menuButton("Exit", 300)) << "a held button clicked again";
    pushLeftButton(false, 320, 300);
    updateInput();
    EXPECT_FALSE(menuButton("Exit", 300));

    moveMouseTo(320, 400);
    pushLeftButton(true, 320, 400);
    updateInput();
    EXPECT_FALSE(menuButton("Exit", 300));
    moveMouseTo(320, 300);
    updateInput();
    EXPECT_FALSE(menuButton("Exit", 300)) << "pressing outside and moving in clicked";
    pushLeftButton(false, 320, 300);
    updateInput();
    mouseAway();
}

TEST(DashboardPointer, HotSpotLandsOnTheMousePosition)
{
    useTestDashboard();
    openTestWindow();
    drawPointer(200, 150);
    expectPixel(200, 150, HotSpotColour);
    expectPixel(199, 150, PointerColour);
    expectPixel(201, 151, PointerColour);
    expectPixel(188, 140, PointerColour);    // sprite's top-left at (x - 12, y - 10)
    expectPixel(187, 140, ClearColour);
    expectPixel(188, 139, ClearColour);
    expectPixel(217, 199, PointerColour);    // last opaque column and row
    expectPixel(217, 200, ClearColour);
    expectPixel(218, 170, ClearColour);      // transparent columns let the frame show through
}

} // namespace
