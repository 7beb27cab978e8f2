#include "engine/helpers/VectorHelpers.h"
#include "engine/render/D3DRender.h"
#include "world/effects/PlanetEffects.h"
#include "world/objects/ObjectDescription.h"
#include "world/objects/StaticObject.h"
#include "world/sky/Environment.h"

int CPlanetGaloEffect::Init(int handle, CStaticObject* layerOwner)
{
    Attach(layerOwner);
    char line[DESCRIPTION_LINE_SIZE];
    textureOption = ReadIntegerLine(handle);
    ReadDescriptionLine(handle, line);
    LoadTextureLine(0, line);
    D3DXVECTOR4 ambient;
    const D3DXVECTOR4& c2 = environment.colour2;
    ColorNormalizeMax(ambient, D3DXVECTOR3(c2.x, c2.y, c2.z));
    material = D3DMATERIAL9 {};
    material.Diffuse = D3DCOLORVALUE {1, 1, 1, 1};
    material.Ambient = D3DCOLORVALUE {ambient.x, ambient.y, ambient.z, 1};
    return 0;
}

void CPlanetGaloEffect::Draw()
{
    if (!owner->visible)
        return;
    d3dRender.SetTextureById(textureIds[0], 1, 0);
    d3dRender.SetZEnable(0);
    d3dRender.SetZWrite(0);
    d3dRender.SetLighting(1);
    // The halo keeps the world's axes whatever the planet's turn.
    D3DXMatrixTranslation(&world, owner->world._41, owner->world._42, owner->world._43);
    d3dRender.device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    DrawGroup(MESH_GROUP_PLANET_HALO);
    d3dRender.device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
}
