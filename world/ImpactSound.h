#pragma once
// Which impact sound two touching objects make: the pair's types pick the case, the speed of
// the case the loudness, and the object that sounds.
#include "audio/SoundOwner.h"
#include "platform/gfxx/D3DXMath.h"

// One object of a contact: its GTYPE_ value and velocity.
struct ImpactParty {
    int type;
    D3DXVECTOR3 velocity;
};

struct ImpactChoice {
    // The party that sounds: 0 the first, 1 the second; the volume in percent.
    int sounding;
    float volume;
};

// Slower impacts make no sound; faster ones sound as loud as this speed.
constexpr float IMPACT_MIN_SPEED = 5.0f;
constexpr float IMPACT_MAX_SPEED = 20.0f;
// Game seconds an object stays silent after its last impact sound.
constexpr float IMPACT_QUIET_SECONDS = 0.5f;

// True when the pair makes a sound; choice receives who sounds and how loud.
bool ChooseImpact(const ImpactParty& a, const ImpactParty& b, ImpactChoice* choice);

// Owners for the impacts of objects that are no sound owners themselves (decors): one per
// impact sound of the bank, reused in turn, so that a sound never follows an object that has
// been deleted meanwhile.
class SceneImpactOwners {
public:
    static constexpr int COUNT = 18;

    SoundOwner* Next()
    {
        SoundOwner* owner = &owners[next];
        next = (next + 1) % COUNT;
        return owner;
    }

private:
    SoundOwner owners[COUNT] {};
    int next = 0;
};
