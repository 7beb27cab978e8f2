#pragma once
// Flame emitters of an object (GEFFECT_FLAME, GEFFECT_ENGINEFLAME): at every interval one flame
// particle at each point of the owner's point list 4. Engine flames stay attached to their
// scooter and burn hotter and larger the faster it goes.
#include "platform/gfxx/D3DXMath.h"

class CStaticObject;

class CFlameEffect {
public:
    // Reads size, life, interval, growth, velocity, colour and the hot flag. 0.
    int Load(int file, CStaticObject* owner);
    // The GEFFECT_FLAME slot.
    void Update();
    // The GEFFECT_ENGINEFLAME slot.
    void UpdateEngine();

    CStaticObject* owner = nullptr;
    D3DXVECTOR3 emissionPosition {0, 0, 0};
    D3DXVECTOR3 velocity {0, 0, 0};
    float particleSize = 0;
    float particleLife = 0;
    float interval = 0;
    float growth = 0;
    D3DXVECTOR4 colour {0, 0, 0, 1};
    int hot = 0;
    float timer = 0;

private:
    // Advances the timer; true when it reached the interval (then it restarts).
    bool EmissionDue();
};
