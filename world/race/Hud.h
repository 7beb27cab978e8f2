#pragma once
// The in-race overlay on the 800 x 600 virtual screen: the start countdown in the middle, the
// progress gauge with race time, gap, place and progress in the top left corner, and the
// throttle and speed gauge with the speed in km/h in the top right corner.
#include <cstddef>

#include "engine/font/Font.h"
#include "engine/render/ScreenVertex.h"
#include "frontend/MenuRect.h"

constexpr int HUD_FAN_VERTICES = 8;

class CHud {
public:
    CHud();
    // Font, textures, panel sprites and fan vertices; always 1.
    int Init();
    void Release();
    // Per-frame hook; the drawing depends on nothing it does.
    void Update();
    void Draw();

    CFont font;
    int visible;
    int timeBarBackTexture;
    int timeBarTexture;
    int speedBarBackTexture;
    int speedBarTexture;
    CMenuRect leftPanel;
    CMenuRect rightPanel;
    ScreenVertex leftFan[HUD_FAN_VERTICES];
    ScreenVertex rightFan[HUD_FAN_VERTICES];
    float gap; // seconds to the rival, kept between frames

private:
    void DrawCountdown();
    void DrawProgressPanel();
    void DrawSpeedPanel();
    void UpdateGap();
};

// "m:ss.t" of a time in seconds.
void FormatRaceTime(char* out, std::size_t size, float seconds);
// "(+m:ss.t)" for a gap of 0 or more, "(-m:ss.t)" below.
void FormatGap(char* out, std::size_t size, float gap);
// Progress in percent from the distance to the finish and the track's length: 100 at the finish.
float ProgressPercent(float distanceToFinish, float trackLength);
// The countdown number shown in a start phase: 3, 2, 1 in phases 3-5, 0 ("START!") after.
int CountdownNumber(int phase);

extern CHud hud;
