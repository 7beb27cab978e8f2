#include "world/effects/StructureColour.h"

#include <cstdlib>

#include "engine/helpers/VectorHelpers.h"

D3DXVECTOR4 RandomStructureColour()
{
    D3DXVECTOR3 colour;
    colour.x = static_cast<float>(std::rand() % 3 + 1) * 0.33f;
    colour.y = static_cast<float>(std::rand() % 3 + 1) * 0.33f;
    colour.z = static_cast<float>(std::rand() % 3 + 1) * 0.33f;
    D3DXVECTOR4 normalised;
    ColorNormalizeMax(normalised, colour);
    return normalised;
}
