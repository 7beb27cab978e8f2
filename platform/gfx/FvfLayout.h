#pragma once
// Where each element of a flexible-vertex-format vertex lies.
#include "platform/gfx/D3D9.h"

struct FvfLayout {
    bool valid = false;
    bool pretransformed = false; // XYZRHW: pixel coordinates
    unsigned positionOffset = 0;
    int normalOffset = -1;
    int diffuseOffset = -1;
    int specularOffset = -1;
    unsigned textureSets = 0;
    unsigned textureOffset[8] = {};
    unsigned textureComponents[8] = {};
    unsigned stride = 0;
};

// Decodes XYZ or XYZRHW, NORMAL, PSIZE, DIFFUSE, SPECULAR and up to eight texture sets of 1 to 4
// components; any other position type gives an invalid layout.
FvfLayout DecodeFvf(DWORD fvf);
