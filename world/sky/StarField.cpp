// The star field: generation, buffers and its draw around the camera.
#include "world/sky/StarField.h"

#include <cstdlib>
#include <cstring>

#include "engine/helpers/VectorHelpers.h"
#include "engine/render/D3DRender.h"
#include "world/World.h"
#include "world/objects/ObjectManager.h"
#include "world/objects/SceneObject.h"

namespace {

constexpr DWORD POINT_STAR_FVF = D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX2;
constexpr float POINT_STAR_RADIUS = 1501.0f;
constexpr float SPRITE_RADIUS = 1400.0f;

// A direction from three draws of (rand() % 1001) - 500, scaled to radius.
D3DXVECTOR3 RandomPointAt(float radius)
{
    const float x = static_cast<float>(std::rand() % 1001 - 500);
    const float y = static_cast<float>(std::rand() % 1001 - 500);
    const float z = static_cast<float>(std::rand() % 1001 - 500);
    D3DXVECTOR3 direction;
    Vec3Normalize(direction, D3DXVECTOR3(x, y, z));
    return direction * radius;
}

std::uint32_t RandomStarChannel() { return 155u + static_cast<std::uint32_t>(std::rand() % 101); }

template <typename T>
void ReleaseAndClear(T*& object)
{
    if (object)
        object->Release();
    object = nullptr;
}

} // namespace

CStarField::CStarField()
    : starCount(0), textureId(-1), pointBuffer(nullptr), spriteBuffer(nullptr), indexBuffer(nullptr)
{
}

void CStarField::Load()
{
    Release();
    starCount = STAR_COUNT;
    textureId = d3dRender.LoadTexture("Data/Static/Star/StarObject.bmp", 1);
    BuildPointStars();
    BuildSprites();
}

void CStarField::BuildPointStars()
{
    std::vector<PointStar> stars(starCount, PointStar {});
    for (PointStar& star : stars) {
        const D3DXVECTOR3 position = RandomPointAt(POINT_STAR_RADIUS);
        star.x = position.x;
        star.y = position.y;
        star.z = position.z;
        const std::uint32_t red = RandomStarChannel();
        const std::uint32_t green = RandomStarChannel();
        const std::uint32_t blue = RandomStarChannel();
        star.colour = 0xFF000000u | red << 16 | green << 8 | blue;
    }
    IDirect3DDevice9* device = d3dRender.device;
    const UINT bytes = static_cast<UINT>(stars.size() * sizeof(PointStar));
    void* data = nullptr;
    if (device && SUCCEEDED(device->CreateVertexBuffer(bytes, 0, POINT_STAR_FVF, D3DPOOL_MANAGED, &pointBuffer, nullptr)) &&
        SUCCEEDED(pointBuffer->Lock(0, 0, &data, 0))) {
        std::memcpy(data, stars.data(), bytes);
        pointBuffer->Unlock();
    }
}

void CStarField::BuildSprites()
{
    sprites.assign(static_cast<std::size_t>(starCount) * 4, GlowVertex {});
    std::vector<WORD> indices(static_cast<std::size_t>(starCount) * 6);
    for (unsigned i = 0; i < starCount; ++i) {
        const D3DXVECTOR3 centre = RandomPointAt(SPRITE_RADIUS);
        const float size = static_cast<float>(std::rand() % 101) * 0.05f + 20.0f;
        const auto grey = static_cast<std::uint32_t>((static_cast<float>(std::rand() % 101) * 0.005f + 0.5f) * 255.0f);
        WriteWholeTextureSprite(&sprites[i * 4], centre, size, 0xFF000000u | grey << 16 | grey << 8 | grey);
        WriteQuadIndices(&indices[i * 6], i);
    }
    IDirect3DDevice9* device = d3dRender.device;
    if (!device)
        return;
    const UINT vertexBytes = static_cast<UINT>(sprites.size() * sizeof(GlowVertex));
    const UINT indexBytes = static_cast<UINT>(indices.size() * sizeof(WORD));
    void* data = nullptr;
    if (SUCCEEDED(device->CreateVertexBuffer(vertexBytes, 0, GLOW_VERTEX_FVF, D3DPOOL_MANAGED, &spriteBuffer, nullptr)) &&
        SUCCEEDED(spriteBuffer->Lock(0, 0, &data, 0))) {
        std::memcpy(data, sprites.data(), vertexBytes);
        spriteBuffer->Unlock();
    }
    if (SUCCEEDED(device->CreateIndexBuffer(indexBytes, 0, D3DFMT_INDEX16, D3DPOOL_MANAGED, &indexBuffer, nullptr)) &&
        SUCCEEDED(indexBuffer->Lock(0, 0, &data, 0))) {
        std::memcpy(data, indices.data(), indexBytes);
        indexBuffer->Unlock();
    }
}

void CStarField::Release()
{
    d3dRender.ReleaseTexture(textureId);
    textureId = -1;
    ReleaseAndClear(pointBuffer);
    ReleaseAndClear(spriteBuffer);
    ReleaseAndClear(indexBuffer);
    sprites.clear();
    sprites.shrink_to_fit();
    starCount = 0;
}

void CStarField::TurnSpritesToEye(const D3DXVECTOR3& eye)
{
    void* data = nullptr;
    if (FAILED(spriteBuffer->Lock(0, 0, &data, D3DLOCK_DISCARD)))
        return;
    CopyTurnedToEye(static_cast<GlowVertex*>(data), sprites.data(), sprites.size(), eye);
    spriteBuffer->Unlock();
}

void CStarField::Render()
{
    IDirect3DDevice9* device = d3dRender.device;
    if (!device || !pointBuffer || !spriteBuffer || !indexBuffer || !world.activeCamera)
        return;
    // The stars turn and move with the nebula.
    D3DXMATRIX frame;
    D3DXMatrixIdentity(&frame);
    if (const CSceneObject* nebula = objectManager.FindObject(GTYPE_NEBULA))
        frame = nebula->world;

    const D3DXVECTOR4 noFog(1, 1, 1, 1);
    if (d3dRender.effect)
        d3dRender.effect->SetVector("FogParam", &noFog);
    d3dRender.SetZEnable(1);
    d3dRender.SetZWrite(0);
    d3dRender.SetLighting(0);
    device->SetTransform(D3DTS_WORLD, &frame);

    device->SetFVF(POINT_STAR_FVF);
    d3dRender.SetTextureById(-1, 0, 0);
    device->SetStreamSource(0, pointBuffer, 0, sizeof(PointStar));
    device->DrawPrimitive(D3DPT_POINTLIST, 0, starCount);

    const bool shaders = d3dRender.SetGlowTechnique(textureId, frame);
    if (!shaders) {
        // The eye in the stars' own frame.
        D3DXMATRIX inverse;
        D3DXMatrixInverse(&inverse, nullptr, &frame);
        D3DXVECTOR3 eye;
        D3DXVec3TransformCoord(&eye, &world.activeCamera->eye, &inverse);
        TurnSpritesToEye(eye);
    }
    d3dRender.SetGlowStates(spriteBuffer);
    device->SetIndices(indexBuffer);
    d3dRender.DrawGlowTriangles(shaders, starCount * 4, starCount * 2);
}
