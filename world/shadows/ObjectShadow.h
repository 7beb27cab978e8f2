#pragma once
// A stencil shadow volume: the owner's shadow mesh (group 1) extruded away from the location's
// light into closed triangles in the owner's model space. A static shadow is built once, a
// dynamic one follows its owner.
#include <cstdint>

#include "world/effects/MeshLayer.h"

class CObjectShadow : public CMeshLayer {
public:
    CObjectShadow();
    ~CObjectShadow();
    CObjectShadow(const CObjectShadow&) = delete;
    CObjectShadow& operator=(const CObjectShadow&) = delete;

    // Stores owner and code (GEFFECT_STATIC_SHADOW or GEFFECT_DYNAMIC_SHADOW) and, when the
    // Shadows setting lets the owner cast, prepares its shadow mesh and the buffer; returns 0.
    int Load(const char* text, CStaticObject* owner, int code);
    void Update();
    // Fills the buffer from the owner's current frame: silhouette sides and both caps.
    void Build(CMeshContainer::MeshRecord* record, const D3DXVECTOR3& lightInModel, float extrusion);
    // Seconds between rebuilds: 0.025 for a scooter, else -1 (every frame).
    float GetRebuildDelay() const;
    void Draw();
    void Release();

    // True when the Shadows setting lets objects of the type cast.
    static bool Casts(int objectType);
    // Vertices the buffer holds for a group-1 frame of the given size.
    static std::uint32_t Capacity(std::uint32_t vertexCount, std::uint32_t faceCount);

    IDirect3DVertexBuffer9* vertexBuffer = nullptr;
    std::uint32_t capacity = 0;
    std::uint32_t vertexCount = 0;
    int visible = 0;
    int code = 1070;
    float extrusion = 0;
    float rebuildTimer = 0;

private:
    float DistanceLimit() const;
};
