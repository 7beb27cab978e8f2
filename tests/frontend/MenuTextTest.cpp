#include "frontend/MenuText.h"

#include <gtest/gtest.h>

namespace {

TEST(MenuText, HoldsTheMenuLabelsAndHandsBackAnyLabelUnchanged)
{
    const CMenuText table;
    EXPECT_EQ(table.count, 44);
    EXPECT_STREQ(table.labels[0], "CONTINUE");
    EXPECT_STREQ(table.labels[43], "BACK");
    EXPECT_STREQ(table.labels[44], "");
    for (const char* label : {"QUICK RACE", "Racers level :", "not a menu label", ""}) {
        EXPECT_EQ(table.Translate(label), label);
    }
}

} // namespace
