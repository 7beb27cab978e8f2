#pragma once
// The location lighting: the sun (light 1) and the second light (light 2, also the ambient
// colour) with their intensities and directions, the shadow strength and the vector towards the
// sun, and the two sky elements drawn around the camera, the star field and the sun. The device
// lights follow it through the EnvironmentLighting it starts with.
#include "engine/render/EnvironmentLighting.h"
#include "platform/gfxx/D3DXMath.h"
#include "world/sky/StarField.h"
#include "world/sky/Sun.h"

class CEnvironment : public EnvironmentLighting {
public:
    // Both colours (1, 1, 1, 1); texture ids -1.
    CEnvironment();

    // Default lighting, stars and sun; attaches the lighting to the device lights; 1.
    int Init();
    void Release();
    // The location file's lighting block: the free line before it, the two colours and the two
    // directions; then the sun is placed and three random numbers are drawn.
    void LoadLighting(int file);
    // Draws three random numbers (rand() three times): the track builder calls it right after
    // seeding, so a track built from a seed depends on these draws.
    void Reset();
    void Update() {}
    void Clear() {}

    float shadowStrength;
    D3DXVECTOR3 shadowVector; // towards the sun: -direction1
    CStarField stars;
    CSun sun;

private:
    // Intensities 1, shadow strength 1, shadow vector from direction 1.
    void ResetStrengths();
};

extern CEnvironment environment;
