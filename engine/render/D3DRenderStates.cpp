// The renderer's states: the defaults, the cached setters, texture binding, the technique, fill
// and shade mode, the fog range and the saved state.
#include <cstring>
#include <initializer_list>

#include "engine/render/D3DRender.h"
#include "engine/shell/GameSettings.h"

namespace {

void SetState(IDirect3DDevice9* device, D3DRENDERSTATETYPE state, DWORD value) { device->SetRenderState(state, value); }

// The cached states that SaveState keeps, each beside its saved copy.
struct SavedState {
    int CD3DRender::*state;
    int CD3DRender::*saved;
};
constexpr SavedState SAVED_STATES[] = {
    {&CD3DRender::textureId, &CD3DRender::savedTextureId},
    {&CD3DRender::zWrite, &CD3DRender::savedZWrite},
    {&CD3DRender::zEnable, &CD3DRender::savedZEnable},
    {&CD3DRender::lighting, &CD3DRender::savedLighting},
    {&CD3DRender::sourceBlend, &CD3DRender::savedSourceBlend},
    {&CD3DRender::destinationBlend, &CD3DRender::savedDestinationBlend},
    {&CD3DRender::alphaBlend, &CD3DRender::savedAlphaBlend},
};

// Wireframe draws untextured and unblended; stage 0 then holds no texture id.
void UnbindForWireframe(CD3DRender& render)
{
    render.device->SetTexture(0, nullptr);
    render.textureId = -1;
    render.SetAlphaBlend(0);
}

// A bound texture's blending: alpha over the target, or a plain copy.
void SetTextureBlend(CD3DRender& render, int blend)
{
    render.SetAlphaBlend(blend);
    if (blend)
        render.SetBlend(D3DBLEND_SRCALPHA, D3DBLEND_INVSRCALPHA);
    else
        render.SetBlend(D3DBLEND_ONE, D3DBLEND_ZERO);
}

} // namespace

