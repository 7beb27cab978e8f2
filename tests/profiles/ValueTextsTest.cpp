#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "frontend/ValueTexts.h"

namespace {

TEST(ValueTexts, TablesByIndex)
{
    struct Case {
        const char* (*text)(int);
        int index;
        const char* expected;
    } const cases[] = {
        {ViewDistanceText, 500, " Minimum"},  {ViewDistanceText, 1250, " Average"},
        {ViewDistanceText, 2000, " Maximum"}, {ShadowsText, 0, " All off"},
        {ShadowsText, 3, " All on"},          {ReliefText, 1, " Minimum"},
        {BlurText, 1, " On"},                 {OceanTypeText, 0, " Simple"},
        {CloudsTypeText, 2, " Best"},         {SectorText, 0, " 'BLUE'"},
        {SectorText, 3, " 'RED'"},            {TrackText, 0, " Random"},
        {TrackText, 4, " Track 4"},           {DifficultyText, 2, " Hard"},
        {LengthText, 1, " Average"},          {RacersLevelText, 2, " Aces"},
        // Outside a table: the nearest entry, never past its ends.
        {ShadowsText, 9, " All on"},          {SectorText, -1, " 'BLUE'"},
        {ViewDistanceText, 9000, " Maximum"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.text(c.index), c.expected) << c.index;
}

TEST(ValueTexts, FormattedTexts)
{
    char text[VALUE_TEXT_SIZE];
    DisplayModeText(text, 1024, 768);
    EXPECT_STREQ(text, " 1024X768");
    VolumeText(text, 85);
    EXPECT_STREQ(text, " 85%");
    RacersNumberText(text, 0);
    EXPECT_STREQ(text, " 1");
    RacersNumberText(text, 11);
    EXPECT_STREQ(text, " 12");
    ScooterText(text, "Comet");
    EXPECT_STREQ(text, " Comet");
    ScooterText(text, nullptr);
    EXPECT_STREQ(text, " no");
}

} // namespace
