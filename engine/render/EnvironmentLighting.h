#pragma once
// The location lighting that the device lights follow: the sun (light 1) and the second light
// (light 2, also the ambient colour), each a colour, an intensity (0 = off) and a direction of
// travel. The world's location lighting holds one and attaches it to the light manager.
#include "platform/gfxx/D3DXMath.h"

struct EnvironmentLighting {
    D3DXVECTOR4 colour1; // r, g, b, a
    D3DXVECTOR4 colour2;
    float intensity1;
    float intensity2;
    D3DXVECTOR3 direction1;
    D3DXVECTOR3 direction2;
};
