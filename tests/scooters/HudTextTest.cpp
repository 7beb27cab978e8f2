// The head-up display's texts and gauge values.
#include <gtest/gtest.h>

#include "world/race/Hud.h"

TEST(HudText, RaceTimeAndGapAreMinutesSecondsAndTenths)
{
    struct Case {
        float seconds;
        const char* time;
        const char* gap;
    };
    const Case cases[] = {
        {0.0f, "0:00.0", "(+0:00.0)"},      {75.35f, "1:15.3", "(+1:15.3)"}, {59.99f, "0:59.9", "(+0:59.9)"},
        {-1.25f, nullptr, "(-0:01.2)"},     {-61.0f, nullptr, "(-1:01.0)"}, {600.05f, "10:00.0", "(+10:00.0)"},
    };
    for (const Case& c : cases) {
        char text[32];
        if (c.time) {
            FormatRaceTime(text, sizeof text, c.seconds);
            EXPECT_STREQ(text, c.time) << c.seconds;
        }
        FormatGap(text, sizeof text, c.seconds);
        EXPECT_STREQ(text, c.gap) << c.seconds;
    }
}

TEST(HudText, ProgressIsFullAtTheFinishAndStartsJustAboveZero)
{
    EXPECT_FLOAT_EQ(ProgressPercent(0.0f, 580.0f), 100.0f);
    EXPECT_FLOAT_EQ(ProgressPercent(580.0f, 580.0f), 0.5f);
    EXPECT_FLOAT_EQ(ProgressPercent(2000.0f, 580.0f), 0.5f);
    EXPECT_FLOAT_EQ(ProgressPercent(290.0f, 580.0f), 50.5f);
    // A course too short for a length: done only at the finish.
    EXPECT_FLOAT_EQ(ProgressPercent(0.0f, 0.0f), 100.0f);
    EXPECT_FLOAT_EQ(ProgressPercent(12.0f, 0.0f), 0.5f);
}

TEST(HudText, CountdownShowsThreeTwoOneThenStart)
{
    const int cases[][2] = {{3, 3}, {4, 2}, {5, 1}, {6, 0}, {7, 0}};
    for (const auto& [phase, number] : cases)
        EXPECT_EQ(CountdownNumber(phase), number) << phase;
}
