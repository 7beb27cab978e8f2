#pragma once
// The game clock: once per frame it turns the millisecond clock into a real step and a scaled
// game step; it can be paused and sped up in debug mode.
#include <cstdint>

class CGameTimer {
public:
    // Starts the clock now with 10 s on both clocks and the factor 1.0.
    void Init();
    void Tick();
    // Game seconds since a game-time stamp in milliseconds.
    float SecondsSince(std::uint32_t stamp) const;
    // Real seconds since a real-time stamp in milliseconds.
    float RealSecondsSince(std::uint32_t stamp) const;
    void Pause();
    void Resume();

    std::uint32_t lastReading;
    float gameStep;
    float realStep;
    std::uint32_t gameTime;
    std::uint32_t realTime;
    std::uint32_t savedGameTime;
    float timeSpeed;
};

extern CGameTimer gameTimer;
