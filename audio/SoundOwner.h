#pragma once
// What a world object shares with the sound banks. The world keeps these fields current each
// frame; the banks read them and write back the impact time and the engine sound.
#include <cstdint>

#include "platform/gfxx/D3DXMath.h"

class CSound;

struct SoundOwner {
    D3DXVECTOR3 position;
    D3DXVECTOR3 velocity;
    // Distance to the active camera less the object's own radius.
    float cameraDistance;
    // Game time in milliseconds when the object's last impact sound started.
    std::uint32_t lastImpactTime;
};

// An object with an engine: a scooter.
struct EngineSoundOwner : SoundOwner {
    // Percent.
    float engineVolume;
    // Hz.
    float engineFrequency;
    // The engine bank's sound that follows this owner, or null.
    CSound* engineSound;
};
