// Numbers in settings.ini that no int holds (not finite, or beyond its range) must not reach a
// conversion to an integer: they read as 0, like a value that is not a number, and one line on
// standard error names the key and the value.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <string>
#include <vector>

#include "app/settings.h"

namespace {

// Runs loadSettings on the given settings.ini text in a folder of its own and returns what it
// wrote to standard error.
std::string loadSettingsText(const std::string& text)
{
    std::string folder = ::testing::TempDir() + "lornhaven_range_" + std::to_string(getpid());
    mkdir(folder.c_str(), 0700);
    FILE* file = std::fopen((folder + "/settings.ini").c_str(), "wb");
    EXPECT_NE(file, nullptr);
    std::fputs(text.c_str(), file);
    std::fclose(file);

    char previous[4096];
    EXPECT_NE(getcwd(previous, sizeof previous), nullptr);
    EXPECT_EQ(chdir(folder.c_str()), 0);
    ::testing::internal::CaptureStderr();
    loadSettings();
    std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(chdir(previous), 0);
    return said;
}

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

TEST(SettingsOutOfRange, NotFiniteSizesReadAsZeroWithOneLineEach)
{
    std::string said = loadSettingsText("screenw=nan\nscreenh=inf\n");
    EXPECT_EQ(settings.screenWidth, 0.0f);
    EXPECT_EQ(settings.screenHeight, 0.0f);
    std::vector<std::string> lines = linesOf(said);
    ASSERT_EQ(lines.size(), 2u) << said;
    EXPECT_EQ(lines[0].rfind("Lornhaven: ", 0), 0u) << said;
    EXPECT_NE(lines[0].find("screenw=nan"), std::string::npos) << said;
    EXPECT_NE(lines[1].find("screenh=inf"), std::string::npos) << said;

    said = loadSettingsText("screenw=-inf\nscreenh=-nan\n");
    EXPECT_EQ(settings.screenWidth, 0.0f);
    EXPECT_EQ(settings.screenHeight, 0.0f);
    EXPECT_EQ(linesOf(said).size(), 2u) << said;
    EXPECT_NE(said.find("screenw=-inf"), std::string::npos) << said;
}

TEST(SettingsOutOfRange, ValuesBeyondTheIntRangeReadAsZero)
{
    std::string said = loadSettingsText("screenw=1e10\nscreenh=-3e9\nscreenbpp=1e10\n");
    EXPECT_EQ(settings.screenWidth, 0.0f);
    EXPECT_EQ(settings.screenHeight, 0.0f);
    EXPECT_EQ(settings.screenBpp, 0);
    std::vector<std::string> lines = linesOf(said);
    ASSERT_EQ(lines.size(), 3u) << said;
    EXPECT_NE(lines[0].find("screenw="), std::string::npos) << said;
    EXPECT_NE(lines[1].find("screenh="), std::string::npos) << said;
    EXPECT_NE(lines[2].find("screenbpp="), std::string::npos) << said;

    said = loadSettingsText("screenbpp=nan\n");
    EXPECT_EQ(settings.screenBpp, 0);
    EXPECT_NE(said.find("screenbpp=nan"), std::string::npos) << said;
}

// Large but finite values that an int holds go on to the video mode unchanged and quietly; so
// do the yes/no keys, which never become integers.
TEST(SettingsOutOfRange, ValuesAnIntHoldsAreKeptQuietly)
{
    std::string said = loadSettingsText(
        "screenw=1e9\nscreenh=-2147483648\nscreenbpp=32.9\nfullscreen=inf\nmipmapping=1e30\n");
    EXPECT_EQ(settings.screenWidth, 1e9f);
    EXPECT_EQ(settings.screenHeight, static_cast<float>(INT_MIN));
    EXPECT_EQ(settings.screenBpp, 32);
    EXPECT_TRUE(settings.fullscreen);
    EXPECT_TRUE(settings.mipmapping);
    EXPECT_EQ(said, "");
}

}  // namespace
