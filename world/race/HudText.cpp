// The head-up display's values as texts and numbers.
#include <cmath>
#include <cstdio>

#include "world/race/Hud.h"

namespace {

struct MinutesSecondsTenths {
    int minutes;
    int seconds;
    int tenths;
};

MinutesSecondsTenths Split(float seconds)
{
    const float whole = std::trunc(seconds);
    return {int(seconds / 60.0f), int(std::fmod(whole, 60.0f)), int((seconds - whole) * 10.0f)};
}

} // namespace

void FormatRaceTime(char* out, std::size_t size, float seconds)
{
    const MinutesSecondsTenths t = Split(seconds);
    std::snprintf(out, size, "%d:%02d.%01d", t.minutes, t.seconds, t.tenths);
}

void FormatGap(char* out, std::size_t size, float gap)
{
    const MinutesSecondsTenths t = Split(std::fabs(gap));
    std::snprintf(out, size, gap >= 0.0f ? "(+%d:%02d.%01d)" : "(-%d:%02d.%01d)", t.minutes, t.seconds, t.tenths);
}

float ProgressPercent(float distanceToFinish, float trackLength)
{
    // A course too short to have a length counts as done once the distance is 0.
    const float ratio = trackLength > 0.0f ? distanceToFinish / trackLength : (distanceToFinish > 0.0f ? 1.0f : 0.0f);
    return std::fmin(100.0f, 100.5f - 100.0f * std::fmin(1.0f, ratio));
}

int CountdownNumber(int phase)
{
    const int n = 6 - phase;
    return n > 0 ? n : 0;
}
