// Hostile settings.ini files: random bytes, NUL bytes, CR line ends, huge lines and files.
// The reader must stay inside its slots (the sanitizer build checks that) and still hand back
// the values of the well-formed lines among the rubbish.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "app/settings.h"

namespace {

std::string writeSettings(const std::string& bytes)
{
    // CTest runs test cases as parallel processes: each needs a file of its own.
    std::string path = ::testing::TempDir() + "lornhaven_settings_fuzz_" + std::to_string(getpid()) + ".ini";
    FILE* file = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    return path;
}

void readBytes(const std::string& bytes)
{
    readSettingsFrom(writeSettings(bytes).c_str());
}

// What a slot should hold for one raw line: at most 255 bytes, a final CR dropped when the line
// was not cut, the text up to the first NUL, without spaces.
std::string expectedSlot(const std::string& rawLine)
{
    std::string line = rawLine.substr(0, SettingsSlotSize - 1);
    if (rawLine.size() <= static_cast<size_t>(SettingsSlotSize - 1) && !line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    line = line.substr(0, std::strlen(line.c_str()));
    std::string out;
    for (char c : line) {
        if (c != ' ') {
            out += c;
        }
    }
    return out;
}

std::vector<std::string> expectedSlots(const std::string& bytes)
{
    std::vector<std::string> slots;
    size_t start = 0;
    while (start < bytes.size() && slots.size() < static_cast<size_t>(SettingsSlotCount)) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos) {
            end = bytes.size();
        }
        slots.push_back(expectedSlot(bytes.substr(start, end - start)));
        start = end + 1;
    }
    slots.resize(SettingsSlotCount);
    return slots;
}

// Bytes weighted towards the ones a line reader has to care about.
std::string randomBytes(std::mt19937& rng, size_t length)
{
    static const char Special[] = {'\n', '\r', '\0', ' ', '=', '\t', '\xff', '.', '-'};
    std::string bytes;
    for (size_t i = 0; i < length; ++i) {
        if (rng() % 4 == 0) {
            bytes += Special[rng() % sizeof Special];
        } else {
            bytes += static_cast<char>(rng() % 256);
        }
    }
    return bytes;
}

// A line of rubbish that holds no line feed and never starts a documented key.
std::string rubbishLine(std::mt19937& rng, size_t length)
{
    std::string line = randomBytes(rng, length);
    for (char& c : line) {
        if (c == '\n') {
            c = '#';
        }
    }
    return "#" + line;
}

void expectSlotsHold(const std::vector<std::string>& expected)
{
    ASSERT_EQ(settingsLineCount, SettingsSlotCount);
    for (int slot = 0; slot < SettingsSlotCount; ++slot) {
        // Every slot is terminated inside its 256 bytes.
        ASSERT_NE(std::memchr(settingsLines[slot], '\0', SettingsSlotSize), nullptr) << "slot " << slot;
        ASSERT_EQ(std::string(settingsLines[slot]), expected[slot]) << "slot " << slot;
    }
}

TEST(SettingsFuzz, RandomBytesFillSlotsLineByLine)
{
    std::mt19937 rng(20261207);
    for (int round = 0; round < 400; ++round) {
        size_t length = rng() % (round % 10 == 0 ? 60000 : 2000);
        std::string bytes = randomBytes(rng, length);
        readBytes(bytes);
        SCOPED_TRACE("round " + std::to_string(round) + ", " + std::to_string(length) + " bytes");
        expectSlotsHold(expectedSlots(bytes));
        // Looking keys up in the rubbish, including keys longer than a slot, stays in bounds.
        settingValue("screenw");
        settingValue(std::string(400, 'k').c_str());
        settingValue("");
    }
}

TEST(SettingsFuzz, DocumentedValuesSurviveSurroundingRubbish)
{
    std::mt19937 rng(7);
    for (int round = 0; round < 200; ++round) {
        std::string bytes;
        int keyLine = 1 + static_cast<int>(rng() % 90);
        for (int line = 0; line < 99; ++line) {
            if (line == keyLine) {
                bytes += "screen w = 1 024\r\n";
            } else if (line == keyLine + 3) {
                bytes += "fullscreen=1" + std::string(rng() % 2 ? "" : "\r") + "\n";
            } else {
                bytes += rubbishLine(rng, rng() % 600) + (rng() % 2 ? "\r\n" : "\n");
            }
        }
        bytes += "mipmapping=0.5";  // the last line has no line feed
        readBytes(bytes);
        SCOPED_TRACE("round " + std::to_string(round));
        EXPECT_EQ(settingValue("screenw"), 1024.0f);
        EXPECT_EQ(settingValue("fullscreen"), 1.0f);
        EXPECT_EQ(settingValue("mipmapping"), 0.5f);
        EXPECT_EQ(settingValue("screenh"), 0.0f);
    }
}

TEST(SettingsFuzz, TenThousandLinesOnlyTheFirstHundredCount)
{
    std::string bytes;
    for (int line = 0; line < 10000; ++line) {
        bytes += "screenh=" + std::to_string(line) + "\n";
    }
    readBytes(bytes);
    EXPECT_EQ(settingValue("screenh"), 99.0f);
    EXPECT_STREQ(settingsLines[99], "screenh=99");
}

TEST(SettingsFuzz, NulBytesEndTheValueButNotTheLine)
{
    static const char Bytes[] = "screenw=8\0" "00\nscreenh=6\0" "\n\0\0\0\nscreenbpp=32";
    readBytes(std::string(Bytes, sizeof Bytes - 1));
    EXPECT_EQ(settingValue("screenw"), 8.0f);
    EXPECT_EQ(settingValue("screenh"), 6.0f);
    EXPECT_EQ(settingValue("screenbpp"), 32.0f);
}

TEST(SettingsFuzz, HugeLinesAreCutAndLeaveLaterLinesReadable)
{
    std::string bytes = "screenw=1" + std::string(1 << 20, '0') + "\r\n";
    bytes += std::string(300, '\r') + "\n";
    bytes += std::string(255, 'x') + "\r\n";
    bytes += "screenh=600\r\n";
    readBytes(bytes);
    EXPECT_EQ(std::strlen(settingsLines[0]), 255u);
    EXPECT_EQ(std::strlen(settingsLines[1]), 255u);
    EXPECT_EQ(std::strlen(settingsLines[2]), 255u);
    EXPECT_EQ(settingValue("screenh"), 600.0f);
}

TEST(SettingsFuzz, EmptyAndLineFeedOnlyFilesGiveZeroes)
{
    for (const std::string& bytes : {std::string(), std::string("\n"), std::string(5000, '\n'),
                                      std::string("\r\n\r\n"), std::string(1, '\0')}) {
        readBytes(bytes);
        EXPECT_EQ(settingsLineCount, SettingsSlotCount);
        EXPECT_EQ(settingValue("screenw"), 0.0f);
        EXPECT_EQ(settingValue("mipmapping"), 0.0f);
    }
}

}  // namespace
