// The light-glow batch: glow quads gathered during a world update into one vertex and one index
// buffer, drawn additively in one call during the next render, each quad turned to the eye.
#include <cstring>

#include "engine/render/D3DRender.h"
#include "world/World.h"

namespace {

constexpr UINT BATCH_VERTEX_BYTES = BATCH_VERTEX_CAPACITY * sizeof(GlowVertex); // 1,280,000
constexpr UINT BATCH_INDEX_BYTES = BATCH_INDEX_CAPACITY * sizeof(WORD);          // 60,000

} // namespace

void CD3DRender::CreateBatchResources()
{
    lightMapId = LoadTexture("Data/Misc/LightMap.bmp", 0);
    device->CreateVertexBuffer(BATCH_VERTEX_BYTES, 0, GLOW_VERTEX_FVF, D3DPOOL_MANAGED, &batchVertexBuffer, nullptr);
    device->CreateIndexBuffer(BATCH_INDEX_BYTES, 0, D3DFMT_INDEX16, D3DPOOL_MANAGED, &batchIndexBuffer, nullptr);
}

void CD3DRender::ReleaseBatchResources()
{
    UnlockBatchBuffers();
    ReleaseTexture(lightMapId);
    lightMapId = -1;
    ReleaseAndClear(batchVertexBuffer);
    ReleaseAndClear(batchIndexBuffer);
    batchVertexCount = batchIndexCount = 0;
}

void CD3DRender::LockBatchBuffers()
{
    batchVertexCount = batchIndexCount = 0;
    batchFacesEye = 0;
    if (!batchVertexBuffer || !batchIndexBuffer)
        return;
    void* vertices = nullptr;
    void* indices = nullptr;
    if (FAILED(batchVertexBuffer->Lock(0, 0, &vertices, D3DLOCK_DISCARD)))
        return;
    if (FAILED(batchIndexBuffer->Lock(0, 0, &indices, D3DLOCK_DISCARD))) {
        batchVertexBuffer->Unlock();
        return;
    }
    batchVertices = vertices;
    batchIndices = static_cast<WORD*>(indices);
}

void CD3DRender::AddToBatch(const GlowVertex* vertices, const WORD* indices, int vertexCount, int indexCount)
{
    if (!batchVertices || !batchIndices || vertexCount <= 0 || indexCount < 0)
        return;
    if (batchVertexCount + vertexCount >= BATCH_VERTEX_CAPACITY || batchIndexCount + indexCount > BATCH_INDEX_CAPACITY)
        return;
    std::memcpy(static_cast<GlowVertex*>(batchVertices) + batchVertexCount, vertices,
                static_cast<std::size_t>(vertexCount) * sizeof(GlowVertex));
    WORD* destination = batchIndices + batchIndexCount;
    for (int i = 0; i < indexCount; ++i)
        destination[i] = static_cast<WORD>(indices[i] + batchVertexCount);
    batchVertexCount += vertexCount;
    batchIndexCount += indexCount;
}

void CD3DRender::UnlockBatchBuffers()
{
    if (batchVertices)
        batchVertexBuffer->Unlock();
    if (batchIndices)
        batchIndexBuffer->Unlock();
    batchVertices = nullptr;
    batchIndices = nullptr;
}

void CD3DRender::TurnBatchToEye(const D3DXVECTOR3& eye)
{
    void* data = nullptr;
    if (FAILED(batchVertexBuffer->Lock(0, 0, &data, 0)))
        return;
    auto* vertices = static_cast<GlowVertex*>(data);
    CopyTurnedToEye(vertices, vertices, static_cast<std::size_t>(batchVertexCount), eye);
    batchVertexBuffer->Unlock();
}

bool CD3DRender::SetGlowTechnique(int glowTextureId, const D3DXMATRIX& worldMatrix)
{
    if (ps11 && effect) {
        SetTechnique("techDirectLights");
        SetEffectTexture("texBaseMap1", GetTexture(glowTextureId));
        effect->SetMatrix("matWorld", &worldMatrix);
        return true;
    }
    SetTextureById(glowTextureId, 1, 0);
    device->SetTransform(D3DTS_WORLD, &worldMatrix);
    return false;
}

void CD3DRender::SetGlowStates(IDirect3DVertexBuffer9* vertices)
{
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    SetZEnable(1);
    SetZWrite(0);
    SetLighting(0);
    SetAlphaBlend(1);
    SetBlend(D3DBLEND_ONE, D3DBLEND_ONE);
    device->SetFVF(GLOW_VERTEX_FVF);
    device->SetStreamSource(0, vertices, 0, sizeof(GlowVertex));
}

void CD3DRender::DrawGlowTriangles(bool shaders, UINT vertexCount, UINT triangles)
{
    if (shaders) {
        effect->Begin(nullptr, 0);
        effect->Pass(0);
    }
    device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, vertexCount, 0, triangles);
    if (shaders)
        effect->End();
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
    facesDrawn += static_cast<int>(triangles);
}

void CD3DRender::DrawDirectLights()
{
    if (batchVertexCount == 0 || batchVertices || !batchVertexBuffer)
        return;
    D3DXMATRIX identity;
    D3DXMatrixIdentity(&identity);
    const bool shaders = SetGlowTechnique(lightMapId, identity);
    if (!shaders) {
        // A batch drawn again (the clock stood still) is already turned.
        if (world.activeCamera && !batchFacesEye)
            TurnBatchToEye(world.activeCamera->eye);
        batchFacesEye = 1;
    }
    SetGlowStates(batchVertexBuffer);
    device->SetIndices(batchIndexBuffer);
    DrawGlowTriangles(shaders, static_cast<UINT>(batchVertexCount), static_cast<UINT>(batchIndexCount / 3));
}
