#pragma once
// A sound's or segment's own volume in percent as hundredths of a decibel, scaled by the
// "Master" setting and the category's setting ("Effects" or "Music"): 0 is full, -4000 silent.
#include "engine/shell/GameSettings.h"
#include "platform/win/WinTypes.h"

LONG MillibelsOfVolume(float volume, SettingSlot category);