int CD3DRender::SetDefaultStates()
{
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);

    SetState(device, D3DRS_AMBIENT, 0xFF000000);
    SetState(device, D3DRS_CULLMODE, D3DCULL_CW);
    SetState(device, D3DRS_ZENABLE, D3DZB_TRUE);
    SetState(device, D3DRS_ZFUNC, D3DCMP_LESSEQUAL);
    SetState(device, D3DRS_FILLMODE, D3DFILL_SOLID);
    SetState(device, D3DRS_SHADEMODE, D3DSHADE_GOURAUD);
    for (D3DRENDERSTATETYPE state : {D3DRS_LASTPIXEL, D3DRS_DITHERENABLE, D3DRS_SPECULARENABLE, D3DRS_COLORVERTEX,
                                     D3DRS_NORMALIZENORMALS, D3DRS_LOCALVIEWER})
        SetState(device, state, TRUE);
    SetState(device, D3DRS_ALPHAREF, ps11 ? 128 : 96);
    SetState(device, D3DRS_ALPHATESTENABLE, FALSE);
    SetState(device, D3DRS_ALPHAFUNC, D3DCMP_GREATEREQUAL);
    SetState(device, D3DRS_ALPHABLENDENABLE, TRUE);
    SetState(device, D3DRS_FOGENABLE, FALSE);
    SetState(device, D3DRS_FOGCOLOR, 0xFF000000);
    SetState(device, D3DRS_FOGVERTEXMODE, D3DFOG_LINEAR);
    SetState(device, D3DRS_RANGEFOGENABLE, TRUE);

    fogEnd = FarPlane;
    fogStart = FarPlane * 0.5f;
    SetState(device, D3DRS_FOGSTART, FloatBits(fogStart));
    SetState(device, D3DRS_FOGEND, FloatBits(fogEnd));

    constexpr DWORD STAGES = 7;
    for (DWORD stage = 0; stage < STAGES; ++stage) {
        device->SetTextureStageState(stage, D3DTSS_TEXCOORDINDEX, 0);
        device->SetTextureStageState(stage, D3DTSS_COLOROP, D3DTOP_MODULATE);
        device->SetTextureStageState(stage, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
        device->SetTextureStageState(stage, D3DTSS_COLORARG1, D3DTA_TEXTURE);
        device->SetTextureStageState(stage, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
        device->SetTextureStageState(stage, D3DTSS_COLORARG2, D3DTA_CURRENT);
        device->SetTextureStageState(stage, D3DTSS_ALPHAARG2, D3DTA_CURRENT);
        device->SetSamplerState(stage, D3DSAMP_MINFILTER, D3DTEXF_LINEAR);
        device->SetSamplerState(stage, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
        device->SetSamplerState(stage, D3DSAMP_MIPFILTER, D3DTEXF_LINEAR);
        device->SetSamplerState(stage, D3DSAMP_ADDRESSU, D3DTADDRESS_WRAP);
        device->SetSamplerState(stage, D3DSAMP_ADDRESSV, D3DTADDRESS_WRAP);
        device->SetSamplerState(stage, D3DSAMP_ADDRESSW, D3DTADDRESS_WRAP);
        device->SetSamplerState(stage, D3DSAMP_BORDERCOLOR, 0);
        device->SetSamplerState(stage, D3DSAMP_MIPMAPLODBIAS, 0);
    }
    for (DWORD stage : {1u, 2u}) {
        device->SetTextureStageState(stage, D3DTSS_COLOROP, D3DTOP_DISABLE);
        device->SetTextureStageState(stage, D3DTSS_ALPHAOP, D3DTOP_DISABLE);
    }

    const D3DXMATRIX identity(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
    device->SetTransform(D3DTS_WORLD, &identity);
    D3DMATERIAL9 material {};
    material.Diffuse = {1, 1, 1, 1};
    material.Ambient = {1, 1, 1, 1};
    device->SetMaterial(&material);

    // The caches hold what the device now has, so that the cached setters stay truthful after
    // start-up and after every reset.
    zEnable = 1;
    zWrite = 1;
    lighting = 1;
    sourceBlend = D3DBLEND_ONE;
    destinationBlend = D3DBLEND_ZERO;
    alphaBlend = 1;
    fogEnable = 0;
    return 0;
}

void CD3DRender::SetCachedState(int& cached, D3DRENDERSTATETYPE state, int value)
{
    if (cached != value)
        device->SetRenderState(state, static_cast<DWORD>(value));
    cached = value;
}

void CD3DRender::SetZWrite(int value)
{
    SetCachedState(zWrite, D3DRS_ZWRITEENABLE, value);
}

void CD3DRender::SetZEnable(int value)
{
    SetCachedState(zEnable, D3DRS_ZENABLE, value);
}

void CD3DRender::SetLighting(int value)
{
    SetCachedState(lighting, D3DRS_LIGHTING, value);
}

void CD3DRender::SetBlend(int source, int destination)
{
    SetCachedState(sourceBlend, D3DRS_SRCBLEND, source);
    SetCachedState(destinationBlend, D3DRS_DESTBLEND, destination);
}

void CD3DRender::SetAlphaBlend(int value)
{
    SetCachedState(alphaBlend, D3DRS_ALPHABLENDENABLE, value);
}

void CD3DRender::SetFog(int value)
{
    SetCachedState(fogEnable, D3DRS_FOGENABLE, value);
}

int CD3DRender::SetTexture(IDirect3DBaseTexture9* texture, int blend)
{
    if (fillMode == D3DFILL_WIREFRAME) {
        UnbindForWireframe(*this);
        return 0;
    }
    // A texture from outside the table leaves stage 0 holding no known id: the next bind by id
    // must reach the device.
    textureId = texture ? TEXTURE_ID_UNKNOWN : -1;
    device->SetTexture(0, texture);
    SetTextureBlend(*this, blend);
    return 0;
}

int CD3DRender::SetTextureById(int id, int blend, int stage)
{
    if (fillMode == D3DFILL_WIREFRAME) {
        UnbindForWireframe(*this);
        return 0;
    }
    // The cached id is the texture of stage 0; other stages are always bound.
    if (stage != 0)
        device->SetTexture(static_cast<DWORD>(stage), id == -1 ? nullptr : textureManager.Get(id));
    else if (id == -1)
        device->SetTexture(0, nullptr);
    else if (id != textureId)
        device->SetTexture(0, textureManager.Get(id));
    if (stage == 0)
        textureId = id;
    SetTextureBlend(*this, blend);
    return 0;
}

void CD3DRender::SetTechnique(const char* name)
{
    if (name == currentTechnique)
        return;
    currentTechnique = name;
    if (effect)
        effect->SetTechnique(name);
}

void CD3DRender::SetEffectTexture(const char* name, IDirect3DBaseTexture9* texture)
{
    if (!effect)
        return;
    if (fillMode == D3DFILL_WIREFRAME) {
        effect->SetTexture(name, nullptr);
        SetAlphaBlend(0);
        return;
    }
    effect->SetTexture(name, texture);
}

void CD3DRender::ToggleWireframe()
{
    fillMode = fillMode == D3DFILL_SOLID ? D3DFILL_WIREFRAME : D3DFILL_SOLID;
    if (device)
        device->SetRenderState(D3DRS_FILLMODE, static_cast<DWORD>(fillMode));
}

void CD3DRender::ForceSolidFill(bool solid)
{
    device->SetRenderState(D3DRS_FILLMODE, static_cast<DWORD>(solid ? int(D3DFILL_SOLID) : fillMode));
}

void CD3DRender::ToggleShadeMode()
{
    shadeMode = shadeMode == D3DSHADE_GOURAUD ? D3DSHADE_FLAT : D3DSHADE_GOURAUD;
    if (device)
        device->SetRenderState(D3DRS_SHADEMODE, static_cast<DWORD>(shadeMode));
}

void CD3DRender::SetFogRange(float start, float end)
{
    device->SetRenderState(D3DRS_FOGSTART, FloatBits(start));
    device->SetRenderState(D3DRS_FOGEND, FloatBits(end));
    fogStart = start;
    fogEnd = end;
}

void CD3DRender::SaveFogRange()
{
    savedFogStart = fogStart;
    savedFogEnd = fogEnd;
}

void CD3DRender::RestoreFogRange() { SetFogRange(savedFogStart, savedFogEnd); }

void CD3DRender::SaveState()
{
    std::memcpy(savedTechniqueName, techniqueName, sizeof techniqueName);
    for (const auto& [state, saved] : SAVED_STATES)
        this->*saved = this->*state;
}

void CD3DRender::RestoreState()
{
    std::memcpy(techniqueName, savedTechniqueName, sizeof techniqueName);
    for (const auto& [state, saved] : SAVED_STATES)
        this->*state = this->*saved;
    device->SetRenderState(D3DRS_ZWRITEENABLE, static_cast<DWORD>(zWrite));
    device->SetRenderState(D3DRS_ZENABLE, static_cast<DWORD>(zEnable));
    device->SetRenderState(D3DRS_LIGHTING, static_cast<DWORD>(lighting));
    device->SetRenderState(D3DRS_SRCBLEND, static_cast<DWORD>(sourceBlend));
    device->SetRenderState(D3DRS_DESTBLEND, static_cast<DWORD>(destinationBlend));
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, static_cast<DWORD>(alphaBlend));
}
