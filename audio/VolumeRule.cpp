#include "audio/VolumeRule.h"

LONG MillibelsOfVolume(float volume, SettingSlot category)
{
    const float scaled = volume * 0.0001f * static_cast<float>(GameSettings[category]) *
                         static_cast<float>(GameSettings[SLOT_MASTER]);
    return static_cast<LONG>((100.0f - scaled) * -40.0f);
}
