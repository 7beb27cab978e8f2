#pragma once
// One placed use of a shared mesh record: its world matrix, up to 32 textures, a material and
// the animation frame it draws. It holds references to the record and the textures and hands
// them back through its release operations; it releases nothing on its own.
#include <cstdint>

#include "engine/mesh/MeshContainer.h"
#include "platform/gfx/D3D9.h"
#include "platform/gfxx/D3DXMath.h"

constexpr int MESH_TEXTURE_SLOTS = 32;

class CMeshObject {
public:
    CMeshObject();

    // Identity world, no textures, no mesh, zero bounds and frame; the material is kept.
    void Reset();
    // The shared record (null when the container refused the file); bounds from it and a
    // white material.
    void LoadMesh(const char* name, int key, DWORD poolFlags);
    void ReleaseMesh();
    // The texture id loaded into the slot, -1 on failure; an empty name changes nothing.
    int LoadTexture(int slot, const char* name, int option);
    void ReleaseTextures();

    // Draws frame `frame` of the group with the fixed-function pipeline, or inside the current
    // technique of the effect (whose matrices the caller has set). Nothing without a mesh or
    // when the group has no frames.
    void DrawGroup(int group);
    void DrawGroupEffect(int group);

    void SetLookAt(const D3DXVECTOR3& position, const D3DXVECTOR3& target, const D3DXVECTOR3& up);
    // The point, less the world translation, turned into the object's axes.
    void WorldToLocalDirection(D3DXVECTOR3& out, const D3DXVECTOR3& point) const;

    D3DXMATRIX world;
    char textureNames[MESH_TEXTURE_SLOTS][255];
    std::int32_t textureIds[MESH_TEXTURE_SLOTS];
    std::int32_t textureOption;
    std::uint32_t textureCount;
    float animationTime;
    D3DMATERIAL9 material;
    CMeshContainer::MeshRecord* mesh;
    D3DXVECTOR3 centre;
    float radius;
    std::int32_t frame;

private:
    ID3DXMesh* FrameMesh(int group) const;
};
