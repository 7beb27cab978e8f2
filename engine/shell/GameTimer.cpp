#include "engine/shell/GameTimer.h"

#include <algorithm>

#include "audio/AudioManager.h"
#include "engine/shell/GameSettings.h"
#include "engine/shell/InputState.h"
#include "platform/win/WinTime.h"

void CGameTimer::Init()
{
    lastReading = timeGetTime();
    gameStep = 0;
    realStep = 0;
    gameTime = 10000;
    realTime = 10000;
    savedGameTime = 0;
    timeSpeed = 1.0f;
}

void CGameTimer::Tick()
{
    if (GameSettings[SLOT_DEBUG_MODE] && inputState.pageUp) {
        if (timeSpeed < 1.0f)
            timeSpeed += 0.25f;
        else if (timeSpeed < 24.0f)
            timeSpeed += 1.0f;
        inputState.pageUp = 0;
    }
    if (GameSettings[SLOT_DEBUG_MODE] && inputState.pageDown) {
        if (timeSpeed > 1.0f)
            timeSpeed -= 1.0f;
        else if (timeSpeed > 0.25f)
            timeSpeed -= 0.25f;
        inputState.pageDown = 0;
    }
    const std::uint32_t now = timeGetTime();
    std::uint32_t elapsed = now - lastReading;
    lastReading = now;
    elapsed = std::min<std::uint32_t>(elapsed, 100);
    if (GameSettings[SLOT_DEBUG_VIEW])
        elapsed = 0;
    realTime += elapsed;
    realStep = elapsed * 0.001f;
    const auto scaled = static_cast<std::uint32_t>(elapsed * timeSpeed);
    gameTime += scaled;
    gameStep = scaled * 0.001f;
}

float CGameTimer::SecondsSince(std::uint32_t stamp) const
{
    return static_cast<float>(static_cast<std::int32_t>(gameTime - stamp)) * 0.001f;
}

float CGameTimer::RealSecondsSince(std::uint32_t stamp) const
{
    return static_cast<float>(static_cast<std::int32_t>(realTime - stamp)) * 0.001f;
}

void CGameTimer::Pause()
{
    savedGameTime = gameTime;
    timeSpeed = 0;
    audioManager.PauseAll();
}

void CGameTimer::Resume()
{
    // Only a paused clock gets its saved time back: a resume without a pause (a second focus
    // message, the first focus at start) must not move game time backwards.
    if (timeSpeed == 0)
        gameTime = savedGameTime;
    timeSpeed = 1.0f;
    lastReading = timeGetTime();
    audioManager.ResumeAll();
}

CGameTimer gameTimer;
