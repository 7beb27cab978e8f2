#include "platform/gfx/FvfLayout.h"

FvfLayout DecodeFvf(DWORD fvf)
{
    FvfLayout layout;
    unsigned offset = 0;
    switch (fvf & D3DFVF_POSITION_MASK) {
    case D3DFVF_XYZ: offset = 12; break;
    case D3DFVF_XYZRHW:
        layout.pretransformed = true;
        offset = 16;
        break;
    default: return layout;
    }
    if (fvf & D3DFVF_NORMAL) {
        layout.normalOffset = static_cast<int>(offset);
        offset += 12;
    }
    if (fvf & D3DFVF_PSIZE)
        offset += 4;
    if (fvf & D3DFVF_DIFFUSE) {
        layout.diffuseOffset = static_cast<int>(offset);
        offset += 4;
    }
    if (fvf & D3DFVF_SPECULAR) {
        layout.specularOffset = static_cast<int>(offset);
        offset += 4;
    }
    layout.textureSets = (fvf & D3DFVF_TEXCOUNT_MASK) >> D3DFVF_TEXCOUNT_SHIFT;
    if (layout.textureSets > 8)
        return layout;
    static constexpr unsigned componentsOfFormat[4] = {2, 3, 4, 1};
    for (unsigned set = 0; set < layout.textureSets; ++set) {
        const unsigned components = componentsOfFormat[(fvf >> (16 + set * 2)) & 3];
        layout.textureOffset[set] = offset;
        layout.textureComponents[set] = components;
        offset += components * 4;
    }
    layout.stride = offset;
    layout.valid = true;
    return layout;
}
