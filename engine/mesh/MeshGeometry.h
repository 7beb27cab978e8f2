#pragma once
// Per-triangle work over a locked vertex buffer (any stride, position first) and a 16-bit index
// list: face normals and collision models.
#include <cstdint>
#include <vector>

#include "collision/CollisionModel3D.h"
#include "platform/gfxx/D3DXMath.h"

struct LockedGeometry {
    const std::uint8_t* vertices;
    std::uint32_t stride;
    const std::uint16_t* indices;
    std::uint32_t triangleCount;

    D3DXVECTOR3 Position(std::uint16_t index) const;
};

// (c - a) x (b - a) for each triangle a, b, c in index order, normalised (zero stays zero).
std::vector<D3DXVECTOR3> ComputeFaceNormals(const LockedGeometry& geometry);

// A built collision model of the triangles in index order; owned by the caller.
CollisionModel3D* BuildCollisionModel(const LockedGeometry& geometry);
