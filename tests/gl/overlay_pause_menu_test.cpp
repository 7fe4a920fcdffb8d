#include <gtest/gtest.h>

#include <SDL/SDL.h>
#include <cstdio>

#include "app/frame_clock.h"
#include "app/game_state.h"
#include "app/input.h"
#include "app/startup.h"
#include "app/video.h"
#include "overlay/dashboard.h"
#include "overlay/pause_menu.h"
#include "tests/gl/overlay_test_support.h"

namespace {

void expectPixel(int x, int y, Rgb expected)
{
    Rgb seen = readPixel(x, y);
    EXPECT_TRUE(closeTo(seen, expected))
        << "pixel " << x << "," << y << " is " << seen.r << "," << seen.g << "," << seen.b
        << ", expected " << expected.r << "," << expected.g << "," << expected.b;
}

// The menu drawn at one fade with known texts and the mouse away from the buttons.
void drawMenuAt(float fade)
{
    useTestDashboard();
    openTestWindow();
    std::snprintf(titleText, sizeof titleText, "%s", "AB");
    versionNumber = 0.3f;
    std::snprintf(dateText, sizeof dateText, "%s", "Tuesday May 31st 2011");
    std::snprintf(clockText, sizeof clockText, "%s", "1:07:02 PM");
    mouseX = 0;
    mouseY = 0;
    mouseButtonState[SDL_BUTTON_LEFT] = InputState::KeyUp;
    menuOpen = true;
    menuFade = fade;
    EXPECT_FALSE(runPauseMenu());
    EXPECT_TRUE(menuOpen);
}

TEST(PausePanels, FullyOpenPanelsCoverTheTopAndBottomSixtyRows)
{
    drawMenuAt(100.0f);
    expectPixel(630, 0, TopPanelColour);
    expectPixel(630, 59, TopPanelColour);
    expectPixel(630, 60, ClearColour);
    expectPixel(630, 419, ClearColour);
    expectPixel(630, 420, BottomPanelColour);
    expectPixel(630, 479, BottomPanelColour);
}

TEST(PausePanels, TitleVersionDateAndClockSitInTheTopPanel)
{
    drawMenuAt(100.0f);
    expectPixel(20, 18, glyphColour('A'));
    expectPixel(20, 17, TopPanelColour);
    expectPixel(19, 18, TopPanelColour);
    expectPixel(39, 37, glyphColour('B'));
    // "v0.3": four glyphs from x 20 on the second line.
    expectPixel(20, 38, glyphColour('v'));
    expectPixel(59, 57, glyphColour('3'));
    expectPixel(60, 45, TopPanelColour);
    // Right-aligned texts end exactly at x 620.
    expectPixel(410, 25, glyphColour('T'));
    expectPixel(409, 25, TopPanelColour);
    expectPixel(619, 25, glyphColour('1'));
    expectPixel(620, 25, TopPanelColour);
    expectPixel(520, 45, glyphColour('1'));
    expectPixel(519, 45, TopPanelColour);
    expectPixel(619, 45, glyphColour('M'));
    expectPixel(620, 45, TopPanelColour);
}

TEST(PausePanels, CaptionShowsOnTheSecondLineOfTheBottomPanel)
{
    drawMenuAt(100.0f);
    EXPECT_STREQ(captionLine1, "");
    EXPECT_STREQ(captionLine2, WindowCaption);
    expectPixel(25, 430, BottomPanelColour);    // the empty first line draws nothing
    expectPixel(20, 442, glyphColour(WindowCaption[0]));
    expectPixel(20, 461, glyphColour(WindowCaption[0]));
    expectPixel(20, 462, BottomPanelColour);
}

TEST(PausePanels, ButtonsRiseToRows115And165)
{
    drawMenuAt(100.0f);
    expectPixel(265, 115, glyphColour('R'));
    expectPixel(264, 115, frameColour(0, 4));
    expectPixel(300, 165, glyphColour('E'));
    expectPixel(299, 165, frameColour(0, 4));
}

TEST(PausePanels, FirstFrameOfTheFadeShowsThreeRowsOfEachPanelAndNoButtons)
{
    drawMenuAt(5.0f);
    expectPixel(630, 2, TopPanelColour);
    expectPixel(630, 3, ClearColour);
    expectPixel(630, 476, ClearColour);
    expectPixel(630, 477, BottomPanelColour);
    for (int y = 60; y < 477; y += 4) {
        ASSERT_TRUE(closeTo(readPixel(320, y), ClearColour)) << y;
    }
}

TEST(PausePanels, HalfwayTheOffsetsAreExactIntegers)
{
    drawMenuAt(50.0f);
    // Panels 30 rows out: the title's glyphs span y -12 to 7, the version's from 8.
    expectPixel(20, 7, glyphColour('A'));
    expectPixel(20, 8, glyphColour('v'));
    expectPixel(630, 29, TopPanelColour);
    expectPixel(630, 30, ClearColour);
    expectPixel(630, 449, ClearColour);
    expectPixel(630, 450, BottomPanelColour);
    // Row 355: the label from y 345, under the frame's top edge.
    expectPixel(265, 344, frameColour(0, 3));
    expectPixel(265, 345, glyphColour('R'));
}

TEST(PausePanels, AtAQuarterTheButtonRowIs475)
{
    drawMenuAt(25.0f);
    expectPixel(265, 464, frameColour(0, 3));
    expectPixel(265, 465, glyphColour('R'));
}

class PauseMenuLoop : public ::testing::Test {
protected:
    void SetUp() override
    {
        useTestDashboard();
        initPauseScreen();
        quitRequested = false;
        gameState = GameState::Splash;
        splashStartTicks = 0;
        std::snprintf(titleText, sizeof titleText, "%s", "Lornhaven");
        versionNumber = 0.3f;
        moveMouseTo(600, 300);
        runFrame();
    }
    void TearDown() override
    {
        pushKey(SDLK_ESCAPE, false);
        pushLeftButton(false, mouseX, mouseY);
        updateInput();
        initPauseScreen();
        quitRequested = false;
        gameState = GameState::Splash;
    }
    // Escape down in one frame and up in the next, as a quick key press arrives.
    void escapeFrame()
    {
        pushKey(SDLK_ESCAPE, true);
        runFrame();
        pushKey(SDLK_ESCAPE, false);
    }
    void openFully()
    {
        escapeFrame();
        for (int frame = 2; frame <= 20; ++frame) {
            runFrame();
        }
        ASSERT_EQ(menuFade, 100.0f);
    }
};

TEST_F(PauseMenuLoop, EscapeOpensInTwentyFramesAndClosesInTwenty)
{
    escapeFrame();
    EXPECT_TRUE(menuOpen);
    EXPECT_EQ(menuFade, 5.0f);
    for (int frame = 2; frame <= 19; ++frame) {
        runFrame();
    }
    EXPECT_EQ(menuFade, 95.0f);
    runFrame();
    EXPECT_EQ(menuFade, 100.0f);

    escapeFrame();
    EXPECT_FALSE(menuOpen);
    for (int frame = 2; frame <= 19; ++frame) {
        runFrame();
    }
    EXPECT_EQ(menuFade, 5.0f);
    runFrame();
    EXPECT_EQ(menuFade, 0.0f);
}

TEST_F(PauseMenuLoop, SecondEscapeWithinAFewFramesReversesTheFade)
{
    escapeFrame();
    runFrame();
    runFrame();
    EXPECT_EQ(menuFade, 15.0f);
    escapeFrame();
    EXPECT_EQ(menuFade, 10.0f);
    for (int frame = 0; frame < 5; ++frame) {
        runFrame();
        EXPECT_GE(menuFade, 0.0f);
        EXPECT_LE(menuFade, 100.0f);
    }
    EXPECT_EQ(menuFade, 0.0f);
    EXPECT_FALSE(menuOpen);
}

TEST_F(PauseMenuLoop, ResumeGameRestartsTheGameStepInTheTwentyFirstFrame)
{
    escapeFrame();
    for (int frame = 2; frame <= 19; ++frame) {
        runFrame();
    }
    moveMouseTo(320, 115);
    pushLeftButton(true, 320, 115);
    // The step records the splash start when it runs: clearing it marks every frame that skips it.
    splashStartTicks = 0;
    runFrame();
    EXPECT_EQ(menuFade, 100.0f);
    EXPECT_FALSE(menuOpen);
    pushLeftButton(false, 320, 115);
    for (int frame = 1; frame <= 20; ++frame) {
        runFrame();
        ASSERT_EQ(splashStartTicks, 0) << "game step ran in frame " << frame << " after the click";
    }
    EXPECT_EQ(menuFade, 0.0f);
    runFrame();
    EXPECT_NE(splashStartTicks, 0) << "game step did not run in the 21st frame";
    EXPECT_FALSE(quitRequested);
}

TEST_F(PauseMenuLoop, ExitRequestsQuitAndLeavesTheMenuAsItIs)
{
    openFully();
    moveMouseTo(320, 165);
    pushLeftButton(true, 320, 165);
    runFrame();
    EXPECT_TRUE(quitRequested);
    EXPECT_TRUE(menuOpen);
    EXPECT_EQ(menuFade, 100.0f);
}

TEST_F(PauseMenuLoop, ClickOutsideTheButtonsDoesNothing)
{
    openFully();
    moveMouseTo(320, 140);
    pushLeftButton(true, 320, 140);
    runFrame();
    EXPECT_FALSE(quitRequested);
    EXPECT_TRUE(menuOpen);
}

} // namespace
