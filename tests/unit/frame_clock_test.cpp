#include <gtest/gtest.h>

#include <cstring>
#include <ctime>

#include "app/frame_clock.h"
#include "app/game_state.h"

namespace {

std::tm timeOf(int year, int month, int day, int weekday, int hour, int minute, int second)
{
    std::tm t = {};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_wday = weekday;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return t;
}

std::string clockAt(int hour, int minute, int second)
{
    buildClockTexts(timeOf(2011, 5, 31, 2, hour, minute, second));
    return clockText;
}

TEST(ClockText, TwelveHourClockAroundMidnightAndNoon)
{
    EXPECT_EQ(clockAt(0, 5, 9), "12:05:09 AM");
    EXPECT_EQ(clockAt(12, 0, 0), "12:00:00 PM");
    EXPECT_EQ(clockAt(23, 59, 59), "11:59:59 PM");
    EXPECT_EQ(clockAt(11, 0, 0), "11:00:00 AM");
    EXPECT_EQ(clockAt(13, 7, 2), "1:07:02 PM");
}

TEST(DateText, FullLineWithOrdinals)
{
    buildClockTexts(timeOf(2011, 5, 31, 2, 10, 0, 0));
    EXPECT_STREQ(dateText, "Tuesday May 31st 2011");
    buildClockTexts(timeOf(2026, 12, 22, 2, 10, 0, 0));
    EXPECT_STREQ(dateText, "Tuesday December 22nd 2026");
    buildClockTexts(timeOf(2026, 1, 11, 0, 10, 0, 0));
    EXPECT_STREQ(dateText, "Sunday January 11th 2026");
    buildClockTexts(timeOf(2027, 3, 1, 1, 10, 0, 0));
    EXPECT_STREQ(dateText, "Monday March 1st 2027");
}

class FramePacing : public ::testing::Test {
protected:
    void SetUp() override
    {
        lastTicks = 0;
        frameMillis = 16;
        framesPerSecond = 0;
    }
};

TEST_F(FramePacing, ShortFrameWaitsToTheSixteenMillisecondGrid)
{
    lastTicks = 1000;
    EXPECT_EQ(advanceFrameMark(1005), 11);
    EXPECT_EQ(frameMillis, 16);
    EXPECT_EQ(lastTicks, 1016);
    EXPECT_FLOAT_EQ(framesPerSecond, 62.5f);
    EXPECT_FLOAT_EQ(computeStepFactor(framesPerSecond), 0.96f);
    // A frame that used up its wait early still lands on the grid.
    EXPECT_EQ(advanceFrameMark(1020), 12);
    EXPECT_EQ(lastTicks, 1032);
}

TEST_F(FramePacing, LongFrameDoesNotWaitAndRestartsTheGrid)
{
    lastTicks = 1000;
    EXPECT_EQ(advanceFrameMark(1040), 0);
    EXPECT_EQ(frameMillis, 40);
    EXPECT_EQ(lastTicks, 1040);
    EXPECT_FLOAT_EQ(framesPerSecond, 25.0f);
    EXPECT_FLOAT_EQ(computeStepFactor(framesPerSecond), 2.0f);
}

TEST_F(FramePacing, SurvivesTheTickCounterWrapping)
{
    lastTicks = static_cast<int32_t>(0xFFFFFFF8u);
    EXPECT_EQ(advanceFrameMark(2), 6);
    EXPECT_EQ(frameMillis, 16);
    EXPECT_EQ(lastTicks, 8);
}

TEST(StepFactor, ClampedToItsRange)
{
    EXPECT_FLOAT_EQ(computeStepFactor(0.0f), 2.0f);
    EXPECT_FLOAT_EQ(computeStepFactor(60.0f), 1.0f);
    EXPECT_FLOAT_EQ(computeStepFactor(1000.0f), 0.2f);
    EXPECT_FLOAT_EQ(computeStepFactor(10.0f), 2.0f);
}

} // namespace
