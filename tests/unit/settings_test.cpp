#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "app/settings.h"

namespace {

std::string writeSettings(const std::string& text)
{
    // CTest runs test cases as parallel processes: each needs a file of its own.
    std::string path = ::testing::TempDir() + "lornhaven_settings_test_" + std::to_string(getpid()) + ".ini";
    FILE* file = std::fopen(path.c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
    return path;
}

float valueAfterReading(const std::string& text, const char* key)
{
    readSettingsFrom(writeSettings(text).c_str());
    return settingValue(key);
}

TEST(SettingsFile, MissingFileGivesNoLinesAndZeroes)
{
    readSettingsFrom("/nonexistent/settings.ini");
    EXPECT_EQ(settingsLineCount, 0);
    EXPECT_EQ(settingValue("screenw"), 0.0f);
}

TEST(SettingsFile, ReadsSizesAndTruncatesDepth)
{
    readSettingsFrom(writeSettings("screenw=1024\nscreenh=768\nscreenbpp=32.9\n").c_str());
    EXPECT_EQ(settingsLineCount, 100);
    EXPECT_EQ(settingValue("screenw"), 1024.0f);
    EXPECT_EQ(settingValue("screenh"), 768.0f);
    EXPECT_EQ(static_cast<int>(settingValue("screenbpp")), 32);
}

TEST(SettingsFile, BooleansAreAnyNonZeroNumber)
{
    EXPECT_NE(valueAfterReading("fullscreen=2\n", "fullscreen"), 0.0f);
    EXPECT_NE(valueAfterReading("fullscreen=0.5\n", "fullscreen"), 0.0f);
    EXPECT_EQ(valueAfterReading("fullscreen=abc\n", "fullscreen"), 0.0f);
    EXPECT_EQ(valueAfterReading("fullscreen=0\n", "fullscreen"), 0.0f);
    EXPECT_EQ(valueAfterReading("other=1\n", "fullscreen"), 0.0f);
}

TEST(SettingsFile, LastMatchingLineWinsAndMatchIsCaseSensitive)
{
    EXPECT_EQ(valueAfterReading("screenw=800\nscreenw=1024\n", "screenw"), 1024.0f);
    EXPECT_EQ(valueAfterReading("Screenw=800\n", "screenw"), 0.0f);
    EXPECT_EQ(valueAfterReading("screenwidth=800\n", "screenw"), 0.0f);
}

TEST(SettingsFile, SpacesAreRemovedEverywhere)
{
    EXPECT_EQ(valueAfterReading("screen w = 1024\n", "screenw"), 1024.0f);
    EXPECT_EQ(valueAfterReading("mipmapping=1 ; comment\n", "mipmapping"), 1.0f);
    EXPECT_STREQ(settingsLines[0], "mipmapping=1;comment");
}

TEST(SettingsFile, OnlyTheFirstHundredLinesCount)
{
    std::string text;
    for (int i = 0; i < 100; ++i) {
        text += "screenw=640\n";
    }
    text += "screenw=1280\n";
    EXPECT_EQ(valueAfterReading(text, "screenw"), 640.0f);
}

TEST(SettingsFile, OverlongLineIsCutAndLaterLinesStillRead)
{
    std::string longLine = "screenh=" + std::string(300, '7');
    readSettingsFrom(writeSettings(longLine + "\nscreenw=800\n").c_str());
    EXPECT_EQ(std::string(settingsLines[0]).size(), 255u);
    EXPECT_STREQ(settingsLines[1], "screenw=800");
    EXPECT_EQ(settingValue("screenw"), 800.0f);
}

TEST(SettingsFile, LineOfExactly255CharactersIsKeptWhole)
{
    std::string line = "screenw=1" + std::string(255 - 9, '0');
    readSettingsFrom(writeSettings(line + "\nscreenh=600\n").c_str());
    EXPECT_EQ(std::string(settingsLines[0]), line);
    EXPECT_EQ(settingValue("screenh"), 600.0f);
}

TEST(SettingsFile, CarriageReturnsAndMissingFinalNewlineAreHandled)
{
    readSettingsFrom(writeSettings("screenw=800\r\nscreenh=600").c_str());
    EXPECT_STREQ(settingsLines[0], "screenw=800");
    EXPECT_EQ(settingValue("screenh"), 600.0f);
}

} // namespace
