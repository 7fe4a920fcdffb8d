#include "app/frame_clock.h"

#include <SDL/SDL.h>
#include <algorithm>
#include <cstdio>

int32_t lastTicks = 0;
int32_t frameMillis = 16;
float framesPerSecond = 0.0f;
char dateText[256];
char clockText[256];

static constexpr int32_t MinFrameMillis = 16;

static const char* const WeekdayNames[7] = {
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
static const char* const MonthNames[12] = {
    "January", "February", "March", "April", "May", "June",
    "July", "August", "September", "October", "November", "December"};
static const char* const DayOrdinals[31] = {
    "1st", "2nd", "3rd", "4th", "5th", "6th", "7th", "8th", "9th", "10th",
    "11th", "12th", "13th", "14th", "15th", "16th", "17th", "18th", "19th", "20th",
    "21st", "22nd", "23rd", "24th", "25th", "26th", "27th", "28th", "29th", "30th", "31st"};

int32_t advanceFrameMark(int32_t nowTicks)
{
    // Unsigned difference, so the mark survives the tick counter wrapping.
    int32_t elapsed = static_cast<int32_t>(static_cast<uint32_t>(nowTicks) - static_cast<uint32_t>(lastTicks));
    int32_t wait = 0;
    if (elapsed < MinFrameMillis) {
        wait = MinFrameMillis - (elapsed < 0 ? 0 : elapsed);
        elapsed = MinFrameMillis;
    }
    frameMillis = elapsed;
    lastTicks = static_cast<int32_t>(static_cast<uint32_t>(lastTicks) + static_cast<uint32_t>(elapsed));
    framesPerSecond = 1000.0f / static_cast<float>(frameMillis);
    return wait;
}

void buildClockTexts(const std::tm& localTime)
{
    std::snprintf(dateText, sizeof dateText, "%s%s%s%s%s%s%d",
        WeekdayNames[std::clamp(localTime.tm_wday, 0, 6)], " ",
        MonthNames[std::clamp(localTime.tm_mon, 0, 11)], " ",
        DayOrdinals[std::clamp(localTime.tm_mday, 1, 31) - 1], " ",
        localTime.tm_year + 1900);

    int hour = localTime.tm_hour;
    int shownHour = hour > 12 ? hour - 12 : (hour == 0 ? 12 : hour);
    std::snprintf(clockText, sizeof clockText, "%d:%s%d:%s%d%s",
        shownHour,
        localTime.tm_min < 10 ? "0" : "", localTime.tm_min,
        localTime.tm_sec < 10 ? "0" : "", localTime.tm_sec,
        hour >= 12 ? " PM" : " AM");
}

void paceFrame()
{
    int32_t wait = advanceFrameMark(static_cast<int32_t>(SDL_GetTicks()));
    if (wait > 0) {
        SDL_Delay(static_cast<Uint32>(wait));
    }
    std::time_t now = std::time(nullptr);
    std::tm localTime;
    if (localtime_r(&now, &localTime) != nullptr) {
        buildClockTexts(localTime);
    }
}
