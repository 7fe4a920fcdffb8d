#include "app/settings.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/plain_file.h"

Settings settings;
char settingsLines[SettingsSlotCount][SettingsSlotSize];
int32_t settingsLineCount = 0;

static constexpr int MaxLineLength = SettingsSlotSize - 1;
// However the file runs on (a line without end, a file that is not what it claims), reading
// stops after this many bytes; a real settings.ini has a few hundred.
static constexpr long ReadLimit = 8L << 20;

// Reads one line into slot; a longer line keeps its first 255 characters and the rest is skipped,
// so one overlong line never costs the user the settings below it. Every byte read comes out of
// budget. Returns false at end of file or of the budget.
static bool readLine(FILE* file, char* slot, long& budget)
{
    int length = 0;
    bool truncated = false;
    bool sawAnything = false;
    int c;
    while (budget > 0 && (c = std::getc(file)) != EOF) {
        --budget;
        sawAnything = true;
        if (c == '\n') {
            break;
        }
        if (length < MaxLineLength) {
            slot[length++] = static_cast<char>(c);
        } else {
            truncated = true;
        }
    }
    // A carriage return before the line feed belongs to the line ending, not the value.
    if (!truncated && length > 0 && slot[length - 1] == '\r') {
        --length;
    }
    slot[length] = '\0';
    return sawAnything;
}

static void removeSpaces(char* text)
{
    char* out = text;
    for (char* in = text; *in != '\0'; ++in) {
        if (*in != ' ') {
            *out++ = *in;
        }
    }
    *out = '\0';
}

void readSettingsFrom(const char* path)
{
    settingsLineCount = 0;
    std::memset(settingsLines, 0, sizeof settingsLines);
    FILE* file = openPlainFile(path);
    if (file == nullptr) {
        return;
    }
    long budget = ReadLimit;
    bool more = true;
    for (int slot = 0; slot < SettingsSlotCount; ++slot) {
        if (more) {
            more = readLine(file, settingsLines[slot], budget);
        }
    }
    settingsLineCount = SettingsSlotCount;
    std::fclose(file);
    for (int slot = 0; slot < SettingsSlotCount; ++slot) {
        removeSpaces(settingsLines[slot]);
    }
}

void readSettingsFile() { readSettingsFrom("settings.ini"); }

float settingValue(const char* key)
{
    if (settingsLineCount <= 0) {
        return 0.0f;
    }
    char prefix[SettingsSlotSize + 2];
    int prefixLength = std::snprintf(prefix, sizeof prefix, "%s=", key);
    if (prefixLength <= 0 || prefixLength >= static_cast<int>(sizeof prefix)) {
        return 0.0f;
    }
    float answer = 0.0f;
    for (int slot = 0; slot < SettingsSlotCount; ++slot) {
        if (std::strncmp(settingsLines[slot], prefix, prefixLength) == 0) {
            answer = static_cast<float>(std::atof(settingsLines[slot] + prefixLength));
        }
    }
    return answer;
}

// The value of a key that later becomes an int. A number that no int holds must not reach that
// conversion (it is undefined): like a value that is not a number it reads as 0, and the player
// is told which line was not taken.
static float wholeNumberSetting(const char* key)
{
    double value = settingValue(key);
    if (value > -2147483649.0 && value < 2147483648.0) {
        return static_cast<float>(value);
    }
    std::fprintf(stderr, "Lornhaven: %s=%g in settings.ini is %s; reading it as 0\n", key, value,
        std::isfinite(value) ? "beyond the range of a whole number" : "not a finite number");
    return 0.0f;
}

void loadSettings()
{
    readSettingsFile();
    settings.screenWidth = wholeNumberSetting("screenw");
    settings.screenHeight = wholeNumberSetting("screenh");
    settings.screenBpp = static_cast<int32_t>(wholeNumberSetting("screenbpp"));
    settings.fullscreen = settingValue("fullscreen") != 0.0f;
    settings.showCursor = settingValue("showcursor") != 0.0f;
    settings.antialiasing = settingValue("antialiasing") != 0.0f;
    settings.mipmapping = settingValue("mipmapping") != 0.0f;
    settings.screenAspect = settings.screenWidth / settings.screenHeight;
}
