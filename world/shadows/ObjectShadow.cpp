#include "world/shadows/ObjectShadow.h"

#include <algorithm>
#include <cmath>

#include "engine/helpers/VectorHelpers.h"
#include "engine/render/D3DRender.h"
#include "engine/shell/GameSettings.h"
#include "engine/shell/GameTimer.h"
#include "engine/shell/InputState.h"
#include "world/World.h"
#include "world/objects/StaticObject.h"
#include "world/scooters/Vehicle.h"
#include "world/shadows/ShadowVolume.h"
#include "world/sky/Environment.h"

namespace {

constexpr std::uint32_t VERTEX_STRIDE = 12;
constexpr float DISTANCE_LIMIT = 500.0f;
constexpr float SCOOTER_DISTANCE_LIMIT = 100.0f;
constexpr float SCOOTER_REBUILD_DELAY = 0.025f;

IDirect3DVertexBuffer9* CreateBuffer(std::uint32_t vertices)
{
    IDirect3DVertexBuffer9* buffer = nullptr;
    if (FAILED(d3dRender.device->CreateVertexBuffer(vertices * VERTEX_STRIDE, D3DUSAGE_WRITEONLY, D3DFVF_XYZ,
                                                    D3DPOOL_MANAGED, &buffer, nullptr)))
        return nullptr;
    return buffer;
}

} // namespace

CObjectShadow::CObjectShadow() = default;

CObjectShadow::~CObjectShadow() { Release(); }

bool CObjectShadow::Casts(int objectType)
{
    const int shadows = GameSettings[SLOT_SHADOWS];
    switch (objectType) {
    case GTYPE_VEHICLE:
    case GTYPE_DECORS: return shadows >= 1;
    case GTYPE_STRUCTURE: return shadows >= 2;
    case GTYPE_PLATFORM: return shadows >= 3;
    default: return false;
    }
}

std::uint32_t CObjectShadow::Capacity(std::uint32_t vertices, std::uint32_t faces)
{
    return std::max<std::uint32_t>(200, 10 * vertices + 3 * faces);
}

int CObjectShadow::Load(const char*, CStaticObject* shadowOwner, int shadowCode)
{
    Attach(shadowOwner);
    code = shadowCode;
    if (!Casts(owner->objectType) || !mesh || !d3dRender.device)
        return 0;
    mesh->PrepareShadowMesh();
    if (!HasGroup(MESH_GROUP_SHADOW))
        return 0;
    ID3DXMesh* source = mesh->meshes[MESH_GROUP_SHADOW][0].get();
    capacity = Capacity(source->GetNumVertices(), source->GetNumFaces());
    vertexBuffer = CreateBuffer(capacity);
    if (!vertexBuffer)
        capacity = 0;
    return 0;
}

float CObjectShadow::DistanceLimit() const
{
    return owner->objectType == GTYPE_VEHICLE ? SCOOTER_DISTANCE_LIMIT : DISTANCE_LIMIT;
}

float CObjectShadow::GetRebuildDelay() const
{
    return owner->objectClass == GCLASS_VEHICLE ? SCOOTER_REBUILD_DELAY : -1.0f;
}

