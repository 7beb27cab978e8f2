#include <algorithm>
#include <cstring>

#include "platform/gfx/Device.h"

namespace {

D3DMATRIX* TransformSlot(D3DTRANSFORMSTATETYPE state, D3DMATRIX& world, D3DMATRIX& view, D3DMATRIX& projection,
                         D3DMATRIX* textures)
{
    switch (state) {
    case D3DTS_WORLD: return &world;
    case D3DTS_VIEW: return &view;
    case D3DTS_PROJECTION: return &projection;
    default:
        if (state >= D3DTS_TEXTURE0 && state <= D3DTS_TEXTURE7)
            return &textures[state - D3DTS_TEXTURE0];
        return nullptr;
    }
}

} // namespace

HRESULT Device::SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix)
{
    D3DMATRIX* slot = TransformSlot(state, world, view, projection, textureTransforms);
    if (!slot || !matrix)
        return D3DERR_INVALIDCALL;
    *slot = *matrix;
    return D3D_OK;
}

HRESULT Device::GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix)
{
    D3DMATRIX* slot = TransformSlot(state, world, view, projection, textureTransforms);
    if (!slot || !matrix)
        return D3DERR_INVALIDCALL;
    *matrix = *slot;
    return D3D_OK;
}

HRESULT Device::SetViewport(const D3DVIEWPORT9* next)
{
    if (!next || next->Width == 0 || next->Height == 0 || next->X + next->Width > renderTarget->Width() ||
        next->Y + next->Height > renderTarget->Height())
        return D3DERR_INVALIDCALL;
    viewport = *next;
    return D3D_OK;
}

HRESULT Device::GetViewport(D3DVIEWPORT9* out)
{
    if (!out)
        return D3DERR_INVALIDCALL;
    *out = viewport;
    return D3D_OK;
}

HRESULT Device::SetMaterial(const D3DMATERIAL9* next)
{
    if (!next)
        return D3DERR_INVALIDCALL;
    material = *next;
    return D3D_OK;
}

HRESULT Device::GetMaterial(D3DMATERIAL9* out)
{
    if (!out)
        return D3DERR_INVALIDCALL;
    *out = material;
    return D3D_OK;
}

HRESULT Device::SetLight(DWORD index, const D3DLIGHT9* light)
{
    if (index >= D3D_MAX_LIGHTS || !light || light->Type < D3DLIGHT_POINT || light->Type > D3DLIGHT_DIRECTIONAL)
        return D3DERR_INVALIDCALL;
    lights[index] = *light;
    return D3D_OK;
}

HRESULT Device::GetLight(DWORD index, D3DLIGHT9* light)
{
    if (index >= D3D_MAX_LIGHTS || !light)
        return D3DERR_INVALIDCALL;
    *light = lights[index];
    return D3D_OK;
}

HRESULT Device::LightEnable(DWORD index, BOOL enable)
{
    if (index >= D3D_MAX_LIGHTS)
        return D3DERR_INVALIDCALL;
    lightEnabled[index] = enable != FALSE;
    return D3D_OK;
}

HRESULT Device::GetLightEnable(DWORD index, BOOL* enable)
{
    if (index >= D3D_MAX_LIGHTS || !enable)
        return D3DERR_INVALIDCALL;
    *enable = lightEnabled[index] ? TRUE : FALSE;
    return D3D_OK;
}

HRESULT Device::SetRenderState(D3DRENDERSTATETYPE state, DWORD value)
{
    if (state >= D3DRS_COUNT)
        return D3DERR_INVALIDCALL;
    renderStates[state] = value;
    return D3D_OK;
}

HRESULT Device::GetRenderState(D3DRENDERSTATETYPE state, DWORD* value)
{
    if (state >= D3DRS_COUNT || !value)
        return D3DERR_INVALIDCALL;
    *value = renderStates[state];
    return D3D_OK;
}

HRESULT Device::SetTexture(DWORD stage, IDirect3DBaseTexture9* texture)
{
    if (stage >= D3D_MAX_TEXTURE_STAGES)
        return D3DERR_INVALIDCALL;
    SetReferenced(textures[stage], texture);
    return D3D_OK;
}

HRESULT Device::GetTexture(DWORD stage, IDirect3DBaseTexture9** texture)
{
    if (stage >= D3D_MAX_TEXTURE_STAGES || !texture)
        return D3DERR_INVALIDCALL;
    *texture = textures[stage];
    if (*texture)
        (*texture)->AddRef();
    return D3D_OK;
}

HRESULT Device::SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value)
{
    if (stage >= D3D_MAX_TEXTURE_STAGES || type >= D3DTSS_COUNT)
        return D3DERR_INVALIDCALL;
    stageStates[stage][type] = value;
    return D3D_OK;
}

HRESULT Device::GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD* value)
{
    if (stage >= D3D_MAX_TEXTURE_STAGES || type >= D3DTSS_COUNT || !value)
        return D3DERR_INVALIDCALL;
    *value = stageStates[stage][type];
    return D3D_OK;
}

HRESULT Device::SetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD value)
{
    if (sampler >= D3D_MAX_TEXTURE_STAGES || type >= D3DSAMP_COUNT)
        return D3DERR_INVALIDCALL;
    samplerStates[sampler][type] = value;
    return D3D_OK;
}

HRESULT Device::GetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD* value)
{
    if (sampler >= D3D_MAX_TEXTURE_STAGES || type >= D3DSAMP_COUNT || !value)
        return D3DERR_INVALIDCALL;
    *value = samplerStates[sampler][type];
    return D3D_OK;
}

HRESULT Device::SetFVF(DWORD next)
{
    fvf = next;
    return D3D_OK;
}

HRESULT Device::GetFVF(DWORD* out)
{
    if (!out)
        return D3DERR_INVALIDCALL;
    *out = fvf;
    return D3D_OK;
}

HRESULT Device::SetStreamSource(UINT index, IDirect3DVertexBuffer9* buffer, UINT offset, UINT stride)
{
    if (index != 0)
        return D3DERR_INVALIDCALL;
    SetReferenced(stream, static_cast<VertexBuffer*>(buffer));
    streamOffset = offset;
    streamStride = stride;
    return D3D_OK;
}

HRESULT Device::SetIndices(IDirect3DIndexBuffer9* buffer)
{
    SetReferenced(indices, static_cast<IndexBuffer*>(buffer));
    return D3D_OK;
}

namespace {

template <typename T, std::size_t Rows>
HRESULT StoreConstants(T (&table)[Rows][4], UINT start, const T* values, UINT count)
{
    if (!values || start > Rows || count > Rows - start)
        return D3DERR_INVALIDCALL;
    std::memcpy(table[start], values, sizeof(T) * 4 * count);
    return D3D_OK;
}

} // namespace

HRESULT Device::SetVertexShaderConstantF(UINT start, const float* values, UINT count)
{
    return StoreConstants(constants.vertexF, start, values, count);
}

HRESULT Device::SetVertexShaderConstantI(UINT start, const int* values, UINT count)
{
    return StoreConstants(constants.vertexI, start, values, count);
}

HRESULT Device::SetPixelShaderConstantF(UINT start, const float* values, UINT count)
{
    return StoreConstants(constants.pixelF, start, values, count);
}
