#pragma once
// The planet layers: a halo that never turns with the planet (group 8), two cloud layers
// (group 9) and an ocean surface (group 10), drawn fixed-function or through the effect by the
// Atmosphere and OSurface settings.
#include "world/effects/MeshLayer.h"

class CPlanetGaloEffect : public CMeshLayer {
public:
    // Reads mip levels and the slot-0 texture; returns 0.
    int Init(int handle, CStaticObject* owner);
    void Draw();
};

class CPlanetCloudsEffect : public CMeshLayer {
public:
    CPlanetCloudsEffect();
    // Reads mip levels, the simple and best textures (one is loaded by Atmosphere) and the two
    // layer colours; sets the effect's cloud movement parameters; returns 0.
    int Load(int handle, CStaticObject* owner);
    void Draw();

    D3DXVECTOR4 colour1;
    D3DXVECTOR4 colour2;

private:
    // World matrix of layer 1 or 2: at the owner, layer 2 lifted by 0.1.
    D3DXMATRIX LayerMatrix(int layer) const;
    void DrawWithEffect();
    void DrawFixed();
};

class CPlanetOceanEffect : public CMeshLayer {
public:
    CPlanetOceanEffect();
    // Reads mip levels, the slot-0 texture and the ocean colour; sets the effect's wave
    // parameters; returns 0.
    int Load(int handle, CStaticObject* owner);
    // Drawn before the planet body; ends with the sun's glow.
    void Draw();

    D3DXVECTOR4 colour;
};
