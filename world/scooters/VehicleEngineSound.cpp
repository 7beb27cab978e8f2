// The scooter's engine: volume and pitch from its speed and its height over the ground.
#include <algorithm>

#include "audio/AudioManager.h"
#include "engine/shell/GameSettings.h"
#include "engine/shell/GameTimer.h"
#include "world/scooters/Vehicle.h"

void CVehicle::UpdateEngineSound()
{
    if (!GameSettings[SLOT_AUDIO])
        return;
    if (!engineSound) {
        engineSound = audioManager.AttachEngine(engineSoundSet, this);
        if (engineSound)
            engineFrequency = float(engineSound->baseFrequency) * 0.25f;
        return;
    }
    const float frequency = float(engineSound->baseFrequency);
    const float r = speed / topSpeed;
    const float d = std::min(1.0f, 2.0f * r);
    engineVolume = d * 60.0f + 40.0f;
    float target = frequency * std::clamp(r, 0.25f, 1.0f);
    const float lift = 1.0f - d + groundDistance;
    if (hasGround && lift < 1.0f)
        target *= 2.0f - lift;
    const float step = 40000.0f * gameTimer.gameStep;
    engineFrequency = std::clamp(target, engineFrequency - step, engineFrequency + step);
}
