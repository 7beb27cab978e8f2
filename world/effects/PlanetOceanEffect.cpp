#include "engine/render/D3DRender.h"
#include "engine/shell/GameSettings.h"
#include "engine/shell/GameTimer.h"
#include "world/World.h"
#include "world/effects/EffectParameters.h"
#include "world/effects/PlanetEffects.h"
#include "world/objects/ObjectDescription.h"
#include "world/objects/ObjectManager.h"
#include "world/objects/StaticObject.h"
#include "world/sky/Environment.h"

namespace {

constexpr int OCEAN_BEST = 1;

// The world matrix of the location's first nebula; identity when it has none.
D3DXMATRIX NebulaMatrix()
{
    if (const CSceneObject* nebula = objectManager.FindObject(GTYPE_NEBULA))
        return nebula->world;
    D3DXMATRIX identity;
    D3DXMatrixIdentity(&identity);
    return identity;
}

} // namespace

CPlanetOceanEffect::CPlanetOceanEffect() : colour(0, 0, 0, 1) {}

int CPlanetOceanEffect::Load(int handle, CStaticObject* layerOwner)
{
    Attach(layerOwner);
    char line[DESCRIPTION_LINE_SIZE];
    textureOption = ReadIntegerLine(handle);
    ReadDescriptionLine(handle, line);
    LoadTextureLine(0, line);
    colour = ReadColourLine(handle);
    material = D3DMATERIAL9 {};
    material.Diffuse = D3DCOLORVALUE {1, 1, 1, 1};

    SetEffectParameter("WaveScale", D3DXVECTOR4(8, 7, 1, 1));
    SetEffectParameter("ModelBSRadius", mesh ? mesh->radius : 0.0f);
    SetEffectParameter("OceanColor", colour);
    SetEffectParameter("NoiseSpeed", 0.1f);
    SetEffectParameter("FadeBias", -0.25f);
    SetEffectParameter("FadeExp", -0.5f);
    return 0;
}

void CPlanetOceanEffect::Draw()
{
    if (!owner->visible || !HasGroup(MESH_GROUP_PLANET_OCEAN) || !::world.activeCamera)
        return;
    d3dRender.SetZEnable(0);
    d3dRender.SetZWrite(0);
    if (GameSettings[SLOT_OSURFACE] >= OCEAN_BEST) {
        const CCamera& camera = *::world.activeCamera;
        d3dRender.SetLighting(0);
        d3dRender.SetTextureById(-1, 0, 0);
        d3dRender.SetTechnique("techOceanSurface");
        SetEffectParameter("matViewProj", D3DXMATRIX(camera.view * camera.projection));
        const float time = static_cast<float>(gameTimer.gameTime) * 0.001f;
        SetEffectParameter("vecTime", D3DXVECTOR4(time, time, time, time));
        const D3DXMATRIX nebula = NebulaMatrix();
        SetEffectParameter("matWorld", nebula);
        // The surface lies around the planet, not on the nebula's centre (the eye) inside it.
        SetEffectParameter("OceanOffset", D3DXVECTOR4(owner->world._41 - nebula._41, owner->world._42 - nebula._42,
                                                      owner->world._43 - nebula._43, 0.0f));
        world = nebula;
        world._41 = world._42 = world._43 = 0.0f;
        DrawGroupEffect(MESH_GROUP_PLANET_OCEAN);
    } else {
        d3dRender.SetLighting(1);
        d3dRender.SetTextureById(textureIds[0], 0, 0);
        world._41 = owner->world._41;
        world._42 = owner->world._42;
        world._43 = owner->world._43;
        DrawGroup(MESH_GROUP_PLANET_OCEAN);
    }
    environment.sun.DrawGlow();
}
