#include "engine/render/D3DRender.h"
#include "engine/shell/GameSettings.h"
#include "engine/shell/GameTimer.h"
#include "world/World.h"
#include "world/effects/EffectParameters.h"
#include "world/effects/PlanetEffects.h"
#include "world/objects/ObjectDescription.h"
#include "world/objects/StaticObject.h"

namespace {

constexpr int ATMOSPHERE_OFF = 0;
constexpr int ATMOSPHERE_BEST = 2;
// Radians per game millisecond of the first layer; the second turns twice as fast.
constexpr float LAYER_TURN_RATE = -1.25e-6f;

D3DCOLORVALUE Doubled(const D3DXVECTOR4& c) { return D3DCOLORVALUE {2 * c.x, 2 * c.y, 2 * c.z, 2 * c.w}; }

} // namespace

CPlanetCloudsEffect::CPlanetCloudsEffect() : colour1(0, 0, 0, 1), colour2(0, 0, 0, 1) {}

int CPlanetCloudsEffect::Load(int handle, CStaticObject* layerOwner)
{
    Attach(layerOwner);
    char simple[DESCRIPTION_LINE_SIZE];
    char best[DESCRIPTION_LINE_SIZE];
    textureOption = ReadIntegerLine(handle);
    ReadDescriptionLine(handle, simple);
    ReadDescriptionLine(handle, best);
    LoadTextureLine(0, GameSettings[SLOT_ATMOSPHERE] >= ATMOSPHERE_BEST ? best : simple);
    colour1 = ReadColourLine(handle);
    colour2 = ReadColourLine(handle);
    material = D3DMATERIAL9 {};
    material.Diffuse = D3DCOLORVALUE {2, 2, 2, 1};
    material.Ambient = material.Specular = D3DCOLORVALUE {1, 1, 1, 1};
    material.Power = 50;

    const D3DXVECTOR4 velocity(-0.0025f, -0.005f, -0.00375f, -0.005f);
    SetEffectParameter("vecCloud1Velocity", velocity);
    SetEffectParameter("vecCloud2Velocity", velocity);
    SetEffectParameter("vecCloud1BaseScale", D3DXVECTOR4(1.0f, 0.4f, 2.5f, 2.5f));
    SetEffectParameter("vecCloud2BaseScale", D3DXVECTOR4(1.0f, 1.2f, 4.1f, 4.1f));
    SetEffectParameter("vecCloud1Distortion", D3DXVECTOR4(0.4f, 0.4f, 0.0f, 0.4f));
    SetEffectParameter("vecCloud2Distortion", D3DXVECTOR4(0.2f, 0.2f, 0.0f, 0.4f));
    return 0;
}

D3DXMATRIX CPlanetCloudsEffect::LayerMatrix(int layer) const
{
    D3DXMATRIX matrix;
    D3DXMatrixTranslation(&matrix, owner->world._41, owner->world._42 + (layer - 1) * 0.1f, owner->world._43);
    return matrix;
}

void CPlanetCloudsEffect::DrawWithEffect()
{
    const CCamera& camera = *::world.activeCamera;
    d3dRender.SetLighting(0);
    d3dRender.SetTechnique("techCloud");
    SetEffectTextureId("texBaseMap1", textureIds[0]);
    SetEffectParameter("matViewProj", D3DXMATRIX(camera.view * camera.projection));
    d3dRender.SetAlphaBlend(1);
    d3dRender.SetBlend(D3DBLEND_ONE, D3DBLEND_ONE);
    // The two layers differ only in colour and a tenth of a unit in height, far below a texel of
    // the shell: one draw in the sum of their colours adds the same light at half the cost.
    world = LayerMatrix(1);
    SetEffectParameter("matWorld", world);
    const float time = static_cast<float>(gameTimer.gameTime) * 0.01f;
    SetEffectParameter("vecTime", D3DXVECTOR4(time, time, time, time));
    const D3DXVECTOR4 colour = colour1 + colour2;
    SetEffectParameter("vecCloud1Color", colour);
    SetEffectParameter("vecCloud2Color", colour);
    DrawGroupEffect(MESH_GROUP_PLANET_CLOUDS);
}

void CPlanetCloudsEffect::DrawFixed()
{
    d3dRender.SetLighting(1);
    d3dRender.SetTextureById(textureIds[0], 1, 0);
    d3dRender.SetBlend(D3DBLEND_ONE, D3DBLEND_ONE);
    for (int layer = 1; layer <= 2; ++layer) {
        material.Diffuse = Doubled(layer == 1 ? colour1 : colour2);
        D3DXMATRIX turn;
        D3DXMatrixRotationZ(&turn, static_cast<float>(gameTimer.gameTime) * LAYER_TURN_RATE * layer);
        const D3DXMATRIX placed = LayerMatrix(layer);
        D3DXMatrixMultiply(&world, &turn, &placed);
        DrawGroup(MESH_GROUP_PLANET_CLOUDS);
    }
}

void CPlanetCloudsEffect::Draw()
{
    const int atmosphere = GameSettings[SLOT_ATMOSPHERE];
    if (atmosphere == ATMOSPHERE_OFF || !owner->visible || !HasGroup(MESH_GROUP_PLANET_CLOUDS) || !::world.activeCamera)
        return;
    d3dRender.SetZEnable(0);
    d3dRender.SetZWrite(0);
    if (atmosphere >= ATMOSPHERE_BEST)
        DrawWithEffect();
    else
        DrawFixed();
}
