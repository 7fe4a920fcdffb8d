#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "app/input.h"
#include "overlay/pause_menu.h"

namespace {

std::string versionText(float version)
{
    char text[256];
    formatVersionText(version, text, sizeof text);
    return text;
}

TEST(VersionText, DropsTrailingZerosButKeepsOneDecimal)
{
    EXPECT_EQ(versionText(0.3f), "v0.3");
    EXPECT_EQ(versionText(1.0f), "v1.0");
    EXPECT_EQ(versionText(1.25f), "v1.25");
    EXPECT_EQ(versionText(10.0f), "v10.0");
    EXPECT_EQ(versionText(2.5f), "v2.5");
    EXPECT_EQ(versionText(0.0f), "v0.0");
}

TEST(VersionText, FitsASmallBuffer)
{
    char text[4];
    formatVersionText(1.25f, text, sizeof text);
    EXPECT_STREQ(text, "v1.");
}

TEST(MenuLayout, ButtonRowAndPanelSlideAreExactIntegersForEveryFade)
{
    for (int k = 0; k <= 20; ++k) {
        float fade = 5.0f * k;
        // 595 - 4.8 * fade and 60 - 0.6 * fade in whole numbers: 24 and 3 per step of 5.
        EXPECT_EQ(buttonRowY(fade), 595 - 24 * k) << fade;
        EXPECT_EQ(panelSlide(fade), 60 - 3 * k) << fade;
    }
    EXPECT_EQ(buttonRowY(5.0f), 571);
    EXPECT_EQ(buttonRowY(25.0f), 475);
    EXPECT_EQ(buttonRowY(50.0f), 355);
    EXPECT_EQ(buttonRowY(100.0f), 115);
    EXPECT_EQ(panelSlide(5.0f), 57);
    EXPECT_EQ(panelSlide(50.0f), 30);
    EXPECT_EQ(panelSlide(100.0f), 0);
}

TEST(MenuLayout, FadesOutsideTheRangeReadAsItsEnds)
{
    EXPECT_EQ(buttonRowY(-5.0f), 595);
    EXPECT_EQ(buttonRowY(250.0f), 115);
    EXPECT_EQ(buttonRowY(NAN), 595);
    EXPECT_EQ(panelSlide(INFINITY), 0);
}

class MenuFade : public ::testing::Test {
protected:
    void SetUp() override
    {
        menuOpen = false;
        menuFade = 0.0f;
        keyState[27] = InputState::KeyUp;
    }
    void TearDown() override
    {
        menuOpen = false;
        menuFade = 0.0f;
        keyState[27] = InputState::KeyUp;
    }
    // One frame's worth: Escape pressed in this frame or not, then updateMenu with step 1.
    void frame(bool escape)
    {
        keyState[27] = escape ? InputState::KeyPressed : InputState::KeyHeld;
        updateMenu(1.0f);
    }
};

TEST_F(MenuFade, OpensInTwentyFramesAndClosesInTwenty)
{
    frame(true);
    EXPECT_TRUE(menuOpen);
    EXPECT_EQ(menuFade, 5.0f);
    for (int i = 2; i <= 19; ++i) {
        frame(false);
    }
    EXPECT_EQ(menuFade, 95.0f);
    frame(false);
    EXPECT_EQ(menuFade, 100.0f);
    frame(false);
    EXPECT_EQ(menuFade, 100.0f);

    frame(true);
    EXPECT_FALSE(menuOpen);
    for (int i = 2; i <= 19; ++i) {
        frame(false);
    }
    EXPECT_EQ(menuFade, 5.0f);
    frame(false);
    EXPECT_EQ(menuFade, 0.0f);
    frame(false);
    EXPECT_EQ(menuFade, 0.0f);
}

TEST_F(MenuFade, SecondEscapeReversesFromWhereTheFadeStands)
{
    const float expected[] = {5, 10, 15, 10, 5, 0, 0, 0};
    const bool escape[] = {true, false, false, true, false, false, false, false};
    for (int i = 0; i < 8; ++i) {
        frame(escape[i]);
        EXPECT_EQ(menuFade, expected[i]) << "frame " << i + 1;
    }
}

TEST_F(MenuFade, HeldEscapeTogglesOnlyOnce)
{
    frame(true);
    for (int i = 0; i < 30; ++i) {
        frame(false);
        EXPECT_TRUE(menuOpen);
    }
    EXPECT_EQ(menuFade, 100.0f);
}

TEST_F(MenuFade, NotANumberBecomesClosed)
{
    menuFade = NAN;
    updateMenu(1.0f);
    EXPECT_EQ(menuFade, 0.0f);
    menuOpen = true;
    menuFade = 50.0f;
    updateMenu(NAN);
    EXPECT_EQ(menuFade, 0.0f);
}

} // namespace
