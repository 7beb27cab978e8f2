#pragma once
// Light cones of an object (GEFFECT_SPOTS): one glow triangle per pair of point list 3, bright at
// the lamp and black at the lit point, appended to the light-glow batch every update.
#include "world/effects/GlowSprites.h"

// Its vertices and indices: 3 per spot.
class CSpotsEffect : public CGlowComponent {
public:
    // Reads the colour line; a structure takes its light-map or lights hue or a random one. 0.
    int Load(int file, CStaticObject* owner);
    void Update();
    void Build();
    void Release();

    unsigned spotCount = 0;
    float coneWidth = 0;

private:
    void RecomputeCentres();
};
