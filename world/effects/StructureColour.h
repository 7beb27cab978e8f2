#pragma once
// The random hue that a structure's light maps, glow points and cones share: red, green and blue
// each 0.33, 0.66 or 0.99 (drawn in that order), scaled so that the brightest is 1; alpha 1.
#include "platform/gfxx/D3DXMath.h"

D3DXVECTOR4 RandomStructureColour();
