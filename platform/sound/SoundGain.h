#pragma once
// A volume in hundredths of a decibel as an OpenAL gain: 0 is 1.0, -2000 is 0.1.
#include <cmath>

#include "platform/sound/SoundTypes.h"

inline float GainOfMillibels(LONG millibels)
{
    return std::pow(10.0f, static_cast<float>(millibels) / 2000.0f);
}
