#pragma once
// Direct3D's left-handed frame to OpenAL's right-handed one: z changes sign.
#include <AL/al.h>

#include "platform/sound/SoundTypes.h"

struct AlVector {
    ALfloat x, y, z;
};

inline AlVector ToAl(const D3DVECTOR& v)
{
    return {v.x, v.y, -v.z};
}