void CObjectShadow::Update()
{
    if (GameSettings[SLOT_DEBUG_MODE] && inputState.end)
        return;
    if (!vertexBuffer || !Casts(owner->objectType))
        return;
    if (code == GEFFECT_STATIC_SHADOW && vertexCount > 0)
        return;
    if (owner->cameraDistance > DistanceLimit())
        return;
    rebuildTimer -= gameTimer.gameStep;
    if (rebuildTimer > 0.0f)
        return;

    D3DXVECTOR3 light = environment.shadowVector;
    switch (owner->objectType) {
    case GTYPE_PLATFORM:
    case GTYPE_STRUCTURE:
    case GTYPE_DECORS:
        light.y = 0.4f;
        extrusion = owner->objectType == GTYPE_PLATFORM ? 20.0f
                    : owner->objectType == GTYPE_STRUCTURE ? 60.0f
                                                            : 5.0f * owner->radius;
        break;
    case GTYPE_VEHICLE: {
        light.y = 1.0f;
        const float ground = static_cast<const CVehicle*>(owner)->groundDistance;
        extrusion = (std::max(2.0f * owner->radius, ground) + 1.0f) * 2.0f;
        break;
    }
    default: return;
    }
    Vec3Normalize(light, light);

    const float half = extrusion * 0.5f;
    centre = owner->worldCentre - light * half;
    radius = std::sqrt(owner->radius * owner->radius + half * half);
    const CCamera* camera = ::world.activeCamera;
    visible = camera && camera->SphereTest(centre, radius);
    if (!visible)
        return;
    D3DXMATRIX inverse;
    D3DXMatrixInverse(&inverse, nullptr, &owner->world);
    D3DXVECTOR3 lightInModel;
    D3DXVec3TransformNormal(&lightInModel, &light, &inverse);
    Build(mesh, lightInModel, extrusion);
    rebuildTimer = GetRebuildDelay();
}

void CObjectShadow::Build(CMeshContainer::MeshRecord* record, const D3DXVECTOR3& lightInModel, float length)
{
    vertexCount = 0;
    if (!vertexBuffer || !record || !record->frameCount[MESH_GROUP_SHADOW])
        return;
    frame = owner->frame;
    if (frame < 0 || static_cast<std::uint32_t>(frame) >= record->frameCount[MESH_GROUP_SHADOW]
        || record->shadowFaceNormals.size() <= static_cast<std::size_t>(frame))
        return;
    ID3DXMesh* source = record->meshes[MESH_GROUP_SHADOW][frame].get();
    if (record->shadowFaceNormals[frame].size() != source->GetNumFaces())
        return;
    void* vertices = nullptr;
    void* indices = nullptr;
    if (FAILED(source->LockVertexBuffer(D3DLOCK_READONLY, &vertices)))
        return;
    if (FAILED(source->LockIndexBuffer(D3DLOCK_READONLY, &indices))) {
        source->UnlockVertexBuffer();
        return;
    }
    const ShadowMeshView view {static_cast<const std::uint8_t*>(vertices), source->GetNumBytesPerVertex(),
                               static_cast<const std::uint16_t*>(indices), source->GetNumFaces(),
                               record->shadowFaceNormals[frame].data()};
    const std::vector<EdgePair> edges = SilhouetteEdges(view, lightInModel);
    const std::uint32_t needed = ShadowVolumeVertexCount(static_cast<std::uint32_t>(edges.size()), view.faceCount);
    if (needed > capacity) {
        // A volume beyond the first estimate gets a buffer of its size.
        if (IDirect3DVertexBuffer9* larger = CreateBuffer(needed)) {
            vertexBuffer->Release();
            vertexBuffer = larger;
            capacity = needed;
        }
    }
    void* target = nullptr;
    if (needed <= capacity && SUCCEEDED(vertexBuffer->Lock(0, 0, &target, D3DLOCK_DISCARD))) {
        vertexCount = WriteShadowVolume(view, edges, lightInModel, length, static_cast<D3DXVECTOR3*>(target));
        vertexBuffer->Unlock();
    }
    source->UnlockIndexBuffer();
    source->UnlockVertexBuffer();
}

void CObjectShadow::Draw()
{
    if (!vertexCount || !visible || owner->cameraDistance > DistanceLimit())
        return;
    IDirect3DDevice9* device = d3dRender.device;
    device->SetTransform(D3DTS_WORLD, &owner->world);
    device->SetFVF(D3DFVF_XYZ);
    device->SetStreamSource(0, vertexBuffer, 0, VERTEX_STRIDE);
    const UINT triangles = vertexCount / 3;
    device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, triangles);
    d3dRender.facesDrawn += static_cast<int>(triangles);
}

void CObjectShadow::Release()
{
    if (vertexBuffer) {
        vertexBuffer->Release();
        vertexBuffer = nullptr;
    }
    capacity = 0;
    vertexCount = 0;
    CMeshLayer::Release();
}
