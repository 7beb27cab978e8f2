#include <gtest/gtest.h>

#include "engine/shell/GameSettings.h"
#include "engine/shell/GameTimer.h"
#include "engine/shell/InputState.h"
#include "platform/win/WinTime.h"

namespace {

class Timer : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::fill(std::begin(GameSettings), std::end(GameSettings), 0);
        inputState = {};
        gameTimer.Init();
    }
    // One tick as if `milliseconds` had passed since the last.
    void TickAfter(std::uint32_t milliseconds)
    {
        gameTimer.lastReading = timeGetTime() - milliseconds;
        gameTimer.Tick();
    }
};

TEST_F(Timer, StepsAreCappedAndScaled)
{
    TickAfter(250);
    EXPECT_GE(gameTimer.realStep, 0.1f);
    EXPECT_LE(gameTimer.realStep, 0.1f);
    EXPECT_EQ(gameTimer.gameTime, 10100u);

    gameTimer.timeSpeed = 0.25f;
    const auto before = gameTimer.gameTime;
    gameTimer.lastReading = timeGetTime() - 10;
    gameTimer.Tick();
    // 10 ms (11 if the clock ticked in between) x 0.25, truncated.
    EXPECT_EQ(gameTimer.gameTime - before, 2u);

    GameSettings[SLOT_DEBUG_VIEW] = 3;
    TickAfter(50);
    EXPECT_EQ(gameTimer.realStep, 0.0f);
    EXPECT_EQ(gameTimer.gameStep, 0.0f);
}

TEST_F(Timer, DebugSpeedSteps)
{
    GameSettings[SLOT_DEBUG_MODE] = 1;
    for (float expected : {2.0f, 3.0f}) {
        inputState.pageUp = 1;
        gameTimer.Tick();
        EXPECT_EQ(gameTimer.timeSpeed, expected);
        EXPECT_EQ(inputState.pageUp, 0);
    }
    gameTimer.timeSpeed = 24.0f;
    inputState.pageUp = 1;
    gameTimer.Tick();
    EXPECT_EQ(gameTimer.timeSpeed, 24.0f);

    gameTimer.timeSpeed = 1.0f;
    for (float expected : {0.75f, 0.5f, 0.25f, 0.25f}) {
        inputState.pageDown = 1;
        gameTimer.Tick();
        EXPECT_EQ(gameTimer.timeSpeed, expected);
    }
    gameTimer.timeSpeed = 0.5f;
    inputState.pageUp = 1;
    gameTimer.Tick();
    EXPECT_EQ(gameTimer.timeSpeed, 0.75f);

    GameSettings[SLOT_DEBUG_MODE] = 0;
    inputState.pageUp = 1;
    gameTimer.Tick();
    EXPECT_EQ(gameTimer.timeSpeed, 0.75f);
    EXPECT_EQ(inputState.pageUp, 1);
}

TEST_F(Timer, PauseDoesNotCountTimeAway)
{
    gameTimer.timeSpeed = 4.0f;
    TickAfter(20);
    const auto paused = gameTimer.gameTime;
    gameTimer.Pause();
    EXPECT_EQ(gameTimer.timeSpeed, 0.0f);
    TickAfter(80);
    EXPECT_EQ(gameTimer.gameStep, 0.0f);
    gameTimer.lastReading = timeGetTime() - 5000;
    gameTimer.Resume();
    EXPECT_EQ(gameTimer.timeSpeed, 1.0f); // the debug factor is lost
    EXPECT_EQ(gameTimer.gameTime, paused);
    gameTimer.Tick();
    EXPECT_LT(gameTimer.gameTime - paused, 50u);
}

TEST_F(Timer, ResumeWithoutPauseKeepsGameTime)
{
    TickAfter(60);
    const auto now = gameTimer.gameTime;
    gameTimer.Resume();
    EXPECT_EQ(gameTimer.gameTime, now);
}

TEST_F(Timer, SecondsSinceStamps)
{
    gameTimer.gameTime = 12500;
    gameTimer.realTime = 11000;
    EXPECT_FLOAT_EQ(gameTimer.SecondsSince(10000), 2.5f);
    EXPECT_FLOAT_EQ(gameTimer.RealSecondsSince(10000), 1.0f);
    gameTimer.lastReading = 0xFFFFFFF0u; // the millisecond clock wraps
    gameTimer.Tick();
    EXPECT_LE(gameTimer.realStep, 0.1f);
}

} // namespace
