// Z-fail stencil shadow volumes and the overlay that darkens the shadowed pixels.
#include "engine/render/D3DRender.h"
#include "engine/render/Draw2D.h"
#include "engine/shell/GameSettings.h"
#include "engine/shell/InputState.h"
#include "world/World.h"
#include "world/objects/ObjectManager.h"
#include "world/scooters/VehicleManager.h"
#include "world/sky/Environment.h"

namespace {

void SetState(D3DRENDERSTATETYPE state, DWORD value)
{
    d3dRender.device->SetRenderState(state, value);
}

bool TwoSidedStencil()
{
    D3DCAPS9 caps {};
    d3dRender.device->GetDeviceCaps(&caps);
    return (caps.StencilCaps & D3DSTENCILCAPS_TWOSIDED) != 0;
}

void SetShadowArguments(DWORD argument)
{
    d3dRender.device->SetTextureStageState(0, D3DTSS_COLORARG2, argument);
    d3dRender.device->SetTextureStageState(0, D3DTSS_ALPHAARG2, argument);
}

} // namespace

bool CWorld::ShadowsEnabled() const
{
    if (GameSettings[SLOT_DEBUG_MODE] && inputState.end)
        return false;
    return GameSettings[SLOT_SHADOWS] != 0 && environment.shadowStrength != 0.0f;
}

void CWorld::DrawShadowCasters()
{
    vehicleManager.RenderShadows();
    objectManager.RenderShadowPass();
}

void CWorld::RenderShadowVolumes()
{
    if (!ShadowsEnabled())
        return;
    d3dRender.ToggleShadeMode();
    d3dRender.SetZEnable(1);
    d3dRender.SetZWrite(0);
    d3dRender.SetAlphaBlend(1);
    d3dRender.SetBlend(D3DBLEND_ZERO, D3DBLEND_ONE);

    SetState(D3DRS_STENCILENABLE, 1);
    SetState(D3DRS_STENCILFUNC, D3DCMP_ALWAYS);
    SetState(D3DRS_STENCILZFAIL, D3DSTENCILOP_DECR);
    SetState(D3DRS_STENCILFAIL, D3DSTENCILOP_KEEP);
    SetState(D3DRS_STENCILREF, 1);
    SetState(D3DRS_STENCILMASK, 0xFFFFFFFF);
    SetState(D3DRS_STENCILWRITEMASK, 0xFFFFFFFF);
    SetState(D3DRS_STENCILPASS, D3DSTENCILOP_KEEP);

    if (TwoSidedStencil()) {
        SetState(D3DRS_TWOSIDEDSTENCILMODE, 1);
        SetState(D3DRS_CCW_STENCILFUNC, D3DCMP_ALWAYS);
        SetState(D3DRS_CCW_STENCILZFAIL, D3DSTENCILOP_INCR);
        SetState(D3DRS_CCW_STENCILFAIL, D3DSTENCILOP_KEEP);
        SetState(D3DRS_CCW_STENCILPASS, D3DSTENCILOP_KEEP);
        SetState(D3DRS_CULLMODE, D3DCULL_NONE);
        DrawShadowCasters();
        SetState(D3DRS_TWOSIDEDSTENCILMODE, 0);
    } else {
        DrawShadowCasters();
        SetState(D3DRS_CULLMODE, D3DCULL_CCW);
        SetState(D3DRS_STENCILZFAIL, D3DSTENCILOP_INCR);
        DrawShadowCasters();
    }

    d3dRender.ToggleShadeMode();
    d3dRender.SetZWrite(1);
    SetState(D3DRS_CULLMODE, D3DCULL_CW);
    SetState(D3DRS_STENCILENABLE, 0);
}

void CWorld::DrawShadowOverlay()
{
    if (!ShadowsEnabled())
        return;
    d3dRender.SetZEnable(0);
    SetState(D3DRS_STENCILENABLE, 1);
    SetState(D3DRS_STENCILREF, 1);
    SetState(D3DRS_STENCILFUNC, D3DCMP_LESSEQUAL);
    SetState(D3DRS_STENCILPASS, D3DSTENCILOP_ZERO);
    SetShadowArguments(D3DTA_DIFFUSE);

    const auto alpha = static_cast<D3DCOLOR>(static_cast<int>(environment.shadowStrength * 128.0f));
    // The whole virtual screen and a unit beyond, whatever the back-buffer size.
    DrawFullScreenQuad(-1.0f, -1.0f, 801.0f, 601.0f, alpha << 24);

    SetShadowArguments(D3DTA_CURRENT);
    d3dRender.SetZEnable(1);
    SetState(D3DRS_STENCILENABLE, 0);
}
