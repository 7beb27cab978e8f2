#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "engine/shell/GameSettings.h"
#include "engine/shell/StartupTimes.h"
#include "tests/support/ScratchFolder.h"

namespace {

TEST(StartupTimes, CountFromTheProcessStartAndGrowWithTheClock)
{
    // Each test runs in a process of its own, started moments ago.
    const double first = MillisecondsSinceProcessStart();
    EXPECT_GE(first, 0.0);
    EXPECT_LT(first, 60000.0);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    const double second = MillisecondsSinceProcessStart();
    EXPECT_GE(second - first, 25.0);
    EXPECT_LT(second - first, 5000.0);
}

TEST(StartupTimes, LogOneLinePerStepOnlyWhileTheDebugLogIsOn)
{
    ScratchFolder folder;
    GameSettings[SLOT_DEBUG_LOG] = 0;
    LogStartupStep("quiet");
    EXPECT_FALSE(folder.Exists("debug.txt"));

    GameSettings[SLOT_DEBUG_LOG] = 1;
    LogStartupStep("packs opened");
    LogStartupStep("100% ready");
    const std::string log = folder.Read("debug.txt");
    double packs = -1.0, ready = -1.0;
    char first[32] = {}, second[32] = {};
    ASSERT_EQ(std::sscanf(log.c_str(), "Start-up %lf ms  %31[^\n]\nStart-up %lf ms  %31[^\n]\n", &packs, first, &ready,
                          second),
              4)
        << log;
    EXPECT_STREQ(first, "packs opened");
    EXPECT_STREQ(second, "100% ready");
    EXPECT_LE(packs, ready);
    GameSettings[SLOT_DEBUG_LOG] = 0;
}

} // namespace
