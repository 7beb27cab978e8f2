// Chrome and reflective glass: the environment reflected through a camera-space reflection
// vector, turned back to world directions by the inverse view.
#include "engine/render/D3DRender.h"
#include "world/World.h"
#include "world/effects/SurfaceEffects.h"
#include "world/effects/SurfaceGate.h"
#include "world/objects/ObjectDescription.h"
#include "world/objects/StaticObject.h"

namespace {

// The floats just above 120 and 210: the scooters' limits.
constexpr float CHROME_LIMIT = 400.0f;
constexpr float CHROME_SCOOTER_LIMIT = 120.00001f;
constexpr float GLASS_LIMIT = 700.0f;
constexpr float GLASS_SCOOTER_LIMIT = 210.00002f;

D3DMATERIAL9 Material(float diffuse, float emissive, float power)
{
    D3DMATERIAL9 material {};
    material.Diffuse = material.Ambient = D3DCOLORVALUE {diffuse, diffuse, diffuse, 1};
    material.Specular = D3DCOLORVALUE {1, 1, 1, 1};
    material.Emissive = emissive > 0 ? D3DCOLORVALUE {emissive, emissive, emissive, 1} : D3DCOLORVALUE {};
    material.Power = power;
    return material;
}

// Stage 0 reflects the environment, the group is drawn, stage 0 goes back to plain coordinates.
void DrawReflected(CMeshObject& layer, int group)
{
    IDirect3DDevice9* device = d3dRender.device;
    D3DXMATRIX reflection = world.activeCamera->inverseView;
    reflection._41 = reflection._42 = reflection._43 = 0.0f;
    device->SetTransform(D3DTS_TEXTURE0, &reflection);
    device->SetTextureStageState(0, D3DTSS_TEXCOORDINDEX, D3DTSS_TCI_CAMERASPACEREFLECTIONVECTOR);
    device->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT3);
    d3dRender.SetFog(0);
    d3dRender.SetZEnable(1);
    d3dRender.SetZWrite(1);
    d3dRender.SetLighting(1);
    layer.DrawGroup(group);
    D3DXMATRIX identity;
    D3DXMatrixIdentity(&identity);
    device->SetTransform(D3DTS_TEXTURE0, &identity);
    device->SetTextureStageState(0, D3DTSS_TEXCOORDINDEX, 0);
    device->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_DISABLE);
}

} // namespace

int CChromeEffect::Init(int handle, CStaticObject* layerOwner)
{
    Attach(layerOwner);
    char line[DESCRIPTION_LINE_SIZE];
    textureOption = ReadIntegerLine(handle);
    ReadDescriptionLine(handle, line);
    LoadTextureLine(0, line);
    ReadDescriptionLine(handle, line);
    LoadTextureLine(1, line);
    material = Material(1.0f, 0.3f, 10.0f);
    return 0;
}

void CChromeEffect::Draw()
{
    if (!owner->enabled || !SurfaceLayerInSight(*owner, CHROME_LIMIT, CHROME_SCOOTER_LIMIT))
        return;
    world = owner->world;
    d3dRender.SetTextureById(textureIds[1], 0, 0);
    DrawReflected(*this, MESH_GROUP_CHROME);
}

int CRGlassEffect::Init(int handle, CStaticObject* layerOwner)
{
    Attach(layerOwner);
    char line[DESCRIPTION_LINE_SIZE];
    textureOption = ReadIntegerLine(handle);
    ReadDescriptionLine(handle, line);
    LoadTextureLine(0, line);
    material = Material(0.5f, 0.0f, 8.0f);
    return 0;
}

void CRGlassEffect::Draw()
{
    if (!SurfaceLayerInSight(*owner, GLASS_LIMIT, GLASS_SCOOTER_LIMIT))
        return;
    world = owner->world;
    d3dRender.SetTexture(d3dRender.planetEnvMap, 0);
    DrawReflected(*this, MESH_GROUP_REFLECTIVE_GLASS);
}
