#include "engine/render/D3DRender.h"
#include "engine/render/LightManager.h"
#include "engine/shell/GameSettings.h"
#include "engine/shell/GameTimer.h"
#include "world/World.h"
#include "world/effects/EffectParameters.h"
#include "world/effects/PlanetEffects.h"
#include "world/effects/SurfaceEffects.h"
#include "world/objects/StaticObject.h"
#include "world/shadows/ObjectShadow.h"

void CStaticObject::DrawFixed(int alphaBlend)
{
    d3dRender.SetTextureById(textureIds[0], alphaBlend, 0);
    DrawGroup(MESH_GROUP_BODY);
}

void CStaticObject::DrawBumpMapped(const char* technique, int alphaBlend, bool withTime)
{
    const CCamera& camera = *::world.activeCamera;
    lightManager.SetSunPosMS(world);
    ::world.activeCamera->SetEyePosMS(world);
    SetEffectTextureId("texBaseMap1", textureIds[0]);
    SetEffectTextureId("texBumpMap", textureIds[1]);
    d3dRender.SetTechnique(technique);
    d3dRender.SetAlphaBlend(alphaBlend);
    if (alphaBlend)
        d3dRender.SetBlend(D3DBLEND_SRCALPHA, D3DBLEND_INVSRCALPHA);
    else
        d3dRender.SetBlend(D3DBLEND_ONE, D3DBLEND_ZERO);
    const D3DXMATRIX worldViewProjection = world * camera.view * camera.projection;
    SetEffectParameter("matWorldViewProj", worldViewProjection);
    SetEffectParameter("matWorld", world);
    SetEffectMaterial(material);
    SetEffectParameter("Bumpiness", 1.0f);
    if (withTime) {
        const float time = static_cast<float>(gameTimer.gameTime) * 0.0000125f;
        SetEffectParameter("vecTime", D3DXVECTOR4(time, time, time, time));
    }
    DrawGroupEffect(MESH_GROUP_BODY);
}

void CStaticObject::Draw()
{
    if (!enabled || HiddenFromCamera())
        return;
    lightManager.PrepareObjectLights(world);
    switch (objectType) {
    case GTYPE_NEBULA:
        d3dRender.SetZEnable(1);
        d3dRender.SetZWrite(0);
        d3dRender.SetLighting(1);
        DrawFixed(0);
        break;
    case GTYPE_PLANET1:
    case GTYPE_PLANET2: {
        if (components.planetOcean)
            components.planetOcean->Draw();
        d3dRender.SetZEnable(1);
        d3dRender.SetZWrite(1);
        const int blend = objectType == GTYPE_PLANET1;
        if (BumpMapped() && ::world.activeCamera) {
            lightManager.SaveSunLight();
            lightManager.SetSunColour(D3DCOLORVALUE {1, 1, 1, 1});
            d3dRender.SetLighting(0);
            DrawBumpMapped(blend ? "techBumpMapTX" : "techBumpMap", blend, true);
            lightManager.RestoreSunLight();
        } else {
            d3dRender.SetLighting(1);
            DrawFixed(blend);
        }
        break;
    }
    case GTYPE_PLATFORM:
    case GTYPE_STRUCTURE:
        d3dRender.SetZEnable(1);
        d3dRender.SetZWrite(1);
        d3dRender.SetLighting(1);
        if (BumpMapped() && ::world.activeCamera)
            DrawBumpMapped("techBumpMap", 0, false);
        else
            DrawFixed(0);
        break;
    case GTYPE_DECORS:
    case GTYPE_VEHICLE:
        d3dRender.SetZEnable(1);
        d3dRender.SetZWrite(1);
        d3dRender.SetLighting(1);
        DrawFixed(0);
        break;
    default: DrawGroup(MESH_GROUP_BODY); break;
    }
}

void CStaticObject::DrawEffects()
{
    if (HiddenFromCamera())
        return;
    lightManager.PrepareObjectLights(world);
    if (components.planetClouds)
        components.planetClouds->Draw();
    if (components.planetGalo)
        components.planetGalo->Draw();
    if (components.selfIllum)
        components.selfIllum->Update();
    if (components.lightMaps)
        components.lightMaps->Draw();
}

void CStaticObject::DrawTransparent()
{
    if (HiddenFromCamera())
        return;
    lightManager.PrepareObjectLights(world);
    if (components.chrome)
        components.chrome->Draw();
    if (components.rGlass)
        components.rGlass->Draw();
}
