#include "app/settings.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

Settings settings;
char settingsLines[SettingsSlotCount][SettingsSlotSize];
int32_t settingsLineCount = 0;

static constexpr int MaxLineLength = SettingsSlotSize - 1;

// Reads one line into slot; a longer line keeps its first 255 characters and the rest is skipped,
// so one overlong line never costs the user the settings below it. Returns false at end of file.
static bool readLine(FILE* file, char* slot)
{
    int length = 0;
    bool truncated = false;
    bool sawAnything = false;
    int c;
    while ((c = std::getc(file)) != EOF) {
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
    FILE* file = std::fopen(path, "r");
    if (file == nullptr) {
        return;
    }
    bool more = true;
    for (int slot = 0; slot < SettingsSlotCount; ++slot) {
        if (more) {
            more = readLine(file, settingsLines[slot]);
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

void loadSettings()
{
    readSettingsFile();
    settings.screenWidth = settingValue("screenw");
    settings.screenHeight = settingValue("screenh");
    settings.screenBpp = static_cast<int32_t>(settingValue("screenbpp"));
    settings.fullscreen = settingValue("fullscreen") != 0.0f;
    settings.showCursor = settingValue("showcursor") != 0.0f;
    settings.antialiasing = settingValue("antialiasing") != 0.0f;
    settings.mipmapping = settingValue("mipmapping") != 0.0f;
    settings.screenAspect = settings.screenWidth / settings.screenHeight;
}
