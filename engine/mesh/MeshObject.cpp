#include "engine/mesh/MeshObject.h"

#include <cstdio>
#include <cstring>

#include "engine/helpers/VectorHelpers.h"
#include "engine/render/D3DRender.h"

CMeshObject::CMeshObject()
{
    Reset();
}

void CMeshObject::Reset()
{
    D3DXMatrixIdentity(&world);
    std::memset(textureNames, 0, sizeof textureNames);
    for (std::int32_t& id : textureIds)
        id = -1;
    textureOption = 0;
    textureCount = 0;
    animationTime = 0;
    mesh = nullptr;
    centre = D3DXVECTOR3();
    radius = 0;
    frame = 0;
}

void CMeshObject::LoadMesh(const char* name, int key, DWORD poolFlags)
{
    mesh = meshContainer.Load(name, key, poolFlags);
    if (mesh) {
        centre = mesh->centre;
        radius = mesh->radius;
    }
    material = D3DMATERIAL9 {};
    material.Diffuse = material.Ambient = D3DCOLORVALUE {1, 1, 1, 1};
}

void CMeshObject::ReleaseMesh()
{
    meshContainer.ReleaseMesh(mesh);
    mesh = nullptr;
}

int CMeshObject::LoadTexture(int slot, const char* name, int option)
{
    if (!name || !*name)
        return -1;
    const int id = d3dRender.LoadTexture(name, option);
    textureIds[slot] = id;
    if (id != -1) {
        std::snprintf(textureNames[slot], sizeof textureNames[slot], "%s", name);
        ++textureCount;
    }
    return id;
}

void CMeshObject::ReleaseTextures()
{
    // Every slot holding a texture: a failed load before a good one leaves the good one past
    // the first textureCount slots.
    for (std::int32_t& id : textureIds) {
        if (id == -1)
            continue;
        d3dRender.ReleaseTexture(id);
        id = -1;
    }
    textureCount = 0;
}

ID3DXMesh* CMeshObject::FrameMesh(int group) const
{
    if (!mesh || group < 0 || group >= MESH_GROUP_COUNT || frame < 0
        || static_cast<std::uint32_t>(frame) >= mesh->frameCount[group])
        return nullptr;
    return mesh->meshes[group][frame].get();
}

void CMeshObject::DrawGroup(int group)
{
    ID3DXMesh* frameMesh = FrameMesh(group);
    if (!frameMesh)
        return;
    IDirect3DDevice9* device = d3dRender.device;
    device->SetTransform(D3DTS_WORLD, &world);
    device->SetMaterial(&material);
    device->SetFVF(frameMesh->GetFVF());
    frameMesh->DrawSubset(0);
    d3dRender.facesDrawn += static_cast<int>(frameMesh->GetNumFaces());
}

void CMeshObject::DrawGroupEffect(int group)
{
    ID3DXMesh* frameMesh = FrameMesh(group);
    if (!frameMesh)
        return;
    IDirect3DDevice9* device = d3dRender.device;
    IDirect3DVertexBuffer9* vertices = nullptr;
    IDirect3DIndexBuffer9* indices = nullptr;
    frameMesh->GetVertexBuffer(&vertices);
    frameMesh->GetIndexBuffer(&indices);
    device->SetMaterial(&material);
    device->SetFVF(mesh->fvf[group]);
    device->SetStreamSource(0, vertices, 0, D3DXGetFVFVertexSize(mesh->fvf[group]));
    device->SetIndices(indices);
    UINT passes = 0;
    d3dRender.effect->Begin(&passes, 0);
    d3dRender.effect->BeginPass(0);
    device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, frameMesh->GetNumVertices(), 0, frameMesh->GetNumFaces());
    d3dRender.effect->EndPass();
    d3dRender.effect->End();
    d3dRender.facesDrawn += static_cast<int>(frameMesh->GetNumFaces());
    vertices->Release();
    indices->Release();
}

void CMeshObject::SetLookAt(const D3DXVECTOR3& position, const D3DXVECTOR3& target, const D3DXVECTOR3& up)
{
    BuildLookAtMatrix(world, position, target, up);
}

void CMeshObject::WorldToLocalDirection(D3DXVECTOR3& out, const D3DXVECTOR3& point) const
{
    const D3DXVECTOR3 offset(point.x - world._41, point.y - world._42, point.z - world._43);
    D3DXMATRIX inverse;
    D3DXMatrixInverse(&inverse, nullptr, &world);
    D3DXVec3TransformNormal(&out, &offset, &inverse);
}
