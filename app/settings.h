// app/settings.h — settings.ini, read once before the window opens.
#pragma once
#include <cstdint>

struct Settings {
    float screenWidth;
    float screenHeight;
    float screenAspect;
    int32_t screenBpp;
    bool fullscreen;
    bool showCursor;
    bool antialiasing;
    bool mipmapping;
};
// Written by loadSettings and, with the obtained mode, openVideo; everything else only reads.
extern Settings settings;

constexpr int SettingsSlotCount = 100;
constexpr int SettingsSlotSize = 256;
// Written by readSettingsFrom and read by settingValue.
extern char settingsLines[SettingsSlotCount][SettingsSlotSize];
extern int32_t settingsLineCount;

// Fills settingsLines from the named file (spaces removed); no file leaves no lines.
void readSettingsFrom(const char* path);
// Fills settingsLines from settings.ini in the working directory.
void readSettingsFile();
// The number after "key=" on the last matching line, or 0.
float settingValue(const char* key);
// Reads settings.ini and fills settings.
void loadSettings();
